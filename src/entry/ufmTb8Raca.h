#pragma once
#include "LookupPicker.h"

// The picker of CoTipoRaca of the contract being edited.
class TfmTb8Raca : public TLookupPicker {
    Q_OBJECT
public:
    explicit TfmTb8Raca(QWidget* parent = nullptr);
};

// Created at start-up; the employee form replaces it with its own while in use.
extern TfmTb8Raca* fmTb8Raca;
