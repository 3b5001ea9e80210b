#include "LobrixApplication.h"

#include "SilentAbort.h"

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

void ResetTerminateRequest() { terminateFlag() = false; }

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
