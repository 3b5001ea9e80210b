// The maintenance wizards over an establishment with 50,000 contracts, each
// job in a process of its own so that its peak is the whole process's:
//   list      filling the contract check list with its 50,000 lines, ticking
//             them all ("Todos empregados") and collecting the ticked lines
//   delete    the multi-delete of all of them, with the list filled, ticked
//             and collected first as the wizard has it while it deletes
//   transfer  the transfer of all of them, likewise
// beside the plain DELETE or UPDATE of the same rows of a second
// establishment (a copy of the first) in the same process (raw SQLite).
// Targets on two cores: each wizard within 10 times its plain statement and
// under 5 s; the list filled and ticked under 2 s; each process's peak under
// 150 MB.
// Run pinned: taskset -c 0,1 MaintenanceBench [--contracts N] [--keep]
// (--keep leaves the program folder with the contracts made again, for the
// list or the delete run on its own: MaintenanceBench --job list FOLDER N)
#include "BenchSupport.h"
#include "entry/ufmCopEstab00.h"
#include "entry/ufmCopEstab03.h"
#include "entry/ufmExclMult04.h"
#include "platform/AppPaths.h"
#include "platform/ui/TickList.h"
#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"
#include "shell/ugListasAssistente.h"

// The test generator of valid records, built into this program as it stands.
#include "support/Builders.h"
#include "support/ValidDeclaration.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

namespace {

void Generate(const valid::Row& establishment, int contracts) {
    auto database = dmLobrix->dbZuvo;
    db::Transaction tx(*database);
    db::Table vinc(database, QStringLiteral("BD8Vinc.db"));
    vinc.Open();
    for (int k = 0; k < contracts; ++k) valid::Append(vinc, valid::Contract(establishment, k));
    vinc.Close();
    tx.commit();
}

// The plain statement over one establishment's contracts, in one transaction.
qint64 Plain(const QString& sql, const valid::Row& e) {
    db::Database& database = *dmLobrix->dbZuvo;
    database.attachAllNamedIn(sql);
    QElapsedTimer timer;
    timer.start();
    database.exec(QStringLiteral("BEGIN"));
    sqlite3_stmt* st = database.prepare(sql);
    int i = 1;
    for (const char* column : {"AnBase", "CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento"})
        sqlite3_bind_text(st, i++, e.value(column).toUtf8().constData(), -1, SQLITE_TRANSIENT);
    while (sqlite3_step(st) == SQLITE_ROW) {
    }
    sqlite3_reset(st);
    database.exec(QStringLiteral("COMMIT"));
    return timer.elapsed();
}

const QString kWhere = QStringLiteral(
    " where AnBase = ? and CoCgcCeiEstabelecimento = ? and NuPrefixoEstabelecimento = ?");

int Count(const valid::Row& e) {
    return dmEntradaDados->CountContracts(e.value("AnBase"), e.value("CoCgcCeiEstabelecimento"),
                                          e.value("NuPrefixoEstabelecimento"));
}

double Mb(long kb) { return double(kb) / 1024.0; }

// The contract list of the wizards' pages, filled, all ticked and collected.
struct Listed {
    qint64 fill = 0, tickAll = 0, collect = 0;
    int lines = 0;
};
Listed FillTickCollect(forms::TickList& list, const valid::Row& e, CheckedLines& lines) {
    Listed r;
    QElapsedTimer timer;
    timer.start();
    FillEmployeeCheckList(&list, e.value("AnBase"), e.value("CoCgcCeiEstabelecimento"),
                          e.value("NuPrefixoEstabelecimento"), QLatin1Char('0'));
    r.fill = timer.restart();
    list.SetAllTicked(true);
    r.tickAll = timer.restart();
    CollectCheckedLines(&list, lines);
    r.collect = timer.elapsed();
    r.lines = list.count();
    return r;
}

// One job in this process, over the folder the parent generated.
int Job(const QString& job, const QString& folder, int contracts) {
    AppPaths::setProgramFolder(folder);
    dmLobrix = new TdmLobrix;
    dmEntradaDados = new TdmEntradaDados;
    const long atStart = bench::PeakMemoryKb();
    const valid::Row a = valid::Establishment(0, contracts);
    const valid::Row b = valid::Establishment(1, contracts);  // the copy for the plain statements
    const QString anoBase = a.value("AnBase");
    const QString inscricao = a.value("CoCgcCeiEstabelecimento");
    const QString prefixo = a.value("NuPrefixoEstabelecimento");
    auto ratio = [](qint64 x, qint64 base) { return base > 0 ? double(x) / double(base) : 0.0; };
    int failed = 0;
    {
        forms::TickList list;
        list.setUniformItemSizes(true);
        if (job == QLatin1String("list")) {
            CheckedLines lines;
            const Listed l = FillTickCollect(list, a, lines);
            std::printf("list: filled %lld ms for %d lines; Todos empregados %lld ms; collected %d in %lld ms",
                        static_cast<long long>(l.fill), l.lines, static_cast<long long>(l.tickAll), int(lines.size()),
                        static_cast<long long>(l.collect));
            failed += l.lines != contracts || int(lines.size()) != contracts;
        } else if (job == QLatin1String("delete")) {
            const qint64 plain = Plain(QStringLiteral("delete from BD8Vinc") + kWhere, b);
            CheckedLines lines;
            const Listed l = FillTickCollect(list, a, lines);
            QElapsedTimer timer;
            timer.start();
            const int deleted = DeleteSelectedEmployees(lines, anoBase, inscricao, prefixo);
            const qint64 wizard = timer.elapsed();
            const int left = Count(a);
            std::printf("delete: list %lld ms; DeleteSelectedEmployees %lld ms for %d (left %d); plain DELETE %lld "
                        "ms; ratio %.1f",
                        static_cast<long long>(l.fill + l.tickAll + l.collect), static_cast<long long>(wizard),
                        deleted, left, static_cast<long long>(plain), ratio(wizard, plain));
            failed += deleted != contracts || left != 0;
        } else if (job == QLatin1String("transfer")) {
            const qint64 plain = Plain(QStringLiteral("update BD8Vinc set CoCgcCeiEstabelecimento = "
                                                      "'99999999999999', NuPrefixoEstabelecimento = '01'") +
                                           kWhere,
                                       b);
            TfmCopEstab00 wizard;
            wizard.AnoBase = anoBase;
            wizard.Inscricao = inscricao;
            wizard.Prefixo = prefixo;
            const Listed l = FillTickCollect(list, a, wizard.Linhas);
            TfmCopEstab03* page = wizard.fmCopEstab03.get();
            page->InscricaoDestino = valid::EstablishmentCnpj(5);
            page->TipoDestino = QStringLiteral("1");
            page->PrefixoDestino = QStringLiteral("01");
            QElapsedTimer timer;
            timer.start();
            page->TransferEmployees();
            const qint64 transfer = timer.elapsed();
            const int left = Count(a);
            const int moved = dmEntradaDados->CountContracts(anoBase, valid::EstablishmentCnpj(5), QStringLiteral("01"));
            std::printf("transfer: list %lld ms; TransferEmployees %lld ms (moved %d, left %d); plain UPDATE %lld ms; "
                        "ratio %.1f",
                        static_cast<long long>(l.fill + l.tickAll + l.collect), static_cast<long long>(transfer), moved,
                        left, static_cast<long long>(plain), ratio(transfer, plain));
            failed += moved != contracts || left != 0;
        } else {
            std::fprintf(stderr, "unknown job %s\n", qPrintable(job));
            return 2;
        }
    }
    std::printf(" | peak %.1f MB (%.1f MB at start)\n", Mb(bench::PeakMemoryKb()), Mb(atStart));
    std::fflush(stdout);
    delete dmEntradaDados;
    delete dmLobrix;
    return failed;
}

int RunChild(const QString& job, const QString& folder, int contracts) {
    return bench::RunChild({QStringLiteral("--job"), job, folder, QString::number(contracts)}) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() >= 5 && args[1] == QLatin1String("--job")) return Job(args[2], args[3], args[4].toInt());

