// The attribute stream reader: header, attribute walking and skipping, levels, checksums, the
// typed attribute loaders and 8-bit strings in the stream's code page.
#include "TnefTestSupport.h"
#include "TnefWriter.h"

#include "tnef/TnefAttribute.h"
#include "tnef/TnefReader.h"

#include <gtest/gtest.h>

using namespace lark::tnef;
using namespace lark::tnef::test;

namespace {

struct WalkResult {
    QList<TTnefAttributeTag> tags;
    QString error;
};

// Walks the stream the way a caller that ignores every attribute does.
WalkResult walk(QByteArray stream)
{
    QBuffer buffer(&stream);
    buffer.open(QIODevice::ReadOnly);
    WalkResult result;
    result.error = errorText([&] {
        TTnefReader reader(buffer);
        while (reader.NextAttribute())
            result.tags.append(reader.AttributeTag());
    });
    return result;
}

struct WalkCase {
    const char* name;
    QByteArray stream;
    QList<TTnefAttributeTag> tags;
    const char* error;
};

QByteArray header() { return TnefWriter().bytes(); }

} // namespace

TEST(TnefReader, WalksAndSkipsAttributes)
{
    const QByteArray subject = QByteArray("Hi\0", 3);
    const WalkCase cases[] = {
        {"header only", header(), {}, ""},
        {"empty stream", QByteArray(), {}, "Invalid Stream"},
        {"three bytes", header().left(3), {}, "Invalid Stream"},
        {"five bytes", header().left(5), {}, "Invalid Stream"},
        {"wrong signature", TnefWriter(0, 0x223E9F79).bytes(), {}, "Invalid TNEF format"},
        {"known attributes in order",
         TnefWriter().message(IdSubject, subject).renderData().attachment(IdAttachData, "x").bytes(),
         {agSubject, agAttachRenderData, agAttachData}, ""},
        {"unknown id skipped with a wrong checksum",
         TnefWriter().attribute(LevelMessage, 0x00099999, "data", 0xBEEF).message(IdSubject, subject).bytes(),
         {agNull, agSubject}, ""},
        {"known identifier with another type nibble is unknown",
         TnefWriter().attribute(LevelAttachment, 0x00028010, "title", 0xBEEF).bytes(), {agNull}, ""},
        {"level 0", TnefWriter().attribute(0, IdSubject, subject).bytes(), {}, "Invalid attribute level"},
        {"level 3 of an unknown attribute", TnefWriter().attribute(3, 0x00099999, subject).bytes(), {},
         "Invalid attribute level"},
        {"truncated attribute header", header() + QByteArray("\x01\x04\x80\x01\x00", 5), {}, "Invalid Stream"},
        {"declared length past the end when skipped",
         TnefWriter().attribute(LevelMessage, IdSubject, "abc", {}, 100).bytes(), {agSubject}, "Invalid stream"},
        {"huge declared length when skipped",
         TnefWriter().attribute(LevelAttachment, IdAttachData, "abc", {}, 0x7FFFFFF0).bytes(), {agAttachData},
         "Invalid stream"},
        {"message-level version with a wrong checksum",
         TnefWriter().attribute(LevelMessage, IdTnefVersion, le32(0x10000), 0x0002).bytes(), {}, "Invalid checksum"},
        {"attachment-level version is not examined",
         TnefWriter().attribute(LevelAttachment, IdTnefVersion, le32(0x10000), 0x0002).bytes(), {agTnefVersion}, ""},
        {"message-level code page with a wrong checksum",
         TnefWriter().attribute(LevelMessage, IdOemCodepage, le32(932) + le32(0), 0x0001).bytes(), {},
         "Invalid checksum"},
        {"version shorter than its value reads into the next attribute",
         TnefWriter().attribute(LevelMessage, IdTnefVersion, QByteArray()).message(IdSubject, subject).bytes(),
         {agTnefVersion}, "The attribute was read incorrectly"},
        {"version value cut off by the end of the stream",
         header() + QByteArray("\x01\x06\x90\x08\x00\x00\x00\x00\x00\x00\x00", 11), {}, "Invalid Stream"},
        // A tail that cannot hold an attribute (level, id, length, checksum: 11 bytes) and
        // does not start with a level byte is junk after the last attribute, not an error.
        {"line break after the last attribute", TnefWriter().message(IdSubject, subject).raw("\r\n").bytes(),
         {agSubject}, ""},
        {"ten junk bytes after the last attribute", TnefWriter().message(IdSubject, subject).raw("0123456789").bytes(),
         {agSubject}, ""},
        {"eleven junk bytes after the last attribute",
         TnefWriter().message(IdSubject, subject).raw("0123456789A").bytes(), {agSubject}, "Invalid attribute level"},
        {"short tail that starts like an attribute", TnefWriter().message(IdSubject, subject).raw("\x02\x0F\x80").bytes(),
         {agSubject}, "Invalid Stream"},
    };
    for (const WalkCase& c : cases) {
        SCOPED_TRACE(c.name);
        const WalkResult r = walk(c.stream);
        EXPECT_EQ(r.error, QString::fromLatin1(c.error));
        EXPECT_EQ(r.tags, c.tags);
    }
}

