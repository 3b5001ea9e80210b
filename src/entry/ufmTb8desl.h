#pragma once
#include "LookupPicker.h"

// The picker of CoCausaDesligamento of the contract being edited.
class TfmTb8Desl : public TLookupPicker {
    Q_OBJECT
public:
    explicit TfmTb8Desl(QWidget* parent = nullptr);
};
