// Kills the write paths of the tables at every step (through the fault seam,
// in a child process) and starts again: every table old or every table new.
#include "platform/AppPaths.h"
#include "platform/db/Database.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "shell/RestoreSwap.h"
#include "shell/backup.h"
#include "shell/ufmBackup00.h"
#include "shell/ufmRestore00.h"
#include "support/Builders.h"
#include "support/CrashChild.h"
#include "support/DataFolder.h"
#include "support/NextStart.h"
#include "support/ScriptedMessages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

const char* const kEstablishments[] = {"11222333000181", "22333444000182", "33444555000183"};
const int kContracts[] = {100, 10, 10};

std::shared_ptr<db::Database> dados() { return db::Database::forFolder(AppPaths::dataFolder()); }

// A declaration of three establishments without contracts yet.
void fillEstablishments() {
    db::Table resp(dados(), "bd8resp");
    resp.Open();
    AppendRow(resp, {{"CoCgcCeiResponsavel", "11222333000181"}, {"NoResponsavelArquivo", "ANTES"}});
    resp.Close();
    db::Table emp(dados(), "Bd8emp");
    emp.Open();
    for (const char* cnpj : kEstablishments)
        AppendRow(emp, {{"AnBase", "2009"}, {"CoCgcCeiEstabelecimento", cnpj}, {"NuPrefixoEstabelecimento", "00"},
                        {"InZuvoNegEstabelecimento", "0"}, {"NuVinculosEstabelecimento", "000000"}});
    emp.Close();
}

QString scalar(const QString& sql) {
    db::Query q(dados());
    q.SetSQL(sql);
    q.Open();
    return q.Fields(0).AsString();
}

// What the three tables say: contracts, the establishments' counts, the responsible's name.
QString declarationState() {
    return scalar("SELECT count(*) FROM Bd8vinc") + " | " +
           scalar("SELECT group_concat(NuVinculosEstabelecimento, ',') FROM "
                  "(SELECT NuVinculosEstabelecimento FROM Bd8emp ORDER BY CoCgcCeiEstabelecimento)") +
           " | " + scalar("SELECT NoResponsavelArquivo FROM bd8resp");
}

QStringList leftovers(const QString& folder) {
    QStringList found;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        if (name.contains("-mj") || name.contains(".restore-") || name.startsWith(".restore-intent") ||
            name.endsWith("-journal") || name.endsWith(".new"))
            found << name;
    // The restore's extraction folder.
    for (const QString& name : QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) found << name + "/";
    return found;
}

}  // namespace

// The child: one transaction that adds the contracts and updates their
// establishments and the responsible row (three table files).
TEST(CrashChild, DISABLED_ThreeTableCommit) {
    if (!InCrashChild()) GTEST_SKIP();
    auto database = dados();
    db::Table vinc(database, "Bd8vinc");
    vinc.Open();
    db::Transaction transaction(*database);
    for (int e = 0; e < 3; ++e)
        for (int i = 0; i < kContracts[e]; ++i)
            AppendRow(vinc, {{"AnBase", "2009"}, {"CoCgcCeiEstabelecimento", kEstablishments[e]},
                             {"NuPrefixoEstabelecimento", "00"},
                             {"CoPisPasepEmpregado", QString::number(12000000000LL + e * 1000 + i)},
                             {"DaAdmissaoEmpregado", "01022005"}, {"NoEmpregado", QString("EMPREGADO %1").arg(i)}});
    db::Query update(database);
    update.SetSQL("UPDATE Bd8emp SET NuVinculosEstabelecimento = :n WHERE CoCgcCeiEstabelecimento = :cnpj");
    for (int e = 0; e < 3; ++e) {
        update.ParamByName("n").AsString = QString::number(kContracts[e]).rightJustified(6, '0');
        update.ParamByName("cnpj").AsString = kEstablishments[e];
        update.ExecSQL();
    }
    update.SetSQL("UPDATE bd8resp SET NoResponsavelArquivo = 'DEPOIS'");
    update.ExecSQL();
    transaction.commit();
}

