#include "platform/ui/Application.h"

namespace forms {
namespace {
ExceptionHandler& handlerSlot() {
    static ExceptionHandler handler;
    return handler;
}
}  // namespace

void SetApplicationExceptionHandler(ExceptionHandler handler) { handlerSlot() = std::move(handler); }
ExceptionHandler ApplicationExceptionHandler() { return handlerSlot(); }
}  // namespace forms

LobrixApplication::LobrixApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool LobrixApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        const forms::ExceptionHandler handler = forms::ApplicationExceptionHandler();
        if (!handler) throw;
        handler(std::current_exception());
        return false;
    }
}
