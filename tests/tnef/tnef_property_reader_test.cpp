// The MAPI property reader: counts, value layouts and padding, skipping, named properties, the
// identifier table and its doubled identifiers, and the errors of malformed lists.
#include "TnefTestSupport.h"
#include "TnefWriter.h"

#include "tnef/TnefAttribute.h"
#include "tnef/TnefPropertyReader.h"
#include "tnef/TnefReader.h"

#include <gtest/gtest.h>

#include <memory>

using namespace lark::tnef;
using namespace lark::tnef::test;

namespace {

// A stream with one message-level property attribute holding `list`, positioned at its data.
class PropertyStream {
public:
    explicit PropertyStream(const QByteArray& list, std::optional<quint16> checksum = {}, quint32 codePage = 0)
    {
        TnefWriter writer;
        if (codePage)
            writer.codePage(codePage);
        m_bytes = writer.attribute(LevelMessage, IdMapiProperties, list, checksum).message(IdSubject, "end").bytes();
        m_buffer.setBuffer(&m_bytes);
        m_buffer.open(QIODevice::ReadOnly);
        m_reader = std::make_unique<TTnefReader>(m_buffer);
        while (m_reader->NextAttribute() && m_reader->AttributeTag() != agMapiProperties) {
        }
        m_attribute = std::make_unique<TMapiPropertiesAttribute>(*m_reader);
        m_attribute->Load();
        m_listStart = m_reader->RawReadPosition();
    }

    TTnefPropertyReader& props() { return m_attribute->PropertyReader(); }
    TTnefReader& reader() { return *m_reader; }
    qint64 offset() const { return m_reader->RawReadPosition() - m_listStart; }

private:
    QByteArray m_bytes;
    QBuffer m_buffer;
    std::unique_ptr<TTnefReader> m_reader;
    std::unique_ptr<TMapiPropertiesAttribute> m_attribute;
    qint64 m_listStart = 0;
};

} // namespace

TEST(TnefPropertyReader, EmptyListVerifiesTheChecksum)
{
    PropertyStream good(propertyList({}));
    EXPECT_EQ(errorText([&] { EXPECT_FALSE(good.props().NextProperty()); }), QString());
    EXPECT_TRUE(good.reader().NextAttribute());
    EXPECT_EQ(good.reader().AttributeTag(), agSubject);

    PropertyStream bad(propertyList({}), 0x0001);
    EXPECT_EQ(errorText([&] { bad.props().NextProperty(); }), QStringLiteral("Invalid checksum"));
}

TEST(TnefPropertyReader, ListEndingBeforeTheDataIsNotChecksummed)
{
    PropertyStream s(propertyList({longProperty(0x0E07, 1)}) + "tail", 0x0001);
    EXPECT_EQ(errorText([&] {
        EXPECT_TRUE(s.props().NextProperty());
        EXPECT_FALSE(s.props().NextProperty());
        EXPECT_TRUE(s.reader().NextAttribute()); // the rest is skipped
    }), QString());
    EXPECT_EQ(s.reader().AttributeTag(), agSubject);
}

TEST(TnefPropertyReader, NegativeCountIsAnError)
{
    PropertyStream s(propertyList({}, -1));
    EXPECT_EQ(errorText([&] { s.props().NextProperty(); }), QStringLiteral("Invalid Property Count"));
}

