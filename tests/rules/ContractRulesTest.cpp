#include "RulesFixture.h"

namespace {

class ContractRules : public RulesTest {};

TEST_F(ContractRules, Admission) {
    EXPECT_CODE(CheckAdmissionDate("15032009"), "0000");
    EXPECT_CODE(CheckAdmissionDate("31121910"), "0390");
    EXPECT_CODE(CheckAdmissionDate("01011911"), "0000");
    EXPECT_CODE(CheckAdmissionDate("31042009"), "0390");
    EXPECT_CODE(CheckAdmissionDate(""), "0392");
    EXPECT_CODE(CheckAdmissionDate("00000000"), "0392");
    EXPECT_CODE(CheckAdmissionDate("1503200"), "0040");

    EXPECT_CODE(CheckAdmissionType("1"), "0000");
    EXPECT_CODE(CheckAdmissionType("9"), "0220");
    EXPECT_CODE(CheckAdmissionType("0"), "0221");
    EXPECT_CODE(CheckAdmissionType(""), "0221");
    EXPECT_CODE(CheckAdmissionType("12"), "X");

    EXPECT_CODE(CheckAdmissionNotAfterBaseYear("15032010", "2009"), "0391");
    EXPECT_CODE(CheckAdmissionNotAfterBaseYear("15032010", "2010"), "0000");
    EXPECT_CODE(CheckAdmissionNotAfterBaseYear("15032009", "2009"), "0000");
    EXPECT_CODE(CheckAdmissionNotAfterBaseYear("", "2009"), "0000");

    EXPECT_CODE(CheckAdmissionBeforeClosing("10032009", "15032009"), "0394");
    EXPECT_CODE(CheckAdmissionBeforeClosing("15032009", "15032009"), "0000");
    EXPECT_CODE(CheckAdmissionBeforeClosing("01012010", "15032009"), "0000");
    EXPECT_CODE(CheckAdmissionBeforeClosing("00000000", "15032009"), "0000");
    EXPECT_CODE(CheckAdmissionBeforeClosing("", "15032009"), "0000");
    EXPECT_CODE(CheckAdmissionBeforeClosing("1003200A", "15032009"), "0000");  // no crash

    EXPECT_CODE(CheckAdmissionAfterArrival("2005", "15032004", "30"), "0194");
    EXPECT_CODE(CheckAdmissionAfterArrival("2004", "15032004", "30"), "0000");
    EXPECT_CODE(CheckAdmissionAfterArrival("2005", "15032004", "10"), "0000");
    EXPECT_CODE(CheckAdmissionAfterArrival("0000", "15032004", "30"), "0000");

    EXPECT_CODE(CheckPermitIndicator("1"), "0000");
    EXPECT_CODE(CheckPermitIndicator("2"), "0000");
    EXPECT_CODE(CheckPermitIndicator(""), "0001");
}

TEST_F(ContractRules, AgeAtAdmission) {
    // Born 15 June 1995.
    EXPECT_CODE(CheckAgeAtAdmission("15061995", "14062009"), "0171");  // day before the 14th birthday
    EXPECT_CODE(CheckAgeAtAdmission("15061995", "15062009"), "0000");  // on it
    EXPECT_CODE(CheckAgeAtAdmission("15061995", "01012009"), "0171");
    EXPECT_CODE(CheckAgeAtAdmission("15061995", "01122009"), "0000");
    EXPECT_CODE(CheckAgeAtAdmission("15061995", "15062007"), "0171");  // 12
    EXPECT_CODE(CheckAgeAtAdmission("15061995", "14062005"), "0173");  // day before the 10th
    EXPECT_CODE(CheckAgeAtAdmission("15061995", "15062005"), "0171");  // on it
    EXPECT_CODE(CheckAgeAtAdmission("15061995", "01012005"), "0173");
    EXPECT_CODE(CheckAgeAtAdmission("15061995", "01122005"), "0171");
    EXPECT_CODE(CheckAgeAtAdmission("15061995", "15062004"), "0173");
    EXPECT_CODE(CheckAgeAtAdmission("15061995", "15062010"), "0000");
    EXPECT_CODE(CheckAgeAtAdmission("1506199", "15062009"), "0000");
    EXPECT_CODE(CheckAgeAtAdmission("15061995", "00000000"), "0000");
}

TEST_F(ContractRules, MinorAdmission) {
    // 15 years old at admission (born 1994, base year 2009: y = 15).
    EXPECT_CODE(CheckMinorAdmission("2", "10011994", "10", "01032009"), "3133");
    EXPECT_CODE(CheckMinorAdmission("2", "10011994", "55", "01032009"), "0000");
    EXPECT_CODE(CheckMinorAdmission("1", "10011994", "55", "01032009"), "3531");
    EXPECT_CODE(CheckMinorAdmission("1", "10011994", "10", "01032009"), "0000");
    // 12 years old at admission.
    EXPECT_CODE(CheckMinorAdmission("2", "10011997", "55", "01032009"), "3133");
    EXPECT_CODE(CheckMinorAdmission("1", "10011997", "55", "01032009"), "3531");
    EXPECT_CODE(CheckMinorAdmission("1", "10011997", "10", "01032009"), "0000");
    // Below 10: left to the age rule.
    EXPECT_CODE(CheckMinorAdmission("2", "10012001", "10", "01032009"), "0000");
    // 16 or more: only a permit is wrong.
    EXPECT_CODE(CheckMinorAdmission("2", "10011990", "10", "01032009"), "0000");
    EXPECT_CODE(CheckMinorAdmission("1", "10011990", "10", "01032009"), "3531");
    EXPECT_CODE(CheckMinorAdmission("2", "", "10", "01032009"), "0000");
    EXPECT_CODE(CheckMinorAdmission("2", "00000000", "10", "01032009"), "0000");
    // Born on 29 February: the 14th birthday in a common year is 28 February.
    EXPECT_CODE(CheckMinorAdmission("2", "29021996", "55", "28022010"), "0000");
    EXPECT_CODE(CheckMinorAdmission("2", "29021996", "55", "27022010"), "3133");
    EXPECT_CODE(CheckMinorAdmission("2", "30021994", "10", "01032009"), "0000");  // not a date
}

TEST_F(ContractRules, ContractType) {
    EXPECT_CODE(CheckContractType("10"), "0000");
    EXPECT_CODE(CheckContractType("11"), "0270");
    EXPECT_CODE(CheckContractType("00"), "0273");
    EXPECT_CODE(CheckContractType(""), "0273");
    EXPECT_CODE(CheckContractType("1"), "0040");

    EXPECT_CODE(CheckContractTypeForPis("10", "16712345678"), "0272");
    EXPECT_CODE(CheckContractTypeForPis("80", "16712345678"), "0000");
    EXPECT_CODE(CheckContractTypeForPis("35", "10912345678"), "0000");
    EXPECT_CODE(CheckContractTypeForPis("10", "11912345678"), "0272");
    EXPECT_CODE(CheckContractTypeForPis("10", "12012345678"), "0000");
    EXPECT_CODE(CheckContractTypeForPis("10", "26812345678"), "0272");
    EXPECT_CODE(CheckContractTypeForPis("", "16712345678"), "0000");

    EXPECT_CODE(CheckContractTypeForInscriptionType("55", "1"), "0000");
    EXPECT_CODE(CheckContractTypeForInscriptionType("55", "3"), "0000");
    EXPECT_CODE(CheckContractTypeForInscriptionType("10", "3"), "0271");
    EXPECT_CODE(CheckContractTypeForInscriptionType("15", "1"), "0271");
    EXPECT_CODE(CheckContractTypeForInscriptionType("15", ""), "0000");
    EXPECT_CODE(CheckContractTypeForInscriptionType("", "1"), "0000");
    // Another inscription type has no set: accepted, whatever came before.
    EXPECT_CODE(CheckContractTypeForInscriptionType("15", "4"), "0000");
    EXPECT_CODE(CheckContractTypeForInscriptionType("10", "2"), "0000");

    EXPECT_CODE(CheckContractTypeForCnae("10", "8411600"), "3507");
    EXPECT_CODE(CheckContractTypeForCnae("30", "8411600"), "0000");
    EXPECT_CODE(CheckContractTypeForCnae("10", "4711301"), "0000");
    EXPECT_CODE(CheckContractTypeForLegalNature("10", "1031"), "3519");
    EXPECT_CODE(CheckContractTypeForLegalNature("97", "1031"), "0000");
    EXPECT_CODE(CheckContractTypeForLegalNature("95", "1031"), "3519");
    EXPECT_CODE(CheckContractTypeForLegalNature("10", "2062"), "0000");
}

TEST_F(ContractRules, ApprenticeAge) {
    EXPECT_CODE(CheckApprenticeAge("55", "10011990", "01032009", "2"), "0000");  // 19
    EXPECT_CODE(CheckApprenticeAge("55", "10011984", "01032009", "2"), "3502");  // 25
    EXPECT_CODE(CheckApprenticeAge("55", "10011984", "01032009", "1"), "0000");  // disabled
    EXPECT_CODE(CheckApprenticeAge("55", "10011996", "01032009", ""), "3502");   // 13
    EXPECT_CODE(CheckApprenticeAge("10", "10011996", "01032009", "2"), "0000");
    // 14 in the base year, admitted before the 14th birthday.
    EXPECT_CODE(CheckApprenticeAge("55", "10061995", "01032009", "2"), "3502");
    EXPECT_CODE(CheckApprenticeAge("55", "10061995", "10062009", "2"), "0000");
    // 24 in the base year, admitted after the 24th birthday.
    EXPECT_CODE(CheckApprenticeAge("55", "10031985", "11032009", "2"), "3502");
    EXPECT_CODE(CheckApprenticeAge("55", "10031985", "10032009", "2"), "0000");
    // Admitted in an earlier year.
    EXPECT_CODE(CheckApprenticeAge("55", "10061995", "01032008", "2"), "0000");
}

TEST_F(ContractRules, Occupation) {
    EXPECT_CODE(CheckCbo("111105"), "3645");  // although it is in the table
    EXPECT_CODE(CheckCbo("842305"), "3747");
    EXPECT_CODE(CheckCbo("411010"), "0000");
    EXPECT_CODE(CheckCbo("411011"), "0260");
    EXPECT_CODE(CheckCbo("000000"), "0261");
    EXPECT_CODE(CheckCbo(""), "0261");
    EXPECT_CODE(CheckCbo("12345"), "0030");
    EXPECT_CODE(CheckCbo("1234567"), "0030");
    EXPECT_CODE(CheckCbo("12345A"), "0040");

    EXPECT_CODE(CheckCboForSchooling("05", "252105"), "3501");
    EXPECT_CODE(CheckCboForSchooling("09", "252105"), "0000");
    EXPECT_CODE(CheckCboForSchooling("11", "252105"), "0000");
    EXPECT_CODE(CheckCboForSchooling("01", "715210"), "3635");
    EXPECT_CODE(CheckCboForSchooling("02", "715210"), "0000");
    EXPECT_CODE(CheckCboForSchooling("01", "411010"), "0000");
    EXPECT_CODE(CheckCboForSchooling("01", "999999"), "0000");  // unknown: neither flag
    EXPECT_CODE(CheckCboForSchooling("", "252105"), "0000");
    EXPECT_CODE(CheckCboForSchooling("00", "252105"), "0000");
}

TEST_F(ContractRules, HoursAndSalary) {
    EXPECT_CODE(CheckWeeklyHours("44"), "0000");
    EXPECT_CODE(CheckWeeklyHours("45"), "0250");
    EXPECT_CODE(CheckWeeklyHours("00"), "0251");
    EXPECT_CODE(CheckWeeklyHours(""), "0251");
    EXPECT_CODE(CheckWeeklyHours("4"), "0040");

    EXPECT_CODE(CheckSalaryType("1"), "0000");
    EXPECT_CODE(CheckSalaryType("3"), "0240");
    EXPECT_CODE(CheckSalaryType("0"), "0241");
    EXPECT_CODE(CheckSalaryType(""), "0241");

    EXPECT_CODE(CheckContractSalary("000046500"), "0000");
    EXPECT_CODE(CheckContractSalary("46500"), "0040");
    EXPECT_CODE(CheckContractSalary("0000465000"), "X");

    EXPECT_CODE(CheckContractSalaryVsType("000046499", "1", "10"), "0230");
    EXPECT_CODE(CheckContractSalaryVsType("000046500", "1", "10"), "0000");
    EXPECT_CODE(CheckContractSalaryVsType("006975000", "1", "10"), "0231");  // 150 x 46500
    EXPECT_CODE(CheckContractSalaryVsType("006974999", "1", "10"), "0000");
    EXPECT_CODE(CheckContractSalaryVsType("000000000", "1", "30"), "0000");
    EXPECT_CODE(CheckContractSalaryVsType("000000000", "1", "10"), "0232");
    EXPECT_CODE(CheckContractSalaryVsType("000000000", "5", "10"), "0232");
    EXPECT_CODE(CheckContractSalaryVsType("000001000", "5", "10"), "0000");
    EXPECT_CODE(CheckContractSalaryVsType("000001000", "1", "30"), "0000");
    EXPECT_CODE(CheckContractSalaryVsType("", "1", "10"), "0000");
    EXPECT_CODE(CheckContractSalaryVsType("000001000", "1", "00"), "0000");

    EXPECT_CODE(CheckContractSalaryRequired("10", "000000000", "0000", "0000"), "0232");
    EXPECT_CODE(CheckContractSalaryRequired("10", "000100000", "0101", "3112"), "0000");
    EXPECT_CODE(CheckContractSalaryRequired("10", "", "0000", "0000"), "0040");
    EXPECT_CODE(CheckContractSalaryRequired("30", "000000000", "0000", "0000"), "0000");
}

TEST_F(ContractRules, Dismissal) {
    EXPECT_CODE(CheckDismissalCause("11"), "0000");
    EXPECT_CODE(CheckDismissalCause("00"), "0000");
    EXPECT_CODE(CheckDismissalCause("12"), "0280");
    EXPECT_CODE(CheckDismissalCause(""), "0280");
    EXPECT_CODE(CheckDismissalCause("1"), "3648");
    EXPECT_CODE(CheckDismissalCause("1A"), "0040");
    EXPECT_CODE(CheckDismissalCause("111"), "X");

    EXPECT_CODE(CheckDismissalDate("1503", "2009"), "0000");
    EXPECT_CODE(CheckDismissalDate("0000", "2009"), "0000");
    EXPECT_CODE(CheckDismissalDate("2902", "2009"), "0292");
    EXPECT_CODE(CheckDismissalDate("2902", "2008"), "0000");
    EXPECT_CODE(CheckDismissalDate("", "2009"), "0292");
    EXPECT_CODE(CheckDismissalDate("153", "2009"), "0040");

    EXPECT_CODE(CheckDismissalDateVsCause("0000", "71"), "0000");
    EXPECT_CODE(CheckDismissalDateVsCause("1503", "71"), "3512");
    EXPECT_CODE(CheckDismissalDateVsCause("0000", "11"), "0291");
    EXPECT_CODE(CheckDismissalDateVsCause("1503", "11"), "0000");
    EXPECT_CODE(CheckDismissalDateVsCause("1503", "00"), "0293");
    EXPECT_CODE(CheckDismissalDateVsCause("0000", "00"), "0000");
    EXPECT_CODE(CheckDismissalDateVsCause("", "11"), "0000");

    EXPECT_CODE(CheckDismissalAfterAdmission("1003", "15032009", "2009"), "0290");
    EXPECT_CODE(CheckDismissalAfterAdmission("1503", "15032009", "2009"), "0000");
    EXPECT_CODE(CheckDismissalAfterAdmission("1003", "15032008", "2009"), "0000");
    EXPECT_CODE(CheckDismissalAfterAdmission("0000", "15032009", "2009"), "0000");

    EXPECT_CODE(CheckDismissalBeforeClosing("1605", "15052009", "2009"), "3603");
    EXPECT_CODE(CheckDismissalBeforeClosing("1505", "15052009", "2009"), "0000");
    EXPECT_CODE(CheckDismissalBeforeClosing("1605", "15052010", "2009"), "0000");
    EXPECT_CODE(CheckDismissalBeforeClosing("1605", "00000000", "2009"), "0000");

    EXPECT_CODE(CheckDismissalCauseForClosing("1", "2009", "00", "2009"), "0281");
    EXPECT_CODE(CheckDismissalCauseForClosing("1", "2009", "", "2009"), "0281");
    EXPECT_CODE(CheckDismissalCauseForClosing("1", "2009", "11", "2009"), "0000");
    EXPECT_CODE(CheckDismissalCauseForClosing("1", "2010", "00", "2009"), "0000");
    EXPECT_CODE(CheckDismissalCauseForClosing("0", "2009", "00", "2009"), "0000");
}

}  // namespace
