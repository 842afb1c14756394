#pragma once
// The typed attribute classes. Each is created for the reader's current attribute and read
// with Load(); it lives only while its attribute is current and does not own the reader.
#include <QString>

#include <memory>

class QIODevice;

namespace lark::tnef {

class TTnefReader;
class TTnefPropertyReader;

class TTnefAttribute {
public:
    explicit TTnefAttribute(TTnefReader& AReader) : FReader(AReader) {}
    virtual ~TTnefAttribute() = default;
    TTnefAttribute(const TTnefAttribute&) = delete;
    TTnefAttribute& operator=(const TTnefAttribute&) = delete;

    virtual void Load() = 0;
    TTnefReader& Reader() const { return FReader; }

protected:
    TTnefReader& FReader;
};

// One 32-bit value, checksum verified.
class TTnefVersionAttribute : public TTnefAttribute {
public:
    using TTnefAttribute::TTnefAttribute;
    void Load() override;
    qint32 TnefVersion() const { return FTnefVersion; }

private:
    qint32 FTnefVersion = 0;
};

// Primary code page, secondary code page (discarded), checksum verified.
class TTnefOemCodePageAttribute : public TTnefAttribute {
public:
    using TTnefAttribute::TTnefAttribute;
    void Load() override;
    qint32 OemCodePage() const { return FOemCodePage; }

private:
    qint32 FOemCodePage = 0;
};

// The whole value as an 8-bit string, checksum verified.
class TAttachTitleAttribute : public TTnefAttribute {
public:
    using TTnefAttribute::TTnefAttribute;
    void Load() override;
    QString Title() const { return FTitle; }

private:
    QString FTitle;
};

// Copies the whole value into Content; the checksum is not verified.
class TAttachDataAttribute : public TTnefAttribute {
public:
    TAttachDataAttribute(TTnefReader& AReader, QIODevice& AContent)
        : TTnefAttribute(AReader), FContent(AContent) {}
    void Load() override;
    QIODevice& Content() const { return FContent; }

private:
    QIODevice& FContent;
};

// An attribute that carries a MAPI property list: Load() reads nothing, the caller reads the
// properties through PropertyReader().
class TPropertyListAttribute : public TTnefAttribute {
public:
    explicit TPropertyListAttribute(TTnefReader& AReader);
    ~TPropertyListAttribute() override;
    void Load() override {}
    TTnefPropertyReader& PropertyReader() const { return *FPropertyReader; }

private:
    std::unique_ptr<TTnefPropertyReader> FPropertyReader;
};

// The attachment's property attribute (agAttachment).
class TAttachmentAttribute : public TPropertyListAttribute {
public:
    using TPropertyListAttribute::TPropertyListAttribute;
};

// The message's property attribute (agMapiProperties).
class TMapiPropertiesAttribute : public TPropertyListAttribute {
public:
    using TPropertyListAttribute::TPropertyListAttribute;
};

} // namespace lark::tnef
