#include "ufmVerInco00.h"

#include "ufmVerInco01.h"
#include "ufmVerInco02.h"

#include "platform/ui/Forms.h"
#include "platform/ui/TickList.h"
#include "shell/udmDadosResp.h"
#include "shell/ufmLOBRIX.h"
#include "shell/ugFuncoes.h"
#include "shell/ugListasAssistente.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfmVerInco00* fmVerInco00 = nullptr;

namespace {
// Set by a Cancel or Close past the first page: every page of the chain closes.
std::uint8_t g_endWizard = 0;

int anoBase() { return fmLOBRIX ? fmLOBRIX->AnoBase : 2009; }
}  // namespace

forms::WizardFrame VerIncoFrame(const QString& objectName, const QString& memoName) {
    // The first page loads the picture; the others take the same.
    static QImage picture;
    if (picture.isNull()) picture = WizardPicture();
    forms::WizardFrame f = PlainWizardFrame(
        objectName, QStringLiteral("Assistente para Verificar Inconsistências das Declarações"), picture, &g_endWizard);
    f.memoName = memoName;
    return f;
}

TfmVerInco00::TfmVerInco00(QWidget* parent)
    : forms::WizardPage(VerIncoFrame(QStringLiteral("fmVerInco00"), QStringLiteral("Memo2")), parent) {
    SetMemoLines({QString(), QString(),
                  QStringLiteral("Este assistente possibilita a você avaliar as informações digitadas relativas ao "),
                  QStringLiteral("estabelecimento e seus empregados/servidores.")});
    dgExercicio = new QGroupBox(Panel());
    dgExercicio->setObjectName(QStringLiteral("dgExercicio"));
    auto* box = new QVBoxLayout(dgExercicio);
    lblAno = new QLabel(dgExercicio);
    lblAno->setObjectName(QStringLiteral("lblAno"));
    QFont bold = lblAno->font();
    bold.setBold(true);
    lblAno->setFont(bold);
    box->addWidget(lblAno);
    PanelLayout()->addWidget(dgExercicio);
    BackButton()->setEnabled(false);
}

TfmVerInco00::~TfmVerInco00() {
    if (fmVerInco00 == this) fmVerInco00 = nullptr;
}

void TfmVerInco00::PageShown() {
    lblAno->setText(QStringLiteral("Declaração Ano-Base ") + QString::number(anoBase()));
    FillEstablishmentCheckList(fmVerInco01->LEmpresas, QString::number(anoBase()), QLatin1Char('S'), QLatin1Char('0'));
    if (fmVerInco01->LEmpresas->count() == 0) {
        ShowMessageByCode(QStringLiteral("1700"));
        NextButton()->setEnabled(false);
        CancelButton()->setFocus();
        return;
    }
    NextButton()->setEnabled(true);
    NextButton()->setFocus();
}

void TfmVerInco00::BtAvancarClick() { GoNext(fmVerInco01); }

void ShowVerInco() {
    g_endWizard = 0;
    auto intro = std::make_unique<TfmVerInco00>();
    auto selection = std::make_unique<TfmVerInco01>();
    auto result = std::make_unique<TfmVerInco02>();
    fmVerInco00 = intro.get();
    fmVerInco01 = selection.get();
    fmVerInco02 = result.get();
    forms::ShowModal(intro.get());
}
