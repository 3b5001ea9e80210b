#include "ufmTb8CBO.h"

#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"

TfmTb8CBO* fmTb8CBO = nullptr;

namespace {
THierarchyPicker::Setup occupationSetup() {
    THierarchyPicker::Setup s;
    s.caption = QStringLiteral("Relação dos Códigos de Ocupação ( CBO )");
    s.levelOf = [](const QString& code) {
        switch (code.size()) {
        case 2: return 0;
        case 3: return 1;
        case 4: return 2;
        default: return 3;
        }
    };
    s.chosenLevel = 3;
    s.charsCopied = 6;
    s.enterExpands = THierarchyPicker::EnterExpands::OccupationLevels;
    return s;
}
}  // namespace

TfmTb8CBO::TfmTb8CBO(QWidget* parent) : THierarchyPicker(occupationSetup(), parent) {
    setObjectName(QStringLiteral("fmTb8CBO"));
    Target = [] { return &dmEntradaDados->ta8Empreg.FieldByName(QStringLiteral("CoCbo")); };
    FillFromTable(dmLobrix->taCBO);
}
