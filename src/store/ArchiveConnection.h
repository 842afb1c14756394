#pragma once
// The one connection to the mail archive (FD_Message): Firebird through Qt's QIBASE driver.
// An embedded host (empty or containing "localhost") opens the file in this process; any
// other host reaches a Firebird server, which opens the path on its side.
#include "platform/Result.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

namespace lark::store {

// Connection parameters that never change.
inline const QString kDbUser = QStringLiteral("brennick");
inline const QString kDbPassword = QStringLiteral("vexpolin");
inline const QString kDbCharacterSet = QStringLiteral("UNICODE_FSS");

// The pair MON$ODS_MAJOR / MON$ODS_MINOR and MON$DATABASE_NAME of the monitoring table.
struct OdsInfo {
    int major = 0;
    int minor = 0;
    QString databaseName;
};

// 13.0 is the on-disk structure written by Firebird 4; it is raised with gfix -upgrade.
inline bool needsOdsUpgrade(const OdsInfo& ods) { return ods.major == 13 && ods.minor == 0; }

// The database text of a driver error, or the whole text when the database gave none.
QString sqlErrorText(const QSqlError& error);

// The Firebird connection string for host and path: the path alone (embedded) or "host:path".
QString connectionString(const QString& host, const QString& path);

// Stops the database client's engine and threads in an orderly way. Called once at the end of a
// program, after every connection is closed: an embedded engine left running while the process
// unloads its libraries can crash the exit.
void shutdownDatabaseClient();

class ArchiveConnection {
public:
    ArchiveConnection();
    ~ArchiveConnection();
    ArchiveConnection(const ArchiveConnection&) = delete;
    ArchiveConnection& operator=(const ArchiveConnection&) = delete;

    // Parameters Database and Server. Server is left empty for an embedded host.
    void setParameters(const QString& host, const QString& databasePath);
    QString server() const { return m_server; }
    QString databasePath() const { return m_path; }

    Status open();
    void close();
    bool isOpen() const;

    QSqlDatabase database() const;

    // Reads the monitoring table (FDMonTbl).
    Result<OdsInfo> readOds() const;

private:
    QString m_name;
    QString m_server;
    QString m_path;
};

} // namespace lark::store
