#include "ufmRelatorio00.h"

#include "UfmRelatorio03.h"
#include "ufmLOBRIX.h"
#include "ufmRelatorio01.h"

#include "platform/ui/EntryWidgets.h"

#include <QRadioButton>
#include <QVBoxLayout>

TfmRelatorio00* fmRelatorio00 = nullptr;

namespace {
// The sort orders as the report prints them and the page passes them on.
const QStringList kClassificacoes = {QStringLiteral("código PIS/PASEP"), QStringLiteral("Nome do empregado"),
                                     QStringLiteral("Para uso da empresa")};
}  // namespace

TfmRelatorio00::TfmRelatorio00(QWidget* parent)
    : forms::WizardPage(RelatorioFrame(QStringLiteral("fmRelatorio00"), QStringLiteral("Assistente para Imprimir Declaração")),
                        parent) {
    rgClassificacao = new ui::RadioGroup(QStringLiteral("Classificar relatório por "),
                                         {QStringLiteral("Código PIS/PASEP"), QStringLiteral("Nome do empregado"),
                                          QStringLiteral("Para uso da empresa")},
                                         1, Panel());
    rgClassificacao->setObjectName(QStringLiteral("rgClassificacao"));
    rgClassificacao->SetItemIndex(0);
    PanelLayout()->addStretch();
    PanelLayout()->addWidget(rgClassificacao);
    PanelLayout()->addStretch();
}

TfmRelatorio00::~TfmRelatorio00() {
    if (fmRelatorio00 == this) fmRelatorio00 = nullptr;
}

void TfmRelatorio00::PageShown() { rgClassificacao->FocusChosenOrFirst(); }

void TfmRelatorio00::BtAvancarClick() {
    const int item = rgClassificacao->ItemIndex();
    fmRelatorio01->ClassificacaoRelatorio = kClassificacoes.value(item < 0 ? 0 : item);
    GoNext(fmRelatorio01);
}

void TfmRelatorio00::BtCancelarClick() {
    if (fmLOBRIX) fmLOBRIX->CreaRelatorio = QStringLiteral(" ");
    CancelWizard();
}
