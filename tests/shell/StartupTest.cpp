#include "platform/AppPaths.h"
#include "platform/db/Database.h"
#include "platform/db/Table.h"
#include "platform/os/SingleInstance.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/LobrixApplication.h"
#include "shell/LobrixStartup.h"
#include "shell/UdmLobrix.h"
#include "shell/Ugvertab.h"
#include "shell/backup.h"
#include "shell/udmEntradaDados.h"
#include "shell/ufmBackup00.h"
#include "shell/ufmLOBRIX.h"
#include "support/DataFolder.h"
#include "support/FormsScript.h"
#include "support/GuiDriver.h"
#include "support/NextStart.h"
#include "support/ScriptedMessages.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileDialog>
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
    // A backup holds the declaration tables only: a lookup table comes back
    // with a new installation.
    const struct {
        const char* file;
        const char* table;
        const char* advice;
    } cases[] = {
        {"TB8NACIO.DB", "tb8NACIO", "Instale novamente o LOBRIX."},
        {"BD8EMP.DB", "Bd8emp", "Utilize a opção Utilitários, Cópia de Segurança, Restaurar."},
    };
    auto database = db::Database::forFolder(program.dataFolder());
    execOnFile(tablePath("BD8EMP.DB"), "INSERT INTO Bd8emp (AnBase, CoCgcCeiEstabelecimento) VALUES ('2009', '1')");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        database->dropIndex(c.file, "Main");
        // Two rows of one key, as an interrupted run can leave them.
        execOnFile(tablePath(c.file), QStringLiteral("INSERT INTO \"%1\" SELECT * FROM \"%1\" WHERE rowid = "
                                                     "(SELECT min(rowid) FROM \"%1\")")
                                          .arg(c.table)
                                          .toUtf8()
                                          .constData());
        ScriptedMessages boxes;
        boxes.acceptOkBoxes();
        ASSERT_EQ(StartProgram(), StartOutcome::Started);
        ASSERT_EQ(boxes.shown().size(), 1);
        EXPECT_EQ(boxes.shown().at(0).kind, msg::BoxKind::Warning);
        // The cause in the program's words, not the statement that failed.
        EXPECT_EQ(boxes.texts().at(0), QStringLiteral("Não foi possível recriar o índice do arquivo %1:\nhá registros "
                                                      "repetidos na chave do índice.\n%2")
                                           .arg(c.file, QString::fromUtf8(c.advice)));
        EXPECT_EQ(mainWindowCount(), 1);
        EndProgram();
        database->exec(QStringLiteral("DELETE FROM %1.\"%2\" WHERE rowid = (SELECT max(rowid) FROM %1.\"%2\")")
                           .arg(database->attach(c.file).schema, database->attach(c.file).table));
    }
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

TEST_F(StartupFixture, MissingOutputFolderIsCreated) {
    ASSERT_TRUE(QDir(program.path() + "Transmite").removeRecursively());
    ScriptedMessages boxes;
    ASSERT_EQ(StartProgram(), StartOutcome::Started);
    EXPECT_TRUE(QFileInfo(program.path() + "Transmite").isDir());
    EXPECT_TRUE(boxes.shown().isEmpty());
}

TEST_F(StartupFixture, LockFolderThatCannotBeWrittenIsNamedAndTheProgramEnds) {
    // A plain file where the folder should be: no lock can be made under it,
    // whoever runs the program.
    const QString blocked = locks.filePath("not-a-folder");
    QFile file(blocked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    os::SetLockFolder(blocked);
    ScriptedMessages boxes;
    boxes.answer("mrOk");
    EXPECT_EQ(StartProgram(), StartOutcome::Failed);
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts().at(0).contains(QDir::toNativeSeparators(blocked)));
    EXPECT_TRUE(boxes.texts().at(0).contains("não permite gravação"));
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
    // Wait until the first copy holds its name: on a loaded machine a start
    // can take seconds.
    QElapsedTimer t;
    t.start();
    while (!os::NamedMutexExists("Lobrix") && t.elapsed() < 30000) QThread::msleep(50);
    ASSERT_TRUE(os::NamedMutexExists("Lobrix"));

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(program, {});
    ASSERT_TRUE(second.waitForFinished(30000));
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

namespace {

// A file named like a table that is not that table, made in one of the ways
// a disk, a copy or a user can leave it.
void makeHalf(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.resize(f.size() / 2));
}
void makeEmpty(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
}
void makeRandom(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QByteArray noise(8192, Qt::Uninitialized);
    for (int i = 0; i < noise.size(); ++i) noise[i] = char((i * 7919 + 13) % 251);
    f.write(noise);
}
void makeForeign(const QString& path) {
    ASSERT_TRUE(QFile::remove(path));
    execOnFile(path, "CREATE TABLE Clientes (Nome TEXT, Saldo REAL); INSERT INTO Clientes VALUES ('A', 1.5)");
}
void makeFolder(const QString& path) {
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkpath(path + "/sub"));
}

