#include "Table.h"

#include <sqlite3.h>

#include <QVarLengthArray>

#include <algorithm>
#include <exception>
#include <utility>

namespace db {

namespace {
constexpr int kBatch = 256;

// UTF-8 of a text written at `out` (room for three bytes a character);
// the end of what was written.
char* encodeUtf8(char* out, QStringView text) {
    const char16_t* s = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t u = s[i];
        if (u < 0x80) {
            *out++ = char(u);
            continue;
        }
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(s[i + 1])) {
            u = QChar::surrogateToUcs4(char16_t(u), s[i + 1]);
            ++i;
        } else if (QChar::isSurrogate(u)) {
            *out++ = '?';  // as QString::toUtf8 does with half a pair
            continue;
        }
        if (u < 0x800) {
            *out++ = char(0xc0 | (u >> 6));
        } else if (u < 0x10000) {
            *out++ = char(0xe0 | (u >> 12));
            *out++ = char(0x80 | ((u >> 6) & 0x3f));
        } else {
            *out++ = char(0xf0 | (u >> 18));
            *out++ = char(0x80 | ((u >> 12) & 0x3f));
            *out++ = char(0x80 | ((u >> 6) & 0x3f));
        }
        *out++ = char(0x80 | (u & 0x3f));
    }
    return out;
}

// The characters (UTF-16 units, as a text counts them) of valid UTF-8:
// every byte but a continuation starts one, and a four-byte one makes two.
qsizetype utf16Length(const char* p, qsizetype n) {
    qsizetype units = 0;
    for (qsizetype k = 0; k < n; ++k) {
        const auto b = static_cast<unsigned char>(p[k]);
        units += ((b & 0xC0) != 0x80) + (b >= 0xF0);
    }
    return units;
}
}  // namespace

Table::Table(std::shared_ptr<Database> database, const QString& tableName)
    : database_(std::move(database)), tableName_(tableName) {
    name_ = tableName;
}

Table::~Table() { releaseAppend(); }

void Table::releaseAppend() {
    // Finalized already when the connection's statements went (its epoch moved on).
    if (append_.insert && append_.conn && append_.epoch == append_.conn->statementEpoch())
        append_.conn->releaseOwn(append_.insert);
    append_ = AppendStatement{};
}

void Table::SetIndexName(const QString& indexName) {
    indexName_ = indexName;
    if (Active()) {
        const IndexDef* ix = indexName_.isEmpty() ? def_.primaryIndex() : def_.index(indexName_);
        if (!ix && !indexName_.isEmpty())
            throw DbError(ErrorKind::NotFound, kGeneralError, QStringLiteral("Index does not exist.\nIndex: %1").arg(indexName_));
        orderFields_ = ix ? ix->fields : QStringList();
        orderNoCase_ = ix && ix->caseInsensitive;
        keyFieldIndexes_.clear();
        First();
    }
}

QString Table::schemaTable() {
    const Database::Attached& a = conn().attach(tableName_);
    return a.schema + '.' + quoted(a.table);
}

void Table::Open() {
    if (Active()) return;
    name_ = tableName_;
    const QString path = database_->resolve(tableName_);
    if (!database_->tableExists(tableName_))
        throw DbError(ErrorKind::NotFound, kTableNotFound,
                      QStringLiteral("Table does not exist.\nTable: %1").arg(path));
    auto lock = std::make_unique<TableLock>(path, exclusive_);
    def_ = database_->tableDef(tableName_);
    QList<FieldDef> defs;
    if (persistent_.isEmpty()) {
        defs = def_.fields;
    } else {
        for (const FieldDef& p : persistent_) {
            const int i = def_.fieldIndex(p.name);
            if (i < 0)
                throw DbError(ErrorKind::NotFound, kFieldNotFound,
                              QStringLiteral("Field '%1' not found.\nTable: %2").arg(p.name, path));
            FieldDef d = def_.fields[i];
            d.editMask = p.editMask;
            defs << d;
        }
    }
    const IndexDef* ix = indexName_.isEmpty() ? def_.primaryIndex() : def_.index(indexName_);
    if (!ix && !indexName_.isEmpty())
        throw DbError(ErrorKind::NotFound, kGeneralError, QStringLiteral("Index does not exist.\nIndex: %1").arg(indexName_));
    orderFields_ = ix ? ix->fields : QStringList();
    orderNoCase_ = ix && ix->caseInsensitive;
    lock_ = std::move(lock);
    insertSql_.clear();
    write_ = WriteStatements{};
    releaseAppend();
    keyFieldIndexes_.clear();
    blank_.clear();
    buildFields(defs);
    selectList_.clear();
    findKeyWhere_.clear();
    state_ = DataSetState::Browse;
    rangeLow_.clear();
    rangeHigh_.clear();
    First();
}

void Table::Close() {
    DataSet::Close();
    releaseAppend();
    batch_.clear();
    pos_ = -1;
    lock_.reset();
}

// The column list and key order are the same for every read until the table
// is reopened or its index changes: built once, as a lookup table is read
// many thousand times in a check.
QString Table::selectList() const {
    if (!selectList_.isEmpty() && selectListFields_ == fields_.size() && selectListOrder_ == orderFields_)
        return selectList_;
    QStringList cols{QStringLiteral("rowid")};
    for (const QString& k : orderFields_) cols << quoted(k);
    for (const auto& f : fields_) cols << quoted(f->FieldName());
    selectList_ = cols.join(QStringLiteral(", "));
    // Only a boolean's storage type changes its value: the texts are read
    // without asking for theirs.
    typed_.clear();
    for (const QString& k : orderFields_) {
        const int i = def_.fieldIndex(k);
        typed_ << (i >= 0 && def_.fields[i].type == FieldType::Boolean);
    }
    for (const auto& f : fields_) typed_ << (f->DataType() == FieldType::Boolean);
    selectListFields_ = fields_.size();
    selectListOrder_ = orderFields_;
    findKeyWhere_.clear();
    return selectList_;
}

