#include "Builders.h"

void AppendRow(db::Table& table, const QMap<QString, QString>& values) {
    table.Append();
    for (auto it = values.cbegin(); it != values.cend(); ++it) table.FieldByName(it.key()).SetAsString(it.value());
    table.Post();
}

void StoreRow(const std::shared_ptr<db::Database>& database, const QString& table,
              const QMap<QString, QString>& values) {
    db::Table t(database, table);
    t.Open();
    AppendRow(t, values);
    t.Close();
}

QList<QMap<QString, QString>> ReadRows(const std::shared_ptr<db::Database>& database, const QString& table) {
    db::Table t(database, table);
    t.Open();
    QList<QMap<QString, QString>> rows;
    for (t.First(); !t.Eof(); t.Next()) {
        QMap<QString, QString> row;
        for (int i = 0; i < t.FieldCount(); ++i) row[t.Fields(i).FieldName()] = t.Fields(i).AsString();
        rows << row;
    }
    t.Close();
    return rows;
}
