// A key the run's LookupMemory calls absent must be one the table's own
// search would not find, and one it calls present one it would find, under
// SQLite's comparison rules.

#include "rules/RuleText.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

struct Found {
    bool found = false;
    QString name;  // of the row found
    bool operator==(const Found&) const = default;
};

void PrintTo(const Found& f, std::ostream* os) {
    *os << (f.found ? "found " + f.name.toStdString() : std::string("not found"));
}

Found Search(db::Table& table, const QString& key) {
    Found f;
    f.found = rules::LookupRow(table, key, 11);
    if (f.found) f.name = table.FieldByName(QStringLiteral("n")).AsString();
    return f;
}

// Every probe answered alike by the table alone and with a memory, twice
// (the second time from the keys already read), by the search that reads
// the row found and by the one that only asks whether there is one.
void ExpectSameAnswers(db::Table& table, const QStringList& probes) {
    for (const QString& key : probes) {
        const Found alone = Search(table, key);
        const bool known = rules::IsKnownCode(table, key, 11);
        const rules::LookupMemory memory;
        for (int twice = 0; twice < 2; ++twice) {
            EXPECT_EQ(Search(table, key), alone) << key.toStdString();
            EXPECT_EQ(rules::IsKnownCode(table, key, 11), known) << key.toStdString();
        }
    }
}

class LookupMemoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        database_ = db::Database::forFolder(dir_.path());
    }

    // A table of the store's own kind, its rows written as raw SQL so that
    // they may keep what the store would never write (trailing blanks, a blob).
    db::Table& StoreTable(const QString& file, bool caseInsensitive, const QStringList& values) {
        db::TableDef def;
        def.fileName = file;
        def.fields << db::textField(QStringLiteral("k"), 11) << db::textField(QStringLiteral("n"), 20);
        db::IndexDef index = db::primaryIndex(QStringLiteral("k"));
        index.caseInsensitive = caseInsensitive;
        def.indexes << index;
        database_->createTable(def);
        const db::Connection::Attached& a = database_->attach(file);
        for (int i = 0; i < values.size(); ++i)
            database_->exec(QStringLiteral("INSERT INTO %1.%2 (k, n) VALUES (%3, 'row %4')")
                                .arg(a.schema, db::quoted(a.table), values[i])
                                .arg(i));
        database_->noteChange();
        return Open(file);
    }

    db::Table& Open(const QString& file) {
        tables_.push_back(std::make_unique<db::Table>(database_, file));
        db::Table& t = *tables_.back();
        t.SetReadOnly(true);
        t.Open();
        return t;
    }

    QTemporaryDir dir_;
    std::shared_ptr<db::Database> database_;
    std::vector<std::unique_ptr<db::Table>> tables_;
};

const QStringList kStored = {"'12345678901'", "'00000000019   '", "'abcde'", "'ABCDF'", "'0000000042'",
                             "X'3737'", "'dé'"};
const QStringList kProbes = {"12345678901", "12345678902", "1234567890",  "00000000019", "00000000019 ",
                             "abcde",       "ABCDE",       "abcdE",       "ABCDF",       "abcdf",
                             "42",          "0000000042",  "00000000042", "77",          "DÉ",
                             "dé",          "",            "123456789012"};

TEST_F(LookupMemoryTest, AnswersAsTheTableUnderEachCollation) {
    ExpectSameAnswers(StoreTable(QStringLiteral("BINKEY.db"), false, kStored), kProbes);
    ExpectSameAnswers(StoreTable(QStringLiteral("NOCASEKEY.db"), true, kStored), kProbes);
}

TEST_F(LookupMemoryTest, AnEmptyTableFindsNothing) {
    ExpectSameAnswers(StoreTable(QStringLiteral("EMPTYKEY.db"), false, {}), {"1", "0"});
}

// A file not written by the store: a numeric key column, whose affinity makes
// "0012" find 12, and a column whose collation ignores trailing blanks.
TEST_F(LookupMemoryTest, ForeignColumnTypesAndCollations) {
    struct Case {
        const char* file;
        const char* create;
        QStringList rows;
        QStringList probes;
    };
    const Case cases[] = {
        {"NUMKEY", "k INTEGER NOT NULL, n TEXT(20)", {"12", "'x1'", "'0013'"}, {"12", "0012", "12.0", "x1", "X1", "13", "0013", "14"}},
        {"TRIMKEY", "k TEXT(11) COLLATE RTRIM NOT NULL, n TEXT(20)", {"'ab  '", "'cd'"}, {"ab", "ab ", "cd", "CD", "ef"}},
    };
    for (const Case& c : cases) {
        const QString path = dir_.path() + QLatin1Char('/') + QLatin1String(c.file) + QStringLiteral(".db");
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &raw), SQLITE_OK);
        QString sql = QStringLiteral("CREATE TABLE %1 (%2); CREATE UNIQUE INDEX \"~Main\" ON %1 (k);")
                          .arg(QLatin1String(c.file), QLatin1String(c.create));
        for (int i = 0; i < c.rows.size(); ++i)
            sql += QStringLiteral("INSERT INTO %1 VALUES (%2, 'row %3');").arg(QLatin1String(c.file), c.rows[i]).arg(i);
        ASSERT_EQ(sqlite3_exec(raw, sql.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK) << c.file;
        sqlite3_close(raw);
        SCOPED_TRACE(c.file);
        ExpectSameAnswers(Open(QLatin1String(c.file) + QStringLiteral(".db")), c.probes);
    }
}

// With a memory, a key the table lacks leaves its current row where it was,
// as a search that finds nothing does.
TEST_F(LookupMemoryTest, AMissLeavesTheCurrentRow) {
    db::Table& t = StoreTable(QStringLiteral("ROWKEY.db"), false, {"'11111111111'", "'22222222222'"});
    const rules::LookupMemory memory;
    ASSERT_TRUE(rules::LookupRow(t, QStringLiteral("22222222222"), 11));
    EXPECT_FALSE(rules::LookupRow(t, QStringLiteral("33333333333"), 11));
    EXPECT_EQ(t.FieldByName(QStringLiteral("k")).AsString(), QStringLiteral("22222222222"));
}

}  // namespace
