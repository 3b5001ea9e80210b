#include "DeclfileTestSupport.h"
#include "declfile/ugDriveDisquete.h"
#include "declfile/ugHashCompara.h"
#include "platform/Digest.h"
#include "platform/os/Drives.h"
#include "platform/ui/TickList.h"
#include "support/DataFolder.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace declfile;

namespace {

// A file of n records ending with a trailer whose columns 519-550 are blank.
QString writeFile(const QTemporaryDir& dir, int records, const QString& name = QStringLiteral("z.dec")) {
    QByteArray all;
    for (int i = 0; i < records; ++i) {
        QByteArray r(550, 'A' + i % 26);
        if (i == records - 1) r.replace(518, 32, QByteArray(32, ' '));
        all += r + "\r\n";
    }
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(all);
    return path;
}

void setByte(const QString& path, qint64 at, char value) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(at);
    f.write(&value, 1);
}

}  // namespace

TEST(Digest, VerifiesAfterStampingAndFailsAfterAnyByteChanges) {
    QTemporaryDir dir;
    const QString path = writeFile(dir, 3);
    const QString before = digest::hashFileGenerate(path);
    ASSERT_EQ(before.size(), 32);
    EXPECT_FALSE(VerifyFileDigest(path));  // 32 blanks are not a digest
    ASSERT_EQ(StampFileDigest(path), StampResult::Stamped);
    EXPECT_TRUE(VerifyFileDigest(path));
    // The digest does not cover the place it is written to.
    EXPECT_EQ(digest::hashFileGenerate(path), before);
    const QByteArray stamped = ReadAll(path);
    EXPECT_EQ(stamped.size(), 3 * 552);
    EXPECT_EQ(stamped.mid(3 * 552 - 34, 32), before.toLatin1());
    EXPECT_EQ(stamped.right(2), QByteArray("\r\n"));

    const qint64 size = stamped.size();
    for (qint64 at : {qint64(0), qint64(551), qint64(700), size - 35, size - 34, size - 3, size - 2, size - 1}) {
        setByte(path, at, '#');
        EXPECT_FALSE(VerifyFileDigest(path)) << "byte " << at;
        setByte(path, at, stamped.at(at));
        EXPECT_TRUE(VerifyFileDigest(path)) << "byte " << at;
    }
    // A byte appended or removed moves the digest's place.
    {
        QFile f(path);
        f.open(QIODevice::Append);
        f.write("\n");
    }
    EXPECT_FALSE(VerifyFileDigest(path));
}

TEST(Digest, ShortMissingAndSameFiles) {
    QTemporaryDir dir;
    const QString small = dir.filePath("small.dec");
    {
        QFile f(small);
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray(33, ' '));
    }
    EXPECT_FALSE(VerifyFileDigest(small));
    EXPECT_EQ(StampFileDigest(small), StampResult::IoError);
    EXPECT_FALSE(VerifyFileDigest(dir.filePath("none.dec")));
    EXPECT_EQ(StampFileDigest(dir.filePath("none.dec")), StampResult::IoError);
    EXPECT_TRUE(digest::hashFileGenerate(dir.filePath("none.dec")).isEmpty());
    // The same content always gives the same digest; other content another.
    const QString a = writeFile(dir, 2, "a.dec");
    const QString b = writeFile(dir, 2, "b.dec");
    const QString c = writeFile(dir, 3, "c.dec");
    EXPECT_EQ(digest::hashFileGenerate(a), digest::hashFileGenerate(b));
    EXPECT_NE(digest::hashFileGenerate(a), digest::hashFileGenerate(c));
}

