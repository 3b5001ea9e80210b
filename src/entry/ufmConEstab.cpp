#include "ufmConEstab.h"

TfmConEstab* fmConEstab = nullptr;

TfmConEstab::TfmConEstab(QWidget* parent) : QDialog(parent) { setObjectName(QStringLiteral("fmConEstab")); }
