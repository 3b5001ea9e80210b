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

// What stops the start at a table file.
struct TableProblem {
    enum Kind { None, Missing, Damaged, InUse } kind = None;
    QString path;  // the file (Damaged, InUse)
    QString text;  // InUse: what to tell when it is not the usual in-use warning
};

// True when all table files exist, after rebuilding the missing indexes;
// false at the first missing table file (nothing is rebuilt then). A file
// that exists but is not its table (damaged, another database, a folder)
// gives false too, and so does one that another program holds; nothing is
// written into either.
bool CheckTablesAtStartup(TableProblem* problem);
// The same, with the path of a file that is not its table in `damaged`.
bool CheckTablesAtStartup(QString* damaged = nullptr);

// A declaration table (BD8Emp, BD8Vinc, BD8Resp): the tables a backup holds.
bool IsDeclarationTableFile(const QString& path);

// The start-up's message for a table file that is not its table: a
// declaration table advises the restore of a backup, a lookup table a new
// installation.
QString DamagedTableMessage(const QString& path);
// The question that offers the restore for a damaged declaration table.
QString DamagedTableRestoreQuestion(const QString& path);
// The start-up's message for a table file that another program holds.
QString TableInUseMessage(const QString& path);

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
