#pragma once
#include <QApplication>
#include <exception>
#include <functional>

// The application object of the program: an exception that escapes an event
// handler goes to the installed handler instead of tearing down the loop.
class LobrixApplication : public QApplication {
public:
    LobrixApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

namespace forms {
using ExceptionHandler = std::function<void(std::exception_ptr)>;
// Installs the application-wide handler (empty: exceptions pass on).
void SetApplicationExceptionHandler(ExceptionHandler handler);
ExceptionHandler ApplicationExceptionHandler();
}  // namespace forms
