#include "platform/os/SingleInstance.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace {
struct LockFolderScope {
    QTemporaryDir dir;
    LockFolderScope() { os::SetLockFolder(dir.path()); }
    ~LockFolderScope() { os::SetLockFolder(QString()); }
};
}  // namespace

TEST(SingleInstance, SecondHolderOfANameSeesItTaken) {
    LockFolderScope scope;
    EXPECT_FALSE(os::NamedMutexExists("Lobrix"));
    {
        os::NamedMutex first("Lobrix");
        EXPECT_FALSE(first.alreadyExists());
        EXPECT_TRUE(first.held());
        os::NamedMutex second("Lobrix");
        EXPECT_TRUE(second.alreadyExists());
        EXPECT_TRUE(os::NamedMutexExists("Lobrix"));
        // Names are distinct locks.
        os::NamedMutex other("This is a unique string!");
        EXPECT_FALSE(other.alreadyExists());
    }
    // Released with its holder, as a process's mutex is at its end.
    EXPECT_FALSE(os::NamedMutexExists("Lobrix"));
    os::NamedMutex again("Lobrix");
    EXPECT_FALSE(again.alreadyExists());
}

TEST(SingleInstance, LookingForAHolderNeverTurnsAStartingOneAway) {
    // One side keeps asking whether the name is held while the other keeps
    // taking and releasing it: a question that took the name even for a
    // moment would now and then make a start see the name taken.
    LockFolderScope scope;
    std::atomic<bool> done{false};
    std::thread asker([&] {
        while (!done) os::NamedMutexExists("Lobrix");
    });
    int turnedAway = 0;
    for (int i = 0; i < 1000; ++i) {
        os::NamedMutex start("Lobrix");
        if (start.alreadyExists()) ++turnedAway;
    }
    done = true;
    asker.join();
    EXPECT_EQ(turnedAway, 0);
}

TEST(SingleInstance, WakeReachesTheListener) {
    // A name of this process's own: the program's name may be listened on by
    // a copy that another test has started at the same moment.
    const QString name = QStringLiteral("Wake test %1").arg(QCoreApplication::applicationPid());
    int woken = 0;
    os::WakeChannel channel(name, [&] { ++woken; });
    ASSERT_TRUE(channel.listening());
    EXPECT_TRUE(os::SendWake(name));
    QElapsedTimer t;
    t.start();
    while (woken == 0 && t.elapsed() < 3000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(woken, 1);
    EXPECT_FALSE(os::SendWake("nobody listens here"));
}
