#include "shell/LobrixStartup.h"

#include "platform/AppPaths.h"
#include "platform/db/Database.h"
#include "platform/os/FileSet.h"
#include "platform/os/SingleInstance.h"
#include "platform/ui/LobrixApplication.h"
#include "platform/ui/MessageService.h"
#include "shell/ugExcecao.h"
#include "shell/UdmLobrix.h"
#include "shell/RestoreSwap.h"
#include "shell/StartupDebris.h"
#include "shell/Ugvertab.h"
#include "shell/ufmRestore00.h"
#include "shell/udmEntradaDados.h"
#include "shell/ufmInicioRegras.h"
#include "shell/ufmLOBRIX.h"
#include "shell/ufmSplash.h"
#include "shell/ugMultInst.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>
#include <optional>

namespace {
std::unique_ptr<os::NamedMutex>& programMutex() {
    static std::unique_ptr<os::NamedMutex> mutex;
    return mutex;
}
std::unique_ptr<db::FolderUse>& folderUse() {
    static std::unique_ptr<db::FolderUse> use;
    return use;
}

QString MainFileProblemText(const QString& path) {
    return QStringLiteral("Não foi possível abrir o arquivo \"%1\" da pasta Dados.\n"
                          "Sem ele, uma gravação interrompida (por uma queda de energia, por exemplo) pode deixar "
                          "as tabelas da declaração em desacordo entre si.\n"
                          "Apague esse arquivo ou libere o acesso a ele e inicie o LOBRIX novamente.")
        .arg(QDir::toNativeSeparators(path));
}

// The table check, and the restore of a backup when a declaration table is
// damaged: the main window, whose menu holds the restore, never opens on a
// damaged table. Started when the tables are usable.
StartOutcome CheckTablesOrRestore(QWidget& splash) {
    for (;;) {
        TableProblem problem;
        if (CheckTablesAtStartup(&problem)) return StartOutcome::Started;
        switch (problem.kind) {
        case TableProblem::Missing:
            msg::ShowWarning(QStringLiteral("Faltam arquivos para execução do sistema. Instale novamente o LOBRIX."));
            return StartOutcome::MissingFiles;
        case TableProblem::InUse:
            // Intact, and perhaps newer than any backup: never advise a restore.
            msg::ShowWarning(problem.text.isEmpty() ? TableInUseMessage(problem.path) : problem.text);
            return StartOutcome::TableInUse;
        case TableProblem::Damaged:
        case TableProblem::None:
            break;
        }
        if (!IsDeclarationTableFile(problem.path)) {
            msg::ShowError(DamagedTableMessage(problem.path));
            return StartOutcome::DamagedFile;
        }
        splash.hide();
        const bool restore = msg::ShowBox(msg::BoxKind::Error, DamagedTableRestoreQuestion(problem.path),
                                          msg::BoxButtons::YesNo) == QLatin1String("mrYes");
        if (!restore || !ShowRestoreForm(TfmLOBRIX::kAnoBase)) return StartOutcome::DamagedFile;
        // The tables restored are checked again, as any others.
        splash.show();
        QApplication::processEvents();
    }
}

}  // namespace

