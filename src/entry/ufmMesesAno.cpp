#include "ufmMesesAno.h"

#include "shell/udmEntradaDados.h"

bool PickAdvanceMonth = false;

TfmMesesAno::TfmMesesAno(QWidget* parent)
    : TLookupPicker(QStringLiteral("Relação de Meses do Ano"), ChooseOn::SingleClick, 2, parent) {
    setObjectName(QStringLiteral("fmMesesAno"));
    closeOnEveryClick_ = true;
    Target = [] {
        return &dmEntradaDados->ta8Empreg.FieldByName(PickAdvanceMonth ? QStringLiteral("Me13AdiantamentoEmpregado")
                                                                       : QStringLiteral("Me13ParcelaFinalEmpregado"));
    };
    FillFromTexts({QStringLiteral("01 - Janeiro"), QStringLiteral("02 - Fevereiro"), QStringLiteral("03 - Março"),
                   QStringLiteral("04 - Abril"), QStringLiteral("05 - Maio"), QStringLiteral("06 - Junho"),
                   QStringLiteral("07 - Julho"), QStringLiteral("08 - Agosto"), QStringLiteral("09 - Setembro"),
                   QStringLiteral("10 - Outubro"), QStringLiteral("11 - Novembro"), QStringLiteral("12 - Dezembro")});
}