QString Table::orderKey(bool withCollate) const {
    QStringList cols;
    const QString coll = withCollate && orderNoCase_ ? QStringLiteral(" COLLATE NOCASE") : QString();
    for (const QString& k : orderFields_) cols << quoted(k) + coll;
    cols << QStringLiteral("rowid");
    return cols.join(QStringLiteral(", "));
}

QString Table::rangeWhere() const {
    if (rangeLow_.isEmpty() && rangeHigh_.isEmpty()) return QStringLiteral("1");
    QStringList parts;
    const QString coll = orderNoCase_ ? QStringLiteral(" COLLATE NOCASE") : QString();
    auto cond = [&](const QStringList& vals, const char* op, bool filterOnly) {
        if (vals.isEmpty()) return;
        QStringList cols, marks;
        for (int i = 0; i < vals.size() && i < orderFields_.size(); ++i) {
            cols << (filterOnly ? QStringLiteral("+") : QString()) + quoted(orderFields_[i]) + coll;
            marks << QStringLiteral("?");
        }
        parts << QStringLiteral("(%1) %2 (%3)").arg(cols.join(','), QLatin1String(op), marks.join(','));
    };
    cond(rangeLow_, ">=", lowBoundAsFilter_);
    cond(rangeHigh_, "<=", false);
    return parts.join(QStringLiteral(" AND "));
}

void Table::bindRange(sqlite3_stmt* st, int& pos) const {
    auto bind = [&](const QStringList& vals) {
        for (int i = 0; i < vals.size() && i < orderFields_.size(); ++i) {
            const QByteArray b = vals[i].toUtf8();
            sqlite3_bind_text(st, pos++, b.constData(), b.size(), SQLITE_TRANSIENT);
        }
    };
    bind(rangeLow_);
    bind(rangeHigh_);
}

namespace {
constexpr quint32 kKindShift = 30;
constexpr quint32 kEndMask = (1u << kKindShift) - 1;
enum ColumnKind : quint32 { kText = 0, kNull = 1, kInteger = 2 };
}  // namespace

void Table::readRow(sqlite3_stmt* st, Block& block, Row& row) const {
    row.rowid = sqlite3_column_int64(st, 0);
    const int nk = orderFields_.size();
    const int columns = nk + int(fields_.size());
    row.keys = nk;
    row.first = int(block.ends.size());
    const bool* typed = typed_.constData();
    for (int c = 0; c < columns; ++c) {
        // One call into the statement per column: the value's accessors need
        // no lock of the connection, as this one thread alone uses it.
        sqlite3_value* v = sqlite3_column_value(st, 1 + c);
        ColumnKind kind = kText;
        if (typed[c]) {
            switch (sqlite3_value_type(v)) {
            case SQLITE_NULL: kind = kNull; break;
            case SQLITE_INTEGER: kind = kInteger; [[fallthrough]];
            default:
                block.raw.append(reinterpret_cast<const char*>(sqlite3_value_text(v)), std::size_t(sqlite3_value_bytes(v)));
            }
        } else if (const unsigned char* text = sqlite3_value_text(v)) {
            // A number in a text column reads as the digits it would give.
            block.raw.append(reinterpret_cast<const char*>(text), std::size_t(sqlite3_value_bytes(v)));
        } else {
            kind = kNull;
        }
        block.ends.push_back(quint32(block.raw.size()) | (quint32(kind) << kKindShift));
    }
}

// The value a column had when read, as the dataset gives it.
void Table::decodeColumn(const Row& row, int column, FieldType type, Value& out) {
    const Block& b = *row.block;
    const int at = row.first + column;
    const quint32 e = b.ends[std::size_t(at)];
    const quint32 begin = at ? (b.ends[std::size_t(at - 1)] & kEndMask) : 0;
    const char* p = b.raw.data() + begin;
    const qsizetype n = qsizetype((e & kEndMask) - begin);
    out.stored = false;
    switch (e >> kKindShift) {
    case kNull:
        if (type == FieldType::Boolean) {
            out.kind = Value::Bool;
            out.flag = false;
            out.text = QString();
        } else {
            out.kind = Value::Text;
            out.text = QString();
        }
        return;
    case kInteger:
        if (type == FieldType::Boolean) {
            out.kind = Value::Bool;
            out.flag = int(QByteArrayView(p, n).toLongLong()) != 0;
            out.text = QString();
        } else {
            out.kind = Value::Text;
            out.text = QString::fromLatin1(p, n);
        }
        return;
    default:
        if (type == FieldType::Boolean) {
            out.kind = Value::Bool;
            out.flag = QByteArrayView(p, n) == "1";
            out.text = QString();
        } else {
            out.kind = Value::Text;
            out.text = QString::fromUtf8(p, n);
        }
    }
}

const QVector<int>& Table::keyFieldIndexes() const {
    if (keyFieldIndexes_.size() != orderFields_.size() || keyFieldOrder_ != orderFields_) {
        keyFieldIndexes_.clear();
        for (const QString& k : orderFields_) {
            auto it = byName_.constFind(k);
            if (it == byName_.constEnd()) it = byName_.constFind(k.toLower());
            keyFieldIndexes_ << (it != byName_.constEnd() ? (*it)->Index() : -1);
        }
        keyFieldOrder_ = orderFields_;
    }
    return keyFieldIndexes_;
}

int Table::keyCount(const Row& row) const { return row.isRaw() ? row.keys : int(orderFields_.size()); }

