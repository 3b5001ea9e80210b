#pragma once
// Who declares: the establishment key, the linked CEI, the declaration
// without employees, names, company-use texts, generation and amendment
// dates, the receipt number of an amended declaration and the declarant.
// Every rule returns a message code: "0000" accepted, "X" longer than the
// field, any other a row of tb8MSG.

#include <QString>

// Inscription, type and prefix.
QString CheckPrefix(const QString& prefix);
QString CheckInscription(const QString& inscription);
QString CheckInscriptionType(const QString& inscriptionType);
QString CheckInscriptionByType(const QString& inscription, const QString& inscriptionType);
// number: the typed digits left-filled with "0" to 14; typedLength: how many
// digits were typed (11 for a CPF).
QString CheckInscriptionOrCpf(const QString& number, int typedLength);
QString CheckResponsibleInscriptionType(const QString& inscriptionType);
QString CheckResponsibleInscriptionByType(const QString& number, const QString& inscriptionType);

// Linked CEI and declaration without employees.
QString CheckCeiNumber(const QString& linkedCei);
QString CheckLinkedCeiForInscriptionType(const QString& inscriptionType, const QString& linkedCei);
QString CheckNegativeDeclarationFlag(const QString& flag);
// linkedCei12: the last 12 characters of the linked CEI.
QString CheckNegativeDeclarationType(const QString& flag, const QString& inscriptionType,
                                     const QString& linkedCei12);

// Names and texts. The by-reference names come back trimmed.
// inscriptionType tells whether the inscription is a CNPJ ("1"): only a
// CNPJ has a root, so the reserved roots apply to no other inscription.
QString CheckCompanyName(QString& name, const QString& inscription, const QString& inscriptionType);
QString CheckFreeText(const QString& text);
QString CheckDeclarantName(QString& name);

// Dates and receipt number of the declaration.
QString CheckGenerationDate(const QString& date);
QString CheckAmendmentDate(bool amendment, const QString& date);
QString CheckReceiptNumber(const QString& receipt);
// amendment: "1" an amendment, "2" not.
QString CheckReceiptNumberForAmendment(const QString& receipt, const QString& amendment);

// Declarant.
QString CheckDeclarantCpf(const QString& cpf);
QString CheckDeclarantCpfMatchesInscription(const QString& inscription, const QString& cpf,
                                            const QString& inscriptionType);
QString CheckDeclarantAge(const QString& birthDate);
