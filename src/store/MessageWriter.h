#pragma once
// Writing the two rows of one message: insert, and update on any refusal of the insert (an
// existing key above all), first the index record, then the file record. The writer works
// inside a transaction its caller holds, so a message is stored whole or not at all.
#include "MessageRecord.h"

#include "platform/Result.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <functional>
#include <memory>

namespace lark::store {

// The four statements, exactly as the archive expects them.
extern const QString kIndexInsertSql;
extern const QString kIndexUpdateSql;
extern const QString kFileInsertSql;
extern const QString kFileUpdateSql;

// Error codes of a failed store.
enum StoreErrorCode : int {
    kStoreInputError = 1,     // the message cannot be stored as shown (no date, no file)
    kIndexRecordError = 2,    // the index record was refused by insert and update
    kFileRecordError = 3,     // the file record was refused by insert and update
    kTransactionError = 4,    // the transaction could not be started or committed
};

class MessageWriter {
public:
    // db must have a transaction open for as long as the writer is used: statements are
    // prepared inside it.
    explicit MessageWriter(QSqlDatabase db);
    ~MessageWriter();

    // Writes both rows. On failure the caller rolls back (to its savepoint or the whole
    // transaction); the error code says which record failed.
    Status write(const StoredMessage& message);

    // Called between the two records; a failure it returns aborts the write like a refused
    // file record (tests simulate a failure between the two inserts with it).
    std::function<Status()> betweenRecords;

private:
    QSqlQuery& statement(std::unique_ptr<QSqlQuery>& slot, const QString& sql);
    Status writeIndex(const StoredMessage& m);
    Status writeFile(const StoredMessage& m);

    QSqlDatabase m_db;
    std::unique_ptr<QSqlQuery> m_indexInsert, m_indexUpdate, m_fileInsert, m_fileUpdate;
};

} // namespace lark::store
