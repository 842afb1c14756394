#include "BulkPipeline.h"

#include "ArchiveConnection.h"
#include "StoreOperation.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

namespace lark::store {

namespace {
// Messages waiting for the writer. The reader runs up to a few batches ahead, so that it goes
// on reading while the writer waits for the page writes of a commit (forced writes: each page
// is on the disk before the commit returns). It waits when this many messages or bytes are
// queued.
constexpr size_t kQueueLimit = 2000;
constexpr qsizetype kQueueBytesLimit = 64 * 1024 * 1024;

struct Item {
    QString file;
    StoredMessage message;
    qsizetype bytes() const { return message.mailDat.size() + 2 * message.mailBody.size(); }
};
} // namespace

struct BulkPipeline::Shared {
    QString host, path;
    int batchSize = 500;

    std::mutex mutex;
    std::condition_variable changed;
    std::deque<Item> queue;
    qsizetype queuedBytes = 0;
    bool ending = false;
    std::optional<Status> opened; // set by the writer once its connection is open (or not)
    QList<BulkOutcome> outcomes;  // known, not yet taken
    std::thread writer;

    void publish(QList<BulkOutcome>& done)
    {
        std::lock_guard lock(mutex);
        outcomes.append(done);
        done.clear();
    }

    void run()
    {
        // The connection belongs to this thread: it is made, used and closed here.
        ArchiveConnection connection;
        connection.setParameters(host, path);
        const Status s = connection.open();
        {
            std::lock_guard lock(mutex);
            opened = s;
        }
        changed.notify_all();
        if (!s.ok())
            return;
        {
            BulkStore bulk(connection, batchSize);
            // Outcomes since the last commit, failed messages among them, so that they come out
            // in the order the messages were handed over.
            QList<BulkOutcome> batch;
            auto commit = [&] {
                const Status c = bulk.commit();
                if (!c.ok()) {
                    const Status failed = makeError(QStringLiteral("commit failed: ") + c.errorText(), c.error().code);
                    for (BulkOutcome& o : batch) {
                        if (o.status.ok())
                            o.status = failed;
                    }
                }
                publish(batch);
            };
            for (;;) {
                Item item;
                {
                    std::unique_lock lock(mutex);
                    changed.wait(lock, [this] { return !queue.empty() || ending; });
                    if (queue.empty())
                        break;
                    item = std::move(queue.front());
                    queue.pop_front();
                    queuedBytes -= item.bytes();
                }
                changed.notify_all();
                // A message that fails leaves nothing in its batch; the others stay.
                batch.append(BulkOutcome{item.file, item.message.key, bulk.add(item.message)});
                if (bulk.batchFull())
                    commit();
            }
            commit();
        }
        connection.close();
    }
};

BulkPipeline::BulkPipeline(QString host, QString databasePath, int batchSize) : m(std::make_unique<Shared>())
{
    m->host = std::move(host);
    m->path = std::move(databasePath);
    m->batchSize = batchSize > 0 ? batchSize : 1;
}

BulkPipeline::~BulkPipeline()
{
    if (!m->writer.joinable())
        return;
    {
        std::lock_guard lock(m->mutex);
        m->ending = true;
    }
    m->changed.notify_all();
    m->writer.join();
}

Status BulkPipeline::start()
{
    if (m->writer.joinable())
        return {};
    m->writer = std::thread([this] { m->run(); });
    std::unique_lock lock(m->mutex);
    m->changed.wait(lock, [this] { return m->opened.has_value(); });
    const Status s = *m->opened;
    lock.unlock();
    if (!s.ok()) {
        m->writer.join();
        m->writer = std::thread();
    }
    return s;
}

void BulkPipeline::add(const QString& file, const StoredMessage& message)
{
    if (!m->writer.joinable()) {
        std::lock_guard lock(m->mutex);
        m->outcomes.append(BulkOutcome{file, message.key, makeError(QStringLiteral("the archive is not open"))});
        return;
    }
    {
        std::unique_lock lock(m->mutex);
        m->changed.wait(lock, [this] {
            return m->queue.empty() || (m->queue.size() < kQueueLimit && m->queuedBytes < kQueueBytesLimit);
        });
        m->queue.push_back(Item{file, message});
        m->queuedBytes += m->queue.back().bytes();
    }
    m->changed.notify_all();
}

QList<BulkOutcome> BulkPipeline::takeOutcomes()
{
    std::lock_guard lock(m->mutex);
    QList<BulkOutcome> out;
    out.swap(m->outcomes);
    return out;
}

QList<BulkOutcome> BulkPipeline::finish()
{
    if (m->writer.joinable()) {
        {
            std::lock_guard lock(m->mutex);
            m->ending = true;
        }
        m->changed.notify_all();
        m->writer.join();
        m->writer = std::thread();
    }
    return takeOutcomes();
}

} // namespace lark::store
