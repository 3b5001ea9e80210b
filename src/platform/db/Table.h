#pragma once
#include "DataSet.h"

#include <span>
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
        std::vector<std::string> held;     // per field: the bytes bound
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

}  // namespace db
