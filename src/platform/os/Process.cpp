#include "platform/os/Process.h"

#include "platform/os/Drives.h"

#include <QFileInfo>
#include <QProcess>

namespace os {

namespace {
ExecSeam& seam() {
    static ExecSeam s;
    return s;
}
}  // namespace

QString LocalPath(const QString& windowsPath) {
    QString path = windowsPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.size() >= 2 && path.at(1) == QLatin1Char(':') && path.at(0).isLetter()) {
        const QString root = drives::RootFolder(path.at(0).toUpper());
        if (!root.isEmpty()) {
            QString rest = path.mid(2);
            while (rest.startsWith(QLatin1Char('/'))) rest.remove(0, 1);
            return root + rest;
        }
    }
    return path;
}

QString FindProgram(const QString& windowsPath) {
    const QString local = LocalPath(windowsPath);
    if (QFileInfo(local).isFile()) return local;
    if (local.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive)) {
        const QString bare = local.left(local.size() - 4);
        if (QFileInfo(bare).isFile()) return bare;
    }
    return QString();
}

bool ExecAndWait(const QString& commandLine) { return ExecAndWaitOutcome(commandLine).started; }

ExecOutcome ExecAndWaitOutcome(const QString& commandLine) {
    ExecOutcome outcome;
    if (seam()) {
        outcome.started = seam()(commandLine);
        return outcome;
    }
    QString program = FindProgram(commandLine);
    if (program.isEmpty()) program = LocalPath(commandLine);
    QProcess process;
    process.setProgram(program);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start();
    if (!process.waitForStarted(-1)) return outcome;
    outcome.started = true;
    process.waitForFinished(-1);
    outcome.crashed = process.exitStatus() == QProcess::CrashExit;
    outcome.exitCode = outcome.crashed ? 0 : process.exitCode();
    return outcome;
}

void SetExecSeam(ExecSeam s) { seam() = std::move(s); }

}  // namespace os
