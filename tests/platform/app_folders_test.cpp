#include "platform/AppFolders.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using lark::platform::AppFolders;

namespace {

struct EnvGuard {
    QByteArray home = qgetenv("XDG_CONFIG_HOME");
    QByteArray dirs = qgetenv("XDG_CONFIG_DIRS");
    ~EnvGuard()
    {
        qputenv("XDG_CONFIG_HOME", home);
        qputenv("XDG_CONFIG_DIRS", dirs);
    }
};

} // namespace

TEST(AppFolders, SettingsFolderFollowsTheFirstRuleThatHolds)
{
    EnvGuard guard;
    QTemporaryDir user, all;
    qputenv("XDG_CONFIG_HOME", user.path().toUtf8());
    qputenv("XDG_CONFIG_DIRS", (all.path() + QStringLiteral(":/etc/xdg")).toUtf8());
    const QString userFolder = user.filePath("Brennick/LarkspurDB");
    const QString allFolder = all.filePath("Brennick/LarkspurDB");
    EXPECT_EQ(AppFolders::perUserFolder(), userFolder);
    EXPECT_EQ(AppFolders::allUsersFolder(), allFolder);

    // Neither exists: the program folder's config; nothing is created.
    EXPECT_EQ(AppFolders::settingsFolder(), AppFolders::programFolder() + QStringLiteral("/config"));
    EXPECT_FALSE(QDir(userFolder).exists());

    ASSERT_TRUE(QDir().mkpath(allFolder));
    EXPECT_EQ(AppFolders::settingsFolder(), allFolder);

    ASSERT_TRUE(QDir().mkpath(userFolder));
    EXPECT_EQ(AppFolders::settingsFolder(), userFolder);
}

TEST(AppFolders, DefaultsWhenTheVariablesAreUnset)
{
    EnvGuard guard;
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_CONFIG_DIRS");
    EXPECT_EQ(AppFolders::perUserFolder(), QDir::homePath() + QStringLiteral("/.config/Brennick/LarkspurDB"));
    EXPECT_EQ(AppFolders::allUsersFolder(), QStringLiteral("/etc/xdg/Brennick/LarkspurDB"));
}

TEST(AppFolders, IniFileNameFollowsTheProgramName)
{
    EXPECT_EQ(AppFolders::iniFileName(QStringLiteral("Larkspur")), QStringLiteral("Larkspur.ini"));
    EXPECT_EQ(AppFolders::iniFileName(QStringLiteral("Larkspur2")), QStringLiteral("Larkspur2.ini"));
    EXPECT_EQ(AppFolders::iniFileName(QStringLiteral("Larkspur.exe")), QStringLiteral("Larkspur.ini"));
}
