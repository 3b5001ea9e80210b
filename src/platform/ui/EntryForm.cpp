#include "EntryForm.h"

#include "EntryWidgets.h"
#include "PageControl.h"
#include "SilentAbort.h"
#include "platform/help/HelpService.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTextEdit>
#include <QTimer>
#include <utility>

namespace ui {

namespace {
constexpr int kHeldButtonPollMs = 50;
}

EntryFormController::EntryFormController(QWidget* form) : QObject(form), form_(form) {
    setObjectName(QStringLiteral("EntryFormController"));
    ShowHelp = [](int context) { help::OpenContext(context); };
    qApp->installEventFilter(this);
}

EntryFormController::~EntryFormController() { qApp->removeEventFilter(this); }

EntryFormController* EntryFormController::Of(const QWidget* widget) {
    if (!widget) return nullptr;
    return widget->window()->findChild<EntryFormController*>(QString(), Qt::FindDirectChildrenOnly);
}

void EntryFormController::OnExit(QWidget* field, Handler handler) {
    exitHandlers_.emplace_back(field, std::move(handler));
}

void EntryFormController::OnEnter(QWidget* field, Handler handler) {
    enterHandlers_.emplace_back(field, std::move(handler));
}

void EntryFormController::SkipChecksFor(QWidget* target) { skip_.insert(target); }

void EntryFormController::ExitEvenForSkipped(QWidget* field) { exitEvenForSkipped_.insert(field); }

void EntryFormController::SetHelpButton(QAbstractButton* button) {
    help_ = button;
    connect(button, &QAbstractButton::clicked, this, [this] { showHelpFor(lastEntered_); });
}

EditLink* EntryFormController::Bind(QLineEdit* edit, db::DataSet* dataSet, const QString& fieldName) {
    auto link = std::make_unique<EditLink>(edit, dataSet, fieldName);
    EditLink* raw = link.get();
    links_.push_back(std::move(link));
    return raw;
}

RadioGroupLink* EntryFormController::Bind(RadioGroup* group, db::DataSet* dataSet, const QString& fieldName,
                                          const QStringList& values) {
    auto link = std::make_unique<RadioGroupLink>(group, dataSet, fieldName, values);
    RadioGroupLink* raw = link.get();
    links_.push_back(std::move(link));
    return raw;
}

void EntryFormController::LoadAll() {
    for (auto& link : links_) link->Load();
}

void EntryFormController::StoreAll() {
    for (auto& link : links_) link->Store();
}

void EntryFormController::RefreshAll() {
    for (auto& link : links_) link->Refresh();
}

void EntryFormController::AttachPageControl(PageControl* pages) {
    pages->Changing = [this, pages](int) {
        if (busy_) return false;
        // Taking the focus makes the field being left run its check now.
        pages->tabBar()->setFocus(Qt::OtherFocusReason);
        RunPendingChecks();
        const bool allow = AllowPageChange != 0;
        AllowPageChange = 1;
        return allow;
    };
}

bool EntryFormController::RunAction(const Handler& action) {
    if (busy_) {
        pending_.clear();
    } else {
        // A click that came before the queued exits ran: the exits that run
        // even for a button go first, the other checks are dropped.
        std::erase_if(pending_, [](const Pending& p) { return !(p.exit && p.toSkipped); });
        if (!processPending()) return false;
        // The field left for the button is left; one reached by a shortcut is still the active one.
        active_ = focusedField_;
    }
    StoreAll();
    return runHandler(action);
}

bool EntryFormController::RunPendingChecks() { return processPending(); }

void EntryFormController::FocusBack(QWidget* control) {
    if (!control) return;
    MoveFocus(control);
    AllowPageChange = 0;
}

void EntryFormController::MoveFocus(QWidget* control) {
    if (!control) return;
    QWidget* page = nullptr;
    if (PageControl* pages = PageControl::ControlOf(control, &page)) {
        // Qt hands the focus to the new page by itself: that is no move of anyone's.
        refocusing_ = true;
        pages->SetCurrentPage(pages->indexOf(page));
        refocusing_ = false;
    }
    requestMove(control);
}

void EntryFormController::requestMove(QWidget* control) {
    requested_ = control;
    requestedLeaving_ = leaving_;
    // Where the user was moving to is never reached: the form decides where the focus goes.
    if (busy_) pending_.clear();
    QMetaObject::invokeMethod(this, [this] { makeRequestedMove(); }, Qt::QueuedConnection);
}

void EntryFormController::makeRequestedMove() {
    if (busy_) return;  // runHandler asks again once the handler is over
    const QPointer<QWidget> target = requested_;
    const QPointer<QWidget> leaving = requestedLeaving_;
    requested_ = nullptr;
    requestedLeaving_ = nullptr;
    if (!target || !form_->isVisible()) return;
    QWidget* to = fieldFor(target);
    // A move asked for while a field was being left starts from that field, whose exit has run;
    // any other from the field entered last, or else (focus given back with its window) from the
    // field that has the focus, as a user's move would.
    QWidget* from = leaving ? leaving.data() : active_ ? active_.data() : focusedField_.data();
    refocusing_ = true;
    target->setFocus(Qt::OtherFocusReason);
    refocusing_ = false;
    // A control that cannot take the focus (hidden, disabled) leaves everything as it was.
    QWidget* now = form_->focusWidget();
    if (!target || !now || (to ? fieldFor(now) != to : now != target && now != target->focusProxy())) return;
    focusedField_ = to;
    if (target != help_) lastEntered_ = target;
    pending_.clear();
    if (to == from) {
        // Back in the field being left (a failed check): it never was left, nor entered again.
        active_ = to;
        return;
    }
    // As if the user had moved there: the field left runs its exit, the field entered its entry.
    queueMove(leaving ? nullptr : from, target);
    processPending();
}

void EntryFormController::catchUp() {
    // A few rounds: an entry may ask for a move, whose own entry runs in the next round.
    for (int round = 0; round < 8 && !busy_; ++round) {
        if (requested_) {
            makeRequestedMove();
            continue;
        }
        if (pending_.empty()) return;
        const size_t before = pending_.size();
        processPending();
        if (pending_.size() >= before) return;  // an exit waits for a button's release
    }
}

bool EntryFormController::ownsWidget(const QWidget* w) const { return w && w->window() == form_; }

QWidget* EntryFormController::fieldFor(QWidget* w) const {
    for (QWidget* p = w; p && p != form_; p = p->parentWidget()) {
        for (const auto& [field, handler] : exitHandlers_)
            if (field == p) return p;
        for (const auto& [field, handler] : enterHandlers_)
            if (field == p) return p;
        for (const auto& link : links_)
            if (link->control() == p) return p;
    }
    return nullptr;
}

bool EntryFormController::isSkipTarget(QWidget* w) const {
    for (QWidget* p = w; p && p != form_; p = p->parentWidget())
        if (skip_.contains(p)) return true;
    return false;
}

void EntryFormController::queueMove(QWidget* left, QWidget* target) {
    if (left) {
        // Data-aware controls write their field when they are left, before any check.
        for (auto& link : links_)
            if (link->control() == left) link->Store();
        if (!isSkipTarget(target))
            pending_.push_back({true, left, target});
        else if (exitEvenForSkipped_.contains(left))
            pending_.push_back({true, left, target, true});
    }
    // Entering a control that is no field still ends the stay in the field before.
    pending_.push_back({false, fieldFor(target), nullptr});
}

void EntryFormController::schedule() {
    if (scheduled_) return;
    scheduled_ = true;
    QMetaObject::invokeMethod(this, [this] { processPending(); }, Qt::QueuedConnection);
}

bool EntryFormController::processPending() {
    scheduled_ = false;
    if (busy_) return true;  // runHandler schedules again when it is done
    const bool wasActive = form_->isActiveWindow();
    while (!pending_.empty()) {
        const Pending next = pending_.front();
        if (!next.exit && next.field && wasActive && !form_->isActiveWindow()) {
            // A box an exit showed still holds the keyboard: the field is entered once the
            // focus is back in it, so that its entry (a selection, the caret) is what the user finds.
            awaitingActivation_ = true;
            return true;
        }
        if (next.exit && next.toSkipped) {
            // Moving the focus while the button is held down would cancel its
            // click: the exit waits for the release (a click runs it first).
            if (auto* button = qobject_cast<QAbstractButton*>(next.target.data()); button && button->isDown()) {
                QTimer::singleShot(kHeldButtonPollMs, this, [this] { schedule(); });
                return true;
            }
        }
        pending_.pop_front();
        // A field being left is no longer the active one; a field entered becomes it.
        active_ = next.exit ? nullptr : next.field.data();
        if (!next.field) continue;
        const auto& handlers = next.exit ? exitHandlers_ : enterHandlers_;
        for (const auto& [field, handler] : handlers) {
            if (field != next.field) continue;
            exitTarget_ = next.exit ? next.target : nullptr;
            leftForSkipped_ = next.exit && next.toSkipped;
            const QPointer<QWidget> outerLeaving = leaving_;
            if (next.exit) leaving_ = next.field;
            const bool ok = runHandler(handler);
            leaving_ = outerLeaving;
            exitTarget_ = nullptr;
            leftForSkipped_ = false;
            if (!ok) {
                // The user never got to the next field: its entry is dropped too.
                pending_.clear();
                return false;
            }
        }
    }
    return true;
}

bool EntryFormController::runHandler(const Handler& handler) {
    bool ok = true;
    const std::uint8_t allowBefore = AllowPageChange;
    const bool nested = busy_;
    busy_ = true;
    // Any other exception goes on to the program's error handler; the form must not stay busy.
    struct Reset {
        bool& busy;
        bool value;
        ~Reset() { busy = value; }
    } reset{busy_, nested};
    try {
        handler();
    } catch (const SilentAbort& abort) {
        ok = false;
        AllowPageChange = abort.KeepsPageChange() ? allowBefore : 0;
    }
    busy_ = nested;
    if (!nested) {
        RefreshAll();
        if (requested_) QMetaObject::invokeMethod(this, [this] { makeRequestedMove(); }, Qt::QueuedConnection);
        if (!pending_.empty()) schedule();
    }
    return ok;
}

void EntryFormController::showHelpFor(const QWidget* w) {
    const int context = w ? HelpContextOf(w) : 0;
    if (ShowHelp) ShowHelp(context);
}

bool EntryFormController::handleKey(QWidget* w, QKeyEvent* ke) {
    const int key = ke->key();
    const auto mods = ke->modifiers() & ~Qt::KeypadModifier;
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && mods == Qt::NoModifier && EnterAsTab) {
        if (auto* button = qobject_cast<QAbstractButton*>(w); button && !qobject_cast<const QAbstractButton*>(w)->isCheckable()) {
            button->click();
            return true;
        }
        if (qobject_cast<QAbstractItemView*>(w) || qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w))
            return false;
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &tab);
        return true;
    }
    if (key == Qt::Key_Escape && mods == Qt::NoModifier && cancel_) {
        if (cancel_->isEnabled()) cancel_->click();
        return true;
    }
    if (key == Qt::Key_F1 && mods == Qt::NoModifier) {
        showHelpFor(w);
        return true;
    }
    return false;
}

