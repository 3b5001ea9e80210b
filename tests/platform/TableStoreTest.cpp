#include "platform/db/Query.h"
#include "platform/db/Table.h"

#include <QFile>
#include <QSet>
#include <stdexcept>
#include <QFileInfo>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace db;

namespace {

TableDef people() {
    TableDef t;
    t.fileName = QStringLiteral("People.DB");
    t.fields = {textField("Code", 4), textField("Name", 8), textField("City", 6), boolField("Active")};
    t.indexes = {primaryIndex(QStringLiteral("Code;Name")),
                 IndexDef{QStringLiteral("ICity"), {QStringLiteral("City")}, false, true}};
    return t;
}

class TableStore : public ::testing::Test {
protected:
    void SetUp() override {
        database = Database::forFolder(dir.path());
        database->createTable(people());
    }
    void add(const QString& code, const QString& name, const QString& city = QString()) {
        Table t(database, QStringLiteral("people"));
        t.Open();
        t.Append();
        t.FieldByName("Code").SetAsString(code);
        t.FieldByName("Name").SetAsString(name);
        t.FieldByName("City").SetAsString(city);
        t.Post();
    }
    QStringList names(Table& t) {
        QStringList out;
        for (t.First(); !t.Eof(); t.Next()) out << t.FieldByName("Name").AsString();
        return out;
    }
    QTemporaryDir dir;
    std::shared_ptr<Database> database;
};

TEST_F(TableStore, CutsToWidthAndDropsTrailingBlanksButKeepsLeadingOnes) {
    add("1", "ABCDEFGHIJ", " X   ");
    Table t(database, "PEOPLE.db");  // names match without regard to case
    t.Open();
    EXPECT_EQ(t.FieldByName("Name").AsString(), "ABCDEFGH");
    EXPECT_EQ(t.FieldByName("City").AsString(), " X");
    EXPECT_EQ(t.FieldByName("Name").Size(), 8);
}

// The row a dataset keeps after Post is the row the table holds: a form
// that saves and goes on showing the row must show what was stored.
TEST_F(TableStore, PostedRowReadsBackFromTheSameDatasetAsStored) {
    struct Case {
        const char* what;
        bool edit;
        bool utf8;
        QString name, city;          // as set
        QString storedName, storedCity;
    };
    const QList<Case> cases = {
        {"appended text, too long", false, false, "ABCDEFGHIJ", "CIDADE GRANDE", "ABCDEFGH", "CIDADE"},
        {"appended text, trailing blanks", false, false, "ANA   ", " X   ", "ANA", " X"},
        {"appended bytes, too long and blank", false, true, "ABCDEFGHIJ", "RIO    ", "ABCDEFGH", "RIO"},
        {"edited text, too long", true, false, "JOAOZINHO DA SILVA", "SAO PAULO", "JOAOZINH", "SAO PA"},
        {"edited bytes, trailing blanks", true, true, "ZE      ", "BH  ", "ZE", "BH"},
    };
    int code = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString key = QString::number(++code);
        Table t(database, "people");
        t.Open();
        if (c.edit) {
            add(key, "", "OLD");
            t.Close();
            t.Open();
            ASSERT_TRUE(t.FindKey({key, ""}));
            t.Edit();
        } else {
            t.Append();
            t.FieldByName("Code").SetAsString(key);
        }
        if (c.utf8) {
            t.FieldByName("Name").SetAsUtf8(c.name.toUtf8());
            t.FieldByName("City").SetAsUtf8(c.city.toUtf8());
        } else {
            t.FieldByName("Name").SetAsString(c.name);
            t.FieldByName("City").SetAsString(c.city);
        }
        t.Post();
        EXPECT_EQ(t.FieldByName("Name").AsString(), c.storedName);
        EXPECT_EQ(t.FieldByName("City").AsString(), c.storedCity);
        EXPECT_EQ(QString::fromUtf8(t.FieldByName("Name").AsUtf8().toByteArray()), c.storedName);
        Table fresh(database, "people");
        fresh.Open();
        ASSERT_TRUE(fresh.FindKey({key, c.storedName}));
        EXPECT_EQ(fresh.FieldByName("City").AsString(), c.storedCity);
    }
    // A value of another type reaches the row as it was set, uncut: only Post
    // makes it the stored text (the key of four characters takes "fals").
    Table t(database, "people");
    t.Open();
    t.Append();
    t.FieldByName("Code").SetAsBoolean(false);
    t.FieldByName("Name").SetAsString("LOGICO");
    t.Post();
    EXPECT_EQ(t.FieldByName("Code").AsString(), "fals");
    Table fresh(database, "people");
    fresh.Open();
    EXPECT_TRUE(fresh.FindKey({"fals", "LOGICO"}));
}

TEST_F(TableStore, ReadsInKeyOrderAndFindsByWholeOrLeadingKey) {
    add("2", "B");
    add("1", "Z");
    add("1", "A");
    add("10", "C");
    Table t(database, "People");
    t.Open();
    EXPECT_EQ(names(t), QStringList({"A", "Z", "C", "B"}));  // byte order: "1" < "10" < "2"
    EXPECT_EQ(t.RecordCount(), 4);
    ASSERT_TRUE(t.FindKey({"1", "Z"}));
    EXPECT_EQ(t.FieldByName("Name").AsString(), "Z");
    ASSERT_TRUE(t.FindKey({"1"}));
    EXPECT_EQ(t.FieldByName("Name").AsString(), "A");
    t.Next();
    EXPECT_EQ(t.FieldByName("Name").AsString(), "Z");
    EXPECT_FALSE(t.FindKey({"3"}));
    EXPECT_EQ(t.FieldByName("Name").AsString(), "Z");  // a failed find leaves the cursor alone
    t.SetRange({"1"}, {"1"});
    EXPECT_EQ(names(t), QStringList({"A", "Z"}));
    EXPECT_EQ(t.RecordCount(), 2);
    t.CancelRange();
    EXPECT_EQ(t.RecordCount(), 4);
}

