#include "platform/ui/LobrixApplication.h"
#include "shell/LobrixStartup.h"
#include "shell/ufmLOBRIX.h"

// Hands the main window's commands the forms of the subsystems built on top
// of the shell; a command left without a handler stays disabled.
static void RegisterCommandHandlers(TfmLOBRIX& /*window*/) {}

// The windows that live for the whole run, created after the data modules.
static void CreateStartupForms() {
    if (fmLOBRIX) RegisterCommandHandlers(*fmLOBRIX);
}

static void FreeStartupForms() {}

int main(int argc, char** argv) {
    LobrixApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("LOBRIX"));
    if (StartProgram(CreateStartupForms) != StartOutcome::Started) return 0;
    fmLOBRIX->showMaximized();
    const int rc = app.exec();
    EndProgram(FreeStartupForms);
    return rc;
}
