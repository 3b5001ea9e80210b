#pragma once
// What the benchmarks against the raw limit share: a program folder holding
// one generated declaration (one establishment of many contracts plus 200 of
// 50, every column of every row filled with values the check accepts, every
// record alike or varied as real ones are), the raw baselines measured in the
// same run (SQLite without our store, plain file reads and writes, MD5) and
// one line of figures per job: its first run and its best, the baseline's,
// their ratios and the job's peak memory.
#include "BenchSupport.h"
#include "platform/AppPaths.h"
#include "platform/db/Database.h"
#include "platform/db/Table.h"
#include "shell/UdmLobrix.h"

// The generator of valid records, built into the benchmark as it stands.
#include "support/Builders.h"
#include "support/ValidDeclaration.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <functional>
#include <sqlite3.h>
#include <vector>

namespace rawlimit {

struct Options {
    int bigContracts = 50000;  // "--contracts N": the large establishment's contracts
    int smallEstablishments = 200;
    int contractsEach = 50;
    QString only;              // "--job NAME": that job alone
    QString data;              // "--data uniform" or "--data varied": that declaration alone
};

inline Options ParseOptions(int argc, char** argv) {
    Options o;
    for (int i = 1; i + 1 < argc; ++i) {
        const QByteArray a = argv[i];
        if (a == "--contracts") o.bigContracts = QByteArray(argv[++i]).toInt();
        else if (a == "--job") o.only = QString::fromLocal8Bit(argv[++i]);
        else if (a == "--data") o.data = QString::fromLocal8Bit(argv[++i]);
    }
    return o;
}

// The program folder's Dados, copied from the built one; dmLobrix on it.
inline QString PrepareProgramFolder(const QTemporaryDir& dir) {
    const QString dados = bench::CopyProgramFolder(dir);
    dmLobrix = new TdmLobrix;
    return dados;
}

// The declaration, generated once into BD8Resp, BD8Emp and BD8Vinc.
inline int GenerateDeclaration(const Options& o) {
    return valid::WriteLargeDeclaration(o.bigContracts, o.smallEstablishments, o.contractsEach,
                                        o.data == QLatin1String("varied") ? valid::Data::Varied
                                                                          : valid::Data::Uniform);
}

// Peak resident memory since the last reset, in kB.
inline long PeakKb() { return bench::PeakMemoryKb(); }
inline long HeldKb() { return bench::StatusKb("VmRSS"); }

// Starts a job's peak from the memory the process holds now.
inline void ResetPeak() {
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly)) f.write("5");
}

// CPU time of the process (user and system): steadier than wall time on a
// machine others share, blind to waits on the disk.
inline double CpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1e6;
}

// A time: wall and CPU. Times add up over several runs.
struct Time {
    double wall = 0, cpu = 0;
    Time& operator+=(const Time& o) {
        wall += o.wall;
        cpu += o.cpu;
        return *this;
    }
};

// A job's times: its first run after start-up, which pays for whatever the
// program reads or builds once, and the best of its runs (other work on the
// machine only ever adds time), wall and CPU each.
struct Timing {
    Time first, best;
    // Keeps a run's time: the first ever, and the best so far.
    void Keep(Time t) {
        if (!runs++) {
            first = best = t;
            return;
        }
        best.wall = std::min(best.wall, t.wall);
        best.cpu = std::min(best.cpu, t.cpu);
    }
    Timing& operator+=(const Timing& o) {
        first += o.first;
        best += o.best;
        runs = std::max(runs, o.runs);
        return *this;
    }
    int runs = 0;
};

inline Time TimeOf(const std::function<void()>& run) {
    QElapsedTimer t;
    t.start();
    const double cpu = CpuMs();
    run();
    return Time{double(t.nsecsElapsed()) / 1e6, CpuMs() - cpu};
}

inline Timing Measure(const std::function<void()>& run, int rounds = 3) {
    Timing timing;
    for (int i = 0; i < rounds; ++i) timing.Keep(TimeOf(run));
    return timing;
}

