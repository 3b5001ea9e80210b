#include "platform/db/Database.h"
#include "platform/os/SingleInstance.h"
#include "platform/ui/LobrixApplication.h"
#include "shell/LobrixStartup.h"
#include "shell/UdmLobrix.h"
#include "shell/Ugvertab.h"
#include "shell/udmEntradaDados.h"
#include "shell/ufmLOBRIX.h"
#include "support/DataFolder.h"
#include "support/ScriptedMessages.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// A program folder with its own lock folder, so the guards see no other copy.
struct StartupFixture : ::testing::Test {
    TempProgramFolder program;
    QTemporaryDir locks;
    StartupFixture() { os::SetLockFolder(locks.path()); }
    ~StartupFixture() override {
        EndProgram();
        os::SetLockFolder(QString());
    }
    QString tablePath(const QString& name) const {
        return db::Database::forFolder(program.dataFolder())->resolve(name);
    }
};

int mainWindowCount() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<TfmLOBRIX*>(w)) ++n;
    return n;
}

QByteArray fileDigest(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1);
}

// Writes rows straight into a table file, past the store's own checks.
void execOnFile(const QString& path, const char* sql) {
    sqlite3* h = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &h), SQLITE_OK);
    char* err = nullptr;
    const int rc = sqlite3_exec(h, sql, nullptr, nullptr, &err);
    EXPECT_EQ(rc, SQLITE_OK) << (err ? err : "");
    sqlite3_free(err);
    sqlite3_close(h);
}

}  // namespace

TEST_F(StartupFixture, MissingPostcodeTableStopsTheStart) {
    ASSERT_TRUE(QFile::remove(tablePath("TBUFCEP.DB")));
    ScriptedMessages boxes;
    boxes.answer("mrOk");
    EXPECT_EQ(StartProgram(), StartOutcome::MissingFiles);
    EXPECT_EQ(boxes.texts(),
              QStringList{"Faltam arquivos para execução do sistema. Instale novamente o LOBRIX."});
    EXPECT_EQ(boxes.shown().at(0).kind, msg::BoxKind::Warning);
    EXPECT_EQ(dmLobrix, nullptr);
    EXPECT_EQ(fmLOBRIX, nullptr);
    EXPECT_EQ(mainWindowCount(), 0);
}

TEST_F(StartupFixture, EveryRequiredFileIsTestedWithoutRegardToCase) {
    EXPECT_EQ(RequiredTableFiles().size(), 25);
    EXPECT_EQ(StartupIndexes().size(), 24);
    // The shipped folder names its files in mixed case ("Tb8raca.DB").
    EXPECT_TRUE(CheckTablesAtStartup());
    for (const StartupIndex& si : StartupIndexes())
        EXPECT_FALSE(si.index.fields.isEmpty()) << si.indexFile.toStdString();
}

TEST_F(StartupFixture, DroppedMessageIndexIsBackAndResponsibleTableUntouched) {
    auto database = db::Database::forFolder(program.dataFolder());
    database->dropIndex("TB8MSG.DB", "Main");
    ASSERT_FALSE(database->indexExists("TB8MSG.DB", "Main"));
    const QString resp = tablePath("BD8RESP.DB");
    const QByteArray before = fileDigest(resp);
    const QDateTime modified = QFileInfo(resp).lastModified();

    ScriptedMessages boxes;
    ASSERT_EQ(StartProgram(), StartOutcome::Started);
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_TRUE(database->indexExists("TB8MSG.DB", "Main"));
    const QList<db::IndexDef> ix = database->indexes("TB8MSG.DB");
    ASSERT_FALSE(ix.isEmpty());
    EXPECT_TRUE(ix.at(0).primary);
    EXPECT_EQ(ix.at(0).fields, QStringList{"NuMensagem"});
    EXPECT_EQ(fileDigest(resp), before);
    EXPECT_EQ(QFileInfo(resp).lastModified(), modified);
    EXPECT_NE(dmLobrix, nullptr);
    EXPECT_NE(dmEntradaDados, nullptr);
    EXPECT_EQ(mainWindowCount(), 1);
}

TEST_F(StartupFixture, CaseInsensitiveStateIndexIsRebuiltAsSuch) {
    auto database = db::Database::forFolder(program.dataFolder());
    database->dropIndex("TBUF.DB", "ISgUf");
    ScriptedMessages boxes;
    ASSERT_EQ(StartProgram(), StartOutcome::Started);
    const QList<db::IndexDef> ix = database->indexes("TBUF.DB");
    auto it = std::find_if(ix.begin(), ix.end(), [](const db::IndexDef& d) { return d.name == "ISgUf"; });
    ASSERT_NE(it, ix.end());
    EXPECT_TRUE(it->caseInsensitive);
    EXPECT_FALSE(it->primary);
}

