#pragma once
#include <QString>

// The main window's public fields that the structure analyser reads and sets.
// Without a main window (tests, tools) they are kept here.
namespace declfile {

int ProgramAnoBase();             // fmLOBRIX->AnoBase
void SetProgramAnoBase(int year);
QString CreaDeclaracao();         // fmLOBRIX->CreaDeclaracao
void SetCreaDeclaracao(const QString& crea);

}  // namespace declfile
