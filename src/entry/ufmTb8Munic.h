#pragma once
#include "HierarchyPicker.h"

namespace db {
class Field;
}

// The municipality picker: states (2 characters) above the 7-character
// municipalities. It serves several forms through SelectMunicipality.
class TfrmT8Munic : public THierarchyPicker {
    Q_OBJECT
public:
    explicit TfrmT8Munic(QWidget* parent = nullptr);

    // Shows the picker modally; a municipality chosen during this showing is
    // written into the field (true), else the field keeps its value (false).
    static bool SelectMunicipality(db::Field& field);
};

// Created once at start-up and kept, with its expansion and selection, for the whole run.
extern TfrmT8Munic* frmT8Munic;
