#include "Query.h"

#include <sqlite3.h>

#include <cstring>

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

sqlite3_stmt* Query::prepareBound() {
    const QString text = Text();
    name_ = text.simplified();
    database_->attachAllNamedIn(text);
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

namespace {

constexpr quint32 kNullLength = 0xFFFFFFFFu;

void appendColumn(QByteArray& arena, const char* bytes, int size, bool isNull) {
    const quint32 length = isNull ? kNullLength : quint32(size);
    arena.append(reinterpret_cast<const char*>(&length), sizeof length);
    if (!isNull) arena.append(bytes, size);
}

// The column's value at `at`, moving `at` past it.
QString takeColumn(const QByteArray& arena, qsizetype& at) {
    quint32 length;
    memcpy(&length, arena.constData() + at, sizeof length);
    at += sizeof length;
    if (length == kNullLength) return QString();
    const QString value = QString::fromUtf8(arena.constData() + at, qsizetype(length));
    at += length;
    return value;
}

}  // namespace

void Query::Open() {
    if (Active()) return;
    sqlite3_stmt* st = prepareBound();
    QList<FieldDef> defs;
    const int cols = sqlite3_column_count(st);
    for (int c = 0; c < cols; ++c) defs << textField(QString::fromUtf8(sqlite3_column_name(st, c)), 0);
    buildFields(defs);
    arena_.clear();
    rowStart_.clear();
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        rowStart_.push_back(arena_.size());
        for (int c = 0; c < cols; ++c) {
            switch (sqlite3_column_type(st, c)) {
            case SQLITE_NULL: appendColumn(arena_, nullptr, 0, true); break;
            case SQLITE_INTEGER: {
                const QByteArray n = QByteArray::number(sqlite3_column_int64(st, c));
                appendColumn(arena_, n.constData(), int(n.size()), false);
                break;
            }
            case SQLITE_FLOAT: {
                const QByteArray n = QString::number(sqlite3_column_double(st, c)).toUtf8();
                appendColumn(arena_, n.constData(), int(n.size()), false);
                break;
            }
            default: {
                const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
                appendColumn(arena_, t, sqlite3_column_bytes(st, c), false);
            }
            }
        }
    }
    sqlite3_reset(st);
    if (rc != SQLITE_DONE) {
        fields_.clear();
        arena_.clear();
        rowStart_.clear();
        database_->fail(rc, Text());
    }
    arena_.squeeze();
    state_ = DataSetState::Browse;
    First();
}

void Query::loadRow(int row) {
    pos_ = row;
    qsizetype at = rowStart_[std::size_t(row)];
    for (int c = 0; c < buffer_.size(); ++c) buffer_[c] = takeColumn(arena_, at);
}

QString Query::ValueAt(int row, int column) const {
    if (row < 0 || std::size_t(row) >= rowStart_.size() || column < 0 || column >= int(fields_.size()))
        return QString();
    qsizetype at = rowStart_[std::size_t(row)];
    for (int c = 0; c < column; ++c) {
        quint32 length;
        memcpy(&length, arena_.constData() + at, sizeof length);
        at += sizeof length + (length == kNullLength ? 0 : length);
    }
    return takeColumn(arena_, at);
}

void Query::Close() {
    DataSet::Close();
    arena_.clear();
    rowStart_.clear();
    pos_ = -1;
}

void Query::ExecSQL() {
    sqlite3_stmt* st = prepareBound();
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
    empty_ = rowStart_.empty();
    eof_ = empty_;
    bof_ = true;
    if (!empty_) loadRow(0);
}

void Query::Next() {
    checkActive();
    if (empty_ || std::size_t(pos_ + 1) >= rowStart_.size()) { eof_ = true; return; }
    loadRow(pos_ + 1);
    bof_ = false;
}

// Before the first row the cursor stays where it is and reports the beginning.
void Query::Prior() {
    checkActive();
    if (empty_ || pos_ <= 0) { bof_ = true; return; }
    loadRow(pos_ - 1);
    eof_ = false;
}

void Query::Last() {
    checkActive();
    empty_ = rowStart_.empty();
    bof_ = empty_;
    eof_ = true;
    if (!empty_) loadRow(int(rowStart_.size()) - 1);
}

void Query::MoveTo(int row) {
    checkActive();
    if (empty_ || row < 0 || std::size_t(row) >= rowStart_.size()) return;
    loadRow(row);
    bof_ = row == 0;
    eof_ = false;
}

}  // namespace db
