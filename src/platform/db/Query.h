#pragma once
#include "DataSet.h"

#include <QMap>

namespace db {

// A named text parameter of a query (":name" in its text).
class Param {
public:
    QString AsString;
    void Clear() { AsString.clear(); }
};

// Local SQL over the table files of a folder. The tables the text names are
// attached for it; every value goes in through a bound parameter. A SELECT is
// read whole when opened, unless the query is unidirectional: then it reads
// one row at a time as the cursor moves forward (First starts it again), so
// a long result is never held at once.
class Query : public DataSet {
public:
    explicit Query(std::shared_ptr<Database> database);
    ~Query() override;

    void SetDatabase(std::shared_ptr<Database> database) { database_ = std::move(database); }
    QStringList& SQL() { return sql_; }
    void SetSQL(const QString& text);
    QString Text() const { return sql_.join('\n'); }
    Param& ParamByName(const QString& name);

    void SetUniDirectional(bool on);
    bool UniDirectional() const { return uniDirectional_; }

    void Open() override;
    void Close() override;
    void ExecSQL();
    void First() override;
    void Next() override;
    // Unidirectional: the rows read so far.
    int RecordCount() override { return uniDirectional_ ? pos_ + 1 : int(rows_.size()); }
    int RowsAffected() const { return rowsAffected_; }

private:
    struct sqlite3_stmt* prepareBound();
    void bindParams(struct sqlite3_stmt* st);
    void stepStream();
    void readRow(struct sqlite3_stmt* st, QVector<QVariant>& row) const;

    std::shared_ptr<Database> database_;
    QStringList sql_;
    QMap<QString, Param> params_;
    QVector<QVector<QVariant>> rows_;
    int pos_ = -1;
    int rowsAffected_ = 0;
    bool uniDirectional_ = false;
    struct sqlite3_stmt* stream_ = nullptr;  // a statement of its own, not the connection's cache
};

}  // namespace db
