#pragma once
// How a contract began, what it is and how it ended: admission, minors and
// apprentices, contract type, occupation, weekly hours, contract salary and
// dismissal. Every rule returns a message code ("0000" accepted). Dates are
// ddmmyyyy, dismissal dates ddmm; referenceYear is the base year or, for an
// establishment declared in advance, the following year.

#include <QString>

// Admission.
QString CheckAdmissionDate(const QString& admissionDate);
QString CheckAdmissionType(const QString& admissionType);
QString CheckAdmissionNotAfterBaseYear(const QString& admissionDate, const QString& referenceYear);
QString CheckAdmissionBeforeClosing(const QString& closingDate, const QString& admissionDate);
QString CheckAdmissionAfterArrival(const QString& arrivalYear, const QString& admissionDate,
                                   const QString& nationality);
QString CheckAgeAtAdmission(const QString& birthDate, const QString& admissionDate);
QString CheckMinorAdmission(const QString& permit, const QString& birthDate, const QString& contractType,
                            const QString& admissionDate);
QString CheckPermitIndicator(const QString& permit);

// Contract type.
QString CheckContractType(const QString& contractType);
QString CheckContractTypeForPis(const QString& contractType, const QString& pisPasep);
QString CheckContractTypeForInscriptionType(const QString& contractType, const QString& inscriptionType);
QString CheckContractTypeForCnae(const QString& contractType, const QString& cnae);
QString CheckContractTypeForLegalNature(const QString& contractType, const QString& legalNature);
QString CheckApprenticeAge(const QString& contractType, const QString& birthDate, const QString& admissionDate,
                           const QString& disabilityIndicator);

// Occupation, hours and salary.
QString CheckCbo(const QString& cbo);
QString CheckCboForSchooling(const QString& schooling, const QString& cbo);
QString CheckWeeklyHours(const QString& hours);
QString CheckSalaryType(const QString& salaryType);
QString CheckContractSalary(const QString& salary);
QString CheckContractSalaryVsType(const QString& salary, const QString& salaryType, const QString& contractType);
QString CheckContractSalaryRequired(const QString& contractType, const QString& salary,
                                    const QString& firstLeaveStart, const QString& firstLeaveEnd);

// Dismissal.
QString CheckDismissalCause(const QString& cause);
QString CheckDismissalDate(const QString& dismissalDate, const QString& year);
QString CheckDismissalDateVsCause(const QString& dismissalDate, const QString& cause);
QString CheckDismissalAfterAdmission(const QString& dismissalDate, const QString& admissionDate,
                                     const QString& referenceYear);
QString CheckDismissalBeforeClosing(const QString& dismissalDate, const QString& closingDate,
                                    const QString& referenceYear);
QString CheckDismissalCauseForClosing(const QString& closingFlag, const QString& establishmentYear,
                                      const QString& cause, const QString& baseYear);
