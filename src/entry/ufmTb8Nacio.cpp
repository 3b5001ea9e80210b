#include "ufmTb8Nacio.h"

#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"

TfmTb8Nacio::TfmTb8Nacio(QWidget* parent)
    : TLookupPicker(QStringLiteral("Relação de Nacionalidade"), ChooseOn::DoubleClick, 2, parent) {
    setObjectName(QStringLiteral("fmTb8Nacio"));
    Target = [] { return &dmEntradaDados->ta8Empreg.FieldByName(QStringLiteral("CoNacionalidade")); };
    FillFromTable(dmLobrix->taNacionalidade);
}

void TfmTb8Nacio::mouseDoubleClickEvent(QMouseEvent* event) {
    SelectCode();
    TLookupPicker::mouseDoubleClickEvent(event);
}
