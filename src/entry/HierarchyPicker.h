#pragma once
#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace db {
class Field;
class Table;
}  // namespace db

namespace ui {
class EntryFormController;
}

// A picker over a long lookup table whose codes form a hierarchy: a tree
// built from the code lengths, a search box with next and previous, and a
// choice that only takes a node of the bottom level.
class THierarchyPicker : public QDialog {
    Q_OBJECT
public:
    // What Enter in the tree expands after the choice attempt.
    enum class EnterExpands {
        Nothing,                // legal natures
        TopLevelFully,          // activities and municipalities: a level-0 node with all below it
        OccupationLevels,       // occupations: levels 0 and 1 one level, level 2 fully
    };

    struct Setup {
        QString caption;
        std::function<int(const QString& code)> levelOf;   // the level of a code by its length
        int chosenLevel = 1;
        int charsCopied = 7;
        bool sortByText = false;
        EnterExpands enterExpands = EnterExpands::Nothing;
    };

    THierarchyPicker(const Setup& setup, QWidget* parent = nullptr);

    QTreeWidget* TreeView1;
    QLabel* Label1;
    QLineEdit* Edit1;
    QPushButton* btnNext;
    QPushButton* btnPrev;
    QPushButton* BitBtn3;

    // Where a choice writes; empty: the choice is only remembered (ChosenCode).
    std::function<db::Field*()> Target;

    void FillFromTable(db::Table& table);

    // The choice: a selected node of the chosen level gives its first
    // characters to the target and closes the window; anything else nothing.
    void SelectCode();
    // Searches from the node after (before) the selected one; true when found.
    bool FindNextNode();
    bool FindPrevNode();

    // The code chosen since ResetChoice (empty when none).
    const QString& ChosenCode() const { return chosen_; }
    void ResetChoice() { chosen_.clear(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int levelOf(const QTreeWidgetItem* node) const;
    bool chooseSelected();
    void enterInTree();
    bool find(bool forward);
    void updateIcons(QTreeWidgetItem* current, QTreeWidgetItem* previous);

    Setup setup_;
    ui::EntryFormController* kit_;
    QString chosen_;
};

// Node order of a tree as it is displayed, every level, expanded or not.
QList<QTreeWidgetItem*> TreeNodesInDisplayOrder(QTreeWidget* tree);
// A text with its accents removed ("administração" -> "administracao").
QString WithoutAccents(const QString& text);
// The search's comparison: without accents, the letters a to z in capitals.
QString SearchKey(const QString& text);