    int contracts = 50000;
    if (const qsizetype i = args.indexOf(QStringLiteral("--contracts")); i > 0 && i + 1 < args.size())
        contracts = args[i + 1].toInt();
    QTemporaryDir dir;
    dir.setAutoRemove(!args.contains(QStringLiteral("--keep")));
    bench::CopyProgramFolder(dir);
    const valid::Row a = valid::Establishment(0, contracts);
    const valid::Row b = valid::Establishment(1, contracts);
    // Both establishments' contracts, made afresh after a job removed them.
    auto generate = [&](bool establishments) {
        dmLobrix = new TdmLobrix;
        if (establishments) {
            db::Table emp(dmLobrix->dbZuvo, QStringLiteral("BD8Emp.db"));
            emp.Open();
            valid::Append(emp, a);
            valid::Append(emp, b);
            emp.Close();
        }
        Generate(a, contracts);
        Generate(b, contracts);
        delete dmLobrix;
        dmLobrix = nullptr;
    };
    generate(true);
    std::printf("contracts: %d in each of two establishments\n", contracts);
    std::fflush(stdout);
    int failed = RunChild(QStringLiteral("list"), dir.path(), contracts);
    failed += RunChild(QStringLiteral("delete"), dir.path(), contracts);
    generate(false);
    failed += RunChild(QStringLiteral("transfer"), dir.path(), contracts);
    if (failed) std::printf("%d job(s) failed\n", failed);
    if (!dir.autoRemove()) {
        generate(false);
        std::printf("program folder kept: %s\n", qPrintable(dir.path()));
    }
    return failed;
}
