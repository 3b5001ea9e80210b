#include "Builders.h"

void AppendRow(db::Table& table, const QMap<QString, QString>& values) {
    table.Append();
    for (auto it = values.cbegin(); it != values.cend(); ++it) table.FieldByName(it.key()).SetAsString(it.value());
    table.Post();
}