QString Table::keyText(const Row& row, int i) const {
    if (row.isRaw()) {
        Value v;
        decodeColumn(row, i, FieldType::Text, v);
        return v.text;
    }
    const int f = keyFieldIndexes().value(i, -1);
    return f >= 0 ? row.values.value(f).toString() : QString();
}

void Table::decodePending(int index, Value& out) {
    if (pos_ < 0 || pos_ >= batch_.size() || !batch_.at(pos_).isRaw()) {
        out = Value();
        return;
    }
    const Row& row = batch_.at(pos_);
    decodeColumn(row, row.keys + index, fields_[index]->DataType(), out);
}

bool Table::rawBytes(int index, QByteArrayView& out) {
    if (pos_ < 0 || pos_ >= batch_.size() || !batch_.at(pos_).isRaw()) return false;
    const Row& row = batch_.at(pos_);
    const Block& b = *row.block;
    const int at = row.first + row.keys + index;
    const quint32 e = b.ends[std::size_t(at)];
    if (e >> kKindShift == kNull) {
        out = QByteArrayView();
        return true;
    }
    // A text as SQLite gave it, or a number's digits: the bytes a decode would read.
    const quint32 begin = at ? (b.ends[std::size_t(at - 1)] & kEndMask) : 0;
    out = QByteArrayView(b.raw.data() + begin, qsizetype((e & kEndMask) - begin));
    return true;
}

bool Table::ReadBytes(std::span<const int> fields, QByteArrayView* out) {
    if (state_ != DataSetState::Browse || pos_ < 0 || pos_ >= batch_.size() || !batch_.at(pos_).isRaw()) return false;
    for (const int f : fields)
        if (f < 0 || f >= int(fields_.size()) || fields_[std::size_t(f)]->DataType() != FieldType::Text) return false;
    const Row& row = batch_.at(pos_);
    const Block& b = *row.block;
    for (std::size_t k = 0; k < fields.size(); ++k) {
        const int at = row.first + row.keys + fields[k];
        const quint32 e = b.ends[std::size_t(at)];
        if (e >> kKindShift == kNull) {
            out[k] = QByteArrayView();
            continue;
        }
        const quint32 begin = at ? (b.ends[std::size_t(at - 1)] & kEndMask) : 0;
        out[k] = QByteArrayView(b.raw.data() + begin, qsizetype((e & kEndMask) - begin));
    }
    return true;
}

QVector<Table::Row> Table::fetch(const QString& extraWhere,
                                 const std::function<void(sqlite3_stmt*, int&)>& bindExtra, bool descending,
                                 int limit) {
    QString order = orderKey(true);
    if (descending) order.replace(QStringLiteral(", "), QStringLiteral(" DESC, ")).append(QStringLiteral(" DESC"));
    const QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE %3 AND (%4) ORDER BY %5 LIMIT %6")
                            .arg(selectList(), schemaTable(), rangeWhere(),
                                 extraWhere.isEmpty() ? QStringLiteral("1") : extraWhere, order)
                            .arg(limit);
    return fetchSql(sql, bindExtra);
}

QVector<Table::Row> Table::fetchSql(const QString& sql, const std::function<void(sqlite3_stmt*, int&)>& bindExtra) {
    sqlite3_stmt* st = conn().prepare(sql);
    int pos = 1;
    bindRange(st, pos);
    if (bindExtra) bindExtra(st, pos);
    QVector<Row> rows;
    auto block = std::make_shared<Block>();
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        if (rows.isEmpty()) block->raw.reserve(std::size_t(rawHint_));
        Row r;
        r.block = block;
        readRow(st, *block, r);
        rows.append(std::move(r));
    }
    sqlite3_reset(st);
    if (!rows.isEmpty()) {
        rawHint_ = std::max(rawHint_, qsizetype(block->raw.size()) / rows.size());
        // Rows found by key may be kept for a long time: without spare room.
        if (rows.size() < 8) {
            block->raw.shrink_to_fit();
            block->ends.shrink_to_fit();
        }
    }
    if (rc != SQLITE_DONE) conn().fail(rc, tableName_);
    return rows;
}

void Table::setCurrent(const QVector<Row>& rows, int pos) {
    batch_ = rows;
    pos_ = pos;
    stamp_ = database_->changeCount();
    loadCurrent();
}

void Table::loadCurrent() {
    if (pos_ >= 0 && pos_ < batch_.size()) {
        const Row& row = batch_.at(pos_);
        if (row.isRaw()) {
            beginLazyRecord();
        } else {
            buffer_ = row.values;
            endLazyRecord();
        }
        empty_ = false;
    }
}

void Table::clearCurrent() {
    batch_.clear();
    pos_ = -1;
    endLazyRecord();
    for (int i = 0; i < buffer_.size(); ++i)
        buffer_[i] = fields_[i]->DataType() == FieldType::Boolean ? Value::ofBool(false) : Value::ofText(QString());
    empty_ = true;
    eof_ = bof_ = true;
}

void Table::checkBrowse() {
    checkActive();
    if (state_ == DataSetState::Edit || state_ == DataSetState::Insert) Post();
}

void Table::First() {
    checkBrowse();
    const auto rows = fetch(QString(), nullptr, false, kBatch);
    if (rows.isEmpty()) { clearCurrent(); return; }
    setCurrent(rows, 0);
    bof_ = true;
    eof_ = false;
}

void Table::Last() {
    checkBrowse();
    const auto rows = fetch(QString(), nullptr, true, 1);
    if (rows.isEmpty()) { clearCurrent(); return; }
    setCurrent(rows, 0);
    eof_ = true;
    bof_ = false;
}

