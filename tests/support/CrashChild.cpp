#include "CrashChild.h"

#include "platform/AppPaths.h"
#include "platform/db/FaultVfs.h"
#include "platform/os/FaultSeam.h"

#include <QCoreApplication>
#include <QProcess>
#include <algorithm>
#include <gtest/gtest.h>

namespace {
const char* const kFolderVar = "LOBRIX_CRASH_FOLDER";
const char* const kStepVar = "LOBRIX_CRASH_STEP";
const char* const kPrefixVar = "LOBRIX_CRASH_PREFIX";
}  // namespace

ChildOutcome RunCrashChild(const QString& childTest, const QString& programFolder, int step, const QString& prefix) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kFolderVar), programFolder);
    env.insert(QString::fromLatin1(kStepVar), QString::number(step));
    env.insert(QString::fromLatin1(kPrefixVar), prefix);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    // The parent's current folder may be a temporary one gone by now.
    child.setWorkingDirectory(programFolder);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=") + childTest, QStringLiteral("--gtest_also_run_disabled_tests")});
    ChildOutcome out;
    if (!child.waitForFinished(120000)) {
        child.kill();
        child.waitForFinished();
        out.output = QStringLiteral("timed out\n") + QString::fromLocal8Bit(child.readAll());
        return out;
    }
    out.output = QString::fromLocal8Bit(child.readAll());
    out.killed = child.exitStatus() == QProcess::CrashExit && out.output.contains(QLatin1String("fault: killed"));
    out.finished = child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 &&
                   out.output.contains(QLatin1String("[  PASSED  ] 1 test"));
    return out;
}

int KillAtEveryStep(const QString& childTest, const QString& prefix, const std::function<QString()>& prepare,
                    const std::function<void(int, const QString&)>& check, int maxSteps, int stride) {
    int killed = 0;
    for (int step = 1; step <= maxSteps; step += std::max(stride, 1)) {
        const QString folder = prepare();
        const ChildOutcome out = RunCrashChild(childTest, folder, step, prefix);
        if (out.finished) return stride > 1 ? killed : step - 1;
        if (!out.killed) {
            ADD_FAILURE() << "child failed at step " << step << ":\n" << out.output.toStdString();
            return step - 1;
        }
        SCOPED_TRACE(QStringLiteral("killed at step %1: %2").arg(step).arg(out.output.section(QLatin1String("fault: "), 1, 1).trimmed()).toStdString());
        ++killed;
        check(step, folder);
        if (::testing::Test::HasFatalFailure()) return stride > 1 ? killed : step;
    }
    ADD_FAILURE() << "the child was still killed after " << maxSteps << " steps";
    return maxSteps;
}

bool InCrashChild() {
    const QByteArray folder = qgetenv(kFolderVar);
    if (folder.isEmpty()) return false;
    AppPaths::setProgramFolder(QString::fromLocal8Bit(folder));
    db::InstallFaultVfs();
    fault::Arm(qgetenv(kStepVar).toInt(), QString::fromLocal8Bit(qgetenv(kPrefixVar)));
    return true;
}
