#pragma once
#include <QAbstractTableModel>
#include <QStringList>
#include <QTableView>
#include <QVector>
#include <functional>

namespace db {
class Query;
}

// The read-only, row-selecting grid of the search lists: the rows of a query
// copied once when it is opened, shown through a display function per column
// (the stored values stay as they are).
class QueryGrid : public QTableView {
    Q_OBJECT
public:
    struct Column {
        QString field;
        QString title;
        Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
        // The display text of the stored value; `row` gives the row's other values by field.
        std::function<QString(const QString& value, const std::function<QString(const QString&)>& row)> display;
        int width = 0;
    };

    QueryGrid(QVector<Column> columns, QStringList fields, QWidget* parent = nullptr);

    // Copies the query's rows (the named fields) and selects the first row.
    void Load(db::Query& query);
    int RowCount() const;
    int CurrentRow() const;          // -1 without rows
    void SetCurrentRow(int row);
    QString Value(int row, const QString& field) const;
    QString CurrentValue(const QString& field) const { return Value(CurrentRow(), field); }

signals:
    void activatedRow(int row);      // double click or Enter

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The design's widths, but never narrower than a column's title in the current (scaled) font.
    void applyColumnWidths();

    class Model;
    Model* model_;
};
