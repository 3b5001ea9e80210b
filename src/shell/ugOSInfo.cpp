#include "ugOSInfo.h"

#include <QOperatingSystemVersion>

int OsVersionCode(OsPlatform platform, int major, int minor) {
    switch (platform) {
    case OsPlatform::Win9x:
        if (major != 4) return osUnknown;
        if (minor == 0) return osWin95;
        if (minor == 10) return osWin98;
        if (minor == 90) return osWinMe;
        return osUnknown;
    case OsPlatform::WinNT:
        if (major == 4) return minor == 0 ? osWinNT4 : osUnknown;
        if (major == 5) {
            if (minor == 0) return osWin2000;
            if (minor == 1) return osWinXP;
            if (minor == 2) return osWinServer2003;
            return osUnknown;
        }
        if (major == 6) {
            if (minor == 0) return osWinVista;
            if (minor == 1) return osWin7;
        }
        return osUnknown;
    case OsPlatform::Other: break;
    }
    return osUnknown;
}

int DetectOsVersion() {
    const QOperatingSystemVersion v = QOperatingSystemVersion::current();
    const OsPlatform platform = v.type() == QOperatingSystemVersion::Windows ? OsPlatform::WinNT : OsPlatform::Other;
    return OsVersionCode(platform, v.majorVersion(), v.minorVersion());
}

QString OsVersionName(int code) {
    static const char* const names[] = {"osUnknown", "osWin95",   "osWin98",         "osWinMe",    "osWinNT4",
                                        "osWin2000", "osWinXP",   "osWinServer2003", "osWinVista", "osWin7"};
    if (code < 0 || code > 9) return QString();
    return QString::fromLatin1(names[code]);
}
