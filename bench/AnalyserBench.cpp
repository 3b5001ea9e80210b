// Analyses and loads a declaration file of 50,000 contracts (ten
// establishments of 5,000) and prints the time beside that of reading the same
// file line by line. Target: within 10 times the read, under 5 s.
#include "DeclarationFileBench.h"
#include "declfile/DeclarationWriter.h"
#include "declfile/ugAnaliseEstrutura.h"
#include "platform/AppPaths.h"
#include "platform/db/Table.h"
#include "shell/UdmLobrix.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kEstablishments = 10;
constexpr int kContractsEach = 5000;

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString dados = benchfile::PrepareProgramFolder(dir);
    benchfile::Seed(dmLobrix->dbZuvo, kEstablishments);
    const QByteArray small = benchfile::WriteSmallFile(dados);
    if (small.isEmpty()) {
        std::fprintf(stderr, "the writer failed\n");
        return 1;
    }
    const QByteArray big = benchfile::Enlarge(small, kEstablishments, kContractsEach, [](int c) {
        return QByteArray("EMPREGADO ") + QByteArray::number(c).rightJustified(10, '0');
    });
    const QString path = dir.filePath("Zuvo2009_grande.dec");
    benchfile::WriteBytes(path, big);

    QElapsedTimer timer;
    timer.start();
    qint64 lines = 0, bytes = 0;
    {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        while (!f.atEnd()) {
            const QByteArray line = f.readLine();
            bytes += line.size();
            ++lines;
        }
    }
    const qint64 readMs = qMax<qint64>(1, timer.restart());

    declfile::WriterHost quiet;
    declfile::TAnaliseEstrutura analyser;
    int establishments = 0, contracts = 0;
    const int result = analyser.AnalyseFile(path, 2009, quiet, dados, false, establishments, contracts, false);
    const qint64 analyseMs = timer.elapsed();

    std::printf("file: %lld records, %lld bytes\n", static_cast<long long>(lines), static_cast<long long>(bytes));
    std::printf("read line by line: %lld ms\n", static_cast<long long>(readMs));
    std::printf("analyse and load:  %lld ms (result %d, %d establishments, %d contracts), %.1fx the read\n",
                static_cast<long long>(analyseMs), result, establishments, contracts, double(analyseMs) / double(readMs));
    delete dmLobrix;
    return result == declfile::kAnaliseSemErro && contracts == kEstablishments * kContractsEach ? 0 : 1;
}