TEST_F(TableStore, EmptyTextIsAKeyValueLikeAnyOther) {
    add("1", "");
    Table t(database, "People");
    t.Open();
    t.Append();
    t.FieldByName("Code").SetAsString("1");
    try {
        t.Post();
        FAIL() << "a second empty name under the same code must violate the key";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), ErrorKind::KeyViolation);
        EXPECT_EQ(e.code(), 9729);
    }
    t.Cancel();
    EXPECT_EQ(t.RecordCount(), 1);
    ASSERT_TRUE(t.FindKey({"1", ""}));
}

TEST_F(TableStore, ConstraintFailuresAreReportedByTheirKind) {
    add("1", "A");
    Query q(database);
    struct Case {
        const char* sql;
        ErrorKind kind;
        int code;
        const char* text;
    } cases[] = {
        {"insert into People (Code, Name) values ('1', 'A')", ErrorKind::KeyViolation, 9729, "Key violation."},
        {"insert into People (Code, Name) values ('2', NULL)", ErrorKind::Constraint, 9732, "Field value required"},
        {"update People set City = NULL", ErrorKind::Constraint, 9732, "Field value required"},
    };
    for (const Case& c : cases) {
        q.SetSQL(QString::fromLatin1(c.sql));
        try {
            q.ExecSQL();
            ADD_FAILURE() << c.sql << " was accepted";
        } catch (const DbError& e) {
            EXPECT_EQ(e.kind(), c.kind) << c.sql;
            EXPECT_EQ(e.code(), c.code) << c.sql;
            EXPECT_TRUE(e.text().startsWith(QString::fromLatin1(c.text))) << c.sql << ": " << e.text().toStdString();
        }
    }
    Table t(database, "People");
    t.Open();
    EXPECT_EQ(t.RecordCount(), 1);
}

TEST_F(TableStore, FindKeyLocateAndSetRangeTakeSearchValuesAsStored) {
    add("1", "A", "RIO");
    add("1", "AB", "SAO");
    add("2", "ABCDEFGH");
    Table t(database, "People");
    t.Open();
    // Trailing blanks are dropped and a value is cut to its width, as on write.
    for (const QString& name : {QStringLiteral("A "), QStringLiteral("A")}) {
        EXPECT_TRUE(t.FindKey({"1", name})) << name.toStdString();
        EXPECT_TRUE(t.Locate({"Name"}, {name})) << name.toStdString();
        EXPECT_EQ(t.FieldByName("Name").AsString(), "A");
        t.SetRange({"1 ", name}, {"1  ", name});
        EXPECT_EQ(names(t), QStringList({"A"})) << name.toStdString();
        t.CancelRange();
    }
    EXPECT_TRUE(t.Locate({"City"}, {"SAO   "}));
    EXPECT_EQ(t.FieldByName("Name").AsString(), "AB");
    EXPECT_TRUE(t.FindKey({"2", "ABCDEFGHIJ"}));
    EXPECT_TRUE(t.Locate({"Name"}, {"ABCDEFGHIJ"}));
    t.SetRange({"2", "ABCDEFGHIJ"}, {"2", "ABCDEFGHIJ"});
    EXPECT_EQ(names(t), QStringList({"ABCDEFGH"}));
}

TEST_F(TableStore, CuttingToWidthNeverSplitsASurrogatePair) {
    // Name holds 8 characters; the pair would straddle the eighth.
    const QString clef = QString::fromUtf8("\xF0\x9D\x84\x9E");  // one character, two UTF-16 units
    add("1", QStringLiteral("ABCDEFG") + clef);
    Table t(database, "People");
    t.Open();
    const QString stored = t.FieldByName("Name").AsString();
    EXPECT_EQ(stored, "ABCDEFG");
    for (QChar c : stored) EXPECT_FALSE(c.isSurrogate());
}

TEST_F(TableStore, TextsAreStoredAsTheirUtf8Bytes) {
    // What lands in the file is what QString::toUtf8 makes of the value,
    // half surrogate pairs included; read back, the value is unchanged.
    const QString clef = QString::fromUtf8("\xF0\x9D\x84\x9E");
    const QList<QString> values = {QStringLiteral("ABC"), QString::fromUtf8("\xC3\x89\xC3\xA7\xE2\x82\xAC"),
                                   QStringLiteral("A") + clef, QStringLiteral("B") + QChar(0xD800) + QStringLiteral("x"),
                                   QStringLiteral("C") + QChar(0xDC00), QString()};
    for (int i = 0; i < values.size(); ++i) add(QString::number(i), values[i]);
    Query raw(database);
    raw.SetSQL(QStringLiteral("SELECT Code, hex(Name) AS h FROM People ORDER BY Code"));
    raw.Open();
    int i = 0;
    for (raw.First(); !raw.Eof(); raw.Next(), ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(raw.FieldByName("h").AsString(), QString::fromLatin1(normalizeText(values[i], 8).toUtf8().toHex().toUpper()));
    }
    EXPECT_EQ(i, values.size());
    Table t(database, "People");
    t.Open();
    i = 0;
    for (t.First(); !t.Eof(); t.Next(), ++i)
        EXPECT_EQ(t.FieldByName("Name").AsString(), QString::fromUtf8(normalizeText(values[i], 8).toUtf8()));
}

