#pragma once
// The employee of a contract: PIS/PASEP, name, birth and age, nationality and
// arrival, schooling, race, sex, disability, work card and CPF. Every rule
// returns a message code ("0000" accepted). referenceYear: the base year, or
// the following year for an establishment declared in advance.

#include <QString>

// PIS/PASEP and name.
QString CheckPisPasep(const QString& pisPasep);
QString CheckPisForInscriptionType(const QString& pisPasep, const QString& inscriptionType);
QString CheckEmployeeName(QString& name, const QString& pisPasep);  // name comes back trimmed
QString CheckBirthDate(const QString& birthDate);
QString CheckEmployeeAge(const QString& birthDate, const QString& referenceYear);

// Nationality and arrival.
QString CheckNationality(const QString& nationality);
QString CheckArrivalYear(const QString& arrivalYear);
QString CheckArrivalYearVsNationality(const QString& arrivalYear, const QString& nationality);
QString CheckArrivalNotAfterBaseYear(const QString& arrivalYear, const QString& referenceYear,
                                     const QString& nationality);
QString CheckArrivalAfterBirth(const QString& arrivalYear, const QString& birthDate, const QString& nationality);

// Schooling, race, sex, disability.
QString CheckSchooling(const QString& schooling);
QString CheckRace(const QString& race);
QString CheckSex(const QString& sex);
QString CheckDisabilityIndicator(const QString& indicator);
// fileMode: 1 for data analysed from a declaration file, 0 for data entered.
QString CheckDisability(const QString& disabilityType, const QString& indicator, int fileMode);

// Work card and CPF.
QString CheckWorkCardNumber(const QString& number, const QString& contractType);
QString CheckWorkCardDigits(const QString& number);
QString CheckWorkCardSeries(const QString& series);
QString CheckWorkCardNumberAndSeries(const QString& number, const QString& series);
QString CheckWorkCardSeriesFormat(const QString& series, const QString& nationality, const QString& number);
QString CheckCpf(const QString& cpf);
QString CheckWorkCardOrCpf(const QString& number, const QString& cpf, const QString& contractType,
                           const QString& dismissalDate);
QString CheckCpfRequired(const QString& cpf, const QString& contractType, const QString& dismissalDate,
                         const QString& permit);
