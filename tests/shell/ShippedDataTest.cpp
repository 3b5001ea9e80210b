#include "platform/db/Table.h"
#include "support/DataFolder.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

QMap<QString, QPair<QString, QString>> catalogue() {
    QMap<QString, QPair<QString, QString>> rows;
    TempProgramFolder program;
    db::Table msg(db::Database::forFolder(program.dataFolder()), "tb8MSG.DB");
    msg.Open();
    for (msg.First(); !msg.Eof(); msg.Next())
        rows.insert(msg.FieldByName("NuMensagem").AsString(),
                    {msg.FieldByName("TpMensagem").AsString(), msg.FieldByName("TxMensagem").AsString()});
    return rows;
}

// Four-digit literals of the source that are not messages: every other one
// is a code the program can show, return or record, wherever it stands (a
// ternary, a table of cases, an assignment, a finding's argument).
const QMap<QString, QString>& notMessages() {
    static const QMap<QString, QString> list = {
        {"0550", "record length in the header"},
        {"1015", "legal nature"}, {"1031", "legal nature"}, {"1040", "legal nature"}, {"1074", "legal nature"},
        {"1104", "legal nature"}, {"1139", "legal nature"}, {"1163", "legal nature"},
        {"2011", "legal nature"}, {"2038", "legal nature"},
        {"1231", "day and month"}, {"3112", "day and month"},
        {"2008", "year"}, {"2009", "year"}, {"2010", "year"},
        {"9000", "postcode prefix"},
    };
    return list;
}

// Every code the program's source holds, with the file it stands in: each
// four-digit text literal, and the structure findings given as numbers.
QMap<QString, QString> codesInSource() {
    const QList<QRegularExpression> patterns = {
        QRegularExpression(QStringLiteral(R"re("(\d{4})")re")),
        QRegularExpression(QStringLiteral(R"re(\bReportError\s*\(\s*(\d{4})\b)re")),
    };
    QMap<QString, QString> found;
    QDirIterator it(QStringLiteral(LOBRIX_SOURCE_DIR "/src"), {"*.cpp", "*.h"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) continue;
        const QString text = QString::fromUtf8(f.readAll());
        for (const auto& re : patterns)
            for (auto m = re.globalMatch(text); m.hasNext();) {
                const QString code = m.next().captured(1);
                if (code != "0000" && !notMessages().contains(code))
                    found.insert(code, path.mid(path.indexOf("/src/") + 1));
            }
    }
    return found;
}

TEST(ShippedData, EveryCodeTheProgramUsesHasAKnownKindAndAText) {
    const auto rows = catalogue();
    ASSERT_GT(rows.size(), 300);
    for (auto it = rows.cbegin(); it != rows.cend(); ++it) {
        EXPECT_TRUE(QSet<QString>({"CNF", "WAR", "INF", "ERR"}).contains(it->first)) << it.key().toStdString();
        EXPECT_FALSE(it->second.trimmed().isEmpty()) << it.key().toStdString();
        EXPECT_EQ(it.key().size(), 4);
    }
    const auto used = codesInSource();
    ASSERT_GT(used.size(), 300);
    for (auto it = used.cbegin(); it != used.cend(); ++it)
        EXPECT_TRUE(rows.contains(it.key())) << "code " << it.key().toStdString() << " used in "
                                             << it.value().toStdString() << " has no row in tb8MSG";
}

TEST(ShippedData, QuestionsAreConfirmationsAndQuotedTextsStandAsGiven) {
    const auto rows = catalogue();
    for (const char* code : {"1005", "1050", "1001"}) EXPECT_EQ(rows.value(code).first, "CNF") << code;
    // Label codes of the findings carry the field's name.
    EXPECT_FALSE(rows.value("1600").second.isEmpty());
    EXPECT_FALSE(rows.value("3667").second.isEmpty());
}

TEST(ShippedData, EveryMunicipalityBelongsToAStateAndEveryStateHasItsRow) {
    TempProgramFolder program;
    auto database = db::Database::forFolder(program.dataFolder());
    db::Table uf(database, "TbUf.DB");
    uf.Open();
    QSet<QString> states;
    for (uf.First(); !uf.Eof(); uf.Next()) states.insert(uf.FieldByName("CoUf").AsString());
    EXPECT_EQ(states.size(), 27);
    db::Table mun(database, "tb8MUNIC.DB");
    mun.Open();
    int municipalities = 0;
    QSet<QString> stateRows;
    for (mun.First(); !mun.Eof(); mun.Next()) {
        const QString code = mun.FieldByName("CoMunicipio").AsString();
        const QString name = mun.FieldByName("NoMunicipio").AsString();
        EXPECT_TRUE(states.contains(code.left(2))) << code.toStdString();
        EXPECT_FALSE(name.isEmpty());
        EXPECT_EQ(name, name.toUpper());
        for (QChar c : name) EXPECT_LT(c.unicode(), 127) << name.toStdString();
        if (code.size() == 2) stateRows.insert(code);
        else if (code.size() == 7) ++municipalities;
        else ADD_FAILURE() << "odd municipality code " << code.toStdString();
    }
    EXPECT_EQ(stateRows, states);
    EXPECT_EQ(municipalities, 5570);  // every municipality of the source package
    ASSERT_TRUE(mun.FindKey({"3550308"}));
    EXPECT_EQ(mun.FieldByName("NoMunicipio").AsString(), "SAO PAULO");
}

}  // namespace
