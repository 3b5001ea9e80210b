#pragma once
#include "HierarchyPicker.h"

// The legal-nature picker: groups (1 character) above the natures; the choice
// goes into CoNaturezaJuridica of the establishment being edited.
class TfmTb8NatJu : public THierarchyPicker {
    Q_OBJECT
public:
    explicit TfmTb8NatJu(QWidget* parent = nullptr);
};
