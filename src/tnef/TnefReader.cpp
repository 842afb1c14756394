#include "TnefReader.h"

#include "TnefAttribute.h"
#include "TnefCodePages.h"
#include "TnefError.h"

#include <QIODevice>
#include <QtEndian>

namespace lark::tnef {

namespace {
constexpr qint64 CopyChunkSize = 4096;
// Level, attribute id, length and checksum of an attribute without data.
constexpr qint64 MinimumAttributeSize = 1 + 4 + 4 + 2;
} // namespace

TTnefReader::TTnefReader(QIODevice& AInputStream)
    : FInputStream(AInputStream), FStreamSize(AInputStream.size())
{
    const qint32 signature = ReadInt32();
    if (static_cast<quint32>(signature) != TnefSignature)
        raiseTnefError(TnefErrorText::InvalidTnefFormat);
    FAttachmentKey = static_cast<quint16>(ReadInt16());
}

qint64 TTnefReader::RawReadPosition() const
{
    return FInputStream.pos();
}

qint64 TTnefReader::RemainingBytes() const
{
    return qMax<qint64>(0, FStreamSize - RawReadPosition());
}

void TTnefReader::addToChecksum(const char* data, qint64 length)
{
    quint16 sum = FChecksum;
    for (qint64 i = 0; i < length; ++i)
        sum = static_cast<quint16>(sum + static_cast<quint8>(data[i]));
    FChecksum = sum;
}

void TTnefReader::readExact(char* buffer, qint64 length)
{
    // Checked before anything is read or allocated: a length the stream cannot hold is a
    // short read, whatever the length field claimed.
    if (length < 0 || length > RemainingBytes())
        raiseTnefError(TnefErrorText::InvalidStreamRead);
    if (length == 0)
        return;
    if (FInputStream.read(buffer, length) != length)
        raiseTnefError(TnefErrorText::InvalidStreamRead);
    addToChecksum(buffer, length);
}

quint8 TTnefReader::ReadByte()
{
    char b = 0;
    readExact(&b, 1);
    return static_cast<quint8>(b);
}

qint16 TTnefReader::ReadInt16()
{
    char b[2];
    readExact(b, 2);
    return qFromLittleEndian<qint16>(b);
}

qint32 TTnefReader::ReadInt32()
{
    char b[4];
    readExact(b, 4);
    return qFromLittleEndian<qint32>(b);
}

QByteArray TTnefReader::ReadBytes(qint64 ALength)
{
    if (ALength < 0 || ALength > RemainingBytes())
        raiseTnefError(TnefErrorText::InvalidStreamRead);
    QByteArray bytes(ALength, Qt::Uninitialized);
    readExact(bytes.data(), ALength);
    return bytes;
}

void TTnefReader::ReadBytes(QIODevice& ADestination, qint64 ALength)
{
    if (ALength == 0)
        return;
    if (ALength < 0 || ALength > RemainingBytes())
        raiseTnefError(TnefErrorText::InvalidStreamRead);
    char chunk[CopyChunkSize];
    qint64 left = ALength;
    while (left > 0) {
        const qint64 n = qMin(left, CopyChunkSize);
        readExact(chunk, n);
        if (ADestination.write(chunk, n) != n)
            throw TnefError(QStringLiteral("Cannot write the file: %1").arg(ADestination.errorString()));
        left -= n;
    }
}

void TTnefReader::SkipBytes(qint64 ALength)
{
    if (ALength < 0 || ALength > RemainingBytes())
        raiseTnefError(TnefErrorText::InvalidStreamRead);
    char chunk[CopyChunkSize];
    qint64 left = ALength;
    while (left > 0) {
        const qint64 n = qMin(left, CopyChunkSize);
        readExact(chunk, n);
        left -= n;
    }
}

QString TTnefReader::ReadString()
{
    QByteArray bytes = ReadBytes(FAttributeLength);
    if (!bytes.isEmpty() && bytes.back() == '\0')
        bytes.chop(1);
    QStringDecoder decoder = GetEncoding();
    return decoder.decode(bytes);
}

QStringDecoder TTnefReader::GetEncoding() const
{
    return decoderForCodePage(FOemCodePage);
}

void TTnefReader::ValidateChecksum()
{
    if (RawReadPosition() != FAttributeValueStart + FAttributeLength)
        return;
    const quint16 computed = FChecksum;
    const quint16 stored = static_cast<quint16>(ReadInt16());
    if (stored != computed)
        raiseTnefError(TnefErrorText::InvalidChecksum);
}

bool TTnefReader::NextAttribute()
{
    // 1. Finish the previous attribute: data plus its 2-byte checksum.
    if (FAttributeValueStart != 0) {
        const qint64 end = FAttributeValueStart + qint64(FAttributeLength) + 2;
        const qint64 pos = RawReadPosition();
        if (pos < end) {
            if (end > FStreamSize || !FInputStream.seek(end))
                raiseTnefError(TnefErrorText::InvalidStreamSkip);
        } else if (pos > end) {
            raiseTnefError(TnefErrorText::AttributeReadIncorrectly);
        }
    }
    // 2. End of the stream. A tail too short to hold an attribute that does not start with a
    // level byte is not an attribute but trailing junk (typically the line break a MIME decoder
    // left after the last attribute); the stream ends before it.
    const qint64 remaining = FStreamSize - RawReadPosition();
    if (remaining <= 0)
        return false;
    if (remaining < MinimumAttributeSize) {
        char level = 0;
        if (FInputStream.peek(&level, 1) == 1 && !attributeLevelFromCode(static_cast<quint8>(level)))
            return false;
    }
    // 3.-5. The attribute header.
    const std::optional<TTnefAttributeLevel> level = attributeLevelFromCode(ReadByte());
    if (!level)
        raiseTnefError(TnefErrorText::InvalidAttributeLevel);
    FAttributeLevel = *level;
    FAttributeTag = attributeTagFromCode(static_cast<quint32>(ReadInt32()));
    FAttributeLength = ReadInt32();
    // 6. The checksum covers the data bytes only.
    FAttributeValueStart = RawReadPosition();
    FChecksum = 0;
    // 7. Stream-wide state the later decoding needs.
    if (FAttributeLevel == alMessage) {
        if (FAttributeTag == agTnefVersion) {
            TTnefVersionAttribute version(*this);
            version.Load();
            FTnefVersion = version.TnefVersion();
        } else if (FAttributeTag == agOemCodepage) {
            TTnefOemCodePageAttribute codePage(*this);
            codePage.Load();
            FOemCodePage = codePage.OemCodePage();
        }
    }
    return true;
}

TTnefAttributeType TTnefReader::AttributeType() const
{
    const std::optional<TTnefAttributeType> type =
        attributeTypeFromCode(TnefAttributeTagCodes[FAttributeTag] & TnefAttributeTypeMask);
    if (!type)
        raiseTnefError(TnefErrorText::InvalidAttributeType);
    return *type;
}

} // namespace lark::tnef
