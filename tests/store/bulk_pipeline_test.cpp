// Storing many messages with a writer thread: every message whole or absent, outcomes in the
// order the messages were handed over, a failing message out of its batch, the others kept.
#include "ArchiveFixture.h"

#include "store/BulkPipeline.h"

using namespace lark;
using namespace lark::store;

namespace {

class BulkPipelineTest : public test::ArchiveTest {
protected:
    StoredMessage message(int i)
    {
        test::MailSpec mail;
        mail.id = QStringLiteral("<p%1@x>").arg(i);
        mail.fileName = QStringLiteral("p%1.eml").arg(i);
        mail.bytes = QByteArray("Subject: p\r\n\r\nbody ") + QByteArray::number(i) + "\r\n";
        Result<StoredMessage> m = prepareStoredMessage(shown(mail));
        EXPECT_TRUE(m.ok());
        return *m;
    }
};

TEST_F(BulkPipelineTest, StoresEveryMessageInOrderAcrossBatches)
{
    BulkPipeline pipeline(QString(), dbPath, 3);
    ASSERT_TRUE(pipeline.start().ok());
    QList<BulkOutcome> outcomes;
    for (int i = 0; i < 10; ++i) {
        const StoredMessage m = message(i);
        pipeline.add(QStringLiteral("f%1").arg(i), i == 4 ? [&] {
            StoredMessage bad = m;
            bad.key.id = QString(300, QLatin1Char('x')); // longer than the key column: refused
            return bad;
        }() : m);
        outcomes += pipeline.takeOutcomes();
    }
    outcomes += pipeline.finish();
    ASSERT_EQ(outcomes.size(), 10);
    QStringList order, stored;
    for (const BulkOutcome& o : outcomes) {
        order << o.file;
        EXPECT_EQ(o.status.ok(), o.file != QLatin1String("f4")) << o.file.toStdString();
        if (o.status.ok())
            stored << o.file;
    }
    EXPECT_EQ(order, (QStringList{"f0", "f1", "f2", "f3", "f4", "f5", "f6", "f7", "f8", "f9"}));
    EXPECT_EQ(stored, (QStringList{"f0", "f1", "f2", "f3", "f5", "f6", "f7", "f8", "f9"}));
    EXPECT_EQ(rowCount(QStringLiteral("Message_IdxTbl")), 9);
    EXPECT_EQ(rowCount(QStringLiteral("Message_DatTBL")), 9);
    EXPECT_EQ(column(QStringLiteral("Message_DatTBL"), QStringLiteral("MailDat"), QStringLiteral("<p7@x>"),
                     QStringLiteral("2025/01/31 14:05:09"))
                  .toByteArray(),
              QByteArray("Subject: p\r\n\r\nbody 7\r\n"));
}

TEST_F(BulkPipelineTest, AnArchiveThatCannotBeOpenedIsReportedAtStart)
{
    BulkPipeline pipeline(QString(), tmp.filePath(QStringLiteral("missing.fdb")));
    EXPECT_FALSE(pipeline.start().ok());
    pipeline.add(QStringLiteral("f"), message(1));
    const QList<BulkOutcome> outcomes = pipeline.finish();
    ASSERT_EQ(outcomes.size(), 1);
    EXPECT_FALSE(outcomes[0].status.ok());
    EXPECT_EQ(rowCount(QStringLiteral("Message_IdxTbl")), 0);
}

} // namespace
