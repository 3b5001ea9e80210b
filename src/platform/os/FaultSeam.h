#pragma once
#include <QString>
#include <QStringList>

// Steps at which a crash can be simulated: the table store's file writes,
// syncs and deletes, the restore's renames and the declaration writer's
// parts. A test arms the seam in a child process, which then kills itself
// with SIGKILL when the chosen step is reached: the same place every run.
// A test can also keep a trail of the file steps with the paths they touch,
// to see that a rename follows the sync of its file: a killed process's
// writes survive in the page cache, so only the order shows a missing sync.
namespace fault {

// Marks one step. Does nothing unless armed or a trail is kept.
void Step(const char* what, const QString& path = QString());

// Kills the process at the nth step (from 1) whose name starts with
// `prefix` (empty: any step); n <= 0 disarms.
void Arm(int n, const QString& prefix = QString());
bool Armed();
// The steps counted since arming.
int StepsSeen();

// Starts (or, with false, stops) keeping the trail; starting clears it.
void KeepTrail(bool on);
// One line per step since the trail started: "<step> <absolute path>".
QStringList Trail();

}  // namespace fault

// Durability of the file layer: the data of a file, and the names in a
// folder, on the disk before the next step.
namespace os {
bool SyncFile(const QString& path);
bool SyncFolder(const QString& folder);
// Renames over an existing file in one step.
bool ReplaceFile(const QString& from, const QString& to);
}  // namespace os
