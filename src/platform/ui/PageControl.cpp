#include "PageControl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcutEvent>
#include <QTabBar>
#include <QWheelEvent>

namespace ui {

PageControl::PageControl(QWidget* parent) : QTabWidget(parent) {
    tabBar()->installEventFilter(this);
    // The tab bar must be able to take the focus, so that the field being left runs its check.
    tabBar()->setFocusPolicy(Qt::TabFocus);
}

void PageControl::SetCurrentPage(int index) { setCurrentIndex(index); }

PageControl* PageControl::ControlOf(const QWidget* widget, QWidget** page) {
    for (const QWidget* w = widget; w && !w->isWindow(); w = w->parentWidget()) {
        const QWidget* parent = w->parentWidget();
        if (!parent) break;
        if (auto* pc = qobject_cast<PageControl*>(parent->parentWidget())) {
            if (pc->indexOf(const_cast<QWidget*>(w)) >= 0) {
                if (page) *page = const_cast<QWidget*>(w);
                return pc;
            }
        }
    }
    return nullptr;
}

bool PageControl::askChange(int index) {
    if (index < 0 || index >= count() || index == currentIndex() || !isTabEnabled(index)) return false;
    if (Changing && !Changing(index)) return false;
    setCurrentIndex(index);
    return true;
}

bool PageControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched != tabBar()) return QTabWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() != Qt::LeftButton) return true;
        const int index = tabBar()->tabAt(me->position().toPoint());
        if (index >= 0 && index != currentIndex()) askChange(index);
        return true;
    }
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        return true;  // the tab bar would otherwise finish a change of its own
    case QEvent::KeyPress: {
        auto* ke = static_cast<QKeyEvent*>(event);
        if (ke->key() == Qt::Key_Left || ke->key() == Qt::Key_Up) {
            askChange(currentIndex() - 1);
            return true;
        }
        if (ke->key() == Qt::Key_Right || ke->key() == Qt::Key_Down) {
            askChange(currentIndex() + 1);
            return true;
        }
        if (ke->key() == Qt::Key_Home || ke->key() == Qt::Key_End) {
            askChange(ke->key() == Qt::Key_Home ? 0 : count() - 1);
            return true;
        }
        return false;
    }
    case QEvent::Wheel:
        return true;  // no page change by the wheel
    case QEvent::Shortcut: {
        // A tab's mnemonic (Alt+letter) asks like a click.
        const QKeySequence key = static_cast<QShortcutEvent*>(event)->key();
        for (int i = 0; i < count(); ++i) {
            if (QKeySequence::mnemonic(tabText(i)) == key) {
                askChange(i);
                return true;
            }
        }
        return false;
    }
    default:
        return false;
    }
}

void PageControl::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (ctrl && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_PageDown)) {
        askChange((currentIndex() + 1) % qMax(1, count()));
        return;
    }
    if (ctrl && (event->key() == Qt::Key_Backtab || event->key() == Qt::Key_PageUp)) {
        askChange((currentIndex() - 1 + count()) % qMax(1, count()));
        return;
    }
    QTabWidget::keyPressEvent(event);
}

}  // namespace ui
