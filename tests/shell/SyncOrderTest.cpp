// Each file that takes its name by a rename (an archive volume, a restored
// table, a part, the records of a swap) is synced before the rename, and its
// folder after it: otherwise a power cut could leave the name on an empty file.
#include "platform/os/FileSet.h"
#include "shell/RestoreSwap.h"
#include "shell/backup.h"
#include "support/StepTrail.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

void put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray noise(qsizetype size) {
    QRandomGenerator gen(11);
    QByteArray b(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i) b[i] = char(gen.bounded(256));
    return b;
}

bool backUp(const QString& folder, qint64 maxSize) {
    TBackupFile bk;
    bk.BackupTitle = "Zuvo2009";
    bk.MaxSize = maxSize;
    bk.OnNeedDisk = [](TBackupFile*, quint16 disk, bool& cont) { cont = disk < 20; };
    bk.OnError = [](TBackupFile*, int, const QString& e) { ADD_FAILURE() << e.toStdString(); };
    return bk.Backup({folder + "/*.db"}, folder + "/copia.bkp");
}

}  // namespace

TEST(SyncOrder, EveryRenameFollowsTheSyncOfItsFile) {
    struct Case {
        const char* what;
        std::function<void(const QString& folder)> run;
        QString renamedPattern;
        int renames;
    };
    const QList<Case> cases = {
        {"an archive of one volume",
         [](const QString& folder) {
             put(folder + "/a.db", noise(40000));
             EXPECT_TRUE(backUp(folder, 0));
         },
         "/copia\\.bkp\\.tmp$", 1},
        {"each volume of an archive",
         [](const QString& folder) {
             put(folder + "/a.db", noise(90000));
             EXPECT_TRUE(backUp(folder, 40000));
         },
         "/copia\\.(bkp|\\d{3})\\.tmp$", 3},
        {"the restore's record and its new tables",
         [](const QString& folder) {
             put(folder + "/Bd8emp.DB", "old");
             put(folder + "/Bd8emp.DB.restore-new", "new emp");
             put(folder + "/Bd8vinc.DB.restore-new", "new vinc");
             EXPECT_TRUE(SwapInNewFiles(folder, {SwapFile{folder + "/Bd8emp.DB", true},
                                                 SwapFile{folder + "/Bd8vinc.DB", false}}));
         },
         "/(\\.restore-intent\\.tmp|[^/]*\\.restore-new)$", 3},
        {"the parts named together and their record",
         [](const QString& folder) {
             put(folder + "/p1.dec.tmp", "part 1");
             put(folder + "/p2.dec.tmp", "part 2");
             EXPECT_TRUE(os::RenameTogether(folder, {{folder + "/p1.dec.tmp", folder + "/p1.dec"},
                                                     {folder + "/p2.dec.tmp", folder + "/p2.dec"}}));
         },
         "\\.tmp$", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        StepTrail trail;
        c.run(dir.path());
        EXPECT_EQ(trail.expectSyncedBeforeRenamed(c.renamedPattern, true), c.renames);
    }
}
