#pragma once
#include "platform/db/Database.h"

#include <QList>
#include <QString>
#include <QStringList>

// The start-up check of the data folder: every table file present, missing
// indexes rebuilt.

// The 25 table files that must exist in Dados, in the order they are tested.
QStringList RequiredTableFiles();

// An index that is rebuilt when its table file lacks it, with the index file
// name by which the messages know it ("TB8MSG.PX").
struct StartupIndex {
    QString indexFile;
    db::IndexDef index;
};
// The 24 indexes, in the order they are rebuilt.
QList<StartupIndex> StartupIndexes();

// The table file that holds an index file's index: the name up to its first
// "." followed by "DB" ("TBUF.XG0" -> "TBUF.DB"); empty without a ".".
QString TableFileOfIndexFile(const QString& indexFile);

// True when all table files exist, after rebuilding the missing indexes;
// false at the first missing table file (nothing is rebuilt then). A file
// that exists but is not its table (damaged, another database, a folder)
// gives false too, with its path in `damaged`; nothing is written into it.
bool CheckTablesAtStartup(QString* damaged = nullptr);

// The start-up's message for a table file that is not its table.
QString DamagedTableMessage(const QString& path);

// Rebuilds one index of a table file of the database, opened exclusively.
// Warns and gives false when the table is in use, when the index cannot be
// dropped, or when it cannot be built from the rows (duplicate keys); the
// index as it was stays then, since dropping and adding are one transaction.
bool RebuildIndexIn(db::Database& database, const QString& indexFile, const db::IndexDef& index);
// Why an index could not be rebuilt, in the program's words: the table file
// and the cause; "Nenhum usuário pode estar usando o sistema!" only for a
// table in use.
QString IndexProblemText(const QString& tableFile, const db::DbError& e);

// The same on the data folder, before the data modules exist.
bool RecreateIndexFile(const QString& indexFile, const db::IndexDef& index);