QString Table::afterWhere(bool descending) const {
    const QString coll = orderNoCase_ ? QStringLiteral(" COLLATE NOCASE") : QString();
    QStringList cols, marks;
    for (const QString& k : orderFields_) { cols << quoted(k) + coll; marks << QStringLiteral("?"); }
    cols << QStringLiteral("rowid");
    marks << QStringLiteral("?");
    return QStringLiteral("(%1) %2 (%3)").arg(cols.join(','), descending ? "<" : ">", marks.join(','));
}

// The rows after (or before) the current one in index order.
void Table::afterRow(bool descending) {
    if (pos_ < 0 || pos_ >= batch_.size()) { eof_ = true; return; }
    const Row cur = batch_.at(pos_);
    const QString where = afterWhere(descending);
    // Reading on from a row, SQLite must seek by that row: left as an index
    // term, the range's lower bound makes it rescan the range from its start
    // for every batch. The bound stays as a filter.
    struct Restore {
        bool& flag;
        ~Restore() { flag = false; }
    } restore{lowBoundAsFilter_};
    lowBoundAsFilter_ = !descending;
    const auto rows = fetch(where, [&](sqlite3_stmt* st, int& pos) {
        const int keys = keyCount(cur);
        for (int i = 0; i < keys; ++i) {
            const QByteArray b = keyText(cur, i).toUtf8();
            sqlite3_bind_text(st, pos++, b.constData(), b.size(), SQLITE_TRANSIENT);
        }
        sqlite3_bind_int64(st, pos++, cur.rowid);
    }, descending, descending ? 1 : kBatch);
    if (rows.isEmpty()) {
        // Stay on the last record, as the engine does.
        if (descending) bof_ = true; else eof_ = true;
        return;
    }
    setCurrent(rows, 0);
    eof_ = bof_ = false;
}

void Table::Next() {
    checkBrowse();
    if (empty_) { eof_ = true; return; }
    if (stamp_ == database_->changeCount() && pos_ + 1 < batch_.size()) {
        ++pos_;
        loadCurrent();
        bof_ = false;
        return;
    }
    afterRow(false);
}

void Table::Prior() {
    checkBrowse();
    if (empty_) { bof_ = true; return; }
    afterRow(true);
    if (!bof_) batch_.resize(1);
}

int Table::RecordCount() {
    checkActive();
    const QString sql = QStringLiteral("SELECT count(*) FROM %1 WHERE %2").arg(schemaTable(), rangeWhere());
    sqlite3_stmt* st = conn().prepare(sql);
    int pos = 1;
    bindRange(st, pos);
    int n = 0;
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW) n = sqlite3_column_int(st, 0);
    sqlite3_reset(st);
    if (rc != SQLITE_ROW) conn().fail(rc, tableName_);
    return n;
}

bool Table::FindKey(const QStringList& values) {
    checkBrowse();
    if (orderFields_.isEmpty())
        throw DbError(ErrorKind::Usage, kGeneralError, QStringLiteral("Table has no index.\n%1").arg(tableName_));
    const int n = int(std::min(values.size(), orderFields_.size()));
    // Inside a read snapshot a read-only table cannot change: a key asked
    // for again is answered from the rows found the first time.
    const bool remember = readOnly_ && database_->inReadSnapshot() && rangeLow_.isEmpty() && rangeHigh_.isEmpty();
    QString memoKey;
    if (remember) {
        if (memoSnapshot_ != database_->snapshotNumber()) {
            memo_.clear();
            memoSnapshot_ = database_->snapshotNumber();
        }
        memoKey = indexName_;
        for (int i = 0; i < n; ++i) memoKey += QChar(0x1f) + values[i];
        const auto hit = memo_.constFind(memoKey);
        if (hit != memo_.constEnd()) {
            if (hit->isEmpty()) return false;
            setCurrent(*hit, 0);
            eof_ = bof_ = false;
            return true;
        }
    }
    selectList();  // drops the statements below when the columns or the index changed
    auto found = findKeyWhere_.find(n);
    if (found == findKeyWhere_.end()) {
        const QString coll = orderNoCase_ ? QStringLiteral(" COLLATE NOCASE") : QString();
        QStringList conds;
        FindKeyStatement f;
        for (int i = 0; i < n; ++i) {
            conds << quoted(orderFields_[i]) + coll + QStringLiteral(" = ?");
            f.widths << def_.fields.value(def_.fieldIndex(orderFields_[i])).width;
        }
        f.where = conds.join(QStringLiteral(" AND "));
        found = findKeyWhere_.insert(n, f);
    }
    FindKeyStatement& f = *found;
    // The whole text is kept while the file stays attached under the same
    // name and no range applies.
    const QString schema = schemaTable();
    const QString range = rangeWhere();
    if (f.sql.isEmpty() || f.schema != schema || f.range != range) {
        f.schema = schema;
        f.range = range;
        f.sql = QStringLiteral("SELECT %1 FROM %2 WHERE %3 AND (%4) ORDER BY %5 LIMIT %6")
                    .arg(selectList(), schema, range, f.where, orderKey(true))
                    .arg(kBatch);
    }
    const QVector<int>& widths = f.widths;
    const auto rows = fetchSql(f.sql, [&](sqlite3_stmt* st, int& pos) {
        for (int i = 0; i < n; ++i) {
            const int w = widths[i];
            const QByteArray b = normalizeText(values[i], w).toUtf8();
            sqlite3_bind_text(st, pos++, b.constData(), b.size(), SQLITE_TRANSIENT);
        }
    });
    if (remember) {
        // Keys that differ on every search (a PIS number) must not grow it without end.
        if (memo_.size() >= 4096) memo_.clear();
        memo_.insert(memoKey, rows);
    }
    if (rows.isEmpty()) return false;
    setCurrent(rows, 0);
    eof_ = bof_ = false;
    return true;
}

