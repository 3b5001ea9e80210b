#pragma once
#include "LookupPicker.h"

// True when the 13th-salary advance button opened the month picker
// (Me13AdiantamentoEmpregado), false for the final payment
// (Me13ParcelaFinalEmpregado); the employee form sets it before showing it.
extern bool PickAdvanceMonth;

// The month picker: twelve fixed nodes; it closes on every click or Enter and
// writes only when a node is selected.
class TfmMesesAno : public TLookupPicker {
    Q_OBJECT
public:
    explicit TfmMesesAno(QWidget* parent = nullptr);
};
