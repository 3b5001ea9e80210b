#include "UfmRelatorio02.h"

#include "UfmRelatorio03.h"
#include "ufmLOBRIX.h"
#include "ufmRelatorio00.h"
#include "ufmRelatorio01.h"

#include "platform/ui/EntryWidgets.h"

#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

TfmRelatorio02* fmRelatorio02 = nullptr;

TfmRelatorio02::TfmRelatorio02(QWidget* parent)
    : forms::WizardPage(RelatorioFrame(QStringLiteral("fmRelatorio02"), QStringLiteral("Assistente para Imprimir Declaração")),
                        parent) {
    lblAno = new QLabel(Panel());
    lblAno->setObjectName(QStringLiteral("lblAno"));
    QFont bold = lblAno->font();
    bold.setBold(true);
    lblAno->setFont(bold);
    rgTipo = new ui::RadioGroup(
        QString(),
        // Two lines each, so that the whole text fits the page.
        {QStringLiteral("Completo (informação completa do estabelecimento\ne dos empregados)"),
         QStringLiteral("Resumido (informação completa do estabelecimento\ne a relação dos empregados)")},
        1, Panel());
    rgTipo->setObjectName(QStringLiteral("rgTipo"));
    PanelLayout()->addWidget(lblAno);
    PanelLayout()->addStretch();
    PanelLayout()->addWidget(rgTipo);
    PanelLayout()->addStretch();
}

TfmRelatorio02::~TfmRelatorio02() {
    if (fmRelatorio02 == this) fmRelatorio02 = nullptr;
}

void TfmRelatorio02::PageShown() {
    rgTipo->SetItemIndex(0);
    lblAno->setText(QStringLiteral("Ano-Base da declaração ") + AnoRelatorio);
    rgTipo->Button(0)->setFocus();
}

void TfmRelatorio02::BtAvancarClick() {
    const bool completo = rgTipo->ItemIndex() != 1;
    fmRelatorio01->ModoCompleto = completo ? 1 : 0;
    fmRelatorio01->TituloRelatorio = completo ? QStringLiteral("Relatório Completo do Estabelecimento")
                                              : QStringLiteral("Relatório Resumido do Estabelecimento");
    fmRelatorio01->AnoRelatorio = AnoRelatorio;
    GoNext(fmRelatorio00);
}

void TfmRelatorio02::BtCancelarClick() {
    if (fmLOBRIX) fmLOBRIX->CreaRelatorio = QStringLiteral(" ");
    CancelWizard();
}
