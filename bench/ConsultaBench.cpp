// The file consultation over a file of 50,000 contracts in one
// establishment: the analysis, the contract list shown in PIS/PASEP and in
// name order, and 1,000 steps through the contract page. Baseline in the same
// run: the list's SELECT stepped through raw SQLite, every column read as
// text. Target: each list within 2 times the baseline and under 1 s; a step
// under 20 ms; peak memory under 150 MB.
#include "DeclarationFileBench.h"
#include "declfile/ufmConsulta01.h"
#include "declfile/ufmConsulta02.h"
#include "declfile/ufmConsulta03.h"
#include "declfile/ufmConsulta04.h"
#include "declfile/ufmConsulta05.h"
#include "declfile/ufmConsultaDisquete.h"
#include "declfile/ugAnaliseEstrutura.h"
#include "platform/AppPaths.h"
#include "platform/db/Database.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/ui/Forms.h"
#include "shell/UdmLobrix.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>

namespace {

constexpr int kContracts = 50000;
constexpr int kSteps = 1000;

// The list's query, as the contract list builds it, stepped through raw
// SQLite with every column read as text.
qint64 RawListMs(db::Database& database, const char* order) {
    const QString sql = QStringLiteral("select * from te8Vinc\nwhere AnBase = :AnBase\n"
                                       "and CoCgcCeiEstabelecimento = :CoCgcCeiEstabelecimento\n"
                                       "and NuPrefixoEstabelecimento = :NuPrefixoEstabelecimento\nOrder by ") +
                        QLatin1String(order);
    QElapsedTimer t;
    t.start();
    database.attachAllNamedIn(sql);
    sqlite3_stmt* st = database.prepare(sql);
    sqlite3_bind_text(st, 1, "2009", -1, SQLITE_STATIC);
    sqlite3_bind_text(st, 2, "11222333000181", -1, SQLITE_STATIC);
    sqlite3_bind_text(st, 3, "00", -1, SQLITE_STATIC);
    long long bytes = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        const int n = sqlite3_column_count(st);
        for (int c = 0; c < n; ++c) {
            sqlite3_column_text(st, c);
            bytes += sqlite3_column_bytes(st, c);
        }
    }
    sqlite3_reset(st);
    return qMax<qint64>(1, t.elapsed()) + (bytes < 0 ? 1 : 0);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString dados = benchfile::PrepareProgramFolder(dir);
    benchfile::Seed(dmLobrix->dbZuvo, 1);
    const QByteArray small = benchfile::WriteSmallFile(dados);
    if (small.isEmpty()) {
        std::fprintf(stderr, "the writer failed\n");
        return 1;
    }
    // Names in an order that is not the PIS/PASEP order.
    const QByteArray big = benchfile::Enlarge(small, 1, kContracts, [](int c) {
        return QByteArray("EMPREGADO ") + QByteArray::number((c * 7919) % kContracts).rightJustified(10, '0');
    });
    const QString path = dir.filePath("Zuvo2009_grande.dec");
    benchfile::WriteBytes(path, big);

    QElapsedTimer timer;
    timer.start();
    declfile::TAnaliseEstrutura analyser;
    int establishments = 0, contracts = 0;
    declfile::WriterHost quiet;
    const int result = analyser.AnalyseFile(path, 2009, quiet, dados, false, establishments, contracts, false);
    const qint64 analyseMs = timer.elapsed();
    if (result != declfile::kAnaliseSemErro || contracts != kContracts) {
        std::fprintf(stderr, "analysis failed: result %d, %d contracts\n", result, contracts);
        return 1;
    }

    const long peakAfterAnalysis = benchfile::PeakMemoryKb();
    const qint64 rawPisMs = RawListMs(*dmLobrix->dbZuvo, "CoPisPasepEmpregado");
    const qint64 rawNameMs = RawListMs(*dmLobrix->dbZuvo, "NoEmpregado");

    qint64 pisMs = -1, nameMs = -1;
    double stepAvgMs = 0, stepMaxMs = 0;
    int rows = 0;
    TfmConsultaDisquete consulta;
    forms::SetModalHandler([&](QWidget* form) -> int {
        const QString name = form->objectName();
        if (name == QLatin1String("fmConsulta01")) {
            consulta.Page01()->bbDisquete->click();
        } else if (name == QLatin1String("fmConsulta02")) {
            consulta.Page02()->bbConsultar->click();
        } else if (name == QLatin1String("fmConsulta03")) {
            QElapsedTimer t;
            t.start();
            consulta.Page03()->bbEmpregados->click();
            QCoreApplication::processEvents();
            pisMs = t.restart();
            consulta.Page04()->rbNome->click();
            QCoreApplication::processEvents();
            nameMs = t.restart();
            rows = consulta.Page04()->qrEmpregados->RecordCount();

            consulta.Page04()->bbConsultar->click();
            TfmConsulta05* page = consulta.Page05();
            for (int i = 0; i < kSteps; ++i) {
                QElapsedTimer s;
                s.start();
                page->bbProximo->click();
                QCoreApplication::processEvents();
                const double ms = double(s.nsecsElapsed()) / 1e6;
                stepAvgMs += ms;
                stepMaxMs = std::max(stepMaxMs, ms);
            }
            stepAvgMs /= kSteps;
            page->bbFechar->click();
        }
        return forms::mrNone;
    });
    consulta.ShowConsultationPages();
    forms::SetModalHandler({});

    std::printf("analyse and load: %lld ms (%d contracts)\n", static_cast<long long>(analyseMs), contracts);
    std::printf("list in PIS/PASEP order: %lld ms, raw SQLite %lld ms: %.2fx\n", static_cast<long long>(pisMs),
                static_cast<long long>(rawPisMs), double(pisMs) / double(rawPisMs));
    std::printf("list in name order:      %lld ms, raw SQLite %lld ms: %.2fx (%d rows)\n",
                static_cast<long long>(nameMs), static_cast<long long>(rawNameMs), double(nameMs) / double(rawNameMs),
                rows);
    std::printf("contract page step: %.2f ms on average, %.2f ms at most (%d steps)\n", stepAvgMs, stepMaxMs, kSteps);
    std::printf("peak memory: %ld kB (%ld kB after the analysis)\n", benchfile::PeakMemoryKb(), peakAfterAnalysis);
    delete dmLobrix;
    return rows == kContracts ? 0 : 1;
}
