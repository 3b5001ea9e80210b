#include "support/GuiDriver.h"

#include "listview/LumeHeader.h"
#include "listview/LumeItem.h"
#include "listview/qt/LumeListviewWidget.h"
#include "platform/ui/TickList.h"

#include <QApplication>
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

void clickItem(lume::TLumeListview* list, int index) {
    settle();  // rows are placed once the list has been laid out
    const lume::LumeRect r = (*list)->Items()[index]->DisplayRect;
    const int header = (*list)->Header->Visible() ? (*list)->Header->RuntimeHeight() : 0;
    const int x = (r.Left + std::min(r.Right, list->viewport()->width())) / 2;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(x, header + (r.Top + r.Bottom) / 2));
    settle();
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    return QTest::qWaitFor(condition, timeoutMs);
}

}  // namespace gui
