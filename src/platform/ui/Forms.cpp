#include "platform/ui/Forms.h"

#include "platform/ui/LobrixApplication.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QPoint>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <QWindow>
#include <utility>

namespace forms {

namespace {

constexpr const char* kResultProperty = "lobrixModalResult";

ModalHandler& handlerSlot() {
    static ModalHandler handler;
    return handler;
}

// Lives as a child of a form while ShowModal runs: holds the loop to end and
// turns a close of a plain widget into mrCancel.
class ModalState : public QObject {
public:
    explicit ModalState(QWidget* form) : QObject(form), form_(form) {
        setObjectName(QStringLiteral("lobrixModalState"));
        form->installEventFilter(this);
    }
    ~ModalState() override {
        if (form_) form_->removeEventFilter(this);
    }
    void quit() {
        if (loop_) loop_->quit();
    }
    QEventLoop* loop_ = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == form_ && event->type() == QEvent::Close && !form_->isVisible()) {
            // A form closed while it is hidden (a list waiting on the form it handed over to) ends
            // its run now: whoever waits on it must not find it still running and show it again.
            if (GetModalResult(form_) == mrNone) SetModalResult(form_, mrCancel);
            return false;
        }
        if (watched == form_ && event->type() == QEvent::Close && !qobject_cast<QDialog*>(form_)) {
            // Whether the close was accepted is known only after it ran.
            QPointer<QWidget> form = form_;
            QTimer::singleShot(0, this, [form] {
                if (form && !form->isVisible() && GetModalResult(form) == mrNone)
                    SetModalResult(form, mrCancel);
            });
        }
        return false;
    }

private:
    QPointer<QWidget> form_;
};

ModalState* stateOf(const QWidget* form) {
    return form ? form->findChild<ModalState*>(QStringLiteral("lobrixModalState"),
                                               Qt::FindDirectChildrenOnly)
                : nullptr;
}

class CenterFilter : public QObject {
public:
    explicit CenterFilter(QWidget* form) : QObject(form) {
        setObjectName(QStringLiteral("lobrixCenterOnActivate"));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show) {
            if (auto* w = qobject_cast<QWidget*>(watched)) CenterOnScreen(w);
        }
        return false;
    }
};

QFont scaledFont(QFont f, double factor) {
    if (f.pointSizeF() > 0) f.setPointSizeF(f.pointSizeF() * factor);
    else if (f.pixelSize() > 0) f.setPixelSize(qRound(f.pixelSize() * factor));
    return f;
}

// Widgets with a font of their own, with that font as it is before scaling:
// changing the form's font first would pass through to some of them.
void collectOwnFonts(QWidget* parent, QList<QPair<QPointer<QWidget>, QFont>>& fonts) {
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow()) continue;
        if (w->testAttribute(Qt::WA_SetFont)) fonts.append({w, w->font()});
        collectOwnFonts(w, fonts);
    }
}

void scaleGeometry(QWidget* parent, double factor) {
    const bool placedByHand = parent->layout() == nullptr;
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow()) continue;
        if (placedByHand) {
            const QRect g = w->geometry();
            w->setGeometry(qRound(g.x() * factor), qRound(g.y() * factor), qRound(g.width() * factor),
                           qRound(g.height() * factor));
        }
        scaleGeometry(w, factor);
    }
}

}  // namespace

QString ModalResultName(int result) {
    switch (result) {
    case mrOk: return QStringLiteral("mrOk");
    case mrCancel: return QStringLiteral("mrCancel");
    case mrAbort: return QStringLiteral("mrAbort");
    case mrRetry: return QStringLiteral("mrRetry");
    case mrIgnore: return QStringLiteral("mrIgnore");
    case mrYes: return QStringLiteral("mrYes");
    case mrNo: return QStringLiteral("mrNo");
    case mrAll: return QStringLiteral("mrAll");
    case mrNoToAll: return QStringLiteral("mrNoToAll");
    case mrYesToAll: return QStringLiteral("mrYesToAll");
    case mrClose: return QStringLiteral("mrClose");
    default: return QStringLiteral("mrNone");
    }
}

void SetModalResult(QWidget* form, int result) {
    if (!form) return;
    form->setProperty(kResultProperty, result);
    if (result != mrNone) {
        if (ModalState* s = stateOf(form)) s->quit();
    }
}

int GetModalResult(const QWidget* form) {
    if (!form) return mrNone;
    const QVariant v = form->property(kResultProperty);
    return v.isValid() ? v.toInt() : mrNone;
}

bool IsShowingModal(const QWidget* form) { return stateOf(form) != nullptr; }