void Table::FindNearest(const QStringList& values) {
    checkBrowse();
    const QString coll = orderNoCase_ ? QStringLiteral(" COLLATE NOCASE") : QString();
    QStringList cols, marks;
    for (int i = 0; i < values.size() && i < orderFields_.size(); ++i) {
        cols << quoted(orderFields_[i]) + coll;
        marks << QStringLiteral("?");
    }
    const auto rows = fetch(QStringLiteral("(%1) >= (%2)").arg(cols.join(','), marks.join(',')),
                            [&](sqlite3_stmt* st, int& pos) {
                                for (int i = 0; i < values.size() && i < orderFields_.size(); ++i) {
                                    const QByteArray b = values[i].toUtf8();
                                    sqlite3_bind_text(st, pos++, b.constData(), b.size(), SQLITE_TRANSIENT);
                                }
                            }, false, kBatch);
    if (rows.isEmpty()) { Last(); return; }
    setCurrent(rows, 0);
    eof_ = bof_ = false;
}

void Table::SetRange(const QStringList& low, const QStringList& high) {
    checkBrowse();
    rangeLow_ = storedBounds(low);
    rangeHigh_ = storedBounds(high);
    First();
}

// Bounds are compared with stored values, so they take the form a value
// takes when stored, as the values of FindKey and Locate do.
QStringList Table::storedBounds(const QStringList& values) const {
    QStringList out;
    for (int i = 0; i < values.size(); ++i) {
        const int field = i < orderFields_.size() ? def_.fieldIndex(orderFields_[i]) : -1;
        out << normalizeText(values[i], field >= 0 ? def_.fields[field].width : 0);
    }
    return out;
}

void Table::CancelRange() {
    checkBrowse();
    rangeLow_.clear();
    rangeHigh_.clear();
    First();
}

bool Table::Locate(const QStringList& fieldNames, const QStringList& values, bool caseInsensitive, bool partialKey) {
    checkBrowse();
    QStringList conds;
    for (int i = 0; i < fieldNames.size() && i < values.size(); ++i) {
        const QString col = quoted(fieldNames[i]);
        if (partialKey)
            conds << QStringLiteral("substr(%1, 1, ?) = ?%2").arg(col, caseInsensitive ? " COLLATE NOCASE" : "");
        else
            conds << col + (caseInsensitive ? QStringLiteral(" = ? COLLATE NOCASE") : QStringLiteral(" = ?"));
    }
    const auto rows = fetch(conds.join(QStringLiteral(" AND ")), [&](sqlite3_stmt* st, int& pos) {
        for (int i = 0; i < fieldNames.size() && i < values.size(); ++i) {
            const int field = def_.fieldIndex(fieldNames[i]);
            const QString value = normalizeText(values[i], field >= 0 ? def_.fields[field].width : 0);
            const QByteArray b = value.toUtf8();
            if (partialKey) sqlite3_bind_int(st, pos++, int(value.size()));
            sqlite3_bind_text(st, pos++, b.constData(), b.size(), SQLITE_TRANSIENT);
        }
    }, false, 1);
    if (rows.isEmpty()) return false;
    setCurrent(rows, 0);
    eof_ = bof_ = false;
    return true;
}

void Table::Edit() {
    checkActive();
    if (state_ == DataSetState::Edit) return;
    if (state_ == DataSetState::Insert) return;
    if (empty_) { Append(); return; }
    state_ = DataSetState::Edit;
}

void Table::Append() {
    checkBrowse();
    saved_ = (pos_ >= 0 && pos_ < batch_.size()) ? batch_.at(pos_) : Row{};
    endLazyRecord();
    if (blank_.size() != buffer_.size()) {
        blank_.resize(buffer_.size());
        for (int i = 0; i < buffer_.size(); ++i)
            blank_[i] = fields_[i]->DataType() == FieldType::Boolean ? Value::ofBool(false) : Value::ofText(QString(), true);
    }
    if (spare_.size() == blank_.size()) {
        // The values of a row posted before, nobody's any more: made blank
        // in place, so a long append allocates no record per row.
        Value* values = spare_.data();
        for (qsizetype i = 0; i < spare_.size(); ++i) values[i].resetTo(blank_.at(i));
        buffer_ = std::move(spare_);
        spare_ = QVector<Value>();
    } else {
        buffer_ = blank_;
    }
    state_ = DataSetState::Insert;
}

void Table::checkWritable() const {
    if (readOnly_)
        throw DbError(ErrorKind::Usage, kGeneralError, QStringLiteral("Table is read only.\n%1").arg(tableName_));
}

sqlite3_stmt* Table::writeStatement(Connection& c, bool insert) {
    // Inside the transaction in which its file was last checked, nothing can
    // replace the file (the dataset holds it open and the transaction holds
    // its lock), and an unchanged statement epoch says it was not detached:
    // a long append neither looks the file up nor checks it again per row.
    const bool checked = write_.conn == &c && write_.epoch == c.statementEpoch() && c.inTransaction &&
                         write_.transaction == c.transactionNumber;
    const QString target = checked ? write_.target : schemaTable();
    if (!checked) write_.transaction = 0;
    if (write_.conn != &c || write_.epoch != c.statementEpoch() || write_.target != target) {
        if (!insertSql_.startsWith(QStringLiteral("INSERT INTO ") + target + ' ')) {
            QStringList cols, marks, sets;
            for (const auto& f : fields_) {
                cols << quoted(f->FieldName());
                marks << QStringLiteral("?");
                sets << quoted(f->FieldName()) + QStringLiteral(" = ?");
            }
            insertSql_ = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(target, cols.join(','), marks.join(','));
            updateSql_ = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(target, sets.join(','));
        }
        write_ = WriteStatements{};
        sqlite3_stmt* insert = c.prepare(insertSql_);
        sqlite3_stmt* update = c.prepare(updateSql_);
        write_ = WriteStatements{&c, c.statementEpoch(), target, insert, update};
    }
    if (c.inTransaction) write_.transaction = c.transactionNumber;
    return insert ? write_.insert : write_.update;
}

