#pragma once
// Helpers shared by the TNEF tests: catching the decoder's error text, running the parser over
// bytes in memory, listing what a folder holds.
#include "tnef/TnefAttachmentParser.h"
#include "tnef/TnefError.h"

#include <QBuffer>
#include <QDir>
#include <QStringList>

#include <ostream>

// Readable QString values in test failure messages.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace lark::tnef::test {

// The decoder error text the callable throws; empty when it returns normally.
template <typename F>
QString errorText(F&& f)
{
    try {
        f();
    } catch (const TnefError& e) {
        return e.text();
    }
    return QString();
}

struct ParseOutcome {
    QStringList written; // names reported by Parse, in write order
    QString error;       // decoder text; empty on success
};

inline ParseOutcome parseBytes(const QByteArray& stream, const QString& folder)
{
    QByteArray copy = stream;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    ParseOutcome outcome;
    outcome.error = errorText([&] {
        TTnefAttachmentParser parser;
        parser.Parse(buffer, folder, &outcome.written);
    });
    return outcome;
}

// Every entry of the folder (hidden ones too), sorted by name.
inline QStringList folderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace lark::tnef::test
