#include "declfile/consulta/ConsultaPage.h"

#include "platform/db/Query.h"
#include "platform/ui/Forms.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QShowEvent>
#include <QTableView>

namespace declfile {

ConsultaPage::ConsultaPage(ConsultaOwner& owner, QWidget* parent, const char* name, const QString& caption,
                           QSize design, QSize wide)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), owner_(owner) {
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(caption);
    forms::ScaleForm(this, design, wide);
    forms::CenterOnActivate(this);
}

void ConsultaPage::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void ConsultaPage::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QAbstractButton*>(focusWidget())) {
            if (button->isEnabled()) button->click();
        } else {
            focusNextChild();
        }
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ConsultaPage::ClosePage() {
    if (forms::IsShowingModal(this)) forms::SetModalResult(this, forms::mrCancel);
    hide();
}

QPushButton* ConsultaPage::makeButton(const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QLabel* ConsultaPage::makePanel(const char* name) {
    auto* l = new QLabel(this);
    l->setObjectName(QString::fromLatin1(name));
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumHeight(22);
    return l;
}

namespace {

// A read-only edit that asks for the room its widest value needs.
class ViewEdit : public QLineEdit {
public:
    ViewEdit(QWidget* parent, const char* sample) : QLineEdit(parent), sample_(QString::fromUtf8(sample)) {}
    QSize minimumSizeHint() const override { return withSample(QLineEdit::minimumSizeHint()); }
    QSize sizeHint() const override { return withSample(QLineEdit::sizeHint()); }

private:
    QSize withSample(QSize size) const {
        if (sample_.isEmpty()) return size;
        // The frame and the text margins around the value.
        const int needed = fontMetrics().horizontalAdvance(sample_) + 12;
        return QSize(std::max(size.width(), needed), size.height());
    }
    QString sample_;
};

// Fits a tab widget's captions again whenever its width or font changes.
class TabCaptionFitter : public QObject {
public:
    explicit TabCaptionFitter(QTabWidget* tabs) : QObject(tabs), tabs_(tabs) { tabs->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == tabs_ && (event->type() == QEvent::Resize || event->type() == QEvent::FontChange) && !fitting_) {
            fitting_ = true;
            fit();
            fitting_ = false;
        }
        return false;
    }

private:
    void fit() {
        QTabBar* bar = tabs_->tabBar();
        QFont font = tabs_->font();
        const int room = tabs_->width() - 4;
        for (int step = 0; step < 12; ++step) {
            bar->setFont(font);
            if (bar->sizeHint().width() <= room || font.pointSizeF() <= 1) break;
            font.setPointSizeF(font.pointSizeF() * 0.95);
        }
    }
    QTabWidget* tabs_;
    bool fitting_ = false;
};

}  // namespace

void FitTabCaptions(QTabWidget* tabs) {
    tabs->tabBar()->setElideMode(Qt::ElideNone);
    new TabCaptionFitter(tabs);
}

void ConsultaPage::setBodyAndButtons(QWidget* body, QLayout* buttons) {
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("scBody"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(body);
    auto* page = new QVBoxLayout(this);
    page->addWidget(scroll, 1);
    page->addLayout(buttons);
}

QWidget* BuildFieldGrid(QWidget* container, std::initializer_list<ViewField> fields, int columns) {
    auto* grid = new QGridLayout(container);
    grid->setVerticalSpacing(2);
    int row = 0, column = 0;
    for (const ViewField& f : fields) {
        if (column + f.span > columns) {
            row += 2;
            column = 0;
        }
        auto* edit = new ViewEdit(container, f.sample);
        edit->setObjectName(QString::fromLatin1(f.name));
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        auto* label = new QLabel(QString::fromUtf8(f.label), container);
        label->setBuddy(edit);
        grid->addWidget(label, row, column, 1, f.span);
        grid->addWidget(edit, row + 1, column, 1, f.span);
        column += f.span;
    }
    for (int c = 0; c < columns; ++c) grid->setColumnStretch(c, 1);
    grid->setRowStretch(row + 2, 1);
    return container;
}

QWidget* BuildOptionPair(QWidget* container, const QString& title, const char* yesName, const char* noName) {
    auto* box = new QGroupBox(title, container);
    auto* layout = new QHBoxLayout(box);
    for (auto [name, caption] : {std::pair{yesName, "Sim"}, std::pair{noName, "Não"}}) {
        auto* b = new QRadioButton(QString::fromUtf8(caption), box);
        b->setObjectName(QString::fromLatin1(name));
        layout->addWidget(b);
    }
    box->setEnabled(false);
    return box;
}

// ---- grid model -------------------------------------------------------------

QueryGridModel::QueryGridModel(db::Query& query, QList<Column> columns, QObject* parent)
    : QAbstractTableModel(parent), query_(query), columns_(std::move(columns)) {}

void QueryGridModel::Reload() {
    beginResetModel();
    fieldIndex_.clear();
    rows_ = 0;
    if (query_.Active()) {
        for (const Column& c : columns_) {
            db::Field* f = query_.FindField(c.field);
            fieldIndex_ << (f ? f->Index() : -1);
        }
        rows_ = query_.RecordCount();
    }
    endResetModel();
}

int QueryGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int QueryGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(columns_.size()); }

QVariant QueryGridModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.column() >= fieldIndex_.size()) return {};
    return query_.ValueAt(index.row(), fieldIndex_.at(index.column()));
}

QVariant QueryGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return section < columns_.size() ? columns_.at(section).title : QString();
    return {};
}

namespace {

class GridKeys : public QObject {
public:
    GridKeys(QObject* parent, std::function<void()> activated) : QObject(parent), activated_(std::move(activated)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                if (activated_) activated_();
                return true;
            }
        }
        return false;
    }

private:
    std::function<void()> activated_;
};

}  // namespace

QTableView* MakeGrid(QWidget* parent, const char* name, QueryGridModel* model,
                     std::function<void(int row)> currentRowChanged, std::function<void()> activated) {
    auto* grid = new QTableView(parent);
    grid->setObjectName(QString::fromLatin1(name));
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setAlternatingRowColors(false);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setWordWrap(false);
    const QFontMetrics metrics(grid->font());
    for (int c = 0; c < model->columns().size(); ++c) {
        const QueryGridModel::Column& column = model->columns().at(c);
        grid->setColumnWidth(c, std::max(metrics.horizontalAdvance(QString(column.chars, QLatin1Char('0'))),
                                         metrics.horizontalAdvance(column.title)) +
                                    16);
    }
    QObject::connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, grid,
                     [currentRowChanged](const QModelIndex& current, const QModelIndex&) {
                         if (current.isValid() && currentRowChanged) currentRowChanged(current.row());
                     });
    QObject::connect(grid, &QTableView::doubleClicked, grid, [activated](const QModelIndex& index) {
        if (index.isValid() && activated) activated();
    });
    grid->installEventFilter(new GridKeys(grid, std::move(activated)));
    return grid;
}

}  // namespace declfile
