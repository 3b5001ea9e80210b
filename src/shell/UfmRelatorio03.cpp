#include "UfmRelatorio03.h"

#include "UfmRelatorio02.h"
#include "ufmLOBRIX.h"
#include "ufmPrintOpc.h"
#include "ufmRelatorio00.h"
#include "ufmRelatorio01.h"
#include "udmDadosResp.h"
#include "ugFuncoes.h"

#include "platform/ui/Forms.h"

#include <QDir>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TfmRelatorio03* fmRelatorio03 = nullptr;

namespace {
// Set by a Cancel past the first page: every page of the chain closes.
std::uint8_t g_endWizard = 0;

// The five forms of one run of the wizard, freed together.
struct PrintWizardForms {
    std::unique_ptr<TfmRelatorio03> page3 = std::make_unique<TfmRelatorio03>();
    std::unique_ptr<TfmRelatorio02> page2 = std::make_unique<TfmRelatorio02>();
    std::unique_ptr<TfmRelatorio00> page0 = std::make_unique<TfmRelatorio00>();
    std::unique_ptr<TfmRelatorio01> page1 = std::make_unique<TfmRelatorio01>();
    std::unique_ptr<TfmPrintOpc> options = std::make_unique<TfmPrintOpc>();

    PrintWizardForms(const QString& emp, const QString& vinc, const QString& resp, const QString& ano) {
        g_endWizard = 0;
        fmRelatorio03 = page3.get();
        fmRelatorio02 = page2.get();
        fmRelatorio00 = page0.get();
        fmRelatorio01 = page1.get();
        fmPrintOpc = options.get();
        page1->TabelaEmp = emp;
        page1->TabelaVinc = vinc;
        page1->TabelaResp = resp;
        page2->AnoRelatorio = ano;
    }
};

// The year this version's commands give the wizard.
const QString kAnoDeclaracao = QStringLiteral("2009");
}  // namespace

forms::WizardFrame RelatorioFrame(const QString& objectName, const QString& caption) {
    static QImage picture;
    if (picture.isNull()) picture = WizardPicture(QStringLiteral("IMP"));
    return PlainWizardFrame(objectName, caption, picture, &g_endWizard);
}

TfmRelatorio03::TfmRelatorio03(QWidget* parent)
    : forms::WizardPage(RelatorioFrame(QStringLiteral("fmRelatorio03"), QStringLiteral("Assistente de Impressão")),
                        parent) {
    rgTipoRelatorio = new QGroupBox(QStringLiteral("Tipo de relatório "), Panel());
    rgTipoRelatorio->setObjectName(QStringLiteral("rgTipoRelatorio"));
    auto* box = new QVBoxLayout(rgTipoRelatorio);
    rbDeclaracao = new QRadioButton(QStringLiteral("Imprimir a Declaração"), rgTipoRelatorio);
    rbDeclaracao->setObjectName(QStringLiteral("rbDeclaracao"));
    rbProtocolo = new QRadioButton(QStringLiteral("Imprimir o Protocolo de Transmissão"), rgTipoRelatorio);
    rbProtocolo->setObjectName(QStringLiteral("rbProtocolo"));
    box->addWidget(rbDeclaracao);
    box->addWidget(rbProtocolo);
    PanelLayout()->addStretch();
    PanelLayout()->addWidget(rgTipoRelatorio);
    PanelLayout()->addStretch();
    BackButton()->setEnabled(false);
    // Printing a receipt goes through the transmission window, the main
    // window's "Protocolo de Transmissão".
    rbProtocolo->setEnabled(fmLOBRIX && fmLOBRIX->HasCommandHandler(LobrixCommand::ImprimirProtocolo));
    for (QRadioButton* choice : {rbDeclaracao, rbProtocolo})
        connect(choice, &QRadioButton::toggled, this, [this] { updateNext(); });
}

// Next goes on only with a choice that can be followed.
void TfmRelatorio03::updateNext() {
    NextButton()->setEnabled((rbDeclaracao->isEnabled() && rbDeclaracao->isChecked()) ||
                             (rbProtocolo->isEnabled() && rbProtocolo->isChecked()));
}

TfmRelatorio03::~TfmRelatorio03() {
    if (fmRelatorio03 == this) fmRelatorio03 = nullptr;
    QDir::setCurrent(ProgramDirectory());
}

void TfmRelatorio03::PageShown() {
    const bool none = fmLOBRIX && fmLOBRIX->NoEstablishments == 1;
    rbDeclaracao->setEnabled(!none);
    rbDeclaracao->setChecked(!none);
    if (none) {
        // Without an establishment only the receipt can be printed: it is chosen.
        rbDeclaracao->setAutoExclusive(false);
        rbDeclaracao->setChecked(false);
        rbDeclaracao->setAutoExclusive(true);
        rbProtocolo->setChecked(rbProtocolo->isEnabled());
    }
    updateNext();
    if (none) NextButton()->setFocus();
    else rbDeclaracao->setFocus();
}

void TfmRelatorio03::BtAvancarClick() {
    if (rbDeclaracao->isChecked()) {
        GoNext(fmRelatorio02);
    } else if (rbProtocolo->isChecked() && fmLOBRIX) {
        // The transmission window in print mode takes over; the wizard's
        // forms stay for its consultation's report.
        fmLOBRIX->AssistenteImpressaoAberto = 1;
        hide();
        fmLOBRIX->RunCommand(LobrixCommand::ImprimirProtocolo);
        Finish(forms::mrCancel);
    }
}

void ShowPrintWizard() {
    PrintWizardForms wizard(QStringLiteral("BD8Emp"), QStringLiteral("BD8Vinc"), QStringLiteral("BD8Resp"), kAnoDeclaracao);
    forms::ShowModal(wizard.page3.get());
}

void ShowPrintWizardDeclaration() {
    PrintWizardForms wizard(QStringLiteral("BD8Emp"), QStringLiteral("BD8Vinc"), QStringLiteral("BD8Resp"), kAnoDeclaracao);
    wizard.page2->BackButton()->hide();
    forms::ShowModal(wizard.page2.get());
}

void ShowDeclarationReport(const QString& tabelaEmp, const QString& tabelaVinc, const QString& tabelaResp,
                           const QString& anoRelatorio) {
    if (fmLOBRIX && fmLOBRIX->AssistenteImpressaoAberto == 1 && fmRelatorio02 && fmRelatorio01) {
        fmRelatorio01->TabelaEmp = tabelaEmp;
        fmRelatorio01->TabelaVinc = tabelaVinc;
        fmRelatorio01->TabelaResp = tabelaResp;
        fmRelatorio02->AnoRelatorio = anoRelatorio;
        g_endWizard = 0;
        forms::ShowModal(fmRelatorio02);
        g_endWizard = 0;
        return;
    }
    PrintWizardForms wizard(tabelaEmp, tabelaVinc, tabelaResp, anoRelatorio);
    forms::ShowModal(wizard.page2.get());
}