TEST(CrashSafety, CommitOverThreeTablesIsAllOrNothing) {
    const QString before = "0 | 000000,000000,000000 | ANTES";
    const QString after = "120 | 000100,000010,000010 | DEPOIS";
    std::unique_ptr<TempProgramFolder> program;
    QStringList seen;
    const int steps = KillAtEveryStep(
        "CrashChild.DISABLED_ThreeTableCommit", "db.",
        [&] {
            program.reset();
            program = std::make_unique<TempProgramFolder>();
            fillEstablishments();
            return program->path();
        },
        [&](int, const QString&) {
            ScriptedMessages boxes;
            NextStart start;
            ASSERT_EQ(start.outcome(), StartOutcome::Started);
            const QString state = declarationState();
            EXPECT_TRUE(state == before || state == after) << state.toStdString();
            seen << state;
            EXPECT_EQ(leftovers(AppPaths::dataFolder()), QStringList());
        });
    // Journals, their syncs and the super-journal: many steps, and both outcomes met.
    EXPECT_GT(steps, 10);
    EXPECT_TRUE(seen.contains(before));
    EXPECT_TRUE(seen.contains(after));
}

namespace {

const QString kArchive = "copia.bkp";

QMap<QString, QByteArray> declarationBytes() {
    QMap<QString, QByteArray> m;
    for (const char* t : {"Bd8emp.DB", "Bd8vinc.DB", "bd8resp.DB"}) {
        QFile f(AppPaths::findNoCase(AppPaths::dataFolder(), t));
        m[t] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    return m;
}

// A backup of one declaration in the program folder, then another declaration in Dados.
void backUpThenChange(QMap<QString, QByteArray>& backedUp, QMap<QString, QByteArray>& current) {
    fillEstablishments();
    backedUp = declarationBytes();
    TBackupFile bk;
    bk.BackupTitle = "Zuvo2009";
    bk.OnError = [](TBackupFile*, int, const QString& e) { ADD_FAILURE() << e.toStdString(); };
    ASSERT_TRUE(bk.Backup(DeclarationTableFiles(AppPaths::dataFolder()), AppPaths::programFolder() + kArchive));
    db::Query q(dados());
    q.SetSQL("DELETE FROM Bd8emp WHERE CoCgcCeiEstabelecimento = '22333444000182'");
    q.ExecSQL();
    q.SetSQL("UPDATE bd8resp SET NoResponsavelArquivo = 'OUTRO'");
    q.ExecSQL();
    current = declarationBytes();
}

}  // namespace

TEST(CrashChild, DISABLED_RestoreSwap) {
    if (!InCrashChild()) GTEST_SKIP();
    ScriptedMessages boxes;
    boxes.acceptOkBoxes();
    TfmRestore00 form(2009);
    ASSERT_TRUE(form.RunRestore(AppPaths::programFolder() + kArchive));
}

TEST(CrashSafety, RestoreKilledAtAnyStepLeavesOneWholeDeclaration) {
    std::unique_ptr<TempProgramFolder> program;
    QMap<QString, QByteArray> backedUp, current;
    int oldSeen = 0, newSeen = 0;
    const int steps = KillAtEveryStep(
        "CrashChild.DISABLED_RestoreSwap", "file.",
        [&] {
            program.reset();
            program = std::make_unique<TempProgramFolder>();
            backUpThenChange(backedUp, current);
            return program->path();
        },
        [&](int, const QString&) {
            ScriptedMessages boxes;
            NextStart start;
            ASSERT_EQ(start.outcome(), StartOutcome::Started);
            const auto now = declarationBytes();
            EXPECT_TRUE(now == backedUp || now == current);
            oldSeen += now == current;
            newSeen += now == backedUp;
            EXPECT_EQ(leftovers(AppPaths::dataFolder()), QStringList());
        });
    // The record, six renames, its removal and the old files' removal.
    EXPECT_GE(steps, 8);
    EXPECT_GT(oldSeen, 0);
    EXPECT_GT(newSeen, 0);
}

TEST(CrashSafety, StartAfterAnInterruptedRestoreWithoutAReadableRecord) {
    QTemporaryDir dir;
    auto put = [&](const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    };
    auto read = [&](const QString& name) {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    };
    // A record that cannot be read: every old file the side files keep goes back.
    put("Bd8emp.DB", "new emp");
    put("Bd8emp.DB.restore-old", "old emp");
    put("Bd8vinc.DB", "old vinc");
    put("Bd8vinc.DB.restore-new", "new vinc");
    put(".restore-intent", "\x01\x02garbage");
    EXPECT_TRUE(FinishInterruptedRestore(dir.path()));
    EXPECT_EQ(read("Bd8emp.DB"), "old emp");
    EXPECT_EQ(read("Bd8vinc.DB"), "old vinc");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"Bd8emp.DB", "Bd8vinc.DB"}));

    // No record: copies of a restore that never began are removed, the tables stay.
    put("bd8resp.DB", "resp");
    put("bd8resp.DB.restore-new", "copy");
    EXPECT_FALSE(FinishInterruptedRestore(dir.path()));
    EXPECT_EQ(read("bd8resp.DB"), "resp");
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("bd8resp.DB.restore-new")));
}

