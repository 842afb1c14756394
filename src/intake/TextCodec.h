#pragma once
// Turning the bytes of a text part (or a decrypted file) into text by its declared charset.
// Japanese charsets are read with their common Windows supersets (ISO-2022-JP with half-width
// katakana and NEC special characters, Shift_JIS as CP932). A wrong or unknown charset never
// fails: the bytes are read as UTF-8 when they are valid UTF-8, else as windows-1252.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace lark::intake {

QString decodeText(const QByteArray& bytes, const QString& charset);

// Text as lines the way a text control holds them: split at CR LF, LF or CR; a final line break
// does not make an extra empty line.
QStringList splitLines(const QString& text);

// True when bytes hold an ISO-2022-JP escape sequence (JIS text in a 7-bit field).
bool looksLikeIso2022Jp(const QByteArray& bytes);

} // namespace lark::intake
