#include "Table.h"

#include <sqlite3.h>

#include <QVarLengthArray>

#include <algorithm>

namespace db {

namespace {
constexpr int kBatch = 256;

QVariant columnValue(sqlite3_stmt* st, int col, FieldType type) {
    switch (sqlite3_column_type(st, col)) {
    case SQLITE_NULL: return type == FieldType::Boolean ? QVariant(false) : QVariant(QString());
    case SQLITE_INTEGER:
        if (type == FieldType::Boolean) return QVariant(sqlite3_column_int(st, col) != 0);
        return QVariant(QString::number(sqlite3_column_int64(st, col)));
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, col));
        const QString s = QString::fromUtf8(text, sqlite3_column_bytes(st, col));
        if (type == FieldType::Boolean) return QVariant(s == QLatin1String("1"));
        return QVariant(s);
    }
    }
}
// UTF-8 of a text appended to a buffer, without a buffer of its own per text.
void appendUtf8(QByteArray& out, QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t u = text[i].unicode();
        if (u < 0x80) {
            out.append(char(u));
            continue;
        }
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            u = QChar::surrogateToUcs4(char16_t(u), text[i + 1].unicode());
            ++i;
        } else if (QChar::isSurrogate(u)) {
            out.append('?');  // as QString::toUtf8 does with half a pair
            continue;
        }
        if (u < 0x800) {
            out.append(char(0xc0 | (u >> 6)));
        } else if (u < 0x10000) {
            out.append(char(0xe0 | (u >> 12)));
            out.append(char(0x80 | ((u >> 6) & 0x3f)));
        } else {
            out.append(char(0xf0 | (u >> 18)));
            out.append(char(0x80 | ((u >> 12) & 0x3f)));
            out.append(char(0x80 | ((u >> 6) & 0x3f)));
        }
        out.append(char(0x80 | (u & 0x3f)));
    }
}
}  // namespace

Table::Table(std::shared_ptr<Database> database, const QString& tableName)
    : database_(std::move(database)), tableName_(tableName) {
    name_ = tableName;
}

Table::~Table() = default;

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

void Table::readRow(sqlite3_stmt* st, Row& row) const {
    row.rowid = sqlite3_column_int64(st, 0);
    const int nk = orderFields_.size();
    const int columns = nk + int(fields_.size());
    row.keys = nk;
    row.ends.resize(columns);
    row.raw.reserve(rawHint_);
    for (int c = 0; c < columns; ++c) {
        ColumnKind kind = kText;
        switch (sqlite3_column_type(st, 1 + c)) {
        case SQLITE_NULL: kind = kNull; break;
        case SQLITE_INTEGER: kind = kInteger; [[fallthrough]];
        default:
            row.raw.append(reinterpret_cast<const char*>(sqlite3_column_text(st, 1 + c)), sqlite3_column_bytes(st, 1 + c));
        }
        row.ends[c] = quint32(row.raw.size()) | (quint32(kind) << kKindShift);
    }
    rawHint_ = std::max(rawHint_, row.raw.size());
}

// The value a column had when read, as the dataset gives it.
QVariant Table::decodeColumn(const Row& row, int column, FieldType type) {
    const quint32 e = row.ends.at(column);
    const quint32 begin = column ? (row.ends.at(column - 1) & kEndMask) : 0;
    const char* p = row.raw.constData() + begin;
    const qsizetype n = qsizetype((e & kEndMask) - begin);
    switch (e >> kKindShift) {
    case kNull: return type == FieldType::Boolean ? QVariant(false) : QVariant(QString());
    case kInteger:
        if (type == FieldType::Boolean) return QVariant(int(QByteArrayView(p, n).toLongLong()) != 0);
        return QVariant(QString::fromLatin1(p, n));
    default: {
        const QString s = QString::fromUtf8(p, n);
        if (type == FieldType::Boolean) return QVariant(s == QLatin1String("1"));
        return QVariant(s);
    }
    }
}

QString Table::keyText(const Row& row, int i) const {
    if (row.isRaw()) return decodeColumn(row, i, FieldType::Text).toString();
    return row.key.value(i).toString();
}

QVariant Table::decodePending(int index) {
    if (pos_ < 0 || pos_ >= batch_.size() || !batch_.at(pos_).isRaw()) return QVariant();
    const Row& row = batch_.at(pos_);
    return decodeColumn(row, row.keys + index, fields_[index]->DataType());
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
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        Row r;
        readRow(st, r);
        rows.append(std::move(r));
    }
    sqlite3_reset(st);
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
        buffer_[i] = fields_[i]->DataType() == FieldType::Boolean ? QVariant(false) : QVariant(QString());
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

