#include "MainWindowState.h"

namespace declfile {

namespace {
int gAnoBase = 2009;
QString& crea() {
    static QString value;
    return value;
}
}  // namespace

int ProgramAnoBase() { return gAnoBase; }
void SetProgramAnoBase(int year) { gAnoBase = year; }
QString CreaDeclaracao() { return crea(); }
void SetCreaDeclaracao(const QString& value) { crea() = value; }

}  // namespace declfile
