#pragma once
#include <QString>

// The main window's public fields that the structure analyser reads and sets.
// The main window is not on this branch yet: until it is, they live here, and
// these four functions are the one place to point at fmLOBRIX.
namespace declfile {

int ProgramAnoBase();             // fmLOBRIX->AnoBase
void SetProgramAnoBase(int year);
QString CreaDeclaracao();         // fmLOBRIX->CreaDeclaracao
void SetCreaDeclaracao(const QString& crea);

}  // namespace declfile
