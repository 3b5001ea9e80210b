// The whole-declaration check over a large declaration: one establishment
// with 50,000 valid contracts plus 200 establishments with 50 each. Prints
// the check's time beside a plain scan of the same rows (SELECT * over
// BD8Vinc) and the peak memory. Target: the check within 10 times the scan,
// under 10 s on two cores, peak memory under 150 MB.
#include "BenchSupport.h"
#include "platform/AppPaths.h"
#include "rules/ugCriticaDeclaracao.h"
#include "shell/UdmLobrix.h"

// The test generator of valid records, built into this program as it stands.
#include "support/Builders.h"
#include "support/ValidDeclaration.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sqlite3.h>

namespace {

class QuietHost : public ValidationHost {
public:
    void SetProgress(int position) override { last = position; }
    void ProcessEvents() override {}
    bool AskInterrupt() override { return false; }
    void ShowErrorLimit(const QString&) override {}
    int last = 0;
};

// CPU time of this process: steadier than wall time on a busy machine.
double CpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1e6;
}

// Every column of every row read as text, the least any check must do.
long long PlainScan(db::Database& database) {
    const QString sql = QStringLiteral("SELECT * FROM BD8Vinc");
    database.attachAllNamedIn(sql);
    sqlite3_stmt* st = database.prepare(sql);
    long long bytes = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        const int n = sqlite3_column_count(st);
        for (int c = 0; c < n; ++c) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
            const int size = sqlite3_column_bytes(st, c);
            bytes += QString::fromUtf8(text, size).size();
        }
    }
    sqlite3_reset(st);
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // A divisor for quicker runs under a profiler: "CheckBench 10" checks a
    // tenth; "varied" after it checks the varied declaration.
    const int divisor = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 1;
    const valid::Data data = argc > 2 && QByteArray(argv[2]) == "varied" ? valid::Data::Varied : valid::Data::Uniform;
    QTemporaryDir dir;
    const QString dados = bench::CopyProgramFolder(dir);
    dmLobrix = new TdmLobrix;

    QElapsedTimer timer;
    timer.start();
    const int contracts = valid::WriteLargeDeclaration(50000 / divisor, 200 / divisor, 50, data);
    const qint64 generateMs = timer.restart();

    // Each measured three times, the best kept: other work on the machine
    // only ever adds time.
    qint64 scanMs = 0, checkMs = 0;
    double scanCpu = 0, checkCpu = 0;
    long long scanned = 0;
    ValidationResult result = 0;
    QuietHost host;
    for (int round = 0; round < 3; ++round) {
        double cpu = CpuMs();
        timer.restart();
        scanned = PlainScan(*dmLobrix->dbZuvo);
        const qint64 ms = timer.restart();
        const double c = CpuMs() - cpu;
        if (round == 0 || ms < scanMs) scanMs = ms;
        if (round == 0 || c < scanCpu) scanCpu = c;
    }
    for (int round = 0; round < 3; ++round) {
        double cpu = CpuMs();
        timer.restart();
        // As the verification and writing wizards call it (the responsible's
        // file-only fields are checked on a file's analysis only).
        result = ValidateDeclaration(host, dados, 0, nullptr, QString(), 0, 0, 0);
        const qint64 ms = timer.restart();
        const double c = CpuMs() - cpu;
        if (round == 0 || ms < checkMs) checkMs = ms;
        if (round == 0 || c < checkCpu) checkCpu = c;
    }

    std::printf("contracts: %d (generated in %lld ms)\n", contracts, static_cast<long long>(generateMs));
    std::printf("plain scan: %lld ms (%lld characters)\n", static_cast<long long>(scanMs), scanned);
    std::printf("check: %lld ms, result %d, progress %d\n", static_cast<long long>(checkMs), int(result), host.last);
    std::printf("check / scan: %.1f (CPU time %.0f ms / %.0f ms: %.1f)\n",
                scanMs > 0 ? double(checkMs) / double(scanMs) : 0.0, checkCpu, scanCpu,
                scanCpu > 0 ? checkCpu / scanCpu : 0.0);
    std::printf("peak memory: %ld kB\n", bench::PeakMemoryKb());
    if (result != 0) {
        // What made a valid declaration fail: the findings by result and label.
        db::Query q(dmLobrix->dbZuvo);
        q.SetSQL(QStringLiteral("select errwar, retorno, lbl, count(*) as n from te8errwa group by errwar, retorno, lbl"));
        q.Open();
        for (q.First(); !q.Eof(); q.Next())
            std::printf("  %s %s %s: %s\n", qPrintable(q.FieldByName(QStringLiteral("errwar")).AsString()),
                        qPrintable(q.FieldByName(QStringLiteral("retorno")).AsString()),
                        qPrintable(q.FieldByName(QStringLiteral("lbl")).AsString()),
                        qPrintable(q.FieldByName(QStringLiteral("n")).AsString()));
    }
    delete dmLobrix;
    return result == 0 ? 0 : 1;
}