TEST(TnefReader, KeepsStreamStateFromMessageAttributes)
{
    QByteArray stream = TnefWriter(0xBEEF).version(0x00010000).codePage(932, 437).bytes();
    QBuffer buffer(&stream);
    buffer.open(QIODevice::ReadOnly);
    TTnefReader reader(buffer);
    EXPECT_EQ(reader.AttachmentKey(), 0xBEEF);
    EXPECT_EQ(reader.TnefVersion(), 0);
    EXPECT_EQ(reader.OemCodePage(), 0);
    ASSERT_TRUE(reader.NextAttribute());
    EXPECT_EQ(reader.AttributeTag(), agTnefVersion);
    EXPECT_EQ(reader.AttributeType(), atDWord);
    EXPECT_EQ(reader.TnefVersion(), 0x00010000);
    ASSERT_TRUE(reader.NextAttribute());
    EXPECT_EQ(reader.AttributeTag(), agOemCodepage);
    EXPECT_EQ(reader.AttributeLevel(), alMessage);
    EXPECT_EQ(reader.OemCodePage(), 932);
    EXPECT_FALSE(reader.NextAttribute());
    EXPECT_FALSE(reader.NextAttribute()); // stays at the end
}

namespace {

// Loads the first attachment-level title of the stream.
QString loadTitle(QByteArray stream, QString* error = nullptr)
{
    QBuffer buffer(&stream);
    buffer.open(QIODevice::ReadOnly);
    QString title;
    const QString text = errorText([&] {
        TTnefReader reader(buffer);
        while (reader.NextAttribute()) {
            if (reader.AttributeTag() == agAttachTitle) {
                TAttachTitleAttribute attribute(reader);
                attribute.Load();
                title = attribute.Title();
                reader.NextAttribute();
                return;
            }
        }
    });
    if (error)
        *error = text;
    return title;
}

} // namespace

