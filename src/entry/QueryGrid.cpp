#include "QueryGrid.h"

#include "platform/db/Query.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>

class QueryGrid::Model : public QAbstractTableModel {
public:
    Model(QVector<Column> columns, QStringList fields, QObject* parent)
        : QAbstractTableModel(parent), columns_(std::move(columns)), fields_(std::move(fields)) {}

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(rows_.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(columns_.size()); }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        const Column& c = columns_.at(index.column());
        if (role == Qt::TextAlignmentRole) return QVariant::fromValue(c.alignment);
        if (role != Qt::DisplayRole) return {};
        const QString v = value(index.row(), c.field);
        if (!c.display) return v;
        return c.display(v, [this, row = index.row()](const QString& field) { return value(row, field); });
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole) return columns_.at(section).title;
        return QAbstractTableModel::headerData(section, orientation, role);
    }

    QString value(int row, const QString& field) const {
        if (row < 0 || row >= rows_.size()) return QString();
        const int i = int(fields_.indexOf(field));
        return i < 0 ? QString() : rows_.at(row).at(i);
    }

    void load(db::Query& q) {
        beginResetModel();
        rows_.clear();
        QVector<db::Field*> found;
        for (const QString& f : fields_) found << q.FindField(f);
        rows_.reserve(q.RecordCount());
        for (q.First(); !q.Eof(); q.Next()) {
            QStringList row;
            row.reserve(found.size());
            for (db::Field* f : found) row << (f ? f->AsString() : QString());
            rows_.append(row);
        }
        endResetModel();
    }

    QVector<Column> columns_;
    QStringList fields_;
    QVector<QStringList> rows_;
};

QueryGrid::QueryGrid(QVector<Column> columns, QStringList fields, QWidget* parent)
    : QTableView(parent), model_(new Model(std::move(columns), std::move(fields), this)) {
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setStretchLastSection(true);
    applyColumnWidths();
    connect(this, &QTableView::doubleClicked, this, [this](const QModelIndex& index) { emit activatedRow(index.row()); });
}

void QueryGrid::applyColumnWidths() {
    const QFontMetrics header(horizontalHeader()->font());
    for (int i = 0; i < model_->columns_.size(); ++i) {
        const Column& c = model_->columns_.at(i);
        if (c.width <= 0) continue;
        // The title's text with the room the header's frame and margins take.
        const int title = header.horizontalAdvance(c.title) + 2 * header.averageCharWidth() + 8;
        setColumnWidth(i, qMax(c.width, title));
    }
}

void QueryGrid::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
        applyColumnWidths();
    }
}

void QueryGrid::Load(db::Query& query) {
    model_->load(query);
    if (RowCount() > 0) SetCurrentRow(0);
}

int QueryGrid::RowCount() const { return model_->rowCount(); }

int QueryGrid::CurrentRow() const {
    if (RowCount() == 0) return -1;
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : 0;
}

void QueryGrid::SetCurrentRow(int row) {
    if (row < 0 || row >= RowCount()) return;
    setCurrentIndex(model_->index(row, 0));
    selectRow(row);
}

QString QueryGrid::Value(int row, const QString& field) const { return model_->value(row, field); }

void QueryGrid::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        emit activatedRow(CurrentRow());
        return;
    }
    QTableView::keyPressEvent(event);
}