TEST(TnefPropertyReader, ValueLayoutsAndPadding)
{
    enum Read { String, Bytes };
    struct Case {
        const char* name;
        QByteArray property;
        quint32 codePage;
        qint32 valueLength;
        Read read;
        QString text;     // for String
        QByteArray bytes; // for Bytes
    } cases[] = {
        {"ptString8 of 5 bytes", string8Property(PropSubject, QByteArray("abcd\0", 5)), 0, 8, String, QStringLiteral("abcd"), {}},
        {"ptString8 all zero", countedProperty(TypeString8, PropSubject, QByteArray(3, '\0')), 0, 4, String, QString(), {}},
        {"ptString8 in code page 932", string8Property(PropSubject, QByteArray("\x93\xFA\x96\x7B\0", 5)), 932, 8, String,
         QStringLiteral("\u65E5\u672C"), {}},
        {"ptUnicode of 6 bytes", unicodeProperty(PropSubject, QStringLiteral("ab")), 0, 8, String, QStringLiteral("ab"), {}},
        {"ptUnicode with odd length", countedProperty(TypeUnicode, PropSubject, QByteArray("a\0b", 3)), 0, 4, String,
         QStringLiteral("ab"), {}},
        {"ptUnicode with several zero characters", countedProperty(TypeUnicode, PropSubject, QByteArray("a\0\0\0\0\0", 6)),
         0, 8, String, QStringLiteral("a"), {}},
        {"ptBinary as text", countedProperty(TypeBinary, PropSubject, QByteArray("\x80x\0", 3)), 0, 4, String,
         QStringLiteral("\u20ACx"), {}},
        {"ptBinary bytes keep the padding", countedProperty(TypeBinary, PropSubject, "12345"), 0, 8, Bytes, {},
         QByteArray("12345\0\0\0", 8)},
        {"ptObject bytes", countedProperty(TypeObject, PropAttachData, "abcd"), 0, 4, Bytes, {}, "abcd"},
        {"ptClassId bytes", propertyTag(TypeClassId, 0x3302) + sampleGuid(), 0, 16, Bytes, {}, sampleGuid()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PropertyStream s(propertyList({c.property, longProperty(0x0E07, 7)}), {}, c.codePage);
        const QString error = errorText([&] {
            ASSERT_TRUE(s.props().NextProperty());
            ASSERT_TRUE(s.props().NextValue());
            EXPECT_EQ(s.props().ValueLength(), c.valueLength);
            if (c.read == String)
                EXPECT_EQ(s.props().ReadStringValue(), c.text);
            else
                EXPECT_EQ(s.props().ReadBytesValue(), c.bytes);
            EXPECT_FALSE(s.props().NextValue());
            ASSERT_TRUE(s.props().NextProperty());
            EXPECT_EQ(s.props().PropertyTag()->RawId(), 0x0E07);
            EXPECT_FALSE(s.props().NextProperty());
        });
        EXPECT_EQ(error, QString());
    }
}

TEST(TnefPropertyReader, FixedSizeValues)
{
    const struct {
        quint16 type;
        qint32 length;
    } cases[] = {{TypeNull, 0}, {TypeI2, 4}, {TypeLong, 4}, {0x000B, 4}, {TypeSysTime, 8}, {0x0014, 8}, {TypeClassId, 16}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        PropertyStream s(propertyList({propertyTag(c.type, 0x0E08) + QByteArray(c.length, 'v'), longProperty(0x0E07, 7)}));
        EXPECT_EQ(errorText([&] {
            ASSERT_TRUE(s.props().NextProperty());
            ASSERT_TRUE(s.props().NextValue());
            EXPECT_EQ(s.props().ValueCount(), 1);
            EXPECT_EQ(s.props().ValueLength(), c.length);
            ASSERT_TRUE(s.props().NextProperty()); // skips the unread value
            EXPECT_EQ(s.props().PropertyTag()->RawId(), 0x0E07);
            EXPECT_FALSE(s.props().NextProperty());
        }), QString());
    }
}

TEST(TnefPropertyReader, SkipsValuesTheCallerLeaves)
{
    struct Case {
        const char* name;
        QByteArray property;
        int valuesRead; // values the caller starts (and reads fully) before moving on
    } cases[] = {
        {"multi-valued ptLong, none read", propertyTag(TypeLong | MultiValued, 0x0E08) + le32(3) + le32(1) + le32(2) + le32(3), 0},
        {"multi-valued ptLong, one read", propertyTag(TypeLong | MultiValued, 0x0E08) + le32(3) + le32(1) + le32(2) + le32(3), 1},
        {"multi-valued ptString8", propertyTag(TypeString8 | MultiValued, 0x0E08) + le32(2) + lengthValue("one") + lengthValue("three"), 0},
        {"multi-valued ptString8, first read", propertyTag(TypeString8 | MultiValued, 0x0E08) + le32(2) + lengthValue("one") + lengthValue("three"), 1},
        {"multi-valued with count 0", propertyTag(TypeBinary | MultiValued, 0x0E08) + le32(0), 0},
        {"single ptBinary", countedProperty(TypeBinary, 0x0E08, "xyzzy"), 0},
        {"named ptUnicode", propertyTag(TypeUnicode, 0x8005) + nameByString(QStringLiteral("Keywords")) + le32(1) + lengthValue(utf16z(QStringLiteral("x"))), 0},
        {"multi-valued ptNull", propertyTag(TypeNull | MultiValued, 0x0E08) + le32(5), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PropertyStream s(propertyList({c.property, longProperty(0x0E07, 7)}));
        EXPECT_EQ(errorText([&] {
            ASSERT_TRUE(s.props().NextProperty());
            for (int i = 0; i < c.valuesRead; ++i) {
                ASSERT_TRUE(s.props().NextValue());
                s.props().ReadBytes(s.props().ValueLength());
            }
            ASSERT_TRUE(s.props().NextProperty());
            EXPECT_EQ(s.props().PropertyTag()->RawId(), 0x0E07);
            EXPECT_EQ(s.props().PropertyTag()->PropertyType(), ptLong);
            EXPECT_FALSE(s.props().NextProperty()); // and the checksum matches
        }), QString());
    }
}

TEST(TnefPropertyReader, NamedProperties)
{
    const QByteArray value = le32(0);
    // 7 characters: 16 name bytes with the zero character, no padding.
    {
        PropertyStream s(propertyList({propertyTag(TypeLong, 0x8001) + nameByString(QStringLiteral("Seven77")) + value}));
        ASSERT_TRUE(s.props().NextProperty());
        EXPECT_EQ(s.offset(), 4 + 4 + 16 + 4 + 4 + 16);
        const TTnefPropertyName* name = s.props().PropertyName();
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->Kind(), ikName);
        EXPECT_EQ(name->Name(), QStringLiteral("Seven77"));
        EXPECT_EQ(name->Id(), 0u);
        EXPECT_EQ(name->Guid(), QUuid(QStringLiteral("{00062008-0000-0000-C000-000000000046}")));
        EXPECT_TRUE(s.props().PropertyTag()->IsNamed());
        EXPECT_EQ(s.props().PropertyTag()->Id(), piNull);
        EXPECT_FALSE(s.props().NextProperty());
    }
    // 8 characters: 18 name bytes and 2 bytes of padding.
    {
        PropertyStream s(propertyList({propertyTag(TypeLong, 0x8002) + nameByString(QStringLiteral("Eight888")) + value}));
        ASSERT_TRUE(s.props().NextProperty());
        EXPECT_EQ(s.offset(), 4 + 4 + 16 + 4 + 4 + 18 + 2);
        EXPECT_EQ(s.props().PropertyName()->Name(), QStringLiteral("Eight888"));
        EXPECT_FALSE(s.props().NextProperty());
    }
    // A numeric name.
    {
        PropertyStream s(propertyList({propertyTag(TypeLong, 0xFFFE) + nameById(0x8510) + value}));
        ASSERT_TRUE(s.props().NextProperty());
        EXPECT_EQ(s.props().PropertyName()->Kind(), ikId);
        EXPECT_EQ(s.props().PropertyName()->Id(), 0x8510u);
        EXPECT_EQ(s.props().PropertyName()->Name(), QString());
        EXPECT_FALSE(s.props().NextProperty());
    }
    // Neither 0xFFFF nor an ordinary identifier carries a name.
    for (const quint16 id : {quint16(0xFFFF), quint16(0x7FFF)}) {
        PropertyStream s(propertyList({longProperty(id, 1)}));
        ASSERT_TRUE(s.props().NextProperty());
        EXPECT_FALSE(s.props().PropertyTag()->IsNamed());
        EXPECT_EQ(s.props().PropertyName(), nullptr);
        EXPECT_EQ(s.props().PropertyTag()->Id(), piNull);
        EXPECT_FALSE(s.props().NextProperty());
    }
    // A name kind other than 0 and 1.
    PropertyStream bad(propertyList({propertyTag(TypeLong, 0x8003) + sampleGuid() + le32(2) + le32(0) + value}));
    EXPECT_EQ(errorText([&] { bad.props().NextProperty(); }), QStringLiteral("Invalid NameId"));
}

TEST(TnefPropertyReader, IdentifierTable)
{
    EXPECT_EQ(TnefPropertyIdCount, 496);
    for (int i = 0; i < TnefPropertyIdCount; ++i)
        EXPECT_LT(TnefPropertyIdCodes[i], 0x8000) << propertyIdName(TTnefPropertyId(i));
    const struct {
        quint16 raw;
        TTnefPropertyId id;
        const char* name;
    } cases[] = {
        {0x3711, piAttachContentBase, "piAttachContentBase"},
        {0x3712, piAttachContentId, "piAttachContentId"},
        {0x3713, piAttachContentLocation, "piAttachContentLocation"},
        {0x3701, piAttachData, "piAttachData"},
        {0x3716, piAttachDisposition, "piAttachDisposition"},
        {0x3704, piAttachFilename, "piAttachFilename"},
        {0x3707, piAttachLongFilename, "piAttachLongFilename"},
        {0x370E, piAttachMimeTag, "piAttachMimeTag"},
        {0x3001, piDisplayName, "piDisplayName"},
        {0x1000, piBody, "piBody"},
        {0x1013, piBodyHtml, "piBodyHtml"},
        {0x1009, piRtfCompressed, "piRtfCompressed"},
        {0x0037, piSubject, "piSubject"},
        {0x001A, piMessageClass, "piMessageClass"},
        {0x0000, piNull, "piNull"},
        {0x4FFF, piNull, "piNull"}, // not in the table
        // The ten doubled identifiers resolve to the first name.
        {0x3A21, piBeeperTelephoneNumber, "piBeeperTelephoneNumber"},
        {0x3A1B, piBusiness2TelephoneNumber, "piBusiness2TelephoneNumber"},
        {0x3A27, piBusinessAddressCity, "piBusinessAddressCity"},
        {0x3A26, piBusinessAddressCountry, "piBusinessAddressCountry"},
        {0x3A2A, piBusinessAddressPostalCode, "piBusinessAddressPostalCode"},
        {0x3A2B, piBusinessAddressPostOfficeBox, "piBusinessAddressPostOfficeBox"},
        {0x3A28, piBusinessAddressStateOrProvince, "piBusinessAddressStateOrProvince"},
        {0x3A29, piBusinessAddressStreet, "piBusinessAddressStreet"},
        {0x3A1C, piCellularTelephoneNumber, "piCellularTelephoneNumber"},
        {0x3A47, piPreferredByName, "piPreferredByName"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(propertyIdFromCode(c.raw), c.id) << c.name;
        EXPECT_STREQ(propertyIdName(propertyIdFromCode(c.raw)), c.name);
    }
    // The second names keep their identifiers.
    EXPECT_EQ(TnefPropertyIdCodes[piPagerTelephoneNumber], 0x3A21);
    EXPECT_EQ(TnefPropertyIdCodes[piReferredByName], 0x3A47);
    // Exactly ten identifiers stand twice.
    int doubled = 0;
    for (int i = 0; i < TnefPropertyIdCount; ++i)
        doubled += propertyIdFromCode(TnefPropertyIdCodes[i]) != TTnefPropertyId(i);
    EXPECT_EQ(doubled, 10);

    PropertyStream s(propertyList({longProperty(0x3A21, 1)}));
    ASSERT_TRUE(s.props().NextProperty());
    EXPECT_EQ(s.props().PropertyTag()->Id(), piBeeperTelephoneNumber);
}

TEST(TnefPropertyReader, MalformedLists)
{
    struct Case {
        const char* name;
        QByteArray list;
        bool readFirstValue; // start and read the first property's first value as text
        const char* error;
    } cases[] = {
        {"unknown value type", propertyList({propertyTag(0x0099, 0x0E08) + le32(1), longProperty(0x0E07, 1)}), false,
         "Invalid Property Type"},
        {"ReadStringValue of a ptLong", propertyList({longProperty(0x0E07, 1)}), true, "Invalid property value"},
        {"value length past the end", propertyList({countedProperty(TypeBinary, 0x0E08, "abcd", 0x7FFFFFFF)}), false,
         "Invalid Stream"},
        {"negative value length when skipped", propertyList({countedProperty(TypeBinary, 0x0E08, "abcd", -8)}), false,
         "The property was read incorrectly"},
        {"negative value length when read", propertyList({countedProperty(TypeString8, 0x0E08, "abcd", -8)}), true,
         "Invalid Stream"},
        {"huge value count", propertyList({propertyTag(TypeLong | MultiValued, 0x0E08) + le32(0x7FFFFFFF) + le32(1)}),
         false, "Invalid Stream"},
        {"huge count of values without bytes", propertyList({propertyTag(TypeNull | MultiValued, 0x0E08) + le32(0x7FFFFFFF)}),
         false, "Invalid Stream"},
        {"huge name length", propertyList({propertyTag(TypeLong, 0x8001) + sampleGuid() + le32(1) + le32(0x7FFFFFF0)}),
         false, "Invalid Stream"},
        {"negative name length", propertyList({propertyTag(TypeLong, 0x8001) + sampleGuid() + le32(1) + le32(quint32(-4))}),
         false, "Invalid Stream"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PropertyStream s(c.list);
        const QString error = errorText([&] {
            while (s.props().NextProperty()) {
                if (c.readFirstValue && s.props().NextValue())
                    s.props().ReadStringValue();
            }
        });
        EXPECT_EQ(error, QString::fromLatin1(c.error));
    }
}

TEST(TnefPropertyReader, ReadingPastAValueIsAnErrorWhenMovingOn)
{
    PropertyStream s(propertyList({countedProperty(TypeBinary, 0x0E08, "abcd"), longProperty(0x0E07, 1)}));
    ASSERT_TRUE(s.props().NextProperty());
    ASSERT_TRUE(s.props().NextValue());
    s.props().ReadBytes(8); // the value is 4 bytes
    EXPECT_EQ(errorText([&] { s.props().NextProperty(); }), QStringLiteral("The property was read incorrectly"));
}
