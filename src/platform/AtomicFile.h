#pragma once
// Writing a whole file so that a reader sees either the old or the new content, never a part.
#include "Result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace lark::platform {

// Writes data to a temporary file in the same folder, flushes it to disk and renames it over
// path. A failure leaves the previous file untouched and returns the system's error text.
Status writeFileAtomically(const QString& path, const QByteArray& data);

// Text side files: lines joined by CR LF, UTF-8 with a byte-order mark unless bom is false.
Status writeLinesUtf8(const QString& path, const QStringList& lines, bool bom = true);
// Reads a text file; a byte-order mark selects UTF-8 or UTF-16, otherwise UTF-8 is assumed.
Result<QStringList> readLines(const QString& path);
Result<QString> readText(const QString& path);

} // namespace lark::platform
