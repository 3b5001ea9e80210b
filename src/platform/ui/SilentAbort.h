#pragma once

namespace ui {
// Ends an event handler after a failed check has shown its message.
struct SilentAbort {};
}  // namespace ui
