// The database work of the employee form's save over a large establishment:
// 200 new contracts saved, one by one, into an establishment holding 50,000
// (the duplicate queries, the post and the recount of employees and
// foreigners, in one transaction each). Printed beside a plain
// SELECT * FROM BD8Vinc WHERE CoPisPasepEmpregado = ? on the same file with
// raw SQLite. Target: the median save within 4 times the median query, and
// under 200 ms, on two cores.
#include "BenchSupport.h"
#include "entry/EmployeeContract.h"
#include "platform/AppPaths.h"
#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"

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
#include <sqlite3.h>
#include <vector>

namespace {

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int big = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 50000;
    const int saves = 200;
    QTemporaryDir dir;
    const QString dados = bench::CopyProgramFolder(dir);
    dmLobrix = new TdmLobrix;
    dmEntradaDados = new TdmEntradaDados;

    const valid::Row est = valid::Establishment(0, big);
    {
        auto database = dmLobrix->dbZuvo;
        db::Transaction tx(*database);
        db::Table emp(database, QStringLiteral("BD8Emp.db"));
        db::Table vinc(database, QStringLiteral("BD8Vinc.db"));
        emp.Open();
        vinc.Open();
        valid::Append(emp, est);
        for (int k = 0; k < big; ++k) valid::Append(vinc, valid::Contract(est, k));
        tx.commit();
    }

    db::Table& contract = dmEntradaDados->ta8Empreg;
    db::Table& establishment = dmEntradaDados->ta8Empresa;
    contract.Open();
    establishment.Open();
    const EstablishmentKey key{est.value("AnBase"), est.value("CoCgcCeiEstabelecimento"),
                               est.value("NuPrefixoEstabelecimento")};
    establishment.FindKey({key.baseYear, key.inscription, key.prefix});

    QElapsedTimer timer;
    std::vector<double> saveMs;
    QStringList pis;
    int duplicates = 0;
    for (int i = 0; i < saves; ++i) {
        valid::Row row = valid::Contract(est, big + 1000 + i);
        row["NuSequencialRegistro"] = QString();
        pis << row.value("CoPisPasepEmpregado");
        timer.start();
        const PersonData person{row.value("NoEmpregado"), row.value("DaNascimentoEmpregado"),
                                row.value("CoCpfEmpregado")};
        const auto same = FindContractsWithPis(dmEntradaDados->quBuscaEmpreg, pis.last());
        if (SamePisOtherPerson(same, key.baseYear, false, person)) ++duplicates;
        if (SameContractExists(same, pis.last(), row.value("DaAdmissaoEmpregado"),
                               row.value("DaDesligamentoEmpregado"), row.value("CoCbo"), row.value("NoEmpregado"), 0))
            ++duplicates;
        contract.Append();
        for (auto it = row.begin(); it != row.end(); ++it) contract.FieldByName(it.key()).SetAsString(it.value());
        PadContractFields(contract);
        PostContractWithCounts(contract, establishment, key);
        saveMs.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    const QString counted = establishment.FieldByName(QStringLiteral("NuVinculosEstabelecimento")).AsString();

    // The baseline: the same file read with raw SQLite, one PIS/PASEP at a time.
    const QString file = dmLobrix->dbZuvo->resolve(QStringLiteral("BD8Vinc.db"));
    sqlite3* raw = nullptr;
    sqlite3_open_v2(file.toUtf8().constData(), &raw, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(raw, "SELECT * FROM BD8Vinc WHERE CoPisPasepEmpregado = ?", -1, &st, nullptr);
    std::vector<double> queryMs;
    long long found = 0;
    for (const QString& p : pis) {
        timer.start();
        const QByteArray b = p.toUtf8();
        sqlite3_bind_text(st, 1, b.constData(), b.size(), SQLITE_TRANSIENT);
        while (sqlite3_step(st) == SQLITE_ROW) {
            const int n = sqlite3_column_count(st);
            for (int c = 0; c < n; ++c) found += sqlite3_column_bytes(st, c) > 0 ? 1 : 0;
        }
        sqlite3_reset(st);
        queryMs.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    sqlite3_finalize(st);
    sqlite3_close(raw);

    const double save = Median(saveMs);
    const double query = Median(queryMs);
    std::printf("contracts in the establishment: %d, saved: %d, counted: %s, duplicates: %d\n", big, saves,
                qPrintable(counted), duplicates);
    std::printf("save: median %.2f ms, worst %.2f ms\n", save, *std::max_element(saveMs.begin(), saveMs.end()));
    std::printf("plain query by PIS/PASEP: median %.2f ms (%lld values read)\n", query, found);
    std::printf("save / query: %.1f\n", query > 0 ? save / query : 0.0);
    contract.Close();
    establishment.Close();
    delete dmEntradaDados;
    delete dmLobrix;
    const bool ok = duplicates == 0 && counted == QStringLiteral("%1").arg(big + saves, 6, 10, QLatin1Char('0'));
    return ok ? 0 : 1;
}