namespace {

QString archiveInDados() { return AppPaths::dataFolder() + "/Zuvo2009_backup.bkp"; }

// The declaration tables an archive brings back, extracted aside.
QMap<QString, QByteArray> archiveContents(const QString& archive) {
    QTemporaryDir out;
    TBackupFile rs;
    rs.OnError = [](TBackupFile*, int, const QString&) {};
    QMap<QString, QByteArray> m;
    try {
        if (!rs.Restore(archive, out.path())) return m;
    } catch (const EBackupError&) {
        return m;
    }
    for (const char* t : {"Bd8emp.DB", "Bd8vinc.DB", "bd8resp.DB"}) {
        QFile f(AppPaths::findNoCase(out.path(), t));
        m[t] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    return m;
}

}  // namespace

// The child: a backup of the current tables over the archive of an earlier day.
TEST(CrashChild, DISABLED_BackupOverEarlierArchive) {
    if (!InCrashChild()) GTEST_SKIP();
    TBackupFile bk;
    bk.BackupTitle = "Zuvo2009";
    bk.OnError = [](TBackupFile*, int, const QString& e) { ADD_FAILURE() << e.toStdString(); };
    ASSERT_TRUE(bk.Backup(DeclarationTableFiles(AppPaths::dataFolder()), archiveInDados()));
}

TEST(CrashSafety, BackupKilledAtAnyStepKeepsTheEarlierArchive) {
    std::unique_ptr<TempProgramFolder> program;
    QMap<QString, QByteArray> earlier;
    const auto prepare = [&] {
        program.reset();
        program = std::make_unique<TempProgramFolder>();
        fillEstablishments();
        earlier = declarationBytes();
        TBackupFile bk;
        bk.BackupTitle = "Zuvo2009";
        EXPECT_TRUE(bk.Backup(DeclarationTableFiles(AppPaths::dataFolder()), archiveInDados()));
        db::Query q(dados());
        q.SetSQL("UPDATE bd8resp SET NoResponsavelArquivo = 'HOJE'");
        q.ExecSQL();
        return program->path();
    };
    // Every kill comes before the new archive has its name: the earlier one
    // restores whole, and the start removes the unfinished one.
    const auto check = [&](int, const QString&) {
        ScriptedMessages boxes;
        NextStart start;
        ASSERT_EQ(start.outcome(), StartOutcome::Started);
        EXPECT_TRUE(archiveContents(archiveInDados()) == earlier);
        EXPECT_EQ(QDir(AppPaths::dataFolder()).entryList({"*.tmp"}, QDir::Files | QDir::Hidden), QStringList());
    };
    // Every few writes of the header, the entries and the chunks (a kill
    // between two writes looks the same as one at the next), then the naming.
    EXPECT_GE(KillAtEveryStep("CrashChild.DISABLED_BackupOverEarlierArchive", "file.write", prepare, check, 400, 4), 5);
    EXPECT_EQ(KillAtEveryStep("CrashChild.DISABLED_BackupOverEarlierArchive", "file.rename", prepare, check), 1);
}
