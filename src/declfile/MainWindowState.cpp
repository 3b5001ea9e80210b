#include "MainWindowState.h"

#include "shell/ufmLOBRIX.h"

namespace declfile {

namespace {
int gAnoBase = 2009;
QString& crea() {
    static QString value;
    return value;
}
}  // namespace

int ProgramAnoBase() { return fmLOBRIX ? fmLOBRIX->AnoBase : gAnoBase; }

void SetProgramAnoBase(int year) {
    gAnoBase = year;
    if (fmLOBRIX) fmLOBRIX->AnoBase = year;
}

QString CreaDeclaracao() { return fmLOBRIX ? fmLOBRIX->CreaDeclaracao : crea(); }

void SetCreaDeclaracao(const QString& value) {
    crea() = value;
    if (fmLOBRIX) fmLOBRIX->CreaDeclaracao = value;
}

}  // namespace declfile
