#include "Query.h"

#include <QSet>

#include <sqlite3.h>

#include <cstring>
#include <string>

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

sqlite3_stmt* Query::prepareBound(std::vector<std::unique_ptr<TableLock>>& locks) {
    const QString text = Text();
    name_ = text.simplified();
    for (const QString& path : database_->attachAllNamedIn(text))
        if (!TableLock::HeldHere(path)) locks.push_back(std::make_unique<TableLock>(path, false));
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

void Query::buildFieldsOf(sqlite3_stmt* st) {
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
}

namespace {

// A column's length: one byte below 254, else 254 and four bytes; 255 is NULL.
constexpr unsigned char kLongLength = 254;
constexpr unsigned char kNull = 255;
constexpr qsizetype kBlockSize = 1 << 20;

void appendColumn(std::string& row, const char* bytes, int size, bool isNull) {
    if (isNull) {
        row.push_back(char(kNull));
        return;
    }
    if (size < kLongLength) {
        row.push_back(char(size));
    } else {
        row.push_back(char(kLongLength));
        const quint32 length = quint32(size);
        row.append(reinterpret_cast<const char*>(&length), sizeof length);
    }
    row.append(bytes, std::size_t(size));
}

// The column at `at`: where its bytes start and how many (-1 for NULL);
// `at` moves past it.
qsizetype columnAt(const char* data, qsizetype& at, qsizetype& start) {
    const auto mark = static_cast<unsigned char>(data[at++]);
    if (mark == kNull) {
        start = at;
        return -1;
    }
    qsizetype length = mark;
    if (mark == kLongLength) {
        quint32 l;
        memcpy(&l, data + at, sizeof l);
        at += sizeof l;
        length = l;
    }
    start = at;
    at += length;
    return length;
}

QString takeColumn(const char* data, qsizetype& at) {
    qsizetype start;
    const qsizetype length = columnAt(data, at, start);
    return length < 0 ? QString() : QString::fromUtf8(data + start, length);
}

}  // namespace

void Query::Open() {
    if (Active()) return;
    if (uniDirectional_) {
        openStream();
        return;
    }
    std::vector<std::unique_ptr<TableLock>> locks;
    sqlite3_stmt* st = prepareBound(locks);
    const int cols = sqlite3_column_count(st);
    buildFieldsOf(st);
    blocks_.clear();
    rowStart_.clear();
    std::string row;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        row.clear();
        for (int c = 0; c < cols; ++c) {
            switch (sqlite3_column_type(st, c)) {
            case SQLITE_NULL: appendColumn(row, nullptr, 0, true); break;
            case SQLITE_INTEGER: {
                const QByteArray n = QByteArray::number(sqlite3_column_int64(st, c));
                appendColumn(row, n.constData(), int(n.size()), false);
                break;
            }
            case SQLITE_FLOAT: {
                const QByteArray n = QString::number(sqlite3_column_double(st, c)).toUtf8();
                appendColumn(row, n.constData(), int(n.size()), false);
                break;
            }
            default: {
                const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
                appendColumn(row, t, sqlite3_column_bytes(st, c), false);
            }
            }
        }
        const qsizetype size = qsizetype(row.size());
        if (blocks_.empty() || blocks_.back().size() + size > blocks_.back().capacity()) {
            blocks_.emplace_back();
            blocks_.back().reserve(std::max(kBlockSize, size));
        }
        QByteArray& block = blocks_.back();
        rowStart_.push_back((quint64(blocks_.size() - 1) << 32) | quint64(block.size()));
        block.append(row.data(), size);
    }
    sqlite3_reset(st);
    if (rc != SQLITE_DONE) {
        fields_.clear();
        blocks_.clear();
        rowStart_.clear();
        database_->fail(rc, Text());
    }
    state_ = DataSetState::Browse;
    First();
}

