#pragma once
#include "DataBinding.h"

#include <QAbstractButton>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

class QAbstractButton;
class QKeyEvent;
class QLineEdit;
class QWidget;

namespace ui {

class PageControl;
class RadioGroup;

// The behaviour every data-entry form shares, attached to one form:
// - leaving a field runs its exit handler, after the focus change is complete
//   (the handler sees where the focus went: ExitTarget()); not when the focus
//   goes to a control named by SkipChecksFor, unless the field is one of
//   ExitEvenForSkipped (LeftForSkipped then tells its handler); never for
//   focus lost to window activation, pop-ups and message boxes, nor while a
//   handler runs;
// - entering a field runs its entry handler, whether the user moved the focus
//   or the form did (FocusBack, MoveFocus, or a control a handler focused):
//   a field the form enters behaves as one the user enters; a failed exit
//   check, or a move the form makes while a field is being left, drops the
//   entry of the field the user was moving to; an entry that comes after an
//   exit which showed a box waits until the form has the keyboard again;
// - a handler that ends with the silent abort has failed: AllowPageChange
//   becomes 0 (SilentAbort::KeepingPageChange leaves it as it was) and the
//   focus, given back with FocusBack, returns queued;
// - an exit of an ExitEvenForSkipped field left for a button held down waits
//   for the release, so that a focus it moves does not cancel the click;
// - RunAction (Ok and its like) runs the pending exits of ExitEvenForSkipped
//   fields first (a failed one stops the action) and drops the other pending
//   checks, writes the bound controls into their fields and runs the action,
//   so a button reached by its shortcut skips nothing;
// - a key for the form waits until the queued moves, exits and entries have
//   run (keys typed ahead of a busy form), and goes to where they put the focus;
// - Enter acts as Tab (and presses a focused button), Esc presses the Cancel
//   button, F1 opens the help of the focused control, the Help button that of
//   the control entered last.
class EntryFormController : public QObject {
    Q_OBJECT
public:
    explicit EntryFormController(QWidget* form);
    ~EntryFormController() override;

    // The controller of the form that holds the widget, if any.
    static EntryFormController* Of(const QWidget* widget);

    QWidget* form() const { return form_; }

    using Handler = std::function<void()>;
    void OnExit(QWidget* field, Handler handler);
    void OnEnter(QWidget* field, Handler handler);
    void SkipChecksFor(QWidget* target);
    // The field's exit handler runs also when the focus goes to a control of
    // SkipChecksFor: for the moves a field makes whenever it is left.
    void ExitEvenForSkipped(QWidget* field);
    void SetCancelButton(QAbstractButton* button) { cancel_ = button; }
    void SetHelpButton(QAbstractButton* button);

    // Data-aware controls: shown from and written into their fields.
    EditLink* Bind(QLineEdit* edit, db::DataSet* dataSet, const QString& fieldName);
    RadioGroupLink* Bind(RadioGroup* group, db::DataSet* dataSet, const QString& fieldName,
                         const QStringList& values);
    void LoadAll();      // shows every bound field
    void StoreAll();     // writes every bound control into its field
    void RefreshAll();   // shows again the fields that code has changed

    // Page controls whose change a failed check refuses.
    void AttachPageControl(PageControl* pages);

    // Runs an action (Ok, a picker button) as an event handler of the form:
    // pending exit checks are dropped, the bound controls written, a silent
    // abort ends it; true when it ran to its end.
    bool RunAction(const Handler& action);
    // Runs the exit and entry handlers waiting for the focus change now;
    // false when one of them failed (a button then leaves its work undone).
    bool RunPendingChecks();

    // Where the focus went when the running exit handler's field was left
    // (null outside exit handlers, or when no control of the form has it).
    QWidget* ExitTarget() const { return exitTarget_; }
    // True while an exit handler runs for a field left for a control of
    // SkipChecksFor (only ExitEvenForSkipped fields get there): its checks
    // are then left out.
    bool LeftForSkipped() const { return leftForSkipped_; }
    QWidget* LastEnteredControl() const { return lastEntered_; }
    bool Busy() const { return busy_; }

    // Enter moves to the next control (false: the form handles Enter itself).
    bool EnterAsTab = true;

    // Set to 0 by a failed check; the page control answers with it.
    std::uint8_t AllowPageChange = 1;

    // Help: the form's help request goes here (the help layer by default).
    std::function<void(int context)> ShowHelp;

    // Brings the control's page to the front and gives it the focus once the
    // running event is over, as a failed check does (AllowPageChange := 0).
    void FocusBack(QWidget* control);
    // The same move without the failure: a move of the form's own.
    void MoveFocus(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Pending {
        bool exit;
        QPointer<QWidget> field;
        QPointer<QWidget> target;
        bool toSkipped = false;   // the target is a control of SkipChecksFor
    };
    bool ownsWidget(const QWidget* w) const;
    QWidget* fieldFor(QWidget* w) const;   // the registered field a widget belongs to
    bool isSkipTarget(QWidget* w) const;
    void queueMove(QWidget* left, QWidget* target);
    void requestMove(QWidget* control);
    void makeRequestedMove();
    void schedule();
    bool processPending();
    void catchUp();   // runs now the moves, exits and entries still queued
    bool runHandler(const Handler& handler);
    void showHelpFor(const QWidget* w);
    bool handleKey(QWidget* w, QKeyEvent* ke);

    QWidget* form_;
    std::vector<std::pair<QPointer<QWidget>, Handler>> exitHandlers_;
    std::vector<std::pair<QPointer<QWidget>, Handler>> enterHandlers_;
    QSet<QWidget*> skip_;
    QSet<QWidget*> exitEvenForSkipped_;
    std::vector<std::unique_ptr<FieldLink>> links_;
    std::deque<Pending> pending_;
    QPointer<QAbstractButton> cancel_;
    QPointer<QAbstractButton> help_;
    QPointer<QWidget> exitTarget_;
    QPointer<QWidget> lastEntered_;
    QPointer<QWidget> focusedField_;   // the registered field that has the focus
    QPointer<QWidget> active_;         // the field entered last and not left since
    QPointer<QWidget> requested_;      // where the form asked the focus to go
    QPointer<QWidget> leaving_;        // the field whose exit handler runs
    QPointer<QWidget> requestedLeaving_;  // the field being left when the move was asked for
    bool busy_ = false;
    bool leftForSkipped_ = false;
    bool refocusing_ = false;
    bool scheduled_ = false;
    bool awaitingActivation_ = false;  // an entry waits for the form to be active again
};

// For checks that work on controls: the form's FocusBack when the control
// sits on an entry form, else a queued focus.
void FocusBack(QWidget* control);
// The same for a move of the form's own (the form's MoveFocus).
void MoveFocus(QWidget* control);

}  // namespace ui
