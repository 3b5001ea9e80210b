// The writing wizard's pages 3 to 5 over the check benchmark's declaration
// (one establishment with 50,000 contracts plus 200 with 50 each), run
// offscreen: from page 3's Next to page 5 showing. Beside it, in the same
// run, the whole-declaration check and the writer called directly; the two
// taken in turn three times, their first run and their best. Target:
// the wizard within 1.15 times the direct calls, under 14 s on two cores,
// peak memory under 150 MB.
#include "RawLimit.h"
#include "declfile/DeclarationWriter.h"
#include "declfile/gravadecl/ufmGravaDecl00.h"
#include "declfile/gravadecl/ufmGravaDecl01.h"
#include "platform/AppPaths.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MaskAdapter.h"
#include "platform/ui/MessageService.h"
#include "rules/ugCriticaDeclaracao.h"
#include "shell/UdmLobrix.h"
#include "shell/udmDadosResp.h"

// The test generator of valid records, built into this program as it stands.
#include "support/Builders.h"
#include "support/ValidDeclaration.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

// Yes to the overwrite question of the second write, OK to the rest.
class Answers : public msg::MessageHost {
public:
    QString show(const msg::BoxRequest& r) override {
        ++shown;
        return r.buttons == msg::BoxButtons::Ok ? QStringLiteral("mrOk") : QStringLiteral("mrYes");
    }
    void beep() override {}
    int shown = 0;
};

class QuietHost : public ValidationHost {
public:
    void ShowErrorLimit(const QString&) override {}
};

void click(QWidget* form, const char* name) {
    if (auto* b = form->findChild<QPushButton*>(QString::fromLatin1(name))) b->click();
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString dados = bench::CopyProgramFolder(dir);
    dmLobrix = new TdmLobrix;
    Answers answers;
    msg::SetMessageHost(&answers);

    const int establishments = 201;
    // "--contracts N" and "--rounds N" make a smaller run to profile.
    const int rounds = bench::IntOption(argc, argv, "--rounds", 3);
    valid::WriteLargeDeclaration(bench::IntOption(argc, argv, "--contracts", 50000), establishments - 1, 50);

    QStringList items;
    {
        db::Query q(dmLobrix->dbZuvo);
        q.SetSQL(QStringLiteral("SELECT AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento FROM BD8Emp "
                                "ORDER BY CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento"));
        q.Open();
        for (q.First(); !q.Eof(); q.Next()) items << q.Fields(0).AsString() + q.Fields(1).AsString() + q.Fields(2).AsString();
    }

    // Each round: the direct calls, then the wizard from page 3's Next to page 5.
    rawlimit::Timing check, write, direct, wizard;
    ValidationResult checked = 0;
    int written = -1;
    bool reached = true;
    int wizardChecked = -1;
    for (int round = 0; round < rounds; ++round) {
        QuietHost checkHost;
        const std::vector<bool> all(establishments, true);
        const rawlimit::Time checkTime = rawlimit::TimeOf(
            [&] { checked = ValidateDeclaration(checkHost, dados, 0, &all, QStringLiteral("2009"), 0, 0, 0); });
        declfile::WriterState state;
        declfile::WriterHost writerHost;
        declfile::WriteRequest request;
        request.establishments = &items;
        request.dataFolder = dados;
        request.generationDate = QStringLiteral("15012010");
        request.generationTime = QStringLiteral("101500");
        const rawlimit::Time writeTime =
            rawlimit::TimeOf([&] { written = declfile::WriteDeclarationFile(request, state, writerHost); });
        check.Keep(checkTime);
        write.Keep(writeTime);
        rawlimit::Time both = checkTime;
        both += writeTime;
        direct.Keep(both);

        TfmGravaDecl00 first;
        dmDadosResp->AnoBaseAssistente = QStringLiteral("2009");
        for (const QString& item : items) first.lbEmpresas00->addItem(item);
        first.lbEmpresas00->selectAll();
        QElapsedTimer timer;
        double startCpu = 0;
        rawlimit::Time wizardTime{-1, -1};
        forms::SetModalHandler([&](QWidget* form) {
            const QString name = form->objectName();
            if (name == QLatin1String("fmGravaDecl01")) {
                timer.start();
                startCpu = rawlimit::CpuMs();
                click(form, "bbAvancar");
            } else if (name == QLatin1String("fmGravaDecl03")) {
                for (const char* edit : {"mdDataConcluir", "mdDataAvisos"})
                    ui::SetEditValue(form->findChild<QLineEdit*>(QString::fromLatin1(edit)), QStringLiteral("15012010"));
                for (const char* combo : {"cbDriveConcluir", "cbDriveAvisos"}) {
                    auto* c = form->findChild<QComboBox*>(QString::fromLatin1(combo));
                    c->setCurrentIndex(c->findText(QStringLiteral("Drive C:")));
                }
                click(form, "bbAvancar");
            } else if (name == QLatin1String("fmGravaDecl04")) {
                wizardTime = {double(timer.nsecsElapsed()) / 1e6, rawlimit::CpuMs() - startCpu};
                click(form, "bbFechar");
            }
            return int(forms::mrNone);
        });
        {
            TfmGravaDecl01 page;
            forms::ShowModal(&page);
            wizardChecked = int(dmDadosResp->ResultadoCritica);
        }
        forms::SetModalHandler({});
        if (wizardTime.wall < 0) reached = false;
        wizard.Keep(wizardTime);
    }

    std::printf("establishments: %d, check result %d, write result %d, wizard check result %d\n", establishments,
                int(checked), written, wizardChecked);
    std::printf("                          first   best    (wall ms)\n");
    std::printf("direct: check            %6.0f %6.0f\n", check.first.wall, check.best.wall);
    std::printf("        write            %6.0f %6.0f\n", write.first.wall, write.best.wall);
    std::printf("        check + write    %6.0f %6.0f\n", direct.first.wall, direct.best.wall);
    std::printf("wizard (page 3 Next to page 5)\n"
                "                         %6.0f %6.0f\n", wizard.first.wall, wizard.best.wall);
    std::printf("wizard / direct: first %.2f, best %.2f (CPU %.2f, %.2f; target <= 1.15, wizard < 14000 ms)\n",
                wizard.first.wall / direct.first.wall, wizard.best.wall / direct.best.wall,
                wizard.first.cpu / direct.first.cpu, wizard.best.cpu / direct.best.cpu);
    std::printf("peak memory: %ld kB (target < 153600)\n", bench::PeakMemoryKb());
    msg::SetMessageHost(nullptr);
    return reached ? 0 : 1;
}
