#pragma once
#include "DataSet.h"

#include <functional>
#include <memory>
#include <span>
#include <vector>
#include <string>

namespace db {

// A table file opened as a dataset: a cursor in the order of its primary
// index (or of the index named), over the range set, with a one-record buffer
// for Edit and Append that Post writes and Cancel throws away.
class Table : public DataSet {
public:
    Table(std::shared_ptr<Database> database, const QString& tableName);
    ~Table() override;

    void SetDatabase(std::shared_ptr<Database> database) {
        releaseAppend();
        database_ = std::move(database);
        write_ = WriteStatements{};
    }
    Database& database() const { return *database_; }
    const QString& TableName() const { return tableName_; }
    void SetTableName(const QString& name) { tableName_ = name; }
    void SetIndexName(const QString& indexName);
    const QString& IndexName() const { return indexName_; }
    bool HasRange() const { return !rangeLow_.isEmpty() || !rangeHigh_.isEmpty(); }
    void SetExclusive(bool exclusive) { exclusive_ = exclusive; }
    // A read-only table (the lookups) reads through a connection of its own,
    // outside any transaction of the folder.
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool ReadOnly() const { return readOnly_; }
    bool Exclusive() const { return exclusive_; }

    void Open() override;
    void Close() override;
    void First() override;
    void Next() override;
    void Prior();
    void Last();
    int RecordCount() override;

    // Index operations on the leading fields of the current index.
    bool FindKey(const QStringList& values);
    void FindNearest(const QStringList& values);
    void SetRange(const QStringList& low, const QStringList& high);
    void CancelRange();
    bool Locate(const QStringList& fields, const QStringList& values, bool caseInsensitive = false,
                bool partialKey = false);

    void Edit();
    void Append();
    void Insert() { Append(); }
    void Post();
    // Many rows loaded at once: a row given as the UTF-8 bytes of each field,
    // in field order (empty: the field's blank), stored as Append, setting
    // each field and Post would store it, but with no record made or kept.
    // The cursor stays where it was; reading on shows the new rows.
    void AppendRow(std::span<const QByteArrayView> values);
    // The current row's values of the text fields given (by index), as the
    // bytes read, each as Field::AsUtf8 gives it and valid as long: one call
    // for a reader that takes many columns of every row. False, with nothing
    // given, when the row is not as read (posted or being edited) or a field
    // is not text: then each field is asked on its own.
    bool ReadBytes(std::span<const int> fields, QByteArrayView* out);
    // Copies of the rows of another table's range (`low`, `high` as SetRange
    // takes them; the source's own range and cursor are left alone)
    // appended without being read into the process, a block at a time, in
    // the source's order: each
    // field named gets its SQL expression over the source row (its columns
    // as s."Name", ?1, ?2... bound to `parameters`, a null one as NULL),
    // every other field its blank. The expressions must give values as the
    // store keeps them (cut to the field, without trailing blanks): nothing
    // is cut here. `keep`, when set, is asked for each row of the range in
    // order, with the row's values of the source's text fields `keepFields`
    // as Field::AsUtf8 gives them, and says whether it is copied; it must
    // not use the folder. Each call copies up to `limit` rows and returns
    // how many; `done` says the range has been gone through. The fields, the
    // kept fields, the limit and the number of bounds stay as the first call
    // found them.
    struct CopiedField {
        int field;
        QString expression;
    };
    struct RangeCopy {
        QStringList low, high;
        std::vector<CopiedField> fields;
        std::vector<QByteArray> parameters;
        std::vector<int> keepFields;
        std::function<bool(std::span<const QByteArrayView>)> keep;
        int limit = 2048;
        bool done = false;
        // Where the next block reads on from: the last row asked about.
        bool started = false;
        std::vector<std::string> lastKey;
        qint64 lastRowid = 0;
        // The statements made for the tables the copy went between.
        struct Made {
            QString target, from;
            QString sql[2];  // the first block's, the next ones'
            QString lastKeySql;
            int keys = 0;
        } made;
        // Starts the range again, keeping the statements made.
        void Restart() {
            done = started = false;
            lastKey.clear();
            lastRowid = 0;
        }
    };
    int AppendRangeCopies(Table& source, RangeCopy& copy);
    void Cancel();
    void Delete();
    void EmptyTable();

