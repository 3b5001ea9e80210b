#include "support/GuiDriver.h"

#include "listview/layout/LumeHeader.h"
#include "listview/model/LumeItem.h"
#include "listview/qt/LumeListviewWidget.h"
#include "platform/ui/Forms.h"
#include "platform/ui/TickList.h"
#include "platform/ui/WizardPage.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QScreen>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <QLineEdit>
#include <QPoint>
#include <QTabBar>
#include <QTest>
#include <QWindow>
#include <QKeyEvent>

namespace gui {

namespace {
QString describe(const QWidget* w) {
    QString name = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
    if (!w->windowTitle().isEmpty()) name += QStringLiteral(" (\"%1\")").arg(w->windowTitle());
    return name;
}

}  // namespace

void settle(int rounds) {
    for (int i = 0; i < rounds; ++i) QApplication::processEvents();
}

bool activate(QWidget* window) {
    window->activateWindow();
    if (QTest::qWaitForWindowActive(window)) return true;
    ADD_FAILURE() << "waited in vain for the window " << describe(window).toStdString() << " to become active";
    return false;
}

bool showActive(QWidget* window) {
    window->show();
    const bool active = activate(window);
    settle();
    return active;
}

bool enter(QWidget* field, int tries) {
    for (int i = 0; i < tries && QApplication::focusWidget() != field; ++i) {
        field->setFocus(Qt::TabFocusReason);
        settle();
    }
    return QApplication::focusWidget() == field;
}

bool typeInto(QLineEdit* edit, const QString& text) {
    const bool entered = enter(edit);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    return entered;
}

bool typeAndLeave(QLineEdit* edit, const QString& text) {
    const bool entered = typeInto(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
    settle();
    return entered;
}

void press(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(target, key, modifiers);
    settle();
}

QWidget* focused() { return QApplication::focusWidget(); }

void type(const QString& text) {
    for (const QChar c : text) {
        QWidget* target = focused();
        if (!target) {
            ADD_FAILURE() << "no widget has the focus to type into";
            return;
        }
        QTest::keyClick(target, c.toLatin1());
    }
    settle();
}

void typeAhead(const QString& keys, int together) {
    QWidget* target = focused();
    QWindow* window = target ? target->window()->windowHandle() : nullptr;
    if (!window) {
        ADD_FAILURE() << "no window has the keyboard to type ahead into";
        return;
    }
    int inGroup = 0;
    for (const QChar c : keys) {
        if (together > 0 && inGroup == together) {
            QCoreApplication::sendPostedEvents();
            inGroup = 0;
        }
        ++inGroup;
        int k = 0;
        QString text(c);
        switch (c.unicode()) {
        case '\t': k = Qt::Key_Tab; break;
        case '\n': k = Qt::Key_Return; text = QStringLiteral("\r"); break;
        case '\b': k = Qt::Key_Backspace; break;
        default: k = c.isLetter() ? int(c.toUpper().unicode()) : int(c.unicode()); break;
        }
        // Posted to the window, not to a widget: the window hands each key to its focus of the moment.
        QCoreApplication::postEvent(window, new QKeyEvent(QEvent::KeyPress, k, Qt::NoModifier, text));
        QCoreApplication::postEvent(window, new QKeyEvent(QEvent::KeyRelease, k, Qt::NoModifier, text));
    }
    settle();
}

void key(Qt::Key k, Qt::KeyboardModifiers modifiers) {
    QWidget* target = focused();
    if (!target) {
        ADD_FAILURE() << "no widget has the focus for the key";
        return;
    }
    QTest::keyClick(target, k, modifiers);
    settle();
}

void tab(int times) {
    for (int i = 0; i < times; ++i) key(Qt::Key_Tab);
}

bool tabTo(QWidget* target, int maxTabs) {
    auto reached = [target] {
        const QWidget* f = focused();
        return f && (f == target || target->isAncestorOf(f));
    };
    for (int i = 0; i < maxTabs && !reached(); ++i) tab();
    return reached();
}

void clickAt(QWidget* target, const QPoint& pos) {
    QTest::mouseClick(target, Qt::LeftButton, {}, pos);
    settle();
}

void click(QWidget* target) {
    QTest::mouseClick(target, Qt::LeftButton);
    settle();
}

void clickTab(QTabBar* bar, int index) {
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    settle();
}

void clickChild(QWidget* form, const char* name) { QTest::mouseClick(child<QWidget>(form, name), Qt::LeftButton); }

void tickLine(forms::TickList* list, int row) {
    const QRect r = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(r.right() - 10, r.center().y()));
    QTest::qWait(QApplication::doubleClickInterval() + 20);
}

QImage onScreen(QWidget* widget) {
    settle(3);
    QWidget* window = widget->window();
    const QRect r(widget->mapTo(window, QPoint(0, 0)), widget->size());
    return window->screen()
        ->grabWindow(window->winId(), r.x(), r.y(), r.width(), r.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

void clickItem(lume::TLumeListview* list, int index) {
    settle();  // rows are placed once the list has been laid out
    const lume::LumeRect r = (*list)->Items()[index]->DisplayRect;
    const int header = (*list)->Header->Visible() ? (*list)->Header->RuntimeHeight() : 0;
    const int x = (r.Left + std::min(r.Right, list->viewport()->width())) / 2;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(x, header + (r.Top + r.Bottom) / 2));
    settle();
}

QStringList clickOverBoxes(QWidget* target, QPoint pos) {
    QStringList texts;
    bool pressing = true;
    bool boxWhilePressed = false;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        texts << box->text();
        if (pressing) boxWhilePressed = true;
        if (QAbstractButton* b = box->defaultButton()) b->click();
        else box->accept();
    });
    answer.start(10);
    QTest::mousePress(target, Qt::LeftButton, {}, pos);
    pressing = false;
    if (boxWhilePressed) QTestPrivate::qtestMouseButtons.setFlag(Qt::LeftButton, false);  // came up on the box
    else QTest::mouseRelease(target, Qt::LeftButton, {}, pos);
    settle();
    answer.stop();
    QTest::qWait(QApplication::doubleClickInterval() + 20);  // the next click is no double click
    return texts;
}