void Query::loadRow(int row) {
    pos_ = row;
    const quint64 place = rowStart_[std::size_t(row)];
    const char* data = blocks_[std::size_t(place >> 32)].constData();
    qsizetype at = qsizetype(place & 0xFFFFFFFFu);
    for (int c = 0; c < buffer_.size(); ++c) buffer_[c] = Value::ofText(takeColumn(data, at));
}

QString Query::ValueAt(int row, int column) const {
    if (row < 0 || std::size_t(row) >= rowStart_.size() || column < 0 || column >= int(fields_.size()))
        return QString();
    const quint64 place = rowStart_[std::size_t(row)];
    const char* data = blocks_[std::size_t(place >> 32)].constData();
    qsizetype at = qsizetype(place & 0xFFFFFFFFu);
    qsizetype start;
    for (int c = 0; c < column; ++c) columnAt(data, at, start);
    return takeColumn(data, at);
}

void Query::Close() {
    DataSet::Close();
    blocks_.clear();
    rowStart_.clear();
    pos_ = -1;
    if (stream_) {
        sqlite3_finalize(stream_);
        stream_ = nullptr;
    }
    streamLocks_.clear();
}

void Query::openStream() {
    const QString text = Text();
    name_ = text.simplified();
    for (const QString& path : database_->attachAllNamedIn(text))
        if (!TableLock::HeldHere(path)) streamLocks_.push_back(std::make_unique<TableLock>(path, false));
    sqlite3_stmt* st = nullptr;
    const int rc = sqlite3_prepare_v2(database_->handle(), text.toUtf8().constData(), -1, &st, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(st);
        streamLocks_.clear();
        database_->fail(rc, text);
    }
    stream_ = st;
    bindParams(st);
    buildFieldsOf(st);
    state_ = DataSetState::Browse;
    First();
}

void Query::stepStream() {
    const int rc = sqlite3_step(stream_);
    if (rc == SQLITE_ROW) {
        for (int c = 0; c < buffer_.size(); ++c) {
            switch (sqlite3_column_type(stream_, c)) {
            case SQLITE_NULL: buffer_[c] = Value::ofText(QString()); break;
            case SQLITE_INTEGER: buffer_[c] = Value::ofText(QString::number(sqlite3_column_int64(stream_, c))); break;
            case SQLITE_FLOAT: buffer_[c] = Value::ofText(QString::number(sqlite3_column_double(stream_, c))); break;
            default:
                buffer_[c] = Value::ofText(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stream_, c)),
                                                             sqlite3_column_bytes(stream_, c)));
            }
        }
        return;
    }
    eof_ = true;
    if (rc != SQLITE_DONE) {
        const QString text = Text();
        Close();
        database_->fail(rc, text);
    }
}

void Query::checkScrollable() const {
    if (uniDirectional_)
        throw DbError(ErrorKind::Usage, kGeneralError,
                      QStringLiteral("Operation not applicable to a unidirectional dataset.\n%1").arg(name_));
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
    empty_ = rowStart_.empty();
    eof_ = empty_;
    bof_ = true;
    if (!empty_) loadRow(0);
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
    if (empty_ || std::size_t(pos_ + 1) >= rowStart_.size()) { eof_ = true; return; }
    loadRow(pos_ + 1);
    bof_ = false;
}

// Before the first row the cursor stays where it is and reports the beginning.
void Query::Prior() {
    checkActive();
    checkScrollable();
    if (empty_ || pos_ <= 0) { bof_ = true; return; }
    loadRow(pos_ - 1);
    eof_ = false;
}

void Query::Last() {
    checkActive();
    checkScrollable();
    empty_ = rowStart_.empty();
    bof_ = empty_;
    eof_ = true;
    if (!empty_) loadRow(int(rowStart_.size()) - 1);
}

void Query::MoveTo(int row) {
    checkActive();
    checkScrollable();
    if (empty_ || row < 0 || std::size_t(row) >= rowStart_.size()) return;
    loadRow(row);
    bof_ = row == 0;
    eof_ = false;
}

}  // namespace db
