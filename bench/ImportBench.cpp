// Imports a file of exactly 50,000 contracts (one establishment of 40,000 and
// 200 of 50, written by the writer) into empty declaration tables, as a
// current import and, from a copy rewritten to the previous year's layout, as
// a previous import. Baseline in the same run: appending the same contracts
// to BD8Vinc in one transaction through the dataset API. Target: each import
// within 3 times the baseline, analysis and import under 8 s on two cores,
// peak memory under 150 MB.
#include "BenchSupport.h"
#include "declfile/DeclarationWriter.h"
#include "declfile/ugAnaliseEstrutura.h"
#include "declfile/ugImportacao.h"
#include "platform/AppPaths.h"
#include "platform/db/Table.h"
#include "platform/ui/ProgressHost.h"
#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"

#include "support/Builders.h"
#include "support/PreviousYearFile.h"
#include "support/ValidDeclaration.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

namespace {

constexpr int kBig = 40000;
constexpr int kSmall = 200;
constexpr int kEach = 50;
constexpr int kContracts = kBig + kSmall * kEach;

void emptyDeclaration(const std::shared_ptr<db::Database>& database) {
    for (const char* name : {"BD8Emp.db", "BD8Vinc.db"}) {
        db::Table t(database, QString::fromLatin1(name));
        t.Open();
        t.EmptyTable();
    }
}

int countRows(const std::shared_ptr<db::Database>& database, const char* name) {
    db::Table t(database, QString::fromLatin1(name));
    t.Open();
    return t.RecordCount();
}

// The baseline: every working contract, read as plain rows, appended to
// BD8Vinc column by column through the dataset API in one transaction.
qint64 appendBaseline(const std::shared_ptr<db::Database>& database) {
    emptyDeclaration(database);
    QElapsedTimer timer;
    timer.start();
    db::Table to(database, QStringLiteral("BD8Vinc.db"));
    to.Open();
    const QString sql = QStringLiteral("SELECT * FROM Te8vinc");
    database->attachAllNamedIn(sql);
    sqlite3_stmt* st = database->prepare(sql);
    std::vector<std::pair<int, db::Field*>> pairs;
    for (int c = 0; c < sqlite3_column_count(st); ++c)
        if (db::Field* f = to.FindField(QString::fromUtf8(sqlite3_column_name(st, c)))) pairs.emplace_back(c, f);
    db::Transaction tx(*database);
    while (sqlite3_step(st) == SQLITE_ROW) {
        to.Append();
        for (auto& [column, field] : pairs) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, column));
            field->SetAsString(QString::fromUtf8(text, sqlite3_column_bytes(st, column)));
        }
        to.Post();
    }
    sqlite3_reset(st);
    tx.commit();
    return timer.elapsed();
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

qint64 analyse(const QString& path, bool previous, const QString& dados) {
    QElapsedTimer timer;
    timer.start();
    declfile::TAnaliseEstrutura analyser;
    analyser.LayoutAnoAnterior = previous;
    forms::ProgressHost quiet;
    int establishments = 0, contracts = 0;
    const int result = analyser.AnalyseFile(path, 2009, quiet, dados, false, establishments, contracts, true);
    if (result != declfile::kAnaliseSemErro || contracts != kContracts)
        std::fprintf(stderr, "analysis: result %d, %d contracts\n", result, contracts);
    return timer.elapsed();
}

qint64 import(const std::shared_ptr<db::Database>& database, int anoArquivo, bool previous) {
    emptyDeclaration(database);
    QElapsedTimer timer;
    timer.start();
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
    return timer.elapsed();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString dados = bench::CopyProgramFolder(dir);
    dmLobrix = new TdmLobrix;
    dmEntradaDados = new TdmEntradaDados;
    auto database = dmLobrix->dbZuvo;

    {
        valid::RegisterUnionEntities();
        db::Transaction tx(*database);
        db::Table resp(database, QStringLiteral("BD8Resp.db"));
        db::Table emp(database, QStringLiteral("BD8Emp.db"));
        db::Table vinc(database, QStringLiteral("BD8Vinc.db"));
        resp.Open();
        emp.Open();
        vinc.Open();
        valid::Append(resp, valid::Responsible());
        int serial = 0;
        for (int e = 0; e <= kSmall; ++e) {
            const int count = e == 0 ? kBig : kEach;
            const valid::Row est = valid::Establishment(e, count);
            valid::Append(emp, est);
            for (int k = 0; k < count; ++k) valid::Append(vinc, valid::Contract(est, serial++));
        }
        tx.commit();
    }
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
    const QByteArray current = joinParts(dir.filePath(QStringLiteral("Transmite")));
    const QString currentPath = dir.filePath(QStringLiteral("Zuvo2009.txt"));
    const QString previousPath = dir.filePath(QStringLiteral("Zuvo2008.txt"));
    for (const auto& [path, bytes] : {std::pair{currentPath, current},
                                      std::pair{previousPath, analyserfixture::PreviousYearFile(current)}}) {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }

    bool ok = true;
    auto report = [&](const char* kind, const QString& path, bool previous, int year) {
        const qint64 analyseMs = analyse(path, previous, dados);
        const qint64 baselineMs = qMax<qint64>(1, appendBaseline(database));
        const qint64 importMs = import(database, year, previous);
        const int imported = countRows(database, "BD8Vinc.db");
        const int establishments = countRows(database, "BD8Emp.db");
        std::printf("%s import: analysis %lld ms, import %lld ms (%d contracts, %d establishments), baseline append "
                    "%lld ms: %.2fx; analysis and import %.1f s\n",
                    kind, static_cast<long long>(analyseMs), static_cast<long long>(importMs), imported, establishments,
                    static_cast<long long>(baselineMs), double(importMs) / double(baselineMs),
                    double(analyseMs + importMs) / 1000.0);
        ok = ok && imported == kContracts && establishments == kSmall + 1;
    };
    report("current ", currentPath, false, 2009);
    report("previous", previousPath, true, 2008);
    std::printf("peak memory: %ld kB\n", bench::PeakMemoryKb());
    delete dmEntradaDados;
    delete dmLobrix;
    return ok ? 0 : 1;
}