FileDialogAnswer::FileDialogAnswer(QString fileName) : fileName_(std::move(fileName)), timer_(new QTimer) {
    QObject::connect(timer_, &QTimer::timeout, [this] { poll(); });
    timer_->start(10);
}

FileDialogAnswer::~FileDialogAnswer() { delete timer_; }

void FileDialogAnswer::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        dialogBoxes << box->text();
        if (QAbstractButton* yes = box->button(QMessageBox::Yes)) yes->click();
        else box->accept();
        return;
    }
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (!dialog || typed_) return;
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (!edit || !edit->isVisible()) return;
    typed_ = true;
    // Typed from a timer of its own: a box the Enter opens runs its loop
    // while this poll's timer must go on answering it.
    QTimer::singleShot(0, edit, [edit, name = fileName_] {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, name);
        QTest::keyClick(edit, Qt::Key_Return);
    });
}

namespace {
constexpr int kWatchdogTickMs = 250;
constexpr int kModalIdleTicks = 40;  // 10 s of running events

class ModalWatchdog : public QObject {
public:
    ModalWatchdog() {
        connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
        timer_.start(kWatchdogTickMs);
    }

private:
    void poll() {
        QWidget* top = QApplication::activeModalWidget();
        if (top != top_) {
            top_ = top;
            ticks_ = 0;
            return;
        }
        // Ticks, not wall time: a tick is missed while a step works without running events. A
        // wizard's page running its job (with a progress bar) is not waiting.
        if (auto* page = qobject_cast<forms::WizardPage*>(top); page && page->IsBusy()) ticks_ = 0;
        if (!top || ++ticks_ < kModalIdleTicks) return;
        ticks_ = 0;
        ADD_FAILURE() << "the modal window " << describe(top).toStdString() << " waited "
                      << kModalIdleTicks * kWatchdogTickMs / 1000
                      << " s for an answer or a step that never came; it is closed";
        if (forms::IsShowingModal(top)) forms::SetModalResult(top, forms::mrCancel);
        else if (auto* dialog = qobject_cast<QDialog*>(top)) dialog->reject();
        else top->close();
    }
    QTimer timer_;
    QPointer<QWidget> top_;
    int ticks_ = 0;
};
}  // namespace

void InstallModalWatchdog() {
    static ModalWatchdog* watchdog = new ModalWatchdog;
    (void)watchdog;
}

bool waitUntil(const std::function<bool()>& condition, const char* what, int timeoutMs) {
    if (QTest::qWaitFor(condition, timeoutMs)) return true;
    ADD_FAILURE() << "waited " << timeoutMs << " ms in vain for " << what;
    return false;
}

}  // namespace gui
