#pragma once
#include <QString>

// The Windows version running the program, as the one-digit code that goes
// into the trailer record.
enum TOsVersion {
    osUnknown = 0,
    osWin95 = 1,
    osWin98 = 2,
    osWinMe = 3,
    osWinNT4 = 4,
    osWin2000 = 5,
    osWinXP = 6,
    osWinServer2003 = 7,
    osWinVista = 8,
    osWin7 = 9,
};

enum class OsPlatform { Win9x, WinNT, Other };

// The code for a platform and version as the system reports them.
int OsVersionCode(OsPlatform platform, int major, int minor);

// The code of the running system; osUnknown on any system that is not one of
// the Windows versions of the table.
int DetectOsVersion();

// "osUnknown", "osWin95", ... for the codes 0 to 9; empty otherwise.
QString OsVersionName(int code);
