#include "shell/Caption.h"

#include "support/TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lark::shell;

TEST(Caption, WorkingCaptionNamesTheDatabase)
{
    EXPECT_EQ(workingCaption(QString(), QStringLiteral("/data/mail/LarkspurDB.fdb")), QStringLiteral("Larkspur 管理 -- LarkspurDB.fdb"));
    EXPECT_EQ(workingCaption(QStringLiteral("LocalHost"), QStringLiteral("/a/x.fdb")), QStringLiteral("Larkspur 管理 -- x.fdb"));
    EXPECT_EQ(workingCaption(QStringLiteral("server1"), QStringLiteral("C:\\db\\A.FDB")), QStringLiteral("Larkspur 管理 -- server1:A.FDB"));
    EXPECT_TRUE(isEmbeddedHost(QString()));
    EXPECT_TRUE(isEmbeddedHost(QStringLiteral("my-LOCALHOST")));
    EXPECT_FALSE(isEmbeddedHost(QStringLiteral("127.0.0.1")));
}

TEST(Caption, TitleFileHoldsTheCaptionWithByteOrderMark)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeTitleFile(dir.path(), QStringLiteral("Larkspur 管理 -- server1:A.FDB")).ok());
    const QByteArray data = lark::test::readAll(dir.filePath("$FormTitle.txt"));
    EXPECT_TRUE(data.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(data.endsWith("A.FDB\r\n"));
    EXPECT_EQ(QString::fromUtf8(data.mid(3)), QStringLiteral("Larkspur 管理 -- server1:A.FDB\r\n"));
}
