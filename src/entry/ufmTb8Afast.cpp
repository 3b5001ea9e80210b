#include "ufmTb8Afast.h"

#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"

int AbsenceSlot = 1;
TfmTb8Afast* fmTb8Afast = nullptr;

TfmTb8Afast::TfmTb8Afast(QWidget* parent)
    : TLookupPicker(QStringLiteral("Relação de Códigos de Afastamento"), ChooseOn::DoubleClick, 2, parent) {
    setObjectName(QStringLiteral("fmTb8Afast"));
    Target = []() -> db::Field* {
        const char* name = AbsenceSlot == 1 ? "CoMotivoPrimAfas" : AbsenceSlot == 2 ? "CoMotivoSeguAfas"
                         : AbsenceSlot == 3 ? "CoMotivoTercAfas" : nullptr;
        if (!name) return nullptr;  // no slot, nothing to write
        return &dmEntradaDados->ta8Empreg.FieldByName(QString::fromLatin1(name));
    };
    FillFromTable(dmLobrix->TaAfastamento);
}
