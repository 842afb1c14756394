#pragma once
// A small TNEF writer for the tests: builds streams byte by byte, including malformed ones
// (wrong checksums, lying lengths, bad levels), and MAPI property lists with every value layout.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QtEndian>

#include <optional>

namespace lark::tnef::test {

inline QByteArray le16(quint16 v)
{
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

inline QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

inline quint16 checksumOf(const QByteArray& data)
{
    quint16 sum = 0;
    for (char c : data)
        sum = quint16(sum + quint8(c));
    return sum;
}

// Attribute levels and ids as they appear in the stream.
enum : quint8 { LevelMessage = 1, LevelAttachment = 2 };
enum : quint32 {
    IdAttachData = 0x0006800F,
    IdAttachTitle = 0x00018010,
    IdAttachRenderData = 0x00069002,
    IdMapiProperties = 0x00069003,
    IdAttachment = 0x00069005,
    IdTnefVersion = 0x00089006,
    IdOemCodepage = 0x00069007,
    IdSubject = 0x00018004,
};

class TnefWriter {
public:
    explicit TnefWriter(quint16 key = 0x0123, quint32 signature = 0x223E9F78)
    {
        m_bytes = le32(signature) + le16(key);
    }

    // An attribute with a correct checksum (or the given one) and a truthful length (or the given one).
    TnefWriter& attribute(quint8 level, quint32 id, const QByteArray& data,
                          std::optional<quint16> checksum = {}, std::optional<qint32> declaredLength = {})
    {
        m_bytes += char(level);
        m_bytes += le32(id);
        m_bytes += le32(quint32(declaredLength.value_or(qint32(data.size()))));
        m_bytes += data;
        m_bytes += le16(checksum.value_or(checksumOf(data)));
        return *this;
    }
    TnefWriter& message(quint32 id, const QByteArray& data) { return attribute(LevelMessage, id, data); }
    TnefWriter& attachment(quint32 id, const QByteArray& data) { return attribute(LevelAttachment, id, data); }

    TnefWriter& codePage(quint32 primary, quint32 secondary = 0)
    {
        return message(IdOemCodepage, le32(primary) + le32(secondary));
    }
    TnefWriter& version(quint32 v = 0x00010000) { return message(IdTnefVersion, le32(v)); }

    // The usual start of an attachment: its rendering attribute (content not looked at).
    TnefWriter& renderData() { return attachment(IdAttachRenderData, QByteArray(14, '\x01')); }

    TnefWriter& raw(const QByteArray& bytes)
    {
        m_bytes += bytes;
        return *this;
    }

    QByteArray bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// MAPI property types and ids used by the tests.
enum : quint16 {
    TypeNull = 0x0001,
    TypeI2 = 0x0002,
    TypeLong = 0x0003,
    TypeSysTime = 0x0040,
    TypeClassId = 0x0048,
    TypeObject = 0x000D,
    TypeString8 = 0x001E,
    TypeUnicode = 0x001F,
    TypeBinary = 0x0102,
    MultiValued = 0x1000,
};
enum : quint16 {
    PropBody = 0x1000,
    PropBodyHtml = 0x1013,
    PropRtfCompressed = 0x1009,
    PropSubject = 0x0037,
    PropAttachData = 0x3701,
    PropAttachFilename = 0x3704,
    PropAttachLongFilename = 0x3707,
    PropAttachMethod = 0x3705,
};

inline QByteArray paddedTo4(QByteArray data)
{
    while (data.size() % 4 != 0)
        data += '\0';
    return data;
}

// Length field, data and zero padding up to a multiple of 4.
inline QByteArray lengthValue(const QByteArray& data, std::optional<qint32> declaredLength = {})
{
    return le32(quint32(declaredLength.value_or(qint32(data.size())))) + paddedTo4(data);
}

inline QByteArray utf16z(const QString& text)
{
    QByteArray b;
    for (QChar c : text)
        b += le16(c.unicode());
    return b + le16(0);
}

inline QByteArray propertyTag(quint16 type, quint16 id) { return le16(type) + le16(id); }

// One single-valued length-prefixed property (ptString8, ptUnicode, ptBinary, ptObject).
inline QByteArray countedProperty(quint16 type, quint16 id, const QByteArray& data,
                                  std::optional<qint32> declaredLength = {})
{
    return propertyTag(type, id) + le32(1) + lengthValue(data, declaredLength);
}
inline QByteArray string8Property(quint16 id, const QByteArray& textWithZero)
{
    return countedProperty(TypeString8, id, textWithZero);
}
inline QByteArray unicodeProperty(quint16 id, const QString& text)
{
    return countedProperty(TypeUnicode, id, utf16z(text));
}
inline QByteArray longProperty(quint16 id, quint32 value) { return propertyTag(TypeLong, id) + le32(value); }

// A property-set GUID in stream order (16 bytes).
inline QByteArray sampleGuid()
{
    return QByteArray::fromHex("0820060000000000C000000000000046");
}

// The name part of a named property: GUID, kind, then the numeric id or the string name.
inline QByteArray nameById(quint32 id) { return sampleGuid() + le32(0) + le32(id); }
inline QByteArray nameByString(const QString& name)
{
    const QByteArray utf16 = utf16z(name);
    return sampleGuid() + le32(1) + le32(quint32(utf16.size())) + paddedTo4(utf16);
}

// A property list: the count (of the given properties unless overridden) and the properties.
inline QByteArray propertyList(const QList<QByteArray>& properties, std::optional<qint32> count = {})
{
    QByteArray b = le32(quint32(count.value_or(qint32(properties.size()))));
    for (const QByteArray& p : properties)
        b += p;
    return b;
}

} // namespace lark::tnef::test