// The rows after (or before) the current one in index order.
void Table::afterRow(bool descending) {
    if (pos_ < 0 || pos_ >= batch_.size()) { eof_ = true; return; }
    const Row cur = batch_.at(pos_);
    const QString coll = orderNoCase_ ? QStringLiteral(" COLLATE NOCASE") : QString();
    QStringList cols, marks;
    for (const QString& k : orderFields_) { cols << quoted(k) + coll; marks << QStringLiteral("?"); }
    cols << QStringLiteral("rowid");
    marks << QStringLiteral("?");
    const QString where = QStringLiteral("(%1) %2 (%3)").arg(cols.join(','), descending ? "<" : ">", marks.join(','));
    // Reading on from a row, SQLite must seek by that row: left as an index
    // term, the range's lower bound makes it rescan the range from its start
    // for every batch. The bound stays as a filter.
    struct Restore {
        bool& flag;
        ~Restore() { flag = false; }
    } restore{lowBoundAsFilter_};
    lowBoundAsFilter_ = !descending;
    const auto rows = fetch(where, [&](sqlite3_stmt* st, int& pos) {
        const int keys = cur.isRaw() ? cur.keys : int(cur.key.size());
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
    // Bounds are compared with stored values, so they take the form a value
    // takes when stored, as the values of FindKey and Locate do.
    auto stored = [this](const QStringList& values) {
        QStringList out;
        for (int i = 0; i < values.size(); ++i) {
            const int field = i < orderFields_.size() ? def_.fieldIndex(orderFields_[i]) : -1;
            out << normalizeText(values[i], field >= 0 ? def_.fields[field].width : 0);
        }
        return out;
    };
    rangeLow_ = stored(low);
    rangeHigh_ = stored(high);
    First();
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
            blank_[i] = fields_[i]->DataType() == FieldType::Boolean ? QVariant(false) : QVariant(QString());
    }
    buffer_ = blank_;
    state_ = DataSetState::Insert;
}

void Table::checkWritable() const {
    if (readOnly_)
        throw DbError(ErrorKind::Usage, kGeneralError, QStringLiteral("Table is read only.\n%1").arg(tableName_));
}

void Table::Post() {
    checkActive();
    if (state_ != DataSetState::Edit && state_ != DataSetState::Insert) return;
    checkWritable();
    const QString target = schemaTable();
    Connection& c = conn();
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
    sqlite3_stmt* st = state_ == DataSetState::Insert ? write_.insert : write_.update;
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
    // Each value is cut to its column once; the texts are encoded into one
    // buffer that lives until the step. The record buffer becomes the row
    // kept, its values replaced only where cutting or the type changed them
    // (and only once the row is written).
    utf8_.clear();
    QVarLengthArray<qsizetype, 128> ends;
    QVarLengthArray<std::pair<int, QVariant>, 8> changed;
    for (int i = 0; i < int(fields_.size()); ++i) {
        const QVariant& v = valueAt(i);
        if (fields_[i]->DataType() == FieldType::Boolean) {
            if (v.typeId() != QMetaType::Bool) changed.append({i, QVariant(v.toBool())});
        } else {
            const QString* held = v.typeId() == QMetaType::QString ? static_cast<const QString*>(v.constData()) : nullptr;
            const QString text = normalizeText(held ? *held : v.toString(), fields_[i]->Size());
            appendUtf8(utf8_, text);
            if (!held || text.size() != held->size()) changed.append({i, QVariant(text)});
        }
        ends.append(utf8_.size());
    }
    int pos = 1;
    for (int i = 0; i < int(fields_.size()); ++i) {
        if (fields_[i]->DataType() == FieldType::Boolean) {
            sqlite3_bind_int(st, pos++, buffer_.at(i).toBool() ? 1 : 0);
        } else {
            const qsizetype begin = i ? ends[i - 1] : 0;
            sqlite3_bind_text(st, pos++, utf8_.constData() + begin, int(ends[i] - begin), SQLITE_STATIC);
        }
    }
    if (state_ == DataSetState::Edit) sqlite3_bind_int64(st, pos++, batch_.at(pos_).rowid);
    const int rc = sqlite3_step(st);
    sqlite3_reset(st);
    if (rc != SQLITE_DONE) c.fail(rc, QStringLiteral("Table: %1").arg(database_->resolve(tableName_)));
    database_->noteChange();
    for (const auto& [i, value] : changed) buffer_[i] = value;
    Row row;
    row.values = buffer_;
    row.rowid = state_ == DataSetState::Insert ? sqlite3_last_insert_rowid(c.handle()) : batch_.at(pos_).rowid;
    if (keyFieldIndexes_.size() != orderFields_.size()) {
        keyFieldIndexes_.clear();
        for (const QString& k : orderFields_) {
            Field* f = FindField(k);
            keyFieldIndexes_ << (f ? f->Index() : -1);
        }
    }
    for (const int i : std::as_const(keyFieldIndexes_)) row.key << (i >= 0 ? row.values[i] : QVariant(QString()));
    state_ = DataSetState::Browse;
    if (row.key.size() != orderFields_.size() || orderFields_.isEmpty() || row.key.contains(QVariant())) {
        // The key is not among the dataset's fields: read the row back.
        setCurrent(fetch(QStringLiteral("rowid = ?"), [&](sqlite3_stmt* s, int& p) { sqlite3_bind_int64(s, p++, row.rowid); }, false, 1), 0);
    } else {
        setCurrent({row}, 0);
    }
    eof_ = bof_ = false;
    empty_ = false;
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