void Table::Post() {
    checkActive();
    if (state_ != DataSetState::Edit && state_ != DataSetState::Insert) return;
    checkWritable();
    Connection& c = conn();
    sqlite3_stmt* st = writeStatement(c, state_ == DataSetState::Insert);
    sqlite3_reset(st);
    // Each value is cut to its column once (a value set as text already is);
    // the texts are encoded into one buffer that lives until the step. The
    // record buffer becomes the row kept, its values replaced only where
    // cutting or the type changed them (and only once the row is written).
    const int count = int(fields_.size());
    qsizetype worst = 0;
    for (int i = 0; i < count; ++i) {
        const Value& v = valueAt(i);
        if (v.kind == Value::Text) worst += v.text.size();
        else if (v.kind == Value::Bool) worst += 5;
    }
    if (utf8_.size() < 3 * worst) utf8_.resize(3 * worst);
    char* at = utf8_.data();
    QVarLengthArray<std::pair<int, Value>, 8> changed;
    selectList();  // keeps which columns are booleans
    const bool* boolean = typed_.constData() + orderFields_.size();  // the fields' after the keys'
    const Value* values = buffer_.constData();
    int pos = 1;
    for (int i = 0; i < count; ++i, ++pos) {
        const Value& v = values[i];
        if (boolean[i]) {
            if (v.kind != Value::Bool) changed.append({i, Value::ofBool(v.toBool())});
            sqlite3_bind_int(st, pos, v.toBool() ? 1 : 0);
            continue;
        }
        if (v.kind == Value::Utf8) {
            // Bytes kept as the store keeps them: bound where they lie, until the step.
            sqlite3_bind_text(st, pos, v.bytes.data(), int(v.bytes.size()), SQLITE_STATIC);
            continue;
        }
        char* const begin = at;
        if (v.kind == Value::Text && v.stored) {
            at = encodeUtf8(at, v.text);
        } else {
            const QString held = v.toString();
            const QString text = normalizeText(held, fields_[i]->Size());
            at = encodeUtf8(at, text);
            if (v.kind != Value::Text || text.size() != held.size()) changed.append({i, Value::ofText(text, true)});
        }
        sqlite3_bind_text(st, pos, begin, int(at - begin), SQLITE_STATIC);
    }
    if (state_ == DataSetState::Edit) sqlite3_bind_int64(st, pos++, batch_.at(pos_).rowid);
    const int rc = sqlite3_step(st);
    sqlite3_reset(st);
    if (rc != SQLITE_DONE) c.fail(rc, QStringLiteral("Table: %1").arg(database_->resolve(tableName_)));
    database_->noteChange();
    for (auto& [i, value] : changed) buffer_[i] = std::move(value);
    Row row;
    row.values = buffer_;
    row.rowid = state_ == DataSetState::Insert ? sqlite3_last_insert_rowid(c.handle()) : batch_.at(pos_).rowid;
    const QVector<int>& keys = keyFieldIndexes();
    state_ = DataSetState::Browse;
    if (orderFields_.isEmpty() || keys.contains(-1)) {
        // The key is not among the dataset's fields: read the row back.
        setCurrent(fetch(QStringLiteral("rowid = ?"), [&](sqlite3_stmt* s, int& p) { sqlite3_bind_int64(s, p++, row.rowid); }, false, 1), 0);
    } else {
        saved_ = Row{};  // the row Cancel would have gone back to
        batch_.resize(1);
        Row previous = std::exchange(batch_[0], std::move(row));
        if (!previous.isRaw() && previous.values.isDetached()) spare_ = std::move(previous.values);
        pos_ = 0;
        stamp_ = database_->changeCount();
        loadCurrent();
    }
    eof_ = bof_ = false;
    empty_ = false;
}

