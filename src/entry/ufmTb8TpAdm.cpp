#include "ufmTb8TpAdm.h"

#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"

TfmTp8adm::TfmTp8adm(QWidget* parent)
    : TLookupPicker(QStringLiteral("Relação do Tipo de Admissão"), ChooseOn::DoubleClick, 1, parent) {
    setObjectName(QStringLiteral("fmTp8adm"));
    Target = [] { return &dmEntradaDados->ta8Empreg.FieldByName(QStringLiteral("CoTipoAdmissao")); };
    FillFromTable(dmLobrix->taAdmissao);
}
