#pragma once
// Records of a declaration that every record check accepts, with right check
// digits, over codes of the shipped lookup rows (plus the union entities the
// generator registers itself). Tests break one field at a time.

#include "platform/db/Table.h"

#include <QMap>
#include <QString>

namespace valid {

using Row = QMap<QString, QString>;

// Numbers with their check digits computed.
QString Cnpj(const QString& twelve);
QString Cpf(const QString& nine);
QString Pis(const QString& ten);
QString Cei(const QString& eleven);

// The establishment's n-th inscription (a head-office CNPJ) and a contract's
// n-th PIS/PASEP and CPF; distinct for distinct n.
QString EstablishmentCnpj(int n);
QString ContractPis(int n);
QString ContractCpf(int n);

// The union entities the records name; registered in the lookup tables of
// dmLobrix by RegisterUnionEntities.
QString EmployerUnionCnpj();
QString WorkerUnionCnpj();
void RegisterUnionEntities();

// The person responsible as a user's data hold it: no amendment date,
// generation date or receipt number (the program never stores them there).
Row Responsible();
// The same row as a file's header carries it, read back into the working
// tables: the dates and receipt number a normal declaration writes.
Row ResponsibleAsInAFile();
Row Establishment(int n, int contracts);
Row Contract(const Row& establishment, int n);

// The row with the overrides applied.
Row With(Row row, const Row& overrides);

// Appends the row to the open table.
void Append(db::Table& table, const Row& row);

// A whole declaration in the program's declaration tables (dmLobrix's
// folder): the responsible record and `establishments` establishments with
// `contractsEach` contracts each. Registers the union entities too.
void WriteDeclaration(int establishments, int contractsEach);
// The same with one large establishment of `bigContracts` contracts followed
// by `smallEstablishments` of `contractsEach`; returns the contracts written.
int WriteLargeDeclaration(int bigContracts, int smallEstablishments, int contractsEach);

}  // namespace valid
