#pragma once
#include "LookupPicker.h"

// The picker of CoInstrucao of the contract being edited.
class TfmTb8Instr : public TLookupPicker {
    Q_OBJECT
public:
    explicit TfmTb8Instr(QWidget* parent = nullptr);
};
