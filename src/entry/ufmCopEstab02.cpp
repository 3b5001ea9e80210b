#include "ufmCopEstab02.h"

#include "platform/ui/TickList.h"
#include "shell/ugFuncoes.h"
#include "ufmCopEstab00.h"
#include "ufmCopEstab01.h"
#include "ufmCopEstab03.h"

#include <QFrame>
#include <QPlainTextEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

MaintenanceButtons listButtons() {
    MaintenanceButtons b = CopEstabButtons();
    b.back = "btVoltar";
    b.next = "btAvancar";
    b.cancel = "btCancelar";
    return b;
}

}  // namespace

TfmCopEstab02::TfmCopEstab02(TfmCopEstab00& wizard)
    : forms::WizardPage(MaintenanceFrame("fmCopEstab02", kCopEstabCaption, &wizard.Encerrar, listButtons(), "meDicas")),
      wizard_(wizard) {
    SetMemoLines({QStringLiteral("Selecione os empregados que serão transferidos e clique no "),
                  QStringLiteral("botão Avançar.")});
    Memo()->setMaximumHeight(40);
    clVinculos = new forms::TickList(Panel());
    clVinculos->setObjectName(QStringLiteral("clVinculos"));
    clVinculos->setFont(QFont(QStringLiteral("Monospace")));
    clVinculos->setUniformItemSizes(true);
    auto* group = new QGroupBox(QStringLiteral("Seleção  "), Panel());
    auto* row = new QHBoxLayout(group);
    rbSelecaoLimpar = new QRadioButton(QStringLiteral("Limpar"), group);
    rbSelecaoLimpar->setObjectName(QStringLiteral("rbSelecaoLimpar"));
    rbSelecaoTodos = new QRadioButton(QStringLiteral("Todos empregados"), group);
    rbSelecaoTodos->setObjectName(QStringLiteral("rbSelecaoTodos"));
    row->addWidget(rbSelecaoLimpar);
    row->addWidget(rbSelecaoTodos);
    PanelLayout()->addWidget(clVinculos, 3);
    PanelLayout()->addWidget(group);
    NextButton()->setDefault(true);
    connect(rbSelecaoTodos, &QRadioButton::clicked, this, [this] { clVinculos->SetAllTicked(true); });
    connect(rbSelecaoLimpar, &QRadioButton::clicked, this, [this] { clVinculos->SetAllTicked(false); });
}

void TfmCopEstab02::PageShown() {
    // Shown again after the last page, the list starts afresh.
    FillEmployeeCheckList(clVinculos, wizard_.AnoBase, wizard_.Inscricao, wizard_.Prefixo, QLatin1Char('0'));
    for (QRadioButton* b : {rbSelecaoLimpar, rbSelecaoTodos}) {
        b->setAutoExclusive(false);
        b->setChecked(false);
        b->setAutoExclusive(true);
    }
    clVinculos->setFocus();
}

void TfmCopEstab02::NextClicked() {
    if (CollectCheckedLines(clVinculos, wizard_.Linhas) == 0) {
        ShowMessageByCode(QStringLiteral("1310"));
        return;
    }
    GoNext(wizard_.fmCopEstab03.get());
    wizard_.Linhas.clear();
}
