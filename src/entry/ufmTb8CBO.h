#pragma once
#include "HierarchyPicker.h"

// The occupation picker: groups of 2, 3 and 4 characters above the 6-character
// occupations; the choice goes into CoCbo of the contract being edited.
class TfmTb8CBO : public THierarchyPicker {
    Q_OBJECT
public:
    explicit TfmTb8CBO(QWidget* parent = nullptr);
};

// Created at start-up; the employee form makes its own for each use.
extern TfmTb8CBO* fmTb8CBO;
