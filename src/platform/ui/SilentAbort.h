#pragma once
#include <exception>

// Thrown to abandon the current event after a failed check has shown its
// message and moved the focus. The application-wide handler swallows it.
// On an entry form a failed check refuses the next page change, unless it is
// one of the few that leave that rule as it was (KeepingPageChange).
class SilentAbort : public std::exception {
public:
    const char* what() const noexcept override { return "SilentAbort"; }

    static SilentAbort KeepingPageChange() {
        SilentAbort abort;
        abort.keepsPageChange_ = true;
        return abort;
    }
    bool KeepsPageChange() const { return keepsPageChange_; }

private:
    bool keepsPageChange_ = false;
};
