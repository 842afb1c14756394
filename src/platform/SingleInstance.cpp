#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

#include <unistd.h>

namespace lark::platform {

namespace {
const char kRaise[] = "raise\n";
}

SingleInstance::SingleInstance(const QString& key, QObject* parent) : QObject(parent)
{
    const QString user = QString::number(::getuid());
    const QByteArray hash = QCryptographicHash::hash((user + u'|' + key).toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    const QString base = QStringLiteral("larkspur-") + QString::fromLatin1(hash);
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    // Lock and socket side by side in the user's runtime folder.
    m_serverName = QDir(dir).filePath(base + QLatin1String(".sock"));
    m_lock = std::make_unique<QLockFile>(QDir(dir).filePath(base + QLatin1String(".lock")));
    m_lock->setStaleLockTime(0);
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = m_server.nextPendingConnection()) {
            connect(s, &QLocalSocket::readyRead, this, [this, s] {
                if (s->readAll().contains("raise"))
                    emit raiseRequested();
                s->write("ok\n");
                s->flush();
            });
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        }
    });
}

SingleInstance::~SingleInstance()
{
    m_server.close();
    if (m_lock && m_lock->isLocked())
        m_lock->unlock();
}

bool SingleInstance::tryBecomePrimary()
{
    if (!m_lock->tryLock(0))
        return false;
    QLocalServer::removeServer(m_serverName);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    m_server.listen(m_serverName);
    return true;
}

bool SingleInstance::notifyPrimary(int timeoutMs) const
{
    QLocalSocket s;
    s.connectToServer(m_serverName);
    if (!s.waitForConnected(timeoutMs))
        return false;
    s.write(kRaise);
    s.flush();
    s.waitForBytesWritten(timeoutMs);
    s.waitForReadyRead(timeoutMs);
    s.disconnectFromServer();
    return true;
}

} // namespace lark::platform
