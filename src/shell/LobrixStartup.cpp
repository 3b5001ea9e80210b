#include "shell/LobrixStartup.h"

#include "platform/os/SingleInstance.h"
#include "platform/ui/LobrixApplication.h"
#include "platform/ui/MessageService.h"
#include "shell/ugExcecao.h"
#include "shell/UdmLobrix.h"
#include "shell/Ugvertab.h"
#include "shell/udmEntradaDados.h"
#include "shell/ufmInicioRegras.h"
#include "shell/ufmLOBRIX.h"
#include "shell/ufmSplash.h"
#include "shell/ugMultInst.h"

#include <QApplication>
#include <memory>

namespace {
std::unique_ptr<os::NamedMutex>& programMutex() {
    static std::unique_ptr<os::NamedMutex> mutex;
    return mutex;
}
}  // namespace

StartOutcome StartProgram(const std::function<void()>& createForms) {
    // The main window installs it too; before it exists, start-up failures are fatal all the same.
    InstallFatalErrorHandler();
    if (!MultInstInitialize()) return StartOutcome::OtherInstance;

    auto mutex = std::make_unique<os::NamedMutex>(QString::fromLatin1(kProgramMutexName));
    if (mutex->alreadyExists()) {
        msg::ShowError(QStringLiteral("Este programa já está sendo executado."));
        MultInstFinalize();
        return StartOutcome::AlreadyRunning;
    }
    programMutex() = std::move(mutex);

    auto splash = std::make_unique<TfmSplash>();
    splash->show();
    QApplication::processEvents();

    if (!CheckTablesAtStartup()) {
        msg::ShowWarning(QStringLiteral("Faltam arquivos para execução do sistema. Instale novamente o LOBRIX."));
        splash.reset();
        programMutex().reset();
        MultInstFinalize();
        return StartOutcome::MissingFiles;
    }

    // A table that cannot be opened ends the program through the fatal-error box.
    const bool created = appguard::RunGuarded([&] {
        dmLobrix = new TdmLobrix;
        auto* window = new TfmLOBRIX;
        fmLOBRIX = window;
        MultInstSetMainForm(window);
        dmEntradaDados = new TdmEntradaDados;
        CreateStartupTips(*window);
        if (createForms) createForms();
    });
    if (!created) {
        splash.reset();
        EndProgram();
        return StartOutcome::Failed;
    }

    splash->hide();
    splash.reset();
    return StartOutcome::Started;
}

void EndProgram(const std::function<void()>& freeForms) {
    if (freeForms) freeForms();
    FreeStartupTips();
    MultInstSetMainForm(nullptr);
    delete fmLOBRIX;
    // The main window's close handler may have freed them already.
    delete dmEntradaDados;
    delete dmLobrix;
    programMutex().reset();
    MultInstFinalize();
}
