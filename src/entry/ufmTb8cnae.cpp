#include "ufmTb8cnae.h"

#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"

TfmTb8Cnae* fmTb8Cnae = nullptr;

namespace {
THierarchyPicker::Setup activitySetup() {
    THierarchyPicker::Setup s;
    s.caption = QStringLiteral("Relação de Atividades Econômicas ( CNAE )");
    s.levelOf = [](const QString& code) { return code.size() == 2 ? 0 : 1; };
    s.chosenLevel = 1;
    s.charsCopied = 7;
    s.sortByText = true;
    s.enterExpands = THierarchyPicker::EnterExpands::TopLevelFully;
    return s;
}
}  // namespace

TfmTb8Cnae::TfmTb8Cnae(QWidget* parent) : THierarchyPicker(activitySetup(), parent) {
    setObjectName(QStringLiteral("fmTb8Cnae"));
    Target = [] { return &dmEntradaDados->ta8Empresa.FieldByName(QStringLiteral("CoCnae2")); };
    FillFromTable(dmLobrix->taCNAE);
}
