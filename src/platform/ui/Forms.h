#pragma once
#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>

class QWidget;
class QWindow;

// Form basics shared by every form of the program: modal showing that
// survives a form hiding itself, modal results, scaling to the screen and
// centring on activation.
namespace forms {

// Modal results with the numbering the forms' code relies on.
enum ModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
    mrNoToAll = 9,
    mrYesToAll = 10,
    mrClose = 11,
};

// "mrOk", "mrCancel", ... ("mrNone" for anything unknown).
QString ModalResultName(int result);

// Shows the form modally and runs a local event loop until the form sets a
// modal result, closes or is destroyed. Hiding the form does not end the loop:
// wizard pages hide themselves while the next page runs and show again after.
// A QDialog's accept()/reject()/done(r) end it with mrOk/mrCancel/r; closing
// the window without a result gives mrCancel. The form is hidden on return.
int ShowModal(QWidget* form);

// Sets the form's modal result; a value other than mrNone ends its ShowModal.
void SetModalResult(QWidget* form, int result);
int GetModalResult(const QWidget* form);
// True while the form is being shown through ShowModal.
bool IsShowingModal(const QWidget* form);

// Test seam: while a handler is installed, ShowModal calls it once the form
// is shown inside its loop. The handler may work the form (fill edits, click
// buttons) and returns the result to end with, or mrNone to leave the loop
// running until the form sets a result itself.
using ModalHandler = std::function<int(QWidget* form)>;
void SetModalHandler(ModalHandler handler);  // an empty handler removes it
bool HasModalHandler();

// The size and content factor a form takes on a screen, for a form designed
// at `design` on an 800 x 600 screen, with `wide` its fixed size on screens
// wider than 1024 pixels (an invalid `wide` keeps the design size). A form
// scaled `onEveryWidth` grows with the screen on wide screens too.
struct FormScale {
    QSize size;
    double contentFactor = 1.0;
};
FormScale ComputeFormScale(QSize screen, QSize design, QSize wide = QSize(), bool onEveryWidth = false);

// Resizes the form for the primary screen and scales its contents (fonts and
// the geometry of children placed without a layout).
void ScaleForm(QWidget* form, QSize design, QSize wide = QSize(), bool onEveryWidth = false);
// The same for a given screen size (tests).
void ScaleFormForScreen(QWidget* form, QSize screen, QSize design, QSize wide = QSize(),
                        bool onEveryWidth = false);

// The main window's fixed size on wide screens.
inline constexpr QSize kMainWindowWideSize{800, 580};

// Where a form's frame goes in the screen's available area: centred, never
// above or left of it.
QPoint PlaceOnScreen(const QRect& area, const QSize& frame);

// Centres the form on its screen now and every time it is activated or shown.
void CenterOnScreen(QWidget* form);
void CenterOnActivate(QWidget* form);

// Lives as a child of a modal window (a form, a box) while it is up: keys the
// user typed into the window below before the window system handed the
// keyboard to the modal one would be thrown away (that window is blocked);
// they are kept and given to the modal window, in the order typed, once it has
// the keyboard.
class KeysToModal : public QObject {
public:
    explicit KeysToModal(QWidget* modal);
    ~KeysToModal() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Kept {
        int key;
        Qt::KeyboardModifiers modifiers;
        QString text;
        bool autoRepeat;
    };
    bool blocked(QWindow* window) const;
    void handOver();
    QPointer<QWidget> modal_;
    QList<Kept> kept_;
};

}  // namespace forms
