// The multi-delete wizard's contract list over an establishment of 200,000
// contracts with varied names: from Avançar on the page of the order until
// the list's page is painted, in PIS/PASEP order and in name order, each in a
// process of its own so that its peak is the whole process's. Targets on two
// cores: listed in under 1 s, with progress shown when it takes longer than
// half a second, the process's peak under 150 MB.
// Run pinned: taskset -c 0,1 WizardListBench [--contracts N] [--keep]
// (--keep leaves the program folder with its Dados for a walk in the program)
#include "BenchSupport.h"
#include "entry/ufmExclMult00.h"
#include "entry/ufmExclMult02.h"
#include "entry/ufmExclMult03.h"
#include "platform/ui/EntryWidgets.h"
#include "platform/ui/TickList.h"
#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"

#include "support/ValidDeclaration.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

// Notes when the progress shows and when the list's page first paints, and
// then closes that page, which ends the wizard's modal loop.
class Watch : public QObject {
public:
    Watch(QWidget* listPage, const QElapsedTimer& clock) : page_(listPage), clock_(clock) {}
    qint64 progressAt = -1, paintedAt = -1;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show && progressAt < 0 && qobject_cast<QProgressDialog*>(o))
            progressAt = clock_.elapsed();
        if (e->type() == QEvent::Paint && o == page_ && paintedAt < 0) {
            paintedAt = clock_.elapsed();
            QTimer::singleShot(0, page_, [this] { page_->close(); });
        }
        return false;
    }

private:
    QWidget* page_;
    const QElapsedTimer& clock_;
};

int List(const QString& folder, const QString& inscricao, bool byName) {
    bench::NoBoxes boxes;
    msg::SetMessageHost(&boxes);
    AppPaths::setProgramFolder(folder);
    dmLobrix = new TdmLobrix;
    dmEntradaDados = new TdmEntradaDados;
    int listed = 0;
    {
        TfmExclMult00 wizard;
        wizard.AnoBase = QStringLiteral("2009");
        wizard.KeyInscricao = inscricao;
        wizard.Inscricao = inscricao;
        wizard.Prefixo = QStringLiteral("00");
        TfmExclMult02* orderPage = wizard.fmExclMult02.get();
        TfmExclMult03* listPage = wizard.fmExclMult03.get();
        orderPage->rgOrdem->SetItemIndex(byName ? 1 : 0);
        orderPage->show();
        QCoreApplication::processEvents();
        QElapsedTimer clock;
        Watch watch(listPage, clock);
        qApp->installEventFilter(&watch);
        clock.start();
        orderPage->NextButton()->click();
        qApp->removeEventFilter(&watch);
        listed = listPage->clVinculos->count();
        std::printf("%-16s %7d lines | listed and painted %6lld ms | progress %s | peak %6.1f MB\n",
                    byName ? "by name" : "by PIS/PASEP", listed, watch.paintedAt,
                    watch.progressAt < 0 ? "not shown    "
                                         : qPrintable(QStringLiteral("at %1 ms").arg(watch.progressAt, 6)),
                    double(bench::PeakMemoryKb()) / 1024.0);
    }
    delete dmEntradaDados;
    delete dmLobrix;
    msg::SetMessageHost(nullptr);
    return listed > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() >= 5 && args[1] == QLatin1String("--list"))
        return List(args[2], args[3], args[4] == QLatin1String("name"));

    int contracts = 200000;
    if (const qsizetype i = args.indexOf(QStringLiteral("--contracts")); i > 0 && i + 1 < args.size())
        contracts = args[i + 1].toInt();
    QTemporaryDir dir;
    dir.setAutoRemove(!args.contains(QStringLiteral("--keep")));
    bench::CopyProgramFolder(dir);
    QString inscricao;
    {
        dmLobrix = new TdmLobrix;
        QElapsedTimer clock;
        clock.start();
        valid::WriteLargeDeclaration(contracts, 0, 0, valid::Data::Varied);
        inscricao = valid::EstablishmentCnpj(0);
        std::printf("%d contracts of one establishment generated in %lld ms\n", contracts, clock.elapsed());
        std::fflush(stdout);
        delete dmLobrix;
        dmLobrix = nullptr;
    }
    if (!dir.autoRemove()) std::printf("program folder kept: %s\n", qPrintable(dir.path()));
    int failed = 0;
    for (const char* order : {"pis", "name"})
        if (!bench::RunChild({QStringLiteral("--list"), dir.path(), inscricao, QString::fromLatin1(order)})) ++failed;
    return failed;
}
