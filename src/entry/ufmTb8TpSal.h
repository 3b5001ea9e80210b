#pragma once
#include "LookupPicker.h"

// The picker of CoTipoSalarioContratual of the contract being edited.
class TfmTb8TpSal : public TLookupPicker {
    Q_OBJECT
public:
    explicit TfmTb8TpSal(QWidget* parent = nullptr);
};
