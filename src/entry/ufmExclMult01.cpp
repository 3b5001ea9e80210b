#include "ufmExclMult01.h"

#include "rules/ugRegrasIdentificacao.h"
#include "shell/ugFuncoes.h"
#include "ufmExclMult00.h"
#include "ufmExclMult02.h"

#include <QFrame>
#include <QPlainTextEdit>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfmExclMult01::TfmExclMult01(TfmExclMult00& wizard)
    : forms::WizardPage(MaintenanceFrame("fmExclMult01", kExclMultCaption, &wizard.Encerrar, {}, "meDicas")),
      wizard_(wizard) {
    SetMemoLines({QStringLiteral("Selecione o estabelecimento (inscrição/prefixo) que possui "),
                  QStringLiteral("os empregados/servidores a serem excluídos. "), QString(),
                  QStringLiteral("Caso os empregados/servidores estiverem em prefixos "),
                  QStringLiteral("diferentes você deverá repetir o procedimento para "),
                  QStringLiteral("cada identificação.")});
    cbEstabelecimentos = AddEstablishmentChoice(this, "cbEstabelecimentos", paInfo);
    NextButton()->setDefault(true);
}

void TfmExclMult01::PageShown() { wizard_.AnoBase = RefillEstablishmentChoice(cbEstabelecimentos, paInfo); }

void TfmExclMult01::NextClicked() {
    ChosenEstablishment chosen;
    QString code;
    if (!TakeValidEstablishment(cbEstabelecimentos, chosen, code)) return;
    wizard_.Inscricao = chosen.Formatted();
    wizard_.KeyInscricao = chosen.inscricao;
    wizard_.Prefixo = chosen.prefixo;
    wizard_.NomeEstabelecimento = chosen.Name();
    RecoverInterruptedOperation(wizard_.AnoBase, wizard_.KeyInscricao, wizard_.Prefixo);
    if (CountEstablishmentContracts(wizard_.AnoBase, wizard_.KeyInscricao, wizard_.Prefixo) == 0) {
        ShowMessageByCode(QStringLiteral("1302"));
        return;
    }
    GoNext(wizard_.fmExclMult02.get());
}
