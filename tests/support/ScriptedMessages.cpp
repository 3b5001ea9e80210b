#include "ScriptedMessages.h"

#include <gtest/gtest.h>

namespace {
bool offers(msg::BoxButtons buttons, const QString& name) {
    switch (buttons) {
    case msg::BoxButtons::Ok: return name == QLatin1String("mrOk");
    case msg::BoxButtons::YesNo: return name == QLatin1String("mrYes") || name == QLatin1String("mrNo");
    case msg::BoxButtons::OkCancel: return name == QLatin1String("mrOk") || name == QLatin1String("mrCancel");
    case msg::BoxButtons::YesNoCancel:
        return name == QLatin1String("mrYes") || name == QLatin1String("mrNo") || name == QLatin1String("mrCancel");
    }
    return false;
}
}  // namespace

ScriptedMessages::ScriptedMessages() { previous_ = msg::SetMessageHost(this); }

ScriptedMessages::~ScriptedMessages() {
    msg::SetMessageHost(previous_);
    EXPECT_TRUE(answers_.isEmpty()) << "message boxes expected but not shown: " << answers_.join(", ").toStdString();
}

ScriptedMessages& ScriptedMessages::answer(const QString& buttonName) {
    answers_.append(buttonName);
    return *this;
}

ScriptedMessages& ScriptedMessages::acceptOkBoxes(bool accept) {
    acceptOk_ = accept;
    return *this;
}

QStringList ScriptedMessages::codes() const {
    QStringList list;
    for (const auto& r : shown_) list.append(r.code);
    return list;
}

QStringList ScriptedMessages::texts() const {
    QStringList list;
    for (const auto& r : shown_) list.append(r.text);
    return list;
}

void ScriptedMessages::clear() {
    shown_.clear();
    beeps_ = 0;
}

QString ScriptedMessages::show(const msg::BoxRequest& request) {
    shown_.append(request);
    if (answers_.isEmpty()) {
        if (acceptOk_ && request.buttons == msg::BoxButtons::Ok) return QStringLiteral("mrOk");
        ADD_FAILURE() << "unexpected message box: [" << request.code.toStdString() << "] "
                      << request.text.toStdString();
        return request.buttons == msg::BoxButtons::YesNo ? QStringLiteral("mrNo") : QStringLiteral("mrOk");
    }
    const QString answer = answers_.takeFirst();
    if (!offers(request.buttons, answer))
        ADD_FAILURE() << "the answer " << answer.toStdString() << " is not a button of the box: "
                      << request.text.toStdString();
    return answer;
}

namespace {
class UnexpectedBoxGuard : public msg::MessageHost {
public:
    QString show(const msg::BoxRequest& request) override {
        ADD_FAILURE() << "message box shown with no ScriptedMessages in the test: [" << request.code.toStdString()
                      << "] " << request.text.toStdString();
        switch (request.buttons) {
        case msg::BoxButtons::Ok: return QStringLiteral("mrOk");
        case msg::BoxButtons::YesNo: return QStringLiteral("mrNo");
        case msg::BoxButtons::OkCancel:
        case msg::BoxButtons::YesNoCancel: break;
        }
        return QStringLiteral("mrCancel");
    }
    void beep() override {}
};
}  // namespace

void InstallUnexpectedBoxGuard() {
    static UnexpectedBoxGuard guard;
    msg::SetMessageHost(&guard);
}
