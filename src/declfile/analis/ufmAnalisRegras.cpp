#include "declfile/analis/ufmAnalisRegras.h"

#include "declfile/MainWindowState.h"
#include "declfile/analis/ufmAnalis00.h"
#include "declfile/import/ufmImport02.h"

#include "shell/udmDadosResp.h"

#include <QLabel>
#include <QPointer>
#include <QPlainTextEdit>

namespace {

forms::WizardFrame frame() {
    forms::WizardFrame f;
    f.objectName = QStringLiteral("fmAnalisRegras");
    f.caption = QStringLiteral("Acertando o arquivo através do LOBRIX");
    f.picture = fmAnalis00 ? fmAnalis00->Picture()->pixmap().toImage() : WizardPicture();
    f.pictureName = QStringLiteral("imAnalisRegras");
    f.memoName = QStringLiteral("Memo1");
    f.backName.clear();
    f.nextName = QStringLiteral("BtFechar");
    f.nextText = QStringLiteral("C&onfirma");
    f.cancelName = QStringLiteral("BtCancelar");
    f.design = {615, 352};
    f.wide = {820, 470};
    return f;
}

}  // namespace

TfmAnalisRegras::TfmAnalisRegras(QWidget* parent) : forms::WizardPage(frame(), parent) {
    const QString y = QString::number(declfile::ProgramAnoBase());
    Memo1 = Memo();
    SetMemoLines({QStringLiteral("Para corrigir o arquivo através do LOBRIX") + y +
                      QStringLiteral(", todos os seus estabelecimentos serão importados para as tabelas do sistema, "
                                     "conforme as regras da importação:"),
                  QString(),
                  QStringLiteral("  - o estabelecimento que já existe no sistema mantém os seus dados de empregador "
                                 "e recebe apenas os empregados que ainda não possui;"),
                  QStringLiteral("  - o estabelecimento novo é importado com todos os seus empregados."), QString(),
                  QStringLiteral("Depois da importação, corrija as informações através da opção Declaração - "
                                 "Abrir..., examine-as com a Verificação de Inconsistências e grave o arquivo "
                                 "novamente."),
                  QString(), QStringLiteral("Clique no botão <Confirma> para importar os estabelecimentos.")});
}

void TfmAnalisRegras::BtFecharClick() {
    const int year = declfile::ProgramAnoBase();
    QPointer<TfmAnalisRegras> self(this);
    hide();
    // The analysed file's rows are of the base year: every one of them is offered.
    ShowImportSelection(parentWidget(), ImportWizardCaption(QString::number(year)), year, false, true);
    if (self) Finish(forms::mrCancel);
}
