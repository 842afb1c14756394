#pragma once
// One running instance per user and executable name. The first instance listens on a local
// socket; a second start asks it to restore and raise its window, then ends.
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

namespace lark::platform {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // key: usually the executable's file name; the user name is added to it.
    explicit SingleInstance(const QString& key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is the first one; it then listens for later starts.
    bool tryBecomePrimary();
    // Asks the running instance to restore and raise its window. True when it answered.
    bool notifyPrimary(int timeoutMs = 2000) const;

    QString serverName() const { return m_serverName; }

signals:
    void raiseRequested();

private:
    QString m_serverName;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer m_server;
};

} // namespace lark::platform
