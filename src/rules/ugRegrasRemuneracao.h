#pragma once
// Monthly pay, the 13th salary, the presence of any pay in the year and the
// overtime hours of a contract. Most rules take one month at a time; the
// whole-declaration check calls them for each of the twelve months. Every
// rule returns a message code ("0000" accepted). Amounts are cents.

#include <QString>

#include <array>

// Monthly pay. month: "01" to "12"; monthNumber: the month in any digit form.
QString CheckMonthlyPayVsMinimumWage(const QString& pay, const QString& month, const QString& salaryType,
                                     const QString& referenceYear, const QString& admissionDate,
                                     const QString& dismissalDate, const QString& legalNature,
                                     const QString& contractType);
QString CheckMonthlyPayTenfold(const QString& pay, const QString& monthNumber, const QString& previousPay);
QString CheckMonthlyPayForSchooling(const QString& pay, const QString& schooling, const QString& legalNature,
                                    const QString& monthNumber);
QString CheckMonthlyPayVsContractSalary(const QString& pay, const QString& month, const QString& salaryType,
                                        const QString& admissionDate, const QString& dismissalDate,
                                        const QString& contractType, const QString& leave1Start,
                                        const QString& leave1End, const QString& leave2Start,
                                        const QString& leave2End, const QString& leave3Start,
                                        const QString& leave3End, const QString& contractSalary);
QString CheckApprenticeAgeInMonth(const QString& monthNumber, const QString& contractType,
                                  const QString& birthDate, const QString& baseYear,
                                  const QString& disabilityType);
QString CheckPayAfterDismissalMonth(const QString& monthNumber, const QString& dismissalDate);
QString CheckPayBeforeAdmissionMonth(const QString& monthNumber, const QString& admissionDate,
                                     const QString& referenceYear);
// monthlyPays: January first.
QString CheckRemunerationPresence(const QString& leave1Reason, const QString& leave1Start,
                                  const QString& leave1End, long long yearTotal, const QString& dismissalDate,
                                  const QString& dismissalCause, const QString& admissionDate,
                                  const std::array<long long, 12>& monthlyPays, const QString& leaveDays);

// 13th salary.
QString CheckThirteenthAdvanceMonth(const QString& month);
QString CheckThirteenthAdvanceValue(const QString& value);
QString CheckThirteenthFinalMonth(const QString& month);
QString CheckThirteenthFinalValue(const QString& value);
QString CheckThirteenthAdvance(const QString& month, const QString& value);
QString CheckThirteenthFinal(const QString& month, const QString& value);
QString CheckThirteenthMonthsOrder(const QString& advanceMonth, const QString& finalMonth);
QString CheckThirteenthAdvanceAfterAdmission(const QString& advanceMonth, const QString& admissionDate,
                                             const QString& referenceYear);
QString CheckThirteenthFinalAfterAdmission(const QString& finalMonth, const QString& admissionDate,
                                           const QString& referenceYear);
QString CheckThirteenthAdvanceBeforeDismissal(const QString& advanceMonth, const QString& dismissalDate);
QString CheckThirteenthFinalBeforeDismissal(const QString& finalMonth, const QString& dismissalDate);

// Worked hours.
QString CheckWorkedHoursFormat(const QString& hours);
QString CheckWorkedHoursLimit(const QString& hours);
QString CheckWorkedHoursVsPay(const QString& hours, const QString& pay);
// admissionMonthYear: mmyyyy; dismissalMonth 0 when not dismissed.
QString CheckWorkedHoursPeriod(long long pay, long long hours, int monthNumber, int dismissalMonth,
                               QStringView admissionMonthYear, QStringView closingYear);
inline QString CheckWorkedHoursPeriod(long long pay, long long hours, int monthNumber, int dismissalMonth,
                                      const QString& admissionMonthYear, const QString& closingYear) {
    return CheckWorkedHoursPeriod(pay, hours, monthNumber, dismissalMonth, QStringView(admissionMonthYear),
                                  QStringView(closingYear));
}