    const TableDef& Definition() const { return def_; }

private:
    // A row as read holds its columns (the key's, then the fields') as the
    // bytes SQLite gave, decoded when asked for; the rows of one read share
    // one block of bytes. A row just posted holds its values decoded.
    struct Block {
        std::string raw;
        std::vector<quint32> ends;  // per column of every row: its end in raw, its kind in the top bits
    };
    struct Row {
        qint64 rowid = 0;
        QVector<Value> values;
        std::shared_ptr<const Block> block;
        int first = 0;  // the row's first column in the block
        int keys = 0;   // key columns in the block
        bool isRaw() const { return bool(block); }
    };
    static void decodeColumn(const Row& row, int column, FieldType type, Value& out);
    QString keyText(const Row& row, int i) const;
    int keyCount(const Row& row) const;
    void decodePending(int index, Value& out) override;
    bool rawBytes(int index, QByteArrayView& out) override;
    QString selectList() const;
    mutable QString selectList_;
    mutable std::size_t selectListFields_ = 0;
    mutable QStringList selectListOrder_;
    struct FindKeyStatement {
        QString where;        // the key conditions
        QVector<int> widths;  // of the key columns
        QString schema, range, sql;
    };
    mutable QHash<int, FindKeyStatement> findKeyWhere_;  // by number of key values
    QHash<QString, QVector<Row>> memo_;  // rows found by key during a read snapshot
    quint64 memoSnapshot_ = 0;
    QString orderKey(bool withCollate) const;
    QString afterWhere(bool descending) const;
    QStringList storedBounds(const QStringList& values) const;  // rows after (before) a row given by its key and rowid
    QString rangeWhere() const;
    void bindRange(struct sqlite3_stmt* st, int& pos) const;
    QVector<Row> fetchSql(const QString& sql, const std::function<void(struct sqlite3_stmt*, int&)>& bindExtra);
    QVector<Row> fetch(const QString& extraWhere, const std::function<void(sqlite3_stmt*, int&)>& bindExtra,
                       bool descending, int limit);
    void setCurrent(const QVector<Row>& rows, int pos);
    void loadCurrent();
    void clearCurrent();
    void afterRow(bool descending);
    void checkBrowse();
    void readRow(sqlite3_stmt* st, Block& block, Row& row) const;
    const QVector<int>& keyFieldIndexes() const;
    QString schemaTable();
    Connection& conn() const { return database_->connection(readOnly_, tableName_); }
    void checkWritable() const;
    struct sqlite3_stmt* writeStatement(Connection& c, bool insert);

    std::shared_ptr<Database> database_;
    QString tableName_;
    QString indexName_;
    bool exclusive_ = false;
    bool readOnly_ = false;
    std::unique_ptr<TableLock> lock_;
    TableDef def_;
    QStringList orderFields_;
    bool orderNoCase_ = false;
    QStringList rangeLow_, rangeHigh_;
    bool lowBoundAsFilter_ = false;  // while reading on after a row
    QVector<Row> batch_;
    int pos_ = -1;
    quint64 stamp_ = 0;
    Row saved_;
    QString insertSql_, updateSql_;  // built once per opening
    // The insert and update statements of the attachment they were made for,
    // kept while the connection keeps its statements: a long append then
    // neither rebuilds nor looks up their text per row.
    struct WriteStatements {
        Connection* conn = nullptr;
        quint64 epoch = 0;
        QString target;
        sqlite3_stmt* insert = nullptr;
        sqlite3_stmt* update = nullptr;
        quint64 transaction = 0;  // the transaction in which the file was last checked
    } write_;
    // AppendRow's insert, of this table alone: the values of a row are kept
    // here and bound where they lie, so a value that keeps its length from
    // the row before needs no new binding (most fields of a long load).
    struct AppendStatement {
        Connection* conn = nullptr;
        quint64 epoch = 0;
        QString target;
        sqlite3_stmt* insert = nullptr;
        std::unique_ptr<char[]> room;      // the bytes bound: field i's at at[i], up to at[i + 1]
        std::vector<std::size_t> at;
        std::vector<int> width;            // per field: its width
        std::vector<std::string> longer;   // per field: a value longer than its room
        std::vector<const char*> boundAt;  // per field: where its binding points (null: none yet)
        std::vector<std::size_t> boundBytes;
        std::vector<int> boundFlag;        // per boolean field: the value bound (-1: none yet)
    } append_;
    void releaseAppend();
    mutable qsizetype rawHint_ = 64;  // the bytes of the largest row read so far (on average over a read)
    QVector<Value> blank_;  // a new record's values
    QVector<Value> spare_;  // the values of a row posted before, held by nothing else
    QByteArray utf8_;  // the encoded values of the row being posted
    mutable QVector<int> keyFieldIndexes_;  // of the order fields among the fields; -1 when absent
    mutable QStringList keyFieldOrder_;     // the order fields they were found for
    mutable QVector<bool> typed_;  // per column read: its storage type matters (a boolean's)
};

// Makes the SQL function the copies of rows ask through known to a
// connection of the store.
void RegisterCopyFunction(::sqlite3* connection);

}  // namespace db
