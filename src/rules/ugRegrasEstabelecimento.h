#pragma once
// What an establishment declares about its business: activity (CNAE) and
// legal nature, base month, size, Simples, activity in the year, closing,
// meal programme (PAT) and centralisation of the union contribution. Every
// rule returns a message code ("0000" accepted). fileMode: 1 for data
// analysed from a declaration file, 0 for data entered.

#include <QString>

#include <array>

// Activity, legal nature and name.
QString CheckCnae(const QString& cnae);
QString CheckLegalNature(const QString& legalNature);
QString CheckLegalNatureForName(const QString& legalNature, const QString& name);
QString CheckCnaeForName(const QString& cnae, const QString& name);
QString CheckBaseMonth(const QString& baseMonth);
QString CheckBaseMonthRequired(const QString& baseMonth, const QString& negativeDeclaration);

// Size, Simples, activity, closing.
QString CheckCompanySize(const QString& size);
QString CheckSimplesOption(const QString& simples);
QString CheckSimplesForSize(const QString& simples, const QString& size);
QString CheckActivityIndicator(const QString& active);
QString CheckClosingOfActivity(const QString& closingFlag, const QString& closingDate,
                               const QString& establishmentYear, int fileMode);

// Meal programme (PAT).
QString CheckPatParticipation(const QString& participates);
QString CheckPatWorkerCount(const QString& count);
QString CheckPatWorkers(const QString& participates, const QString& countAbove5, const QString& countUpTo5);
QString CheckPercentage(const QString& percentage);
QString CheckPatModalities(const QString& participates, const std::array<QString, 6>& percentages);

// Centralisation of the union contribution.
QString CheckCentralisingCnpj(const QString& centralisingCnpj, const QString& ownInscription, int zerosAllowed);
QString CheckCentralisationFlag(const QString& inscriptionType, const QString& centralisingCnpj,
                                const QString& centralised, int fileMode);
QString CheckUnionCnpjWithCentralisation(const QString& unionCnpj, const QString& centralisingCnpj, int fileMode);
QString CheckUnionCnpjRequired(const QString& unionCnpj, const QString& centralisingCnpj,
                               const QString& negativeDeclaration, const QString& legalNature,
                               const QString& simples, int fileMode);