TEST(TnefReader, DecodesTitlesInTheStreamsCodePage)
{
    struct Case {
        const char* name;
        QByteArray stream;
        QString title;
    } cases[] = {
        {"one trailing zero dropped", TnefWriter().attachment(IdAttachTitle, QByteArray("abc\0", 4)).bytes(),
         QStringLiteral("abc")},
        {"only one of two trailing zeros dropped",
         TnefWriter().attachment(IdAttachTitle, QByteArray("abc\0\0", 5)).bytes(), QStringLiteral("abc") + QChar(0)},
        {"without a trailing zero", TnefWriter().attachment(IdAttachTitle, "abc").bytes(), QStringLiteral("abc")},
        {"empty value", TnefWriter().attachment(IdAttachTitle, QByteArray()).bytes(), QString()},
        {"no code page: windows-1252", TnefWriter().attachment(IdAttachTitle, QByteArray("\x80\xE9\0", 3)).bytes(),
         QStringLiteral("\u20AC\u00E9")},
        {"code page 932: Shift_JIS",
         TnefWriter().codePage(932).attachment(IdAttachTitle, QByteArray("\x93\xFA\x96\x7B\x8C\xEA.txt\0", 11)).bytes(),
         QStringLiteral("\u65E5\u672C\u8A9E.txt")},
        {"code page 65001: UTF-8",
         TnefWriter().codePage(65001).attachment(IdAttachTitle, QByteArray("\xC3\xA4\0", 3)).bytes(),
         QStringLiteral("\u00E4")},
        {"code page 1251", TnefWriter().codePage(1251).attachment(IdAttachTitle, QByteArray("\xC4\xE0\0", 3)).bytes(),
         QStringLiteral("\u0414\u0430")},
        {"unknown code page falls back to windows-1252",
         TnefWriter().codePage(12345).attachment(IdAttachTitle, QByteArray("\x80\0", 2)).bytes(), QStringLiteral("\u20AC")},
        {"attachment-level code page is not taken",
         TnefWriter().attribute(LevelAttachment, IdOemCodepage, le32(932) + le32(0))
             .attachment(IdAttachTitle, QByteArray("\x93\xFA\0", 3)).bytes(),
         QStringLiteral("\u201C\u00FA")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QString error;
        EXPECT_EQ(loadTitle(c.stream, &error), c.title);
        EXPECT_EQ(error, QString());
    }
}

TEST(TnefReader, VerifiesTheChecksumOfLoadedTitlesOnly)
{
    QString error;
    loadTitle(TnefWriter().attribute(LevelAttachment, IdAttachTitle, "abc", 0x0000).bytes(), &error);
    EXPECT_EQ(error, QStringLiteral("Invalid checksum"));
    loadTitle(TnefWriter().attribute(LevelAttachment, IdAttachTitle, "abc", {}, 200).bytes(), &error);
    EXPECT_EQ(error, QStringLiteral("Invalid Stream"));
    loadTitle(TnefWriter().attribute(LevelAttachment, IdAttachTitle, "abc", {}, -5).bytes(), &error);
    EXPECT_EQ(error, QStringLiteral("Invalid Stream"));
}

TEST(TnefReader, CopiesAttachDataWithoutCheckingItsChecksum)
{
    QByteArray content;
    for (int i = 0; i < 10000; ++i)
        content += char(i * 7);
    for (const std::optional<quint16> checksum : {std::optional<quint16>(), std::optional<quint16>(0x1234)}) {
        QByteArray stream = TnefWriter().attribute(LevelAttachment, IdAttachData, content, checksum).renderData().bytes();
        QBuffer source(&stream);
        source.open(QIODevice::ReadOnly);
        QByteArray copied;
        QBuffer sink(&copied);
        sink.open(QIODevice::WriteOnly);
        TTnefReader reader(source);
        ASSERT_TRUE(reader.NextAttribute());
        TAttachDataAttribute data(reader, sink);
        EXPECT_EQ(errorText([&] { data.Load(); }), QString());
        EXPECT_EQ(copied, content);
        EXPECT_EQ(errorText([&] { ASSERT_TRUE(reader.NextAttribute()); }), QString());
        EXPECT_EQ(reader.AttributeTag(), agAttachRenderData);
    }
}

TEST(TnefReader, ValidateChecksumOnlyAtTheEndOfTheData)
{
    QByteArray stream = TnefWriter().attribute(LevelAttachment, IdAttachTitle, "abcd", 0x0000).bytes();
    QBuffer buffer(&stream);
    buffer.open(QIODevice::ReadOnly);
    TTnefReader reader(buffer);
    ASSERT_TRUE(reader.NextAttribute());
    reader.ReadBytes(2);
    EXPECT_EQ(errorText([&] { reader.ValidateChecksum(); }), QString()); // not at the end: no check
    EXPECT_EQ(reader.RawReadPosition(), 6 + 9 + 2);
    reader.ReadBytes(2);
    EXPECT_EQ(errorText([&] { reader.ValidateChecksum(); }), QStringLiteral("Invalid checksum"));
}
