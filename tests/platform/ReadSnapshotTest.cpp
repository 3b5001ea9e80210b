#include "platform/db/Table.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace db;

namespace {

TableDef codes(const QString& file) {
    TableDef t;
    t.fileName = file;
    t.fields = {textField("Code", 4), textField("Name", 8)};
    t.indexes = {primaryIndex(QStringLiteral("Code"))};
    return t;
}

class ReadSnapshot : public ::testing::Test {
protected:
    void add(const QString& file, const QString& code, const QString& name) {
        Table t(database, file);
        t.Open();
        t.Append();
        t.FieldByName("Code").SetAsString(code);
        t.FieldByName("Name").SetAsString(name);
        t.Post();
    }
    std::unique_ptr<Table> lookup(const QString& file) {
        auto t = std::make_unique<Table>(database, file);
        t->SetReadOnly(true);
        t->Open();
        return t;
    }
    QTemporaryDir dir;
    std::shared_ptr<Database> database = Database::forFolder(dir.path());
};

TEST_F(ReadSnapshot, ReadsMoreReadOnlyTablesThanOneConnectionAttaches) {
    std::vector<std::unique_ptr<Table>> tables;
    for (int i = 0; i < 25; ++i) {
        const QString file = QStringLiteral("Look%1.db").arg(i);
        database->createTable(codes(file));
        add(file, "1", QStringLiteral("N%1").arg(i));
        tables.push_back(lookup(file));
    }
    {
        db::ReadSnapshot snapshot(database);
        for (int round = 0; round < 3; ++round)
            for (int i = 0; i < 25; ++i) {
                ASSERT_TRUE(tables[i]->FindKey({"1"}));
                EXPECT_EQ(tables[i]->FieldByName("Name").AsString(), QStringLiteral("N%1").arg(i));
                EXPECT_FALSE(tables[i]->FindKey({"2"}));
            }
    }
    EXPECT_FALSE(database->inReadSnapshot());
}

TEST_F(ReadSnapshot, RepeatedKeysComeFromMemoryOnlyWhileTheSnapshotLasts) {
    database->createTable(codes("Lk.db"));
    add("Lk.db", "1", "ONE");
    auto t = lookup("Lk.db");
    {
        db::ReadSnapshot snapshot(database);
        ASSERT_TRUE(t->FindKey({"1"}));
        EXPECT_FALSE(t->FindKey({"2"}));
        ASSERT_TRUE(t->FindKey({"1"}));  // answered again, positioned on the row
        EXPECT_EQ(t->FieldByName("Name").AsString(), "ONE");
        t->Next();
        EXPECT_TRUE(t->Eof());
    }
    // Written after the snapshot: a new snapshot sees it.
    add("Lk.db", "2", "TWO");
    db::ReadSnapshot again(database);
    ASSERT_TRUE(t->FindKey({"2"}));
    EXPECT_EQ(t->FieldByName("Name").AsString(), "TWO");
}

TEST_F(ReadSnapshot, AWriterOfTheReadOnlyFilesWaitsForTheSnapshotAndFailsBusy) {
    database->createTable(codes("Held.db"));
    add("Held.db", "1", "ONE");
    auto t = lookup("Held.db");
    db::ReadSnapshot snapshot(database);
    ASSERT_TRUE(t->FindKey({"1"}));
    try {
        add("Held.db", "2", "TWO");
        FAIL() << "written under a read snapshot";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), ErrorKind::Busy);
    }
}

TEST_F(ReadSnapshot, ATableReplacedUnderAnotherLetterCaseIsFoundAgain) {
    database->createTable(codes("Mixed.db"));
    add("MIXED.DB", "1", "OLD");
    EXPECT_TRUE(database->tableExists("mixed.db"));
    // Another program replaces the file under another spelling.
    QFile::remove(QDir(dir.path()).filePath("Mixed.db"));
    auto other = std::make_shared<Database>(dir.path());
    other->createTable(codes("mIxEd.db"));
    Table w(other, "mIxEd.db");
    w.Open();
    w.Append();
    w.FieldByName("Code").SetAsString("2");
    w.FieldByName("Name").SetAsString("NEW");
    w.Post();
    w.Close();
    ASSERT_TRUE(database->tableExists("MIXED.DB"));
    Table t(database, "MIXED.DB");
    t.Open();
    EXPECT_EQ(t.FieldByName("Name").AsString(), "NEW");
}

}  // namespace