QByteArray snapshotOf(const QString& path) {
    if (QFileInfo(path).isDir()) return "<folder>" + QDir(path).entryList(QDir::AllEntries | QDir::Hidden).join(',').toUtf8();
    return fileDigest(path);
}

}  // namespace

TEST_F(StartupFixture, TableFileThatIsNotItsTableIsNamedAndNeverWritten) {
    // Bd8vinc with enough rows that half of it cuts pages away.
    execOnFile(tablePath("BD8VINC.DB"),
               "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 400) "
               "INSERT INTO Bd8vinc (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoPisPasepEmpregado, "
               "NoEmpregado) SELECT '2009', '11222333000181', '00', printf('%011d', i), printf('EMPREGADO %d', i) FROM n");
    struct Case {
        const char* what;
        const char* file;
        void (*make)(const QString&);
        const char* advice;
    };
    // A declaration table offers the restore of a backup (declined here).
    const char* restore = "Deseja restaurar agora a cópia de segurança mais recente da declaração?";
    const QList<Case> cases = {
        {"half a table", "BD8VINC.DB", makeHalf, restore},
        {"no bytes", "BD8EMP.DB", makeEmpty, restore},
        {"random bytes", "BD8RESP.DB", makeRandom, restore},
        {"another database", "BD8EMP.DB", makeForeign, restore},
        {"a folder", "BD8VINC.DB", makeFolder, restore},
        {"random bytes in a lookup table", "TB8RACA.DB", makeRandom, "Instale novamente o LOBRIX."},
        {"another database as a lookup table", "TB8MSG.DB", makeForeign, "Instale novamente o LOBRIX."},
        {"no bytes in a lookup table", "TB8NACIO.DB", makeEmpty, "Instale novamente o LOBRIX."},
    };
    TempProgramFolder pristine;  // the shipped files, to put back after each case
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AppPaths::setProgramFolder(program.path());
        const QString path = tablePath(c.file);
        const QString saved = pristine.dataFolder() + "/" + QFileInfo(path).fileName();
        QFile::remove(saved);
        ASSERT_TRUE(QFile::copy(path, saved));
        c.make(path);
        const QByteArray before = snapshotOf(path);
        {
            ScriptedMessages boxes;
            boxes.acceptOkBoxes();
            if (c.advice == restore) boxes.answer("mrNo");
            EXPECT_EQ(StartProgram(), StartOutcome::DamagedFile);
            ASSERT_EQ(boxes.texts().size(), 1);
            EXPECT_EQ(boxes.shown().at(0).kind, msg::BoxKind::Error);
            EXPECT_TRUE(boxes.texts().at(0).contains(QDir::toNativeSeparators(path))) << boxes.texts().at(0).toStdString();
            EXPECT_TRUE(boxes.texts().at(0).contains("danificado"));
            EXPECT_TRUE(boxes.texts().at(0).contains(c.advice)) << boxes.texts().at(0).toStdString();
        }
        EXPECT_EQ(snapshotOf(path), before);
        EXPECT_FALSE(QFileInfo::exists(path + "-journal"));
        EXPECT_EQ(dmLobrix, nullptr);
        EXPECT_EQ(mainWindowCount(), 0);
        // Put the table back for the next case.
        if (QFileInfo(path).isDir()) QDir(path).removeRecursively();
        else QFile::remove(path);
        ASSERT_TRUE(QFile::copy(saved, path));
    }
}

