#pragma once

namespace db {

// Makes every SQLite file opened from now on pass its writes, syncs,
// truncations and deletions through the fault seam (platform/os/FaultSeam.h),
// so that a test can kill the process between any two of them.
void InstallFaultVfs();

}  // namespace db
