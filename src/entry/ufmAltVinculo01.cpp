#include "ufmAltVinculo01.h"

#include "rules/ugRegrasIdentificacao.h"
#include "shell/ugFuncoes.h"
#include "ufmAltVinculo00.h"
#include "ufmAltVinculo02.h"

#include <QFrame>
#include <QPlainTextEdit>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

QString AltVinculoCodigo;
QString AltVinculoInscricao;
QString AltVinculoAnoBase;
QString AltVinculoPrefixo;

TfmAltVinculo01::TfmAltVinculo01(TfmAltVinculo00& wizard)
    : forms::WizardPage(AltVinculoFrame("fmAltVinculo01", &wizard.Encerrar, AltVinculoButtons())),
      wizard_(wizard) {
    cbSelecaoEstab = AddEstablishmentChoice(
        this, "cbSelecaoEstab", paInfo,
        QStringLiteral("Selecione o estabelecimento (inscrição/prefixo) que você deseja alterar o código de vínculo "
                       "para todos os empregados."));
}

void TfmAltVinculo01::PageShown() { AltVinculoAnoBase = RefillEstablishmentChoice(cbSelecaoEstab, paInfo); }

void TfmAltVinculo01::NextClicked() {
    ChosenEstablishment chosen;
    QString code;
    if (!TakeValidEstablishment(cbSelecaoEstab, chosen, code)) return;
    AltVinculoCodigo = code;
    AltVinculoAnoBase = QString::number(DeclarationBaseYear());
    AltVinculoInscricao = chosen.inscricao;
    AltVinculoPrefixo = chosen.prefixo;
    RecoverInterruptedOperation(AltVinculoAnoBase, AltVinculoInscricao, AltVinculoPrefixo);
    if (CountEstablishmentContracts(AltVinculoAnoBase, AltVinculoInscricao, AltVinculoPrefixo) == 0) {
        ShowMessageByCode(QStringLiteral("1302"));
        return;
    }
    TfmAltVinculo02* next = wizard_.fmAltVinculo02.get();
    next->EdMostraPrefixo->setText(AltVinculoPrefixo);
    // The chosen establishment's own name.
    next->EdMostraNome->setText(chosen.Name());
    next->EdMostraCGC->setText(chosen.Formatted());
    GoNext(next, Hand::StayVisible);
}
