#include "Query.h"

#include <sqlite3.h>

namespace db {

Query::Query(std::shared_ptr<Database> database) : database_(std::move(database)) { name_ = QStringLiteral("query"); }

Query::~Query() {
    if (stream_) sqlite3_finalize(stream_);
}

void Query::SetUniDirectional(bool on) {
    if (on == uniDirectional_) return;
    Close();
    uniDirectional_ = on;
}

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
    bindParams(st);
    return st;
}

void Query::bindParams(sqlite3_stmt* st) {
    const int n = sqlite3_bind_parameter_count(st);
    for (int i = 1; i <= n; ++i) {
        const char* raw = sqlite3_bind_parameter_name(st, i);
        if (!raw) continue;
        const QString pname = QString::fromUtf8(raw + 1);
        const QByteArray v = ParamByName(pname).AsString.toUtf8();
        sqlite3_bind_text(st, i, v.constData(), v.size(), SQLITE_TRANSIENT);
    }
}

void Query::readRow(sqlite3_stmt* st, QVector<QVariant>& row) const {
    const int cols = sqlite3_column_count(st);
    row.resize(cols);
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
}

void Query::Open() {
    if (Active()) return;
    if (uniDirectional_) {
        const QString text = Text();
        name_ = text.simplified();
        database_->attachAllNamedIn(text);
        // Its own statement: the connection's cache is finalized whenever a
        // file is detached, which must not end a result still being read.
        sqlite3_stmt* st = nullptr;
        const int rc = sqlite3_prepare_v2(database_->handle(), text.toUtf8().constData(), -1, &st, nullptr);
        if (rc != SQLITE_OK) {
            sqlite3_finalize(st);
            database_->fail(rc, text);
        }
        stream_ = st;
        bindParams(st);
        QList<FieldDef> defs;
        for (int c = 0; c < sqlite3_column_count(st); ++c)
            defs << textField(QString::fromUtf8(sqlite3_column_name(st, c)), 0);
        buildFields(defs);
        state_ = DataSetState::Browse;
        First();
        return;
    }
    sqlite3_stmt* st = prepareBound();
    QList<FieldDef> defs;
    const int cols = sqlite3_column_count(st);
    for (int c = 0; c < cols; ++c) defs << textField(QString::fromUtf8(sqlite3_column_name(st, c)), 0);
    buildFields(defs);
    rows_.clear();
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        QVector<QVariant> row(cols);
        readRow(st, row);
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
    if (stream_) {
        sqlite3_finalize(stream_);
        stream_ = nullptr;
    }
}

void Query::stepStream() {
    const int rc = sqlite3_step(stream_);
    if (rc == SQLITE_ROW) {
        readRow(stream_, buffer_);
        return;
    }
    eof_ = true;
    if (rc != SQLITE_DONE) {
        const QString text = Text();
        Close();
        database_->fail(rc, text);
    }
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
    if (uniDirectional_) {
        sqlite3_reset(stream_);
        pos_ = 0;
        bof_ = true;
        eof_ = false;
        stepStream();
        empty_ = eof_;
        if (empty_) pos_ = -1;
        return;
    }
    pos_ = 0;
    empty_ = rows_.isEmpty();
    eof_ = empty_;
    bof_ = true;
    if (!empty_) buffer_ = rows_[0];
}

void Query::Next() {
    checkActive();
    if (uniDirectional_) {
        if (eof_) return;
        stepStream();
        if (!eof_) {
            ++pos_;
            bof_ = false;
        }
        return;
    }
    if (pos_ + 1 >= rows_.size()) { eof_ = true; return; }
    ++pos_;
    bof_ = false;
    buffer_ = rows_[pos_];
}

}  // namespace db