StartOutcome StartProgram(const std::function<void()>& createForms) {
    // The main window installs it too; before it exists, start-up failures are fatal all the same.
    InstallFatalErrorHandler();
    if (!MultInstInitialize()) {
        if (!MultInstCannotLock()) return StartOutcome::OtherInstance;
        msg::ShowError(MultInstCannotLockText());
        return StartOutcome::Failed;
    }

    auto mutex = std::make_unique<os::NamedMutex>(QString::fromLatin1(kProgramMutexName));
    if (mutex->cannotLock()) {
        msg::ShowError(MultInstCannotLockText());
        MultInstFinalize();
        return StartOutcome::Failed;
    }
    if (mutex->alreadyExists()) {
        msg::ShowError(QStringLiteral("Este programa já está sendo executado."));
        MultInstFinalize();
        return StartOutcome::AlreadyRunning;
    }
    programMutex() = std::move(mutex);

    auto splash = std::make_unique<TfmSplash>();
    splash->show();
    QApplication::processEvents();

    // What an earlier run left half done is mended only while no other copy
    // (another user's, on the same Dados) uses the folder: its restore, its
    // write or its analysis may be running now.
    auto use = std::make_unique<db::FolderUse>(AppPaths::dataFolder());
    if (use->TakeAlone()) {
        // A restore that a crash interrupted is finished or undone before any
        // table is looked at.
        FinishInterruptedRestore(AppPaths::dataFolder());
        // Parts of a declaration written in full before a crash take their names;
        // parts of a write that never finished are only debris.
        const QString transmite = AppPaths::findNoCase(AppPaths::programFolder(), QStringLiteral("Transmite"));
        // A record that still cannot be completed keeps the files it names.
        if (os::FinishInterruptedRenames(transmite))
            for (const QString& debris :
                 QDir(transmite).entryList({QStringLiteral("*.dec.tmp")}, QDir::Files | QDir::Hidden))
                QFile::remove(QDir(transmite).filePath(debris));
        RemoveUnfinishedRunDebris(AppPaths::dataFolder());
    }
    use->Share();
    folderUse() = std::move(use);
    const StartOutcome checked = CheckTablesOrRestore(*splash);
    if (checked != StartOutcome::Started) {
        splash.reset();
        folderUse().reset();
        programMutex().reset();
        MultInstFinalize();
        return checked;
    }

    // The output folder of drive C:, so that a first write finds it. When it
    // cannot be made the writer names the folder and the cause.
    if (const QString transmit = AppPaths::findNoCase(AppPaths::programFolder(), QStringLiteral("Transmite"));
        !QFileInfo::exists(transmit))
        QDir().mkpath(transmit);

    // A table that cannot be opened ends the program through the fatal-error
    // box; one that another copy took since the check is in use, as above.
    std::optional<db::DbError> inUse;
    const bool created = appguard::RunGuarded([&] {
        try {
            dmLobrix = new TdmLobrix;
            auto* window = new TfmLOBRIX;
            fmLOBRIX = window;
            MultInstSetMainForm(window);
            dmEntradaDados = new TdmEntradaDados;
            CreateStartupTips(*window);
            if (createForms) createForms();
        } catch (const db::DbError& e) {
            if (e.kind() != db::ErrorKind::Busy) throw;
            inUse = e;
        }
    });
    if (inUse) {
        splash.reset();
        EndProgram();
        msg::ShowWarning(inUse->noWriteAccess() ? ExpectedEngineErrorText(*inUse)
                                                : QStringLiteral("Nenhum usuário pode estar usando o sistema: \"%1\"")
                                                      .arg(inUse->text()));
        return StartOutcome::TableInUse;
    }
    if (!created) {
        splash.reset();
        EndProgram();
        return StartOutcome::Failed;
    }
    splash->hide();
    splash.reset();
    // Without the main file, the tables that one step changes together are
    // written one by one: said once, so that the user can mend it.
    if (const QString problem = dmLobrix->dbZuvo->MainFileProblem(); !problem.isEmpty())
        msg::ShowWarning(MainFileProblemText(problem));
    return StartOutcome::Started;
}

bool ShowMainWindow() {
    if (!fmLOBRIX) return false;
    // An error in the first show reaches the fatal-error box, whose request
    // to end cannot stop a message loop that has not started yet.
    const bool shown = appguard::RunGuarded([] { fmLOBRIX->showMaximized(); });
    return shown && !appguard::TerminateRequested();
}

void EndProgram(const std::function<void()>& freeForms) {
    if (freeForms) freeForms();
    FreeStartupTips();
    MultInstSetMainForm(nullptr);
    delete fmLOBRIX;
    // The main window's close handler may have freed them already.
    delete dmEntradaDados;
    delete dmLobrix;
    folderUse().reset();
    programMutex().reset();
    MultInstFinalize();
}
