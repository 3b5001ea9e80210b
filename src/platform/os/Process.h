#pragma once
#include <QString>
#include <functional>

// Starting the outside programs the program hands work to, and the Windows
// paths by which it names them.
namespace os {

// The local path of a Windows path: a drive letter ("C:\", "A:\") is the
// drive's folder from the drive table and backslashes become slashes. A path
// without a drive letter is returned with its separators turned.
QString LocalPath(const QString& windowsPath);

// The program a Windows command line names, as it lies here: the local path,
// or the same without ".exe" when only that exists. Empty when neither exists.
QString FindProgram(const QString& windowsPath);

// Starts the program (no arguments, this process's environment and current
// folder) and waits for it to end, without a time limit and without handling
// window events meanwhile. False when it could not be started. The exit code
// is not looked at.
bool ExecAndWait(const QString& commandLine);

// The same, telling how the program ended.
struct ExecOutcome {
    bool started = false;
    bool crashed = false;  // ended by a signal (killed) rather than by exiting
    int exitCode = 0;
};
ExecOutcome ExecAndWaitOutcome(const QString& commandLine);

// Test seam: while set, ExecAndWait calls it instead of starting anything.
using ExecSeam = std::function<bool(const QString& commandLine)>;
void SetExecSeam(ExecSeam seam);

}  // namespace os
