#include "platform/LockFile.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using lark::platform::LockFile;

TEST(LockFile, SecondHolderIsRefusedAndOnlyTheHolderDeletesTheFile)
{
    QTemporaryDir dir;
    const QString db = dir.filePath("archive.fdb");
    const QString lockPath = LockFile::lockPathFor(db);
    EXPECT_EQ(lockPath, dir.filePath("Semafore"));

    LockFile first;
    ASSERT_TRUE(first.acquire(lockPath));
    EXPECT_TRUE(QFile::exists(lockPath));

    LockFile second;
    EXPECT_FALSE(second.acquire(lockPath));
    second.releaseAndDelete(); // not held: must not remove the other's file
    EXPECT_TRUE(QFile::exists(lockPath));

    first.releaseAndDelete();
    EXPECT_FALSE(QFile::exists(lockPath));
    EXPECT_TRUE(second.acquire(lockPath));
}

TEST(LockFile, AnotherProcessCannotTakeItAndACrashedHolderDoesNotKeepIt)
{
    QTemporaryDir dir;
    const QString lockPath = dir.filePath("Semafore");
    QProcess holder;
    holder.start(QDir(lark::test::binDir()).filePath("platform_child"), {QStringLiteral("hold-lock"), lockPath});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    ASSERT_EQ(holder.readAll().trimmed(), QByteArray("held"));

    LockFile mine;
    EXPECT_FALSE(mine.acquire(lockPath));

    holder.kill(); // a crash: the file stays, the lock goes
    holder.waitForFinished();
    EXPECT_TRUE(QFile::exists(lockPath));
    EXPECT_TRUE(mine.acquire(lockPath));
}
