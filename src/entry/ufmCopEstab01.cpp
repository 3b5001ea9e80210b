#include "ufmCopEstab01.h"

#include "platform/db/Query.h"
#include "rules/ugRegrasIdentificacao.h"
#include "shell/UdmLobrix.h"
#include "shell/ugFuncoes.h"
#include "ufmCopEstab00.h"
#include "ufmCopEstab02.h"

#include <QFrame>
#include <QPlainTextEdit>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

MaintenanceButtons CopEstabButtons() {
    MaintenanceButtons b;
    b.back = "BtVoltar";
    b.next = "BtAvancar";
    b.cancel = "BtCancelar";
    return b;
}

TfmCopEstab01::TfmCopEstab01(TfmCopEstab00& wizard)
    : forms::WizardPage(MaintenanceFrame("fmCopEstab01", kCopEstabCaption, &wizard.Encerrar, CopEstabButtons())),
      wizard_(wizard) {
    cbEstabelecimento = AddEstablishmentChoice(
        this, "cbEstabelecimento", paInfo,
        QStringLiteral("Selecione o estabelecimento (inscrição/prefixo) que possui os empregados que deseja "
                       "transferir."));
    NextButton()->setDefault(true);
}

void TfmCopEstab01::PageShown() { wizard_.AnoBase = RefillEstablishmentChoice(cbEstabelecimento, paInfo); }

void TfmCopEstab01::NextClicked() {
    ChosenEstablishment chosen;
    if (!ChosenEntry(cbEstabelecimento, chosen)) {
        ShowMessageByCode(QStringLiteral("1301"));
        cbEstabelecimento->setFocus();
        return;
    }
    const QString shown = StripMaskChars(chosen.Formatted());
    const QString code = shown.size() == 11 ? CheckInscriptionOrCpf(QStringLiteral("000") + shown, 11)
                                            : CheckInscription(shown.size() == 12 ? QStringLiteral("00") + shown : shown);
    wizard_.Inscricao = chosen.inscricao;
    wizard_.Prefixo = chosen.prefixo;
    RecoverInterruptedOperation(wizard_.AnoBase, wizard_.Inscricao, wizard_.Prefixo);
    const int n = code.toInt();
    if ((n < 50 || n > 52) && n != 56) {
        ShowMessageByCode(code);
        return;
    }
    db::Query q(TdmLobrix::OpenAlias());
    q.SetSQL(QStringLiteral("Select coCgcVinculado from BD8Emp where \n"
                            "AnBase = :anBase and CoCgcCeiEstabelecimento = :coCgcCeiEstabelecimento and\n"
                            "nuPrefixoEstabelecimento = :nuPrefixoEstabelecimento"));
    q.ParamByName(QStringLiteral("anBase")).AsString = wizard_.AnoBase;
    q.ParamByName(QStringLiteral("coCgcCeiEstabelecimento")).AsString = wizard_.Inscricao;
    q.ParamByName(QStringLiteral("nuPrefixoEstabelecimento")).AsString = wizard_.Prefixo;
    q.Open();
    const QString linked = q.Eof() ? QString() : q.Fields(0).AsString();
    q.Close();
    if (CheckCeiNumber(linked) != QLatin1String("0000")) {
        ShowMessageByCode(QStringLiteral("1311"));
        return;
    }
    if (CountEstablishmentContracts(wizard_.AnoBase, wizard_.Inscricao, wizard_.Prefixo) == 0) {
        ShowMessageByCode(QStringLiteral("1302"));
        cbEstabelecimento->setFocus();
        return;
    }
    GoNext(wizard_.fmCopEstab02.get(), Hand::StayVisible);
}
