#pragma once
#include "LookupPicker.h"

// The picker of CoVinculo of the contract being edited.
class TfmTb8Vinc : public TLookupPicker {
    Q_OBJECT
public:
    explicit TfmTb8Vinc(QWidget* parent = nullptr);
};
