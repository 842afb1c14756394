// The database settings dialog's logic: OK with and without a change, the lock file, a host
// that cannot be reached, Cancel, a new archive at a path that does not exist, and the
// services file.
#include "ArchiveFixture.h"

#include "platform/LockFile.h"
#include "shell/Caption.h"
#include "store/DBSetLogic.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace lark;
using namespace lark::store;

namespace {

class DBSetTest : public test::ArchiveTest {
protected:
    void SetUp() override
    {
        test::ArchiveTest::SetUp();
        services = tmp.filePath(QStringLiteral("services"));
        test::writeAll(services, "ftp\t\t21/tcp\n");
        dm->connectionSetup();
    }
    QString lockPath() const { return platform::LockFile::lockPathFor(dbPath); }
    bool connectEnabled() const { return ctx->actions().enabled(QStringLiteral("DBConnect")); }
    QString services;
};

TEST_F(DBSetTest, OkWithoutChangeRenewsTheLockFileAndKeepsTheConnection)
{
    ctx->emb_Flg = true;
    ctx->Semafore_Flg = ctx->semafore.acquire(lockPath());
    ASSERT_TRUE(ctx->Semafore_Flg);
    { // a mark in the old lock file: a renewed file starts empty
        QFile f(lockPath());
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write("old");
    }
    ASSERT_GT(QFileInfo(lockPath()).size(), 0);
    DBSetLogic logic(*dm, services);
    logic.BitBtn3Click();
    EXPECT_TRUE(QFileInfo::exists(lockPath()));
    EXPECT_EQ(QFileInfo(lockPath()).size(), 0);
    EXPECT_TRUE(ctx->Semafore_Flg);
    EXPECT_TRUE(ctx->semafore.held());
    EXPECT_TRUE(dm->FD_Message().isOpen());
    EXPECT_TRUE(dialogs.texts().isEmpty());
    // Another holder of the lock would have been noticed: take it from a second handle.
    platform::LockFile other;
    EXPECT_FALSE(other.acquire(lockPath()));
}

TEST_F(DBSetTest, LockHeldByAnotherProgramPutsTheSettingsBack)
{
    ctx->emb_Flg = true;
    ctx->Semafore_Flg = ctx->semafore.acquire(lockPath());
    const QString otherFolder = tmp.filePath(QStringLiteral("other"));
    QDir().mkpath(otherFolder);
    const QString otherArchive = QDir(otherFolder).filePath(QStringLiteral("b.fdb"));
    test::makeArchive(otherArchive);
    platform::LockFile otherProgram;
    ASSERT_TRUE(otherProgram.acquire(platform::LockFile::lockPathFor(otherArchive)));

    DBSetLogic logic(*dm, services);
    logic.Edit2 = otherArchive;
    logic.BitBtn3Click();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("他のアクセスがあります、設定をもどします")});
    EXPECT_EQ(ctx->Ldb_Path1, dbPath);
    EXPECT_EQ(logic.Edit2, dbPath);
    EXPECT_TRUE(ctx->Semafore_Flg);
    EXPECT_EQ(ctx->semafore.path(), lockPath());
    // The connection stays on the file chosen; the restored path counts from the next start.
    EXPECT_EQ(dm->FD_Message().databasePath(), otherArchive);
    EXPECT_TRUE(dm->FD_Message().isOpen());
}

TEST_F(DBSetTest, OldOnDiskStructureAsksBeforeTheUpgrade)
{
    const QString other = tmp.filePath(QStringLiteral("old.fdb"));
    test::makeArchive(other);
    dm->odsReader = [] { return Result<OdsInfo>(OdsInfo{13, 0, QStringLiteral("  /data/old.fdb  ")}); };
    DBSetLogic logic(*dm, services);
    logic.Edit2 = other;
    dialogs.confirmAnswers = {platform::Answer::No};
    logic.BitBtn3Click();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].text,
              QStringLiteral("【データベース名】：\r\n/data/old.fdb\r\nFirebird 5.0 バージョンに更新しますか?"));
    EXPECT_EQ(dialogs.shown[0].defaultButton, platform::Answer::Yes);
    // No keeps the file as it is and the connection open on it.
    EXPECT_TRUE(dm->FD_Message().isOpen());
    EXPECT_EQ(dm->FD_Message().databasePath(), other);
    EXPECT_EQ(ctx->caption(), QStringLiteral("Larkspur 管理 -- old.fdb"));
    EXPECT_TRUE(connectEnabled());
}

