#pragma once
// SIGTERM and SIGINT delivered as a Qt signal on the main thread, so the program can close its
// window normally (settings written, working folder removed) when the session ends.
#include <QObject>

class QSocketNotifier;

namespace lark::platform {

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
