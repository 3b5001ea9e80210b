#pragma once
#include "platform/db/Table.h"

#include <QMap>

// Appends one row to an open table: the named values, the rest empty.
void AppendRow(db::Table& table, const QMap<QString, QString>& values);

// Appends one row to a table file of the database, opened and closed for it.
void StoreRow(const std::shared_ptr<db::Database>& database, const QString& table,
              const QMap<QString, QString>& values);

// Every row of a table file, each column by name, in key order.
QList<QMap<QString, QString>> ReadRows(const std::shared_ptr<db::Database>& database, const QString& table);