void SetModalHandler(ModalHandler handler) { handlerSlot() = std::move(handler); }
bool HasModalHandler() { return static_cast<bool>(handlerSlot()); }

KeysToModal::KeysToModal(QWidget* modal) : QObject(modal), modal_(modal) {
    qApp->installEventFilter(this);
    modal->installEventFilter(this);
}

KeysToModal::~KeysToModal() {
    qApp->removeEventFilter(this);
    if (modal_) modal_->removeEventFilter(this);
}

bool KeysToModal::eventFilter(QObject* watched, QEvent* event) {
    if (!modal_) return false;
    const QEvent::Type type = event->type();
    if (watched == modal_) {
        if (type == QEvent::WindowActivate && !kept_.isEmpty())
            QTimer::singleShot(0, this, [this] { handOver(); });
        return false;
    }
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride && type != QEvent::KeyRelease) return false;
    auto* window = qobject_cast<QWindow*>(watched);
    QWindow* own = modal_->windowHandle();
    if (!window || !own) return false;
    if (window == own) {
        // A key that reaches the modal window comes after those typed before it.
        if (type == QEvent::KeyPress && !kept_.isEmpty()) handOver();
        return false;
    }
    if (QApplication::activeModalWidget() != modal_ || !blocked(window)) return false;
    // A key the window system gives to a blocked window arrives only as its shortcut check; a key
    // posted to one arrives as itself.
    const auto* ke = static_cast<QKeyEvent*>(event);
    if ((type == QEvent::ShortcutOverride && event->spontaneous()) ||
        (type == QEvent::KeyPress && !event->spontaneous())) {
        kept_.append({ke->key(), ke->modifiers(), ke->text(), ke->isAutoRepeat()});
        if (modal_->isActiveWindow()) QTimer::singleShot(0, this, [this] { handOver(); });
    }
    return true;
}

bool KeysToModal::blocked(QWindow* window) const {
    if (window->type() == Qt::Popup || window->type() == Qt::ToolTip) return false;
    // A window that stands beside the form (the help) is transient for it and takes its own keys.
    for (QWindow* up = window->transientParent(); up; up = up->transientParent())
        if (up == modal_->windowHandle()) return false;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->windowHandle() == window) return w != modal_ && !modal_->isAncestorOf(w);
    return false;
}

void KeysToModal::handOver() {
    QWindow* own = modal_ ? modal_->windowHandle() : nullptr;
    if (!own || !modal_->isActiveWindow()) return;
    const QList<Kept> keys = std::exchange(kept_, {});
    for (const Kept& k : keys) {
        QKeyEvent press(QEvent::KeyPress, k.key, k.modifiers, k.text, k.autoRepeat);
        QCoreApplication::sendEvent(own, &press);
        if (!modal_ || !modal_->isVisible()) return;  // the key answered it
        QKeyEvent release(QEvent::KeyRelease, k.key, k.modifiers, k.text, k.autoRepeat);
        QCoreApplication::sendEvent(own, &release);
    }
}

int ShowModal(QWidget* form) {
    if (!form) return mrCancel;
    // After a fatal error nothing is shown any more; the program is ending.
    if (appguard::TerminateRequested()) return mrCancel;
    if (IsShowingModal(form)) return GetModalResult(form);  // no second loop on one form
    QPointer<QWidget> guard(form);
    // The window the user worked in before: it is the active one again afterwards.
    QPointer<QWidget> previous = QApplication::activeWindow();
    SetModalResult(form, mrNone);

    auto* state = new ModalState(form);
    auto* keys = new KeysToModal(form);
    QEventLoop loop;
    state->loop_ = &loop;
    QObject::connect(form, &QObject::destroyed, &loop, &QEventLoop::quit);
    if (auto* dialog = qobject_cast<QDialog*>(form)) {
        dialog->setResult(0);
        QObject::connect(dialog, &QDialog::finished, state, [form](int r) {
            if (GetModalResult(form) != mrNone) return;
            SetModalResult(form, r == QDialog::Accepted   ? int(mrOk)
                                 : r == QDialog::Rejected ? int(mrCancel)
                                                          : r);
        });
    }

    const Qt::WindowModality oldModality = form->windowModality();
    if (form->isWindow() && !form->isVisible()) form->setWindowModality(Qt::ApplicationModal);
    form->show();
    // The offscreen platform of the tests has no window stack.
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        form->raise();
        form->activateWindow();
    }

    if (ModalHandler handler = handlerSlot()) {
        QTimer::singleShot(0, state, [guard, handler] {
            if (!guard) return;
            const int r = handler(guard);
            if (guard && r != mrNone) SetModalResult(guard, r);
        });
    }
    if (GetModalResult(form) == mrNone) loop.exec(QEventLoop::DialogExec);

    if (!guard) return mrCancel;
    int result = GetModalResult(form);
    if (result == mrNone) result = mrCancel;
    delete keys;
    delete state;
    form->hide();
    if (form->isWindow()) form->setWindowModality(oldModality);
    // Without a window manager (or before it acts) no window would get the keys.
    if (previous && previous != form && previous->isVisible() && QApplication::activeWindow() != previous)
        previous->activateWindow();
    return result;
}

