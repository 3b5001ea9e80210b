// Feeds arbitrary bytes to the structure analyser, in both layouts, with the
// lookups of a real data folder. Whatever the bytes, the analysis must end
// with a result, leave no working tables after a finding and never crash,
// hang or leak.
#include "declfile/DeclarationWriter.h"
#include "declfile/ugAnaliseEstrutura.h"
#include "platform/AppPaths.h"
#include "platform/db/DbError.h"
#include "shell/UdmLobrix.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QTemporaryDir* gDir = nullptr;
QString gData;
QString gInput;

void fail(const char* what) {
    std::fprintf(stderr, "analyser fuzz: %s\n", what);
    std::abort();
}

bool workTablesLeft() {
    for (const QString& name : QDir(gData).entryList(QDir::Files))
        if (name.startsWith(QLatin1String("te8emp"), Qt::CaseInsensitive) ||
            name.startsWith(QLatin1String("te8vinc"), Qt::CaseInsensitive) ||
            name.startsWith(QLatin1String("te8resp"), Qt::CaseInsensitive))
            return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    // Every analysis creates and drops tables; on a memory file system their
    // syncs cost nothing and the fuzzer runs many more inputs.
    const QString shm = QStringLiteral("/dev/shm");
    gDir = QFileInfo(shm).isDir() && QFileInfo(shm).isWritable()
               ? new QTemporaryDir(shm + QStringLiteral("/lobrix-fuzz-XXXXXX"))
               : new QTemporaryDir;
    gData = gDir->filePath(QStringLiteral("Dados"));
    QDir().mkpath(gData);
    for (const QString& f : QDir(QStringLiteral(LOBRIX_DADOS_TEMPLATE)).entryList(QDir::Files))
        QFile::copy(QDir(QStringLiteral(LOBRIX_DADOS_TEMPLATE)).filePath(f), QDir(gData).filePath(f));
    AppPaths::setProgramFolder(gDir->path());
    dmLobrix = new TdmLobrix;
    gInput = gDir->filePath(QStringLiteral("entrada.dec"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        QFile f(gInput);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) fail("cannot write the input");
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    for (bool previousYear : {false, true}) {
        declfile::TAnaliseEstrutura analyser;
        analyser.LayoutAnoAnterior = previousYear;
        declfile::WriterHost host;
        int establishments = -1, contracts = -1;
        int result = -1;
        try {
            result = analyser.AnalyseFile(gInput, 2009, host, gData, false, establishments, contracts, previousYear);
        } catch (const db::DbError& e) {
            std::fprintf(stderr, "%s\n", e.what());
            fail("database error");
        }
        switch (result) {
        case declfile::kAnaliseSemErro:
        case declfile::kAnaliseRetificacao:
            if (!workTablesLeft()) fail("clean analysis without working tables");
            break;
        case declfile::kAnaliseComErro:
            if (workTablesLeft()) fail("working tables left after a finding");
            break;
        default: fail("unexpected result");
        }
        if (establishments < 0 || contracts < 0 || qint64(establishments + contracts) * 550 > qint64(size))
            fail("counts out of range");
    }
    return 0;
}
