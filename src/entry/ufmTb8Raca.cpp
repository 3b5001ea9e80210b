#include "ufmTb8Raca.h"

#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"

TfmTb8Raca* fmTb8Raca = nullptr;

TfmTb8Raca::TfmTb8Raca(QWidget* parent)
    : TLookupPicker(QStringLiteral("Relação de Raça/Cor"), ChooseOn::DoubleClick, 2, parent) {
    setObjectName(QStringLiteral("fmTb8Raca"));
    Target = [] { return &dmEntradaDados->ta8Empreg.FieldByName(QStringLiteral("CoTipoRaca")); };
    FillFromTable(dmLobrix->taRaca);
}
