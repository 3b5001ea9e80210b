// The maintenance wizards over an establishment with 50,000 contracts: the
// multi-delete of all of them and the transfer of all of them, each beside
// the plain DELETE or UPDATE of the same rows of a second establishment (a
// copy of the first) in the same run (raw SQLite); and filling the contract
// check list with its 50,000 lines and ticking them all ("Todos
// empregados"). Targets on two cores: each wizard within 10 times its plain
// statement and under 5 s; the list filled and ticked under 2 s.
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
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

namespace {

constexpr int kContracts = 50000;

void Generate(const valid::Row& establishment) {
    auto database = dmLobrix->dbZuvo;
    db::Transaction tx(*database);
    db::Table vinc(database, QStringLiteral("BD8Vinc.db"));
    vinc.Open();
    for (int k = 0; k < kContracts; ++k) valid::Append(vinc, valid::Contract(establishment, k));
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

int Count(const valid::Row& e) { return dmEntradaDados->CountContracts(e.value("AnBase"), e.value("CoCgcCeiEstabelecimento"), e.value("NuPrefixoEstabelecimento")); }

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString dados = bench::CopyProgramFolder(dir);
    dmLobrix = new TdmLobrix;
    dmEntradaDados = new TdmEntradaDados;

    const valid::Row a = valid::Establishment(0, kContracts);
    const valid::Row b = valid::Establishment(1, kContracts);  // the copy for the plain statements
    {
        db::Table emp(dmLobrix->dbZuvo, QStringLiteral("BD8Emp.db"));
        emp.Open();
        valid::Append(emp, a);
        valid::Append(emp, b);
        emp.Close();
    }
    Generate(a);
    Generate(b);
    const QString where = QStringLiteral(
        " BD8Vinc where AnBase = ? and CoCgcCeiEstabelecimento = ? and NuPrefixoEstabelecimento = ?");
    const QString anoBase = a.value("AnBase");
    const QString inscricao = a.value("CoCgcCeiEstabelecimento");
    const QString prefixo = a.value("NuPrefixoEstabelecimento");

    // The contract list of the wizards' pages, filled and all ticked.
    QElapsedTimer timer;
    forms::TickList list;
    list.setUniformItemSizes(true);
    timer.start();
    FillEmployeeCheckList(&list, anoBase, inscricao, prefixo, QLatin1Char('0'));
    const qint64 fill = timer.elapsed();
    timer.start();
    list.SetAllTicked(true);
    const qint64 tickAll = timer.elapsed();
    QList<CheckedLine> lines;
    timer.start();
    CollectCheckedLines(&list, lines);
    const qint64 collect = timer.elapsed();

    // Multi-delete of all of them; the plain DELETE on the copy.
    const qint64 plainDelete = Plain(QStringLiteral("delete from") + where, b);
    timer.start();
    const int deleted = DeleteSelectedEmployees(lines, anoBase, inscricao, prefixo);
    const qint64 multiDelete = timer.elapsed();
    const int leftAfterDelete = Count(a);

    // Transfer of all of them to a new establishment; the plain UPDATE on the copy.
    Generate(a);
    Generate(b);
    const qint64 plainUpdate = Plain(QStringLiteral("update BD8Vinc set CoCgcCeiEstabelecimento = '99999999999999', "
                                                    "NuPrefixoEstabelecimento = '01' where") +
                                         where.mid(QStringLiteral(" BD8Vinc where").size()),
                                     b);
    qint64 transfer = 0;
    {
        TfmCopEstab00 wizard;
        wizard.AnoBase = anoBase;
        wizard.Inscricao = inscricao;
        wizard.Prefixo = prefixo;
        FillEmployeeCheckList(&list, anoBase, inscricao, prefixo, QLatin1Char('0'));
        list.SetAllTicked(true);
        CollectCheckedLines(&list, wizard.Linhas);
        TfmCopEstab03* page = wizard.fmCopEstab03.get();
        page->InscricaoDestino = valid::EstablishmentCnpj(5);
        page->TipoDestino = QStringLiteral("1");
        page->PrefixoDestino = QStringLiteral("01");
        timer.start();
        page->TransferEmployees();
        transfer = timer.elapsed();
    }
    const int leftAfterTransfer = Count(a);

    auto ratio = [](qint64 x, qint64 base) { return base > 0 ? double(x) / double(base) : 0.0; };
    std::printf("contracts: %d\n", kContracts);
    std::printf("fill the check list: %lld ms for %d lines; Todos empregados %lld ms; collect %lld ms\n",
                static_cast<long long>(fill), list.count(), static_cast<long long>(tickAll),
                static_cast<long long>(collect));
    std::printf("DeleteSelectedEmployees: %lld ms for %d (left %d); plain DELETE %lld ms; ratio %.1f\n",
                static_cast<long long>(multiDelete), deleted, leftAfterDelete, static_cast<long long>(plainDelete),
                ratio(multiDelete, plainDelete));
    std::printf("TransferEmployees: %lld ms (left %d); plain UPDATE %lld ms; ratio %.1f\n",
                static_cast<long long>(transfer), leftAfterTransfer, static_cast<long long>(plainUpdate),
                ratio(transfer, plainUpdate));
    delete dmEntradaDados;
    delete dmLobrix;
    return 0;
}
