#pragma once
// Property loaders: each is created for the property reader's current property; Load() starts
// the property's first value (NextValue) and reads it. A property without values loads as empty.
#include <QString>
#include <QUuid>

class QIODevice;

namespace lark::tnef {

class TTnefPropertyReader;

class TTnefProperty {
public:
    explicit TTnefProperty(TTnefPropertyReader& APropertyReader) : FPropertyReader(APropertyReader) {}
    virtual ~TTnefProperty() = default;
    TTnefProperty(const TTnefProperty&) = delete;
    TTnefProperty& operator=(const TTnefProperty&) = delete;

    virtual void Load() = 0;
    TTnefPropertyReader& PropertyReader() const { return FPropertyReader; }

protected:
    TTnefPropertyReader& FPropertyReader;
};

// The value as text (ReadStringValue).
class TAttachStringProperty : public TTnefProperty {
public:
    using TTnefProperty::TTnefProperty;
    void Load() override;
    QString Value() const { return FValue; }

private:
    QString FValue;
};

// Copies ValueLength bytes of the value (padding included) into Content.
class TAttachStreamProperty : public TTnefProperty {
public:
    TAttachStreamProperty(TTnefPropertyReader& APropertyReader, QIODevice& AContent)
        : TTnefProperty(APropertyReader), FContent(AContent) {}
    void Load() override;
    QIODevice& Content() const { return FContent; }

protected:
    QIODevice& FContent;
};

// The compressed RTF body, copied as stored (not decompressed).
class TMapiRtfCompressedProperty : public TAttachStreamProperty {
public:
    using TAttachStreamProperty::TAttachStreamProperty;
};

// An object value: 16 bytes of interface GUID (Windows byte layout), then ValueLength minus 16
// bytes of content. A value too short to hold the GUID fails with "Invalid property value".
class TAttachDataProperty : public TTnefProperty {
public:
    TAttachDataProperty(TTnefPropertyReader& APropertyReader, QIODevice& AContent)
        : TTnefProperty(APropertyReader), FContent(AContent) {}
    void Load() override;
    QUuid Guid() const { return FGuid; }
    QIODevice& Content() const { return FContent; }

private:
    QUuid FGuid;
    QIODevice& FContent;
};

} // namespace lark::tnef
