#include "RulesFixture.h"

namespace {

class EstablishmentRules : public RulesTest {};

TEST_F(EstablishmentRules, ActivityAndLegalNature) {
    EXPECT_CODE(CheckCnae("8112500"), "0000");
    EXPECT_CODE(CheckCnae("8112501"), "0361");
    EXPECT_CODE(CheckCnae("0000000"), "0360");
    EXPECT_CODE(CheckCnae(""), "0360");
    EXPECT_CODE(CheckCnae("811250"), "0040");
    EXPECT_CODE(CheckCnae("81125000"), "X");

    EXPECT_CODE(CheckLegalNature("1031"), "0000");
    EXPECT_CODE(CheckLegalNature("1032"), "0371");
    EXPECT_CODE(CheckLegalNature("0000"), "0370");
    EXPECT_CODE(CheckLegalNature(""), "0370");
    EXPECT_CODE(CheckLegalNature("103"), "0040");
}

TEST_F(EstablishmentRules, NameAgainstActivityAndLegalNature) {
    EXPECT_CODE(CheckLegalNatureForName("1031", "PREFEITURA MUNICIPAL DE X"), "0000");
    EXPECT_CODE(CheckLegalNatureForName("2062", "PREFEITURA MUNICIPAL DE X"), "0372");
    EXPECT_CODE(CheckLegalNatureForName("2062", "Prefeitura de X"), "0372");
    EXPECT_CODE(CheckLegalNatureForName("2062", "PREF"), "0372");
    EXPECT_CODE(CheckLegalNatureForName("2062", "PREF."), "0372");
    EXPECT_CODE(CheckLegalNatureForName("2062", "PREF DE X"), "0000");
    EXPECT_CODE(CheckLegalNatureForName("2062", "PADARIA"), "0000");

    EXPECT_CODE(CheckCnaeForName("8112500", "CONDOMINIO EDIFICIO SOL"), "0000");
    EXPECT_CODE(CheckCnaeForName("4711301", "CONDOMINIO EDIFICIO SOL"), "0362");
    EXPECT_CODE(CheckCnaeForName("4711301", "EDIFICIO SOL"), "0362");
    EXPECT_CODE(CheckCnaeForName("8411600", "PREFEITURA DE X"), "0000");
    EXPECT_CODE(CheckCnaeForName("4711301", "PREFEITURA DE X"), "0363");
    EXPECT_CODE(CheckCnaeForName("4711301", "PADARIA"), "0000");
}

TEST_F(EstablishmentRules, BaseMonthSizeSimplesActivity) {
    EXPECT_CODE(CheckBaseMonth("05"), "0000");
    EXPECT_CODE(CheckBaseMonth("00"), "0000");
    EXPECT_CODE(CheckBaseMonth("13"), "0071");
    EXPECT_CODE(CheckBaseMonth(""), "0030");
    EXPECT_CODE(CheckBaseMonth("5"), "0040");
    EXPECT_CODE(CheckBaseMonthRequired("00", "0"), "0070");
    EXPECT_CODE(CheckBaseMonthRequired("00", "1"), "0000");
    EXPECT_CODE(CheckBaseMonthRequired("05", "0"), "0000");

    for (const char* ok : {"1", "2", "3", "4"}) EXPECT_CODE(CheckCompanySize(ok), "0000") << ok;
    EXPECT_CODE(CheckCompanySize("5"), "3124");
    EXPECT_CODE(CheckCompanySize(" 1"), "3124");  // taken as it stands
    EXPECT_CODE(CheckSimplesOption("1"), "0000");
    EXPECT_CODE(CheckSimplesOption("0"), "3604");
    EXPECT_CODE(CheckSimplesForSize("1", "3"), "3125");
    EXPECT_CODE(CheckSimplesForSize("", "3"), "3125");
    EXPECT_CODE(CheckSimplesForSize("2", "3"), "0000");
    EXPECT_CODE(CheckSimplesForSize("1", "2"), "0000");
    EXPECT_CODE(CheckActivityIndicator("2"), "0000");
    EXPECT_CODE(CheckActivityIndicator(""), "3668");
}

TEST_F(EstablishmentRules, ClosingOfActivity) {
    // closed, date, establishment year, mode
    EXPECT_CODE(CheckClosingOfActivity("1", "15052010", "2009", 0), "0000");
    EXPECT_CODE(CheckClosingOfActivity("1", "01012009", "2009", 0), "0000");
    EXPECT_CODE(CheckClosingOfActivity("1", "31122008", "2009", 0), "3516");
    EXPECT_CODE(CheckClosingOfActivity("1", "15052011", "2009", 0), "3516");
    EXPECT_CODE(CheckClosingOfActivity("1", "00000000", "2009", 0), "3513");
    EXPECT_CODE(CheckClosingOfActivity("1", "", "2009", 0), "3513");
    EXPECT_CODE(CheckClosingOfActivity("1", "30022010", "2009", 0), "3514");
    EXPECT_CODE(CheckClosingOfActivity("1", "1505201", "2009", 0), "0040");
    // Not closed.
    EXPECT_CODE(CheckClosingOfActivity("0", "15052010", "2009", 0), "3515");
    EXPECT_CODE(CheckClosingOfActivity("0", "", "2009", 0), "0000");
    EXPECT_CODE(CheckClosingOfActivity("0", "00000000", "2009", 0), "0000");
    EXPECT_CODE(CheckClosingOfActivity("0", "1505", "2009", 0), "0000");
    EXPECT_CODE(CheckClosingOfActivity("0", "", "2009", 1), "3514");
    EXPECT_CODE(CheckClosingOfActivity("0", "00000000", "2009", 1), "0000");
    EXPECT_CODE(CheckClosingOfActivity("0", "15052010", "2009", 1), "3515");
}

TEST_F(EstablishmentRules, MealProgramme) {
    EXPECT_CODE(CheckPatParticipation("1"), "0000");
    EXPECT_CODE(CheckPatParticipation("2"), "0000");
    EXPECT_CODE(CheckPatParticipation("3"), "3602");
    EXPECT_CODE(CheckPatParticipation(""), "3608");

    EXPECT_CODE(CheckPatWorkerCount(""), "0000");
    EXPECT_CODE(CheckPatWorkerCount("000010"), "0000");
    EXPECT_CODE(CheckPatWorkerCount("10"), "0040");

    EXPECT_CODE(CheckPatWorkers("2", "000000", "000001"), "3525");
    EXPECT_CODE(CheckPatWorkers("2", "", "1"), "3525");
    EXPECT_CODE(CheckPatWorkers("2", "000000", ""), "0000");
    EXPECT_CODE(CheckPatWorkers("1", "000000", "000001"), "0000");

    EXPECT_CODE(CheckPercentage(""), "0000");
    EXPECT_CODE(CheckPercentage("100"), "0000");
    EXPECT_CODE(CheckPercentage("101"), "3521");
    EXPECT_CODE(CheckPercentage("10"), "0040");

    EXPECT_CODE(CheckPatModalities("2", {"010", "", "", "", "", ""}), "3526");
    EXPECT_CODE(CheckPatModalities("2", {"000", "", "000", "", "", ""}), "0000");
    EXPECT_CODE(CheckPatModalities("1", {"050", "050", "", "", "", ""}), "0000");
    EXPECT_CODE(CheckPatModalities("1", {"", "", "", "", "", ""}), "0000");
}

TEST_F(EstablishmentRules, Centralisation) {
    const QString own = Cnpj("112223330001");
    const QString sameCompany = Cnpj("112223330002");
    const QString otherCompany = Cnpj("998887770001");
    EXPECT_CODE(CheckCentralisingCnpj(sameCompany, own, 0), "0051");
    EXPECT_CODE(CheckCentralisingCnpj(own, own, 0), "3742");
    EXPECT_CODE(CheckCentralisingCnpj(otherCompany, own, 0), "3740");
    EXPECT_CODE(CheckCentralisingCnpj(sameCompany.left(13) + QChar(sameCompany.at(13) == '0' ? '1' : '0'), own, 0),
                "0059");
    EXPECT_CODE(CheckCentralisingCnpj("00000000000000", own, 0), "3746");
    EXPECT_CODE(CheckCentralisingCnpj("00000000000000", own, 1), "0000");
    EXPECT_CODE(CheckCentralisingCnpj("", own, 1), "0040");

    // type, centralising CNPJ, centralised, mode
    EXPECT_CODE(CheckCentralisationFlag("1", "", "1", 0), "3725");
    EXPECT_CODE(CheckCentralisationFlag("1", sameCompany, "2", 0), "3725");
    EXPECT_CODE(CheckCentralisationFlag("1", sameCompany, "1", 0), "0000");
    EXPECT_CODE(CheckCentralisationFlag("1", "", "2", 0), "0000");
    EXPECT_CODE(CheckCentralisationFlag("3", sameCompany, "1", 0), "3719");
    EXPECT_CODE(CheckCentralisationFlag("1", "00000000000000", "2", 1), "0000");
    EXPECT_CODE(CheckCentralisationFlag("1", "00000000000000", "1", 1), "3725");

    const QString unionCnpj = Cnpj("445556660001");
    EXPECT_CODE(CheckUnionCnpjWithCentralisation(unionCnpj, sameCompany, 0), "3706");
    EXPECT_CODE(CheckUnionCnpjWithCentralisation(unionCnpj, "", 0), "0000");
    EXPECT_CODE(CheckUnionCnpjWithCentralisation(unionCnpj, "00000000000000", 1), "0000");
    EXPECT_CODE(CheckUnionCnpjWithCentralisation(unionCnpj, sameCompany, 1), "3706");

    // union CNPJ, centralising CNPJ, without employees, legal nature, Simples, mode
    EXPECT_CODE(CheckUnionCnpjRequired("", "", "0", "2062", "2", 0), "3687");
    EXPECT_CODE(CheckUnionCnpjRequired("", "", "0", "1031", "1", 0), "0000");
    EXPECT_CODE(CheckUnionCnpjRequired("", "", "0", "3999", "1", 0), "0000");
    EXPECT_CODE(CheckUnionCnpjRequired("", "", "0", "1031", "2", 0), "3687");
    EXPECT_CODE(CheckUnionCnpjRequired("", "", "0", "", "1", 0), "3687");
    EXPECT_CODE(CheckUnionCnpjRequired("", "", "1", "2062", "2", 0), "0000");
    EXPECT_CODE(CheckUnionCnpjRequired(unionCnpj, "", "0", "2062", "2", 0), "0000");
    EXPECT_CODE(CheckUnionCnpjRequired("", sameCompany, "0", "2062", "2", 0), "0000");
    EXPECT_CODE(CheckUnionCnpjRequired("00000000000000", "00000000000000", "0", "2062", "2", 1), "3687");
}

}  // namespace
