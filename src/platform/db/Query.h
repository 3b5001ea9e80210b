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
// read whole when opened.
class Query : public DataSet {
public:
    explicit Query(std::shared_ptr<Database> database);

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
    int RecordCount() override { return int(rows_.size()); }
    int RowsAffected() const { return rowsAffected_; }

private:
    // Holds every table the text names for shared use while it runs, so a
    // table another process holds exclusively is busy for SQL as well.
    struct sqlite3_stmt* prepareBound(std::vector<std::unique_ptr<TableLock>>& locks);

    std::shared_ptr<Database> database_;
    QStringList sql_;
    QMap<QString, Param> params_;
    QVector<QVector<QVariant>> rows_;
    int pos_ = -1;
    int rowsAffected_ = 0;
};

}  // namespace db