// Values given and taken as UTF-8 bytes are stored and read exactly as the
// same values given and taken as texts.
TEST_F(TableStore, BytesInAndOutMatchTextsInAndOut) {
    const std::vector<QByteArray> names = {"Ana", "Caio   ", "Bruno Albuquerque", "  lead", "", "Jo\xC3\xA3o  ",
                                           "Jo\xC3\xA3o Bel\xC3\xA9m", "tab\tend", QByteArray(), "          ",
                                           "S\xC3\xA3o Jos\xC3\xA9", "\xF0\x9D\x84\x9E" "abcdef", "abcde\xF0\x9D\x84\x9E",
                                           "abcdefg\xC3\xA9"};
    const std::vector<QByteArray> flags = {"1", "True", "0", "false", "x", "", "true", "FALSE", QByteArray(), "1",
                                           "0", "1", "true", "0"};
    ASSERT_EQ(names.size(), flags.size());
    Table bytes(database, "People");
    bytes.Open();
    {
        Transaction tx(*database);
        for (std::size_t i = 0; i < names.size(); ++i) {
            // Codes "b0".. by bytes, "r0".. by whole rows, "t0".. by texts, in one long append.
            for (const char* way : {"b", "r", "t"}) {
                const QByteArray code = way + QByteArray::number(qulonglong(i));
                if (*way == 'r') {
                    const QByteArrayView row[] = {code, names[i], names[i], flags[i]};
                    bytes.AppendRow(row);
                    // No record is made of it: the one posted before stays current.
                    EXPECT_EQ(bytes.FieldByName("Code").AsString(), QStringLiteral("b%1").arg(i));
                    continue;
                }
                bytes.Append();
                if (*way == 'b') {
                    bytes.FieldByName("Code").SetAsUtf8(code);
                    bytes.FieldByName("Name").SetAsUtf8(names[i]);
                    bytes.FieldByName("City").SetAsUtf8(names[i]);
                    bytes.FieldByName("Active").SetAsUtf8(flags[i]);
                } else {
                    bytes.FieldByName("Code").SetAsString(QString::fromUtf8(code));
                    bytes.FieldByName("Name").SetAsString(names[i].isNull() ? QString() : QString::fromUtf8(names[i]));
                    bytes.FieldByName("City").SetAsString(names[i].isNull() ? QString() : QString::fromUtf8(names[i]));
                    bytes.FieldByName("Active").SetAsString(flags[i].isNull() ? QString() : QString::fromUtf8(flags[i]));
                }
                bytes.Post();
            }
        }
        const QByteArrayView tooShort[] = {"x1", "Ana"};
        EXPECT_THROW(bytes.AppendRow(tooShort), DbError);
        tx.commit();
    }
    Query raw(database);
    raw.SetSQL(QStringLiteral("SELECT substr(Code, 2) AS n, quote(Name) AS name, "
                              "quote(City) AS city, quote(Active) AS active FROM People ORDER BY n, Code"));
    raw.Open();
    int rows = 0;
    for (raw.First(); !raw.Eof();) {
        const QString n = raw.FieldByName("n").AsString();
        SCOPED_TRACE(n.toStdString());
        const QStringList stored = {raw.FieldByName("name").AsString(), raw.FieldByName("city").AsString(),
                                    raw.FieldByName("active").AsString()};
        for (int way = 0; way < 3; ++way, ++rows, raw.Next()) {
            ASSERT_FALSE(raw.Eof());
            EXPECT_EQ(raw.FieldByName("n").AsString(), n);
            EXPECT_EQ(stored, QStringList({raw.FieldByName("name").AsString(), raw.FieldByName("city").AsString(),
                                           raw.FieldByName("active").AsString()}));
        }
    }
    EXPECT_EQ(rows, int(3 * names.size()));
    // Read back, the bytes of a value are the UTF-8 of its text, whether the
    // value was read, just set, or set as a text.
    // The row's text values all at once are those same bytes; a boolean
    // field is not given that way.
    Table t(database, "People");
    t.Open();
    const int text[] = {t.FieldByName("Code").Index(), t.FieldByName("Name").Index(), t.FieldByName("City").Index()};
    for (t.First(); !t.Eof(); t.Next()) {
        QByteArrayView row[3];
        ASSERT_TRUE(t.ReadBytes(text, row));
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(row[i], t.Fields(text[i]).AsUtf8());
            EXPECT_EQ(row[i].isNull(), t.Fields(text[i]).AsString().isNull());
        }
        const int withBoolean[] = {text[0], t.FieldByName("Active").Index()};
        EXPECT_FALSE(t.ReadBytes(withBoolean, row));
        for (const char* f : {"Code", "Name", "City", "Active"}) {
            const Field& field = t.FieldByName(f);
            const QByteArray asBytes = field.AsUtf8().toByteArray();
            EXPECT_EQ(asBytes, field.AsString().toUtf8()) << qPrintable(t.FieldByName("Code").AsString()) << f;
            EXPECT_EQ(field.AsUtf8().isNull(), field.AsString().isNull());
        }
    }
    ASSERT_TRUE(t.FindKey({"b6"}));
    t.Edit();
    {
        // A row being edited has values of its own: not given as read.
        QByteArrayView row[3];
        EXPECT_FALSE(t.ReadBytes(text, row));
    }
    t.FieldByName("Name").SetAsUtf8("Rio ");
    EXPECT_EQ(t.FieldByName("Name").AsUtf8(), "Rio");
    EXPECT_EQ(t.FieldByName("Name").AsString(), "Rio");
    t.FieldByName("Name").SetAsString(QStringLiteral("Bel\u00e9m"));
    EXPECT_EQ(t.FieldByName("Name").AsUtf8(), "Bel\xC3\xA9m");
    t.Post();
    EXPECT_EQ(t.FieldByName("City").AsUtf8(), "Jo\xC3\xA3o B");
    EXPECT_EQ(t.FieldByName("Name").AsUtf8(), "Bel\xC3\xA9m");
}

