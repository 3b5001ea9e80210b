#include "platform/ui/ProgressHost.h"

#include "platform/ui/MessageService.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressBar>

namespace forms {

bool AskInterrupt() {
    return msg::ShowBox(msg::BoxKind::Information, QStringLiteral("Deseja interromper?"), msg::BoxButtons::YesNo) ==
           QLatin1String("mrYes");
}

bool ProgressHost::AskInterrupt() { return forms::AskInterrupt(); }

void ProgressBarHost::SetProgressMaximum(int maximum) {
    if (bar_) {
        bar_->setMinimum(0);
        bar_->setMaximum(maximum);
    }
}

void ProgressBarHost::SetProgress(int position) {
    if (bar_) bar_->setValue(position);
}

void ProgressBarHost::ProcessEvents() {
    // Pumping on every record would cost more than the record's work; a few
    // times a frame keeps the page responsive and its Cancel button live.
    static QElapsedTimer clock;
    if (!clock.isValid()) clock.start();
    const qint64 now = clock.elapsed();
    if (lastPump_ >= 0 && now - lastPump_ < 15) return;
    lastPump_ = now;
    QCoreApplication::processEvents();
}

bool PollStop(ProgressHost& host, StopRequest& request) {
    host.ProcessEvents();
    if (!request.Pending()) return false;
    if (host.AskInterrupt()) return true;
    request.Clear();
    return false;
}

}  // namespace forms
