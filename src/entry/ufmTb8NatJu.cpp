#include "ufmTb8NatJu.h"

#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"

namespace {
THierarchyPicker::Setup legalNatureSetup() {
    THierarchyPicker::Setup s;
    s.caption = QStringLiteral("Relação de Códigos de Natureza Jurídica");
    s.levelOf = [](const QString& code) { return code.size() == 1 ? 0 : 1; };
    s.chosenLevel = 1;
    s.charsCopied = 5;  // the 4-character field keeps the code
    s.enterExpands = THierarchyPicker::EnterExpands::Nothing;
    return s;
}
}  // namespace

TfmTb8NatJu::TfmTb8NatJu(QWidget* parent) : THierarchyPicker(legalNatureSetup(), parent) {
    setObjectName(QStringLiteral("fmTb8NatJu"));
    Target = [] { return &dmEntradaDados->ta8Empresa.FieldByName(QStringLiteral("CoNaturezaJuridica")); };
    FillFromTable(dmLobrix->taNatJu);
}