// A limit of 0: the figure is shown for comparison, with no limit of its own.
// The limit holds for the best runs; the first runs' ratio is shown beside.
inline void Report(const char* job, const Timing& t, const char* baseline, const Timing& base, double limit,
                   long peakKb) {
    const auto ratio = [](double a, double b) { return b > 0 ? a / b : 0; };
    const double best = ratio(t.best.wall, base.best.wall);
    char verdict[32] = "               ";
    if (limit > 0) std::snprintf(verdict, sizeof verdict, "limit %.1f %s", limit, best <= limit ? "ok  " : "OVER");
    std::printf("%-24s %6.0f %6.0f ms | %-38s %6.0f %6.0f ms | ratio %5.2f %5.2f (CPU %5.2f %5.2f) %s | peak %6.1f MB\n",
                job, t.first.wall, t.best.wall, baseline, base.first.wall, base.best.wall,
                ratio(t.first.wall, base.first.wall), best, ratio(t.first.cpu, base.first.cpu),
                ratio(t.best.cpu, base.best.cpu), verdict, double(peakKb) / 1024.0);
    std::fflush(stdout);
}

// A raw connection to one table file, as SQLite comes: rollback journal,
// synchronous FULL, like the store's.
class RawFile {
public:
    explicit RawFile(const QString& path) {
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                            nullptr) != SQLITE_OK)
            std::fprintf(stderr, "cannot open %s\n", qPrintable(path));
    }
    ~RawFile() { sqlite3_close_v2(db_); }
    sqlite3* handle() const { return db_; }
    void exec(const char* sql) const {
        char* err = nullptr;
        if (sqlite3_exec(db_, sql, nullptr, nullptr, &err) != SQLITE_OK) std::fprintf(stderr, "%s: %s\n", sql, err);
        sqlite3_free(err);
    }

private:
    sqlite3* db_ = nullptr;
};

// The one table of a table file and its key order (the unique index "Main",
// or the first index; rowid when none).
struct TableShape {
    QString table;
    QString keyOrder;
    QByteArrayList schema;  // CREATE statements
    int columns = 0;
};

inline TableShape ShapeOf(const RawFile& f) {
    TableShape s;
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(f.handle(), "SELECT type, name, sql FROM sqlite_master WHERE sql IS NOT NULL ORDER BY type DESC",
                       -1, &st, nullptr);
    QString firstIndex;
    while (sqlite3_step(st) == SQLITE_ROW) {
        const QByteArray type = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        const QString name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
        s.schema << QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(st, 2)));
        if (type == "table") s.table = name;
        else if (type == "index" && (firstIndex.isEmpty() || name.endsWith(QLatin1String("Main")))) firstIndex = name;
    }
    sqlite3_finalize(st);
    QStringList cols;
    if (!firstIndex.isEmpty()) {
        sqlite3_prepare_v2(f.handle(), QStringLiteral("PRAGMA index_info(\"%1\")").arg(firstIndex).toUtf8(), -1, &st,
                           nullptr);
        while (sqlite3_step(st) == SQLITE_ROW)
            cols << QLatin1Char('"') + QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 2))) +
                        QLatin1Char('"');
        sqlite3_finalize(st);
    }
    cols << QStringLiteral("rowid");
    s.keyOrder = cols.join(QLatin1Char(','));
    sqlite3_prepare_v2(f.handle(), QStringLiteral("SELECT * FROM \"%1\" LIMIT 0").arg(s.table).toUtf8(), -1, &st,
                       nullptr);
    s.columns = sqlite3_column_count(st);
    sqlite3_finalize(st);
    return s;
}

// Rows held packed, every column as its stored text.
struct Rows {
    int columns = 0;
    QByteArray blob;
    std::vector<quint32> ends;  // end of each value in blob
    int count() const { return columns ? int(ends.size() / columns) : 0; }
    QByteArrayView value(int row, int col) const {
        const std::size_t i = std::size_t(row) * columns + col;
        const quint32 begin = i ? ends[i - 1] : 0;
        return QByteArrayView(blob.constData() + begin, ends[i] - begin);
    }
    long heldKb() const { return long((blob.capacity() + ends.capacity() * 4) / 1024); }
};

