#include "RulesFixture.h"

namespace {

class AddressRules : public RulesTest {};

TEST_F(AddressRules, StreetComplementDistrict) {
    QString s = "  RUA DAS FLORES ";
    EXPECT_CODE(CheckStreet(s), "0000");
    EXPECT_EQ(s, QStringLiteral("RUA DAS FLORES"));
    s = "";
    EXPECT_CODE(CheckStreet(s), "0120");
    s = "RUA AAAA";
    EXPECT_CODE(CheckStreet(s), "3100");
    s = "RUA    DAS FLORES";  // four blanks do not count
    EXPECT_CODE(CheckStreet(s), "0000");
    s = "RU";
    EXPECT_CODE(CheckStreet(s), "0010");
    s = QStringLiteral("RUA SÃO JOÃO");
    EXPECT_CODE(CheckStreet(s), "0020");

    EXPECT_CODE(CheckStreetNumber("000123"), "0000");
    EXPECT_CODE(CheckStreetNumber("123"), "0040");
    EXPECT_CODE(CheckStreetNumber("1234567"), "X");

    s = " APTO 12 ";
    EXPECT_CODE(CheckComplement(s), "0000");
    EXPECT_EQ(s, QStringLiteral("APTO 12"));
    s = "";
    EXPECT_CODE(CheckComplement(s), "0000");
    s = "BLOCO 'A'";
    EXPECT_CODE(CheckComplement(s), "0020");
    s = "CASA 1111";
    EXPECT_CODE(CheckComplement(s), "3100");

    s = "";
    EXPECT_CODE(CheckDistrict(s), "0000");
    s = "CENTRO";
    EXPECT_CODE(CheckDistrict(s), "0000");
    s = "CE";
    EXPECT_CODE(CheckDistrict(s), "0010");

    EXPECT_CODE(CheckNumberOrComplement("000000", "FUNDOS"), "0000");
    EXPECT_CODE(CheckNumberOrComplement("000000", " "), "0120");
    EXPECT_CODE(CheckNumberOrComplement("", ""), "0120");
    EXPECT_CODE(CheckNumberOrComplement("000012", ""), "0000");
}

TEST_F(AddressRules, Email) {
    QString e = " contato@empresa.com.br ";
    EXPECT_CODE(CheckEmail(e), "0000");
    EXPECT_EQ(e, QStringLiteral("contato@empresa.com.br"));
    e = "";
    EXPECT_CODE(CheckEmail(e), "0000");
    e = "contato@empresa";
    EXPECT_CODE(CheckEmail(e), "3627");
    e = QStringLiteral("joão@empresa.com");
    EXPECT_CODE(CheckEmail(e), "0020");
}

TEST_F(AddressRules, MunicipalityAndState) {
    EXPECT_CODE(CheckMunicipality("3550308"), "0000");
    EXPECT_CODE(CheckMunicipality("3550309"), "0090");
    EXPECT_CODE(CheckMunicipality(""), "0092");
    EXPECT_CODE(CheckMunicipality("0000000"), "0092");
    EXPECT_CODE(CheckMunicipality("355030"), "0040");
    EXPECT_CODE(CheckMunicipality("35503080"), "X");
    QString found;
    EXPECT_CODE(CheckMunicipality("3509502", &found), "0000");
    EXPECT_EQ(found, QStringLiteral("CAMPINAS"));

    EXPECT_CODE(CheckWorkMunicipality("3509502"), "0000");
    EXPECT_CODE(CheckWorkMunicipality("3509503"), "0090");
    EXPECT_CODE(CheckWorkMunicipality(""), "0040");

    EXPECT_CODE(CheckStateAbbreviation("SP"), "0000");
    EXPECT_CODE(CheckStateAbbreviation(" AC "), "0000");
    EXPECT_CODE(CheckStateAbbreviation("sp"), "0000");  // the lookup ignores case, as the index does
    EXPECT_CODE(CheckStateAbbreviation("XX"), "0100");
    EXPECT_CODE(CheckStateAbbreviation(""), "0101");
    EXPECT_CODE(CheckStateAbbreviation("00"), "0101");
    // The lookup by abbreviation leaves the state table on its primary key.
    EXPECT_CODE(CheckStateForMunicipality("3550308", "SP"), "0000");

    EXPECT_CODE(CheckStateForMunicipality("3550308", "SP"), "0000");
    EXPECT_CODE(CheckStateForMunicipality("3550308", "RJ"), "0091");
    EXPECT_CODE(CheckStateForMunicipality("9900000", "RJ"), "0000");  // unknown state
    EXPECT_CODE(CheckStateForMunicipality("", "RJ"), "0000");
    EXPECT_CODE(CheckStateForMunicipality("3550308", ""), "0000");
}

TEST_F(AddressRules, MunicipalityName) {
    QString found;
    ASSERT_EQ(CheckMunicipality("3509502", &found), QStringLiteral("0000"));
    QString name = " CAMPINAS ";
    EXPECT_CODE(CheckMunicipalityName(name, found), "0000");
    EXPECT_EQ(name, QStringLiteral("CAMPINAS"));
    name = "Campinas";
    EXPECT_CODE(CheckMunicipalityName(name, found), "3666");
    name = "";
    EXPECT_CODE(CheckMunicipalityName(name, found), "0093");
    name = "SP";
    EXPECT_CODE(CheckMunicipalityName(name, found), "0010");
}

// The address records keep 30 characters of a 40-character table name: the
// stored name still matches its municipality.
TEST_F(AddressRules, MunicipalityNameCutToFieldWidth) {
    QString found;
    ASSERT_EQ(CheckMunicipality("3599997", &found), QStringLiteral("0000"));
    ASSERT_GT(found.size(), 30);
    QString stored = found.left(30);
    EXPECT_CODE(CheckMunicipalityName(stored, found), "0000");
    QString full = found;
    EXPECT_CODE(CheckMunicipalityName(full, found, 40), "0000");
    QString other = "SAO SEBASTIAO";
    EXPECT_CODE(CheckMunicipalityName(other, found), "3666");
}

TEST_F(AddressRules, Cep) {
    EXPECT_CODE(CheckCep("13010000"), "0000");
    EXPECT_CODE(CheckCep("00123456"), "0080");
    EXPECT_CODE(CheckCep("00000000"), "0081");
    EXPECT_CODE(CheckCep(""), "0081");
    EXPECT_CODE(CheckCep("1301000"), "0040");
    EXPECT_CODE(CheckCep("1301000A"), "0040");
}

TEST_F(AddressRules, CepForMunicipality) {
    // Ranges of Sao Paulo: 01000-05999 and 08000-08499.
    EXPECT_CODE(CheckCepForMunicipality("01000000", "3550308", 0), "0000");
    EXPECT_CODE(CheckCepForMunicipality("05999999", "3550308", 0), "0000");
    EXPECT_CODE(CheckCepForMunicipality("08000000", "3550308", 0), "0000");
    EXPECT_CODE(CheckCepForMunicipality("08499999", "3550308", 0), "0000");
    EXPECT_CODE(CheckCepForMunicipality("07000000", "3550308", 0), "0082");
    EXPECT_CODE(CheckCepForMunicipality("11300000", "3550308", 0), "0000");  // state exception range
    EXPECT_CODE(CheckCepForMunicipality("01000000", "3599998", 0), "0082");  // ranges missing
    // Own prefix.
    EXPECT_CODE(CheckCepForMunicipality("13000123", "3509502", 0), "0000");
    EXPECT_CODE(CheckCepForMunicipality("13001000", "3509502", 0), "0000");  // exception range 11300-19300
    EXPECT_CODE(CheckCepForMunicipality("02000000", "3509502", 1), "0082");
    // Neither prefix nor ranges: relaxed or by the state's exceptions.
    EXPECT_CODE(CheckCepForMunicipality("02000000", "3500105", 1), "0000");
    EXPECT_CODE(CheckCepForMunicipality("02000000", "3500105", 0), "0082");
    EXPECT_CODE(CheckCepForMunicipality("09000000", "3500105", 0), "0000");
    // Nothing to compare.
    EXPECT_CODE(CheckCepForMunicipality("", "3509502", 0), "0000");
    EXPECT_CODE(CheckCepForMunicipality("00000000", "3509502", 0), "0000");
    EXPECT_CODE(CheckCepForMunicipality("02000000", "", 0), "0000");
}

TEST_F(AddressRules, CepException) {
    EXPECT_CODE(CheckCepException("09000000", "3500105"), "0000");
    EXPECT_CODE(CheckCepException("09001000", "3500105"), "0082");
    EXPECT_CODE(CheckCepException("9000", "3500105"), "0082");  // not the prefix "09000"
    EXPECT_CODE(CheckCepException("11300000", "3500105"), "0000");
    EXPECT_CODE(CheckCepException("19300999", "3500105"), "0000");
    EXPECT_CODE(CheckCepException("19301000", "3500105"), "0082");
    EXPECT_CODE(CheckCepException("69900000", "1200401"), "0082");  // state 12 has no exception
    EXPECT_CODE(CheckCepException("77714000", "1700000"), "0000");
    EXPECT_CODE(CheckCepException("77715000", "1700000"), "0082");
    EXPECT_CODE(CheckCepException("0900000A", "3500105"), "0000");
}

TEST_F(AddressRules, CepForState) {
    EXPECT_CODE(CheckCepForState("13010000", "35"), "0000");
    EXPECT_CODE(CheckCepForState("20010000", "35"), "0083");
    EXPECT_CODE(CheckCepForState("20010000", "33"), "0000");  // first of two ranges
    EXPECT_CODE(CheckCepForState("28999999", "33"), "0000");  // second
    EXPECT_CODE(CheckCepForState("26700000", "33"), "0083");  // between them
    EXPECT_CODE(CheckCepForState("13010000", "53"), "0083");  // a state without ranges
    EXPECT_CODE(CheckCepForState("", "35"), "0000");
    EXPECT_CODE(CheckCepForState("13010000", ""), "0000");
    EXPECT_CODE(CheckCepForState("1301000A", "35"), "0000");
}

TEST_F(AddressRules, Telephone) {
    EXPECT_CODE(CheckAreaCode("11"), "0000");
    EXPECT_CODE(CheckAreaCode("011"), "0000");
    EXPECT_CODE(CheckAreaCode(""), "3674");
    EXPECT_CODE(CheckAreaCode("00"), "3674");
    EXPECT_CODE(CheckAreaCode("1A"), "3674");

    EXPECT_CODE(CheckPhoneNumber("32345678"), "0000");
    EXPECT_CODE(CheckPhoneNumber("3234567"), "3101");
    EXPECT_CODE(CheckPhoneNumber("3234567A"), "3674");
    EXPECT_CODE(CheckPhoneNumber("00000000"), "3674");
    EXPECT_CODE(CheckPhoneNumber(""), "3674");

    EXPECT_CODE(CheckPhoneAndAreaCode("11", "32345678"), "0000");
    EXPECT_CODE(CheckPhoneAndAreaCode("11", ""), "3101");
    EXPECT_CODE(CheckPhoneAndAreaCode("", "32345678"), "3101");
    EXPECT_CODE(CheckPhoneAndAreaCode("00", "00000000"), "3102");
    EXPECT_CODE(CheckPhoneAndAreaCode("", ""), "3102");
}

TEST_F(AddressRules, AreaCodeForState) {
    EXPECT_CODE(CheckAreaCodeForState("61", "52"), "0000");
    EXPECT_CODE(CheckAreaCodeForState("61", "53"), "0000");
    EXPECT_CODE(CheckAreaCodeForState("11", "31"), "0402");
    EXPECT_CODE(CheckAreaCodeForState("35", "31"), "0000");
    EXPECT_CODE(CheckAreaCodeForState("36", "31"), "0402");
    EXPECT_CODE(CheckAreaCodeForState("19", "35"), "0000");
    EXPECT_CODE(CheckAreaCodeForState("94", "15"), "0000");
    EXPECT_CODE(CheckAreaCodeForState("92", "15"), "0402");
    EXPECT_CODE(CheckAreaCodeForState("11", "99"), "0000");
    EXPECT_CODE(CheckAreaCodeForState("00", "35"), "0000");
    EXPECT_CODE(CheckAreaCodeForState("1A", "35"), "0000");
    EXPECT_CODE(CheckAreaCodeForState("11", ""), "0000");
    EXPECT_CODE(CheckAreaCodeForState("11", "00"), "0000");
}

TEST_F(AddressRules, MunicipalityCepCheck) {
    struct Case {
        const char* municipality;
        const char* cep;
        const char* kind;
        const char* code;
        const char* name;
        const char* state;
    };
    const Case cases[] = {
        {"", "13010000", "1", "0092", "", ""},
        {"3550309", "13010000", "1", "0090", "", ""},
        {"355030", "13010000", "1", "0040", "", ""},
        {"3509502", "", "0", "0000", "CAMPINAS", "SP"},
        {"3509502", "13000500", "0", "0000", "CAMPINAS", "SP"},
        // own prefix, another municipality's postcode of the same state, no exception
        {"3509502", "02000000", "2", "0082", "CAMPINAS", "SP"},
        // postcode of another state, with and without an own prefix
        {"3509502", "20010000", "3", "0083", "CAMPINAS", "SP"},
        {"3500105", "20010000", "3", "0083", "ADAMANTINA", "SP"},
        // neither prefix nor ranges, inside the state, outside its exceptions
        {"3500105", "02000000", "4", "0000", "ADAMANTINA", "SP"},
        {"3550308", "04000000", "0", "0000", "SAO PAULO", "SP"},
        {"1200401", "69900100", "0", "0000", "RIO BRANCO", "AC"},
    };
    for (const Case& c : cases) {
        QString name, state, code, kind;
        CriticaZuvo->CheckMunicipalityCep(c.municipality, name, state, c.cep, code, kind);
        const QString where = QStringLiteral("%1 / %2").arg(c.municipality, c.cep);
        EXPECT_EQ(kind, QString::fromLatin1(c.kind)) << where.toStdString();
        EXPECT_EQ(code, QString::fromLatin1(c.code)) << where.toStdString();
        EXPECT_EQ(name, QString::fromLatin1(c.name)) << where.toStdString();
        EXPECT_EQ(state, QString::fromLatin1(c.state)) << where.toStdString();
    }
    // The whole-declaration check, with the relaxed flag, accepts the last
    // "4" case outright.
    EXPECT_CODE(CheckCepForMunicipality("02000000", "3500105", 1), "0000");
}

}  // namespace
