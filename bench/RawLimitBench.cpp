// Each large job beside its raw limit, on a generated declaration (one
// establishment of 50,000 contracts plus 200 of 50, every column filled),
// with every record alike ("uniform") and with records as varied as real
// ones ("varied"), each declaration in a process of its own so that each
// job's first run is its first after start-up:
//   store append      raw SQLite insert, one prepared statement, one transaction
//   store read        raw SQLite SELECT in key order, every column as text
//   check             raw scan in key order of exactly the columns the check reads
//   writer            raw select + record formatting, written 64 KB at a time
//                     with the MD5 fed as it goes
//   analyser + load   the file read in 64 KB chunks + raw insert of the rows it
//                     loads, each table made in the transaction of its rows
//   each job and each baseline: its first run and the best of three
// Run pinned: taskset -c 0,1 RawLimitBench [--contracts 200000]
//   [--job store,check,writer,analyser] [--data uniform|varied]
#include "RawLimit.h"

#include "declfile/DeclarationWriter.h"
#include "declfile/ugAnaliseEstrutura.h"
#include "rules/ugCriticaDeclaracao.h"
#include "rules/ugCriticaVinculo.h"
#include "platform/ui/MessageService.h"

#include <QApplication>
#include <QProcess>

namespace {

using namespace rawlimit;

class QuietCheck : public ValidationHost {
public:
    void SetProgress(int) override {}
    void ProcessEvents() override {}
    bool AskInterrupt() override { return false; }
    void ShowErrorLimit(const QString&) override {}
};

void StoreJobs(const QString& dados, const QString& scratch) {
    const QString model = QDir(dados).filePath(QStringLiteral("Bd8vinc.DB"));
    const Rows rows = ReadRows(model);
    const QString rawPath = QDir(scratch).filePath(QStringLiteral("raw/Bd8vinc.DB"));
    const QString storeFolder = QDir(scratch).filePath(QStringLiteral("store"));
    QDir().mkpath(QFileInfo(rawPath).path());
    QDir().mkpath(storeFolder);
    const QString storePath = QDir(storeFolder).filePath(QStringLiteral("Bd8vinc.DB"));

    // Each way of handing values to the store: as the UTF-8 bytes held, and
    // as a QString made per value by the caller.
    const auto appendAll = [&](bool asText) {
        CreateEmptyLike(model, storePath);
        auto database = db::Database::forFolder(storeFolder);
        db::Table t(database, QStringLiteral("Bd8vinc.DB"));
        t.Open();
        db::Transaction tx(*database);
        for (int r = 0; r < rows.count(); ++r) {
            t.Append();
            if (asText)
                for (int c = 0; c < rows.columns; ++c) t.Fields(c).SetAsString(QString::fromUtf8(rows.value(r, c)));
            else
                for (int c = 0; c < rows.columns; ++c) t.Fields(c).SetAsUtf8(rows.value(r, c));
            t.Post();
        }
        tx.commit();
    };
    // The rows held for both sides are the benchmark's, not the store's: the
    // store's own memory is what the process rises to above them.
    const long held = HeldKb();
    // Taken in turns, so that none of them always follows the disk work the
    // one before left behind.
    Timing rawInsert, appendText, append;
    long appendTextPeak = 0, appendPeak = 0;
    for (int round = 0; round < 3; ++round) {
        rawInsert.Keep(TimeOf([&] { RawInsert(model, rawPath, rows); }));
        ResetPeak();
        appendText.Keep(TimeOf([&] { appendAll(true); }));
        appendTextPeak = std::max(appendTextPeak, PeakKb());
        ResetPeak();
        append.Keep(TimeOf([&] { appendAll(false); }));
        appendPeak = std::max(appendPeak, PeakKb());
    }
    std::printf("(%d contracts of %d columns; the benchmark holds them in %.1f MB)\n", rows.count(), rows.columns,
                double(rows.heldKb()) / 1024.0);
    Report("store append", append, "raw insert", rawInsert, 1.3, appendPeak);
    Report("  ...a QString per value", appendText, "raw insert", rawInsert, 0, appendTextPeak);

    qint64 rawBytes = 0, storeBytes = 0, storeChars = 0;
    const Timing rawSelect = Measure([&] { rawBytes = RawSelect(storePath); });
    const auto readAll = [&](bool asText) {
        auto database = db::Database::forFolder(storeFolder);
        db::Table t(database, QStringLiteral("Bd8vinc.DB"));
        t.Open();
        (asText ? storeChars : storeBytes) = 0;
        for (t.First(); !t.Eof(); t.Next())
            if (asText)
                for (int c = 0; c < t.FieldCount(); ++c) storeChars += t.Fields(c).AsString().size();
            else
                for (int c = 0; c < t.FieldCount(); ++c) storeBytes += t.Fields(c).AsUtf8().size();
    };
    ResetPeak();
    const Timing read = Measure([&] { readAll(false); });
    const long readPeak = PeakKb();
    ResetPeak();
    const Timing readText = Measure([&] { readAll(true); });
    Report("store read in key order", read, "raw select in key order", rawSelect, 1.5, readPeak);
    const long readTextPeak = PeakKb();
    Report("  ...a QString per value", readText, "raw select in key order", rawSelect, 0, readTextPeak);
    std::printf("  (the store's own: its peak rises %.1f MB above the %.1f MB held before it)\n",
                double(std::max({appendPeak, appendTextPeak, readPeak, readTextPeak}) - held) / 1024.0, double(held) / 1024.0);
    if (storeBytes != rawBytes || storeChars != rawBytes)
        std::printf("  read %lld bytes (%lld characters), raw %lld bytes\n", storeBytes, storeChars, rawBytes);
}

void CheckJob(const QString& dados) {
    // The contract columns named from the check's own list; the other two
    // tables it reads whole.
    QStringList contractColumns;
    for (const db::FieldDef& f : critica::ContractFieldsRead()) contractColumns << f.name;
    const Timing scan = Measure([&] {
        RawSelect(QDir(dados).filePath(QStringLiteral("bd8resp.DB")));
        RawSelect(QDir(dados).filePath(QStringLiteral("Bd8emp.DB")));
        RawSelect(QDir(dados).filePath(QStringLiteral("Bd8vinc.DB")), nullptr, contractColumns);
    });
    QuietCheck host;
    ValidationResult result = 0;
    ResetPeak();
    // As the verification and writing wizards call it: the responsible's
    // file-only fields (generation date, receipt) are checked on a file's
    // analysis, never on Dados, where they stay empty.
    const Timing check = Measure([&] { result = ValidateDeclaration(host, dados, 0, nullptr, QString(), 0, 0, 0); });
    Report("check", check, "raw scan of its columns", scan, 4, PeakKb());
    if (result != 0) std::printf("  the check found something in a valid declaration: %d\n", int(result));
}

QStringList WrittenParts(const QString& transmite) {
    QStringList out;
    for (const QString& p : QDir(transmite).entryList({QStringLiteral("*.dec")}, QDir::Files, QDir::Name))
        out << QDir(transmite).filePath(p);
    return out;
}

void WriterJob(const QString& dados, const QString& transmite, const QString& scratch) {
    // The baseline: each table in key order, every row made a record of the
    // writer's length, written 64 KB at a time with the MD5 fed as it goes.
    const Timing baseline = Measure([&] {
        StreamedWrite out(QDir(scratch).filePath(QStringLiteral("raw.dec")));
        QByteArray& buffer = out.buffer();
        for (const char* t : {"bd8resp.DB", "Bd8emp.DB", "Bd8vinc.DB"}) {
            RawSelect(QDir(dados).filePath(QString::fromLatin1(t)), [&](sqlite3_stmt* st, int columns) {
                const qsizetype start = buffer.size();
                for (int c = 0; c < columns; ++c)
                    buffer.append(reinterpret_cast<const char*>(sqlite3_column_text(st, c)), sqlite3_column_bytes(st, c));
                buffer.resize(start + 550, ' ');
                buffer.append("\r\n");
                out.Flush();
            });
        }
        out.Close();
    });
    declfile::WriterState state;
    declfile::WriterHost host;
    declfile::WriteRequest request;
    request.drive = QLatin1Char('C');
    request.dataFolder = dados;
    request.generationDate = QStringLiteral("15012010");
    request.generationTime = QStringLiteral("101500");
    int result = -1;
    ResetPeak();
    const Timing write = Measure([&] {
        for (const QString& p : WrittenParts(transmite)) QFile::remove(p);
        declfile::WriterState fresh;
        state = fresh;
        result = declfile::WriteDeclarationFile(request, state, host);
    });
    Report("writer", write, "raw select + format, streamed with MD5", baseline, 1.3, PeakKb());
    qint64 bytes = 0;
    for (const QString& p : WrittenParts(transmite)) bytes += QFileInfo(p).size();
    std::printf("  (result %d, %lld parts, %lld bytes)\n", result, qint64(WrittenParts(transmite).size()), bytes);
}

void AnalyserJob(const QString& dados, const QString& transmite, const QString& scratch) {
    Timing analyse, baseline;
    long peak = 0;
    int establishments = 0, contracts = 0;
    for (const QString& part : WrittenParts(transmite)) {
        declfile::WriterHost quiet;
        declfile::TAnaliseEstrutura analyser;
        int e = 0, c = 0, result = -1;
        const auto analyseOnce = [&] { result = analyser.AnalyseFile(part, 2009, quiet, dados, false, e, c, false); };
        ResetPeak();
        Timing partAnalyse, partBaseline;
        partAnalyse.Keep(TimeOf(analyseOnce));
        peak = std::max(peak, PeakKb());
        if (result != declfile::kAnaliseSemErro) std::printf("  %s: result %d\n", qPrintable(part), result);
        establishments += e;
        contracts += c;
        // The baseline: the file read plainly, the rows loaded inserted raw.
        std::vector<std::pair<QString, Rows>> tables;
        for (const char* t : {"Te8resp.db", "Te8emp.db", "Te8vinc.db"}) {
            const QString model = QDir(dados).filePath(QString::fromLatin1(t));
            tables.emplace_back(model, ReadRows(model));
        }
        const auto baselineOnce = [&] {
            ReadInChunks(part);
            for (const auto& [model, rows] : tables)
                RawInsert(model, QDir(scratch).filePath(QFileInfo(model).fileName()), rows, true);
        };
        // Taken in turns, so that neither always follows the disk work the
        // other left behind.
        for (int round = 0; round < 3; ++round) {
            partBaseline.Keep(TimeOf(baselineOnce));
            if (round < 2) partAnalyse.Keep(TimeOf(analyseOnce));
        }
        analyse += partAnalyse;
        baseline += partBaseline;
    }
    Report("analyser with loading", analyse, "chunked read + raw insert of its rows", baseline, 1.2, peak);
    std::printf("  (%d establishments, %d contracts loaded)\n", establishments, contracts);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const Options options = ParseOptions(argc, argv);
    if (options.data.isEmpty()) return bench::RunEachDeclaration();
    QTemporaryDir dir;
    const QString dados = PrepareProgramFolder(dir);
    const QString transmite = dir.filePath(QStringLiteral("Transmite"));
    const QString scratch = dir.filePath(QStringLiteral("scratch"));
    QDir().mkpath(scratch);
    bench::NoBoxes boxes;
    msg::SetMessageHost(&boxes);

    QElapsedTimer timer;
    timer.start();
    const int contracts = GenerateDeclaration(options);
    std::printf("declaration (%s): %d contracts generated in %lld ms\n", qPrintable(options.data), contracts,
                timer.elapsed());
    std::printf("%-24s  first   best    | %-38s  first   best    |       first  best        first  best\n", "job",
                "baseline");
    const QStringList only = options.only.split(QLatin1Char(','), Qt::SkipEmptyParts);
    auto wanted = [&](const char* job) { return only.isEmpty() || only.contains(QLatin1String(job)); };
    if (wanted("store")) StoreJobs(dados, scratch);
    if (wanted("check")) CheckJob(dados);
    if (wanted("writer") || wanted("analyser")) WriterJob(dados, transmite, scratch);
    if (wanted("analyser")) AnalyserJob(dados, transmite, scratch);
    msg::SetMessageHost(nullptr);
    delete dmLobrix;
    return 0;
}
