#include "Query.h"

#include <QSet>

#include <sqlite3.h>

namespace db {

Query::Query(std::shared_ptr<Database> database) : database_(std::move(database)) { name_ = QStringLiteral("query"); }

void Query::SetSQL(const QString& text) {
    Close();
    sql_ = text.split('\n');
}

Param& Query::ParamByName(const QString& name) {
    for (auto it = params_.begin(); it != params_.end(); ++it)
        if (it.key().compare(name, Qt::CaseInsensitive) == 0) return it.value();
    return params_[name];
}

sqlite3_stmt* Query::prepareBound(std::vector<std::unique_ptr<TableLock>>& locks) {
    const QString text = Text();
    name_ = text.simplified();
    for (const QString& path : database_->attachAllNamedIn(text))
        if (!TableLock::HeldHere(path)) locks.push_back(std::make_unique<TableLock>(path, false));
    sqlite3_stmt* st = database_->prepare(text);
    const int n = sqlite3_bind_parameter_count(st);
    for (int i = 1; i <= n; ++i) {
        const char* raw = sqlite3_bind_parameter_name(st, i);
        if (!raw) continue;
        const QString pname = QString::fromUtf8(raw + 1);
        const QByteArray v = ParamByName(pname).AsString.toUtf8();
        sqlite3_bind_text(st, i, v.constData(), v.size(), SQLITE_TRANSIENT);
    }
    return st;
}

void Query::Open() {
    if (Active()) return;
    std::vector<std::unique_ptr<TableLock>> locks;
    sqlite3_stmt* st = prepareBound(locks);
    QList<FieldDef> defs;
    const int cols = sqlite3_column_count(st);
    QSet<QString> seen;
    for (int c = 0; c < cols; ++c) {
        // A join's repeated column takes "_1", "_2", ... as the original
        // engine named it (cut so that the name stays within 25 characters).
        const QString name = QString::fromUtf8(sqlite3_column_name(st, c));
        QString unique = name;
        for (int n = 1; seen.contains(unique.toLower()); ++n) {
            const QString suffix = QLatin1Char('_') + QString::number(n);
            unique = (name.size() + suffix.size() > 25 ? name.left(22) : name) + suffix;
        }
        seen.insert(unique.toLower());
        defs << textField(unique, 0);
    }
    buildFields(defs);
    rows_.clear();
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        QVector<QVariant> row(cols);
        for (int c = 0; c < cols; ++c) {
            switch (sqlite3_column_type(st, c)) {
            case SQLITE_NULL: row[c] = QString(); break;
            case SQLITE_INTEGER: row[c] = QString::number(sqlite3_column_int64(st, c)); break;
            case SQLITE_FLOAT: row[c] = QString::number(sqlite3_column_double(st, c)); break;
            default: {
                const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
                row[c] = QString::fromUtf8(t, sqlite3_column_bytes(st, c));
            }
            }
        }
        rows_ << row;
    }
    sqlite3_reset(st);
    if (rc != SQLITE_DONE) {
        fields_.clear();
        database_->fail(rc, Text());
    }
    state_ = DataSetState::Browse;
    First();
}

void Query::Close() {
    DataSet::Close();
    rows_.clear();
    pos_ = -1;
}

void Query::ExecSQL() {
    std::vector<std::unique_ptr<TableLock>> locks;
    sqlite3_stmt* st = prepareBound(locks);
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {}
    sqlite3_reset(st);
    if (rc != SQLITE_DONE) database_->fail(rc, Text());
    rowsAffected_ = sqlite3_changes(database_->handle());
    database_->noteChange();
}

void Query::First() {
    checkActive();
    pos_ = 0;
    empty_ = rows_.isEmpty();
    eof_ = empty_;
    bof_ = true;
    if (!empty_) buffer_ = rows_[0];
}

void Query::Next() {
    checkActive();
    if (pos_ + 1 >= rows_.size()) { eof_ = true; return; }
    ++pos_;
    bof_ = false;
    buffer_ = rows_[pos_];
}

}  // namespace db
