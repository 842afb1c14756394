#pragma once
// The rules that turn header values into the texts of the header tab: the date text, the
// X-Apparently-To fallback, the sender name, the receiver name and address from the raw "To"
// value and the receiver name from the own accounts (MailAccount1 .. MailAccount10).
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace lark::intake {

// "yyyy/MM/dd HH:mm:ss": the text of Edit2 on every locale (what storing parses back).
inline constexpr const char* kEditDateFormat = "yyyy/MM/dd HH:mm:ss";
QString formatEditDate(const QDateTime& local);

// "01" .. "12" for the first calendar month whose English name or three-letter abbreviation
// occurs in text (any case), "0" when none.
QString MonthNameToNum(const QString& text);

// The date of an "X-Apparently-To" value (last ";" piece: "Mon, 9 Dec 2024 10:11:12 +0000"),
// taken as local time with no zone shift; invalid when it cannot be read.
QDateTime apparentlyToDate(const QString& value);

// Edit4: the display name without enclosing single quotes or full-width angle brackets.
QString senderNameText(const QString& displayName);

// Edit6 before the account rule: the display name part of the raw "To" value (encoded words
// decoded and joined, enclosing quotes removed); "" when the value has no "<".
QString receiverNameFromRawTo(const QString& rawTo);
// Edit7: the first bracketed address of the raw "To" value, else the whole value.
QString receiverAddressFromRawTo(const QString& rawTo);

// Decodes every RFC 2047 encoded word of text ("B" or "Q", any charset) and joins them;
// characters outside the encoded words are dropped. Returns text unchanged when it holds none.
QString decodeEncodedWords(const QString& text);

// An unstructured header value (a subject) with its encoded words decoded by the reader's own
// charset rules (the Windows supersets of the Japanese charsets); white space between two
// adjacent encoded words is dropped, all other text is kept.
QString decodeHeaderText(const QString& value);

// Edit6 after the account rule. accounts: the values of MailAccount1 .. MailAccount10 in order.
QString receiverNameFromAccounts(const QString& name, const QString& address, const QStringList& accounts);

} // namespace lark::intake
