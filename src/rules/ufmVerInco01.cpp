#include "ufmVerInco01.h"

#include "ufmVerInco00.h"
#include "ufmVerInco02.h"
#include "ugCriticaDeclaracao.h"

#include "platform/ui/MessageService.h"
#include "platform/ui/TickList.h"
#include "shell/UdmLobrix.h"
#include "shell/ufmLOBRIX.h"
#include "shell/ugFuncoes.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TfmVerInco01* fmVerInco01 = nullptr;

TfmVerInco01::TfmVerInco01(QWidget* parent)
    : forms::WizardPage(VerIncoFrame(QStringLiteral("fmVerInco01"), QString()), parent) {
    PMarca = new QFrame(Panel());
    PMarca->setObjectName(QStringLiteral("PMarca"));
    auto* marca = new QVBoxLayout(PMarca);
    marca->setContentsMargins(0, 0, 0, 0);
    Memo1 = forms::PageMemo(PMarca, QStringLiteral("Memo1"),
                            {QStringLiteral("Selecione as empresas que você deseja verificar as informações "),
                             QStringLiteral("digitadas:")});
    Memo1->setMaximumHeight(Memo1->fontMetrics().lineSpacing() * 3);
    LEmpresas = new forms::TickList(PMarca);
    LEmpresas->setObjectName(QStringLiteral("LEmpresas"));
    QFont mono = LEmpresas->font();
    mono.setFamily(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::TypeWriter);
    LEmpresas->setFont(mono);
    ckSelecionarTudo = new QCheckBox(QStringLiteral("Seleciona / Desmarca todas as empresas."), PMarca);
    ckSelecionarTudo->setObjectName(QStringLiteral("ckSelecionarTudo"));
    marca->addWidget(Memo1);
    marca->addWidget(LEmpresas, 1);
    marca->addWidget(ckSelecionarTudo);
    PanelLayout()->addWidget(PMarca, 1);

    PInicial = new QFrame(Panel());
    PInicial->setObjectName(QStringLiteral("PInicial"));
    auto* inicial = new QVBoxLayout(PInicial);
    Animate1 = new forms::BusyIndicator(PInicial);
    Label2 = new QLabel(QStringLiteral("Verificando Informações ..."), PInicial);
    Label2->setObjectName(QStringLiteral("Label2"));
    BarraProgress = new QProgressBar(PInicial);
    BarraProgress->setObjectName(QStringLiteral("BarraProgress"));
    inicial->addStretch();
    inicial->addWidget(Animate1, 0, Qt::AlignHCenter);
    inicial->addWidget(Label2, 0, Qt::AlignHCenter);
    inicial->addWidget(BarraProgress);
    inicial->addStretch();
    PanelLayout()->addWidget(PInicial, 1);
    PInicial->hide();

    connect(ckSelecionarTudo, &QCheckBox::clicked, this, [this] { ckSelecionarTudoClick(); });
}

void TfmVerInco01::showSelection(bool selection) {
    PMarca->setVisible(selection);
    PInicial->setVisible(!selection);
    BarraProgress->setVisible(!selection);
    BackButton()->setEnabled(selection);
    NextButton()->setEnabled(selection);
}

void TfmVerInco01::PageShown() {
    showSelection(true);
    NextButton()->setFocus();
}

void TfmVerInco01::ckSelecionarTudoClick() { LEmpresas->SetAllTicked(ckSelecionarTudo->isChecked()); }

void TfmVerInco01::BtAvancarClick() {
    // The n-th entry of the check's selection stands for the n-th
    // establishment of the year in key order, as LEmpresas lists them.
    std::vector<bool> chosen;
    bool any = false;
    for (int i = 0; i < LEmpresas->count(); ++i) {
        const bool ticked = LEmpresas->IsTicked(i);
        chosen.push_back(ticked);
        any = any || ticked;
    }
    if (!any) {
        ShowMessageByCode(QStringLiteral("1301"));
        return;
    }
    showSelection(false);
    BarraProgress->setValue(0);
    const int anoBase = fmLOBRIX ? fmLOBRIX->AnoBase : 2009;
    ValidationResult result = 0;
    RunBusy([] { RequestValidationStop(); }, [&] {
        forms::ProgressBarHost bar(BarraProgress);
        WidgetValidationHost host(bar);
        result = ValidateDeclaration(host, TdmLobrix::OpenAlias()->folder(), 0, &chosen,
                                     QString::number(anoBase), 0, 0, 0);
    });
    if (result & 4) {
        msg::ShowInformation(QStringLiteral("Consistência interrompida pelo usuário"));
        showSelection(true);
        NextButton()->setFocus();
        return;
    }
    BarraProgress->hide();
    fmVerInco02->ResultadoVerificacao = ResultadoFromValidation(result);
    GoNext(fmVerInco02);
}
