#pragma once
#include <QString>

// Steps at which a crash can be simulated: the table store's file writes,
// syncs and deletes, the restore's renames and the declaration writer's
// parts. A test arms the seam in a child process, which then kills itself
// with SIGKILL when the chosen step is reached: the same place every run.
namespace fault {

// Marks one step. Does nothing unless armed.
void Step(const char* what);

// Kills the process at the nth step (from 1) whose name starts with
// `prefix` (empty: any step); n <= 0 disarms.
void Arm(int n, const QString& prefix = QString());
bool Armed();
// The steps counted since arming.
int StepsSeen();

}  // namespace fault

// Durability of the file layer: the data of a file, and the names in a
// folder, on the disk before the next step.
namespace os {
bool SyncFile(const QString& path);
bool SyncFolder(const QString& folder);
// Renames over an existing file in one step.
bool ReplaceFile(const QString& from, const QString& to);
}  // namespace os