TEST_F(StartupFixture, IndexThatCannotBeRebuiltWarnsAndTheStartGoesOn) {
    auto database = db::Database::forFolder(program.dataFolder());
    database->dropIndex("TB8NACIO.DB", "Main");
    // Two rows of one key, as an interrupted run can leave them.
    execOnFile(tablePath("TB8NACIO.DB"),
               "INSERT INTO \"tb8NACIO\" SELECT * FROM \"tb8NACIO\" WHERE rowid = (SELECT min(rowid) FROM \"tb8NACIO\")");
    ScriptedMessages boxes;
    boxes.acceptOkBoxes();
    ASSERT_EQ(StartProgram(), StartOutcome::Started);
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().at(0).kind, msg::BoxKind::Warning);
    EXPECT_TRUE(boxes.texts().at(0).startsWith("Não foi possível recriar o índice do arquivo TB8NACIO.DB"));
    EXPECT_EQ(mainWindowCount(), 1);
}

TEST_F(StartupFixture, BusyTableWarnsWithTheEngineTextAndTheStartGoesOn) {
    auto database = db::Database::forFolder(program.dataFolder());
    database->dropIndex("TB8CBO.DB", "Main");
    db::TableLock holder(tablePath("TB8CBO.DB"), true);  // another user's exclusive hold
    ScriptedMessages boxes;
    boxes.acceptOkBoxes();
    EXPECT_FALSE(RecreateIndexFile("TB8CBO.PX", StartupIndexes().at(3).index));
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts().at(0).startsWith("Nenhum usuário pode estar usando o sistema: \"Table is busy"));
    EXPECT_TRUE(boxes.texts().at(0).endsWith("\""));
}

TEST_F(StartupFixture, IndexFileNameWithoutDotIsRefused) {
    ScriptedMessages boxes;
    boxes.acceptOkBoxes();
    EXPECT_FALSE(RecreateIndexFile("TB8MSGPX", db::IndexDef{"Main", {"NuMensagem"}, true, false}));
    EXPECT_EQ(boxes.texts(), QStringList{"Parâmetro TabelaIndice deve conter nome da Tabela.indice"});
    EXPECT_EQ(TableFileOfIndexFile("TBUF.XG0"), "TBUF.DB");
    EXPECT_EQ(TableFileOfIndexFile("tbEmpreg.PX"), "tbEmpreg.DB");
}

TEST_F(StartupFixture, SecondStartInTheSameSessionOpensNoSecondWindow) {
    ScriptedMessages boxes;
    ASSERT_EQ(StartProgram(), StartOutcome::Started);
    TfmLOBRIX* first = fmLOBRIX;
    // The first stage finds the running copy and ends without a word.
    EXPECT_EQ(StartProgram(), StartOutcome::OtherInstance);
    EXPECT_TRUE(boxes.shown().isEmpty());
    EXPECT_EQ(fmLOBRIX, first);
    EXPECT_EQ(mainWindowCount(), 1);
}

TEST_F(StartupFixture, SecondStageShowsAlreadyRunning) {
    os::NamedMutex running("Lobrix");
    ScriptedMessages boxes;
    boxes.answer("mrOk");
    EXPECT_EQ(StartProgram(), StartOutcome::AlreadyRunning);
    EXPECT_EQ(boxes.texts(), QStringList{"Este programa já está sendo executado."});
    EXPECT_EQ(boxes.shown().at(0).kind, msg::BoxKind::Error);
    EXPECT_EQ(mainWindowCount(), 0);
}

TEST(StartupProcess, SecondProgramEndsWhileTheFirstRuns) {
    const QString program = QStringLiteral(LOBRIX_BINARY_DIR "/lobrix");
    ASSERT_TRUE(QFileInfo::exists(program));
    // A temporary folder of its own, so another copy run by the same user elsewhere
    // (a developer's session, a parallel test) cannot hold the guard meanwhile.
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    os::SetLockFolder(tmp.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("TMPDIR", tmp.path());
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(program, {});
    ASSERT_TRUE(first.waitForStarted());
    // Wait until the first copy holds its name.
    QElapsedTimer t;
    t.start();
    while (!os::NamedMutexExists("Lobrix") && t.elapsed() < 10000) QThread::msleep(50);
    ASSERT_TRUE(os::NamedMutexExists("Lobrix"));

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(program, {});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    // A copy that dies leaves no guard behind: the next start goes ahead.
    first.kill();
    first.waitForFinished(5000);
    EXPECT_FALSE(os::NamedMutexExists("Lobrix"));
    EXPECT_FALSE(os::NamedMutexExists("This is a unique string!"));
    os::SetLockFolder(QString());
}

TEST_F(StartupFixture, UnreadableLookupTableEndsWithTheFatalErrorBox) {
    const QString path = tablePath("TB8RACA.DB");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray(4096, 'x'));
    }
    ScriptedMessages boxes;
    boxes.acceptOkBoxes();
    EXPECT_EQ(StartProgram(), StartOutcome::Failed);
    // The rebuild of its index warns first; opening the tables then fails for good.
    ASSERT_GE(boxes.texts().size(), 2);
    EXPECT_TRUE(boxes.texts().first().startsWith(QString::fromUtf8("Nenhum usuário pode estar usando o sistema")));
    EXPECT_EQ(boxes.shown().last().kind, msg::BoxKind::Error);
    EXPECT_TRUE(boxes.texts().last().contains(QString::fromUtf8("Erro não previsto.")));
    EXPECT_EQ(mainWindowCount(), 0);
    EXPECT_EQ(dmLobrix, nullptr);
    appguard::ResetTerminateRequest();
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}
