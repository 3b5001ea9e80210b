#pragma once
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QLineEdit;
class QWidget;

namespace db {
class DataSet;
}

namespace ui {

class EntryFormController;
class PageControl;
class RadioGroup;

// Flags of a control row.
enum ControlFlag : unsigned {
    kUpper = 1u << 0,          // typed letters become capitals
    kLower = 1u << 1,          // typed letters become small letters
    kReadOnly = 1u << 2,       // read-only, in the menu colour (SetLocked)
    kNoTabStop = 1u << 3,      // reached by the mouse only
    kMoney = 1u << 4,          // money edit (SetMoneyEdit)
    kDisabled = 1u << 5,       // disabled when built
    kIfFilled = 1u << 6,       // the exit check runs only when the trimmed value is not empty
    kSkipOnPageTab = 1u << 7,  // no exit check when the focus goes to a page tab
    kExitEvenForSkipped = 1u << 8,  // the exit runs also towards the skipped buttons (ExitEvenForSkipped)
    kZerosEmpty = 1u << 9,     // a bound value of zeros only shows empty (EditLink::SetZerosShownEmpty)
};

inline constexpr int kNoPage = -1;

// One control of a big form, declared once: what it is called, where it sits,
// how it edits, which help it opens, which field it shows and what runs when
// it is left. A row with `items` is a radio group; any other row a line edit.
struct ControlRow {
    QString name{};                // the design name (object name)
    int page = kNoPage;          // index in the form's page control; kNoPage: outside the pages
    QString mask{};                // design mask ("99999-999;0;"); empty: the bound field's own
    int width = 0;               // most characters typed; 0: the bound field's width
    int help = 0;                // help context
    QString field{};               // the bound column; empty: a plain edit the form fills itself
    std::function<void()> exit{};  // the exit check
    unsigned flags = 0;          // ControlFlag values
    QString hint{};                // tool tip
    QLineEdit** edit = nullptr;  // where the form keeps the built edit
    // Radio groups.
    QString title{};
    QStringList items{};           // the buttons' captions
    QStringList values{};          // the value stored for each button
    int columns = 1;
    RadioGroup** group = nullptr;
};

// Builds a form's controls from their rows, binds them to the dataset,
// registers their exit checks with the form's controller and sets the tab
// order of the rows. The form places the built controls in its layouts and
// keeps its own code for whatever a row cannot say.
class ControlTable {
public:
    // `pages` may be null for a form without pages; `dataSet` null for a form
    // without bound fields.
    ControlTable(EntryFormController* kit, db::DataSet* dataSet, PageControl* pages = nullptr);

    // Builds one row's control, parented to its page (or the form) and
    // returns it.
    QWidget* Add(ControlRow row);
    void Add(std::vector<ControlRow> rows);

    // Sets the tab order in the order the rows were added (the buttons of a
    // radio group in their order); `after` follow the last control. Call it
    // once the controls sit in their layouts: putting a control into another
    // parent moves it in the focus chain.
    void ApplyTabOrder(const std::vector<QWidget*>& after = {}) const;

    QWidget* Control(const QString& name) const;   // null when no row has that name
    QLineEdit* Edit(const QString& name) const;
    RadioGroup* Group(const QString& name) const;
    const ControlRow* Row(const QString& name) const;
    const ControlRow* RowOf(const QWidget* control) const;
    // The page index of a control's row (kNoPage when outside the pages or unknown).
    int PageOf(const QWidget* control) const;
    int Count() const { return int(built_.size()); }

private:
    struct Built {
        ControlRow row;
        QWidget* control;
    };
    QWidget* parentFor(int page) const;
    void registerExit(const ControlRow& row, QWidget* control);

    EntryFormController* kit_;
    db::DataSet* dataSet_;
    PageControl* pages_;
    std::vector<Built> built_;
};

}  // namespace ui
