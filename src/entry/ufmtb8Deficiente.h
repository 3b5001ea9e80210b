#pragma once
#include "LookupPicker.h"

// The picker of the contract's disability type. After the choice it shows the
// type's description in the employee form's box `edTxDeficiente`.
class TfmTb8Deficiente : public TLookupPicker {
    Q_OBJECT
public:
    explicit TfmTb8Deficiente(QWidget* parent = nullptr);

protected:
    void AfterChoice(const QString& code) override;
};

// Created at start-up; the employee form replaces it with its own while in use.
extern TfmTb8Deficiente* fmTb8Deficiente;
