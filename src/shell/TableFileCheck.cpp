#include "shell/TableFileCheck.h"

#include "platform/db/Database.h"
#include "shell/DeclarationTables.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtEndian>
#include <sqlite3.h>

namespace {

// The database header: SQLite's mark, and a file as long as the header says.
bool wholeSqliteFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray h = f.read(100);
    if (h.size() < 100 || !h.startsWith(QByteArrayLiteral("SQLite format 3\0"))) return false;
    const quint32 pageSizeField = qFromBigEndian<quint16>(h.constData() + 16);
    const qint64 pageSize = pageSizeField == 1 ? 65536 : pageSizeField;
    const quint32 changeCounter = qFromBigEndian<quint32>(h.constData() + 24);
    const quint32 pages = qFromBigEndian<quint32>(h.constData() + 28);
    const quint32 validFor = qFromBigEndian<quint32>(h.constData() + 92);
    if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0) return false;
    // The page count is kept only by writers that also stamp it valid.
    if (pages != 0 && validFor == changeCounter && f.size() < qint64(pages) * pageSize) return false;
    return true;
}

struct Column {
    QString name, type;
};

bool readColumns(sqlite3* c, QString& table, QList<Column>& columns) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(c, "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'", -1,
                           &st, nullptr) != SQLITE_OK)
        return false;
    int tables = 0;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        ++tables;
        table = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE || tables != 1) return false;
    QString sql = QStringLiteral("PRAGMA table_info(\"%1\")").arg(QString(table).replace('"', QStringLiteral("\"\"")));
    if (sqlite3_prepare_v2(c, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) return false;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        columns << Column{QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1))),
                          QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 2))).toUpper()};
    sqlite3_finalize(st);
    return rc == SQLITE_DONE;
}

bool sameColumn(const Column& c, const db::FieldDef& f) {
    if (c.name.compare(f.name, Qt::CaseInsensitive) != 0) return false;
    if (f.type == db::FieldType::Boolean) return c.type.startsWith(QLatin1String("BOOL"));
    static const QRegularExpression text(QStringLiteral("^TEXT\\((\\d+)\\)$"));
    const auto m = text.match(c.type);
    return m.hasMatch() && m.captured(1).toInt() == f.width;
}

bool columnsMatch(const QList<Column>& columns, const QList<db::FieldDef>& fields,
                  const QList<db::FieldDef>& optionalTail) {
    const qsizetype required = fields.size() - optionalTail.size();
    if (columns.size() != fields.size() && columns.size() != required) return false;
    for (qsizetype i = 0; i < columns.size(); ++i)
        if (!sameColumn(columns[i], fields[i])) return false;
    if (columns.size() == required)
        for (qsizetype i = required; i < fields.size(); ++i)
            if (fields[i].name.compare(optionalTail[i - required].name, Qt::CaseInsensitive) != 0) return false;
    return true;
}

bool fullyReadable(sqlite3* c) {
    sqlite3_stmt* st = nullptr;
    bool ok = sqlite3_prepare_v2(c, "PRAGMA integrity_check", -1, &st, nullptr) == SQLITE_OK &&
              sqlite3_step(st) == SQLITE_ROW &&
              qstrcmp(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)), "ok") == 0;
    sqlite3_finalize(st);
    return ok;
}

}  // namespace

bool TableFileMatches(const QString& path, const db::TableDef& def, bool fullCheck,
                      const QList<db::FieldDef>& optionalTail) {
    return CheckTableFile(path, def, fullCheck, optionalTail) == TableFileState::Matches;
}

TableFileState CheckTableFile(const QString& path, const db::TableDef& def, bool fullCheck,
                              const QList<db::FieldDef>& optionalTail) {
    const QFileInfo info(path);
    if (!info.isFile()) return TableFileState::Damaged;
    // A crash in the middle of a commit leaves the file short of its pages
    // until the journal is played back.
    db::RecoverHotJournal(path);
    sqlite3* c = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &c, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(c);
        return TableFileState::Damaged;
    }
    sqlite3_busy_timeout(c, 2000);
    // A read lock for the whole look: nobody commits into the file meanwhile,
    // and a file that another program holds answers busy here, before any
    // of its bytes is taken for damage.
    const int rc = sqlite3_exec(c, "BEGIN; SELECT count(*) FROM sqlite_master;", nullptr, nullptr, nullptr);
    TableFileState state = TableFileState::Damaged;
    if ((rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED) {
        state = TableFileState::InUse;
    } else if (rc == SQLITE_OK && wholeSqliteFile(path)) {
        QString table;
        QList<Column> columns;
        if (readColumns(c, table, columns) && columnsMatch(columns, def.fields, optionalTail) &&
            (!fullCheck || fullyReadable(c)))
            state = TableFileState::Matches;
    }
    sqlite3_exec(c, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(c);
    return state;
}

QList<db::FieldDef> OlderLayoutMissingColumns(const QString& tableFile) {
    const QString name = QFileInfo(tableFile).fileName();
    const auto tailFrom = [](const db::TableDef& def, const char* first) {
        return def.fields.mid(def.fieldIndex(QLatin1String(first)));
    };
    if (name.compare(QLatin1String("Bd8emp.DB"), Qt::CaseInsensitive) == 0)
        return tailFrom(DeclarationTables::BD8Emp(), "TxtCnae");
    if (name.compare(QLatin1String("Bd8vinc.DB"), Qt::CaseInsensitive) == 0)
        return tailFrom(DeclarationTables::BD8Vinc(), "TxtCBO");
    return {};
}
