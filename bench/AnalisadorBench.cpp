// Runs the analysis wizard offscreen on a declaration file of 50,000
// contracts (analysis, whole-declaration check and, when the check finds no
// error, the writing) and, in the same run, the analyser, the check and the
// writer called directly on the same file; the wizard is compared with the
// direct calls it made. Target: within 1.15 times the direct
// calls, under 18 s, peak memory under 150 MB.
#include "DeclarationFileBench.h"
#include "declfile/DeclarationWriter.h"
#include "declfile/MainWindowState.h"
#include "declfile/ufmAnalis00.h"
#include "declfile/ufmAnalis01.h"
#include "declfile/ugAnaliseEstrutura.h"
#include "platform/ui/Forms.h"
#include "platform/os/Drives.h"
#include "platform/ui/MessageService.h"
#include "rules/ugCriticaDeclaracao.h"
#include "support/ValidDeclaration.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>

namespace {

constexpr int kEstablishments = 10;
constexpr int kContractsEach = 5000;

// Every box answered as a user going ahead would.
class Answers : public msg::MessageHost {
public:
    QString show(const msg::BoxRequest& r) override {
        ++shown;
        return r.buttons == msg::BoxButtons::YesNo ? QStringLiteral("mrYes") : QStringLiteral("mrOk");
    }
    void beep() override {}
    int shown = 0;
};

class QuietCheck : public ValidationHost {
public:
    void ShowErrorLimit(const QString&) override {}
};

void clearOutput(const QString& folder) {
    for (const QString& f : QDir(folder + "/Transmite").entryList({"*.dec"}, QDir::Files))
        QFile::remove(folder + "/Transmite/" + f);
    RemoveAnalysisTables(false);
    RemoveAnalysisTables(true);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString dados = benchfile::PrepareProgramFolder(dir);
    // A declaration the check finds clean, written in one part as another
    // program would: no mark, no digest.
    valid::WriteDeclaration(kEstablishments, kContractsEach);
    const QString diskette = dir.filePath(QStringLiteral("A"));
    QDir().mkpath(diskette);
    drives::SetDrive('A', {diskette, drives::DriveType::Removable, 1000LL * 1000 * 1000});
    declfile::WriteRequest input;
    input.drive = 'A';
    input.dataFolder = dados;
    input.generationDate = QStringLiteral("15012010");
    declfile::WriterState inputState;
    forms::ProgressHost inputHost;
    if (declfile::WriteDeclarationFile(input, inputState, inputHost) != declfile::kWritten) return 1;
    drives::RemoveDrive('A');
    QFile made(inputState.ArquivoGerado);
    if (!made.open(QIODevice::ReadOnly)) return 1;
    QByteArray big = made.readAll();
    made.close();
    made.remove();
    big.replace(396, 2, "  ");
    big.replace(big.size() - 2 - 32, 32, QByteArray(32, ' '));
    const QString path = dir.filePath("Zuvo2009_grande.txt");
    benchfile::WriteBytes(path, big);
    for (const char* t : {"te8ProID.db", "te8ProES.db"})
        if (dmLobrix->dbZuvo->tableExists(t)) dmLobrix->dbZuvo->dropTable(t);
    clearOutput(dir.path());
    Answers answers;
    msg::SetMessageHost(&answers);

    // The direct calls.
    QElapsedTimer timer;
    timer.start();
    forms::ProgressHost quiet;
    declfile::TAnaliseEstrutura analyser;
    int establishments = 0, contracts = 0;
    const int analysed = analyser.AnalyseFile(path, 2009, quiet, dados, false, establishments, contracts, false);
    const qint64 analyseMs = timer.restart();
    QuietCheck checkHost;
    const int checked = ValidateDeclaration(checkHost, dados, 1, nullptr, QString(), 1, 0, 1);
    const qint64 checkMs = timer.restart();
    // The writer runs whatever the check found, so its time is known; the
    // wizard writes only when the check found no error.
    declfile::WriteRequest request;
    request.dataFolder = dados;
    request.fromWorkingTables = true;
    declfile::WriterState state = declfile::WriterStateFromProgram();
    const int written = declfile::WriteDeclarationFile(request, state, quiet);
    const qint64 writeMs = timer.restart();
    const qint64 directMs = analyseMs + checkMs + ((checked & 2) == 0 ? writeMs : 0);
    clearOutput(dir.path());

    // The wizard.
    bool wrote = false;
    forms::SetModalHandler([&](QWidget* form) -> int {
        auto* page = static_cast<forms::WizardPage*>(form);
        if (form->objectName() == "fmAnalis00") {
            form->findChild<QLineEdit*>("arquivo")->setText(path);
            page->NextButton()->click();
            return forms::mrNone;
        }
        if (form->objectName() == "fmAnalis01") {
            if (!page->NextButton()->isEnabled()) return forms::mrCancel;
            for (const char* name : {"cbDrive", "cbDriveAvisos"}) {
                auto* combo = form->findChild<QComboBox*>(name);
                combo->setCurrentIndex(combo->findText("Drive C:"));
            }
            page->NextButton()->click();
            return forms::mrNone;
        }
        wrote = true;
        return forms::mrCancel;
    });
    timer.restart();
    ShowAnalisador();
    const qint64 wizardMs = timer.elapsed();
    forms::SetModalHandler({});

    std::printf("file: %d establishments, %d contracts (analysis result %d, check result %d, write %d)\n",
                establishments, contracts, analysed, checked, written);
    std::printf("direct: analyse %lld ms + check %lld ms + write %lld ms; the wizard's share %lld ms\n",
                static_cast<long long>(analyseMs), static_cast<long long>(checkMs), static_cast<long long>(writeMs),
                static_cast<long long>(directMs));
    std::printf("wizard: %lld ms (%s), %.2fx the direct calls\n", static_cast<long long>(wizardMs),
                wrote ? "written" : "not written", double(wizardMs) / double(qMax<qint64>(1, directMs)));
    std::printf("peak memory: %ld KB\n", benchfile::PeakMemoryKb());
    msg::SetMessageHost(nullptr);
    delete dmLobrix;
    return 0;
}
