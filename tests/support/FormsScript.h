#pragma once
#include "platform/ui/Forms.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

// Scripts the modal forms a test expects: each ShowModal takes the next step,
// which must name the form's objectName (or be empty to accept any form). The
// step works the form and returns the result to end with (forms::mrNone
// leaves the form running until it sets a result itself). A form shown with
// no step left, or under another name, is recorded in unexpected() and ends
// with mrCancel. Installed while the object lives.
class FormsScript {
public:
    using Step = std::function<int(QWidget* form)>;
    FormsScript();
    ~FormsScript();
    FormsScript(const FormsScript&) = delete;
    FormsScript& operator=(const FormsScript&) = delete;

    FormsScript& expect(const QString& formName, Step step);
    FormsScript& expect(const QString& formName, int result);

    const QStringList& shown() const { return shown_; }       // objectNames, in order
    const QStringList& unexpected() const { return unexpected_; }
    int pending() const { return int(steps_.size()); }

private:
    struct Entry {
        QString name;
        Step step;
    };
    std::deque<Entry> steps_;
    QStringList shown_;
    QStringList unexpected_;
};
