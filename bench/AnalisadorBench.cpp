// Runs the analysis wizard offscreen on a declaration file of 50,000
// contracts (analysis, whole-declaration check and, when the check finds no
// error, the writing) and, in the same run, the analyser, the check and the
// writer called directly on the same file; the wizard is compared with the
// direct calls it made, the two taken in turn three times, their first run
// and their best. Target: within 1.15 times the direct
// calls, under 18 s, peak memory under 150 MB.
#include "DeclarationFileBench.h"
#include "RawLimit.h"
#include "declfile/DeclarationWriter.h"
#include "declfile/MainWindowState.h"
#include "declfile/analis/ufmAnalis00.h"
#include "declfile/analis/ufmAnalis01.h"
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
    // "--contracts N" (all establishments together) and "--rounds N" make a
    // smaller run to profile.
    const int rounds = bench::IntOption(argc, argv, "--rounds", 3);
    valid::WriteDeclaration(kEstablishments, bench::IntOption(argc, argv, "--contracts", 50000) / kEstablishments);
    forms::ProgressHost inputHost;
    const QString onePart = benchfile::WriteOnePart(dir, dados, inputHost);
    if (onePart.isEmpty()) return 1;
    QFile made(onePart);
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

    // Each round: the direct calls, then the wizard.
    rawlimit::Timing analyse, check, write, direct, wizard;
    int establishments = 0, contracts = 0, analysed = -1, checked = -1, written = -1;
    bool wrote = true;
    for (int round = 0; round < rounds; ++round) {
        forms::ProgressHost quiet;
        declfile::TAnaliseEstrutura analyser;
        const rawlimit::Time analyseTime = rawlimit::TimeOf([&] {
            analysed = analyser.AnalyseFile(path, 2009, quiet, dados, false, establishments, contracts, false);
        });
        QuietCheck checkHost;
        const rawlimit::Time checkTime =
            rawlimit::TimeOf([&] { checked = ValidateDeclaration(checkHost, dados, 1, nullptr, QString(), 1, 0, 1); });
        // The writer runs whatever the check found, so its time is known; the
        // wizard writes only when the check found no error.
        const rawlimit::Time writeTime = rawlimit::TimeOf([&] {
            declfile::WriteRequest request;
            request.dataFolder = dados;
            request.fromWorkingTables = true;
            declfile::WriterState state = declfile::WriterStateFromProgram();
            written = declfile::WriteDeclarationFile(request, state, quiet);
        });
        analyse.Keep(analyseTime);
        check.Keep(checkTime);
        write.Keep(writeTime);
        rawlimit::Time share = analyseTime;
        share += checkTime;
        if ((checked & 2) == 0) share += writeTime;
        direct.Keep(share);
        clearOutput(dir.path());

        bool roundWrote = false;
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
            roundWrote = true;
            return forms::mrCancel;
        });
        wizard.Keep(rawlimit::TimeOf([] { ShowAnalisador(); }));
        forms::SetModalHandler({});
        wrote = wrote && roundWrote;
        clearOutput(dir.path());
    }

    std::printf("file: %d establishments, %d contracts (analysis result %d, check result %d, write %d)\n",
                establishments, contracts, analysed, checked, written);
    std::printf("                          first   best    (wall ms)\n");
    std::printf("direct: analyse          %6.0f %6.0f\n", analyse.first.wall, analyse.best.wall);
    std::printf("        check            %6.0f %6.0f\n", check.first.wall, check.best.wall);
    std::printf("        write            %6.0f %6.0f\n", write.first.wall, write.best.wall);
    std::printf("        the wizard's share %4.0f %6.0f\n", direct.first.wall, direct.best.wall);
    std::printf("wizard (%s)       %6.0f %6.0f\n", wrote ? "written" : "NOT written", wizard.first.wall,
                wizard.best.wall);
    std::printf("wizard / direct: first %.2f, best %.2f (CPU %.2f, %.2f; target <= 1.15, wizard < 18000 ms)\n",
                wizard.first.wall / direct.first.wall, wizard.best.wall / direct.best.wall,
                wizard.first.cpu / direct.first.cpu, wizard.best.cpu / direct.best.cpu);
    std::printf("peak memory: %ld KB\n", benchfile::PeakMemoryKb());
    msg::SetMessageHost(nullptr);
    delete dmLobrix;
    return 0;
}
