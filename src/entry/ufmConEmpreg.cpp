#include "ufmConEmpreg.h"

CurrentEstablishmentValues CurrentEstablishment;
TfmConEmpreg* fmConEmpreg = nullptr;

TfmConEmpreg::TfmConEmpreg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmConEmpreg"));
}
