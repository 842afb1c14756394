#include "StoreOperation.h"

#include "ArchiveConnection.h"

#include "shell/AppContext.h"

#include <QSqlError>
#include <QSqlQuery>

namespace lark::store {

namespace {
Status ensureOpen(ArchiveConnection& connection)
{
    if (connection.isOpen())
        return {};
    if (Status s = connection.open(); !s)
        return makeError(s.errorText(), kTransactionError);
    return {};
}

Status startTransaction(QSqlDatabase db)
{
    if (!db.transaction())
        return makeError(sqlErrorText(db.lastError()), kTransactionError);
    return {};
}

bool execPlain(QSqlDatabase db, const QString& sql)
{
    QSqlQuery q(db);
    return q.exec(sql);
}
} // namespace

Status storeMessage(ArchiveConnection& connection, const StoredMessage& message,
                    const std::function<Status()>& betweenRecords)
{
    if (Status s = ensureOpen(connection); !s)
        return s;
    QSqlDatabase db = connection.database();
    if (Status s = startTransaction(db); !s)
        return s;
    Status result;
    {
        MessageWriter writer(db);
        writer.betweenRecords = betweenRecords;
        result = writer.write(message);
    } // the statements are released before the transaction ends
    if (!result.ok()) {
        db.rollback();
        return result;
    }
    if (!db.commit()) {
        const QString text = sqlErrorText(db.lastError());
        db.rollback();
        return makeError(text, kTransactionError);
    }
    return {};
}

BulkStore::BulkStore(ArchiveConnection& connection, int batchSize)
    : m_connection(connection), m_batchSize(batchSize > 0 ? batchSize : 1)
{
}

BulkStore::~BulkStore()
{
    if (m_inTransaction) {
        m_writer.reset();
        m_connection.database().rollback();
    }
}

Status BulkStore::begin()
{
    if (m_inTransaction)
        return {};
    if (Status s = ensureOpen(m_connection); !s)
        return s;
    if (Status s = startTransaction(m_connection.database()); !s)
        return s;
    m_inTransaction = true;
    m_pending = 0;
    m_writer = std::make_unique<MessageWriter>(m_connection.database());
    return {};
}

Status BulkStore::add(const StoredMessage& message)
{
    if (Status s = begin(); !s)
        return s;
    QSqlDatabase db = m_connection.database();
    if (!execPlain(db, QStringLiteral("SAVEPOINT LARK_MESSAGE")))
        return makeError(QStringLiteral("cannot set a savepoint"), kTransactionError);
    m_writer->betweenRecords = betweenRecords;
    Status s = m_writer->write(message);
    if (!s.ok()) {
        execPlain(db, QStringLiteral("ROLLBACK TO SAVEPOINT LARK_MESSAGE"));
        return s;
    }
    execPlain(db, QStringLiteral("RELEASE SAVEPOINT LARK_MESSAGE"));
    ++m_pending;
    return {};
}

Status BulkStore::commit()
{
    if (!m_inTransaction)
        return {};
    m_writer.reset();
    m_inTransaction = false;
    m_pending = 0;
    QSqlDatabase db = m_connection.database();
    if (!db.commit()) {
        const QString text = sqlErrorText(db.lastError());
        db.rollback();
        return makeError(text, kTransactionError);
    }
    return {};
}

void DBUpdateExecute(shell::AppContext& ctx, ArchiveConnection& connection,
                     const std::function<Status()>& betweenRecords)
{
    ctx.setStatus(2, kStoreRunning);
    ctx.actions().disable(QStringLiteral("DBUpdate"));

    const shell::ShownMessage shown = ctx.shownMessage ? ctx.shownMessage() : shell::ShownMessage{};
    Result<StoredMessage> message = prepareStoredMessage(shown);
    if (!message) {
        // Nothing has been written; the action stays disabled until another message is shown.
        ctx.dialogs().error(message.errorText());
        return;
    }
    const Status s = storeMessage(connection, *message, betweenRecords);
    if (!s.ok()) {
        ctx.actions().enable(QStringLiteral("DBUpdate"));
        if (s.error().code == kFileRecordError)
            ctx.dialogs().message(kFileRecordFailed);
        else
            ctx.dialogs().message(kIndexRecordFailed + s.errorText());
        ctx.setStatus(2, QString());
        return;
    }
    ctx.setStatus(2, kStoreDone);
    ctx.actions().disable(QStringLiteral("DBUpdate"));
}

} // namespace lark::store
