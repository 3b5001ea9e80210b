#include "ufmTb8TpSal.h"

#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"

TfmTb8TpSal::TfmTb8TpSal(QWidget* parent)
    : TLookupPicker(QStringLiteral("Relação de Tipo de Salário"), ChooseOn::SingleClick, 1, parent) {
    setObjectName(QStringLiteral("fmTb8TpSal"));
    Target = [] { return &dmEntradaDados->ta8Empreg.FieldByName(QStringLiteral("CoTipoSalarioContratual")); };
    FillFromTable(dmLobrix->taSalario);
}
