#pragma once
#include <QString>
#include <functional>

// Kill tests: the write path runs in a child process (this test program run
// again for one disabled test) that the fault seam kills with SIGKILL at a
// chosen step; the parent then starts over and looks at what is left.

struct ChildOutcome {
    bool killed = false;   // the seam killed it at the step
    bool finished = false; // it ran to its end and passed
    QString output;
};

// Runs `childTest` ("Suite.DISABLED_Name") of this program on the program
// folder `programFolder`, armed to die at step `step` of the steps whose name
// starts with `prefix`.
ChildOutcome RunCrashChild(const QString& childTest, const QString& programFolder, int step,
                           const QString& prefix = QString());

// For every step n = 1, 2, ... until the child runs to its end: `prepare`
// makes a fresh program folder and returns it, the child runs there and is
// killed at step n, and `check` looks at the folder. Returns the number of
// steps killed at; a child that fails otherwise fails the test. With a
// `stride` above 1 only every stride-th step is killed at (1, 1 + stride, ...),
// for a path of many steps of one kind.
int KillAtEveryStep(const QString& childTest, const QString& prefix, const std::function<QString()>& prepare,
                    const std::function<void(int step, const QString& folder)>& check, int maxSteps = 400,
                    int stride = 1);

// In the child: true when this process runs as one, with the program folder
// pointed at the parent's folder and the seam armed (SQLite's files included).
bool InCrashChild();
