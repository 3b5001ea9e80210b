#include "ufmExclMult02.h"

#include "platform/ui/EntryWidgets.h"
#include "platform/ui/TickList.h"
#include "ufmExclMult00.h"
#include "ufmExclMult03.h"
#include "ufmExclMult04.h"

#include <QFrame>
#include <QPlainTextEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfmExclMult02::TfmExclMult02(TfmExclMult00& wizard)
    : forms::WizardPage(MaintenanceFrame("fmExclMult02", kExclMultCaption, &wizard.Encerrar, {})), wizard_(wizard) {
    PanelLayout()->addWidget(SelectedEstablishmentGroup(Panel(), edInscricao, "edInscricao", "Inscrição", edPrefixo,
                                                        "edPrefixo", edNomeEstabelecimento, "edNomeEstabelecimento",
                                                        "Nome/Firma/Razão Social"));
    rgOrdem = new ui::RadioGroup(QStringLiteral("Ordenar Empregados/Servidores por"),
                                 {QStringLiteral("Código Pis/Pasep"), QStringLiteral("Nome Empregado/Servidor")}, 1,
                                 Panel());
    rgOrdem->setObjectName(QStringLiteral("rgOrdem"));
    rgOrdem->SetItemIndex(0);
    PanelLayout()->addWidget(rgOrdem);
    PanelLayout()->addStretch();
    NextButton()->setDefault(true);
}

void TfmExclMult02::PageShown() {
    edInscricao->setText(wizard_.Inscricao);
    edPrefixo->setText(wizard_.Prefixo);
    edNomeEstabelecimento->setText(wizard_.NomeEstabelecimento);
    NextButton()->setFocus();
}

void TfmExclMult02::NextClicked() {
    const bool byName = rgOrdem->ItemIndex() == 1;
    FillEmployeeCheckList(wizard_.fmExclMult03->clVinculos, wizard_.AnoBase, wizard_.KeyInscricao, wizard_.Prefixo,
                          byName ? QLatin1Char('1') : QLatin1Char('0'));
    wizard_.fmExclMult04->Ordem = byName ? QStringLiteral("nome") : QStringLiteral("pispasep");
    GoNext(wizard_.fmExclMult03.get());
}
