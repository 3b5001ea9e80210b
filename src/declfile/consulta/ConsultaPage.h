#pragma once
#include <QAbstractTableModel>
#include <QDialog>
#include <QStringList>
#include <functional>

class QLabel;
class QLayout;
class QPushButton;
class QTabWidget;
class QTableView;
class TfmConsulta01;
class TfmConsulta02;
class TfmConsulta03;
class TfmConsulta04;
class TfmConsulta05;

namespace db {
class Query;
}

namespace declfile {

// What a page asks of the window that opened it: its sibling pages (null
// when no consultation runs) and the close of the whole consultation. The
// window implements it, so the pages need not know the window.
class ConsultaOwner {
public:
    virtual TfmConsulta01* Page01() const = 0;
    virtual TfmConsulta02* Page02() const = 0;
    virtual TfmConsulta03* Page03() const = 0;
    virtual TfmConsulta04* Page04() const = 0;
    virtual TfmConsulta05* Page05() const = 0;
    // "&Fechar" of any page: every consultation page and the window close.
    virtual void CloseConsultation() = 0;

protected:
    ~ConsultaOwner() = default;
};

// What the five consultation pages share: the window that opened them (the
// one their "&Fechar" closes, whichever instance it is), scaling and centring,
// their show actions each time they become visible, Enter and the close box.
class ConsultaPage : public QDialog {
    Q_OBJECT
public:
    ConsultaPage(ConsultaOwner& owner, QWidget* parent, const char* name, const QString& caption,
                 QSize design, QSize wide);

    ConsultaOwner& owner() const { return owner_; }

    // "&Voltar" (the summary page: "&Fechar").
    virtual void bbVoltarClick() = 0;

    // A close by the close box or Esc acts as the page's "&Voltar", so no
    // hidden page below is left waiting in its modal loop.
    void reject() override { bbVoltarClick(); }

protected:
    virtual void FormShow() {}
    void showEvent(QShowEvent* event) override;
    // Enter presses the focused button and elsewhere moves to the next control.
    void keyPressEvent(QKeyEvent* event) override;

    // Ends the page: the modal loop it runs in, or just hides it when shown
    // without one.
    void ClosePage();

    QPushButton* makeButton(const char* name, const QString& caption);
    // A framed label standing for one of the design's information panels.
    QLabel* makePanel(const char* name);
    // The page made of its body and its row of buttons. The body scrolls
    // when its fields need more room than the page's fixed size gives, so
    // the page keeps that size and cuts nothing.
    void setBodyAndButtons(QWidget* body, QLayout* buttons);

private:
    ConsultaOwner& owner_;
};

// "< &Anterior" and "&Próximo >" by the rows around the current one of a
// table or query: each neighbour is probed and the cursor left where it was.
template <class Rows>
void UpdateNavigation(Rows& rows, QWidget* prior, QWidget* next) {
    if (!rows.Active() || rows.IsEmpty()) {
        prior->setEnabled(false);
        next->setEnabled(false);
        return;
    }
    rows.Prior();
    prior->setEnabled(!rows.Bof());
    if (!rows.Bof()) rows.Next();
    rows.Next();
    next->setEnabled(!rows.Eof());
    if (!rows.Eof()) rows.Prior();
}

// A read-only edit of a page with its label above it, `span` cells wide;
// never narrower than `sample` (the widest value it shows, when known).
struct ViewField {
    const char* name;
    const char* label;
    int span = 1;
    const char* sample = nullptr;
};
// The edits placed left to right in rows of `columns` cells, in a widget of
// their own (a tab page or a group's body).
QWidget* BuildFieldGrid(QWidget* container, std::initializer_list<ViewField> fields, int columns);
// Keeps every tab caption whole: when the captions need more width than the
// tab widget has, they are drawn in a font small enough to fit.
void FitTabCaptions(QTabWidget* tabs);
// A disabled "Sim"/"Não" pair shown under a title.
QWidget* BuildOptionPair(QWidget* container, const QString& title, const char* yesName, const char* noName);

// A read-only grid model over the rows of an open query: the grid asks for
// the rows it paints, nothing is copied per row.
class QueryGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString title;
        QString field;
        int chars;  // the width the grid gives it, in digits
    };
    QueryGridModel(db::Query& query, QList<Column> columns, QObject* parent = nullptr);

    // Call after the query was opened again.
    void Reload();
    const QList<Column>& columns() const { return columns_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    db::Query& query_;
    QList<Column> columns_;
    QList<int> fieldIndex_;
    int rows_ = 0;
};

// A read-only grid that selects whole rows, reports the current row and takes
// Enter as a double click.
QTableView* MakeGrid(QWidget* parent, const char* name, QueryGridModel* model,
                     std::function<void(int row)> currentRowChanged, std::function<void()> activated);

}  // namespace declfile
