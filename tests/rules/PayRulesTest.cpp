#include "RulesFixture.h"

namespace {

class PayRules : public RulesTest {};

// pay, month, salary type, reference year, admission, dismissal, legal nature, contract type
QString minimumWage(const char* pay, const char* month, const char* admission = "15032005",
                    const char* dismissal = "0000", const char* legalNature = "2062", const char* type = "10",
                    const char* salaryType = "1") {
    return CheckMonthlyPayVsMinimumWage(pay, month, salaryType, "2009", admission, dismissal, legalNature, type);
}

TEST_F(PayRules, MonthlyPayVsMinimumWage) {
    EXPECT_CODE(minimumWage("000041499", "01"), "0312");
    EXPECT_CODE(minimumWage("000041500", "01"), "0000");
    EXPECT_CODE(minimumWage("000046499", "02"), "0312");
    EXPECT_CODE(minimumWage("000046500", "02"), "0000");
    EXPECT_CODE(minimumWage("006975000", "02"), "0313");
    EXPECT_CODE(minimumWage("006974999", "02"), "0000");
    EXPECT_CODE(minimumWage("006225000", "01"), "0313");  // 150 x 41500
    // The admission month of the reference year pays part of a month.
    EXPECT_CODE(minimumWage("000041499", "01", "15012009"), "0000");
    EXPECT_CODE(minimumWage("000041499", "02", "15012009"), "0312");
    EXPECT_CODE(minimumWage("006975000", "01", "15012009"), "0313");
    // The dismissal month and later pay part of a month.
    EXPECT_CODE(minimumWage("000046499", "04", "15032005", "1505"), "0312");
    EXPECT_CODE(minimumWage("000046499", "05", "15032005", "1505"), "0000");
    EXPECT_CODE(minimumWage("000046499", "05", "15012009", "1505"), "0000");
    EXPECT_CODE(minimumWage("006975000", "05", "15012009", "1505"), "0313");
    // Public bodies that may pay less; exempt contract types; other salary types.
    EXPECT_CODE(minimumWage("000041499", "01", "15032005", "0000", "1015"), "0000");
    EXPECT_CODE(minimumWage("000041499", "01", "15032005", "0000", "2062", "30"), "0000");
    EXPECT_CODE(minimumWage("000001000", "01", "15032005", "0000", "2062", "10", "5"), "0000");
    EXPECT_CODE(minimumWage("006975000", "02", "15032005", "0000", "2062", "10", "5"), "0313");
    // Format.
    EXPECT_CODE(minimumWage("", "01"), "0315");
    EXPECT_CODE(minimumWage("41500", "01"), "0040");
    EXPECT_CODE(minimumWage("0000415000", "01"), "X");
    EXPECT_CODE(minimumWage("000000000", "01"), "0000");
}

TEST_F(PayRules, TenfoldAndSchooling) {
    EXPECT_CODE(CheckMonthlyPayTenfold("000415000", "2", "000041500"), "0314");
    EXPECT_CODE(CheckMonthlyPayTenfold("000456500", "2", "000041500"), "0000");
    EXPECT_CODE(CheckMonthlyPayTenfold("000415000", "1", "000041500"), "0000");
    EXPECT_CODE(CheckMonthlyPayTenfold("000000000", "3", "000000000"), "0000");
    EXPECT_CODE(CheckMonthlyPayTenfold("000415000", "2", ""), "0000");

    EXPECT_CODE(CheckMonthlyPayForSchooling("000465001", "05", "2062", "2"), "3768");
    EXPECT_CODE(CheckMonthlyPayForSchooling("000465000", "05", "2062", "2"), "0000");
    EXPECT_CODE(CheckMonthlyPayForSchooling("000415001", "05", "2062", "1"), "3768");
    EXPECT_CODE(CheckMonthlyPayForSchooling("000465001", "09", "2062", "2"), "0000");
    EXPECT_CODE(CheckMonthlyPayForSchooling("000930001", "09", "2062", "2"), "3768");
    EXPECT_CODE(CheckMonthlyPayForSchooling("000930001", "12", "2062", "2"), "0000");
    EXPECT_CODE(CheckMonthlyPayForSchooling("000930001", "05", "2011", "2"), "0000");
    EXPECT_CODE(CheckMonthlyPayForSchooling("000930001", "05", "1031", "2"), "0000");
    EXPECT_CODE(CheckMonthlyPayForSchooling("000930001", "05", "0000", "2"), "0000");
    EXPECT_CODE(CheckMonthlyPayForSchooling("000930001", "05", "6001", "2"), "0000");
}

QString vsSalary(const char* pay, const char* month, const char* dismissal = "0000",
                 const char* leave3Start = "0000", const char* salary = "000100000") {
    return CheckMonthlyPayVsContractSalary(pay, month, "1", "15032005", dismissal, "10", "0000", "0000", "0000",
                                           "0000", leave3Start, "0000", salary);
}

TEST_F(PayRules, MonthlyPayVsContractSalary) {
    EXPECT_CODE(vsSalary("000069999", "05"), "3728");
    EXPECT_CODE(vsSalary("000070000", "05"), "0000");
    EXPECT_CODE(vsSalary("000069999", "05", "1506"), "3728");
    EXPECT_CODE(vsSalary("000069999", "06", "1506"), "0000");
    EXPECT_CODE(vsSalary("000069999", "05", "0000", "1005"), "0000");  // month of the third leave's start
    EXPECT_CODE(vsSalary("000000000", "05"), "0000");
    EXPECT_CODE(vsSalary("000069999", "05", "0000", "0000", ""), "0000");
    EXPECT_CODE(CheckMonthlyPayVsContractSalary("000069999", "05", "5", "15032005", "0000", "10", "0000", "0000",
                                                "0000", "0000", "0000", "0000", "000100000"),
                "0000");
    EXPECT_CODE(CheckMonthlyPayVsContractSalary("000069999", "05", "1", "15032005", "0000", "35", "0000", "0000",
                                                "0000", "0000", "0000", "0000", "000100000"),
                "0000");
    EXPECT_CODE(CheckMonthlyPayVsContractSalary("000069999", "05", "1", "", "0000", "10", "0000", "0000", "0000",
                                                "0000", "0000", "0000", "000100000"),
                "0000");
}

// How the pay and the contract salary are read: blanks around, leading zeros,
// anything else inside, and more digits than a number holds.
TEST_F(PayRules, MonthlyPayVsContractSalaryFigures) {
    const struct {
        const char* pay;
        const char* salary;
        const char* code;
    } cases[] = {
        {" 69999 ", "100000", "3728"},
        {"\t000069999", "000100000", "3728"},
        {"069999 ", " 00100000\t", "3728"},
        {"00 69999", "000100000", "0000"},
        {"69999", "00 100000", "0000"},
        {"69999", "1000A0", "0000"},
        {"69999", "", "0000"},
        {"69999", "000", "0000"},
        {"-69999", "000100000", "0000"},
        {"0000000000000000001", "000100000", "3728"},
        {"1", "0000000000000000000100000", "3728"},
        {"69999", "1000000000000000000", "0000"},
        {"   ", "000100000", "0000"},
    };
    for (const auto& c : cases) EXPECT_CODE(vsSalary(c.pay, "05", "0000", "0000", c.salary), c.code) << c.pay << " / " << c.salary;
}

TEST_F(PayRules, ApprenticeMonthsAndPayOutsideTheContract) {
    EXPECT_CODE(CheckApprenticeAgeInMonth("07", "55", "10061985", "2009", "0"), "3503");
    EXPECT_CODE(CheckApprenticeAgeInMonth("06", "55", "10061985", "2009", "0"), "0000");
    EXPECT_CODE(CheckApprenticeAgeInMonth("05", "55", "10061995", "2009", ""), "3503");
    EXPECT_CODE(CheckApprenticeAgeInMonth("06", "55", "10061995", "2009", "0"), "0000");
    EXPECT_CODE(CheckApprenticeAgeInMonth("05", "55", "10061995", "2009", "2"), "0000");
    EXPECT_CODE(CheckApprenticeAgeInMonth("05", "10", "10061995", "2009", "0"), "0000");

    EXPECT_CODE(CheckPayAfterDismissalMonth("06", "1505"), "0311");
    EXPECT_CODE(CheckPayAfterDismissalMonth("05", "1505"), "0000");
    EXPECT_CODE(CheckPayAfterDismissalMonth("06", "0000"), "0000");
    EXPECT_CODE(CheckPayAfterDismissalMonth("06", ""), "0000");

    EXPECT_CODE(CheckPayBeforeAdmissionMonth("02", "15032009", "2009"), "0310");
    EXPECT_CODE(CheckPayBeforeAdmissionMonth("03", "15032009", "2009"), "0000");
    EXPECT_CODE(CheckPayBeforeAdmissionMonth("02", "15032008", "2009"), "0000");
    EXPECT_CODE(CheckPayBeforeAdmissionMonth("02", "15032010", "2010"), "0310");
    EXPECT_CODE(CheckPayBeforeAdmissionMonth("02", "", "2009"), "0000");
}

TEST_F(PayRules, RemunerationPresence) {
    const std::array<long long, 12> none{};
    std::array<long long, 12> january{};
    january[0] = 100;
    // reason, start, end, total, dismissal, cause, admission, pays, days
    EXPECT_CODE(CheckRemunerationPresence("10", "0101", "3112", 0, "0000", "00", "01012005", none, "365"), "0000");
    EXPECT_CODE(CheckRemunerationPresence("00", "0000", "0000", 0, "0000", "70", "01012005", none, "000"), "0000");
    EXPECT_CODE(CheckRemunerationPresence("00", "0000", "0000", 0, "0000", "00", "01012005", none, "000"), "1674");
    EXPECT_CODE(CheckRemunerationPresence("00", "0000", "0000", 0, "1501", "11", "01012005", none, "000"), "0000");
    EXPECT_CODE(CheckRemunerationPresence("10", "0101", "3112", 0, "0000", "00", "01012005", none, "366"), "0000");
    EXPECT_CODE(CheckRemunerationPresence("10", "1503", "3112", 0, "0000", "00", "15032009", none, "292"), "0000");
    EXPECT_CODE(CheckRemunerationPresence("00", "0000", "0000", 100, "0000", "00", "01012005", january, "000"), "0000");
    // Dismissed at the end of a leave: the months before the leave must show pay.
    EXPECT_CODE(CheckRemunerationPresence("10", "1003", "1505", 0, "1505", "11", "01012005", none, "067"), "1674");
    EXPECT_CODE(CheckRemunerationPresence("10", "1003", "1505", 100, "1505", "11", "01012005", january, "067"), "0000");
    EXPECT_CODE(CheckRemunerationPresence("10", "1003", "1505", 0, "1505", "11", "15012009", none, "067"), "1674");
    EXPECT_CODE(CheckRemunerationPresence("10", "1003", "1505", 100, "1505", "11", "15012009", january, "067"), "0000");
}

TEST_F(PayRules, Thirteenth) {
    EXPECT_CODE(CheckThirteenthAdvanceMonth("11"), "0000");
    EXPECT_CODE(CheckThirteenthAdvanceMonth("00"), "0000");
    EXPECT_CODE(CheckThirteenthAdvanceMonth("13"), "0322");
    EXPECT_CODE(CheckThirteenthAdvanceMonth(""), "0322");
    EXPECT_CODE(CheckThirteenthAdvanceMonth("1"), "0040");
    EXPECT_CODE(CheckThirteenthFinalMonth("99"), "0000");
    EXPECT_CODE(CheckThirteenthFinalMonth("13"), "0322");
    EXPECT_CODE(CheckThirteenthFinalMonth("00"), "0000");
    EXPECT_CODE(CheckThirteenthFinalMonth(""), "0322");
    EXPECT_CODE(CheckThirteenthAdvanceValue(""), "0333");
    EXPECT_CODE(CheckThirteenthAdvanceValue("000010000"), "0000");
    EXPECT_CODE(CheckThirteenthFinalValue(""), "0334");
    EXPECT_CODE(CheckThirteenthFinalValue("10000"), "0040");

    EXPECT_CODE(CheckThirteenthAdvance("00", "000010000"), "0324");
    EXPECT_CODE(CheckThirteenthAdvance("11", "000000000"), "0330");
    EXPECT_CODE(CheckThirteenthAdvance("00", "000000000"), "0000");
    EXPECT_CODE(CheckThirteenthAdvance("11", "006975000"), "0332");
    EXPECT_CODE(CheckThirteenthAdvance("11", "000100000"), "0000");
    EXPECT_CODE(CheckThirteenthAdvance("", "000100000"), "0000");
    EXPECT_CODE(CheckThirteenthFinal("00", "000010000"), "0325");
    EXPECT_CODE(CheckThirteenthFinal("12", "000000000"), "0331");
    EXPECT_CODE(CheckThirteenthFinal("99", "006975000"), "0332");
    EXPECT_CODE(CheckThirteenthFinal("99", "006974999"), "0000");

    EXPECT_CODE(CheckThirteenthMonthsOrder("11", "11"), "0323");
    EXPECT_CODE(CheckThirteenthMonthsOrder("11", "10"), "0323");
    EXPECT_CODE(CheckThirteenthMonthsOrder("11", "12"), "0000");
    EXPECT_CODE(CheckThirteenthMonthsOrder("11", "99"), "0326");
    EXPECT_CODE(CheckThirteenthMonthsOrder("00", "99"), "0000");

    EXPECT_CODE(CheckThirteenthAdvanceAfterAdmission("02", "15032009", "2009"), "0320");
    EXPECT_CODE(CheckThirteenthAdvanceAfterAdmission("03", "15032009", "2009"), "0000");
    EXPECT_CODE(CheckThirteenthAdvanceAfterAdmission("02", "15032008", "2009"), "0000");
    EXPECT_CODE(CheckThirteenthFinalAfterAdmission("02", "15032009", "2009"), "0320");
    EXPECT_CODE(CheckThirteenthFinalAfterAdmission("99", "15032009", "2009"), "0000");

    EXPECT_CODE(CheckThirteenthAdvanceBeforeDismissal("11", "1505"), "0321");
    EXPECT_CODE(CheckThirteenthAdvanceBeforeDismissal("05", "1505"), "0000");
    EXPECT_CODE(CheckThirteenthAdvanceBeforeDismissal("11", "0000"), "0000");
    EXPECT_CODE(CheckThirteenthFinalBeforeDismissal("12", "1505"), "0321");
    EXPECT_CODE(CheckThirteenthFinalBeforeDismissal("99", "1505"), "0000");
    EXPECT_CODE(CheckThirteenthFinalBeforeDismissal("12", "0000"), "0000");
}

TEST_F(PayRules, WorkedHours) {
    EXPECT_CODE(CheckWorkedHoursFormat("010"), "0000");
    EXPECT_CODE(CheckWorkedHoursFormat("01A"), "0030");
    EXPECT_CODE(CheckWorkedHoursFormat(""), "0030");
    EXPECT_CODE(CheckWorkedHoursLimit("100"), "0000");
    EXPECT_CODE(CheckWorkedHoursLimit("101"), "3698");
    EXPECT_CODE(CheckWorkedHoursVsPay("010", "000000000"), "3677");
    EXPECT_CODE(CheckWorkedHoursVsPay("000", "000000000"), "0000");
    EXPECT_CODE(CheckWorkedHoursVsPay("010", "000010000"), "0000");

    // pay, hours, month, dismissal month, admission mmyyyy, closing year
    EXPECT_CODE(CheckWorkedHoursPeriod(1000, 5, 6, 5, "032009", ""), "3710");
    EXPECT_CODE(CheckWorkedHoursPeriod(1000, 5, 5, 5, "032009", ""), "0000");
    EXPECT_CODE(CheckWorkedHoursPeriod(0, 5, 2, 0, "032009", ""), "3711");
    EXPECT_CODE(CheckWorkedHoursPeriod(0, 5, 2, 0, "032009", "2009"), "3711");
    EXPECT_CODE(CheckWorkedHoursPeriod(0, 5, 2, 0, "032009", "2010"), "3677");
    EXPECT_CODE(CheckWorkedHoursPeriod(1000, 5, 4, 0, "032009", ""), "0000");
    EXPECT_CODE(CheckWorkedHoursPeriod(0, 5, 4, 0, "032009", ""), "3677");
    EXPECT_CODE(CheckWorkedHoursPeriod(0, 5, 4, 0, "032005", ""), "3677");
    EXPECT_CODE(CheckWorkedHoursPeriod(1000, 5, 4, 0, "032005", ""), "0000");
    EXPECT_CODE(CheckWorkedHoursPeriod(0, 0, 6, 5, "032009", ""), "0000");
}

}  // namespace
