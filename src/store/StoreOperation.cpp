#include "StoreOperation.h"

#include "ArchiveConnection.h"

#include "shell/AppContext.h"

#include <QSqlError>
#include <QSqlQuery>

#include <utility>

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

std::unique_ptr<QSqlQuery> prepared(QSqlDatabase db, const QString& sql)
{
    auto q = std::make_unique<QSqlQuery>(db);
    if (!q->prepare(sql))
        return nullptr;
    return q;
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
        endStatements();
        m_connection.database().rollback();
    }
}

void BulkStore::endStatements()
{
    m_writer.reset();
    m_savepoint.reset();
    m_rollbackToSavepoint.reset();
    m_releaseSavepoint.reset();
}

Status BulkStore::begin()
{
    if (m_inTransaction)
        return {};
    if (Status s = ensureOpen(m_connection); !s)
        return s;
    QSqlDatabase db = m_connection.database();
    if (Status s = startTransaction(db); !s)
        return s;
    m_inTransaction = true;
    m_pending = 0;
    m_writer = std::make_unique<MessageWriter>(db);
    m_savepoint = prepared(db, QStringLiteral("SAVEPOINT LARK_MESSAGE"));
    m_rollbackToSavepoint = prepared(db, QStringLiteral("ROLLBACK TO SAVEPOINT LARK_MESSAGE"));
    m_releaseSavepoint = prepared(db, QStringLiteral("RELEASE SAVEPOINT LARK_MESSAGE"));
    if (!m_savepoint || !m_rollbackToSavepoint || !m_releaseSavepoint) {
        endStatements();
        db.rollback();
        m_inTransaction = false;
        return makeError(QStringLiteral("cannot prepare the savepoint statements"), kTransactionError);
    }
    return {};
}

Status BulkStore::add(const StoredMessage& message)
{
    if (Status s = begin(); !s)
        return s;
    if (!m_savepoint->exec())
        return makeError(QStringLiteral("cannot set a savepoint: ") + sqlErrorText(m_savepoint->lastError()),
                         kTransactionError);
    m_writer->betweenRecords = betweenRecords;
    Status s = m_writer->write(message);
    if (!s.ok()) {
        if (!m_rollbackToSavepoint->exec())
            abandonBatch(sqlErrorText(m_rollbackToSavepoint->lastError()));
        return s;
    }
    m_releaseSavepoint->exec();
    ++m_pending;
    return {};
}

void BulkStore::abandonBatch(const QString& reason)
{
    // The failed message's first record may still be in the transaction: keep nothing of it.
    endStatements();
    m_connection.database().rollback();
    m_inTransaction = false;
    m_abandoned = QStringLiteral("the batch was rolled back after a failed message could not be taken out alone (%1)")
                      .arg(reason);
}

Status BulkStore::commit()
{
    if (!m_abandoned.isEmpty()) {
        const QString reason = std::exchange(m_abandoned, QString());
        if (m_inTransaction) {
            endStatements();
            m_connection.database().rollback();
            m_inTransaction = false;
        }
        m_pending = 0;
        return makeError(reason, kTransactionError);
    }
    if (!m_inTransaction)
        return {};
    endStatements();
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
