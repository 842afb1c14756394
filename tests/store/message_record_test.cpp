// The conversions of the store operation: the date of the header tab, texts cut to their
// columns, the file type and the stored file name.
#include "store/MessageRecord.h"

#include "support/TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lark::store;

TEST(MessageDate, ReadsTheHeaderTabFormOnEveryLocale)
{
    struct Case {
        const char* text;
        const char* expected; // ISO form of the wall-clock value; nullptr: refused
    } cases[] = {
        {"2025/01/31 14:05:09", "2025-01-31T14:05:09"},
        {"2025/1/5 4:03:02", "2025-01-05T04:03:02"},
        {" 2025/01/31 14:05 ", "2025-01-31T14:05:00"},
        {"2025/01/31", "2025-01-31T00:00:00"},
        {"2024/02/29 23:59:59", "2024-02-29T23:59:59"},
        {"", nullptr},
        {"2025/13/01 00:00:00", nullptr},
        {"2023/02/29 00:00:00", nullptr},
        {"2025/01/31 24:00:00", nullptr},
        {"31.01.2025 14:05:09", nullptr},
        {"2025-01-31 14:05:09", nullptr},
        {"Fri, 31 Jan 2025 14:05:09 +0900", nullptr},
    };
    for (const Case& c : cases) {
        const auto d = parseMessageDate(QString::fromUtf8(c.text));
        if (!c.expected) {
            EXPECT_FALSE(d.has_value()) << c.text;
            continue;
        }
        ASSERT_TRUE(d.has_value()) << c.text;
        EXPECT_EQ(d->toString(Qt::ISODate).left(19), QString::fromLatin1(c.expected)) << c.text;
        EXPECT_EQ(formatMessageDate(*d), d->toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
    }
}

TEST(MessageDate, ValuesInADaylightSavingGapKeepTheirFields)
{
    // 02:30 on this day does not exist in US time zones; the archive's dates have no zone.
    qputenv("TZ", "America/New_York");
    const auto d = parseMessageDate(QStringLiteral("2025/03/09 02:30:00"));
    qunsetenv("TZ");
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(formatMessageDate(*d), QStringLiteral("2025/03/09 02:30:00"));
}

TEST(FitToColumn, CutsToCharactersAndBytesWithoutSplittingACharacter)
{
    const QString emoji = QString::fromUtf8("😀");
    struct Case {
        QString text;
        int size;
        QString expected;
    } cases[] = {
        {QString(300, QLatin1Char('x')), 256, QString(256, QLatin1Char('x'))},
        {QString(100, QLatin1Char('n')), 64, QString(64, QLatin1Char('n'))},
        {QString(64, QChar(0x6F22)), 64, QString(64, QChar(0x6F22))},
        {QString(65, QChar(0x6F22)), 64, QString(64, QChar(0x6F22))},
        // Four-byte characters count double against the three bytes a character may take.
        {emoji.repeated(64), 64, emoji.repeated(48)},
        {QStringLiteral("a") + emoji.repeated(48), 64, QStringLiteral("a") + emoji.repeated(47)},
        {QStringLiteral("short"), 64, QStringLiteral("short")},
        {QString(), 16, QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fitToColumn(c.text, c.size), c.expected) << c.text.left(20).toStdString() << " / " << c.size;
}

TEST(FileType, ByExtensionIgnoringCase)
{
    EXPECT_EQ(fileTypeCode(".eml"), "1");
    EXPECT_EQ(fileTypeCode(".EML"), "1");
    EXPECT_EQ(fileTypeCode(".Msg"), "2");
    EXPECT_EQ(fileTypeCode(".txt"), "0");
    EXPECT_EQ(fileTypeCode(""), "0");
    EXPECT_EQ(fileTypeCode(".emlx"), "0");
}

TEST(StoredFileName, BaseNameWithoutBlanksAndControls)
{
    EXPECT_EQ(storedFileName("/work/in/REPORT.EML"), "REPORT.EML");
    EXPECT_EQ(storedFileName("/work/in/mail.eml "), "mail.eml");
    EXPECT_EQ(storedFileName(QStringLiteral("/w/\tmail.eml\x01")), "mail.eml");
    EXPECT_EQ(storedFileExtension("mail.eml"), ".eml");
    EXPECT_EQ(storedFileExtension("archive.tar.gz"), ".gz");
    EXPECT_EQ(storedFileExtension("README"), "");
}

TEST(PrepareStoredMessage, RefusesAMessageWithoutDateOrFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.eml");
    lark::test::writeAll(path, "x");
    lark::shell::ShownMessage m;
    m.mailFile = path;
    m.edits[1] = "";
    auto r = prepareStoredMessage(m);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.errorText(), QStringLiteral("the message has no date"));

    m.edits[1] = "2025/02/30 00:00:00";
    r = prepareStoredMessage(m);
    ASSERT_FALSE(r.ok());
    EXPECT_TRUE(r.errorText().contains("2025/02/30")) << r.errorText().toStdString();

    m.edits[1] = "2025/01/31 00:00:00";
    m.mailFile = dir.filePath("missing.eml");
    r = prepareStoredMessage(m);
    ASSERT_FALSE(r.ok());
    EXPECT_TRUE(r.errorText().contains("missing.eml"));
}

TEST(PrepareStoredMessage, BodyLinesJoinedByCrLfAndFileReadWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("REPORT.EML");
    QByteArray bytes("\x00\xff\xfe binary \r\n and \x1b$B text", 25);
    lark::test::writeAll(path, bytes);
    lark::shell::ShownMessage m;
    m.edits[1] = "2025/01/31 14:05:09";
    m.mdatType = 2;
    m.editorText = "one\ntwo\r\nthree\rfour";
    m.mailFile = path;
    auto r = prepareStoredMessage(m);
    ASSERT_TRUE(r.ok()) << r.errorText().toStdString();
    EXPECT_EQ(r->mailBody, "one\r\ntwo\r\nthree\r\nfour");
    EXPECT_EQ(r->mailDat, bytes);
    EXPECT_EQ(r->dtype, "2");
    EXPECT_EQ(r->ftype, "1");
    EXPECT_EQ(r->fileName, "REPORT.EML");
    EXPECT_EQ(r->fileExt, ".EML");
}
