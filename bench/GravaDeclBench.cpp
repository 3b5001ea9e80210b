// The writing wizard's pages 3 to 5 over the check benchmark's declaration
// (one establishment with 50,000 contracts plus 200 with 50 each), run
// offscreen: from page 3's Next to page 5 showing. Beside it, in the same
// run, the whole-declaration check and the writer called directly. Target:
// the wizard within 1.15 times the direct calls, under 14 s on two cores,
// peak memory under 150 MB.
#include "BenchSupport.h"
#include "declfile/DeclarationWriter.h"
#include "declfile/ufmGravaDecl00.h"
#include "declfile/ufmGravaDecl01.h"
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
    valid::WriteLargeDeclaration(50000, establishments - 1, 50);

    // The direct calls.
    QElapsedTimer timer;
    timer.start();
    QuietHost checkHost;
    const std::vector<bool> all(establishments, true);
    const ValidationResult checked = ValidateDeclaration(checkHost, dados, 0, &all, QStringLiteral("2009"), 0, 0, 0);
    const qint64 checkMs = timer.restart();
    QStringList items;
    {
        db::Query q(dmLobrix->dbZuvo);
        q.SetSQL(QStringLiteral("SELECT AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento FROM BD8Emp "
                                "ORDER BY CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento"));
        q.Open();
        for (q.First(); !q.Eof(); q.Next()) items << q.Fields(0).AsString() + q.Fields(1).AsString() + q.Fields(2).AsString();
    }
    declfile::WriterState state;
    declfile::WriterHost writerHost;
    declfile::WriteRequest request;
    request.establishments = &items;
    request.dataFolder = dados;
    request.generationDate = QStringLiteral("15012010");
    request.generationTime = QStringLiteral("101500");
    timer.restart();
    const int written = declfile::WriteDeclarationFile(request, state, writerHost);
    const qint64 writeMs = timer.restart();

    // The wizard from page 3's Next to page 5.
    TfmGravaDecl00 first;
    dmDadosResp->AnoBaseAssistente = QStringLiteral("2009");
    for (const QString& item : items) first.lbEmpresas00->addItem(item);
    first.lbEmpresas00->selectAll();
    qint64 wizardMs = -1;
    forms::SetModalHandler([&](QWidget* form) {
        const QString name = form->objectName();
        if (name == QLatin1String("fmGravaDecl01")) {
            timer.restart();
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
            wizardMs = timer.elapsed();
            click(form, "bbFechar");
        }
        return int(forms::mrNone);
    });
    TfmGravaDecl01 page;
    forms::ShowModal(&page);
    forms::SetModalHandler({});

    const qint64 direct = checkMs + writeMs;
    std::printf("establishments: %d, check result %d, write result %d\n", establishments, int(checked), written);
    std::printf("direct: check %lld ms + write %lld ms = %lld ms\n", checkMs, writeMs, direct);
    std::printf("wizard (page 3 Next to page 5): %lld ms, result %d\n", wizardMs, int(dmDadosResp->ResultadoCritica));
    std::printf("wizard / direct: %.2f (target <= 1.15, wizard < 14000 ms)\n",
                direct > 0 ? double(wizardMs) / double(direct) : 0.0);
    std::printf("peak memory: %ld kB (target < 153600)\n", bench::PeakMemoryKb());
    msg::SetMessageHost(nullptr);
    return wizardMs >= 0 ? 0 : 1;
}
