#pragma once
#include "platform/ui/MessageService.h"

#include <QStringList>
#include <QVector>

// Answers the message boxes of a test. Queue the answers ("mrYes", "mrNo",
// "mrOk", "mrCancel") of the boxes the test expects; every box is recorded.
// A box without a queued answer, an answer the box does not offer, or an
// answer left unused when the object goes away fails the test.
class ScriptedMessages : public msg::MessageHost {
public:
    ScriptedMessages();
    ~ScriptedMessages() override;
    ScriptedMessages(const ScriptedMessages&) = delete;
    ScriptedMessages& operator=(const ScriptedMessages&) = delete;

    ScriptedMessages& answer(const QString& buttonName);
    // Boxes with only an OK button are answered "mrOk" without a queued answer.
    ScriptedMessages& acceptOkBoxes(bool accept = true);

    const QVector<msg::BoxRequest>& shown() const { return shown_; }
    QStringList codes() const;  // the codes of the boxes shown (empty for literal texts)
    QStringList texts() const;
    int pendingAnswers() const { return static_cast<int>(answers_.size()); }
    int beeps() const { return beeps_; }
    void clear();

    QString show(const msg::BoxRequest& request) override;
    void beep() override { ++beeps_; }

private:
    msg::MessageHost* previous_ = nullptr;
    QStringList answers_;
    QVector<msg::BoxRequest> shown_;
    bool acceptOk_ = false;
    int beeps_ = 0;
};

// Installed by the test programs' main: a box shown while no ScriptedMessages
// is alive fails the test instead of waiting for a click that never comes.
void InstallUnexpectedBoxGuard();

// The real dialogs while the object lives (for tests of the dialogs themselves).
class RealMessageBoxes {
public:
    RealMessageBoxes() : previous_(msg::SetMessageHost(nullptr)) {}
    ~RealMessageBoxes() { msg::SetMessageHost(previous_); }
    RealMessageBoxes(const RealMessageBoxes&) = delete;
    RealMessageBoxes& operator=(const RealMessageBoxes&) = delete;

private:
    msg::MessageHost* previous_;
};