// Raw SELECT in key order, every column named (all when none is) read as
// text; each row handed on.
inline qint64 RawSelect(const QString& path, const std::function<void(sqlite3_stmt*, int)>& onRow = nullptr,
                        const QStringList& columns = {}) {
    RawFile f(path);
    const TableShape s = ShapeOf(f);
    QStringList quoted;
    for (const QString& c : columns) quoted << QLatin1Char('"') + c + QLatin1Char('"');
    const QString list = quoted.isEmpty() ? QStringLiteral("*") : quoted.join(QLatin1Char(','));
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(f.handle(),
                           QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY %3").arg(list, s.table, s.keyOrder).toUtf8(),
                           -1, &st, nullptr) != SQLITE_OK)
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), sqlite3_errmsg(f.handle()));
    const int n = sqlite3_column_count(st);
    qint64 bytes = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < n; ++c) {
            sqlite3_column_text(st, c);
            bytes += sqlite3_column_bytes(st, c);
        }
        if (onRow) onRow(st, n);
    }
    sqlite3_finalize(st);
    return bytes;
}

inline Rows ReadRows(const QString& path) {
    Rows rows;
    RawSelect(path, [&](sqlite3_stmt* st, int columns) {
        rows.columns = columns;
        for (int c = 0; c < columns; ++c) {
            rows.blob.append(reinterpret_cast<const char*>(sqlite3_column_text(st, c)), sqlite3_column_bytes(st, c));
            rows.ends.push_back(quint32(rows.blob.size()));
        }
    });
    return rows;
}

// An empty table file of the same shape as the one given.
inline void CreateEmptyLike(const QString& model, const QString& path) {
    QFile::remove(path);
    RawFile from(model);
    const TableShape s = ShapeOf(from);
    RawFile to(path);
    for (const QByteArray& sql : s.schema) to.exec(sql.constData());
}

// Raw insert of the rows into a fresh copy of the table file: one prepared
// statement in one transaction. The table is made first as a plain caller
// would (each CREATE committed on its own), or, `createInTransaction`, in the
// transaction of the rows, as the file is only of use once they are in.
inline void RawInsert(const QString& model, const QString& path, const Rows& rows, bool createInTransaction = false) {
    TableShape s;
    {
        RawFile from(model);
        s = ShapeOf(from);
    }
    QFile::remove(path);
    RawFile f(path);
    if (!createInTransaction)
        for (const QByteArray& sql : s.schema) f.exec(sql.constData());
    f.exec("BEGIN");
    if (createInTransaction)
        for (const QByteArray& sql : s.schema) f.exec(sql.constData());
    QStringList marks;
    for (int c = 0; c < s.columns; ++c) marks << QStringLiteral("?");
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(f.handle(),
                       QStringLiteral("INSERT INTO \"%1\" VALUES (%2)").arg(s.table, marks.join(',')).toUtf8(), -1,
                       &st, nullptr);
    for (int r = 0; r < rows.count(); ++r) {
        for (int c = 0; c < rows.columns; ++c) {
            const QByteArrayView v = rows.value(r, c);
            sqlite3_bind_text(st, c + 1, v.data(), int(v.size()), SQLITE_STATIC);
        }
        sqlite3_step(st);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    f.exec("COMMIT");
}

// A file read as a plain program reads it: a fixed buffer filled again and
// again. Returns the bytes read.
inline qint64 ReadInChunks(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) return -1;
    static char buffer[64 * 1024];
    qint64 total = 0;
    for (qint64 n; (n = f.read(buffer, sizeof buffer)) > 0;) total += n;
    return total;
}

// A file written as it is made: 64 KB at a time, each fed to the MD5 on its
// way out; the digest's hex closes the file.
class StreamedWrite {
public:
    explicit StreamedWrite(const QString& path) : file_(path), md5_(QCryptographicHash::Md5) {
        if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        buffer_.reserve(kChunk + 4096);
    }
    QByteArray& buffer() { return buffer_; }
    // After each record: a full chunk goes out.
    void Flush(bool all = false) {
        if (buffer_.size() < kChunk && !all) return;
        md5_.addData(buffer_);
        file_.write(buffer_);
        buffer_.resize(0);  // keeps its room
    }
    void Close() {
        Flush(true);
        file_.write(md5_.result().toHex());
        file_.close();
    }

private:
    static constexpr qsizetype kChunk = 64 * 1024;
    QFile file_;
    QCryptographicHash md5_;
    QByteArray buffer_;
};

}  // namespace rawlimit
