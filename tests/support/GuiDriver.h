#pragma once
#include <QPoint>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <Qt>
#include <gtest/gtest.h>

#include <functional>

class QImage;
class QLineEdit;
class QTimer;
class QTabBar;
class QWidget;
namespace forms {
class TickList;
}
namespace lume {
class TLumeListview;
}

// Drives the program's windows as a user does, for the GUI tests. Boxes and
// modal forms are answered by ScriptedMessages and FormsScript.
namespace gui {

// Runs the events posted so far and those they post in turn.
void settle(int rounds = 8);

// Makes a shown window the active one and waits until it is.
bool activate(QWidget* window);

// Shows a window and waits until it is the active one, then settles.
bool showActive(QWidget* window);

// Puts the focus in a field, again while leaving the field before moves it on
// by itself. False when the focus would not stay there.
bool enter(QWidget* field, int tries = 4);

// Enters a field, replaces its text with keystrokes and stays there.
bool typeInto(QLineEdit* edit, const QString& text);

// The same, then leaves the field with Tab and settles.
bool typeAndLeave(QLineEdit* edit, const QString& text);

// A key on a control, then settle.
void press(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// ---- Keyboard journeys: keys go to whatever has the focus, as a user's do. ----

// The widget that has the keyboard focus (null when none has).
QWidget* focused();

// Types the text, one key at a time, into whatever has the focus at each key,
// then settles. Nothing is selected or cleared first: the text lands where
// the field put the caret.
void type(const QString& text);

// Types the keys ahead of the program, as a fast clerk or a keyboard wedge
// does: every key of the burst is queued on the window that has the keyboard
// before any is handled, and each goes to whatever has the focus when its turn
// comes; then settles. '\t' is Tab, '\n' Enter, '\b' Backspace.
// `together` > 0: the keys come in groups of that many, and the program does
// the work it has queued between two groups (as a busy window system hands
// them over); 0: all at once.
void typeAhead(const QString& keys, int together = 0);

// A key on whatever has the focus, then settle.
void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Tab on whatever has the focus, `times` times, settling after each.
void tab(int times = 1);

// Presses Tab until the control (or, for a radio group, one of its buttons)
// has the focus. False when it is not reached within `maxTabs` presses.
bool tabTo(QWidget* target, int maxTabs = 80);

// A left click at a point of a control, then settle.
void clickAt(QWidget* target, const QPoint& pos);

// A left click in the middle of a control, then settle.
void click(QWidget* target);

// A click on a page's tab, then settle.
void clickTab(QTabBar* bar, int index);

// The form's control of that name; a missing one fails the test.
template <typename T = QPushButton>
T* child(QWidget* form, const char* name) {
    T* w = form->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// A left click on the form's control of that name; no settle, as a click on a
// wizard's button may run the next pages before it returns.
void clickChild(QWidget* form, const char* name);

// A click on a line's tick box, then a wait so the next click is no double click.
void tickLine(forms::TickList* list, int row);

// A shown widget as the screen shows it once the pending events ran. Unlike
// QWidget::grab(), which paints the widget afresh, this shows only what the
// widget painted by itself: a part it failed to repaint shows stale.
QImage onScreen(QWidget* widget);
// A left click on a row of a list view in report view, then settle.
void clickItem(lume::TLumeListview* list, int index);

// A left click as a user makes it: the button goes down on the target and up
// again, but when the press opened a message box, the release falls on the
// box, not on the target. Each box shown meanwhile is answered with its
// default button; their texts are returned. Use with the real boxes
// (RealMessageBoxes).
QStringList clickOverBoxes(QWidget* target, QPoint pos);

// Answers the next file dialog the program shows itself (no runner
// installed) as a user does: types the name into its file-name field and
// presses Enter. A box the dialog opens over itself (its own question) is
// recorded in `dialogBoxes` and answered Yes.
class FileDialogAnswer {
public:
    explicit FileDialogAnswer(QString fileName);
    ~FileDialogAnswer();
    FileDialogAnswer(const FileDialogAnswer&) = delete;
    FileDialogAnswer& operator=(const FileDialogAnswer&) = delete;
    bool answered() const { return typed_; }
    QStringList dialogBoxes;

private:
    void poll();
    QString fileName_;
    bool typed_ = false;
    QTimer* timer_;
};

// Installed by the test programs' main: a modal window (a form, a wizard's
// page, a dialog) that stays on top with nothing happening for 10 seconds of
// running events fails the test, naming the window, and is closed, so that a
// journey that went astray ends in seconds instead of waiting for ever.
void InstallModalWatchdog();

// Waits, running events, until the condition holds; on timeout the test
// fails naming `what` it waited for, and false is returned.
bool waitUntil(const std::function<bool()>& condition, const char* what, int timeoutMs = 5000);

}  // namespace gui
