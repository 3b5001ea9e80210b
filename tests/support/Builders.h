#pragma once
#include "platform/db/Table.h"

#include <QMap>

// Appends one row to an open table: the named values, the rest empty.
void AppendRow(db::Table& table, const QMap<QString, QString>& values);
