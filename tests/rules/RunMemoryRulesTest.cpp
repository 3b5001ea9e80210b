// The rules whose lookups the whole-declaration check answers from memory
// give, inside that memory, what they give without it: asked in the check's
// order, each case twice, so that the second answer comes from memory.

#include "RulesFixture.h"

#include "rules/RuleText.h"

namespace {

class RunMemoryRules : public RulesTest {};

struct OccupationCase {
    const char* schooling;
    const char* cbo;
};

// CheckCbo keeps whether a CBO is known, CheckCboForSchooling its flags, both
// of the same table: neither may take the other's answer.
QStringList OccupationCodes(const QList<OccupationCase>& cases) {
    QStringList codes;
    for (const OccupationCase& c : cases) {
        codes << CheckCbo(QString::fromLatin1(c.cbo));
        codes << CheckCboForSchooling(QString::fromLatin1(c.schooling), QString::fromLatin1(c.cbo));
    }
    return codes;
}

TEST_F(RunMemoryRules, OccupationFlagsAsWithoutMemory) {
    const QList<OccupationCase> cases = {{"05", "252105"}, {"09", "252105"}, {"01", "715210"}, {"02", "715210"},
                                         {"01", "411010"}, {"01", "999999"}, {"05", "252105"}, {"01", "715210"},
                                         {"01", "999999"}, {"05", "252105 "}};
    const QStringList alone = OccupationCodes(cases);
    ASSERT_EQ(alone.value(1), QStringLiteral("3501"));  // the fixture's flags are there to be kept
    ASSERT_EQ(alone.value(5), QStringLiteral("3635"));
    const rules::LookupMemory memory;
    EXPECT_EQ(OccupationCodes(cases), alone);
    EXPECT_EQ(OccupationCodes(cases), alone);
}

QStringList NameCodes(const QList<QPair<QString, QString>>& cases) {
    QStringList codes;
    for (const auto& [name, pis] : cases) {
        QString n = name;
        codes << CheckEmployeeName(n, pis) + QLatin1Char(' ') + n;
    }
    return codes;
}

TEST_F(RunMemoryRules, NamesOfListedPisAsWithoutMemory) {
    // Listed numbers, with the blanks and case of a hand-typed one, numbers
    // bound to a name, and numbers listed nowhere.
    const QList<QPair<QString, QString>> cases = {
        {"CARLOS ANTONIO", listedPis()},        {"ANTONIO SOUZA", listedPis()},
        {"CARLOS ANTONIO", listedPis() + " "},  {"CARLOS ANTONIO", " " + listedPis()},
        {"CARLOS SOUZA", oneWordPis()},         {"JOSE DA SILVA", "12345678900"},
        {"JOSE DA SILVA EXEMPLO", "12345678900"}, {"CARLOS ANTONIO", Pis("1201234569")},
        {"CARLOS ANTONIO", "0" + listedPis().left(10)}, {"CARLOS ANTONIO", ""},
        {"CARLOS ANTONIO", listedPis()},
    };
    const QStringList alone = NameCodes(cases);
    ASSERT_TRUE(alone.value(0).startsWith(QStringLiteral("3647")));
    const rules::LookupMemory memory;
    EXPECT_EQ(NameCodes(cases), alone);
    EXPECT_EQ(NameCodes(cases), alone);
}

QStringList CepCodes(const QList<QPair<QString, QString>>& cases) {
    QStringList codes;
    for (const auto& [cep, state] : cases) codes << CheckCepForState(cep, state);
    return codes;
}

// A state's ranges are kept by the first postcode asked of it: the others
// must still be tested against all of them.
TEST_F(RunMemoryRules, PostcodesOfAStateAsWithoutMemory) {
    const QList<QPair<QString, QString>> cases = {
        {"26700000", "33"}, {"20010000", "33"}, {"28999999", "33"}, {"29000000", "33"}, {"13010000", "35"},
        {"20010000", "35"}, {"13010000", " 35 "}, {"13010000", "035"}, {"13010000", "53"}, {"13010000", ""},
        {"1301000A", "35"}, {"01000", "35"},  {"00999999", "35"},
    };
    const QStringList alone = CepCodes(cases);
    ASSERT_EQ(alone.value(2), QStringLiteral("0000"));
    ASSERT_EQ(alone.value(0), QStringLiteral("0083"));
    const rules::LookupMemory memory;
    EXPECT_EQ(CepCodes(cases), alone);
    EXPECT_EQ(CepCodes(cases), alone);
}

}  // namespace
