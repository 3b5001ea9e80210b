#include "entry/StartupPickers.h"
#include "declfile/ufmAnalis00.h"
#include "declfile/ufmGravaDecl00.h"
#include "entry/ufmDadosResp.h"
#include "entry/ufmSemEmpregados.h"
#include "platform/ui/LobrixApplication.h"
#include "shell/LobrixStartup.h"
#include "shell/udmRaveRelatorios.h"
#include "shell/ufmBackup00.h"
#include "shell/ufmLOBRIX.h"
#include "shell/ufmRestore00.h"

// Hands the main window's commands the forms of the subsystems built on top
// of the shell; a command left without a handler stays disabled.
static void RegisterCommandHandlers(TfmLOBRIX& window) {
    using C = LobrixCommand;
    window.SetCommandHandler(C::BackupGravar, [] { ShowBackupForm(fmLOBRIX->AnoBase, fmLOBRIX); });
    window.SetCommandHandler(C::BackupRestaurar, [] { ShowRestoreForm(fmLOBRIX->AnoBase, fmLOBRIX); });
    window.SetCommandHandler(C::VisualizarCartela, [] { VisualizarCartela(fmLOBRIX->Versao, fmLOBRIX->AnoBase); });
    window.SetCommandHandler(C::EmitirCartela, [] { EmitirCartela(fmLOBRIX->Versao, fmLOBRIX->AnoBase); });
    window.SetCommandHandler(C::Resp, [] { ShowDadosResp(fmLOBRIX); });
    window.SetCommandHandler(C::Gravar, [] { ShowGravaDecl(fmLOBRIX); });
    window.SetCommandHandler(C::Analisador, [] { ShowAnalisador(fmLOBRIX); });
    window.SetCommandHandler(C::Particionar, [] { ShowParticionar(fmLOBRIX); });
}

// The windows and modules that live for the whole run, created after the
// data modules, in their order of creation.
static void CreateStartupForms() {
    CreateStartupPickers();
    fmSemEmpregados = new TfmSemEmpregados;
    dmRaveRelatorios = new TdmRaveRelatorios;
    if (fmLOBRIX) RegisterCommandHandlers(*fmLOBRIX);
}

static void FreeStartupForms() {
    delete dmRaveRelatorios;
    dmRaveRelatorios = nullptr;
    delete fmSemEmpregados;
    FreeStartupPickers();
}

int main(int argc, char** argv) {
    LobrixApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("LOBRIX"));
    if (StartProgram(CreateStartupForms) != StartOutcome::Started) return 0;
    if (!ShowMainWindow()) {
        EndProgram(FreeStartupForms);
        return 0;
    }
    const int rc = app.exec();
    EndProgram(FreeStartupForms);
    return rc;
}