TEST(Digest, StreamedDigestIsTheFinishedFilesWhateverThePieces) {
    QTemporaryDir dir;
    // Lengths about the 34 bytes held back; the region the stamp takes is not
    // blank here, so a digest that forgot to take it as blanks would differ.
    for (const int length : {0, 1, 33, 34, 35, 67, 68, 552 * 3 + 1}) {
        QByteArray bytes(length, Qt::Uninitialized);
        for (int i = 0; i < length; ++i) bytes[i] = char('A' + (i * 7) % 26);
        const QString path = dir.filePath(QStringLiteral("f%1.dec").arg(length));
        {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            ASSERT_EQ(f.write(bytes), length);
        }
        const QString expected = digest::hashFileGenerate(path);
        ASSERT_EQ(expected.size(), 32);
        digest::StreamDigest streamed;
        // Pieces of one size, then of sizes in turn as header, records and
        // trailer come; each Finish starts the next file afresh.
        const std::vector<std::vector<int>> ways = {{1}, {2}, {33}, {34}, {35}, {552}, {1 << 16}, {5, 40, 1, 552, 34, 0}};
        for (const std::vector<int>& sizes : ways) {
            std::size_t k = 0;
            for (int at = 0; at < length;) {
                const int n = std::min(sizes[k++ % sizes.size()], length - at);
                streamed.Add(QByteArrayView(bytes.constData() + at, n));
                at += n;
            }
            EXPECT_EQ(streamed.Size(), length);
            EXPECT_EQ(streamed.Finish(), expected) << length << " bytes, pieces from " << sizes.front();
        }
        // A part abandoned halfway leaves nothing in the next one's digest.
        streamed.Add(QByteArrayView("abandoned part, longer than the bytes held back"));
        streamed.Reset();
        streamed.Add(bytes);
        EXPECT_EQ(streamed.Finish(), expected) << length << " bytes after a reset";
    }
}

TEST(Digest, StampOfAStreamedDigestNeedsTheFileItWasMadeOf) {
    QTemporaryDir dir;
    const QString path = writeFile(dir, 3);
    const QByteArray bytes = ReadAll(path);
    digest::StreamDigest streamed;
    streamed.Add(bytes);
    const QString text = streamed.Finish();
    // A file of another size than the bytes hashed is not stamped.
    EXPECT_EQ(StampFileDigest(path, text, bytes.size() - 552), StampResult::IoError);
    EXPECT_EQ(ReadAll(path), bytes);
    ASSERT_EQ(StampFileDigest(path, text, bytes.size()), StampResult::Stamped);
    EXPECT_TRUE(VerifyFileDigest(path));
}

