// The lock file of a running program: one holder at a time, alongside Qt's QLockFile; a file
// left behind by a crash holds nothing.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>

#include "platform/InstanceLock.h"

namespace bw {
namespace {

using R = InstanceLock::Result;

TEST(InstanceLock, OneHolderAtATimeAndTheFileGoesWithTheLast) {
    QTemporaryDir dir;
    const QString path = dir.filePath("BWF.lock");
    InstanceLock first, second;
    ASSERT_EQ(first.TryLock(path), R::Taken);
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(second.TryLock(path), R::HeldElsewhere);
    first.Unlock();
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_EQ(second.TryLock(path), R::Taken);
    {
        InstanceLock third;
        EXPECT_EQ(third.TryLock(path), R::HeldElsewhere);
    }
    EXPECT_TRUE(QFileInfo::exists(path));  // a lock that was not taken removes nothing
    second.Unlock();

    // A file left behind by a crash holds nothing; a folder that cannot be written is said.
    {
        QFile left(path);
        ASSERT_TRUE(left.open(QIODevice::WriteOnly));
        left.write("999999\nbellweft\nsomewhere\nand more than we write\n");
    }
    EXPECT_EQ(first.TryLock(path), R::Taken);
    EXPECT_EQ(first.TryLock("/proc/self/BWF.lock"), R::CannotMake);
    EXPECT_FALSE(first.IsLocked());
}

TEST(InstanceLock, KeepsQtsLockFileOutAndIsKeptOutByIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath("BWF.lock");
    {
        QLockFile qt(path);
        ASSERT_TRUE(qt.tryLock(0));
        InstanceLock ours;
        EXPECT_EQ(ours.TryLock(path), R::HeldElsewhere);
    }
    InstanceLock ours;
    ASSERT_EQ(ours.TryLock(path), R::Taken);
    QLockFile qt(path);
    qt.setStaleLockTime(0);
    EXPECT_FALSE(qt.tryLock(0));
    EXPECT_EQ(qt.error(), QLockFile::LockFailedError);
    // The file says what QLockFile's does first: the holder's process id.
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readLine().trimmed().toLongLong(), QCoreApplication::applicationPid());
}

}  // namespace
}  // namespace bw
