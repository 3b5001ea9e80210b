#pragma once
#include <QString>
#include <QStringList>
#include <QList>

namespace db {

enum class FieldType { Text, Boolean };

struct FieldDef {
    QString name;
    FieldType type = FieldType::Text;
    int width = 0;        // characters; 0 for Boolean
    QString editMask;     // the edit mask of the field object, not stored in the file
};

struct IndexDef {
    QString name;              // "Main" for the primary index
    QStringList fields;
    bool primary = false;      // unique; gives the table its key order
    bool caseInsensitive = false;
};

struct TableDef {
    QString fileName;          // as the design names it, e.g. "Bd8emp.DB"
    QList<FieldDef> fields;
    QList<IndexDef> indexes;

    int fieldIndex(const QString& name) const;
    const IndexDef* primaryIndex() const;
    const IndexDef* index(const QString& name) const;
};

inline FieldDef textField(const QString& name, int width, const QString& mask = {}) {
    return FieldDef{name, FieldType::Text, width, mask};
}
inline FieldDef boolField(const QString& name) { return FieldDef{name, FieldType::Boolean, 0, {}}; }
inline IndexDef primaryIndex(const QString& fields, const QString& name = QStringLiteral("Main")) {
    return IndexDef{name, fields.split(';'), true, false};
}

}  // namespace db
