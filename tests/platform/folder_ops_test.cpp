#include "platform/FolderOps.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lark::platform;

TEST(FolderOps, CopyFilesByMaskWithAndWithoutOverwrite)
{
    QTemporaryDir src, dst;
    lark::test::writeAll(src.filePath("Larkspur.ini"), "new");
    lark::test::writeAll(src.filePath("$MSK_List.Txt"), "m");
    lark::test::writeAll(src.filePath("sub/inner.ini"), "x");
    lark::test::writeAll(dst.filePath("Larkspur.ini"), "old");

    EXPECT_TRUE(copyFiles(src.path(), dst.path(), QStringLiteral("*.*"), false));
    EXPECT_EQ(lark::test::readAll(dst.filePath("Larkspur.ini")), QByteArray("old"));
    EXPECT_EQ(lark::test::readAll(dst.filePath("$MSK_List.Txt")), QByteArray("m"));
    EXPECT_FALSE(QFile::exists(dst.filePath("sub/inner.ini")));

    EXPECT_TRUE(copyFiles(src.path(), dst.path(), QStringLiteral("*.ini"), true));
    EXPECT_EQ(lark::test::readAll(dst.filePath("Larkspur.ini")), QByteArray("new"));
    EXPECT_FALSE(copyFiles(src.path(), dst.path(), QStringLiteral("*.none"), true));
}

TEST(FolderOps, DeleteFolderTreeRemovesEverything)
{
    QTemporaryDir dir;
    const QString work = dir.filePath("mail_dat");
    lark::test::writeAll(work + QStringLiteral("/2nd/a.txt"), "a");
    lark::test::writeAll(work + QStringLiteral("/.hidden"), "h");
    EXPECT_TRUE(deleteFolderTree(work));
    EXPECT_FALSE(QDir(work).exists());
    EXPECT_TRUE(deleteFolderTree(work)); // already gone
}
