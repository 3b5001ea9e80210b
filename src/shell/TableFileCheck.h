#pragma once
#include "platform/db/TableDef.h"

#include <QString>
#include <QStringList>

// Whether a file named like a table is that table, found by reading it only:
// a regular file holding a whole SQLite database with one table whose columns
// are those of the definition (names without regard to letter case, types
// and widths). `optionalTail` names trailing columns that an older layout
// lacks. With `fullCheck` every page is read as well (PRAGMA integrity_check).
// A table file whose last transaction was cut short is first brought back to
// its last commit (SQLite's own recovery); nothing else is ever written.
bool TableFileMatches(const QString& path, const db::TableDef& def, bool fullCheck,
                      const QList<db::FieldDef>& optionalTail = {});

// The same, telling a table that another program holds (it could not be read
// within two seconds) from one that is not the table: a table in use is
// neither damaged nor foreign, and must never be replaced for it.
enum class TableFileState { Matches, Damaged, InUse };
TableFileState CheckTableFile(const QString& path, const db::TableDef& def, bool fullCheck,
                              const QList<db::FieldDef>& optionalTail = {});

// The description columns that the declaration tables of an older layout
// lack (the restore adds them), in their order: none for the other tables.
QList<db::FieldDef> OlderLayoutMissingColumns(const QString& tableFile);
