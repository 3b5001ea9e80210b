#pragma once
#include "platform/db/Database.h"

// The declaration tables, their working copies and the shipped lookup tables:
// file names, columns, widths, edit masks and indexes.
namespace DeclarationTables {

db::TableDef BD8Emp();
db::TableDef BD8Vinc();
db::TableDef BD8Resp();

// The key columns of a contract in BD8Vinc (11) and in the analyser's Te8Vinc (7).
QStringList ContractKey();
QStringList AnalyserContractKey();

// Every lookup table and the message catalogue, as shipped in Dados.
QList<db::TableDef> LookupTables();
// Every table file shipped in Dados: the three declaration tables and the lookups.
QList<db::TableDef> ShippedTables();

}  // namespace DeclarationTables

// Operation marker values of BD8Emp.InOpcaoAberta.
namespace OperationMarker {
inline const QString Editing = QStringLiteral("0");
inline const QString Deleting = QStringLiteral("1");
inline const QString TransferTarget = QStringLiteral("3");
inline const QString MultiDelete = QStringLiteral("4");
inline const QString ContractTypeChange = QStringLiteral("5");
inline const QString None = QString();
}  // namespace OperationMarker

// Gives a new table, newName + ".db" in the folder of `database`, the columns
// of sourceName + ".db" there, and its indexes when copyIndexes is true,
// replacing a table of that name. Engine errors pass on to the caller.
void CopyTableStructure(const QString& sourceName, const QString& newName, db::Database& database,
                        bool copyIndexes);
// The same; any failure gives false.
bool TryCopyTableStructure(const QString& sourceName, const QString& newName, db::Database& database,
                           bool copyIndexes);
