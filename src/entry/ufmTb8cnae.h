#pragma once
#include "HierarchyPicker.h"

// The activity picker: sections (2 characters) above the 7-character
// activities; the choice goes into CoCnae2 of the establishment being edited.
class TfmTb8Cnae : public THierarchyPicker {
    Q_OBJECT
public:
    explicit TfmTb8Cnae(QWidget* parent = nullptr);
};

// Created once at start-up and kept, with its expansion and selection, for the whole run.
extern TfmTb8Cnae* fmTb8Cnae;
