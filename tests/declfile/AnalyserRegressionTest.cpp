// Replays the inputs that once broke the analyser (tests/declfile/regressions)
// and the fuzzer's seed files, in both layouts: each must end with a result,
// and only a clean analysis may leave working tables.
#include "AnalyserFixture.h"

#include "support/DataFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace analyserfixture;

namespace {

QStringList inputs() {
    QStringList files;
    for (const char* folder : {"/tests/declfile/regressions", "/tests/fuzz/corpus"}) {
        QDir dir(QStringLiteral(LOBRIX_SOURCE_DIR) + QLatin1String(folder));
        for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) files << dir.filePath(name);
    }
    return files;
}

}  // namespace

TEST(AnalyserRegressions, EveryStoredInputEndsCleanly) {
    const QStringList files = inputs();
    ASSERT_FALSE(files.isEmpty());
    TempProgramWithModules program;
    for (const QString& path : files) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        const QByteArray bytes = f.readAll();
        for (bool previousYear : {false, true}) {
            SCOPED_TRACE(QStringLiteral("%1 %2").arg(QFileInfo(path).fileName()).arg(previousYear).toStdString());
            AnalyseOptions options;
            options.previousYear = previousYear;
            options.zeroPay = previousYear;
            const Outcome o = AnalyseBytes(program.dataFolder(), bytes, options);
            ASSERT_TRUE(o.result == declfile::kAnaliseSemErro || o.result == declfile::kAnaliseComErro ||
                        o.result == declfile::kAnaliseRetificacao)
                << o.result;
            EXPECT_EQ(WorkTablesExist(program.dataFolder()), o.result != declfile::kAnaliseComErro);
            EXPECT_EQ(ReadFindings(program.dataFolder()).isEmpty(), o.result != declfile::kAnaliseComErro);
            EXPECT_LE(qint64(o.establishments + o.contracts) * 550, bytes.size());
        }
    }
}
