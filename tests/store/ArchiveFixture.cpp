#include "ArchiveFixture.h"

#include "store/ArchiveSchema.h"
#include "store/StoreOperation.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

namespace lark::test {

void makeArchive(const QString& path)
{
    static QTemporaryDir templateDir;
    static QString templatePath;
    if (templatePath.isEmpty()) {
        const QString p = templateDir.filePath(QStringLiteral("template.fdb"));
        const Status s = store::createArchive(QString(), p);
        ASSERT_TRUE(s.ok()) << s.errorText().toStdString();
        templatePath = p;
    }
    ASSERT_TRUE(QFile::copy(templatePath, path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

void ArchiveTest::SetUp()
{
    ASSERT_TRUE(tmp.isValid());
    dbPath = tmp.filePath(QStringLiteral("archive.fdb"));
    makeArchive(dbPath);
    ctx = std::make_unique<shell::AppContext>();
    ctx->MyAppDataPath = tmp.path();
    ctx->setDialogs(&dialogs);
    ctx->settings.applyDefaultColumnsIfNeeded();
    ctx->Ldb_Host1 = QString();
    ctx->Ldb_Path1 = dbPath;
    dm = std::make_unique<store::TDm_Ldb>(*ctx);
    dm->installActions();
    dm->connectionSetup();
    const Status s = dm->openConnection();
    ASSERT_TRUE(s.ok()) << s.errorText().toStdString();
}

void ArchiveTest::TearDown()
{
    dm.reset();
    ctx.reset();
}

shell::ShownMessage ArchiveTest::shown(const MailSpec& mail)
{
    const QString folder = tmp.filePath(QStringLiteral("mail"));
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(mail.fileName);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(mail.bytes);
    f.close();
    shell::ShownMessage m;
    m.edits = {mail.id, mail.date, mail.account, mail.senderName, mail.senderAddress,
               mail.recieveName, mail.recieveAddress, mail.subject};
    m.mdatType = mail.mdatType;
    m.editorText = mail.body;
    m.mailFile = path;
    return m;
}

void ArchiveTest::store(const MailSpec& mail)
{
    Result<store::StoredMessage> m = store::prepareStoredMessage(shown(mail));
    ASSERT_TRUE(m.ok()) << m.errorText().toStdString();
    const Status s = store::storeMessage(dm->FD_Message(), *m);
    ASSERT_TRUE(s.ok()) << s.errorText().toStdString();
}

int ArchiveTest::rowCount(const QString& table)
{
    QSqlQuery q(dm->FD_Message().database());
    if (!q.exec(QStringLiteral("select count(*) from ") + table) || !q.next())
        return -1;
    return q.value(0).toInt();
}

QVariant ArchiveTest::column(const QString& table, const QString& col, const QString& id, const QString& date)
{
    QSqlQuery q(dm->FD_Message().database());
    q.prepare(QStringLiteral("select %1 from %2 where Message_ID = ? and Message_Date = ?").arg(col, table));
    q.addBindValue(id);
    q.addBindValue(*store::parseMessageDate(date));
    if (!q.exec() || !q.next())
        return {};
    return q.value(0);
}

} // namespace lark::test
