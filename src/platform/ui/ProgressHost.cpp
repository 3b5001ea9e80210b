#include "platform/ui/ProgressHost.h"

#include "platform/ui/MessageService.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressBar>

namespace forms {

namespace {

qint64 Now() {
    static QElapsedTimer clock;
    if (!clock.isValid()) clock.start();
    return clock.elapsed();
}

}  // namespace

bool AskInterrupt() {
    return msg::ShowBox(msg::BoxKind::Confirmation, QStringLiteral("Deseja interromper?"), msg::BoxButtons::YesNo) ==
           QLatin1String("mrYes");
}

bool ProgressHost::AskInterrupt() { return forms::AskInterrupt(); }

ProgressBarHost::ProgressBarHost(QProgressBar* bar) : bar_(bar) {}

ProgressBarHost::~ProgressBarHost() { showPosition(true); }

void ProgressBarHost::SetProgressMaximum(int maximum) {
    if (bar_) {
        bar_->setMinimum(0);
        bar_->setMaximum(maximum);
    }
    shownPercent_ = -1;
}

void ProgressBarHost::SetProgress(int position) {
    position_ = position;
    behind_ = true;
}

int ProgressBarHost::percentOf(int position) const {
    const qint64 steps = qint64(bar_->maximum()) - bar_->minimum();
    return steps > 0 ? int((qint64(position) - bar_->minimum()) * 100 / steps) : 100;
}

void ProgressBarHost::showPosition(bool exact) {
    if (!behind_ || !bar_) return;
    // A bar repaints itself at once on each move: moved when its percentage
    // changes, and no more than 25 times a second, it still runs smoothly.
    const int percent = percentOf(position_);
    const qint64 now = Now();
    if (!exact && (percent == shownPercent_ || (lastMove_ >= 0 && now - lastMove_ < 40))) return;
    behind_ = false;
    lastMove_ = now;
    bar_->setValue(position_);
    shownPercent_ = percent;
}

void ProgressBarHost::ProcessEvents() {
    // Pumping on every record would cost more than the record's work; a few
    // times a frame keeps the page responsive and its Cancel button live.
    const qint64 now = Now();
    if (lastPump_ >= 0 && now - lastPump_ < 15) return;
    lastPump_ = now;
    showPosition(false);
    QCoreApplication::processEvents();
}

bool ProgressBarHost::AskInterrupt() {
    showPosition(true);
    return forms::AskInterrupt();
}

bool PollStop(ProgressHost& host, StopRequest& request) {
    host.ProcessEvents();
    if (!request.Pending()) return false;
    if (host.AskInterrupt()) return true;
    request.Clear();
    return false;
}

}  // namespace forms