FormScale ComputeFormScale(QSize screen, QSize design, QSize wide, bool onEveryWidth) {
    FormScale s;
    const int sw = screen.width();
    const int sh = screen.height();
    if (sw == 800 || sw <= 0 || sh <= 0) {
        s.size = design;
    } else if (onEveryWidth && qint64(sw) * 600 > qint64(sh) * 800) {
        // A screen wider than 4:3: grown by the width, the contents placed by hand would run
        // below the form's bottom; the height decides, for the form and its contents alike.
        s.size = QSize(design.width() * sh / 600, design.height() * sh / 600);
        s.contentFactor = double(sh) / 600.0;
    } else if (sw <= 1024 || onEveryWidth) {
        s.size = QSize(design.width() * sw / 800, design.height() * sh / 600);
        s.contentFactor = double(sw) / 800.0;
    } else {
        s.size = wide.isValid() ? wide : design;
        s.contentFactor = 1024.0 / 768.0;
    }
    return s;
}

void ScaleFormForScreen(QWidget* form, QSize screen, QSize design, QSize wide, bool onEveryWidth) {
    if (!form) return;
    const FormScale s = ComputeFormScale(screen, design, wide, onEveryWidth);
    if (s.contentFactor != 1.0) {
        QList<QPair<QPointer<QWidget>, QFont>> ownFonts;
        collectOwnFonts(form, ownFonts);
        const QFont formFont = form->font();
        auto scaleFonts = [&](double factor) {
            form->setFont(scaledFont(formFont, factor));
            for (const auto& [widget, font] : ownFonts)
                if (widget) widget->setFont(scaledFont(font, factor));
        };
        scaleFonts(s.contentFactor);
        scaleGeometry(form, s.contentFactor);
        // The form keeps the size the rule gives it: contents laid out by a layout that would
        // need more room grow less, never below their design size.
        if (QLayout* layout = form->layout()) {
            auto fits = [&] {
                layout->invalidate();
                layout->activate();
                const QSize needed = form->minimumSizeHint();
                return needed.width() <= s.size.width() && needed.height() <= s.size.height();
            };
            for (double factor = s.contentFactor; factor > 1.0 && !fits();) {
                factor = qMax(1.0, factor - 0.05);
                scaleFonts(factor);
            }
        }
    }
    form->resize(s.size);
}

void ScaleForm(QWidget* form, QSize design, QSize wide, bool onEveryWidth) {
    QScreen* screen = QGuiApplication::primaryScreen();
    ScaleFormForScreen(form, screen ? screen->geometry().size() : QSize(800, 600), design, wide, onEveryWidth);
}

QPoint PlaceOnScreen(const QRect& area, const QSize& frame) {
    // Centred, but never beyond the top or left edge: a form taller or wider than the screen
    // shows its title and its top left, where its buttons and first fields are.
    const int x = area.x() + qMax(0, (area.width() - frame.width()) / 2);
    const int y = area.y() + qMax(0, (area.height() - frame.height()) / 2);
    return {x, y};
}

void CenterOnScreen(QWidget* form) {
    if (!form) return;
    QScreen* screen = form->screen() ? form->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    // A form larger than the screen is made as small as its contents allow.
    const QSize frame = form->frameGeometry().size();
    const QSize margins = frame - form->size();
    if (frame.width() > area.width() || frame.height() > area.height())
        form->resize(form->size().boundedTo(area.size() - margins).expandedTo(form->minimumSizeHint()));
    form->move(PlaceOnScreen(area, form->frameGeometry().size()));
}

void CenterOnActivate(QWidget* form) {
    if (!form) return;
    if (form->findChild<CenterFilter*>(QStringLiteral("lobrixCenterOnActivate"),
                                       Qt::FindDirectChildrenOnly))
        return;
    form->installEventFilter(new CenterFilter(form));
    CenterOnScreen(form);
}

}  // namespace forms
