#include "ufmtb8Instr.h"

#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"

TfmTb8Instr::TfmTb8Instr(QWidget* parent)
    : TLookupPicker(QStringLiteral("Relação de Grau de Instrução"), ChooseOn::DoubleClick, 2, parent) {
    setObjectName(QStringLiteral("fmTb8Instr"));
    Target = [] { return &dmEntradaDados->ta8Empreg.FieldByName(QStringLiteral("CoInstrucao")); };
    FillFromTable(dmLobrix->taInstrucao);
}
