#pragma once
#include <QPointer>
#include <QtGlobal>

class QProgressBar;

// What every long job (check, writer, analyser, import) needs of the screen
// that runs it: a progress bar, a pass of pending events and the question
// "Deseja interromper?". The job polls its StopRequest between records; a
// page's Cancel asks it to stop through the job's own stop procedure.
namespace forms {

class ProgressHost {
public:
    virtual ~ProgressHost() = default;
    virtual void SetProgressMaximum(int maximum) { (void)maximum; }
    virtual void SetProgress(int position) { (void)position; }
    virtual void ProcessEvents() {}
    // "Deseja interromper?" (information box, Yes and No); true on Yes.
    virtual bool AskInterrupt();
};

// The host of a page: its progress bar (may be null) and the event loop,
// pumped at most every few milliseconds so the job stays fast. The bar takes
// the job's position when events are let through and its percentage has
// moved (at most 25 times a second), and exactly when a question is asked
// and when the job ends: a bar moved on every record would cost the job more
// than its records.
class ProgressBarHost : public ProgressHost {
public:
    explicit ProgressBarHost(QProgressBar* bar);
    ~ProgressBarHost() override;
    void SetProgressMaximum(int maximum) override;
    void SetProgress(int position) override;
    void ProcessEvents() override;
    bool AskInterrupt() override;
    // The bar at the job's exact position now (before a box is shown).
    void ShowExactPosition() { showPosition(true); }

private:
    int percentOf(int position) const;
    void showPosition(bool exact);

    QPointer<QProgressBar> bar_;
    int position_ = 0;
    int shownPercent_ = -1;
    bool behind_ = false;  // the bar is not at position_ yet
    qint64 lastPump_ = -1;
    qint64 lastMove_ = -1;  // when the bar last moved
};

// A job's stop request: set by the page (through the job's stop procedure),
// polled by the job between records.
class StopRequest {
public:
    void Request() { requested_ = true; }
    void Clear() { requested_ = false; }
    bool Pending() const { return requested_; }

private:
    bool requested_ = false;
};

// The one way a job polls: lets pending events through, then, when a stop
// was requested, asks "Deseja interromper?". True: stop now (Yes). No clears
// the request and the job goes on.
bool PollStop(ProgressHost& host, StopRequest& request);

// The question itself, for jobs without a host.
bool AskInterrupt();

}  // namespace forms
