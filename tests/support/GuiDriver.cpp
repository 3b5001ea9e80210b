#include "support/GuiDriver.h"

#include "platform/ui/TickList.h"

#include <QApplication>
#include <QLineEdit>
#include <QPoint>
#include <QTabBar>
#include <QTest>

namespace gui {

void settle(int rounds) {
    for (int i = 0; i < rounds; ++i) QApplication::processEvents();
}

bool activate(QWidget* window) {
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
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

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    return QTest::qWaitFor(condition, timeoutMs);
}

}  // namespace gui
