#pragma once
// Storing many messages with both cores: the caller's thread reads the files and hands each
// message over; a writer thread stores them with a connection of its own, committed in batches
// (BulkStore: each message whole or absent). Outcomes come back in the order the messages were
// handed over, a batch at a time once it is committed.
#include "MessageRecord.h"

#include "platform/Result.h"

#include <QList>
#include <QString>

#include <memory>

namespace lark::store {

struct BulkOutcome {
    QString file;
    MessageKey key;
    Status status; // ok: stored and committed
};

class BulkPipeline {
public:
    BulkPipeline(QString host, QString databasePath, int batchSize = 500);
    ~BulkPipeline(); // ends the writer as finish() does

    // Starts the writer and opens its connection; the error of the open when it fails.
    Status start();
    // Hands a message over (waits while the writer is far behind).
    void add(const QString& file, const StoredMessage& message);
    // Outcomes known so far, oldest first.
    QList<BulkOutcome> takeOutcomes();
    // Commits the last batch, ends the writer and returns the outcomes not taken yet.
    QList<BulkOutcome> finish();

private:
    struct Shared;
    std::unique_ptr<Shared> m;
};

} // namespace lark::store
