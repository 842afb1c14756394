#include "ArchiveSchema.h"

#include "ArchiveConnection.h"
#include "store/SchemaSql.h"

#include "shell/Caption.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

#include <ibase.h>

namespace lark::store {

QStringList splitSqlStatements(const QString& script)
{
    QStringList out;
    QString current;
    QChar quote;
    for (qsizetype i = 0; i < script.size(); ++i) {
        const QChar c = script.at(i);
        if (!quote.isNull()) {
            current += c;
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('-') && i + 1 < script.size() && script.at(i + 1) == QLatin1Char('-')) {
            while (i < script.size() && script.at(i) != QLatin1Char('\n'))
                ++i;
            current += QLatin1Char('\n');
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
            current += c;
            continue;
        }
        if (c == QLatin1Char(';')) {
            if (!current.trimmed().isEmpty())
                out << current.trimmed();
            current.clear();
            continue;
        }
        current += c;
    }
    if (!current.trimmed().isEmpty())
        out << current.trimmed();
    return out;
}

QStringList schemaStatements()
{
    return splitSqlStatements(QString::fromUtf8(kSchemaSql));
}

namespace {

QString statusText(const ISC_STATUS* status)
{
    QString text;
    char buffer[1024];
    const ISC_STATUS* p = status;
    while (fb_interpret(buffer, sizeof buffer, &p)) {
        if (!text.isEmpty())
            text += QLatin1Char(' ');
        text += QString::fromLocal8Bit(buffer);
    }
    return text.isEmpty() ? QStringLiteral("Firebird error") : text;
}

QString sqlQuoted(const QString& s)
{
    QString q = s;
    q.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + q + QLatin1Char('\'');
}

// CREATE DATABASE through the client library: Qt's driver only attaches to existing files.
Status createDatabaseFile(const QString& host, const QString& path)
{
    const QString sql = QStringLiteral("CREATE DATABASE %1 USER %2 PASSWORD %3 PAGE_SIZE 16384 "
                                       "DEFAULT CHARACTER SET %4")
                            .arg(sqlQuoted(connectionString(host, path)), sqlQuoted(kDbUser),
                                 sqlQuoted(kDbPassword), kDbCharacterSet);
    const QByteArray text = sql.toUtf8();
    ISC_STATUS_ARRAY status{};
    isc_db_handle db = 0;
    isc_tr_handle tr = 0;
    if (isc_dsql_execute_immediate(status, &db, &tr, 0, text.constData(), SQL_DIALECT_V6, nullptr))
        return makeError(statusText(status));
    ISC_STATUS_ARRAY detachStatus{};
    isc_detach_database(detachStatus, &db);
    return {};
}

} // namespace

Status createArchive(const QString& host, const QString& path)
{
    if (path.trimmed().isEmpty())
        return makeError(QStringLiteral("no database file name given"));
    const bool embedded = shell::isEmbeddedHost(host);
    if (embedded && QFileInfo::exists(path))
        return makeError(QStringLiteral("%1 exists already; an existing database is never changed").arg(path));
    if (Status s = createDatabaseFile(host, path); !s)
        return s;

    ArchiveConnection connection;
    connection.setParameters(host, path);
    Status failure;
    if (Status s = connection.open(); !s) {
        failure = s;
    } else {
        for (const QString& statement : schemaStatements()) {
            QSqlQuery q(connection.database());
            if (!q.exec(statement)) {
                failure = makeError(QStringLiteral("%1 (in: %2)").arg(sqlErrorText(q.lastError()),
                                                                     statement.section(QLatin1Char('\n'), 0, 0)));
                break;
            }
        }
    }
    connection.close();
    // A half-made archive is of no use: remove it so the next attempt starts afresh.
    if (!failure.ok() && embedded)
        QFile::remove(path);
    return failure;
}

Result<QStringList> missingSchemaObjects(const ArchiveConnection& connection)
{
    QSqlQuery q(connection.database());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("select trim(RDB$RELATION_NAME) from RDB$RELATIONS "
                               "where RDB$SYSTEM_FLAG = 0")))
        return makeError(sqlErrorText(q.lastError()));
    QStringList present;
    while (q.next())
        present << q.value(0).toString().toUpper();
    QStringList missing;
    for (const char* name : {"MESSAGE_IDXTBL", "MESSAGE_DATTBL", "MAIL_VIEW"}) {
        if (!present.contains(QString::fromLatin1(name)))
            missing << QString::fromLatin1(name);
    }
    return missing;
}

} // namespace lark::store
