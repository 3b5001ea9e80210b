#include "ufmTb8Munic.h"

#include "platform/db/DataSet.h"
#include "platform/ui/Forms.h"
#include "shell/UdmLobrix.h"

#include <memory>

TfrmT8Munic* frmT8Munic = nullptr;

namespace {
THierarchyPicker::Setup municipalitySetup() {
    THierarchyPicker::Setup s;
    s.caption = QStringLiteral("Relação de Unidades da Federação");
    s.levelOf = [](const QString& code) { return code.size() == 2 ? 0 : 1; };
    s.chosenLevel = 1;
    s.charsCopied = 7;
    s.enterExpands = THierarchyPicker::EnterExpands::TopLevelFully;
    return s;
}
}  // namespace

TfrmT8Munic::TfrmT8Munic(QWidget* parent) : THierarchyPicker(municipalitySetup(), parent) {
    setObjectName(QStringLiteral("frmT8Munic"));
    FillFromTable(dmLobrix->taMunicipio);
}

bool TfrmT8Munic::SelectMunicipality(db::Field& field) {
    // The instance of the start-up, or one for this showing when there is none.
    std::unique_ptr<TfrmT8Munic> own;
    TfrmT8Munic* picker = frmT8Munic;
    if (!picker) {
        own = std::make_unique<TfrmT8Munic>();
        picker = own.get();
    }
    picker->ResetChoice();
    forms::ShowModal(picker);
    if (picker->ChosenCode().isEmpty()) return false;
    field.SetAsString(picker->ChosenCode());
    return true;
}
