#pragma once
#include <QApplication>
#include <exception>
#include <functional>

// The program's application object: every exception that escapes an event
// handler is routed to one handler (the fatal-error report); the silent abort
// of a failed check is dropped quietly.
class LobrixApplication : public QApplication {
    Q_OBJECT
public:
    LobrixApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

namespace appguard {

using ExceptionHandler = std::function<void(const std::exception&)>;

// The handler that receives the escaping exceptions (none: they are dropped).
void SetExceptionHandler(ExceptionHandler handler);

// Routes the exception being handled (call inside a catch block) to the handler;
// a SilentAbort is dropped. Returns false for the silent abort.
bool RouteCurrentException();

// Runs work and routes whatever it throws; false when it threw. Start-up runs
// its steps through this.
bool RunGuarded(const std::function<void()>& work);

// Asks the application to end: every event loop returns, and code that runs
// its own loops stops when TerminateRequested() is true.
void RequestTerminate();
bool TerminateRequested();
void ResetTerminateRequest();  // for tests

}  // namespace appguard
