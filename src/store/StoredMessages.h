#pragma once
// Reading a stored mail file back, deleting a stored message, and the names an export
// proposes.
#include "MessageRecord.h"

#include "platform/Dialogs.h"
#include "platform/Result.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace lark::store {

class ArchiveConnection;

inline const QString kSelectFileSql = QStringLiteral(
    "select Message_FileName,Message_FileExt,MailDat from Message_DatTBL where Message_ID = "
    ":Message_ID and Message_Date = :Message_Date");
inline const QString kDeleteFileSql =
    QStringLiteral("delete from Message_DatTBL where Message_ID = :Message_ID and Message_Date = :Message_Date");
inline const QString kDeleteIndexSql =
    QStringLiteral("delete from Message_IdxTbl where Message_ID = :Message_ID and Message_Date = :Message_Date");

// Error codes of readStoredFile / fetchStoredFile.
enum FetchErrorCode : int {
    kSelectError = 10,  // the select could not be prepared or run (database not reachable)
    kNoStoredFile = 11, // no file row for the key
    kWriteError = 12,   // the file could not be written
};

struct StoredFile {
    QString fileName; // Message_FileName as stored
    QString fileExt;  // Message_FileExt as stored
    QByteArray data;
};

Result<StoredFile> readStoredFile(ArchiveConnection& connection, const MessageKey& key);

// The name a stored file is written under: its base name only (no folder part of either
// system), "MailDat" + extension when nothing usable is left.
QString safeStoredFileName(const QString& storedName, const QString& storedExt);

// Writes the stored file of key into folder under its safe name, replacing a file of that
// name, and returns the path written.
struct FetchedFile {
    QString fileName;
    QString fileExt;
    QString path;
};
Result<FetchedFile> fetchStoredFile(ArchiveConnection& connection, const MessageKey& key, const QString& folder);

// Whether an index row exists for key, and its subject (empty optional: no such message).
Result<std::optional<QString>> storedSubject(ArchiveConnection& connection, const MessageKey& key);

// Deletes both rows of key (file row first) in one transaction: a failure leaves the message
// as it was.
Status deleteStoredMessage(ArchiveConnection& connection, const MessageKey& key);

// The proposed export name: "[Subject]" (any case) becomes the subject, "[Date]" (any case)
// the date as yyyyMMdd, "[DateTime]" (exactly so) the date as yyyyMMddHHmm; "/" becomes "_";
// the extension of the stored file name follows. An empty pattern proposes the stored name.
QString exportFileName(const QString& pattern, const QString& subject, const QDateTime& date,
                       const QString& storedFileName);

// The save dialog filter for a stored extension: eml, msg, or text.
platform::FileFilter saveDialogFilter(const QString& extension);

// Copies source over target through a temporary file in the target's folder, so a failed copy
// leaves an existing target as it was.
Status copyFileReplacing(const QString& source, const QString& target);

} // namespace lark::store
