#pragma once
#include "LookupPicker.h"

// Which of the contract's three absences the absence picker fills (1, 2 or 3);
// the employee form sets it just before it shows the picker.
extern int AbsenceSlot;

// The picker of an absence reason: CoMotivoPrimAfas, CoMotivoSeguAfas or
// CoMotivoTercAfas of the contract by AbsenceSlot.
class TfmTb8Afast : public TLookupPicker {
    Q_OBJECT
public:
    explicit TfmTb8Afast(QWidget* parent = nullptr);
};

// Created at start-up; the employee form replaces it with its own while in use.
extern TfmTb8Afast* fmTb8Afast;
