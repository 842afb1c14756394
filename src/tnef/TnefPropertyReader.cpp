#include "TnefPropertyReader.h"

#include "TnefError.h"
#include "TnefReader.h"

#include <QIODevice>
#include <QStringDecoder>

namespace lark::tnef {

namespace {

// Bytes a value of the type occupies at the least (0 when nothing can be said).
qint64 minimumValueBytes(const TTnefPropertyTag& tag)
{
    if (!tag.HasKnownType())
        return 0;
    if (isLengthPrefixed(tag.PropertyType()))
        return 4;
    return fixedValueSize(tag.PropertyType()).value_or(0);
}

QString decodeUtf16Le(QByteArray bytes)
{
    if (bytes.size() % 2 != 0)
        bytes.chop(1);
    while (bytes.size() >= 2 && bytes.at(bytes.size() - 1) == '\0' && bytes.at(bytes.size() - 2) == '\0')
        bytes.chop(2);
    QStringDecoder decoder(QStringConverter::Utf16LE, QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

} // namespace

TTnefPropertyReader::TTnefPropertyReader(TTnefReader& AReader) : FReader(AReader) {}

TTnefPropertyReader::~TTnefPropertyReader() = default;

bool TTnefPropertyReader::NextProperty()
{
    // 1. Read past what the caller left of the current property.
    if (FPropertyTag)
        skipRestOfProperty();
    // 2. The count, on the first call.
    if (FPropertyCount < 0) {
        FPropertyCount = FReader.ReadInt32();
        if (FPropertyCount < 0)
            raiseTnefError(TnefErrorText::InvalidPropertyCount);
    }
    // 3. The end of the list.
    if (FPropertyIndex >= FPropertyCount) {
        FPropertyTag.reset();
        FPropertyName.reset();
        FReader.ValidateChecksum();
        return false;
    }
    // 4. Forget the previous value state.
    FValueCount = -1;
    FValueCountKnown = false;
    FValueIndex = 0;
    FValueLength = 0;
    // 5. The tag: type word, then identifier.
    FPropertyName.reset();
    const quint16 typeWord = static_cast<quint16>(FReader.ReadInt16());
    const quint16 rawId = static_cast<quint16>(FReader.ReadInt16());
    FPropertyTag = std::make_unique<TTnefPropertyTag>(typeWord, rawId);
    // 6. The name of a named property.
    if (FPropertyTag->IsNamed())
        readPropertyName();
    // 7.
    FPropertyValueStart = FReader.RawReadPosition();
    ++FPropertyIndex;
    return true;
}

void TTnefPropertyReader::readPropertyName()
{
    const QUuid guid = guidFromWindowsBytes(ReadBytes(16));
    const qint32 kind = FReader.ReadInt32();
    if (kind == 1) {
        const qint32 length = FReader.ReadInt32();
        const QString name = decodeUtf16Le(ReadBytes(length));
        FPropertyName = std::make_unique<TTnefPropertyName>(ikName, name, guid, 0);
    } else if (kind == 0) {
        const quint32 id = static_cast<quint32>(FReader.ReadInt32());
        FPropertyName = std::make_unique<TTnefPropertyName>(ikId, QString(), guid, id);
    } else {
        raiseTnefError(TnefErrorText::InvalidNameId);
    }
}

void TTnefPropertyReader::determineValueCount()
{
    const TTnefPropertyType type = FPropertyTag->PropertyType();
    const bool counted = FPropertyTag->IsMultiValued() || (FPropertyTag->HasKnownType() && isLengthPrefixed(type));
    if (counted) {
        FValueCount = FReader.ReadInt32();
        FPropertyValueStart = FReader.RawReadPosition();
        // Every value needs at least this many bytes (values of no bytes count as one, so that
        // a caller walking the values is bounded by the stream's size); a count the rest of the
        // stream cannot hold is a short read, found now rather than after a long loop.
        const qint64 least = qMax<qint64>(1, minimumValueBytes(*FPropertyTag));
        if (FValueCount > 0 && qint64(FValueCount) * least > FReader.RemainingBytes())
            raiseTnefError(TnefErrorText::InvalidStreamRead);
    } else {
        FValueCount = 1;
    }
    FValueCountKnown = true;
}

bool TTnefPropertyReader::NextValue()
{
    if (!FPropertyTag)
        return false;
    if (!FValueCountKnown)
        determineValueCount();
    if (FValueIndex >= FValueCount)
        return false;
    if (!FPropertyTag->HasKnownType())
        raiseTnefError(TnefErrorText::InvalidPropertyType);
    const TTnefPropertyType type = FPropertyTag->PropertyType();
    if (isLengthPrefixed(type)) {
        const qint32 length = FReader.ReadInt32();
        const qint64 padded = length >= 0 ? (qint64(length) + 3) & ~qint64(3) : qint64(length);
        if (padded > FReader.RemainingBytes())
            raiseTnefError(TnefErrorText::InvalidStreamRead);
        FValueLength = qint32(padded);
    } else {
        const std::optional<qint32> size = fixedValueSize(type);
        if (!size)
            raiseTnefError(TnefErrorText::InvalidPropertyType);
        FValueLength = *size;
    }
    FPropertyValueStart = FReader.RawReadPosition();
    ++FValueIndex;
    return true;
}

void TTnefPropertyReader::skipRestOfValue()
{
    const qint64 end = FPropertyValueStart + FValueLength;
    const qint64 pos = FReader.RawReadPosition();
    if (pos > end)
        raiseTnefError(TnefErrorText::PropertyReadIncorrectly);
    FReader.SkipBytes(end - pos);
}

void TTnefPropertyReader::skipRestOfProperty()
{
    if (FValueIndex > 0)
        skipRestOfValue();
    while (NextValue()) {
        skipRestOfValue();
        // Values of no bytes (ptNull, ptUnspecified) leave nothing to read, however many the
        // count announces.
        if (FValueLength == 0 && FPropertyTag->HasKnownType() && fixedValueSize(FPropertyTag->PropertyType()) == 0)
            FValueIndex = FValueCount;
    }
}

QString TTnefPropertyReader::ReadStringValue()
{
    const TTnefPropertyType type = FPropertyTag ? FPropertyTag->PropertyType() : ptUnspecified;
    if (FPropertyTag && FPropertyTag->HasKnownType() && (type == ptString8 || type == ptBinary)) {
        QByteArray bytes = ReadBytes(FValueLength);
        while (!bytes.isEmpty() && bytes.back() == '\0')
            bytes.chop(1);
        QStringDecoder decoder = FReader.GetEncoding();
        return decoder.decode(bytes);
    }
    if (FPropertyTag && FPropertyTag->HasKnownType() && type == ptUnicode)
        return decodeUtf16Le(ReadBytes(FValueLength));
    raiseTnefError(TnefErrorText::InvalidPropertyValue);
}

QByteArray TTnefPropertyReader::ReadBytesValue()
{
    if (FPropertyTag && FPropertyTag->HasKnownType()) {
        const TTnefPropertyType type = FPropertyTag->PropertyType();
        if (isLengthPrefixed(type))
            return ReadBytes(FValueLength);
        if (type == ptClassId)
            return ReadBytes(16);
    }
    raiseTnefError(TnefErrorText::InvalidPropertyValue);
}

QByteArray TTnefPropertyReader::ReadBytes(qint64 ALength)
{
    QByteArray bytes = FReader.ReadBytes(ALength);
    if (ALength % 4 != 0)
        FReader.SkipBytes(4 - ALength % 4);
    return bytes;
}

void TTnefPropertyReader::ReadBytes(QIODevice& ADestination, qint64 ALength)
{
    FReader.ReadBytes(ADestination, ALength);
}

} // namespace lark::tnef
