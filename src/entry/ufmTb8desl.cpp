#include "ufmTb8desl.h"

#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"

TfmTb8Desl::TfmTb8Desl(QWidget* parent)
    : TLookupPicker(QStringLiteral("Relação dos Tipos de Desligamento"), ChooseOn::DoubleClick, 2, parent) {
    setObjectName(QStringLiteral("fmTb8Desl"));
    Target = [] { return &dmEntradaDados->ta8Empreg.FieldByName(QStringLiteral("CoCausaDesligamento")); };
    FillFromTable(dmLobrix->taDesl);
}
