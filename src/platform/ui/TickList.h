#pragma once
#include <QListWidget>

// The check list of every wizard page. A click on a line's text toggles its
// tick, a click on its box toggles it once, Enter and the space bar toggle
// the current line, moving with the keyboard toggles nothing, and with no
// current line nothing happens. Every toggle by the user is signalled.
namespace forms {

class TickList : public QListWidget {
    Q_OBJECT
public:
    explicit TickList(QWidget* parent = nullptr);

    // Adds a line without a tick.
    QListWidgetItem* AddLine(const QString& text);
    bool IsTicked(int row) const;
    // Changes ticks without signalling (a page's "select all" and its like).
    void SetTicked(int row, bool ticked);
    void SetAllTicked(bool ticked);

signals:
    // The user toggled the line's tick (not sent for SetTicked/SetAllTicked).
    void LineTicked(int row, bool ticked);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void onClicked(const QModelIndex& index);
    void onItemChanged(QListWidgetItem* item);
    void toggleCurrent();

    bool quiet_ = false;          // changes made by code
    bool boxToggled_ = false;     // the box of the clicked line toggled it already
};

// The number of ticked lines of a check list (0 for none).
int CountTickedItems(const QListWidget* list);

}  // namespace forms
