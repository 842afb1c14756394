#pragma once
// SIGTERM and SIGINT delivered as a Qt signal on the main thread, so the program can close its
// window normally (settings written, working folder removed) when the session ends.
#include <QObject>

class QSocketNotifier;

namespace lark::platform {

// Libraries may put their own handlers in (the database client does on its first connection,
// and would then end its engine from a thread of its own while the window is still closing).
// Puts this program's handlers back while a TerminationSignals object exists; else does nothing.
void reclaimTerminationSignals();

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested();

private:
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace lark::platform
