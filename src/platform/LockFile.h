#pragma once
// The lock file "Semafore" beside an embedded database file. Held with an operating-system
// file lock: a second program cannot take it, and a crashed program does not leave it stuck.
#include <QString>

namespace lark::platform {

class LockFile {
public:
    LockFile() = default;
    ~LockFile();
    LockFile(const LockFile&) = delete;
    LockFile& operator=(const LockFile&) = delete;

    static QString lockPathFor(const QString& databaseFile); // folder of the file + "/Semafore"

    // Opens (creating when missing) the lock file and takes an exclusive lock without waiting.
    // Returns whether this process now holds it. A held lock is released first.
    bool acquire(const QString& lockPath);
    // Releases the lock; deletes the file when it was held by this process.
    void releaseAndDelete();
    // Releases the lock without deleting the file.
    void release();

    bool held() const { return m_fd >= 0; }
    int handle() const { return m_fd; }
    const QString& path() const { return m_path; }

private:
    int m_fd = -1;
    QString m_path;
};

} // namespace lark::platform
