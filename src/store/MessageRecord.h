#pragma once
// The message key and the two records of a stored message, with the conversions the store
// operation applies to what the display holds.
#include "platform/Result.h"
#include "shell/ShownMessage.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace lark::store {

// Message dates are wall-clock values without a zone. They travel as QDateTime in UTC so that
// no time-zone rule (a daylight-saving gap) can shift or invalidate them on the way.
QDateTime wallClock(const QDate& date, const QTime& time);
QDateTime wallClock(const QDateTime& anyDateTime); // keeps date and time fields as they read

// The text form of a message date: "yyyy/MM/dd HH:mm:ss".
QString formatMessageDate(const QDateTime& date);

// Reads "yyyy/MM/dd HH:mm:ss" (the form the header tab shows), on every locale. Single-digit
// fields are accepted, seconds and the whole time may be left out; blanks around are ignored.
std::optional<QDateTime> parseMessageDate(const QString& text);

struct MessageKey {
    QString id;
    QDateTime date; // whole seconds, wallClock()
};

// Column sizes (characters) of the archive.
enum ColumnSize : int {
    kIdSize = 256,
    kAccountKeySize = 256,
    kNameSize = 64,
    kAddressSize = 256,
    kSubjectSize = 256,
    kFileNameSize = 256,
    kFileExtSize = 16,
};

// Cuts text to what a column of size characters takes: at most size characters and at most
// three bytes per character in UTF-8 (four-byte characters count double there). Never splits
// a character.
QString fitToColumn(const QString& text, int size);

// Message_ftype: ".eml" "1", ".msg" "2", anything else "0" (letter case ignored).
QString fileTypeCode(const QString& extension);

// Message_FileName: the base name of path, without leading and trailing blanks and control
// characters. Message_FileExt: the extension of that name including the dot ("" without one).
QString storedFileName(const QString& path);
QString storedFileExtension(const QString& fileName);

// One message as both tables take it.
struct StoredMessage {
    MessageKey key;
    QString accountKey, senderName, senderAddress, recieveName, recieveAddress, subject;
    QString dtype;     // Message_dtype
    QString ftype;     // Message_ftype
    QString mailBody;  // lines joined by CR LF
    QString fileName;  // Message_FileName
    QString fileExt;   // Message_FileExt
    QByteArray mailDat;
};

// Builds the records from what the display shows: parses the date, reads the file whole and
// cuts texts to their columns. Nothing is written anywhere.
Result<StoredMessage> prepareStoredMessage(const shell::ShownMessage& shown);

} // namespace lark::store
