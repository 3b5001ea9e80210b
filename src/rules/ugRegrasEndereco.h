#pragma once
// Address, municipality, state, postcode, telephone and e-mail of the person
// responsible and of an establishment, and the municipality of the place of
// work. Every rule returns a message code ("0000" accepted).

#include <QString>

// Address. The by-reference texts come back trimmed.
QString CheckStreet(QString& street);
QString CheckStreetNumber(const QString& number);
QString CheckComplement(QString& complement);
QString CheckDistrict(QString& district);
QString CheckNumberOrComplement(const QString& number, const QString& complement);
QString CheckEmail(QString& email);

// Municipality and state. CheckMunicipality gives the found municipality's
// name (NoMunicipio) through foundName; the municipality-name rule compares
// with that name, cut to the name field's width (30 for the person
// responsible and the establishment, 40 for the place of work).
QString CheckMunicipality(const QString& municipality, QString* foundName = nullptr);
QString CheckWorkMunicipality(const QString& municipality);
inline constexpr int kLarguraNomeMunicipio = 30;
QString CheckMunicipalityName(QString& name, const QString& foundName, int fieldWidth = kLarguraNomeMunicipio);
QString CheckStateAbbreviation(const QString& abbreviation);
QString CheckStateForMunicipality(const QString& municipality, const QString& abbreviation);

// Postcode.
QString CheckCep(const QString& cep);
// relaxed: 1 accepts any postcode for a municipality without postcode or
// ranges of its own (the whole-declaration check), 0 applies the state's
// exceptions then (the municipality-and-postcode check of the forms).
QString CheckCepForMunicipality(const QString& cep, const QString& municipality, int relaxed);
QString CheckCepException(const QString& cep, const QString& municipality);
QString CheckCepForState(const QString& cep, const QString& stateCode);

// Telephone.
QString CheckAreaCode(const QString& ddd);
QString CheckPhoneNumber(const QString& phone);
QString CheckPhoneAndAreaCode(const QString& ddd, const QString& phone);
QString CheckAreaCodeForState(const QString& ddd, const QString& stateCode);
