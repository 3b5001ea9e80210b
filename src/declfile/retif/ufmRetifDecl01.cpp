#include "declfile/retif/ufmRetifDecl01.h"

#include "declfile/MainWindowState.h"
#include "declfile/gravadecl/ufmGravaDecl00.h"
#include "declfile/retif/ufmRetifDecl02.h"
#include "declfile/retif/ufmRetifRegras.h"

#include "platform/ui/MessageService.h"
#include "shell/DeclarationTables.h"
#include "shell/UdmLobrix.h"
#include "shell/udmDadosResp.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

forms::WizardFrame firstFrame() {
    if (!dmDadosResp) dmDadosResp = new TdmDadosResp();
    dmDadosResp->ModoRetificacao = 1;
    dmDadosResp->TituloAssistente = QStringLiteral("Assistente para Retificação de Declaração");
    return GravaDeclFrame(QStringLiteral("fmretifdecl01"), QStringLiteral("meRetif01_"));
}

}  // namespace

TfmRetifDecl01::TfmRetifDecl01(QWidget* parent) : forms::WizardPage(firstFrame(), parent) {
    SetMemoLines({QStringLiteral("Clique em <Avançar> para selecionar os estabelecimentos e os empregados/servidores "
                                 "que devem ser retificados"),
                  QString(),
                  QStringLiteral("A correção dos dados do próprio estabelecimento é feita por meio da central de "
                                 "atendimento da declaração, cujo telefone é informado nos sítios oficiais da "
                                 "declaração.")});
    lblAno = AddYearLabel(this);
    BackButton()->setEnabled(false);
    pGuardaPosicao();

    db::Database& database = *TdmLobrix::OpenAlias();
    tablesReady_ = TryCopyTableStructure(QStringLiteral("BD8resp"), QStringLiteral("Te8resp"), database, true) &&
                   TryCopyTableStructure(QStringLiteral("BD8emp"), QStringLiteral("Te8emp"), database, true) &&
                   TryCopyTableStructure(QStringLiteral("BD8vinc"), QStringLiteral("Te8vinc"), database, true);
    if (!tablesReady_)
        msg::ShowError(QStringLiteral("Erro na inicialização dos arquivos para gravação de declaração.\r"
                                      "Processo será interrompido"));
}

TfmRetifDecl01::~TfmRetifDecl01() { FreeWizardModule(); }

void TfmRetifDecl01::pGuardaPosicao() {
    StoreGeometry(dmDadosResp->GeometriaAssistente);
    dmDadosResp->TituloAssistente = windowTitle();
}

void TfmRetifDecl01::PageShown() {
    setWindowTitle(dmDadosResp->TituloAssistente);
    NextButton()->setFocus();
}

void TfmRetifDecl01::bbAvancarClick() {
    if (!OpenWizardEstablishments(CancelButton())) return;
    GoNext(std::make_unique<TfmRetifDecl02>());
}

void ShowRetifDecl(QWidget* parent) {
    {
        TfmRetifRegras notice(parent);
        forms::ShowModal(&notice);
    }
    auto* page = new TfmRetifDecl01(parent);
    if (page->WorkingTablesReady()) forms::ShowModal(page);
    delete page;
}
