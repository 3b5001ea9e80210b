#include "ufmTb8Vinc.h"

#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"

TfmTb8Vinc::TfmTb8Vinc(QWidget* parent)
    : TLookupPicker(QStringLiteral("Relação de Tipo de Vínculo Empregatício"), ChooseOn::SingleClick, 2, parent) {
    setObjectName(QStringLiteral("fmTb8Vinc"));
    Target = [] { return &dmEntradaDados->ta8Empreg.FieldByName(QStringLiteral("CoVinculo")); };
    FillFromTable(dmLobrix->taTpVinc);
}