TEST_F(StartupFixture, FatalErrorInTheFirstShowEndsTheProgram) {
    // Rows over several pages, then every page after the schema overwritten:
    // the file still looks like the table, its rows cannot be read.
    const QString path = tablePath("BD8EMP.DB");
    execOnFile(path,
               "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
               "INSERT INTO Bd8emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, NoRazaoEstabelecimento) "
               "SELECT '2009', printf('%014d', i), '00', printf('EMPRESA %d', i) FROM n");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        const qint64 page = 4096;
        ASSERT_GT(f.size(), 4 * page);
        f.seek(page);
        f.write(QByteArray(int(f.size() - page), '\x5a'));
    }
    ScriptedMessages boxes;
    boxes.acceptOkBoxes();
    ASSERT_EQ(StartProgram(), StartOutcome::Started);
    EXPECT_FALSE(ShowMainWindow());
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().at(0).kind, msg::BoxKind::Error);
    EXPECT_TRUE(appguard::TerminateRequested());
    EndProgram();
    EXPECT_EQ(mainWindowCount(), 0);
    appguard::ResetTerminateRequest();
}

TEST_F(StartupFixture, TableHeldByAnotherProgramIsInUseNotDamaged) {
    // Another copy in the middle of a commit, or any database tool, holds it.
    const QString path = tablePath("BD8EMP.DB");
    const QByteArray before = fileDigest(path);
    sqlite3* holder = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    {
        ScriptedMessages boxes;
        boxes.acceptOkBoxes();
        EXPECT_EQ(StartProgram(), StartOutcome::TableInUse);
        ASSERT_EQ(boxes.texts().size(), 1);
        EXPECT_EQ(boxes.shown().at(0).kind, msg::BoxKind::Warning);
        EXPECT_EQ(boxes.texts().at(0), "Nenhum usuário pode estar usando o sistema: \"Table is busy.\nTable: " +
                                           QDir::toNativeSeparators(path) + "\"");
        EXPECT_EQ(mainWindowCount(), 0);
    }
    sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    EXPECT_EQ(fileDigest(path), before);
    // Once the other program lets go, the program starts.
    ScriptedMessages boxes;
    EXPECT_EQ(StartProgram(), StartOutcome::Started);
}

// Another copy that opened a table exclusively holds it through the
// program's own lock, which the file's check cannot see: the same in-use
// warning and a clean end, never the unexpected-error box.
TEST_F(StartupFixture, TableHeldThroughTheProgramsOwnLockIsInUse) {
    for (const char* table : {"BD8EMP.DB", "TB8MSG.DB", "tbDefi.DB"}) {
        SCOPED_TRACE(table);
        const QString path = tablePath(table);
        {
            db::TableLock otherCopy(path, true);
            ScriptedMessages boxes;
            boxes.acceptOkBoxes();
            EXPECT_EQ(StartProgram(), StartOutcome::TableInUse);
            ASSERT_EQ(boxes.texts().size(), 1);
            EXPECT_EQ(boxes.shown().at(0).kind, msg::BoxKind::Warning);
            EXPECT_EQ(boxes.texts().at(0), "Nenhum usuário pode estar usando o sistema: \"Table is busy.\nTable: " +
                                               QDir::toNativeSeparators(path) + "\"");
            EXPECT_EQ(mainWindowCount(), 0);
            EXPECT_FALSE(appguard::TerminateRequested());
        }
    }
    ScriptedMessages boxes;
    EXPECT_EQ(StartProgram(), StartOutcome::Started);
}

TEST_F(StartupFixture, DamagedDeclarationTableIsRestoredFromABackupAndTheProgramStarts) {
    execOnFile(tablePath("BD8EMP.DB"), "INSERT INTO Bd8emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, "
                                       "NoRazaoEstabelecimento) VALUES ('2009', '12345678000190', '00', 'ANTES')");
    QTemporaryDir drive;
    const QString archive = drive.filePath("Zuvo2009_backup.bkp");
    {
        TBackupFile bk;
        bk.BackupTitle = "Zuvo2009";
        ASSERT_TRUE(bk.Backup(DeclarationTableFiles(program.dataFolder()), archive));
    }
    makeRandom(tablePath("BD8EMP.DB"));
    forms::SetFileDialogRunner([&](QFileDialog&) { return archive; });
    FormsScript forms;
    forms.expect("fmRestore00", [](QWidget* form) {
        gui::clickChild(form, "bbAction");
        return int(forms::mrNone);  // the form closes itself when done
    });
    ScriptedMessages boxes;
    boxes.acceptOkBoxes();
    boxes.answer("mrYes").answer("mrYes");  // restore now; confirm the restore
    EXPECT_EQ(StartProgram(), StartOutcome::Started);
    forms::SetFileDialogRunner({});
    EXPECT_EQ(forms.pending(), 0);
    EXPECT_TRUE(forms.unexpected().isEmpty());
    ASSERT_EQ(boxes.texts().size(), 3) << boxes.texts().join('|').toStdString();
    EXPECT_TRUE(boxes.texts().at(0).startsWith("O arquivo \"" + QDir::toNativeSeparators(tablePath("BD8EMP.DB")) +
                                               "\" está danificado"));
    EXPECT_TRUE(boxes.texts().at(0).endsWith("Deseja restaurar agora a cópia de segurança mais recente da declaração?"));
    EXPECT_EQ(boxes.texts().at(2), "Restauração da cópia bem sucedida.");
    ASSERT_NE(dmLobrix, nullptr);
    EXPECT_EQ(mainWindowCount(), 1);
    db::Table emp(db::Database::forFolder(program.dataFolder()), "Bd8emp");
    emp.Open();
    ASSERT_EQ(emp.RecordCount(), 1);
    EXPECT_EQ(emp.FieldByName("NoRazaoEstabelecimento").AsString(), "ANTES");
}

