#pragma once
#include <QDialog>
#include <QStringList>
#include <functional>

class QTreeWidget;
class QTreeWidgetItem;

namespace db {
class Field;
class Table;
}  // namespace db

// A flat picker: a small dialog filled by one tree of root nodes, one per
// row of a lookup table ("code  - description", in key order). Choosing a
// node writes the first CharsCopied characters of its text into the target
// field (the field's width keeps only the code) and closes the window.
class TLookupPicker : public QDialog {
    Q_OBJECT
public:
    enum class ChooseOn { DoubleClick, SingleClick };

    TLookupPicker(const QString& caption, ChooseOn chooseOn, int charsCopied, QWidget* parent = nullptr);

    QTreeWidget* TreeView1;

    // The field a choice writes into, asked at the moment of the choice.
    std::function<db::Field*()> Target;

    // Fills the tree from a lookup table (opened when closed) or from fixed texts.
    void FillFromTable(db::Table& table);
    void FillFromTexts(const QStringList& texts);

    // The choice: the selected root node's first characters go into the
    // target field and the window closes; anything else does nothing.
    virtual void SelectCode();

    // The code most recently written by SelectCode (empty when none).
    const QString& ChosenCode() const { return chosen_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Called after a code has been written (the disability picker adds its description).
    virtual void AfterChoice(const QString&) {}
    bool closeOnEveryClick_ = false;   // the month picker

private:
    ChooseOn chooseOn_;
    int charsCopied_;
    QString chosen_;
};

// The node text of a lookup row: code, two blanks, a hyphen, a blank, description.
QString LookupNodeText(const QString& code, const QString& description);
