// Windows paths of outside programs mapped onto the drive table, and starting
// a program to wait for it.
#include "platform/os/Drives.h"
#include "platform/os/Process.h"

#include "support/DataFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>

TEST(Process, WindowsPathsAndPrograms) {
    TempProgramFolder program(false);
    const QString root = program.path();
    EXPECT_EQ(os::LocalPath(QStringLiteral("C:\\Zuvonet.ini")), root + QStringLiteral("Zuvonet.ini"));
    EXPECT_EQ(os::LocalPath(QStringLiteral("c:\\ZuvoNet2009\\ZuvoNet2009.exe")),
              root + QStringLiteral("ZuvoNet2009/ZuvoNet2009.exe"));
    EXPECT_EQ(os::LocalPath(QStringLiteral("relative\\name")), QStringLiteral("relative/name"));

    // The program as it lies here: with ".exe", without it, or not at all.
    const QString windows = QStringLiteral("C:\\ZuvoNet2009\\ZuvoNet2009.exe");
    EXPECT_EQ(os::FindProgram(windows), QString());
    QDir(root).mkpath(QStringLiteral("ZuvoNet2009"));
    QFile bare(root + QStringLiteral("ZuvoNet2009/ZuvoNet2009"));
    ASSERT_TRUE(bare.open(QIODevice::WriteOnly));
    bare.close();
    EXPECT_EQ(os::FindProgram(windows), root + QStringLiteral("ZuvoNet2009/ZuvoNet2009"));
    QFile exe(root + QStringLiteral("ZuvoNet2009/ZuvoNet2009.exe"));
    ASSERT_TRUE(exe.open(QIODevice::WriteOnly));
    exe.close();
    EXPECT_EQ(os::FindProgram(windows), root + QStringLiteral("ZuvoNet2009/ZuvoNet2009.exe"));
    // A folder of that name is no program.
    QDir(root).mkpath(QStringLiteral("Other.exe"));
    EXPECT_EQ(os::FindProgram(QStringLiteral("C:\\Other.exe")), QString());
}

TEST(Process, ExecAndWaitWaitsForTheEnd) {
    TempProgramFolder program(false);
    const QString script = program.path() + QStringLiteral("slow");
    QFile f(script);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\nsleep 0.3\necho done > \"$(dirname \"$0\")/ended\"\nexit 7\n");
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    QElapsedTimer timer;
    timer.start();
    // The exit code is not looked at: a program that ran is a start.
    EXPECT_TRUE(os::ExecAndWait(QStringLiteral("C:\\slow.exe")));
    EXPECT_GE(timer.elapsed(), 250);
    EXPECT_TRUE(QFile::exists(program.path() + QStringLiteral("ended")));
    EXPECT_FALSE(os::ExecAndWait(QStringLiteral("C:\\missing.exe")));

    QStringList seen;
    os::SetExecSeam([&](const QString& line) {
        seen << line;
        return true;
    });
    EXPECT_TRUE(os::ExecAndWait(QStringLiteral("C:\\missing.exe")));
    os::SetExecSeam({});
    EXPECT_EQ(seen, QStringList{QStringLiteral("C:\\missing.exe")});
}
