#include "LobrixApplication.h"

#include "SilentAbort.h"

#include <QTimer>
#include <stdexcept>

namespace appguard {

namespace {
ExceptionHandler& handler() {
    static ExceptionHandler h;
    return h;
}
bool& terminateFlag() {
    static bool flag = false;
    return flag;
}
void deliver(const std::exception& e) {
    if (handler()) handler()(e);
}
}  // namespace

void SetExceptionHandler(ExceptionHandler h) { handler() = std::move(h); }

bool RouteCurrentException() {
    try {
        throw;
    } catch (const SilentAbort&) {
        return false;
    } catch (const std::exception& e) {
        deliver(e);
    } catch (...) {
        deliver(std::runtime_error("Exceção não identificada."));
    }
    return true;
}

bool RunGuarded(const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (...) {
        RouteCurrentException();
        return false;
    }
}

void RequestTerminate() {
    terminateFlag() = true;
    // exit() rather than quit(): a window that refuses to close must not keep
    // the program alive after a fatal error.
    QCoreApplication::exit(0);
}

bool TerminateRequested() { return terminateFlag(); }

void ResetTerminateRequest() {
    const bool requested = terminateFlag();
    terminateFlag() = false;
    // exit() outside any loop leaves every loop started later to return at
    // once, until the application's own loop has run: run it for a moment.
    if (requested && QCoreApplication::instance()) {
        QTimer::singleShot(0, QCoreApplication::instance(), [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    }
}

}  // namespace appguard

LobrixApplication::LobrixApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool LobrixApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        appguard::RouteCurrentException();
        return false;
    }
}
