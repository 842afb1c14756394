// The archive's schema: creation of an empty archive, the view's columns, the message key and
// the splitting of the schema script.
#include "ArchiveFixture.h"

#include "store/ArchiveConnection.h"
#include "store/ArchiveSchema.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

using namespace lark;
using namespace lark::store;

TEST(SqlScript, SplitsAtSemicolonsOutsideQuotesAndComments)
{
    struct Case {
        const char* script;
        QStringList statements;
    } cases[] = {
        {"a;b;", {"a", "b"}},
        {"-- a; comment\nselect 1;", {"select 1"}},
        {"insert into t values ('x;y'); select \"A;B\" from t", {"insert into t values ('x;y')", "select \"A;B\" from t"}},
        {"select '--not a comment' from t;", {"select '--not a comment' from t"}},
        {";;  \n;", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(splitSqlStatements(QString::fromUtf8(c.script)), c.statements) << c.script;
}

TEST(Schema, ScriptDefinesTablesViewAndIndexes)
{
    const QStringList s = schemaStatements();
    ASSERT_GE(s.size(), 3);
    EXPECT_TRUE(s.at(0).startsWith(QLatin1String("CREATE TABLE Message_IdxTbl")));
    EXPECT_TRUE(s.at(1).startsWith(QLatin1String("CREATE TABLE Message_DatTBL")));
    EXPECT_TRUE(s.last().startsWith(QLatin1String("CREATE VIEW MAIL_VIEW")));
}

class SchemaTest : public lark::test::ArchiveTest {};

TEST_F(SchemaTest, ViewHasTheColumnsInOrder)
{
    QSqlQuery q(dm->FD_Message().database());
    ASSERT_TRUE(q.exec(QStringLiteral("select trim(RDB$FIELD_NAME) from RDB$RELATION_FIELDS "
                                      "where RDB$RELATION_NAME = 'MAIL_VIEW' order by RDB$FIELD_POSITION")));
    QStringList names;
    while (q.next())
        names << q.value(0).toString();
    EXPECT_EQ(names, (QStringList{"MESSAGE_ID", "MESSAGE_DATE", "ACCOUNT_KEY", "SENDER_NAME", "SENDER_ADDRESS",
                                  "RECIEVE_NAME", "RECIEVE_ADDRESS", "MESSAGE_SUBJECT", "MESSAGE_FILENAME", "MAILBODY"}));
    Result<QStringList> missing = missingSchemaObjects(dm->FD_Message());
    ASSERT_TRUE(missing.ok());
    EXPECT_TRUE(missing->isEmpty());
}

TEST_F(SchemaTest, ColumnSizesAndCharacterSet)
{
    QSqlQuery q(dm->FD_Message().database());
    ASSERT_TRUE(q.exec(QStringLiteral(
        "select trim(rf.RDB$RELATION_NAME), trim(rf.RDB$FIELD_NAME), f.RDB$CHARACTER_LENGTH, trim(cs.RDB$CHARACTER_SET_NAME) "
        "from RDB$RELATION_FIELDS rf join RDB$FIELDS f on f.RDB$FIELD_NAME = rf.RDB$FIELD_SOURCE "
        "left join RDB$CHARACTER_SETS cs on cs.RDB$CHARACTER_SET_ID = f.RDB$CHARACTER_SET_ID "
        "where rf.RDB$RELATION_NAME in ('MESSAGE_IDXTBL', 'MESSAGE_DATTBL') and f.RDB$FIELD_TYPE = 37")));
    QMap<QString, int> sizes;
    while (q.next()) {
        sizes.insert(q.value(0).toString() + "." + q.value(1).toString(), q.value(2).toInt());
        EXPECT_EQ(q.value(3).toString(), QStringLiteral("UNICODE_FSS")) << q.value(1).toString().toStdString();
    }
    const QMap<QString, int> expected = {
        {"MESSAGE_IDXTBL.MESSAGE_ID", 256},      {"MESSAGE_IDXTBL.ACCOUNT_KEY", 256},
        {"MESSAGE_IDXTBL.SENDER_NAME", 64},      {"MESSAGE_IDXTBL.SENDER_ADDRESS", 256},
        {"MESSAGE_IDXTBL.RECIEVE_NAME", 64},     {"MESSAGE_IDXTBL.RECIEVE_ADDRESS", 256},
        {"MESSAGE_IDXTBL.MESSAGE_SUBJECT", 256}, {"MESSAGE_IDXTBL.MESSAGE_DTYPE", 1},
        {"MESSAGE_IDXTBL.MESSAGE_FTYPE", 1},     {"MESSAGE_DATTBL.MESSAGE_ID", 256},
        {"MESSAGE_DATTBL.MESSAGE_FILENAME", 256}, {"MESSAGE_DATTBL.MESSAGE_FILEEXT", 16},
    };
    EXPECT_EQ(sizes, expected);
}

TEST_F(SchemaTest, MessageKeyIsUniqueInBothTables)
{
    store(lark::test::MailSpec{});
    for (const char* sql : {"insert into Message_IdxTbl (Message_ID, Message_Date) values ('<m1@example.test>', "
                            "timestamp '2025-01-31 14:05:09')",
                            "insert into Message_DatTBL (Message_ID, Message_Date) values ('<m1@example.test>', "
                            "timestamp '2025-01-31 14:05:09')"}) {
        QSqlQuery q(dm->FD_Message().database());
        EXPECT_FALSE(q.exec(QString::fromLatin1(sql))) << sql;
    }
}

TEST(CreateArchive, RefusesAnExistingFileAndLeavesItAlone)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.fdb"));
    lark::test::writeAll(path, "not a database");
    const Status s = createArchive(QString(), path);
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(lark::test::readAll(path), QByteArray("not a database"));
}

TEST(CreateArchive, FolderThatDoesNotExistFailsWithoutLeavingAFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no/such/folder/x.fdb"));
    const Status s = createArchive(QString(), path);
    EXPECT_FALSE(s.ok());
    EXPECT_FALSE(s.errorText().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(Connection, EmbeddedHostsOpenTheFileInProcess)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("e.fdb"));
    lark::test::makeArchive(path);
    for (const QString& host : {QString(), QStringLiteral("localhost"), QStringLiteral("LocalHost")}) {
        ArchiveConnection c;
        c.setParameters(host, path);
        EXPECT_TRUE(c.server().isEmpty());
        ASSERT_TRUE(c.open().ok()) << host.toStdString();
        // An attachment through the engine in this process has no network protocol.
        QSqlQuery q(c.database());
        ASSERT_TRUE(q.exec(QStringLiteral("select MON$REMOTE_PROTOCOL from MON$ATTACHMENTS "
                                          "where MON$ATTACHMENT_ID = CURRENT_CONNECTION")));
        ASSERT_TRUE(q.next());
        EXPECT_TRUE(q.isNull(0)) << q.value(0).toString().toStdString();
        Result<OdsInfo> ods = c.readOds();
        ASSERT_TRUE(ods.ok());
        EXPECT_GE(ods->major, 12);
        EXPECT_FALSE(needsOdsUpgrade(*ods));
    }
    EXPECT_TRUE(needsOdsUpgrade(OdsInfo{13, 0, {}}));
    EXPECT_FALSE(needsOdsUpgrade(OdsInfo{13, 1, {}}));
}
