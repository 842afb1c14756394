#pragma once
// TTnefReader: a pull reader over a TNEF stream, one attribute at a time.
//
// Create it on an open, random-access QIODevice positioned at the signature; the constructor
// checks the signature and reads the legacy key. Then loop on NextAttribute(); for an attribute
// that matters create the matching attribute class (TnefAttribute.h) on the reader and Load()
// it; whatever is left unread is skipped before the next attribute. Every byte the read
// operations return counts into the current attribute's checksum. Message-level version and
// code page attributes are consumed inside NextAttribute() itself.
//
// Failures throw TnefError with the decoder's fixed texts. A declared length is checked against
// what remains of the stream before any buffer is allocated, so a hostile length fails with
// "Invalid Stream" instead of exhausting memory.
#include "TnefAttributeConsts.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

class QIODevice;

namespace lark::tnef {

class TTnefReader {
public:
    explicit TTnefReader(QIODevice& AInputStream);
    TTnefReader(const TTnefReader&) = delete;
    TTnefReader& operator=(const TTnefReader&) = delete;

    // True when a further attribute header was read (the reader then stands at its first data
    // byte); false at the end of the stream, and on every call after that.
    bool NextAttribute();
    // Verifies the current attribute's checksum when the read position stands exactly at the
    // end of its data; anywhere else it does nothing.
    void ValidateChecksum();

    quint8 ReadByte();
    qint16 ReadInt16();
    qint32 ReadInt32();
    QByteArray ReadBytes(qint64 ALength);
    // Copies ALength bytes into ADestination in chunks of at most 4096 bytes.
    void ReadBytes(QIODevice& ADestination, qint64 ALength);
    // Reads and discards ALength bytes; they still count into the checksum.
    void SkipBytes(qint64 ALength);
    // The whole current attribute value as an 8-bit string in the stream's code page; one
    // trailing zero byte (only one) is dropped.
    QString ReadString();
    // A new decoder for the stream's 8-bit strings (see TnefCodePages.h).
    QStringDecoder GetEncoding() const;

    quint16 AttachmentKey() const { return FAttachmentKey; }
    TTnefAttributeLevel AttributeLevel() const { return FAttributeLevel; }
    TTnefAttributeTag AttributeTag() const { return FAttributeTag; }
    qint32 AttributeLength() const { return FAttributeLength; }
    qint32 TnefVersion() const { return FTnefVersion; }
    qint32 OemCodePage() const { return FOemCodePage; }
    qint64 RawReadPosition() const;
    // Bytes between the read position and the end of the stream.
    qint64 RemainingBytes() const;
    // The current tag's type nibble; "Invalid attribute type" outside the type table.
    TTnefAttributeType AttributeType() const;

private:
    void readExact(char* buffer, qint64 length);
    void addToChecksum(const char* data, qint64 length);

    QIODevice& FInputStream;
    qint64 FStreamSize = 0;
    qint64 FAttributeValueStart = 0;
    quint16 FChecksum = 0;
    qint32 FAttributeLength = 0;
    TTnefAttributeTag FAttributeTag = agNull;
    quint16 FAttachmentKey = 0;
    TTnefAttributeLevel FAttributeLevel = alMessage;
    qint32 FTnefVersion = 0;
    qint32 FOemCodePage = 0;
};

} // namespace lark::tnef
