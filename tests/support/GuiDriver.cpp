#include "support/GuiDriver.h"

#include "platform/ui/TickList.h"

#include <QApplication>
#include <QScreen>
#include <QLineEdit>
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

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    return QTest::qWaitFor(condition, timeoutMs);
}

}  // namespace gui
