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
    : forms::WizardPage(MaintenanceFrame("fmAltVinculo01", kAltVinculoCaption, &wizard.Encerrar,
                                         AltVinculoButtons())),
      wizard_(wizard) {
    auto* label = new QLabel(QStringLiteral("Selecione o estabelecimento (inscrição/prefixo) que você deseja alterar "
                                            "o código de vínculo para todos os empregados."),
                             Panel());
    label->setWordWrap(true);
    cbSelecaoEstab = new QComboBox(Panel());
    cbSelecaoEstab->setObjectName(QStringLiteral("cbSelecaoEstab"));
    paInfo = new QLabel(Panel());
    paInfo->setObjectName(QStringLiteral("paInfo"));
    paInfo->setAlignment(Qt::AlignCenter);
    PanelLayout()->addWidget(label);
    PanelLayout()->addWidget(cbSelecaoEstab);
    PanelLayout()->addStretch();
    PanelLayout()->addWidget(paInfo);
    connect(cbSelecaoEstab, &QComboBox::currentTextChanged, cbSelecaoEstab, &QWidget::setToolTip);
}

void TfmAltVinculo01::PageShown() {
    AltVinculoAnoBase = QString::number(DeclarationBaseYear());
    paInfo->setText(QStringLiteral("Informações do Ano-Base ") + AltVinculoAnoBase);
    FillEstablishmentCombo(cbSelecaoEstab, AltVinculoAnoBase, QLatin1Char('N'));
    cbSelecaoEstab->setCurrentIndex(-1);
    cbSelecaoEstab->setFocus();
}

void TfmAltVinculo01::NextClicked() {
    ChosenEstablishment chosen;
    if (!ChosenEntry(cbSelecaoEstab, chosen)) {
        ShowMessageByCode(QStringLiteral("1301"));
        return;
    }
    const QString code = CheckInscription(PadLeftZeros(StripMaskChars(chosen.Formatted()), 14));
    if (code != QLatin1String("0050") && code != QLatin1String("0051") && code != QLatin1String("0052")) {
        ShowMessageByCode(code);
        return;
    }
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
