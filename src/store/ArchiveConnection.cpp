#include "ArchiveConnection.h"

#include "platform/TerminationSignals.h"
#include "shell/Caption.h"

#include <QAtomicInt>
#include <QSqlQuery>

#include <ibase.h>

namespace lark::store {

void shutdownDatabaseClient()
{
    fb_shutdown(10000, fb_shutrsn_app_stopped);
}

namespace {
QAtomicInt g_connectionCounter;
} // namespace

QString sqlErrorText(const QSqlError& error)
{
    const QString db = error.databaseText().trimmed();
    return db.isEmpty() ? error.text().trimmed() : db;
}

QString connectionString(const QString& host, const QString& path)
{
    if (shell::isEmbeddedHost(host))
        return path;
    return host + QLatin1Char(':') + path;
}

ArchiveConnection::ArchiveConnection()
    : m_name(QStringLiteral("larkspur_archive_%1").arg(g_connectionCounter.fetchAndAddRelaxed(1)))
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), m_name);
    db.setUserName(kDbUser);
    db.setPassword(kDbPassword);
    db.setConnectOptions(QStringLiteral("ISC_DPB_LC_CTYPE=") + kDbCharacterSet);
}

ArchiveConnection::~ArchiveConnection()
{
    close();
    QSqlDatabase::removeDatabase(m_name);
}

void ArchiveConnection::setParameters(const QString& host, const QString& databasePath)
{
    m_path = databasePath;
    m_server = shell::isEmbeddedHost(host) ? QString() : host;
    QSqlDatabase db = database();
    db.setDatabaseName(m_path);
    db.setHostName(m_server);
}

Status ArchiveConnection::open()
{
    QSqlDatabase db = database();
    if (db.isOpen())
        return {};
    if (!db.isValid())
        return makeError(QStringLiteral("the Firebird driver of Qt SQL (QIBASE) is not available"));
    if (m_path.isEmpty())
        return makeError(QStringLiteral("no database file is set"));
    if (!db.open())
        return makeError(sqlErrorText(db.lastError()));
    // The client installs its own SIGTERM and SIGINT handlers on its first connection.
    platform::reclaimTerminationSignals();
    return {};
}

void ArchiveConnection::close()
{
    QSqlDatabase db = database();
    if (db.isOpen())
        db.close();
}

bool ArchiveConnection::isOpen() const
{
    return database().isOpen();
}

QSqlDatabase ArchiveConnection::database() const
{
    return QSqlDatabase::database(m_name, false);
}

Result<OdsInfo> ArchiveConnection::readOds() const
{
    QSqlQuery q(database());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("select MON$ODS_MAJOR, MON$ODS_MINOR, MON$DATABASE_NAME from MON$DATABASE")))
        return makeError(sqlErrorText(q.lastError()));
    if (!q.next())
        return makeError(QStringLiteral("MON$DATABASE has no row"));
    OdsInfo ods;
    ods.major = q.value(0).toInt();
    ods.minor = q.value(1).toInt();
    ods.databaseName = q.value(2).toString();
    return ods;
}

} // namespace lark::store
