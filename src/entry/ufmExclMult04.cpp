#include "ufmExclMult04.h"

#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/db/Query.h"
#include "platform/ui/MessageService.h"
#include "shell/DeclarationTables.h"
#include "shell/UdmLobrix.h"
#include "shell/ugExcecao.h"
#include "ufmConEmpreg.h"
#include "ufmExclMult00.h"

#include <QFrame>
#include <QPlainTextEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

MaintenanceButtons lastPageButtons() {
    MaintenanceButtons b;
    b.next = "btConcluir";
    b.nextText = "&Concluir";
    b.cancelText = "C&ancelar";
    return b;
}

}  // namespace

TfmExclMult04::TfmExclMult04(TfmExclMult00& wizard)
    : forms::WizardPage(MaintenanceFrame("fmExclMult04", kExclMultCaption, &wizard.Encerrar, lastPageButtons())),
      wizard_(wizard) {
    PanelLayout()->addWidget(SelectedEstablishmentGroup(Panel(), edInscricao, "edInscricao", "Inscrição", edPrefixo,
                                                        "edPrefixo", edNomeEstabelecimento, "edNomeEstabelecimento",
                                                        "Nome/Firma/Razão Social"));
    auto* total = new QFormLayout;
    edTotalEmpregados = new QLineEdit(Panel());
    edTotalEmpregados->setObjectName(QStringLiteral("edTotalEmpregados"));
    edTotalEmpregados->setReadOnly(true);
    edTotalEmpregados->setFocusPolicy(Qt::NoFocus);
    total->addRow(QStringLiteral("Total de empregados/servidores para exclusão:"), edTotalEmpregados);
    PanelLayout()->addLayout(total);
    PanelLayout()->addStretch();
    NextButton()->setDefault(true);
}

void TfmExclMult04::PageShown() {
    edInscricao->setText(wizard_.Inscricao);
    edPrefixo->setText(wizard_.Prefixo);
    edNomeEstabelecimento->setText(wizard_.NomeEstabelecimento);
    edTotalEmpregados->setText(QString::number(wizard_.Linhas.size()));
    NextButton()->setFocus();
}

void TfmExclMult04::btConcluirClick() {
    int deleted = 0;
    try {
        deleted = DeleteSelectedEmployees(wizard_.Linhas, wizard_.AnoBase, wizard_.KeyInscricao, wizard_.Prefixo);
    } catch (const db::DbError& e) {
        // Nothing was deleted: the user may try again or leave.
        ShowEngineErrorBox(e);
        return;
    }
    msg::ShowInformation(QString::number(deleted) + QStringLiteral(" Empregado(s) excluído(s) com sucesso."));
    wizard_.Linhas.clear();
    CancelWizard();
}

void TfmExclMult04::BackClicked() {
    wizard_.Linhas.clear();
    GoBack();
}

void TfmExclMult04::CancelClicked() {
    wizard_.Linhas.clear();
    CancelWizard();
}

int DeleteSelectedEmployees(const CheckedLines& lines, const QString& anoBase, const QString& inscricao,
                            const QString& prefixo) {
    auto database = TdmLobrix::OpenAlias();
    db::Transaction transaction(*database);
    SetOperationMarker(anoBase, inscricao, prefixo, OperationMarker::MultiDelete);
    db::Query remove(database);
    remove.SetSQL(QStringLiteral("delete from BD8Vinc where ") + ContractKeysCondition());
    const int deleted = ExecForContractKeys(remove, anoBase, inscricao, prefixo, lines);
    RecountEstablishment(anoBase, inscricao, prefixo);
    SetOperationMarker(anoBase, inscricao, prefixo, OperationMarker::None);
    transaction.commit();
    return deleted;
}
