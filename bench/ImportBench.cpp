// The import beside its raw limit: a file of exactly 50,000 contracts (one
// establishment of 40,000 and 200 of 50, written by the writer) imported into
// empty declaration tables, as a current import and, from a copy rewritten to
// the previous year's layout, as a previous import, on the uniform and on the
// varied declaration. Each layout of each declaration runs in a process of
// its own, so that its first import is the first after start-up.
// Baseline in the same run: a raw SQLite insert of the rows the import wrote
// (BD8Vinc, BD8Emp and TE8Imp, each into a fresh file of its shape: one
// prepared statement, one transaction). Target: each import within 1.3 times
// the baseline (best of three), peak memory under 150 MB. Shown beside it:
// the same insert plus a raw select of the working rows the import reads
// (Te8Emp, Te8Vinc), inside SQLite or not. Each run also prints a
// digest of the rows imported (every column and the row order), to compare
// the tables before and after a change to the import.
// Run pinned: taskset -c 0,1 ImportBench [--data uniform|varied]
//   [--layout current|previous] [--contracts N (the large establishment's)]
#include "RawLimit.h"

#include "declfile/DeclarationWriter.h"
#include "declfile/ugAnaliseEstrutura.h"
#include "declfile/ugImportacao.h"
#include "platform/ui/ProgressHost.h"
#include "shell/udmEntradaDados.h"

#include "support/PreviousYearFile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QProcess>

namespace {

using namespace rawlimit;

constexpr int kSmall = 200;
constexpr int kEach = 50;
int gBig = 40000;  // "--contracts N": the large establishment's contracts
int Contracts() { return gBig + kSmall * kEach; }

// The tables the import writes.
const char* const kWritten[] = {"Bd8vinc.DB", "Bd8emp.DB", "TE8Imp.db"};

// Empty declaration tables, each file as small as a new one, as the
// baseline's files are: a table emptied by deleting its rows keeps their
// pages on the file's free list, and the import would take them back one by
// one, journal and all.
void emptyDeclaration(const std::shared_ptr<db::Database>& database) {
    for (const char* name : {"BD8Emp.db", "BD8Vinc.db"}) {
        {
            db::Table t(database, QString::fromLatin1(name));
            t.Open();
            t.EmptyTable();
        }
        RawFile(database->resolve(QString::fromLatin1(name))).exec("VACUUM");
    }
}

int countRows(const std::shared_ptr<db::Database>& database, const char* name) {
    db::Table t(database, QString::fromLatin1(name));
    t.Open();
    return t.RecordCount();
}

// Every row of a table file in the order it was written, each column's type
// and bytes: equal digests, equal rows.
QByteArray digestOf(const QString& path) {
    RawFile f(path);
    const TableShape s = ShapeOf(f);
    QCryptographicHash md5(QCryptographicHash::Md5);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(f.handle(), QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(s.table).toUtf8(), -1,
                       &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            const char type = char('0' + sqlite3_column_type(st, c));
            md5.addData(QByteArrayView(&type, 1));
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
            const int n = sqlite3_column_bytes(st, c);
            md5.addData(QByteArrayView(reinterpret_cast<const char*>(&n), sizeof n));
            if (text) md5.addData(QByteArrayView(text, n));
        }
    }
    sqlite3_finalize(st);
    return md5.result().toHex().left(12);
}

// The writer splits a declaration this large into parts; the file imported
// is their records joined again: the first header, every establishment and
// contract, renumbered, and a trailer with the totals.
QByteArray joinParts(const QString& folder) {
    constexpr int step = 552;
    QByteArray out, trailer;
    int n = 0, establishments = 0, contracts = 0;
    auto add = [&](QByteArray rec) {
        rec.replace(0, 6, QByteArray::number(++n).rightJustified(6, '0'));
        out += rec;
    };
    const QStringList parts = QDir(folder).entryList({QStringLiteral("*.dec")}, QDir::Files, QDir::Name);
    for (int p = 0; p < parts.size(); ++p) {
        QFile f(QDir(folder).filePath(parts[p]));
        f.open(QIODevice::ReadOnly);
        const QByteArray bytes = f.readAll();
        for (qsizetype at = 0; at + step <= bytes.size(); at += step) {
            QByteArray rec = bytes.mid(at, step);
            const char type = rec.at(22);
            if (type == '0' && p == 0) {
                rec[397] = ' ';  // not a part any more
                add(rec);
            } else if (type == '1') {
                ++establishments;
                add(rec);
            } else if (type == '2') {
                ++contracts;
                add(rec);
            } else if (type == '9') {
                trailer = rec;
            }
        }
    }
    trailer.replace(23, 6, QByteArray::number(establishments).rightJustified(6, '0'));
    trailer.replace(29, 6, QByteArray::number(contracts).rightJustified(6, '0'));
    add(trailer);
    return out;
}

bool analyse(const QString& path, bool previous, const QString& dados) {
    declfile::TAnaliseEstrutura analyser;
    analyser.LayoutAnoAnterior = previous;
    forms::ProgressHost quiet;
    int establishments = 0, contracts = 0;
    const int result = analyser.AnalyseFile(path, 2009, quiet, dados, false, establishments, contracts, true);
    if (result != declfile::kAnaliseSemErro || contracts != Contracts()) {
        std::fprintf(stderr, "analysis: result %d, %d contracts\n", result, contracts);
        return false;
    }
    return true;
}

// The import as the wizard runs it: every establishment of the file chosen.
void import(const std::shared_ptr<db::Database>& database, int anoArquivo, bool previous) {
    declfile::TImportacao run(database, 2009, anoArquivo, previous);
    run.CreateImportTable();
    db::Table emp(database, QStringLiteral("Te8emp.db"));
    emp.Open();
    int entries = 0;
    for (emp.First(); !emp.Eof(); emp.Next(), ++entries)
        run.AddChosen(emp.FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).AsString(),
                      emp.FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString());
    forms::ProgressHost quiet;
    run.Run(entries, quiet);
}

