// Extraction of attachments and bodies into files: body files and their padding, attachment
// naming, data sources, safe names, and the extractTnef() entry point.
#include "TnefTestSupport.h"
#include "TnefWriter.h"

#include "tnef/TnefExtract.h"

#include "support/TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lark::tnef;
using namespace lark::tnef::test;
using lark::test::readAll;
using lark::test::writeAll;

namespace {

// One attachment as a stream writes it: rendering attribute, optional title, optional data
// attribute, optional property attribute.
struct Attachment {
    QByteArray title;                  // agAttachTitle value (with its zero byte), empty for none
    std::optional<QByteArray> data;    // agAttachData value
    QList<QByteArray> properties;      // agAttachment property list, none when empty
};

TnefWriter& addAttachment(TnefWriter& w, const Attachment& a)
{
    w.renderData();
    if (!a.title.isEmpty())
        w.attachment(IdAttachTitle, a.title);
    if (a.data)
        w.attachment(IdAttachData, *a.data);
    if (!a.properties.isEmpty())
        w.attachment(IdAttachment, propertyList(a.properties));
    return w;
}

QByteArray messageWith(const QList<QByteArray>& messageProperties, const QList<Attachment>& attachments = {})
{
    TnefWriter w;
    w.version().codePage(1252);
    if (!messageProperties.isEmpty())
        w.message(IdMapiProperties, propertyList(messageProperties));
    for (const Attachment& a : attachments)
        addAttachment(w, a);
    return w.bytes();
}

QByteArray z(const char* text) { return QByteArray(text) + '\0'; }

QByteArray textOfSize(int size)
{
    QByteArray b;
    for (int i = 0; i < size; ++i)
        b += char('a' + i % 26);
    return b;
}

class TnefParser : public ::testing::Test {
protected:
    QString dest() const { return m_dir.path() + QStringLiteral("/out"); }
    ParseOutcome parse(const QByteArray& stream)
    {
        QDir().mkpath(dest());
        return parseBytes(stream, dest());
    }
    QByteArray file(const QString& name) const { return readAll(dest() + QLatin1Char('/') + name); }
    QStringList files() const { return folderEntries(dest()); }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(TnefParser, BodyFilesHoldTheRawValueWithPadding)
{
    const QByteArray text999 = textOfSize(999);
    struct Case {
        const char* name;
        QByteArray property;
        QString file;
        QByteArray content;
    } cases[] = {
        {"ptString8 of 1000 bytes with its zero", string8Property(PropBody, text999 + '\0'), QStringLiteral("Body.txt"),
         text999 + '\0'},
        {"length 1001 gets three padding bytes", string8Property(PropBody, text999 + QByteArray("!\0", 2)),
         QStringLiteral("Body.txt"), text999 + QByteArray("!\0\0\0\0", 5)},
        {"ptUnicode as UTF-16LE", unicodeProperty(PropBody, QStringLiteral("h\u00E9")), QStringLiteral("Body.txt"),
         QByteArray("h\0\xE9\0\0\0\0\0", 8)},
        {"HTML as ptBinary", countedProperty(TypeBinary, PropBodyHtml, "<p>hi</p>"), QStringLiteral("Body.html"),
         QByteArray("<p>hi</p>\0\0\0", 12)},
        {"compressed RTF as stored", countedProperty(TypeBinary, PropRtfCompressed, QByteArray("\x10\0\0\0LZFu", 8)),
         QStringLiteral("RtfCompressed.dat"), QByteArray("\x10\0\0\0LZFu", 8)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(dest()).removeRecursively();
        const ParseOutcome r = parse(messageWith({longProperty(0x0E07, 1), c.property, string8Property(PropSubject, z("s"))}));
        EXPECT_EQ(r.error, QString());
        EXPECT_EQ(files(), QStringList{c.file});
        EXPECT_EQ(r.written, QStringList{c.file});
        EXPECT_EQ(file(c.file), c.content);
    }
}

TEST_F(TnefParser, BodyOfAnotherTypeEndsTheExtraction)
{
    const ParseOutcome r = parse(messageWith({longProperty(PropBody, 5)}, {{z("a.txt"), QByteArray("data"), {}}}));
    EXPECT_EQ(r.error, QStringLiteral("Invalid tnef format for the message body"));
    EXPECT_EQ(files(), QStringList());
}

TEST_F(TnefParser, BodyFilesAreNumberedWhenTaken)
{
    QDir().mkpath(dest());
    writeAll(dest() + QStringLiteral("/Body.txt"), "old");
    writeAll(dest() + QStringLiteral("/Body1.txt"), "old");
    const ParseOutcome r = parse(messageWith({string8Property(PropBody, z("new")), countedProperty(TypeBinary, PropBodyHtml, "<b>"),
                                              countedProperty(TypeBinary, PropRtfCompressed, "rtf!")}));
    EXPECT_EQ(r.error, QString());
    EXPECT_EQ(r.written, (QStringList{"Body2.txt", "Body.html", "RtfCompressed.dat"}));
    EXPECT_EQ(file("Body.txt"), "old");
    EXPECT_EQ(file("Body2.txt"), QByteArray("new\0", 4));
}

TEST_F(TnefParser, NamesAttachments)
{
    const QByteArray data = "content";
    struct Case {
        const char* name;
        QList<Attachment> attachments;
        QStringList written; // in write order
    } cases[] = {
        {"long file name wins over the short one",
         {{z("TITLE.TXT"), data, {string8Property(PropAttachFilename, z("LONGFI~1.TXT")), unicodeProperty(PropAttachLongFilename, "Long file name.txt")}}},
         {"Long file name.txt"}},
        {"short file name", {{z("TITLE.TXT"), data, {string8Property(PropAttachFilename, z("SHORT.TXT"))}}}, {"SHORT.TXT"}},
        {"title only", {{z("notes.txt"), data, {}}}, {"notes.txt.dat"}},
        {"nothing: Untitled.dat, then Untitled1.dat", {{{}, data, {}}, {{}, data, {}}}, {"Untitled.dat", "Untitled1.dat"}},
        {"same name twice", {{{}, data, {unicodeProperty(PropAttachLongFilename, "report.pdf")}}, {{}, data, {unicodeProperty(PropAttachLongFilename, "report.pdf")}}},
         {"report.pdf", "report1.pdf"}},
        {"name without extension twice", {{{}, data, {unicodeProperty(PropAttachLongFilename, "README")}}, {{}, data, {unicodeProperty(PropAttachLongFilename, "README")}}},
         {"README", "README1"}},
        {"data before the names", {{{}, data, {longProperty(PropAttachMethod, 1), unicodeProperty(PropAttachLongFilename, "late.doc")}}}, {"late.doc"}},
        {"name carried over to the next attachment when one has no data",
         {{{}, std::nullopt, {unicodeProperty(PropAttachLongFilename, "carried.doc")}}, {{}, data, {string8Property(PropAttachFilename, z("OWN.DOC"))}}},
         {"carried.doc"}},
        {"title in code page 1252", {{QByteArray("caf\xE9.txt\0", 9), data, {}}}, {QString::fromUtf8("café.txt.dat")}},
        {"unnamed between named ones", {{{}, data, {}}, {{}, data, {unicodeProperty(PropAttachLongFilename, "a.txt")}}, {{}, data, {}}},
         {"Untitled.dat", "a.txt", "Untitled1.dat"}},
        {"stream name equal to the temporary one", {{{}, data, {unicodeProperty(PropAttachLongFilename, "Untitled.dat")}}}, {"Untitled.dat"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(dest()).removeRecursively();
        const ParseOutcome r = parse(messageWith({}, c.attachments));
        EXPECT_EQ(r.error, QString());
        EXPECT_EQ(r.written, c.written);
        QStringList sorted = c.written;
        sorted.sort();
        EXPECT_EQ(files(), sorted);
        for (const QString& name : c.written)
            EXPECT_EQ(file(name), data) << name.toStdString();
    }
}

TEST_F(TnefParser, TitleInCodePage932)
{
    TnefWriter w;
    w.codePage(932);
    addAttachment(w, {QByteArray("\x93\xFA\x96\x7B\x8C\xEA\0", 7), QByteArray("x"), {}});
    const ParseOutcome r = parse(w.bytes());
    EXPECT_EQ(r.error, QString());
    EXPECT_EQ(r.written, QStringList{QStringLiteral("\u65E5\u672C\u8A9E.dat")});
}

TEST_F(TnefParser, AttachDataPropertyByType)
{
    const QByteArray guid = sampleGuid();
    struct Case {
        const char* name;
        QByteArray property;
        QByteArray content;
    } cases[] = {
        {"embedded message: GUID stripped", countedProperty(TypeObject, PropAttachData, guid + "embedded!"),
         QByteArray("embedded!\0\0\0", 12)},
        {"binary: every byte kept", countedProperty(TypeBinary, PropAttachData, guid + "bytes"), guid + QByteArray("bytes\0\0\0", 8)},
        {"binary shorter than a GUID", countedProperty(TypeBinary, PropAttachData, "tiny"), "tiny"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(dest()).removeRecursively();
        const ParseOutcome r = parse(messageWith({}, {{{}, std::nullopt, {c.property, unicodeProperty(PropAttachLongFilename, "obj.bin")}}}));
        EXPECT_EQ(r.error, QString());
        EXPECT_EQ(files(), QStringList{"obj.bin"});
        EXPECT_EQ(file("obj.bin"), c.content);
    }
    QDir(dest()).removeRecursively();
    const ParseOutcome shortObject = parse(messageWith({}, {{{}, std::nullopt, {countedProperty(TypeObject, PropAttachData, "tiny")}}}));
    EXPECT_EQ(shortObject.error, QStringLiteral("Invalid property value"));
}

TEST_F(TnefParser, DataAttributeAndPropertyBothWritten)
{
    const ParseOutcome r = parse(messageWith({}, {{{}, QByteArray("first"), {countedProperty(TypeBinary, PropAttachData, "second"),
                                                                            unicodeProperty(PropAttachLongFilename, "named.txt")}}}));
    EXPECT_EQ(r.error, QString());
    EXPECT_EQ(r.written, (QStringList{"Untitled.dat", "named.txt"}));
    EXPECT_EQ(file("Untitled.dat"), "first");
    EXPECT_EQ(file("named.txt"), QByteArray("second\0\0", 8));
}

TEST_F(TnefParser, NamesFromTheStreamStayInsideTheFolder)
{
    const struct {
        const char* streamName;
        QString file;
    } cases[] = {
        {"../../evil.txt", "evil.txt"},
        {"..\\..\\evil.txt", "evil.txt"},
        {"C:\\Users\\me\\report.doc", "report.doc"},
        {"/etc/passwd", "passwd"},
        {"a\x01" "b\tc\x7F.txt", "abc.txt"},
        {"..", "Untitled.dat"},
        {".", "Untitled.dat"},
        {"folder/", "Untitled.dat"},
        {"\x01\x02", "Untitled.dat"},
        {".hidden", ".hidden"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.streamName);
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
        const ParseOutcome r = parse(messageWith({}, {{{}, QByteArray("x"), {string8Property(PropAttachLongFilename, z(c.streamName))}}}));
        EXPECT_EQ(r.error, QString());
        EXPECT_EQ(files(), QStringList{c.file});
        EXPECT_EQ(folderEntries(m_dir.path()), QStringList{"out"});
    }
    // Bidirectional overrides cannot disguise an extension.
    QDir(dest()).removeRecursively();
    const ParseOutcome r = parse(messageWith({}, {{{}, QByteArray("x"), {unicodeProperty(PropAttachLongFilename, QStringLiteral("photo\u202Egpj.exe"))}}}));
    EXPECT_EQ(files(), QStringList{"photogpj.exe"});
}

TEST_F(TnefParser, NeverWritesThroughALinkInTheFolder)
{
    QDir().mkpath(dest());
    const QString outside = m_dir.path() + QStringLiteral("/outside.txt");
    ASSERT_TRUE(QFile::link(outside, dest() + QStringLiteral("/Untitled.dat"))); // dangling
    ASSERT_TRUE(QFile::link(outside, dest() + QStringLiteral("/Body.txt")));
    const ParseOutcome r = parse(messageWith({string8Property(PropBody, z("body"))}, {{{}, QByteArray("data"), {}}}));
    EXPECT_EQ(r.error, QString());
    EXPECT_EQ(r.written, (QStringList{"Body1.txt", "Untitled1.dat"}));
    EXPECT_FALSE(QFileInfo::exists(outside));
}

TEST_F(TnefParser, ErrorKeepsTheFilesWrittenBefore)
{
    QByteArray stream = messageWith({}, {{{}, QByteArray("kept"), {unicodeProperty(PropAttachLongFilename, "kept.txt")}}});
    stream += QByteArray("\x05not an attribute at all");
    const ParseOutcome r = parse(stream);
    EXPECT_EQ(r.error, QStringLiteral("Invalid attribute level"));
    EXPECT_EQ(r.written, QStringList{"Untitled.dat"}); // the error came before the rename
    EXPECT_EQ(file("Untitled.dat"), "kept");
}

TEST_F(TnefParser, ManyNamelessAttachmentsAreNumberedInOrder)
{
    TnefWriter w;
    QStringList expected;
    for (int i = 0; i < 300; ++i) {
        addAttachment(w, {{}, QByteArray::number(i), {}});
        expected << (i == 0 ? QStringLiteral("Untitled.dat") : QStringLiteral("Untitled%1.dat").arg(i));
    }
    // A file renamed away frees its temporary name for the next one.
    addAttachment(w, {{}, QByteArray("named"), {unicodeProperty(PropAttachLongFilename, "Untitled.dat")}});
    addAttachment(w, {{}, QByteArray("after"), {}});
    expected << "Untitled301.dat" << "Untitled300.dat";
    const ParseOutcome r = parse(w.bytes());
    EXPECT_EQ(r.error, QString());
    EXPECT_EQ(r.written, expected);
    EXPECT_EQ(file("Untitled123.dat"), "123");
    EXPECT_EQ(file("Untitled301.dat"), "named");
    EXPECT_EQ(file("Untitled300.dat"), "after");
}

TEST(TnefExtract, CreatesTheFolderAndListsOnlyThisRunsFiles)
{
    QTemporaryDir dir;
    const QString tnefFile = dir.path() + QStringLiteral("/winmail.dat");
    writeAll(tnefFile, messageWith({string8Property(PropBody, z("hello"))},
                                   {{{}, QByteArray("pdf"), {unicodeProperty(PropAttachLongFilename, "report.pdf")}}}));
    const QString dest = dir.path() + QStringLiteral("/mail_dat/2nd");

    auto first = extractTnef(tnefFile, dest);
    ASSERT_TRUE(first.ok()) << first.errorText().toStdString();
    EXPECT_EQ(*first, (QStringList{"Body.txt", "report.pdf"}));

    auto second = extractTnef(tnefFile, dest);
    ASSERT_TRUE(second.ok());
    EXPECT_EQ(*second, (QStringList{"Body1.txt", "report1.pdf"}));
    EXPECT_EQ(folderEntries(dest), (QStringList{"Body.txt", "Body1.txt", "report.pdf", "report1.pdf"}));
}

TEST(TnefExtract, ReportsErrorsAsText)
{
    QTemporaryDir dir;
    const auto missing = extractTnef(dir.path() + QStringLiteral("/none.dat"), dir.path() + QStringLiteral("/out"));
    ASSERT_FALSE(missing.ok());
    EXPECT_TRUE(missing.errorText().startsWith(QStringLiteral("Cannot open file"))) << missing.errorText().toStdString();

    const QString notTnef = dir.path() + QStringLiteral("/plain.txt");
    writeAll(notTnef, "just some text");
    const auto bad = extractTnef(notTnef, dir.path() + QStringLiteral("/out"));
    ASSERT_FALSE(bad.ok());
    EXPECT_EQ(bad.errorText(), QStringLiteral("Invalid TNEF format"));
    EXPECT_EQ(folderEntries(dir.path() + QStringLiteral("/out")), QStringList());
}