// A long append keeps the bindings of values that did not change from the row
// before: each row must still be stored as given, whether its caller reuses
// one buffer (same place, new bytes), two datasets append to the file in
// turns, Post writes between the rows, or a rollback throws the statements
// away; and a field of no width, whatever the lengths of its values.
TEST_F(TableStore, RowsAppendedInAStreamAreStoredAsGivenWhateverTheirBuffers) {
    Table first(database, "People");
    Table second(database, "People");
    first.Open();
    second.Open();
    QStringList expected;
    char code[4], name[8];
    auto row = [&](Table& t, int i, const char* n, const char* flag) {
        std::snprintf(code, sizeof code, "%03d", i);
        std::memset(name, ' ', sizeof name);
        std::memcpy(name, n, std::strlen(n));
        const QByteArrayView values[] = {QByteArrayView(code, 3), QByteArrayView(name, 8), "Rio", flag};
        t.AppendRow(values);
        const bool on = std::strcmp(flag, "1") == 0;
        expected << QStringLiteral("%1 %2 Rio %3").arg(QLatin1String(code, 3), QString::fromLatin1(n).trimmed()).arg(on);
    };
    {
        Transaction tx(*database);
        // One buffer, new bytes of the same length and of other lengths.
        const char* names[] = {"Ana", "Bia", "Bia", "Caio", "", "Bruno Al", "Eva", "Eva"};
        for (int i = 0; i < 8; ++i) row(first, i, names[i], i % 3 ? "1" : "0");
        // Two datasets in turns, each with values the other bound last.
        for (int i = 8; i < 14; ++i) row(i % 2 ? second : first, i, i % 2 ? "Odd" : "Even", i % 4 < 2 ? "1" : "0");
        // A row posted between appended ones.
        first.Append();
        first.FieldByName("Code").SetAsString("014");
        first.FieldByName("Name").SetAsString("Posted");
        first.FieldByName("City").SetAsString("Rio");
        first.Post();
        expected << "014 Posted Rio 0";
        row(first, 15, "Even", "0");
        tx.commit();
    }
    {
        // Rolled back: its rows go, and the appends after it are stored in full.
        Transaction tx(*database);
        row(first, 16, "Gone", "1");
        expected.removeLast();
    }
    {
        Transaction tx(*database);
        row(first, 17, "Even", "0");
        row(first, 18, "Even", "1");
        tx.commit();
    }
    Query raw(database);
    raw.SetSQL(QStringLiteral("SELECT Code || ' ' || Name || ' ' || City || ' ' || Active AS r FROM People ORDER BY Code"));
    raw.Open();
    QStringList stored;
    for (raw.First(); !raw.Eof(); raw.Next()) stored << raw.FieldByName("r").AsString();
    EXPECT_EQ(stored, expected);

    // A field of no width takes values of any length, long and short in turns.
    TableDef notes;
    notes.fileName = QStringLiteral("Notes.DB");
    notes.fields = {textField("Code", 4), textField("Text", 0)};
    database->createTable(notes);
    Table t(database, "Notes");
    t.Open();
    const std::vector<int> lengths = {10, 0, 70, 64, 65, 300, 12, 300, 1000, 3};
    {
        Transaction tx(*database);
        for (std::size_t i = 0; i < lengths.size(); ++i) {
            const QByteArray code = QByteArray::number(qulonglong(i));
            const QByteArray text(lengths[i], char('a' + i));
            const QByteArrayView values[] = {code, text};
            t.AppendRow(values);
        }
        tx.commit();
    }
    raw.SetSQL(QStringLiteral("SELECT Text FROM Notes ORDER BY CAST(Code AS INTEGER)"));
    raw.Open();
    std::size_t i = 0;
    for (raw.First(); !raw.Eof(); raw.Next(), ++i)
        EXPECT_EQ(raw.FieldByName("Text").AsString(), QString(lengths[i], QChar('a' + int(i)))) << i;
    EXPECT_EQ(i, lengths.size());
}


