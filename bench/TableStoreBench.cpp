// Appends 50,000 contracts to BD8Vinc in one transaction through the dataset
// API, reads them back in key order and counts one establishment's contracts
// with quContaEmpreg. Prints the three times. Target: together under 3 s.
#include "BenchSupport.h"
#include "platform/AppPaths.h"
#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString dados = bench::CopyProgramFolder(dir);
    dmLobrix = new TdmLobrix;
    dmEntradaDados = new TdmEntradaDados;
    db::Table& t = dmEntradaDados->ta8Empreg;
    t.Open();

    constexpr int kContracts = 50000;
    QElapsedTimer timer;
    timer.start();
    {
        db::Transaction tx(*dmLobrix->dbZuvo);
        for (int i = 0; i < kContracts; ++i) {
            t.Append();
            t.FieldByName("AnBase").SetAsString("2009");
            t.FieldByName("CoCgcCeiEstabelecimento").SetAsString(i < kContracts / 2 ? "11222333000181" : "99888777000100");
            t.FieldByName("NuPrefixoEstabelecimento").SetAsString("00");
            t.FieldByName("CoPisPasepEmpregado").SetAsString(QStringLiteral("%1").arg(i, 11, 10, QChar('0')));
            t.FieldByName("DaAdmissaoEmpregado").SetAsString("01012009");
            t.FieldByName("NoEmpregado").SetAsString(QStringLiteral("EMPREGADO NUMERO %1").arg(i));
            t.FieldByName("NuSequencialRegistro").SetAsString(QStringLiteral("%1").arg(i, 6, 10, QChar('0')));
            t.FieldByName("CoCbo").SetAsString("123456");
            t.FieldByName("CoNacionalidade").SetAsString("10");
            for (const char* month : {"VaJaneiroEmpregado", "VaFevereiroEmpregado", "VaMarcoEmpregado"})
                t.FieldByName(month).SetAsString("000123456");
            t.Post();
        }
        tx.commit();
    }
    const qint64 appendMs = timer.restart();

    int read = 0;
    for (t.First(); !t.Eof(); t.Next()) {
        if (!t.FieldByName("NoEmpregado").AsString().isEmpty()) ++read;
    }
    const qint64 readMs = timer.restart();

    const int count = dmEntradaDados->CountContracts("2009", "11222333000181", "00");
    const qint64 countMs = timer.elapsed();

    std::printf("append %d contracts: %lld ms\n", kContracts, static_cast<long long>(appendMs));
    std::printf("read back %d in key order: %lld ms\n", read, static_cast<long long>(readMs));
    std::printf("count one establishment (%d): %lld ms\n", count, static_cast<long long>(countMs));
    std::printf("total: %lld ms (target under 3000)\n", static_cast<long long>(appendMs + readMs + countMs));
    t.Close();
    delete dmEntradaDados;
    delete dmLobrix;
    return read == kContracts && count == kContracts / 2 ? 0 : 1;
}
