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
    }
    StoreAll();
    return runHandler(action);
}

bool EntryFormController::RunPendingChecks() { return processPending(); }

void EntryFormController::FocusBack(QWidget* control) {
    if (!control) return;
    QWidget* page = nullptr;
    if (PageControl* pages = PageControl::ControlOf(control, &page)) pages->SetCurrentPage(pages->indexOf(page));
    AllowPageChange = 0;
    QPointer<QWidget> target = control;
    QMetaObject::invokeMethod(
        this,
        [this, target] {
            if (!target) return;
            refocusing_ = true;
            target->setFocus(Qt::OtherFocusReason);
            focusedField_ = fieldFor(target);
            refocusing_ = false;
        },
        Qt::QueuedConnection);
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

void EntryFormController::schedule() {
    if (scheduled_) return;
    scheduled_ = true;
    QMetaObject::invokeMethod(this, [this] { processPending(); }, Qt::QueuedConnection);
}

bool EntryFormController::processPending() {
    scheduled_ = false;
    if (busy_) return true;  // runHandler schedules again when it is done
    while (!pending_.empty()) {
        const Pending next = pending_.front();
        if (next.exit && next.toSkipped) {
            // Moving the focus while the button is held down would cancel its
            // click: the exit waits for the release (a click runs it first).
            if (auto* button = qobject_cast<QAbstractButton*>(next.target.data()); button && button->isDown()) {
                QTimer::singleShot(kHeldButtonPollMs, this, [this] { schedule(); });
                return true;
            }
        }
        pending_.pop_front();
        if (!next.field) continue;
        const auto& handlers = next.exit ? exitHandlers_ : enterHandlers_;
        for (const auto& [field, handler] : handlers) {
            if (field != next.field) continue;
            exitTarget_ = next.exit ? next.target : nullptr;
            leftForSkipped_ = next.exit && next.toSkipped;
            const bool ok = runHandler(handler);
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
    if (type != QEvent::FocusIn && type != QEvent::KeyPress) return false;
    if (!watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);
    if (!ownsWidget(w)) return false;

    if (type == QEvent::KeyPress) return handleKey(w, static_cast<QKeyEvent*>(event));

    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (w != help_) lastEntered_ = w;
    QWidget* field = fieldFor(w);
    QWidget* left = focusedField_;
    focusedField_ = field;
    if (field == left || refocusing_ || busy_) return false;
    // Focus that comes back after a message box, a pop-up or another window is no move of the user's.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;

    if (left) {
        // Data-aware controls write their field when they are left, before any check.
        for (auto& link : links_)
            if (link->control() == left) link->Store();
        bool skip = false;
        for (QWidget* p = w; p && p != form_; p = p->parentWidget())
            if (skip_.contains(p)) skip = true;
        if (!skip)
            pending_.push_back({true, left, w});
        else if (exitEvenForSkipped_.contains(left))
            pending_.push_back({true, left, w, true});
    }
    if (field) pending_.push_back({false, field, nullptr});
    if (!pending_.empty()) schedule();
    return false;
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