TEST(Digest, Crc32IsTheStandardOne) {
    EXPECT_EQ(digest::Crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(digest::Crc32("6789", digest::Crc32("12345")), 0xCBF43926u);
    EXPECT_EQ(digest::Crc32(QByteArray()), 0u);
}

class DrivesTest : public ::testing::Test {
protected:
    void TearDown() override { drives::ResetDrives(); }
    TempProgramFolder program;
};

TEST_F(DrivesTest, OutputDrivesFollowTheFoldersBesideTheProgram) {
    QStringList letters;
    QComboBox combo;
    combo.addItem("old");
    FillDriveCombo(letters, &combo);
    EXPECT_EQ(letters, QStringList{"C"});
    ASSERT_EQ(combo.count(), 1);
    EXPECT_EQ(combo.itemText(0), QStringLiteral("Drive C:"));

    QDir(program.path()).mkdir("A");
    QDir(program.path()).mkdir("b");
    FillDriveCombo(letters, &combo);
    EXPECT_EQ(letters, (QStringList{"A", "B", "C"}));
    EXPECT_EQ(combo.itemText(1), QStringLiteral("Drive B:"));
    EXPECT_EQ(DiskCapacity('A'), drives::kDisketteSize);
    EXPECT_EQ(DiskCapacity('a'), DiskCapacity('A'));
    EXPECT_EQ(DiskCapacity('1'), 0);
    EXPECT_EQ(DiskCapacity('Q'), -1);
    EXPECT_TRUE(IsDiskPresent('c'));
    EXPECT_FALSE(IsDiskPresent('Q'));
    EXPECT_FALSE(IsDiskPresent('#'));
}

TEST_F(DrivesTest, CountTickedItems) {
    QListWidget list;
    for (int i = 0; i < 4; ++i) {
        auto* item = new QListWidgetItem(QString::number(i), &list);
        item->setCheckState(i % 2 ? Qt::Checked : Qt::Unchecked);
    }
    EXPECT_EQ(forms::CountTickedItems(&list), 2);
    EXPECT_EQ(forms::CountTickedItems(nullptr), 0);
}

TEST_F(DrivesTest, WaitingForAndAskingForDiskettes) {
    QTemporaryDir stand;
    const QString disk = stand.filePath("disk");
    drives::SetDrive('A', {disk, drives::DriveType::Removable, drives::kDisketteSize});
    {
        BoxScript boxes;  // no disk: cancel, then No, then OK after inserting it
        boxes.expect("Disquete com problema ou não há disquete no drive A:", "mrCancel")
            .expect("Deseja interromper?", "mrNo")
            .expect("Disquete com problema ou não há disquete no drive A:", "mrOk", [&] { QDir().mkpath(disk); });
        EXPECT_TRUE(WaitForDiskette('A'));
    }
    {
        BoxScript boxes;  // with a disk: at once, no box
        EXPECT_TRUE(WaitForDiskette('A'));
    }
    {
        BoxScript boxes;  // the prompt shows at least once, even with a disk in the drive
        boxes.expect("Insira o disquete # 2", "mrOk");
        EXPECT_TRUE(PromptInsertDiskette('A', 2));
        EXPECT_TRUE(boxes.shown.value(0).endsWith("no drive A:"));
    }
    {
        BoxScript boxes;  // Cancel answered No with the disk in: no second prompt
        boxes.expect("Insira o disquete # 2", "mrCancel").expect("Deseja interromper?", "mrNo");
        EXPECT_TRUE(PromptInsertDiskette('A', 2));
        EXPECT_EQ(boxes.shown.size(), 2);
    }
    QDir(disk).removeRecursively();
    {
        BoxScript boxes;
        boxes.expect("Insira o disquete # 3", "mrOk")
            .expect("Insira o disquete # 3", "mrCancel")
            .expect("Deseja interromper?", "mrYes");
        EXPECT_FALSE(PromptInsertDiskette('A', 3));
    }
    {
        BoxScript boxes;
        boxes.expect("Disquete com problema", "mrCancel").expect("Deseja interromper?", "mrYes");
        EXPECT_FALSE(WaitForDiskette('A'));
    }
}

TEST_F(DrivesTest, EntriesOnADisketteAndInTheFolder) {
    QTemporaryDir disk;
    drives::SetDrive('A', {disk.path(), drives::DriveType::Removable, drives::kDisketteSize});
    EXPECT_FALSE(DriveHasEntries('A', EntryKinds::FilesAndFolders));
    QDir(disk.path()).mkdir("pasta");
    EXPECT_TRUE(DriveHasEntries('A', EntryKinds::FilesAndFolders));
    EXPECT_FALSE(DriveHasEntries('A', EntryKinds::FilesOnly));
    EXPECT_FALSE(DriveHasTwoEntries('A', EntryKinds::FilesAndFolders));
    {
        QFile f(disk.filePath(".oculto"));
        f.open(QIODevice::WriteOnly);
    }
    EXPECT_FALSE(DriveHasTwoEntries('A', EntryKinds::FilesAndFolders));  // hidden entries do not count
    {
        QFile f(disk.filePath("Zuvo.DEC"));
        f.open(QIODevice::WriteOnly);
    }
    EXPECT_TRUE(DriveHasTwoEntries('A', EntryKinds::FilesAndFolders));
    EXPECT_TRUE(FileExistsOnDrive('a', EntryKinds::FilesOnly, "zuvo.dec"));
    EXPECT_FALSE(FileExistsOnDrive('A', EntryKinds::FilesOnly, "pasta"));
    EXPECT_TRUE(FileExistsOnDrive('A', EntryKinds::FilesAndFolders, "pasta"));

    // Drive C is the folder "Transmite", and only ".dec" files count there.
    EXPECT_FALSE(DriveHasEntries('C', EntryKinds::FilesAndFolders));
    {
        QFile f(program.path() + "Transmite/leia.txt");
        f.open(QIODevice::WriteOnly);
    }
    EXPECT_FALSE(DriveHasEntries('C', EntryKinds::FilesAndFolders));
    {
        QFile f(program.path() + "Transmite/Zuvo2009_x01G.dec");
        f.open(QIODevice::WriteOnly);
    }
    EXPECT_TRUE(DriveHasEntries('C', EntryKinds::FilesAndFolders));
    EXPECT_TRUE(FileExistsOnDrive('C', EntryKinds::FilesOnly, "ZUVO2009_X01G.DEC"));
    EXPECT_FALSE(FileExistsOnDrive('C', EntryKinds::FilesOnly, "Zuvo.DEC"));
}
