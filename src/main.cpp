#include "declfile/analis/ufmAnalis00.h"
#include "declfile/consulta/ufmConsultaDisquete.h"
#include "declfile/gravadecl/ufmGravaDecl00.h"
#include "declfile/import/ufmImport00.h"
#include "declfile/retif/ufmRetifDecl01.h"
#include "declfile/transmite/ufmTransmite.h"
#include "entry/StartupPickers.h"
#include "entry/ufmConEmpreg.h"
#include "entry/ufmConEstab.h"
#include "entry/ufmDadosEmpreg.h"
#include "entry/ufmDadosResp.h"
#include "entry/ufmExcluir.h"
#include "entry/ufmNovaDecl.h"
#include "entry/ufmSemEmpregados.h"
#include "platform/ui/Forms.h"
#include "shell/udmEntradaDados.h"
#include "platform/ui/LobrixApplication.h"
#include "platform/ui/QtTranslations.h"
#include "rules/ufmVerInco00.h"
#include "shell/LobrixStartup.h"
#include "shell/UfmRelatorio03.h"
#include "shell/udmRaveRelatorios.h"
#include "shell/ufmBackup00.h"
#include "shell/ufmLOBRIX.h"
#include "shell/ufmRestore00.h"

// "&Nova...": the new-declaration form leads to the establishment form (the
// employee form is made at start-up).
static void ComandoNova() {
    fmNovaDecl = new TfmNovaDecl(fmLOBRIX);
    forms::ShowModal(fmNovaDecl);
    // A row appended but never posted goes with the table.
    dmEntradaDados->ta8Empresa.Close();
    delete fmNovaDecl;
    fmLOBRIX->activateWindow();
}

// "&Abrir...": the establishment list in open mode.
static void ComandoAbrir() {
    fmConEstab->ModoExclusao = 0;
    forms::ShowModal(fmConEstab);
}

// "&Excluir...": the establishment list in delete mode, leading to the delete form.
static void ComandoExcluir() {
    fmExcluir = new TfmExcluir(fmLOBRIX);
    fmConEstab->ModoExclusao = 1;
    forms::ShowModal(fmConEstab);
    fmConEstab->ModoExclusao = 0;
    delete fmExcluir;
    fmExcluir = nullptr;
}

// Hands the main window's commands the forms of the subsystems built on top
// of the shell; a command left without a handler stays disabled.
static void RegisterCommandHandlers(TfmLOBRIX& window) {
    using C = LobrixCommand;
    window.SetCommandHandler(C::BackupGravar, [] { ShowBackupForm(fmLOBRIX->AnoBase, fmLOBRIX); });
    window.SetCommandHandler(C::BackupRestaurar, [] { ShowRestoreForm(fmLOBRIX->AnoBase, fmLOBRIX); });
    window.SetCommandHandler(C::VisualizarCartela, [] { VisualizarCartela(fmLOBRIX->Versao, fmLOBRIX->AnoBase); });
    window.SetCommandHandler(C::EmitirCartela, [] { EmitirCartela(fmLOBRIX->Versao, fmLOBRIX->AnoBase); });
    window.SetCommandHandler(C::Resp, [] { ShowDadosResp(fmLOBRIX); });
    window.SetCommandHandler(C::Nova, ComandoNova);
    window.SetCommandHandler(C::Abrir, ComandoAbrir);
    window.SetCommandHandler(C::Excluir, ComandoExcluir);
    window.SetCommandHandler(C::VerInco, [] { ShowVerInco(); });
    window.SetCommandHandler(C::Relatorio, [] { ShowPrintWizard(); });
    window.SetCommandHandler(C::ImprimirDeclaracao, [] { ShowPrintWizardDeclaration(); });
    window.SetCommandHandler(C::Gravar, [] { ShowGravaDecl(fmLOBRIX); });
    window.SetCommandHandler(C::Analisador, [] { ShowAnalisador(fmLOBRIX); });
    window.SetCommandHandler(C::Particionar, [] { ShowParticionar(fmLOBRIX); });
    window.SetCommandHandler(C::ImpAnoAnterior, [] { ShowImportWizard(fmLOBRIX, QStringLiteral("Anterior - Ano 2008")); });
    window.SetCommandHandler(C::ImpAnoAtual, [] { ShowImportWizard(fmLOBRIX, QStringLiteral("Atual - Ano 2009")); });
    window.SetCommandHandler(C::Retif, [] { ShowRetifDecl(fmLOBRIX); });
    window.SetCommandHandler(C::ConsDisq, [] { ShowConsultaDisquete(fmLOBRIX); });
    window.SetCommandHandler(C::Transmite, [] { ShowTransmite(fmLOBRIX); });
    window.SetCommandHandler(C::ImprimirProtocolo, [] { ShowProtocoloTransmissao(fmLOBRIX); });
}

// The windows and modules that live for the whole run, created after the
// data modules, in their order of creation.
static void CreateStartupForms() {
    CreateStartupPickers();
    fmConEmpreg = new TfmConEmpreg(fmLOBRIX);
    fmConEstab = new TfmConEstab(fmLOBRIX);
    fmSemEmpregados = new TfmSemEmpregados;
    dmRaveRelatorios = new TdmRaveRelatorios;
    fmConsultaDisquete = new TfmConsultaDisquete;
    fmTransmite = new TfmTransmite;
    // One employee form serves every contract opened in the run.
    fmDadosEmpreg = new TfmDadosEmpreg;
    if (fmLOBRIX) RegisterCommandHandlers(*fmLOBRIX);
}

static void FreeStartupForms() {
    delete fmTransmite;
    fmTransmite = nullptr;
    delete fmConsultaDisquete;
    fmConsultaDisquete = nullptr;
    delete fmDadosEmpreg;
    fmDadosEmpreg = nullptr;
    delete dmRaveRelatorios;
    dmRaveRelatorios = nullptr;
    delete fmSemEmpregados;
    delete fmConEstab;
    fmConEstab = nullptr;
    delete fmConEmpreg;
    fmConEmpreg = nullptr;
    FreeStartupPickers();
}

int main(int argc, char** argv) {
    LobrixApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("LOBRIX"));
    ui::InstallQtTranslations();
    if (StartProgram(CreateStartupForms) != StartOutcome::Started) return 0;
    if (!ShowMainWindow()) {
        EndProgram(FreeStartupForms);
        return 0;
    }
    const int rc = app.exec();
    EndProgram(FreeStartupForms);
    return rc;
}
