#include "RulesFixture.h"

namespace {

class EmployeeRules : public RulesTest {};

TEST_F(EmployeeRules, PisPasep) {
    const QString pis = Pis("1203456789");
    ASSERT_TRUE(IsValidPisPasep(pis));
    EXPECT_CODE(CheckPisPasep(pis), "0000");
    EXPECT_CODE(CheckPisPasep(" " + pis + " "), "0000");
    EXPECT_CODE(CheckPisPasep("10000000016"), "0150");  // right check digit, never issued
    EXPECT_CODE(CheckPisPasep("11111111116"), "0150");
    EXPECT_CODE(CheckPisPasep("00000000000"), "0150");
    EXPECT_CODE(CheckPisPasep(""), "0153");
    EXPECT_CODE(CheckPisPasep(pis.left(10)), "0040");
    EXPECT_CODE(CheckPisPasep(pis + "1"), "X");
    EXPECT_CODE(CheckPisPasep(pis.left(10) + QChar(pis.at(10) == '0' ? '1' : '0')), "0150");
    EXPECT_CODE(CheckPisForInscriptionType(pis, "3"), "0000");
}

TEST_F(EmployeeRules, EmployeeName) {
    const QString pis = Pis("1203456789");
    QString name = "  JOSE  DA SILVA ";
    EXPECT_CODE(CheckEmployeeName(name, pis), "0000");
    EXPECT_EQ(name, QStringLiteral("JOSE  DA SILVA"));
    name = "JOSE";
    EXPECT_CODE(CheckEmployeeName(name, pis), "0161");
    name = "";
    EXPECT_CODE(CheckEmployeeName(name, pis), "0160");
    name = "JOSE DA SSSSILVA";
    EXPECT_CODE(CheckEmployeeName(name, pis), "3100");
    name = QStringLiteral("JOSÉ DA SILVA");
    EXPECT_CODE(CheckEmployeeName(name, pis), "0020");
    name = "J S";
    EXPECT_CODE(CheckEmployeeName(name, pis), "0000");
}

TEST_F(EmployeeRules, EmployeeNameForListedPis) {
    // Listed holder: "ANTONIO CARLOS PEREIRA"; only first names are compared.
    QString name = "ANTONIO C PEREIRA";
    EXPECT_CODE(CheckEmployeeName(name, listedPis()), "0000");
    name = "ANTONIO SOUZA";
    EXPECT_CODE(CheckEmployeeName(name, listedPis()), "0000");
    name = "CARLOS ANTONIO";
    EXPECT_CODE(CheckEmployeeName(name, listedPis()), "3647");
    name = "Antonio Souza";
    EXPECT_CODE(CheckEmployeeName(name, listedPis()), "3647");
    // A listed name without a blank is not compared.
    name = "CARLOS SOUZA";
    EXPECT_CODE(CheckEmployeeName(name, oneWordPis()), "0000");
    // Numbers bound to one person's full name.
    name = "JOSE DA SILVA EXEMPLO";
    EXPECT_CODE(CheckEmployeeName(name, "12345678900"), "0000");
    name = "jose da silva exemplo";
    EXPECT_CODE(CheckEmployeeName(name, "12345678900"), "0000");
    name = "JOSE DA SILVA";
    EXPECT_CODE(CheckEmployeeName(name, "12345678900"), "3647");
}

TEST_F(EmployeeRules, BirthAndAge) {
    EXPECT_CODE(CheckBirthDate("15061980"), "0000");
    EXPECT_CODE(CheckBirthDate("31121900"), "0175");
    EXPECT_CODE(CheckBirthDate("01011901"), "0000");
    EXPECT_CODE(CheckBirthDate("30021980"), "0175");
    EXPECT_CODE(CheckBirthDate(""), "0170");
    EXPECT_CODE(CheckBirthDate("00000000"), "0170");
    EXPECT_CODE(CheckBirthDate("1506198"), "0040");

    EXPECT_CODE(CheckEmployeeAge("01012000", "2009"), "0172");
    EXPECT_CODE(CheckEmployeeAge("01011995", "2009"), "0176");
    EXPECT_CODE(CheckEmployeeAge("01011999", "2009"), "0176");
    EXPECT_CODE(CheckEmployeeAge("01011994", "2009"), "0000");
    EXPECT_CODE(CheckEmployeeAge("01012010", "2009"), "0174");
    EXPECT_CODE(CheckEmployeeAge("01012010", "2010"), "0172");
    EXPECT_CODE(CheckEmployeeAge("", "2009"), "0000");
    EXPECT_CODE(CheckEmployeeAge("01010000", "2009"), "0000");
}

TEST_F(EmployeeRules, NationalityAndArrival) {
    EXPECT_CODE(CheckNationality("10"), "0000");
    EXPECT_CODE(CheckNationality("40"), "0181");
    EXPECT_CODE(CheckNationality("00"), "0180");
    EXPECT_CODE(CheckNationality(""), "0180");
    EXPECT_CODE(CheckNationality("1"), "0040");

    EXPECT_CODE(CheckArrivalYear("1990"), "0000");
    EXPECT_CODE(CheckArrivalYear("199"), "0040");
    EXPECT_CODE(CheckArrivalYear(""), "0040");

    EXPECT_CODE(CheckArrivalYearVsNationality("0000", "10"), "0000");
    EXPECT_CODE(CheckArrivalYearVsNationality("1990", "10"), "0190");
    EXPECT_CODE(CheckArrivalYearVsNationality("0000", "30"), "0191");
    EXPECT_CODE(CheckArrivalYearVsNationality("1990", "30"), "0000");
    EXPECT_CODE(CheckArrivalYearVsNationality("", "30"), "0000");
    EXPECT_CODE(CheckArrivalYearVsNationality("0000", "00"), "0000");

    EXPECT_CODE(CheckArrivalNotAfterBaseYear("2010", "2009", "30"), "0192");
    EXPECT_CODE(CheckArrivalNotAfterBaseYear("2010", "2010", "30"), "0000");
    EXPECT_CODE(CheckArrivalNotAfterBaseYear("2010", "2009", "10"), "0000");
    EXPECT_CODE(CheckArrivalNotAfterBaseYear("2010", "2009", "00"), "0000");

    EXPECT_CODE(CheckArrivalAfterBirth("1979", "15061980", "30"), "0193");
    EXPECT_CODE(CheckArrivalAfterBirth("1980", "15061980", "30"), "0000");
    EXPECT_CODE(CheckArrivalAfterBirth("1979", "15061980", "10"), "0000");
    EXPECT_CODE(CheckArrivalAfterBirth("1979", "00000000", "30"), "0000");
}

TEST_F(EmployeeRules, SchoolingRaceSexDisability) {
    EXPECT_CODE(CheckSchooling("05"), "0000");
    EXPECT_CODE(CheckSchooling("07"), "0201");
    EXPECT_CODE(CheckSchooling("00"), "0200");
    EXPECT_CODE(CheckSchooling("5"), "0040");

    EXPECT_CODE(CheckRace("1"), "0000");
    EXPECT_CODE(CheckRace("9"), "0481");
    EXPECT_CODE(CheckRace("12"), "0481");  // wider than the code is never found
    EXPECT_CODE(CheckRace(""), "0480");

    EXPECT_CODE(CheckSex("1"), "0000");
    EXPECT_CODE(CheckSex("2"), "0000");
    EXPECT_CODE(CheckSex("3"), "3524");
    EXPECT_CODE(CheckSex(""), "3524");

    EXPECT_CODE(CheckDisabilityIndicator("1"), "0000");
    EXPECT_CODE(CheckDisabilityIndicator("0"), "0001");

    // Form mode.
    EXPECT_CODE(CheckDisability("0", "2", 0), "0000");
    EXPECT_CODE(CheckDisability("3", "2", 0), "3701");
    EXPECT_CODE(CheckDisability("3", "1", 0), "0000");
    EXPECT_CODE(CheckDisability("5", "1", 0), "3701");  // not in the fixture's table
    EXPECT_CODE(CheckDisability("", "1", 0), "3701");
    EXPECT_CODE(CheckDisability("0", "", 0), "3701");
    EXPECT_CODE(CheckDisability("", "2", 0), "0000");
    // File-analysis mode: no table, types up to 6.
    EXPECT_CODE(CheckDisability("5", "1", 1), "0000");
    EXPECT_CODE(CheckDisability("7", "1", 1), "3701");
    EXPECT_CODE(CheckDisability("", "2", 1), "3701");
    EXPECT_CODE(CheckDisability("0", "1", 1), "3701");
    EXPECT_CODE(CheckDisability("3", "2", 1), "3701");
    EXPECT_CODE(CheckDisability("0", "2", 1), "0000");
}

TEST_F(EmployeeRules, WorkCard) {
    EXPECT_CODE(CheckWorkCardNumber("12345678", "10"), "0000");
    EXPECT_CODE(CheckWorkCardNumber("1234567", "10"), "0040");
    EXPECT_CODE(CheckWorkCardNumber("00000000", "10"), "0000");
    EXPECT_CODE(CheckWorkCardNumber("", "10"), "0000");

    EXPECT_CODE(CheckWorkCardDigits("12345678"), "0000");
    EXPECT_CODE(CheckWorkCardDigits("1234567A"), "0212");
    EXPECT_CODE(CheckWorkCardDigits(""), "0212");

    EXPECT_CODE(CheckWorkCardSeries("A1234"), "0000");
    EXPECT_CODE(CheckWorkCardSeries("A'123"), "0020");

    EXPECT_CODE(CheckWorkCardNumberAndSeries("00000000", "ABC"), "3723");
    EXPECT_CODE(CheckWorkCardNumberAndSeries("12345678", "00000"), "0214");
    EXPECT_CODE(CheckWorkCardNumberAndSeries("12345678", ""), "0214");
    EXPECT_CODE(CheckWorkCardNumberAndSeries("12345678", "ABCDEF"), "0215");
    EXPECT_CODE(CheckWorkCardNumberAndSeries("12345678", "000000"), "0214");
    EXPECT_CODE(CheckWorkCardNumberAndSeries("12345678", "12345"), "0000");
    EXPECT_CODE(CheckWorkCardNumberAndSeries("", ""), "0000");

    // Foreigner: a letter or digit and four digits.
    EXPECT_CODE(CheckWorkCardSeriesFormat("A1234", "30", "12345678"), "0000");
    EXPECT_CODE(CheckWorkCardSeriesFormat("AB123", "30", "12345678"), "0213");
    EXPECT_CODE(CheckWorkCardSeriesFormat("1234", "30", "12345678"), "0213");
    EXPECT_CODE(CheckWorkCardSeriesFormat("A 123", "30", "12345678"), "0213");
    // Brazilian: digits only, up to five.
    EXPECT_CODE(CheckWorkCardSeriesFormat("1234", "10", "12345678"), "0000");
    EXPECT_CODE(CheckWorkCardSeriesFormat("A1234", "10", "12345678"), "0213");
    EXPECT_CODE(CheckWorkCardSeriesFormat("A1234", "20", "12345678"), "0213");
    EXPECT_CODE(CheckWorkCardSeriesFormat("A1234", "10", "00000000"), "0000");
    EXPECT_CODE(CheckWorkCardSeriesFormat("00000", "30", "12345678"), "0000");
}

TEST_F(EmployeeRules, Cpf) {
    const QString cpf = Cpf("123456789");
    EXPECT_CODE(CheckCpf(cpf), "0000");
    EXPECT_CODE(CheckCpf("11111111111"), "0210");
    EXPECT_CODE(CheckCpf("00000000000"), "0000");
    EXPECT_CODE(CheckCpf(""), "0000");
    EXPECT_CODE(CheckCpf("1234567890"), "0040");

    EXPECT_CODE(CheckWorkCardOrCpf("", "", "10", "0000"), "0340");
    EXPECT_CODE(CheckWorkCardOrCpf("00000000", "00000000000", "10", "0000"), "0340");
    EXPECT_CODE(CheckWorkCardOrCpf("", cpf, "10", "0000"), "0000");
    EXPECT_CODE(CheckWorkCardOrCpf("12345678", cpf, "10", "1505"), "0000");
    EXPECT_CODE(CheckWorkCardOrCpf("12345678", "", "10", "0000"), "0000");
    EXPECT_CODE(CheckWorkCardOrCpf("12345678", "", "10", "1505"), "3759");
    EXPECT_CODE(CheckWorkCardOrCpf("", "", "", "0000"), "0000");

    EXPECT_CODE(CheckCpfRequired("", "10", "0000", "2"), "3722");
    EXPECT_CODE(CheckCpfRequired("", "10", "", "2"), "3722");
    EXPECT_CODE(CheckCpfRequired("", "10", "0000", "1"), "0000");
    EXPECT_CODE(CheckCpfRequired("", "10", "1505", "2"), "0000");
    EXPECT_CODE(CheckCpfRequired("", "20", "0000", "2"), "0000");
    EXPECT_CODE(CheckCpfRequired(cpf, "10", "0000", "2"), "0000");
}

}  // namespace
