#include "rules/RuleText.h"

#include <sqlite3.h>

namespace rules {

namespace {
// Tables larger than this are searched key by key, as without a memory.
constexpr int kMostKeys = 200000;
}  // namespace

// None when the table has no one-column primary index, has too many rows, or
// stores a number in its key column: under the column's affinity a text key
// may equal a number. NULLs and blobs never equal a text key. Read through
// the connection the table's own searches use.
std::optional<LookupMemory::KeySet> LookupMemory::StoredKeys(db::Table& table) {
    if (!table.Active()) return std::nullopt;
    const db::IndexDef* index = table.Definition().primaryIndex();
    if (!index || index->fields.size() != 1) return std::nullopt;
    const db::TableDef& def = table.Definition();
    KeySet set;
    set.width = def.fields.value(def.fieldIndex(index->fields.first())).width;
    try {
        db::Connection& conn = table.database().connection(table.ReadOnly(), table.TableName());
        const db::Connection::Attached& file = conn.attach(table.TableName());
        const QString column = db::quoted(index->fields.first());
        sqlite3_stmt* st = conn.prepare(QStringLiteral("SELECT typeof(%1), %1 FROM %2.%3 LIMIT %4")
                                            .arg(column, file.schema, db::quoted(file.table))
                                            .arg(kMostKeys + 1));
        int rows = 0;
        int rc = SQLITE_DONE;
        bool usable = true;
        while (usable && (rc = sqlite3_step(st)) == SQLITE_ROW) {
            if (++rows > kMostKeys) {
                usable = false;
                break;
            }
            const std::string_view type(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
            if (type == "integer" || type == "real") {
                usable = false;
            } else if (type == "text") {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, 1));
                const QByteArray stored(text, sqlite3_column_bytes(st, 1));
                set.exact.insert(stored);
                set.keys.insert(LooseKey(stored));
            }
        }
        sqlite3_reset(st);
        if (!usable) return std::nullopt;
        if (rc != SQLITE_DONE) return std::nullopt;  // FindKey reports it, as ever
        return set;
    } catch (const db::DbError&) {
        return std::nullopt;
    }
}

}  // namespace rules
