// Each large job beside its raw limit, on one generated declaration (one
// establishment of 50,000 contracts plus 200 of 50, every column filled):
//   store append      raw SQLite insert, one prepared statement, one transaction
//   store read        raw SQLite SELECT in key order, every column as text
//   check             raw scan of the columns it reads
//   writer            raw select + record formatting + MD5 + raw write
//   analyser + load   raw insert of the rows it loads + raw read of the file
//   each job and each baseline: the best of three runs
// Run pinned: taskset -c 0,1 RawLimitBench [--contracts 200000] [--job store,check,writer,analyser]
#include "RawLimit.h"

#include "declfile/DeclarationWriter.h"
#include "declfile/ugAnaliseEstrutura.h"
#include "rules/ugCriticaDeclaracao.h"
#include "platform/ui/MessageService.h"

#include <QApplication>

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
    // one before left behind; the best of each.
    Time rawInsert, appendText, append;
    long appendTextPeak = 0, appendPeak = 0;
    const auto keepBest = [](Time& best, Time t, bool first) {
        if (first || t.wall < best.wall) best.wall = t.wall;
        if (first || t.cpu < best.cpu) best.cpu = t.cpu;
    };
    for (int round = 0; round < 3; ++round) {
        keepBest(rawInsert, BestMs([&] { RawInsert(model, rawPath, rows); }, 1), round == 0);
        ResetPeak();
        keepBest(appendText, BestMs([&] { appendAll(true); }, 1), round == 0);
        appendTextPeak = std::max(appendTextPeak, PeakKb());
        ResetPeak();
        keepBest(append, BestMs([&] { appendAll(false); }, 1), round == 0);
        appendPeak = std::max(appendPeak, PeakKb());
    }
    std::printf("(%d contracts of %d columns; the benchmark holds them in %.1f MB)\n", rows.count(), rows.columns,
                double(rows.heldKb()) / 1024.0);
    Report("store append", append, "raw insert", rawInsert, 1.3, appendPeak);
    Report("  ...a QString per value", appendText, "raw insert", rawInsert, 0, appendTextPeak);

    qint64 rawBytes = 0, storeBytes = 0, storeChars = 0;
    const Time rawSelect = BestMs([&] { rawBytes = RawSelect(storePath); });
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
    const Time read = BestMs([&] { readAll(false); });
    const long readPeak = PeakKb();
    ResetPeak();
    const Time readText = BestMs([&] { readAll(true); });
    Report("store read in key order", read, "raw select in key order", rawSelect, 1.5, readPeak);
    const long readTextPeak = PeakKb();
    Report("  ...a QString per value", readText, "raw select in key order", rawSelect, 0, readTextPeak);
    std::printf("  (the store's own: its peak rises %.1f MB above the %.1f MB held before it)\n",
                double(std::max({appendPeak, appendTextPeak, readPeak, readTextPeak}) - held) / 1024.0, double(held) / 1024.0);
    if (storeBytes != rawBytes || storeChars != rawBytes)
        std::printf("  read %lld bytes (%lld characters), raw %lld bytes\n", storeBytes, storeChars, rawBytes);
}

void CheckJob(const QString& dados) {
    const Time scan = BestMs([&] {
        for (const char* t : {"bd8resp.DB", "Bd8emp.DB", "Bd8vinc.DB"}) RawSelect(QDir(dados).filePath(t));
    });
    QuietCheck host;
    ValidationResult result = 0;
    ResetPeak();
    const Time check = BestMs([&] { result = ValidateDeclaration(host, dados, 0, nullptr, QString(), 1, 0, 0); });
    Report("check", check, "raw scan of its columns", scan, 8, PeakKb());
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
    // writer's length, the MD5 of the records and their raw write.
    const Time baseline = BestMs([&] {
        QByteArray out;
        for (const char* t : {"bd8resp.DB", "Bd8emp.DB", "Bd8vinc.DB"}) {
            RawSelect(QDir(dados).filePath(t), [&](sqlite3_stmt* st, int columns) {
                const qsizetype start = out.size();
                for (int c = 0; c < columns; ++c)
                    out.append(reinterpret_cast<const char*>(sqlite3_column_text(st, c)), sqlite3_column_bytes(st, c));
                out.resize(start + 550, ' ');
                out.append("\r\n");
            });
        }
        const QByteArray digest = Md5(out);
        WriteFile(QDir(scratch).filePath(QStringLiteral("raw.dec")), out + digest.toHex());
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
    const Time write = BestMs([&] {
        for (const QString& p : WrittenParts(transmite)) QFile::remove(p);
        declfile::WriterState fresh;
        state = fresh;
        result = declfile::WriteDeclarationFile(request, state, host);
    });
    Report("writer", write, "raw select + format + MD5 + raw write", baseline, 2, PeakKb());
    qint64 bytes = 0;
    for (const QString& p : WrittenParts(transmite)) bytes += QFileInfo(p).size();
    std::printf("  (result %d, %lld parts, %lld bytes)\n", result, qint64(WrittenParts(transmite).size()), bytes);
}

void AnalyserJob(const QString& dados, const QString& transmite, const QString& scratch) {
    Time analyse, baseline;
    long peak = 0;
    int establishments = 0, contracts = 0;
    for (const QString& part : WrittenParts(transmite)) {
        declfile::WriterHost quiet;
        declfile::TAnaliseEstrutura analyser;
        int e = 0, c = 0, result = -1;
        ResetPeak();
        analyse += BestMs([&] { result = analyser.AnalyseFile(part, 2009, quiet, dados, false, e, c, false); });
        peak = std::max(peak, PeakKb());
        if (result != declfile::kAnaliseSemErro) std::printf("  %s: result %d\n", qPrintable(part), result);
        establishments += e;
        contracts += c;
        // The baseline: the file read plainly, the rows loaded inserted raw.
        baseline += BestMs([&] { ReadFile(part).size(); });
        for (const char* t : {"Te8resp.db", "Te8emp.db", "Te8vinc.db"}) {
            const QString model = QDir(dados).filePath(QString::fromLatin1(t));
            const Rows rows = ReadRows(model);
            baseline += BestMs([&] { RawInsert(model, QDir(scratch).filePath(QString::fromLatin1(t)), rows); });
        }
    }
    Report("analyser with loading", analyse, "raw read + raw insert of its rows", baseline, 1.3, peak);
    std::printf("  (%d establishments, %d contracts loaded)\n", establishments, contracts);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const Options options = ParseOptions(argc, argv);
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
    std::printf("declaration: %d contracts generated in %lld ms\n", contracts, timer.elapsed());
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
