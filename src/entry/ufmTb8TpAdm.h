#pragma once
#include "LookupPicker.h"

// The picker of CoTipoAdmissao of the contract being edited.
class TfmTp8adm : public TLookupPicker {
    Q_OBJECT
public:
    explicit TfmTp8adm(QWidget* parent = nullptr);
};
