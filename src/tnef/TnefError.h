#pragma once
// The one error kind of the TNEF decoder. It carries a fixed English text that travels unchanged
// to whoever reports it (the GUI's message box, larkspurctl's stderr). The decoder raises it and
// catches nothing; extractTnef() (TnefExtract.h) converts it into a lark::Result at the edge.
#include <QString>

#include <exception>

namespace lark::tnef {

class TnefError : public std::exception {
public:
    explicit TnefError(QString text) : m_text(std::move(text)), m_utf8(m_text.toUtf8()) {}

    const QString& text() const noexcept { return m_text; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};

// The fixed texts. "Invalid Stream" (a short read) and "Invalid stream" (a skip past the end)
// are two different messages.
namespace TnefErrorText {
inline constexpr const char InvalidTnefFormat[] = "Invalid TNEF format";
inline constexpr const char InvalidStreamRead[] = "Invalid Stream";
inline constexpr const char InvalidStreamSkip[] = "Invalid stream";
inline constexpr const char AttributeReadIncorrectly[] = "The attribute was read incorrectly";
inline constexpr const char InvalidAttributeLevel[] = "Invalid attribute level";
inline constexpr const char InvalidAttributeType[] = "Invalid attribute type";
inline constexpr const char InvalidChecksum[] = "Invalid checksum";
inline constexpr const char InvalidPropertyCount[] = "Invalid Property Count";
inline constexpr const char InvalidNameId[] = "Invalid NameId";
inline constexpr const char InvalidPropertyType[] = "Invalid Property Type";
inline constexpr const char InvalidPropertyValue[] = "Invalid property value";
inline constexpr const char PropertyReadIncorrectly[] = "The property was read incorrectly";
inline constexpr const char InvalidBodyFormat[] = "Invalid tnef format for the message body";
} // namespace TnefErrorText

[[noreturn]] inline void raiseTnefError(const char* text)
{
    throw TnefError(QString::fromLatin1(text));
}

} // namespace lark::tnef