int runOne(const QString& data, const QString& layout) {
    QTemporaryDir dir;
    const QString dados = PrepareProgramFolder(dir);
    dmEntradaDados = new TdmEntradaDados;
    auto database = dmLobrix->dbZuvo;
    const QString scratch = dir.filePath(QStringLiteral("scratch"));
    QDir().mkpath(scratch);

    valid::WriteLargeDeclaration(gBig, kSmall, kEach,
                                 data == QLatin1String("varied") ? valid::Data::Varied : valid::Data::Uniform);
    declfile::WriteRequest request;
    request.dataFolder = dados;
    request.generationDate = QStringLiteral("15012010");
    request.drive = QLatin1Char('C');
    declfile::WriterState state;
    declfile::WriterHost quiet;
    if (declfile::WriteDeclarationFile(request, state, quiet) != declfile::kWritten) {
        std::fprintf(stderr, "the writer failed\n");
        return 1;
    }
    const bool previous = layout == QLatin1String("previous");
    const int year = previous ? 2008 : 2009;
    QByteArray bytes = joinParts(dir.filePath(QStringLiteral("Transmite")));
    if (previous) bytes = analyserfixture::PreviousYearFile(bytes);
    const QString path = dir.filePath(QStringLiteral("Zuvo.txt"));
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }
    if (!analyse(path, previous, dados)) return 1;

    // The import first, so that the baseline inserts the rows it wrote;
    // then both in turns. The peak is the whole process's at the first
    // import, before the benchmark holds the rows for the baseline.
    Timing imports, raw, rawRead;
    const QString workingContracts = database->resolve(QStringLiteral("Te8vinc.db"));
    const QString workingEstablishments = database->resolve(QStringLiteral("Te8emp.db"));
    const auto readWorking = [&] {
        RawSelect(workingEstablishments);
        RawSelect(workingContracts);
    };
    long peak = 0;
    std::vector<std::pair<QString, Rows>> written;
    for (int round = 0; round < 3; ++round) {
        if (round > 0) rawRead.Keep(TimeOf(readWorking));
        if (round > 0)
            raw.Keep(TimeOf([&] {
                for (const auto& [model, rows] : written)
                    RawInsert(model, QDir(scratch).filePath(QFileInfo(model).fileName()), rows);
            }));
        emptyDeclaration(database);
        ResetPeak();
        imports.Keep(TimeOf([&] { import(database, year, previous); }));
        if (round == 0) peak = PeakKb();
        if (round == 0) {
            for (const char* t : kWritten) {
                const QString model = database->resolve(QString::fromLatin1(t));
                written.emplace_back(model, ReadRows(model));
            }
            raw.Keep(TimeOf([&] {
                for (const auto& [model, rows] : written)
                    RawInsert(model, QDir(scratch).filePath(QFileInfo(model).fileName()), rows);
            }));
            rawRead.Keep(TimeOf(readWorking));
        }
    }
    const int contracts = countRows(database, "BD8Vinc.db");
    const int establishments = countRows(database, "BD8Emp.db");
    char job[32];
    std::snprintf(job, sizeof job, "%s import", previous ? "previous" : "current");
    Report(job, imports, "raw insert of the rows it wrote", raw, 1.3, peak);
    // What an import cannot do without besides: reading the working rows.
    Timing readAndInsert = raw;
    readAndInsert += rawRead;
    Report("  ...", imports, "raw select of its working rows + insert", readAndInsert, 0, peak);
    QByteArrayList digests;
    for (const char* t : kWritten) digests << digestOf(database->resolve(QString::fromLatin1(t)));
    std::printf("  (%d contracts, %d establishments imported; digests BD8Vinc %s, BD8Emp %s, TE8Imp %s)\n", contracts,
                establishments, digests[0].constData(), digests[1].constData(), digests[2].constData());
    std::fflush(stdout);
    delete dmEntradaDados;
    dmEntradaDados = nullptr;
    delete dmLobrix;
    dmLobrix = nullptr;
    return contracts == Contracts() && establishments == kSmall + 1 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QString data, layout;
    for (int i = 1; i + 1 < argc; ++i) {
        const QByteArray a = argv[i];
        if (a == "--data") data = QString::fromLocal8Bit(argv[++i]);
        else if (a == "--layout") layout = QString::fromLocal8Bit(argv[++i]);
        else if (a == "--contracts") gBig = QByteArray(argv[++i]).toInt();
    }
    if (!data.isEmpty() && !layout.isEmpty()) return runOne(data, layout);

    // Each declaration and layout in a process of its own, one after the other.
    int failed = 0;
    const QStringList datas = data.isEmpty() ? QStringList{QStringLiteral("uniform"), QStringLiteral("varied")}
                                             : QStringList{data};
    const QStringList layouts = layout.isEmpty()
                                    ? QStringList{QStringLiteral("current"), QStringLiteral("previous")}
                                    : QStringList{layout};
    std::printf("%-24s  first   best    | %-38s  first   best    |       first  best        first  best\n", "job",
                "baseline");
    for (const QString& d : datas) {
        std::printf("== %s declaration ==\n", qPrintable(d));
        std::fflush(stdout);
        for (const QString& l : layouts) {
            if (!bench::RunChild({QStringLiteral("--data"), d, QStringLiteral("--layout"), l,
                                  QStringLiteral("--contracts"), QString::number(gBig)}))
                ++failed;
        }
    }
    std::printf("peak memory of this process: %ld kB\n", bench::PeakMemoryKb());
    return failed;
}
