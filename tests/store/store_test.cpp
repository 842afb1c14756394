// Storing messages: insert or update per message key, both rows in one transaction, texts cut
// to their columns, the file stored byte for byte; the store action's texts and states.
#include "ArchiveFixture.h"

#include "store/MessageWriter.h"
#include "store/StoreOperation.h"

#include <QSqlQuery>

using namespace lark;
using namespace lark::store;
using lark::test::MailSpec;

class StoreTest : public lark::test::ArchiveTest {};

TEST_F(StoreTest, SameMessageTwiceLeavesOneRowPerTableWithTheNewValues)
{
    MailSpec first;
    store(first);
    MailSpec second = first;
    second.subject = "changed subject";
    second.body = "new body";
    second.bytes = "new file content";
    store(second);
    EXPECT_EQ(rowCount("Message_IdxTbl"), 1);
    EXPECT_EQ(rowCount("Message_DatTBL"), 1);
    EXPECT_EQ(column("Message_IdxTbl", "Message_Subject", first.id, first.date).toString(), "changed subject");
    EXPECT_EQ(column("Message_IdxTbl", "MailBody", first.id, first.date).toString(), "new body");
    EXPECT_EQ(column("Message_DatTBL", "MailDat", first.id, first.date).toByteArray(), QByteArray("new file content"));
}

TEST_F(StoreTest, SameIdDifferentDatesAreTwoMessages)
{
    MailSpec a;
    MailSpec b = a;
    b.date = "2025/01/31 14:05:10";
    store(a);
    store(b);
    EXPECT_EQ(rowCount("Message_IdxTbl"), 2);
    EXPECT_EQ(rowCount("Message_DatTBL"), 2);
}

TEST_F(StoreTest, ColumnsTakeTheDisplayedValues)
{
    struct Case {
        QString fileName;
        int mdatType;
        QString ftype;
        QString storedName;
    } cases[] = {
        {"REPORT.EML", 2, "1", "REPORT.EML"},
        {"item.msg", 1, "2", "item.msg"},
        {"notes.txt", 0, "0", "notes.txt"},
        {"blank.eml ", 3, "1", "blank.eml"},
    };
    int n = 0;
    for (const Case& c : cases) {
        MailSpec m;
        m.id = QStringLiteral("<case%1@x>").arg(++n);
        m.fileName = c.fileName;
        m.mdatType = c.mdatType;
        m.account = "account-key";
        store(m);
        EXPECT_EQ(column("Message_IdxTbl", "Message_ftype", m.id, m.date).toString(), c.ftype) << c.fileName.toStdString();
        EXPECT_EQ(column("Message_IdxTbl", "Message_dtype", m.id, m.date).toString(), QString::number(c.mdatType));
        EXPECT_EQ(column("Message_IdxTbl", "Account_Key", m.id, m.date).toString(), "account-key");
        EXPECT_EQ(column("Message_DatTBL", "Message_FileName", m.id, m.date).toString(), c.storedName);
    }
}

TEST_F(StoreTest, EmptyMessageIdIsAKeyLikeAnyOther)
{
    MailSpec m;
    m.id = "";
    store(m);
    EXPECT_EQ(rowCount("Message_IdxTbl"), 1);
    EXPECT_EQ(column("Message_DatTBL", "Message_FileName", "", m.date).toString(), "m1.eml");
}

TEST_F(StoreTest, LongTextsAreCutToTheirColumnsAndTheFileStaysWhole)
{
    MailSpec m;
    m.senderName = QString(100, QLatin1Char('N'));
    m.subject = QString(300, QChar(0x984C));
    m.recieveAddress = QString(400, QLatin1Char('r'));
    m.bytes = QByteArray(200000, 'z');
    store(m);
    EXPECT_EQ(column("Message_IdxTbl", "Sender_Name", m.id, m.date).toString(), QString(64, QLatin1Char('N')));
    EXPECT_EQ(column("Message_IdxTbl", "Message_Subject", m.id, m.date).toString(), QString(256, QChar(0x984C)));
    EXPECT_EQ(column("Message_IdxTbl", "Recieve_Address", m.id, m.date).toString().size(), 256);
    EXPECT_EQ(column("Message_DatTBL", "MailDat", m.id, m.date).toByteArray(), m.bytes);
}

