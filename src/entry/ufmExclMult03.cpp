#include "ufmExclMult03.h"

#include "platform/ui/TickList.h"
#include "shell/ugFuncoes.h"
#include "ufmExclMult00.h"
#include "ufmExclMult04.h"

#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfmExclMult03::TfmExclMult03(TfmExclMult00& wizard)
    : forms::WizardPage(MaintenanceFrame("fmExclMult03", kExclMultCaption, &wizard.Encerrar, {}, "meDicas")),
      wizard_(wizard) {
    SetMemoLines({QStringLiteral("Selecione os empregados/servidores que deseja "),
                  QStringLiteral("excluir e clique no botão Avançar.")});
    Memo()->setMaximumHeight(50);
    clVinculos = new forms::TickList(Panel());
    clVinculos->setObjectName(QStringLiteral("clVinculos"));
    clVinculos->setFont(QFont(QStringLiteral("Monospace")));
    clVinculos->setUniformItemSizes(true);
    PanelLayout()->addWidget(clVinculos, 3);
    NextButton()->setDefault(true);
}

void TfmExclMult03::NextClicked() {
    if (CollectCheckedLines(clVinculos, wizard_.Linhas) == 0) {
        ShowMessageByCode(QStringLiteral("1310"));
        return;
    }
    GoNext(wizard_.fmExclMult04.get());
}