// Rows copied from another table's range by SQLite a block at a time: each
// row of the range asked about once and in key order, whatever falls at a
// block's edge; the rows kept stored in that order with their expressions'
// values; the source's cursor and range left alone; a failure of the
// question thrown to the caller as it was.
TEST_F(TableStore, RangeCopiesAskEachRowOnceInKeyOrderAndStoreTheKeptOnes) {
    for (const char* name : {"Hugo", "Ana", "Caio", "Bia", "Eva", "Dora", "Gil", "Fabio", "Ivo"}) add("1", name, "Rio");
    add("0", "Before", "Rio");
    add("2", "After", "Rio");
    TableDef copies;
    copies.fileName = QStringLiteral("Copies.DB");
    copies.fields = {textField("Code", 4), textField("Name", 8), textField("City", 6), boolField("Active"),
                     textField("Note", 6)};
    database->createTable(copies);
    Table source(database, "People");
    Table target(database, "Copies");
    source.Open();
    target.Open();

    const auto stored = [&] {
        Query raw(database);
        raw.SetSQL(QStringLiteral("SELECT Code || ' ' || Name || ' ' || City || ' ' || Active || ' ' || Note AS r "
                                  "FROM Copies ORDER BY rowid"));
        raw.Open();
        QStringList out;
        for (raw.First(); !raw.Eof(); raw.Next()) out << raw.FieldByName("r").AsString();
        return out;
    };
    const QSet<QString> left{"Bia", "Caio", "Gil"};  // "Caio" and "Gil" end no block of two
    for (const QByteArray city : {QByteArray(), QByteArray("Lima")}) {
        source.FindKey({"0"});
        Table::RangeCopy copy;
        copy.low = copy.high = QStringList{"1"};
        copy.fields = {{0, QStringLiteral("s.\"Code\"")},
                       {1, QStringLiteral("s.\"Name\"")},
                       {2, QStringLiteral("coalesce(?2, s.\"City\")")},
                       {4, QStringLiteral("?1")}};
        copy.parameters = {"Note", city};
        copy.keepFields = {source.FieldByName("Name").Index()};
        copy.limit = 2;
        QStringList asked;
        copy.keep = [&](std::span<const QByteArrayView> values) {
            asked << QString::fromUtf8(values[0]);
            return !left.contains(asked.last());
        };
        Transaction tx(*database);
        int copied = 0, calls = 0;
        while (!copy.done) {
            copied += target.AppendRangeCopies(source, copy);
            ++calls;
        }
        tx.commit();
        EXPECT_EQ(asked, QStringList({"Ana", "Bia", "Caio", "Dora", "Eva", "Fabio", "Gil", "Hugo", "Ivo"}));
        EXPECT_EQ(copied, 6);
        EXPECT_EQ(calls, 4);
        const QString c = city.isNull() ? QStringLiteral("Rio") : QStringLiteral("Lima");
        QStringList expected;
        for (const char* name : {"Ana", "Dora", "Eva", "Fabio", "Hugo", "Ivo"})
            expected << QStringLiteral("1 %1 %2 0 Note").arg(QLatin1String(name), c);
        EXPECT_EQ(stored().mid(city.isNull() ? 0 : 6), expected);
        EXPECT_EQ(source.FieldByName("Name").AsString(), "Before");
        EXPECT_EQ(names(source).size(), 11);
    }

    Table::RangeCopy failing;
    failing.low = failing.high = QStringList{"1"};
    failing.fields = {{0, QStringLiteral("s.\"Code\"")}};
    failing.keepFields = {source.FieldByName("Name").Index()};
    failing.keep = [](std::span<const QByteArrayView> values) -> bool {
        if (values[0] == "Eva") throw std::runtime_error("no Eva");
        return true;
    };
    {
        Transaction tx(*database);
        EXPECT_THROW(
            while (!failing.done) target.AppendRangeCopies(source, failing), std::runtime_error);
    }
    EXPECT_EQ(stored().size(), 12);  // rolled back with its transaction
}

// A value's bytes reuse their room: every length after every other, copies,
// moves, and a value set again from a part of itself.
TEST(ValueBytesTest, KeepExactlyTheBytesGivenWhateverWasThereBefore) {
    const std::vector<int> lengths = {0, 1, 7, 8, 9, 15, 16, 17, 40, 3, 33, 16, 0, 64};
    ValueBytes v;
    for (int before : lengths)
        for (int now : lengths) {
            const QByteArray first(before, 'a'), second = QByteArray("0123456789abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJKLMNOPQRST").left(now);
            v.assign(first.constData(), std::size_t(first.size()));
            v.assign(second.constData(), std::size_t(second.size()));
            ASSERT_EQ(QByteArray(v.data(), qsizetype(v.size())), second) << before << " then " << now;
            const ValueBytes copy = v;
            ValueBytes moved = ValueBytes(copy);
            EXPECT_EQ(QByteArray(moved.data(), qsizetype(moved.size())), second);
            // Set from its own tail, as a field set from a view of itself.
            const std::size_t cut = v.size() / 2;
            v.assign(v.data() + cut, v.size() - cut);
            EXPECT_EQ(QByteArray(v.data(), qsizetype(v.size())), second.mid(qsizetype(cut))) << before << " then " << now;
        }
}

TEST_F(TableStore, KeyViolationOnEditLeavesTheTableUnchanged) {
    add("1", "A", "X");
    add("1", "B", "Y");
    Table t(database, "People");
    t.Open();
    ASSERT_TRUE(t.FindKey({"1", "B"}));
    t.Edit();
    t.FieldByName("Name").SetAsString("A");
    t.FieldByName("City").SetAsString("CHANGED");
    EXPECT_THROW(t.Post(), DbError);
    t.Cancel();
    EXPECT_EQ(t.FieldByName("Name").AsString(), "B");
    Table check(database, "People");
    check.Open();
    EXPECT_EQ(names(check), QStringList({"A", "B"}));
    ASSERT_TRUE(check.FindKey({"1", "B"}));
    EXPECT_EQ(check.FieldByName("City").AsString(), "Y");
}

TEST_F(TableStore, CancelDiscardsTheBufferAndEditingNeedsEditMode) {
    add("1", "A", "X");
    Table t(database, "People");
    t.Open();
    EXPECT_THROW(t.FieldByName("City").SetAsString("Q"), DbError);
    t.Edit();
    t.FieldByName("City").SetAsString("Q");
    t.Cancel();
    EXPECT_EQ(t.FieldByName("City").AsString(), "X");
    t.Append();
    t.FieldByName("Code").SetAsString("9");
    t.Cancel();
    EXPECT_EQ(t.RecordCount(), 1);
    EXPECT_EQ(t.FieldByName("Code").AsString(), "1");
}

