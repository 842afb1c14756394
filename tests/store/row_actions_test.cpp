// The actions on the list's current row: deletion with its question and the enabling that
// follows, and the export with the proposed file name and the copy.
#include "ArchiveFixture.h"

#include "shell/ModeWord.h"
#include "store/RowActions.h"
#include "store/StoredMessages.h"

#include <QFile>

using namespace lark;
using namespace lark::store;

namespace {

class RowActionsTest : public test::ArchiveTest {
protected:
    void openList()
    {
        dm->DBConnectExecute();
        ASSERT_TRUE(dm->FDTbl1().isOpen());
    }
    bool enabled(const char* name) { return ctx->actions().enabled(QString::fromLatin1(name)); }
};

TEST_F(RowActionsTest, DeletingTheLastRowDisablesSearchAndRowActions)
{
    test::MailSpec a;
    a.subject = QStringLiteral("御見積の件");
    a.senderName = QStringLiteral("営業部");
    store(a);
    openList();
    for (const char* n : {"DBSelect", "DispMsgDat", "DelMsgDat", "ExprtMsgFile", "SetListFontSize"})
        EXPECT_TRUE(enabled(n)) << n;

    dialogs.confirmAnswers = {platform::Answer::No};
    DelMsgDatExecute(*dm);
    EXPECT_EQ(ctx->status(2), QStringLiteral("削除処理をキャンセルしました"));
    EXPECT_EQ(rowCount(QStringLiteral("Message_IdxTbl")), 1);

    dialogs.clear();
    dialogs.confirmAnswers = {platform::Answer::Yes};
    DelMsgDatExecute(*dm);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("【件名】：御見積の件\r\n【日時】：2025/01/31 14:05:09\r\n"
                                                    "【送信者】：営業部\r\nこのメールデータを削除しますか?"));
    EXPECT_EQ(dialogs.shown[0].defaultButton, platform::Answer::Yes);
    EXPECT_EQ(rowCount(QStringLiteral("Message_IdxTbl")), 0);
    EXPECT_EQ(rowCount(QStringLiteral("Message_DatTBL")), 0);
    EXPECT_EQ(ctx->status(2), QStringLiteral("メッセージデータを削除しました"));
    EXPECT_TRUE(dm->FDTbl1().isOpen());
    EXPECT_EQ(dm->FDTbl1().rowCount(), 0);
    for (const char* n : {"DBSelect", "DispMsgDat", "DelMsgDat", "ExprtMsgFile", "SetListFontSize"})
        EXPECT_FALSE(enabled(n)) << n;
    EXPECT_TRUE(shell::hasMode(ctx->pmode, shell::kModeStoredShown));
}

TEST_F(RowActionsTest, DeletionKeepsTheFilterAndTheOtherRows)
{
    test::MailSpec a, b;
    b.id = QStringLiteral("<m2@example.test>");
    b.subject = QStringLiteral("Other");
    store(a);
    store(b);
    openList();
    SearchCriteria c;
    c.from = QDate(2025, 1, 1);
    c.to = QDate(2025, 1, 31);
    c.subject = QStringLiteral("Subject");
    ASSERT_TRUE(dm->FDTbl1().setFilter(c).ok());
    ASSERT_EQ(dm->FDTbl1().rowCount(), 1);
    dialogs.confirmAnswers = {platform::Answer::Yes};
    DelMsgDatExecute(*dm);
    EXPECT_TRUE(dm->FDTbl1().isFiltered());
    EXPECT_EQ(dm->FDTbl1().rowCount(), 0);
    EXPECT_EQ(rowCount(QStringLiteral("Message_IdxTbl")), 1);
}

TEST_F(RowActionsTest, ExportProposesANameFromThePatternAndCopiesTheStoredFile)
{
    test::MailSpec a;
    a.subject = QStringLiteral("御見積の件");
    a.fileName = QStringLiteral("123.eml");
    a.bytes = QByteArray("Subject: x\r\n\r\n\xE3\x81\x82 raw bytes\r\n");
    store(a);
    openList();
    struct Row {
        QString pattern;
        QString proposed;
    };
    const QList<Row> rows = {
        {QStringLiteral("Dummy Data"), QStringLiteral("御見積の件_202501311405.eml")},
        {QStringLiteral("[Date]-[Subject]"), QStringLiteral("20250131-御見積の件.eml")},
        {QStringLiteral("[subject]_[datetime]"), QStringLiteral("御見積の件_[datetime].eml")},
        {QStringLiteral("[DATE]/x"), QStringLiteral("20250131_x.eml")},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.pattern.toStdString());
        ctx->params().setValue(QStringLiteral("ExpFileName"), r.pattern);
        dialogs.clear();
        dialogs.saveAnswers = {std::nullopt};
        ExprtMsgFileExecute(*dm);
        ASSERT_EQ(dialogs.shown.size(), 1);
        EXPECT_EQ(dialogs.shown[0].options.fileName, r.proposed);
        ASSERT_EQ(dialogs.shown[0].options.filters.size(), 1);
        EXPECT_EQ(dialogs.shown[0].options.filters[0].pattern, QStringLiteral("*.eml"));
    }
    // The unset pattern was given its default in the table.
    ctx->params().setValue(QStringLiteral("ExpFileName"), QStringLiteral("Dummy Data"));
    dialogs.clear();
    const QString target = tmp.filePath(QStringLiteral("out.eml"));
    test::writeAll(target, "old content");
    dialogs.saveAnswers = {target};
    ExprtMsgFileExecute(*dm);
    EXPECT_EQ(ctx->params().value(QStringLiteral("ExpFileName")), QStringLiteral("[Subject]_[DateTime]"));
    EXPECT_EQ(test::readAll(target), a.bytes);
    EXPECT_EQ(ctx->status(2), QStringLiteral("保存完了"));
    EXPECT_FALSE(QFile::exists(QDir(ctx->workingFolder()).filePath(QStringLiteral("123.eml"))));
}

} // namespace
