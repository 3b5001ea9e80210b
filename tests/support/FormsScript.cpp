#include "support/FormsScript.h"

#include <QWidget>

FormsScript::FormsScript() {
    forms::SetModalHandler([this](QWidget* form) -> int {
        const QString name = form->objectName();
        shown_ << name;
        if (steps_.empty() || (!steps_.front().name.isEmpty() && steps_.front().name != name)) {
            unexpected_ << name;
            return forms::mrCancel;
        }
        Entry e = std::move(steps_.front());
        steps_.pop_front();
        return e.step ? e.step(form) : int(forms::mrNone);
    });
}

FormsScript::~FormsScript() { forms::SetModalHandler({}); }

FormsScript& FormsScript::expect(const QString& formName, Step step) {
    steps_.push_back({formName, std::move(step)});
    return *this;
}

FormsScript& FormsScript::expect(const QString& formName, int result) {
    return expect(formName, [result](QWidget*) { return result; });
}
