#pragma once
// TTnefPropertyReader: a pull reader over the MAPI property list carried by an agMapiProperties
// or agAttachment attribute. It reads every byte through the attribute reader, so every byte
// counts into the attribute's checksum, which is verified when the last property has been
// passed (if the list ends exactly where the attribute's data does).
//
// Calling order: NextProperty() until false; for a property of interest NextValue(), then one
// read of the value (ReadStringValue, ReadBytesValue or the raw reads), and NextValue() again
// for further values. Whatever the caller leaves unread is read past by the next NextProperty().
#include "TnefPropertyName.h"
#include "TnefPropertyTag.h"

#include <QByteArray>
#include <QString>

#include <memory>

class QIODevice;

namespace lark::tnef {

class TTnefReader;

class TTnefPropertyReader {
public:
    explicit TTnefPropertyReader(TTnefReader& AReader);
    ~TTnefPropertyReader();
    TTnefPropertyReader(const TTnefPropertyReader&) = delete;
    TTnefPropertyReader& operator=(const TTnefPropertyReader&) = delete;

    // True when a further property was started (its tag and name are available).
    bool NextProperty();
    // True when a further value of the current property was started (ValueLength() holds its
    // size, padding included).
    bool NextValue();

    QString ReadStringValue();
    QByteArray ReadBytesValue();
    // ALength raw bytes; for a length that is not a multiple of 4 the zero padding after the
    // data is read and discarded too.
    QByteArray ReadBytes(qint64 ALength);
    // Copies ALength raw bytes into ADestination (no padding is read).
    void ReadBytes(QIODevice& ADestination, qint64 ALength);

    // The current property's tag; null before the first and after the last property.
    const TTnefPropertyTag* PropertyTag() const { return FPropertyTag.get(); }
    // The current property's name; null unless the property is named.
    const TTnefPropertyName* PropertyName() const { return FPropertyName.get(); }
    qint32 ValueLength() const { return FValueLength; }
    qint32 ValueCount() const { return FValueCount; }
    TTnefReader& Reader() const { return FReader; }

private:
    void skipRestOfProperty();
    void skipRestOfValue();
    void determineValueCount();
    void readPropertyName();

    TTnefReader& FReader;
    qint32 FPropertyCount = -1;
    qint32 FPropertyIndex = 0;
    qint32 FValueIndex = 0;
    qint32 FValueCount = -1;
    bool FValueCountKnown = false;
    qint32 FValueLength = 0;
    qint64 FPropertyValueStart = 0;
    std::unique_ptr<TTnefPropertyTag> FPropertyTag;
    std::unique_ptr<TTnefPropertyName> FPropertyName;
};

} // namespace lark::tnef
