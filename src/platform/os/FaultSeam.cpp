#include "FaultSeam.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace fault {

namespace {
int target = 0;
int seen = 0;
QByteArray prefix;
bool keeping = false;
QStringList trail;
}  // namespace

void Step(const char* what, const QString& path) {
    if (keeping)
        trail << QString::fromLatin1(what) + QLatin1Char(' ') +
                     (path.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
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

void KeepTrail(bool on) {
    keeping = on;
    if (on) trail.clear();
}

QStringList Trail() { return trail; }

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

// The sync steps are not "file." steps: a kill there looks the same as a
// kill at the step before, so the kill sweeps need not stop at them.
bool SyncFile(const QString& path) {
    fault::Step("sync.file", path);
    return syncPath(path, O_RDONLY);
}

bool SyncFolder(const QString& folder) {
    fault::Step("sync.folder", folder);
    return syncPath(folder, O_RDONLY | O_DIRECTORY);
}

bool ReplaceFile(const QString& from, const QString& to) {
    fault::Step("file.rename", from);
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

}  // namespace os