TEST_F(DBSetTest, UnreachableHostGivesItsMessageAndTheMailDbCaption)
{
    ctx->emb_Flg = true;
    ctx->Semafore_Flg = ctx->semafore.acquire(lockPath());
    DBSetLogic logic(*dm, services);
    logic.Edit1 = QStringLiteral("127.0.0.1/1"); // nothing listens on port 1
    logic.BitBtn3Click();
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Mail LDBに接続できません")});
    EXPECT_EQ(ctx->caption(), QStringLiteral("Mail DB"));
    EXPECT_FALSE(connectEnabled());
    EXPECT_FALSE(dm->FD_Message().isOpen());
    EXPECT_EQ(ctx->Ldb_Host1, QStringLiteral("127.0.0.1/1"));
    EXPECT_TRUE(ctx->semafore.held()); // the lock file is not touched
}

TEST_F(DBSetTest, CancelReconnectsToThePreviousArchive)
{
    dm->closeConnection();
    ASSERT_FALSE(connectEnabled());
    DBSetLogic logic(*dm, services);
    logic.Edit1 = QStringLiteral("elsewhere");
    logic.Edit2 = QStringLiteral("/nowhere/x.fdb");
    logic.BitBtn2Click();
    EXPECT_EQ(logic.Edit1, QString());
    EXPECT_EQ(logic.Edit2, dbPath);
    EXPECT_TRUE(dm->FD_Message().isOpen());
    EXPECT_EQ(dm->FD_Message().databasePath(), dbPath);
    EXPECT_TRUE(connectEnabled());
    EXPECT_TRUE(dialogs.texts().isEmpty());

}

TEST_F(DBSetTest, CancelThatCannotConnectSaysTheServerMayBeStopped)
{
    ctx->Ldb_Path1 = tmp.filePath(QStringLiteral("gone.fdb"));
    dm->closeConnection();
    dm->connectionSetup();
    DBSetLogic logic(*dm, services);
    logic.BitBtn2Click();
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("ＤＢサーバーに接続できません。ＤＢサーバーが停止している可能性があります")});
    EXPECT_FALSE(connectEnabled());
}

TEST_F(DBSetTest, ChoosingAFileThatDoesNotExistOffersANewArchive)
{
    const QString fresh = tmp.filePath(QStringLiteral("fresh.fdb"));
    {
        DBSetLogic logic(*dm, services);
        dialogs.confirmAnswers = {platform::Answer::No};
        EXPECT_FALSE(logic.SpeedButton1Chosen(fresh));
        EXPECT_FALSE(QFileInfo::exists(fresh));
        EXPECT_EQ(ctx->Ldb_Path1, dbPath);
        EXPECT_EQ(logic.Edit2, dbPath);
        EXPECT_EQ(dialogs.shown.size(), 1);
    }
    dialogs.clear();
    DBSetLogic logic(*dm, services);
    dialogs.confirmAnswers = {platform::Answer::Yes};
    EXPECT_TRUE(logic.SpeedButton1Chosen(fresh));
    EXPECT_TRUE(QFileInfo(fresh).isFile());
    EXPECT_EQ(ctx->Ldb_Path1, fresh);
    EXPECT_EQ(ctx->caption(), QStringLiteral("Larkspur 管理 -- fresh.fdb"));
    EXPECT_TRUE(dm->FD_Message().isOpen());
    dm->DBConnectExecute();
    EXPECT_TRUE(dm->FDTbl1().isOpen());
    EXPECT_EQ(dm->FDTbl1().rowCount(), 0);
    // An existing file just goes into the box.
    DBSetLogic next(*dm, services);
    EXPECT_FALSE(next.SpeedButton1Chosen(dbPath));
    EXPECT_EQ(next.Edit2, dbPath);
}

TEST_F(DBSetTest, ServicesFileStateAndRegistration)
{
    DBSetLogic logic(*dm, services);
    logic.FormShow();
    EXPECT_EQ(logic.Label4, QStringLiteral("登録ボタンをクリックしてください"));
    EXPECT_TRUE(logic.Button1Visible);
    logic.Button1Click();
    EXPECT_EQ(logic.Label4, QStringLiteral("gds_db(3050) 登録済み"));
    EXPECT_FALSE(logic.Button1Visible);
    EXPECT_EQ(test::readAll(services),
              QByteArray("ftp\t\t21/tcp\ngds_db           3050/tcp                           #Borland InterBase Server\n"));

    test::writeAll(services, "GDS_DB 3050/tcp\n");
    DBSetLogic capitals(*dm, services);
    capitals.FormShow();
    EXPECT_EQ(capitals.Label4, QStringLiteral("gds_db(3050) 登録されています"));
    EXPECT_FALSE(capitals.Button1Visible);

    // A services file that cannot be written (not even by the administrator).
    DBSetLogic locked(*dm, QStringLiteral("/proc/version"));
    locked.FormShow();
    locked.Button1Click();
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("この操作はプログラムを管理モードで起動後実行してください"));
}

} // namespace
