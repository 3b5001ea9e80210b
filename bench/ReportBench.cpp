// The declaration reports of a large establishment: "RelatorioResumido" and
// "RelatorioCompleto" of one establishment with 50,000 valid contracts sent to
// PDF, beside a plain query of the same joined rows read as text. Prints the
// time, pages, pages per second and the peak memory. Targets on two cores:
// the summary within 30 times the query and under 15 s, the complete report
// at least 80 pages per second, peak memory under 500 MB.
#include "BenchSupport.h"
#include "platform/AppPaths.h"
#include "platform/report/ReportEngine.h"
#include "shell/UdmLobrix.h"
#include "shell/udmRaveRelatorios.h"
#include "shell/ufmRelatorio01.h"

// The test generator of valid records, built into this program as it stands.
#include "support/Builders.h"
#include "support/ValidDeclaration.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>

namespace {

// The report's own SQL run by raw SQLite, every column of every row read as text.
long long PlainQuery(db::Database& database, db::Query& report) {
    const QString sql = report.Text();
    database.attachAllNamedIn(sql);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(database.handle(), sql.toUtf8().constData(), -1, &st, nullptr);
    for (int i = 1; i <= sqlite3_bind_parameter_count(st); ++i) {
        const QByteArray v = report.ParamByName(QString::fromUtf8(sqlite3_bind_parameter_name(st, i) + 1)).AsString.toUtf8();
        sqlite3_bind_text(st, i, v.constData(), v.size(), SQLITE_TRANSIENT);
    }
    long long chars = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(st); ++c)
            chars += QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c)), sqlite3_column_bytes(st, c)).size();
    }
    sqlite3_finalize(st);
    return chars;
}

struct Run {
    qint64 ms = 0;
    int pages = 0;
};

Run SendToPdf(bool completo, const QString& pdf) {
    int pages = 0;
    report::SetStatusObserverForTests([&pages](const QString& text) {
        if (text.startsWith(QStringLiteral("Imprimindo"))) pages = text.section(QLatin1Char(' '), 2).toInt();
    });
    QElapsedTimer timer;
    timer.start();
    dmRaveRelatorios->RvSystem1.setDestination(report::Destination::PdfFile, pdf);
    RunDeclarationReport(completo, completo ? QStringLiteral("Relatório Completo do Estabelecimento")
                                            : QStringLiteral("Relatório Resumido do Estabelecimento"),
                         QStringLiteral("código PIS/PASEP"), QStringLiteral("2009.01.00"), 2009, QStringLiteral(" "));
    Run r{timer.elapsed(), pages};
    report::SetStatusObserverForTests(nullptr);
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // "ReportBench 10" reports a tenth of the contracts.
    const int divisor = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 1;
    QTemporaryDir dir;
    // Set to look at the reports afterwards.
    if (qEnvironmentVariableIsSet("LOBRIX_KEEP_REPORTS")) {
        dir.setAutoRemove(false);
        std::printf("reports in %s\n", qPrintable(dir.path()));
    }
    const QString dados = bench::CopyProgramFolder(dir);
    dmLobrix = new TdmLobrix;
    dmRaveRelatorios = new TdmRaveRelatorios;

    const int contracts = 50000 / divisor;
    valid::Row est;
    {
        valid::RegisterUnionEntities();
        auto database = dmLobrix->dbZuvo;
        db::Transaction tx(*database);
        valid::DeclarationTablesOpen tables(database);
        auto& [resp, emp, vinc] = tables;
        valid::Append(resp, valid::Responsible());
        est = valid::Establishment(0, contracts);
        valid::Append(emp, est);
        for (int k = 0; k < contracts; ++k) valid::Append(vinc, valid::Contract(est, k));
        tx.commit();
    }

    DeclarationReportChoice choice;
    choice.ano = est.value(QStringLiteral("AnBase"));
    choice.establishments << QStringList{est.value(QStringLiteral("CoCgcCeiEstabelecimento")),
                                         est.value(QStringLiteral("NuPrefixoEstabelecimento"))};
    db::Query& q = dmRaveRelatorios->qrConsulta;
    BuildDeclarationReportQuery(q, choice);
    q.SetUniDirectional(true);

    QElapsedTimer timer;
    qint64 plainMs = 0;
    long long chars = 0;
    for (int round = 0; round < 3; ++round) {
        timer.start();
        chars = PlainQuery(*dmLobrix->dbZuvo, q);
        const qint64 ms = timer.elapsed();
        if (round == 0 || ms < plainMs) plainMs = ms;
    }
    const Run summary = SendToPdf(false, dir.filePath(QStringLiteral("resumido.pdf")));
    const Run complete = SendToPdf(true, dir.filePath(QStringLiteral("completo.pdf")));
    std::printf("contracts: %d\n", contracts);
    std::printf("plain query: %lld ms (%lld characters)\n", static_cast<long long>(plainMs), chars);
    auto show = [plainMs](const char* name, const Run& r) {
        std::printf("%s: %lld ms, %d pages, %.1f pages/s, %.1f x the plain query\n", name, static_cast<long long>(r.ms),
                    r.pages, r.ms > 0 ? r.pages * 1000.0 / double(r.ms) : 0.0,
                    plainMs > 0 ? double(r.ms) / double(plainMs) : 0.0);
    };
    show("RelatorioResumido", summary);
    show("RelatorioCompleto", complete);
    std::printf("peak memory: %ld kB\n", bench::PeakMemoryKb());
    // How much of the complete report is layout (done twice: counting, then drawing).
    report::ReportProject& p = dmRaveRelatorios->RvProject2;
    p.SelectReport(QStringLiteral("RelatorioCompleto"));
    timer.start();
    const int n = p.LayoutPages([](const report::Page&, int) {}, 0);
    std::printf("RelatorioCompleto layout alone: %lld ms for %d pages\n", static_cast<long long>(timer.elapsed()), n);
    p.Close();
    delete dmRaveRelatorios;
    delete dmLobrix;
    return 0;
}