bool EntryFormController::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::Hide && watched == form_) {
        // A hidden form is left as a whole: the next showing starts afresh.
        pending_.clear();
        active_ = nullptr;
        focusedField_ = nullptr;
        requested_ = nullptr;
        awaitingActivation_ = false;
        return false;
    }
    if (type != QEvent::FocusIn && type != QEvent::KeyPress) return false;
    if (!watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);
    if (!ownsWidget(w)) return false;

    if (type == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(event);
        // Keys typed ahead of the form come before its queued work: a field's exit and entry must
        // take effect before any key meant for the field entered, as they would for a slower typist.
        if (!busy_ && (requested_ || !pending_.empty())) {
            catchUp();
            QWidget* now = QApplication::focusWidget();
            if (now && now != w && now->window() == form_) {
                QKeyEvent moved(ke->type(), ke->key(), ke->modifiers(), ke->text(), ke->isAutoRepeat(),
                                ke->count());
                QCoreApplication::sendEvent(now, &moved);
                return true;
            }
        }
        return handleKey(w, ke);
    }

    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (w != help_) lastEntered_ = w;
    if (refocusing_) return false;
    QWidget* field = fieldFor(w);
    // Focus that comes back after a message box, a pop-up or another window is no move of anyone's.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) {
        focusedField_ = field;
        if (std::exchange(awaitingActivation_, false)) schedule();
        return false;
    }
    if (busy_) {
        // Qt moving the focus off a control that was hidden is no move of the form's.
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
            focusedField_ = field;
        else
            requestMove(w);  // a handler focused it: the move is made once the handler is over
        return false;
    }
    QWidget* left = focusedField_;
    focusedField_ = field;
    if (field == left) return false;
    queueMove(left, w);
    schedule();
    return false;
}

void MoveFocus(QWidget* control) {
    if (!control) return;
    if (EntryFormController* controller = EntryFormController::Of(control)) {
        controller->MoveFocus(control);
        return;
    }
    QPointer<QWidget> target = control;
    QMetaObject::invokeMethod(
        control, [target] { if (target) target->setFocus(Qt::OtherFocusReason); }, Qt::QueuedConnection);
}

void FocusBack(QWidget* control) {
    if (!control) return;
    if (EntryFormController* controller = EntryFormController::Of(control)) {
        controller->FocusBack(control);
        return;
    }
    QPointer<QWidget> target = control;
    QMetaObject::invokeMethod(
        control, [target] { if (target) target->setFocus(Qt::OtherFocusReason); }, Qt::QueuedConnection);
}

}  // namespace ui