TEST_F(StartupFixture, WhatUnfinishedRunsLeftGoesUnlessAnotherCopyUsesTheFolder) {
    const QString dados = program.dataFolder();
    const QByteArray mark("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7", 8);
    auto put = [&](const QString& name, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(dados + "/" + name).absolutePath());
        QFile f(dados + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    };
    const QStringList debris = {
        "R01TXZZZ.$$$",          // the analyser's copy of its input
        "Te8emp.db",             // working tables
        "te8Vinc.db",
        "te8Vinc.db-journal",
        "Te8resp.db",
        "Te8stru.db",
        "TE8Imp.db",
        "TE8Imp.db.new",         // a table built aside
        "TE8Imp.db.new-journal",
        "Bd8emp.DB-journal",     // its header never written
        "Sumida.db-journal",     // beside no table
        "Work/Bd8emp.DB",        // a restore's extraction
    };
    const QStringList kept = {"te8errwa.db", "te8ProID.db", "te8ProES.db"};
    auto lay = [&] {
        for (const QString& name : debris)
            put(name, name.endsWith("journal") && !name.startsWith("Bd8emp") ? mark + QByteArray(500, '\1')
                                                                           : QByteArray(512, '\0'));
        for (const QString& name : kept) put(name, "kept");
    };
    auto present = [&](const QStringList& names) {
        QStringList found;
        for (const QString& name : names)
            if (QFileInfo::exists(dados + "/" + name)) found << name;
        return found;
    };
    const QByteArray emp = fileDigest(tablePath("BD8EMP.DB"));
    lay();
    {
        // Another user's copy runs on the same Dados: its runs may be under way.
        db::FolderUse other(dados);
        other.Share();
        NextStart start;
        EXPECT_EQ(start.outcome(), StartOutcome::Started);
        EXPECT_EQ(present(debris), debris);
    }
    {
        NextStart start;
        EXPECT_EQ(start.outcome(), StartOutcome::Started);
    }
    EXPECT_EQ(present(debris), QStringList{});
    EXPECT_FALSE(QFileInfo::exists(dados + "/Work"));
    EXPECT_EQ(present(kept), kept);
    EXPECT_EQ(fileDigest(tablePath("BD8EMP.DB")), emp);
}

TEST_F(StartupFixture, MainFileThatCannotBeOpenedIsNamedOnce) {
    // Something in the main file's place that the program may not remove.
    const QString main = program.dataFolder() + "/.lobrix-main";
    QFile::remove(main);
    ASSERT_TRUE(QDir().mkpath(main + "/dentro"));
    ScriptedMessages boxes;
    boxes.acceptOkBoxes();
    ASSERT_EQ(StartProgram(), StartOutcome::Started);
    ASSERT_EQ(boxes.texts().size(), 1) << boxes.texts().join('|').toStdString();
    EXPECT_EQ(boxes.shown().at(0).kind, msg::BoxKind::Warning);
    EXPECT_TRUE(boxes.texts().at(0).startsWith("Não foi possível abrir o arquivo \"" + QDir::toNativeSeparators(main) +
                                               "\" da pasta Dados."))
        << boxes.texts().at(0).toStdString();
    EXPECT_EQ(mainWindowCount(), 1);
    // The program goes on; its tables open as before.
    EXPECT_NE(dmEntradaDados, nullptr);
}