void Table::AppendRow(std::span<const QByteArrayView> values) {
    checkBrowse();
    checkWritable();
    const int count = int(fields_.size());
    if (int(values.size()) != count)
        throw DbError(ErrorKind::Usage, kGeneralError,
                      QStringLiteral("A row of %1 values for %2 fields.\n%3").arg(values.size()).arg(count).arg(tableName_));
    Connection& c = conn();
    writeStatement(c, true);  // checks the file as Post does, and keeps the insert's text
    AppendStatement& a = append_;
    if (!a.insert || a.conn != &c || a.epoch != c.statementEpoch() || a.target != write_.target) {
        releaseAppend();
        sqlite3_stmt* made = c.prepareOwn(insertSql_);
        a.conn = &c;
        a.epoch = c.statementEpoch();
        a.target = write_.target;
        a.insert = made;
        // Room for the longest value a field takes once cut to its width, so
        // that a value's place, and its binding, stays from row to row.
        a.at.assign(std::size_t(count) + 1, 0);
        a.width.assign(std::size_t(count), 0);
        for (int i = 0; i < count; ++i) {
            a.width[i] = fields_[i]->Size();
            a.at[i + 1] = a.at[i] + std::size_t(a.width[i] > 0 ? 3 * a.width[i] : 64);
        }
        a.room = std::make_unique<char[]>(a.at[count]);
        a.longer.assign(std::size_t(count), std::string());
        a.boundAt.assign(std::size_t(count), nullptr);
        a.boundBytes.assign(std::size_t(count), 0);
        a.boundFlag.assign(std::size_t(count), -1);
    }
    sqlite3_stmt* st = a.insert;
    sqlite3_reset(st);
    selectList();  // keeps which columns are booleans
    const bool* boolean = typed_.constData() + orderFields_.size();
    for (int i = 0; i < count; ++i) {
        const char* p = values[i].data();
        qsizetype n = values[i].size();
        if (boolean[i]) {
            const QLatin1String b(p, n);
            const int on = b == QLatin1String("1") || b.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
            if (a.boundFlag[i] != on) {
                sqlite3_bind_int(st, i + 1, on);
                a.boundFlag[i] = on;
            }
            continue;
        }
        // A UTF-8 text never has fewer bytes than characters: only a longer
        // one may need cutting, and where its first `width` bytes are ASCII
        // they are its first `width` characters.
        const int width = a.width[i];  // kept side by side: the fields themselves lie all over the heap
        QByteArray recoded;
        if (width > 0 && n > width) {
            bool ascii = true;
            for (qsizetype k = 0; k < width && ascii; ++k) ascii = static_cast<unsigned char>(p[k]) < 0x80;
            if (ascii) {
                n = width;
            } else if (utf16Length(p, n) > width) {
                recoded = normalizeText(QString::fromUtf8(p, n), width).toUtf8();
                p = recoded.constData();
                n = recoded.size();
            }
        }
        // Trailing blanks eight at a time: names are padded to their slot.
        constexpr quint64 kBlanks = 0x2020202020202020ull;
        for (quint64 w; n >= 8 && (std::memcpy(&w, p + n - 8, 8), w == kBlanks);) n -= 8;
        while (n > 0 && p[n - 1] == ' ') --n;
        // SQLite reads a static binding when the row is stepped: the value
        // copied over the one before, in the same place and of the same
        // length, is bound already.
        char* held = a.room.get() + a.at[i];
        if (std::size_t(n) > a.at[i + 1] - a.at[i]) {
            a.longer[i].assign(p, std::size_t(n));
            held = a.longer[i].data();
        } else if (n > 0) {
            std::memcpy(held, p, std::size_t(n));
        }
        if (held != a.boundAt[i] || std::size_t(n) != a.boundBytes[i]) {
            sqlite3_bind_text(st, i + 1, held, int(n), SQLITE_STATIC);
            a.boundAt[i] = held;
            a.boundBytes[i] = std::size_t(n);
        }
    }
    const int rc = sqlite3_step(st);
    sqlite3_reset(st);
    if (rc != SQLITE_DONE) c.fail(rc, QStringLiteral("Table: %1").arg(database_->resolve(tableName_)));
    database_->noteChange();
}

namespace {

// The copy a keep function is asked for, while its block is stepped.
struct KeepCall {
    Table::RangeCopy* copy = nullptr;
    std::vector<QByteArrayView> values;
    std::exception_ptr failure;
};
thread_local KeepCall* tKeepCall = nullptr;

// lobrix_keep(rowid, the kept fields...): notes the row as the last one
// asked about and asks the copy whether to keep it.
void KeepFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    KeepCall* call = tKeepCall;
    if (!call || argc != 1 + int(call->values.size())) {
        sqlite3_result_error(context, "lobrix_keep outside a copy", -1);
        return;
    }
    Table::RangeCopy& copy = *call->copy;
    copy.lastRowid = sqlite3_value_int64(argv[0]);
    if (!copy.keep) {
        sqlite3_result_int(context, 1);
        return;
    }
    for (std::size_t i = 0; i < call->values.size(); ++i) {
        sqlite3_value* v = argv[1 + int(i)];
        const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(v));
        call->values[i] = text ? QByteArrayView(text, sqlite3_value_bytes(v)) : QByteArrayView();
    }
    // Nothing may be thrown through SQLite: the failure ends the step and
    // is thrown again after it.
    try {
        sqlite3_result_int(context, copy.keep(call->values) ? 1 : 0);
    } catch (...) {
        call->failure = std::current_exception();
        sqlite3_result_error(context, "lobrix_keep failed", -1);
    }
}

}  // namespace

void RegisterCopyFunction(sqlite3* connection) {
    sqlite3_create_function_v2(connection, "lobrix_keep", -1, SQLITE_UTF8 | SQLITE_DIRECTONLY, nullptr, KeepFunction,
                               nullptr, nullptr, nullptr);
}

