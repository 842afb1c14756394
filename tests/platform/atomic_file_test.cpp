#include "platform/AtomicFile.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace lark::platform;

TEST(AtomicFile, FailedWriteLeavesThePreviousFileAndReportsIt)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root can write into read-only folders";
    QTemporaryDir dir;
    const QString path = dir.filePath("Larkspur.ini");
    ASSERT_TRUE(writeFileAtomically(path, "old").ok());
    ::chmod(QFile::encodeName(dir.path()).constData(), 0500);
    const lark::Status st = writeFileAtomically(path, "new content");
    ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
    EXPECT_FALSE(st.ok());
    EXPECT_FALSE(st.errorText().isEmpty());
    EXPECT_EQ(lark::test::readAll(path), QByteArray("old"));
}

TEST(AtomicFile, FailedWriteIntoAMissingFolderIsReported)
{
    const lark::Status st = writeFileAtomically(QStringLiteral("/nonexistent-folder/x/Larkspur.ini"), "x");
    EXPECT_FALSE(st.ok());
}

TEST(AtomicFile, KillingTheWriterNeverLeavesATruncatedFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Larkspur.ini");
    const QString child = QDir(lark::test::binDir()).filePath("platform_child");
    ASSERT_TRUE(QFile::exists(child)) << child.toStdString();
    for (int round = 0; round < 12; ++round) {
        QProcess p;
        p.start(child, {QStringLiteral("write-loop"), path});
        ASSERT_TRUE(p.waitForStarted());
        ASSERT_TRUE(p.waitForReadyRead(10000));
        QThread::msleep(20 + QRandomGenerator::global()->bounded(200));
        p.kill();
        p.waitForFinished();
        const QByteArray data = lark::test::readAll(path);
        if (data.isEmpty() && !QFile::exists(path))
            continue; // killed before the first rename
        ASSERT_EQ(data.size(), 4 * 1024 * 1024) << "round " << round;
        EXPECT_TRUE(data.count('a') == data.size() || data.count('b') == data.size());
    }
    // No temporary files are left behind as settings files.
    for (const QString& f : QDir(dir.path()).entryList(QDir::Files))
        EXPECT_TRUE(f == QLatin1String("Larkspur.ini") || f.startsWith(QLatin1String("Larkspur.ini."))) << f.toStdString();
}

TEST(AtomicFile, LinesAreWrittenWithByteOrderMarkAndCrLf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("$FormTitle.txt");
    ASSERT_TRUE(writeLinesUtf8(path, {QStringLiteral("Larkspur 管理 -- a.fdb")}).ok());
    EXPECT_EQ(lark::test::readAll(path), QByteArray("\xEF\xBB\xBFLarkspur \xE7\xAE\xA1\xE7\x90\x86 -- a.fdb\r\n"));
    auto lines = readLines(path);
    ASSERT_TRUE(lines.ok());
    EXPECT_EQ(lines.value(), QStringList{QStringLiteral("Larkspur 管理 -- a.fdb")});
}