// One dataset appending many rows reuses its record from row to row: each
// posted row, the row a Cancel goes back to and the rows read back must keep
// their own values.
TEST_F(TableStore, ALongAppendKeepsEveryRowItsOwnValues) {
    struct Case {
        QString code, name, city;
        bool active;
        QString storedName, storedCity;
    };
    const std::vector<Case> cases = {
        {"1", "Ana", "Rio", true, "Ana", "Rio"},
        {"2", "Bruno Albuquerque", "Sao Paulo", false, "Bruno Al", "Sao Pa"},
        {"3", "Caio   ", "  ", true, "Caio", ""},
        {"4", QStringLiteral("Jo\u00e3o"), QStringLiteral("Bel\u00e9m "), false, QStringLiteral("Jo\u00e3o"), QStringLiteral("Bel\u00e9m")},
    };
    Table t(database, "People");
    t.Open();
    {
        Transaction tx(*database);
        for (const Case& c : cases) {
            t.Append();
            t.FieldByName("Code").SetAsString(c.code);
            t.FieldByName("Name").SetAsString(c.name);
            t.FieldByName("City").SetAsString(c.city);
            t.FieldByName("Active").SetAsBoolean(c.active);
            t.Post();
            EXPECT_EQ(t.FieldByName("Name").AsString(), c.storedName);
            // A row begun and thrown away goes back to the row just posted.
            t.Append();
            t.FieldByName("Name").SetAsString("Nobody");
            t.Cancel();
            EXPECT_EQ(t.FieldByName("Code").AsString(), c.code);
            EXPECT_EQ(t.FieldByName("City").AsString(), c.storedCity);
            EXPECT_EQ(t.FieldByName("Active").AsBoolean(), c.active);
        }
        tx.commit();
    }
    // Posting a row read back unchanged writes the same values.
    ASSERT_TRUE(t.FindKey({"2"}));
    t.Edit();
    t.Post();
    t.Next();
    EXPECT_EQ(t.FieldByName("Code").AsString(), "3");
    Table check(database, "People");
    check.Open();
    int i = 0;
    for (check.First(); !check.Eof(); check.Next(), ++i) {
        ASSERT_LT(i, int(cases.size()));
        const Case& c = cases[std::size_t(i)];
        EXPECT_EQ(check.FieldByName("Code").AsString(), c.code);
        EXPECT_EQ(check.FieldByName("Name").AsString(), c.storedName);
        EXPECT_EQ(check.FieldByName("City").AsString(), c.storedCity);
        EXPECT_EQ(check.FieldByName("Active").AsBoolean(), c.active);
        EXPECT_EQ(check.FieldByName("Active").AsString(), c.active ? "True" : "False");
    }
    EXPECT_EQ(i, int(cases.size()));
}

TEST_F(TableStore, DeleteMovesToTheNextRecordOrTheNewLast) {
    add("1", "A");
    add("2", "B");
    add("3", "C");
    Table t(database, "People");
    t.Open();
    ASSERT_TRUE(t.FindKey({"2"}));
    t.Delete();
    EXPECT_EQ(t.FieldByName("Name").AsString(), "C");
    t.Delete();
    EXPECT_EQ(t.FieldByName("Name").AsString(), "A");
    t.Delete();
    EXPECT_TRUE(t.IsEmpty());
    EXPECT_TRUE(t.Eof());
}

TEST_F(TableStore, SecondaryIndexIgnoresCaseAndLocateFindsByAnyField) {
    add("1", "A", "b");
    add("2", "B", "A");
    add("3", "C", "c");
    Table t(database, "People");
    t.SetIndexName("ICity");
    t.Open();
    EXPECT_EQ(names(t), QStringList({"B", "A", "C"}));
    ASSERT_TRUE(t.FindKey({"B"}));
    EXPECT_EQ(t.FieldByName("Name").AsString(), "A");
    Table u(database, "People");
    u.Open();
    ASSERT_TRUE(u.Locate({"City"}, {"C"}, true));
    EXPECT_EQ(u.FieldByName("Code").AsString(), "3");
    EXPECT_FALSE(u.Locate({"City"}, {"C"}));
}

TEST_F(TableStore, ExclusiveUseMakesTheTableBusyForEveryoneElse) {
    Table a(database, "People");
    a.SetExclusive(true);
    a.Open();
    Table b(database, "People");
    try {
        b.Open();
        FAIL() << "expected a busy table";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), ErrorKind::Busy);
        EXPECT_TRUE(e.text().contains("Table is busy"));
    }
    a.Close();
    EXPECT_NO_THROW(b.Open());
    Table c(database, "People");
    c.SetExclusive(true);
    EXPECT_THROW(c.Open(), DbError);
}

TEST_F(TableStore, SqlOnATableAnotherProcessHoldsExclusivelyIsBusy) {
    add("1", "A");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        // Another copy of the program, holding the table for exclusive use.
        TableLock lock(database->resolve("People.DB"), true);
        (void)!::write(ready[1], "x", 1);
        ::pause();
        ::_exit(0);
    }
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    Query insert(database);
    insert.SetSQL("INSERT INTO People (Code, Name, City, Active) VALUES (:c, 'B', '', 0)");
    insert.ParamByName("c").AsString = "2";
    Query select(database);
    select.SetSQL("SELECT count(*) FROM People");
    for (Query* q : {&insert, &select}) {
        try {
            q == &insert ? q->ExecSQL() : q->Open();
            ADD_FAILURE() << "expected a busy table";
        } catch (const DbError& e) {
            EXPECT_EQ(e.kind(), ErrorKind::Busy);
            EXPECT_EQ(e.code(), kTableBusy);
            EXPECT_TRUE(e.text().startsWith("Table is busy")) << e.text().toStdString();
        }
    }
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    insert.ExecSQL();
    EXPECT_EQ(insert.RowsAffected(), 1);
    // Within this process an exclusive hold does not stop its own SQL.
    Table own(database, "People");
    own.SetExclusive(true);
    own.Open();
    select.Open();
    EXPECT_EQ(select.Fields(0).AsString(), "2");
}

