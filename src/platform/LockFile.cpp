#include "LockFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace lark::platform {

LockFile::~LockFile()
{
    release();
}

QString LockFile::lockPathFor(const QString& databaseFile)
{
    return QFileInfo(databaseFile).absoluteDir().filePath(QStringLiteral("Semafore"));
}

bool LockFile::acquire(const QString& lockPath)
{
    release();
    m_path = lockPath;
    const QByteArray native = QFile::encodeName(lockPath);
    int fd = ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

void LockFile::release()
{
    if (m_fd >= 0) {
        ::flock(m_fd, LOCK_UN);
        ::close(m_fd);
        m_fd = -1;
    }
}

void LockFile::releaseAndDelete()
{
    if (m_fd < 0)
        return;
    // Delete while still holding the lock, so nobody can take the old file in between.
    QFile::remove(m_path);
    release();
}

} // namespace lark::platform