TEST_F(StoreTest, MailDatKeepsEveryByte)
{
    MailSpec m;
    QByteArray bytes;
    for (int i = 0; i < 70000; ++i)
        bytes.append(char((i * 131) & 0xff));
    m.bytes = bytes;
    store(m);
    EXPECT_EQ(column("Message_DatTBL", "MailDat", m.id, m.date).toByteArray(), bytes);
}

TEST_F(StoreTest, FailureBetweenTheTwoRecordsLeavesNeitherRow)
{
    Result<StoredMessage> m = prepareStoredMessage(shown(MailSpec{}));
    ASSERT_TRUE(m.ok());
    const Status s = storeMessage(dm->FD_Message(), *m, [] { return Status(makeError("simulated failure")); });
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.error().code, kFileRecordError);
    EXPECT_EQ(rowCount("Message_IdxTbl"), 0);
    EXPECT_EQ(rowCount("Message_DatTBL"), 0);
}

TEST_F(StoreTest, FailedUpdateOfAnExistingMessageKeepsTheOldRowsWhole)
{
    MailSpec old;
    store(old);
    MailSpec next = old;
    next.subject = "replacement";
    Result<StoredMessage> m = prepareStoredMessage(shown(next));
    ASSERT_TRUE(m.ok());
    const Status s = storeMessage(dm->FD_Message(), *m, [] { return Status(makeError("simulated failure")); });
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(column("Message_IdxTbl", "Message_Subject", old.id, old.date).toString(), "Subject");
    EXPECT_EQ(column("Message_DatTBL", "MailDat", old.id, old.date).toByteArray(), old.bytes);
}

TEST_F(StoreTest, BulkStoreKeepsTheGoodMessagesOfABatchWithAFailure)
{
    BulkStore bulk(dm->FD_Message(), 10);
    for (int i = 0; i < 3; ++i) {
        MailSpec mail;
        mail.id = QStringLiteral("<bulk%1@x>").arg(i);
        mail.fileName = QStringLiteral("b%1.eml").arg(i);
        Result<StoredMessage> m = prepareStoredMessage(shown(mail));
        ASSERT_TRUE(m.ok());
        if (i == 1)
            bulk.betweenRecords = [] { return Status(makeError("simulated failure")); };
        const Status s = bulk.add(*m);
        bulk.betweenRecords = nullptr;
        EXPECT_EQ(s.ok(), i != 1) << i;
    }
    EXPECT_EQ(bulk.pending(), 2);
    ASSERT_TRUE(bulk.commit().ok());
    EXPECT_EQ(rowCount("Message_IdxTbl"), 2);
    EXPECT_EQ(rowCount("Message_DatTBL"), 2);
    EXPECT_FALSE(column("Message_IdxTbl", "Message_ID", "<bulk1@x>", "2025/01/31 14:05:09").isValid());
}

TEST_F(StoreTest, BulkStoreDropsTheBatchWhenAFailedMessageCannotBeTakenOutAlone)
{
    BulkStore bulk(dm->FD_Message(), 10);
    auto message = [this](int i) {
        MailSpec mail;
        mail.id = QStringLiteral("<drop%1@x>").arg(i);
        return *prepareStoredMessage(shown(mail));
    };
    ASSERT_TRUE(bulk.add(message(0)).ok());
    // The message's savepoint is gone when its second record fails: its first record cannot be
    // taken back alone, so nothing of the batch may be committed.
    bulk.betweenRecords = [this] {
        QSqlQuery(dm->FD_Message().database()).exec("RELEASE SAVEPOINT LARK_MESSAGE");
        return Status(makeError("simulated failure"));
    };
    EXPECT_FALSE(bulk.add(message(1)).ok());
    bulk.betweenRecords = nullptr;
    EXPECT_TRUE(bulk.batchFull());
    EXPECT_FALSE(bulk.commit().ok());
    EXPECT_EQ(rowCount("Message_IdxTbl"), 0);
    EXPECT_EQ(rowCount("Message_DatTBL"), 0);

    ASSERT_TRUE(bulk.add(message(2)).ok());
    ASSERT_TRUE(bulk.commit().ok());
    EXPECT_EQ(rowCount("Message_IdxTbl"), 1);
    EXPECT_EQ(rowCount("Message_DatTBL"), 1);
}

