#pragma once
#include <exception>

// Thrown to abandon the current event after a failed check has shown its
// message and moved the focus. The application-wide handler swallows it.
class SilentAbort : public std::exception {
public:
    const char* what() const noexcept override { return "SilentAbort"; }
};