int Table::AppendRangeCopies(Table& source, RangeCopy& copy) {
    checkBrowse();
    checkWritable();
    source.checkBrowse();
    if (copy.done) return 0;
    Connection& c = conn();
    if (&source.conn() != &c)
        throw DbError(ErrorKind::Usage, kGeneralError,
                      QStringLiteral("Rows copied from a table of another connection.\n%1").arg(source.TableName()));
    writeStatement(c, true);  // checks the file as Post does
    const QString target = write_.target;
    const QString from = source.schemaTable();
    // The statements' text is made once for the copy and its tables.
    RangeCopy::Made& made = copy.made;
    if (made.target != target || made.from != from) {
        QStringList columns, values;
        for (const CopiedField& f : copy.fields) {
            if (f.field < 0 || f.field >= int(fields_.size()))
                throw DbError(ErrorKind::Usage, kGeneralError,
                              QStringLiteral("No field %1.\n%2").arg(f.field).arg(tableName_));
            columns << quoted(fields_[std::size_t(f.field)]->FieldName());
            values << f.expression;
        }
        QStringList asked{QStringLiteral("s.rowid")};
        for (const int f : copy.keepFields) {
            if (f < 0 || f >= int(source.fields_.size()) ||
                source.fields_[std::size_t(f)]->DataType() != FieldType::Text)
                throw DbError(ErrorKind::Usage, kGeneralError,
                              QStringLiteral("No text field %1.\n%2").arg(f).arg(source.TableName()));
            asked << QStringLiteral("s.") + quoted(source.fields_[std::size_t(f)]->FieldName());
        }
        // The copy's range stands in for the source's while the text is made.
        const QStringList ownLow = std::exchange(source.rangeLow_, source.storedBounds(copy.low));
        const QStringList ownHigh = std::exchange(source.rangeHigh_, source.storedBounds(copy.high));
        for (const bool started : {false, true}) {
            // Reading on from the last row asked about, as Next does: the
            // range's lower bound stays as a filter, so that SQLite seeks by
            // that row.
            source.lowBoundAsFilter_ = started;
            made.sql[started] = QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM %4 AS s WHERE %5 AND (%6) AND "
                                               "lobrix_keep(%7) ORDER BY %8 LIMIT %9")
                                    .arg(target, columns.join(','), values.join(','), from, source.rangeWhere(),
                                         started ? source.afterWhere(false) : QStringLiteral("1"), asked.join(','),
                                         source.orderKey(true))
                                    .arg(copy.limit);
        }
        source.lowBoundAsFilter_ = false;
        source.rangeLow_ = ownLow;
        source.rangeHigh_ = ownHigh;
        QStringList keys;
        for (const QString& k : source.orderFields_) keys << quoted(k);
        made.lastKeySql = QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(keys.join(','), from);
        made.target = target;
        made.from = from;
        made.keys = int(source.orderFields_.size());
    }
    sqlite3_stmt* st = c.prepare(made.sql[copy.started]);
    // The parameters numbered in the expressions come first; those SQLite
    // numbers after them are the range's and the last row's.
    int numbered = 0;
    for (int i = sqlite3_bind_parameter_count(st); i > 0 && numbered == 0; --i)
        if (sqlite3_bind_parameter_name(st, i)) numbered = i;
    for (int i = 0; i < int(copy.parameters.size()) && i < numbered; ++i) {
        const QByteArray& p = copy.parameters[std::size_t(i)];
        if (p.isNull()) sqlite3_bind_null(st, i + 1);
        else sqlite3_bind_text(st, i + 1, p.constData(), int(p.size()), SQLITE_TRANSIENT);
    }
    int pos = numbered + 1;
    for (const QStringList& bound : {source.storedBounds(copy.low), source.storedBounds(copy.high)}) {
        for (int i = 0; i < bound.size() && i < source.orderFields_.size(); ++i) {
            const QByteArray b = bound[i].toUtf8();
            sqlite3_bind_text(st, pos++, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        }
    }
    if (copy.started) {
        for (const std::string& k : copy.lastKey)
            sqlite3_bind_text(st, pos++, k.data(), int(k.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int64(st, pos++, copy.lastRowid);
    }
    KeepCall call;
    call.copy = &copy;
    call.values.resize(copy.keepFields.size());
    const qint64 lastBefore = copy.lastRowid;
    KeepCall* outer = std::exchange(tKeepCall, &call);
    const int rc = sqlite3_step(st);
    tKeepCall = outer;
    const int copied = sqlite3_changes(c.handle());
    sqlite3_reset(st);
    if (call.failure) std::rethrow_exception(call.failure);
    if (rc != SQLITE_DONE) c.fail(rc, QStringLiteral("Table: %1").arg(database_->resolve(tableName_)));
    database_->noteChange();
    if (copied < copy.limit || copy.lastRowid == lastBefore) {
        copy.done = true;
        return copied;
    }
    // The next block reads on after the last row asked about: its key.
    sqlite3_stmt* key = c.prepare(made.lastKeySql);
    sqlite3_bind_int64(key, 1, copy.lastRowid);
    if (sqlite3_step(key) != SQLITE_ROW) {
        sqlite3_reset(key);
        c.fail(SQLITE_CORRUPT, QStringLiteral("Table: %1").arg(database_->resolve(source.TableName())));
    }
    copy.lastKey.resize(std::size_t(made.keys));
    for (int i = 0; i < made.keys; ++i) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(key, i));
        copy.lastKey[std::size_t(i)].assign(text ? text : "", text ? std::size_t(sqlite3_column_bytes(key, i)) : 0);
    }
    sqlite3_reset(key);
    copy.started = true;
    return copied;
}

void Table::Cancel() {
    checkActive();
    if (state_ == DataSetState::Insert) {
        state_ = DataSetState::Browse;
        if (saved_.rowid != 0) { batch_ = {saved_}; pos_ = 0; loadCurrent(); }
        else clearCurrent();
        return;
    }
    if (state_ == DataSetState::Edit) {
        state_ = DataSetState::Browse;
        loadCurrent();
    }
}

void Table::Delete() {
    checkActive();
    if (state_ == DataSetState::Insert) { Cancel(); return; }
    state_ = DataSetState::Browse;
    if (empty_ || pos_ < 0) return;
    checkWritable();
    const Row cur = batch_.at(pos_);
    sqlite3_stmt* st = conn().prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(schemaTable()));
    sqlite3_bind_int64(st, 1, cur.rowid);
    const int rc = sqlite3_step(st);
    sqlite3_reset(st);
    if (rc != SQLITE_DONE) conn().fail(rc, tableName_);
    database_->noteChange();
    afterRow(false);
    if (eof_) {
        // Deleted the last record: the new last one becomes current.
        afterRow(true);
        eof_ = true;
        if (bof_ && (batch_.isEmpty() || batch_.at(pos_).rowid == cur.rowid)) clearCurrent();
    }
}

void Table::EmptyTable() {
    checkActive();
    checkWritable();
    database_->emptyTable(tableName_);
    clearCurrent();
}

}  // namespace db