TEST_F(StoreTest, BulkStoreWithoutCommitStoresNothing)
{
    {
        BulkStore bulk(dm->FD_Message(), 10);
        Result<StoredMessage> m = prepareStoredMessage(shown(MailSpec{}));
        ASSERT_TRUE(m.ok());
        ASSERT_TRUE(bulk.add(*m).ok());
    }
    EXPECT_EQ(rowCount("Message_IdxTbl"), 0);
    EXPECT_EQ(rowCount("Message_DatTBL"), 0);
}

// The store action as the main window runs it.
class DBUpdateTest : public lark::test::ArchiveTest {
protected:
    void SetUp() override
    {
        lark::test::ArchiveTest::SetUp();
        ctx->shownMessage = [this] { return current; };
        ctx->actions().enable("DBUpdate");
    }
    shell::ShownMessage current;
};

TEST_F(DBUpdateTest, SuccessReportsAndDisablesTheAction)
{
    current = shown(MailSpec{});
    ctx->actions().execute("DBUpdate");
    EXPECT_EQ(ctx->status(2), kStoreDone);
    EXPECT_FALSE(ctx->actions().enabled("DBUpdate"));
    EXPECT_TRUE(dialogs.texts().isEmpty());
    EXPECT_EQ(rowCount("Message_IdxTbl"), 1);
}

TEST_F(DBUpdateTest, FileRecordFailureShowsItsMessageAndEnablesARetry)
{
    current = shown(MailSpec{});
    dm->storeFaultPoint = [] { return Status(makeError("simulated failure")); };
    ctx->actions().execute("DBUpdate");
    EXPECT_EQ(dialogs.texts(), QStringList{kFileRecordFailed});
    EXPECT_TRUE(ctx->actions().enabled("DBUpdate"));
    EXPECT_EQ(ctx->status(2), QString());
    EXPECT_EQ(rowCount("Message_IdxTbl"), 0);
}

TEST_F(DBUpdateTest, MessageWithoutDateIsRefusedWithAReasonAndNothingStored)
{
    MailSpec m;
    m.date = "";
    current = shown(m);
    ctx->actions().execute("DBUpdate");
    ASSERT_EQ(dialogs.texts().size(), 1);
    EXPECT_EQ(dialogs.texts().first(), QStringLiteral("the message has no date"));
    EXPECT_EQ(rowCount("Message_IdxTbl"), 0);
    EXPECT_EQ(rowCount("Message_DatTBL"), 0);
}

TEST_F(DBUpdateTest, ClosedConnectionIsOpenedForTheStore)
{
    dm->FD_Message().close();
    current = shown(MailSpec{});
    ctx->actions().execute("DBUpdate");
    EXPECT_EQ(ctx->status(2), kStoreDone);
    EXPECT_EQ(rowCount("Message_DatTBL"), 1);
}

TEST_F(DBUpdateTest, UnreachableArchiveReportsTheIndexMessageWithTheDatabaseText)
{
    dm->FD_Message().close();
    ctx->Ldb_Path1 = tmp.filePath("gone/none.fdb");
    dm->connectionSetup();
    current = shown(MailSpec{});
    ctx->actions().execute("DBUpdate");
    ASSERT_EQ(dialogs.texts().size(), 1);
    EXPECT_TRUE(dialogs.texts().first().startsWith(kIndexRecordFailed));
    EXPECT_GT(dialogs.texts().first().size(), kIndexRecordFailed.size());
    EXPECT_TRUE(ctx->actions().enabled("DBUpdate"));
}
