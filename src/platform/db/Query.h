#pragma once
#include "DataSet.h"

#include <QMap>
#include <memory>
#include <vector>

namespace db {

// A named text parameter of a query (":name" in its text).
class Param {
public:
    QString AsString;
    void Clear() { AsString.clear(); }
};

// Local SQL over the table files of a folder. The tables the text names are
// attached for it; every value goes in through a bound parameter. A SELECT is
// read whole when opened, its rows packed as UTF-8 and unpacked one at a time
// when the cursor reaches them, so that a large result stays small. A
// unidirectional query holds no rows at all: it reads each row from the
// engine as the cursor moves forward (First starts it again), for results
// read once from start to end, however long.
class Query : public DataSet {
public:
    explicit Query(std::shared_ptr<Database> database);
    ~Query() override;

    // Takes effect at the next Open (closes the query).
    void SetUniDirectional(bool on);
    bool UniDirectional() const { return uniDirectional_; }

    void SetDatabase(std::shared_ptr<Database> database) { database_ = std::move(database); }
    QStringList& SQL() { return sql_; }
    void SetSQL(const QString& text);
    QString Text() const { return sql_.join('\n'); }
    Param& ParamByName(const QString& name);

    void Open() override;
    void Close() override;
    void ExecSQL();
    void First() override;
    void Next() override;
    void Prior();
    void Last();
    // Unidirectional: the rows read so far.
    int RecordCount() override { return uniDirectional_ ? pos_ + 1 : int(rowStart_.size()); }
    int RowsAffected() const { return rowsAffected_; }

    // The current row's number (from 0; -1 when there is none) and moving the
    // cursor straight to a row; grids read any row without moving it.
    int RecNo() const { return empty_ ? -1 : pos_; }
    void MoveTo(int row);
    QString ValueAt(int row, int column) const;

private:
    // Holds every table the text names for shared use while it runs, so a
    // table another process holds exclusively is busy for SQL as well.
    struct sqlite3_stmt* prepareBound(std::vector<std::unique_ptr<TableLock>>& locks);
    void bindParams(struct sqlite3_stmt* st);
    void buildFieldsOf(struct sqlite3_stmt* st);
    void loadRow(int row);
    void openStream();
    void stepStream();
    void checkScrollable() const;

    std::shared_ptr<Database> database_;
    QStringList sql_;
    QMap<QString, Param> params_;
    // Every row's columns one after the other, each its length and its UTF-8
    // bytes, in blocks that are filled and never moved; a row's place is its
    // block number in the high half and its offset in the low half.
    std::vector<QByteArray> blocks_;
    std::vector<quint64> rowStart_;
    int pos_ = -1;
    int rowsAffected_ = 0;
    bool uniDirectional_ = false;
    // The unidirectional query's own statement (the connection's cache is
    // finalized whenever a file is detached, which must not end a result still
    // being read) and the locks of its tables while it is open.
    struct sqlite3_stmt* stream_ = nullptr;
    std::vector<std::unique_ptr<TableLock>> streamLocks_;
};

}  // namespace db
