// The file consultation over a file of 50,000 contracts in one
// establishment: the analysis, the contract list shown in PIS/PASEP and in
// name order, and 1,000 steps through the contract page. The file is the one
// the writer makes of the generated declaration, with every record alike
// ("uniform") or varied as real ones are ("varied"), each in a process of its
// own. Baseline in the same run: the list's SELECT stepped through raw
// SQLite, every column read as text; each list and its baseline taken in
// turn, their first run and the best of three. Target: each list within 2
// times the baseline and under 1 s; a step under 20 ms; peak memory under
// 150 MB.
// Run pinned: taskset -c 0,1 ConsultaBench [--data uniform|varied] [--contracts N]
#include "DeclarationFileBench.h"
#include "RawLimit.h"
#include "declfile/DeclarationWriter.h"
#include "declfile/consulta/ufmConsulta01.h"
#include "declfile/consulta/ufmConsulta02.h"
#include "declfile/consulta/ufmConsulta03.h"
#include "declfile/consulta/ufmConsulta04.h"
#include "declfile/consulta/ufmConsulta05.h"
#include "declfile/consulta/ufmConsultaDisquete.h"
#include "declfile/ugAnaliseEstrutura.h"
#include "platform/db/Query.h"
#include "platform/os/Drives.h"
#include "platform/ui/Forms.h"

#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

namespace {

using namespace rawlimit;

constexpr int kSteps = 1000;
constexpr int kRounds = 3;

// The establishment the list shows: its key as the working tables hold it.
struct EstablishmentKey {
    QByteArray year, inscription, prefix;
};

EstablishmentKey LoadedEstablishment() {
    db::Query q(dmLobrix->dbZuvo);
    q.SetSQL(QStringLiteral("SELECT AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento FROM te8Emp"));
    q.Open();
    return {q.Fields(0).AsString().toUtf8(), q.Fields(1).AsString().toUtf8(), q.Fields(2).AsString().toUtf8()};
}

// The list's query, as the contract list builds it, stepped through raw
// SQLite with every column read as text.
void RawList(db::Database& database, const EstablishmentKey& key, const char* order) {
    const QString sql = QStringLiteral("select * from te8Vinc\nwhere AnBase = :AnBase\n"
                                       "and CoCgcCeiEstabelecimento = :CoCgcCeiEstabelecimento\n"
                                       "and NuPrefixoEstabelecimento = :NuPrefixoEstabelecimento\nOrder by ") +
                        QLatin1String(order);
    database.attachAllNamedIn(sql);
    sqlite3_stmt* st = database.prepare(sql);
    sqlite3_bind_text(st, 1, key.year.constData(), -1, SQLITE_STATIC);
    sqlite3_bind_text(st, 2, key.inscription.constData(), -1, SQLITE_STATIC);
    sqlite3_bind_text(st, 3, key.prefix.constData(), -1, SQLITE_STATIC);
    long long bytes = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        const int n = sqlite3_column_count(st);
        for (int c = 0; c < n; ++c) {
            sqlite3_column_text(st, c);
            bytes += sqlite3_column_bytes(st, c);
        }
    }
    sqlite3_reset(st);
    if (bytes <= 0) std::fprintf(stderr, "the raw list read nothing\n");
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Options options = ParseOptions(argc, argv);
    if (options.data.isEmpty()) return bench::RunEachDeclaration();
    QTemporaryDir dir;
    const QString dados = PrepareProgramFolder(dir);
    bench::NoBoxes boxes;
    msg::SetMessageHost(&boxes);

    // The declaration generated, then written as the file the user consults.
    options.smallEstablishments = 0;  // "--contracts N": a smaller run to profile
    GenerateDeclaration(options);
    // Written to a "diskette" large enough for one part, as a program other
    // than this one could have written it.
    declfile::WriterHost quiet;
    const QString written = benchfile::WriteOnePart(dir, dados, quiet);
    if (written.isEmpty()) {
        std::fprintf(stderr, "the writer failed\n");
        return 1;
    }
    const QString path = dir.filePath(QStringLiteral("Zuvo2009_grande.dec"));
    if (!QFile::rename(written, path)) return 1;

    QElapsedTimer timer;
    timer.start();
    declfile::TAnaliseEstrutura analyser;
    int establishments = 0, contracts = 0;
    const int result = analyser.AnalyseFile(path, 2009, quiet, dados, false, establishments, contracts, false);
    const qint64 analyseMs = timer.elapsed();
    if (result != declfile::kAnaliseSemErro || contracts != options.bigContracts) {
        std::fprintf(stderr, "analysis failed: result %d, %d contracts\n", result, contracts);
        return 1;
    }
    const long peakAfterAnalysis = PeakKb();
    const EstablishmentKey key = LoadedEstablishment();

    Timing pis, rawPis, name, rawName;
    double stepAvgMs = 0, stepMaxMs = 0;
    int rows = 0;
    TfmConsultaDisquete consulta;
    forms::SetModalHandler([&](QWidget* form) -> int {
        const QString formName = form->objectName();
        if (formName == QLatin1String("fmConsulta01")) {
            consulta.Page01()->bbDisquete->click();
        } else if (formName == QLatin1String("fmConsulta02")) {
            consulta.Page02()->bbConsultar->click();
        } else if (formName == QLatin1String("fmConsulta03")) {
            for (int round = 0; round < kRounds; ++round) {
                rawPis.Keep(TimeOf([&] { RawList(*dmLobrix->dbZuvo, key, "CoPisPasepEmpregado"); }));
                pis.Keep(TimeOf([&] {
                    if (round == 0)
                        consulta.Page03()->bbEmpregados->click();
                    else
                        consulta.Page04()->rbCodPisPasep->click();
                    QCoreApplication::processEvents();
                }));
                rawName.Keep(TimeOf([&] { RawList(*dmLobrix->dbZuvo, key, "NoEmpregado"); }));
                name.Keep(TimeOf([&] {
                    consulta.Page04()->rbNome->click();
                    QCoreApplication::processEvents();
                }));
            }
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

    std::printf("declaration (%s): analyse and load %lld ms (%d contracts)\n", qPrintable(options.data),
                static_cast<long long>(analyseMs), contracts);
    std::printf("%-24s  first   best    | %-38s  first   best    |       first  best        first  best\n", "job",
                "baseline");
    Report("list, PIS/PASEP order", pis, "raw SELECT, every column as text", rawPis, 2.0, PeakKb());
    Report("list, name order", name, "raw SELECT, every column as text", rawName, 2.0, PeakKb());
    std::printf("  (%d rows; each list under 1000 ms)\n", rows);
    std::printf("contract page step: %.2f ms on average, %.2f ms at most (%d steps)\n", stepAvgMs, stepMaxMs, kSteps);
    std::printf("peak memory: %ld kB (%ld kB after the analysis)\n", PeakKb(), peakAfterAnalysis);
    msg::SetMessageHost(nullptr);
    delete dmLobrix;
    return rows == options.bigContracts ? 0 : 1;
}