TEST_F(TableStore, AnotherSystemUserCannotWriteATableHeldExclusively) {
    // Two users of the machine on one shared data folder, whose tables both
    // may write; the first holds the table for exclusive use.
    if (::geteuid() != 0) GTEST_SKIP() << "switching to another user needs root";
    const passwd* other = ::getpwnam("nobody");
    if (!other) GTEST_SKIP() << "no user \"nobody\" to switch to";
    add("1", "A");
    const QString table = database->resolve("People.DB");
    const QString lock = QFileInfo(table).dir().filePath(".people.db.lock");
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(table).constData(), 0666), 0);
    const mode_t oldMask = ::umask(022);
    // The lock file as this program makes it, as an earlier run left it
    // (readable by all), and as a third user closed it to everyone else.
    const struct {
        const char* what;
        int mode;  // of a lock file there before the hold; 0: none
        uid_t owner;
        const char* refusal;
    } cases[] = {
        {"made by the holder", 0, 0, "Table is busy"},
        {"left readable by an earlier run", 0644, 0, "Table is busy"},
        {"closed to other users", 0600, 1, "Table cannot be locked"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(lock);
        if (c.mode) {
            QFile f(lock);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.close();
            ASSERT_EQ(::chmod(QFile::encodeName(lock).constData(), mode_t(c.mode)), 0);
            ASSERT_EQ(::chown(QFile::encodeName(lock).constData(), c.owner, 0), 0);
        }
        Table held(database, "People");
        held.SetExclusive(true);
        held.Open();
        int result[2];
        ASSERT_EQ(::pipe(result), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // The other user's copy of the program, with connections of its own.
            char outcome = 'x';
            if (::setgid(other->pw_gid) == 0 && ::setuid(other->pw_uid) == 0) {
                try {
                    auto own = std::make_shared<Database>(dir.path());
                    Table t(own, "People");
                    t.Open();
                    t.Append();
                    t.FieldByName("Code").SetAsString("2");
                    t.FieldByName("Name").SetAsString("B");
                    t.Post();
                    outcome = 'w';  // written past the hold
                } catch (const DbError& e) {
                    outcome = e.kind() == ErrorKind::Busy && e.text().startsWith(c.refusal) ? 'b' : 'e';
                }
            }
            (void)!::write(result[1], &outcome, 1);
            ::_exit(0);
        }
        char outcome = 0;
        EXPECT_EQ(::read(result[0], &outcome, 1), 1);
        ::waitpid(child, nullptr, 0);
        ::close(result[0]);
        ::close(result[1]);
        EXPECT_EQ(outcome, 'b') << "w: written, e: another error, x: could not switch user";
        EXPECT_EQ(names(held), QStringList{"A"});
    }
    ::umask(oldMask);
}

TEST_F(TableStore, QueriesJoinTableFilesWithBoundParameters) {
    TableDef cities;
    cities.fileName = "Cities.db";
    cities.fields = {textField("City", 6), textField("State", 2)};
    cities.indexes = {primaryIndex("City")};
    database->createTable(cities);
    add("1", "A", "RIO");
    add("2", "B", "SP");
    add("3", "C'; --", "RIO");
    Table c(database, "cities");
    c.Open();
    for (auto [city, st] : {std::pair{"RIO", "RJ"}, {"SP", "SP"}}) {
        c.Append();
        c.FieldByName("City").SetAsString(city);
        c.FieldByName("State").SetAsString(st);
        c.Post();
    }
    Query q(database);
    q.SetSQL("select p.Name, c.State from People p join Cities c on c.City = p.City\nwhere c.State = :st order by p.Name");
    q.ParamByName("st").AsString = "RJ";
    q.Open();
    QStringList got;
    for (; !q.Eof(); q.Next()) got << q.FieldByName("Name").AsString();
    EXPECT_EQ(got, QStringList({"A", "C'; --"}));
    Query count(database);
    count.SetSQL("select count(*) from People where Name = :n");
    count.ParamByName("n").AsString = "C'; --";
    count.Open();
    EXPECT_EQ(count.FieldByName("COUNT(*)").AsInteger(), 1);
}

