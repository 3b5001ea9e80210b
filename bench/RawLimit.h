#pragma once
// What the benchmarks against the raw limit share: a program folder holding
// one generated declaration (one establishment of many contracts plus 200 of
// 50, every column of every row filled with values the check accepts), the
// raw baselines measured in the same run (SQLite without our store, plain
// file reads and writes, MD5) and one line of figures per job: its time, the
// baseline's, their ratio and the job's peak memory.
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
};

inline Options ParseOptions(int argc, char** argv) {
    Options o;
    for (int i = 1; i + 1 < argc; ++i) {
        const QByteArray a = argv[i];
        if (a == "--contracts") o.bigContracts = QByteArray(argv[++i]).toInt();
        else if (a == "--job") o.only = QString::fromLocal8Bit(argv[++i]);
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
    return valid::WriteLargeDeclaration(o.bigContracts, o.smallEstablishments, o.contractsEach);
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

// A job's time: wall and CPU, each the best of the rounds (other work on the
// machine only ever adds time). Times add up over several runs.
struct Time {
    double wall = 0, cpu = 0;
    Time& operator+=(const Time& o) {
        wall += o.wall;
        cpu += o.cpu;
        return *this;
    }
};

inline Time BestMs(const std::function<void()>& run, int rounds = 3) {
    Time best;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer t;
        t.start();
        const double cpu = CpuMs();
        run();
        const double c = CpuMs() - cpu;
        const double ms = double(t.nsecsElapsed()) / 1e6;
        if (i == 0 || ms < best.wall) best.wall = ms;
        if (i == 0 || c < best.cpu) best.cpu = c;
    }
    return best;
}

// A limit of 0: the figure is shown for comparison, with no limit of its own.
inline void Report(const char* job, Time t, const char* baseline, Time base, double limit, long peakKb) {
    const double ratio = base.wall > 0 ? t.wall / base.wall : 0;
    const double cpuRatio = base.cpu > 0 ? t.cpu / base.cpu : 0;
    char verdict[32] = "               ";
    if (limit > 0) std::snprintf(verdict, sizeof verdict, "limit %.1f %s", limit, ratio <= limit ? "ok  " : "OVER");
    std::printf("%-24s %7.0f ms | %-38s %7.0f ms | ratio %5.2f (CPU %5.2f) %s | peak %6.1f MB\n", job, t.wall,
                baseline, base.wall, ratio, cpuRatio, verdict, double(peakKb) / 1024.0);
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

// Raw SELECT in key order, every column read as text; each row handed on.
inline qint64 RawSelect(const QString& path, const std::function<void(sqlite3_stmt*, int)>& onRow = nullptr) {
    RawFile f(path);
    const TableShape s = ShapeOf(f);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(f.handle(),
                       QStringLiteral("SELECT * FROM \"%1\" ORDER BY %2").arg(s.table, s.keyOrder).toUtf8(), -1, &st,
                       nullptr);
    qint64 bytes = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < s.columns; ++c) {
            sqlite3_column_text(st, c);
            bytes += sqlite3_column_bytes(st, c);
        }
        if (onRow) onRow(st, s.columns);
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
// statement in one transaction.
inline void RawInsert(const QString& model, const QString& path, const Rows& rows) {
    CreateEmptyLike(model, path);
    RawFile f(path);
    const TableShape s = ShapeOf(f);
    QStringList marks;
    for (int c = 0; c < s.columns; ++c) marks << QStringLiteral("?");
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(f.handle(),
                       QStringLiteral("INSERT INTO \"%1\" VALUES (%2)").arg(s.table, marks.join(',')).toUtf8(), -1,
                       &st, nullptr);
    f.exec("BEGIN");
    for (int r = 0; r < rows.count(); ++r) {
        for (int c = 0; c < rows.columns; ++c) {
            const QByteArrayView v = rows.value(r, c);
            sqlite3_bind_text(st, c + 1, v.data(), int(v.size()), SQLITE_STATIC);
        }
        sqlite3_step(st);
        sqlite3_reset(st);
    }
    f.exec("COMMIT");
    sqlite3_finalize(st);
}

inline QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

inline QByteArray Md5(const QByteArray& bytes) { return QCryptographicHash::hash(bytes, QCryptographicHash::Md5); }

}  // namespace rawlimit
