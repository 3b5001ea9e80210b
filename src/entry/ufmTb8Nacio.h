#pragma once
#include "LookupPicker.h"

// The picker of CoNacionalidade of the contract being edited.
class TfmTb8Nacio : public TLookupPicker {
    Q_OBJECT
public:
    explicit TfmTb8Nacio(QWidget* parent = nullptr);

protected:
    // A double-click anywhere on the window chooses as well.
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