// A query's cursor goes both ways and reports its ends as a table's does; a
// grid reads any row without moving it; NULL and '' stay apart.
TEST_F(TableStore, QueryCursorMovesBothWaysAndReadsAnyRow) {
    add("1", "ANA", "RIO");
    add("2", "BIA", "");
    add("3", "CAIO", "SP");
    Query q(database);
    q.SetSQL("select Name, City, length(Name) as Len, null as Vazio from People order by Name");
    q.Open();
    EXPECT_EQ(q.RecordCount(), 3);
    EXPECT_EQ(q.RecNo(), 0);
    q.Prior();
    EXPECT_TRUE(q.Bof());
    EXPECT_EQ(q.FieldByName("Name").AsString(), "ANA");  // stays on the first row
    q.Next();
    q.Next();
    q.Next();
    EXPECT_TRUE(q.Eof());
    EXPECT_EQ(q.FieldByName("Name").AsString(), "CAIO");  // stays on the last row
    q.Prior();
    EXPECT_FALSE(q.Eof());
    EXPECT_FALSE(q.Bof());
    EXPECT_EQ(q.FieldByName("Name").AsString(), "BIA");
    EXPECT_EQ(q.FieldByName("City").AsString(), "");
    EXPECT_FALSE(q.FieldByName("City").AsString().isNull());
    EXPECT_TRUE(q.FieldByName("Vazio").AsString().isNull());
    EXPECT_EQ(q.FieldByName("Len").AsString(), "3");

    EXPECT_EQ(q.ValueAt(2, 0), "CAIO");
    EXPECT_EQ(q.ValueAt(0, 1), "RIO");
    EXPECT_EQ(q.ValueAt(0, 2), "3");
    EXPECT_TRUE(q.ValueAt(1, 3).isNull());
    EXPECT_TRUE(q.ValueAt(3, 0).isNull());
    EXPECT_EQ(q.FieldByName("Name").AsString(), "BIA");  // reading moved nothing

    q.MoveTo(2);
    EXPECT_EQ(q.RecNo(), 2);
    EXPECT_EQ(q.FieldByName("City").AsString(), "SP");
    q.Last();
    EXPECT_EQ(q.FieldByName("Name").AsString(), "CAIO");
    q.First();
    EXPECT_EQ(q.FieldByName("Name").AsString(), "ANA");

    // A value longer than the short length mark, between two others.
    Query wide(database);
    wide.SetSQL("select Code, replace(hex(zeroblob(150)), '00', 'ab') as Long, Name from People order by Code");
    wide.Open();
    EXPECT_EQ(wide.ValueAt(1, 1).size(), 300);
    EXPECT_EQ(wide.ValueAt(1, 2), "BIA");
    wide.MoveTo(2);
    EXPECT_EQ(wide.FieldByName("Long").AsString().size(), 300);
    EXPECT_EQ(wide.FieldByName("Name").AsString(), "CAIO");

    Query none(database);
    none.SetSQL("select Name from People where Code = 'x'");
    none.Open();
    EXPECT_TRUE(none.IsEmpty());
    EXPECT_EQ(none.RecNo(), -1);
    none.Prior();
    none.Next();
    EXPECT_TRUE(none.Bof());
    EXPECT_TRUE(none.Eof());
}

TEST_F(TableStore, TransactionRollsBackEveryTable) {
    add("1", "A");
    {
        Transaction tx(*database);
        add("2", "B");
        Query q(database);
        q.SetSQL("delete from People where Code = '1'");
        q.ExecSQL();
    }
    Table t(database, "People");
    t.Open();
    EXPECT_EQ(names(t), QStringList({"A"}));
}

TEST_F(TableStore, MissingOrDamagedFilesGiveEngineErrors) {
    Table missing(database, "Nothing.db");
    try {
        missing.Open();
        FAIL();
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), ErrorKind::NotFound);
    }
    QFile bad(dir.filePath("Broken.db"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray(4096, 'x'));
    bad.close();
    Table broken(database, "Broken");
    try {
        broken.Open();
        FAIL();
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), ErrorKind::Corrupt);
    }
}

TEST_F(TableStore, IndexesCanBeDroppedCheckedAndAddedAgain) {
    add("1", "A", "X");
    EXPECT_TRUE(database->indexExists("People.DB", "ICity"));
    database->dropIndex("People.DB", "ICity");
    EXPECT_FALSE(database->indexExists("People.DB", "ICity"));
    database->addIndex("People.DB", IndexDef{"ICity", {"City"}, false, true});
    const TableDef def = database->tableDef("People.DB");
    ASSERT_EQ(def.indexes.size(), 2);
    EXPECT_EQ(def.indexes[0].name, "Main");
    EXPECT_TRUE(def.indexes[0].primary);
    EXPECT_EQ(def.indexes[0].fields, QStringList({"Code", "Name"}));
    EXPECT_TRUE(def.indexes[1].caseInsensitive);
    EXPECT_EQ(def.fields[1].width, 8);
    EXPECT_EQ(def.fields[3].type, FieldType::Boolean);
}

TEST_F(TableStore, ManyTablesInTurnStayReachable) {
    // More tables than one connection attaches at once.
    for (int i = 0; i < 14; ++i) {
        TableDef t = people();
        t.fileName = QStringLiteral("T%1.db").arg(i);
        database->createTable(t);
        Table tab(database, t.fileName);
        tab.Open();
        tab.Append();
        tab.FieldByName("Code").SetAsString(QString::number(i));
        tab.Post();
    }
    for (int i = 0; i < 14; ++i) {
        Table tab(database, QStringLiteral("T%1.db").arg(i));
        tab.Open();
        EXPECT_EQ(tab.FieldByName("Code").AsString(), QString::number(i));
    }
}

TEST_F(TableStore, ALongTransactionReadsAnyNumberOfReadOnlyTables) {
    for (int i = 0; i < 14; ++i) {
        TableDef t = people();
        t.fileName = QStringLiteral("L%1.db").arg(i);
        database->createTable(t);
    }
    std::vector<std::unique_ptr<Table>> lookups;
    for (int i = 0; i < 14; ++i) {
        lookups.push_back(std::make_unique<Table>(database, QStringLiteral("L%1.db").arg(i)));
        lookups.back()->SetReadOnly(true);
        lookups.back()->Open();
    }
    Transaction tx(*database);
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < 14; ++i) {
            EXPECT_FALSE(lookups[i]->FindKey({"1"}));
            add(QString::number(round * 100 + i), "N");
        }
    tx.commit();
    Table t(database, "People");
    t.Open();
    EXPECT_EQ(t.RecordCount(), 28);
    lookups[0]->Append();
    lookups[0]->FieldByName("Code").SetAsString("1");
    EXPECT_THROW(lookups[0]->Post(), DbError);
}

}  // namespace
