#pragma once

#include <QString>

class QWidget;

// First stage of the single-instance guard: runs before anything is shown.
// False means another copy of the program runs for this user and this process
// must end at once, without a window or a message.
bool MultInstInitialize();
// After MultInstInitialize returned false: true when the guard could not take
// its name at all (the lock folder is not writable) rather than finding
// another copy.
bool MultInstCannotLock();
// Why the guard cannot take its names, in the program's words.
QString MultInstCannotLockText();
// The window that a wake-up from outside brings to the front.
void MultInstSetMainForm(QWidget* form);
// Releases the first-stage name and the wake-up channel.
void MultInstFinalize();

// Names of the guard (the window message and the two mutexes).
inline constexpr const char* kMultInstMessageName = "This String is unique!";
inline constexpr const char* kMultInstMutexName = "This is a unique string!";
inline constexpr const char* kProgramMutexName = "Lobrix";
