#pragma once
// Storing messages: one message in a transaction of its own (the store action of the main
// window), or many in batches (larkspurctl store), each message still whole or absent.
#include "MessageRecord.h"
#include "MessageWriter.h"

#include "platform/Result.h"

#include <functional>
#include <memory>

namespace lark::shell {
class AppContext;
}

namespace lark::store {

class ArchiveConnection;

// Writes both rows of message in one transaction; opens the connection when it is closed.
// betweenRecords, when given, runs between the two records (a failure point for tests).
Status storeMessage(ArchiveConnection& connection, const StoredMessage& message,
                    const std::function<Status()>& betweenRecords = {});

// Many messages, committed in batches. Each message is written under a savepoint, so a
// message that fails leaves nothing behind while the others of its batch stay.
class BulkStore {
public:
    BulkStore(ArchiveConnection& connection, int batchSize = 500);
    ~BulkStore(); // an uncommitted batch is rolled back

    // Writes one message into the running batch (starting one when needed).
    Status add(const StoredMessage& message);
    // True when the running batch holds batchSize messages (or was rolled back) and should be
    // committed.
    bool batchFull() const { return m_pending >= m_batchSize || !m_abandoned.isEmpty(); }
    int pending() const { return m_pending; }
    // Commits the running batch (nothing to do without one). On failure the whole batch is
    // rolled back and none of its messages is stored. When a failed message could not be taken
    // out of its batch alone, the batch was rolled back then: commit reports that failure for
    // every message added since the last commit, and none of them is stored.
    Status commit();

    // Runs between the two records of each message (a failure point for tests).
    std::function<Status()> betweenRecords;

private:
    Status begin();
    void endStatements(); // before the transaction ends
    void abandonBatch(const QString& reason);
    ArchiveConnection& m_connection;
    int m_batchSize;
    int m_pending = 0;
    bool m_inTransaction = false;
    QString m_abandoned; // why the batch was rolled back before its commit
    // Prepared once per batch, like the writer's statements: a message costs no parsing.
    std::unique_ptr<MessageWriter> m_writer;
    std::unique_ptr<QSqlQuery> m_savepoint, m_rollbackToSavepoint, m_releaseSavepoint;
};

// The texts the store action shows.
inline const QString kStoreRunning = QStringLiteral("DB更新中です");
inline const QString kStoreDone = QStringLiteral("DB更新が完了しました");
inline const QString kIndexRecordFailed = QStringLiteral("更新できませんでした(Message_IdxTbl)");
inline const QString kFileRecordFailed = QStringLiteral("UPdate できませんでした(Message_DatTBL)");

// The execute handler of DBUpdate: stores the message the display shows (ctx.shownMessage).
void DBUpdateExecute(shell::AppContext& ctx, ArchiveConnection& connection,
                     const std::function<Status()>& betweenRecords = {});

} // namespace lark::store
