#include "FaultSeam.h"

#include <QFile>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace fault {

namespace {
int target = 0;
int seen = 0;
QByteArray prefix;
}  // namespace

void Step(const char* what) {
    if (target <= 0) return;
    if (!prefix.isEmpty() && qstrncmp(what, prefix.constData(), prefix.size()) != 0) return;
    if (++seen < target) return;
    std::fprintf(stderr, "fault: killed at step %d (%s)\n", seen, what);
    std::fflush(stderr);
    ::raise(SIGKILL);
}

void Arm(int n, const QString& stepPrefix) {
    target = n;
    seen = 0;
    prefix = stepPrefix.toUtf8();
}

bool Armed() { return target > 0; }

int StepsSeen() { return seen; }

}  // namespace fault

namespace os {

namespace {
bool syncPath(const QString& path, int flags) {
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}
}  // namespace

bool SyncFile(const QString& path) { return syncPath(path, O_RDONLY); }

bool SyncFolder(const QString& folder) { return syncPath(folder, O_RDONLY | O_DIRECTORY); }

bool ReplaceFile(const QString& from, const QString& to) {
    fault::Step("file.rename");
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

}  // namespace os
