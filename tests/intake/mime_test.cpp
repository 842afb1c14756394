// The message component and the pure rules: part flattening and kinds, Content-ID lookup,
// headerless data, encoded words, month names, safe working names, the fallback split.
#include "intake/GpgDecryption.h"
#include "intake/HeaderFields.h"
#include "intake/MimeMessage.h"
#include "intake/WorkingFolder.h"

#include <gtest/gtest.h>

using namespace lark::intake;

namespace {

QByteArray crlf(QByteArray t)
{
    return t.replace("\n", "\r\n");
}

QStringList names(const MimeMessage& m)
{
    QStringList out;
    for (const MimePart& p : m.parts())
        out << (p.isText() ? QStringLiteral("text:") + p.contentType : p.fileName);
    return out;
}

} // namespace

TEST(MimeMessage, FlattensNestedMultipartsInDocumentOrder)
{
    const auto m = MimeMessage::fromBytes(crlf(
        "Subject: n\nContent-Type: multipart/mixed; boundary=outer\n\n"
        "--outer\nContent-Type: multipart/alternative; boundary=inner\n\n"
        "--inner\nContent-Type: text/plain\n\nplain\n"
        "--inner\nContent-Type: multipart/related; boundary=rel\n\n"
        "--rel\nContent-Type: text/html\n\n<img src=\"cid:pic@x\">\n"
        "--rel\nContent-Type: image/png; name=pic.png\nContent-ID: <pic@x>\nContent-Transfer-Encoding: base64\n\niVBORw==\n"
        "--rel--\n--inner--\n"
        "--outer\nContent-Type: text/plain; name=notes.txt\n\nan attached text\n"
        "--outer\nContent-Type: message/rfc822\nContent-Disposition: attachment; filename=fwd.eml\n\n"
        "Subject: inner\n\ninner body\n"
        "--outer\nContent-Type: text/html\nContent-Disposition: attachment\n\n<p>file</p>\n"
        "--outer--\n"));
    EXPECT_EQ(names(*m), (QStringList{QStringLiteral("text:text/plain"), QStringLiteral("text:text/html"),
                                      QStringLiteral("pic.png"), QStringLiteral("notes.txt"),
                                      QStringLiteral("fwd.eml"), QString()}));
    EXPECT_EQ(m->parts()[2].content, QByteArray("\x89PNG", 4));
    EXPECT_TRUE(m->parts()[4].content.contains("inner body"));
}

TEST(MimeMessage, ContentIdLookupForTheHtmlView)
{
    const auto m = MimeMessage::fromBytes(crlf(
        "Subject: c\nContent-Type: multipart/related; boundary=b\n\n"
        "--b\nContent-Type: text/html\n\n<img src=\"cid:a%20b@x\">\n"
        "--b\nContent-Type: image/gif; name=a.gif\nContent-ID: <a b@x>\n\nGIF89a\n"
        "--b\nContent-Type: image/gif; name=c.gif\nContent-ID: <Part.C@X>\n\nGIF87a\n--b--\n"));
    struct Case {
        const char* url;
        const char* name; // nullptr: not found
    };
    const Case cases[] = {
        {"cid:a%20b@x", "a.gif"}, {"a b@x", "a.gif"},       {"<a b@x>", "a.gif"},
        {"CID:part.c@x", "c.gif"}, {"cid:other@x", nullptr}, {"cid:", nullptr},
    };
    for (const Case& c : cases) {
        const MimePart* p = m->findByContentId(QString::fromUtf8(c.url));
        if (!c.name)
            EXPECT_EQ(p, nullptr) << c.url;
        else
            ASSERT_TRUE(p && p->fileName == QLatin1String(c.name)) << c.url;
    }
}

TEST(MimeMessage, SinglePartMessagesAndHeaderlessData)
{
    const auto picture = MimeMessage::fromBytes(crlf("Subject: p\nContent-Type: image/jpeg; name=photo.jpg\n"
                                                     "Content-Transfer-Encoding: base64\n\n/9j/\n"));
    ASSERT_EQ(picture->parts().size(), 1);
    EXPECT_EQ(picture->parts()[0].fileName, QStringLiteral("photo.jpg"));

    const auto text = MimeMessage::fromBytes(crlf("Subject: t\nContent-Type: text/plain; charset=utf-8\n"
                                                  "Content-Transfer-Encoding: quoted-printable\n\ncaf=C3=A9\n"));
    EXPECT_FALSE(text->hasParts());
    EXPECT_EQ(text->bodyLines(), QStringList{QStringLiteral("café")});
    EXPECT_EQ(text->header(QStringLiteral("content-type")), QStringLiteral("text/plain; charset=utf-8"));

    const auto armor = MimeMessage::fromBytes("-----BEGIN PGP MESSAGE-----\nVersion: 1\n\nhQEM\n-----END PGP MESSAGE-----\n");
    EXPECT_FALSE(armor->isMessage());
    EXPECT_EQ(armor->headerLines(), (QStringList{QStringLiteral("-----BEGIN PGP MESSAGE-----"), QStringLiteral("Version: 1")}));
    EXPECT_EQ(armor->bodyLines(), (QStringList{QStringLiteral("hQEM"), QStringLiteral("-----END PGP MESSAGE-----")}));
    EXPECT_EQ(armor->contentText(), QStringLiteral("-----BEGIN PGP MESSAGE-----\nVersion: 1\n\nhQEM\n-----END PGP MESSAGE-----\n"));
}

TEST(MimeMessage, DeepNestingStopsAtTheLimit)
{
    QByteArray msg = "Subject: deep\nContent-Type: multipart/mixed; boundary=b0\n\n";
    const int depth = MimeMessage::kMaxDepth + 20;
    for (int i = 1; i < depth; ++i)
        msg += "--b" + QByteArray::number(i - 1) + "\nContent-Type: multipart/mixed; boundary=b" + QByteArray::number(i) + "\n\n";
    msg += "--b" + QByteArray::number(depth - 1) + "\nContent-Type: text/plain\n\ndeep text\n";
    const auto m = MimeMessage::fromBytes(crlf(msg));
    EXPECT_TRUE(m->isMessage());
    EXPECT_TRUE(m->parts().isEmpty()); // the leaf lies below the limit
}

TEST(HeaderRules, MonthNameToNum)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Jan", "01"}, {"january", "01"}, {"DEC", "12"}, {"Sept", "09"},  {"xyz", "0"},
        {"", "0"},     {"MayJun", "05"},  {"Decjan", "01"}, // the first calendar month wins
    };
    for (const auto& [text, num] : cases)
        EXPECT_EQ(MonthNameToNum(QString::fromLatin1(text)), QString::fromLatin1(num)) << text;
}

TEST(HeaderRules, EncodedWords)
{
    const std::pair<const char*, const char*> cases[] = {
        {"=?UTF-8?B?5bGx55Sw?=", "山田"},
        {"=?utf-8?q?caf=C3=A9_bar?=", "café bar"},
        {"\"=?UTF-8?B?5bGx55Sw?=\"", "山田"},
        {"=?UTF-8?B?5bGx?= =?UTF-8?B?55Sw?=", "山田"},
        {"=?ISO-2022-JP?B?GyRCOzMbKEI=?==?ISO-2022-JP?B?GyRCRUQbKEI=?=", "山田"},
        {"Taro =?UTF-8?B?5bGx55Sw?=", "山田"}, // text outside the words is dropped
        {"no words here", "no words here"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(decodeEncodedWords(QString::fromUtf8(in)), QString::fromUtf8(out)) << in;
}

TEST(WorkingNames, SafeNamesStayInsideTheFolder)
{
    const std::pair<const char*, const char*> cases[] = {
        {"report.pdf", "report.pdf"}, {"../../evil.sh", ".._.._evil.sh"}, {"a\\b.txt", "a_b.txt"},
        {".", "_"},                   {"..", "_"},                       {"", "_"},
        {"tab\there", "tab_here"},     {"日本語.txt", "日本語.txt"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(safeWorkingName(QString::fromUtf8(in)), QString::fromUtf8(out)) << in;
    const QString longName = QString(300, QChar(0x3042)) + QStringLiteral(".pdf");
    const QString shortened = safeWorkingName(longName);
    EXPECT_LE(shortened.toUtf8().size(), 200);
    EXPECT_TRUE(shortened.endsWith(QLatin1String(".pdf")));
    EXPECT_EQ(changeFileExt(QStringLiteral("a.b.asc"), QStringLiteral(".txt")), QStringLiteral("a.b.txt"));
    EXPECT_EQ(changeFileExt(QStringLiteral("README"), QStringLiteral(".txt")), QStringLiteral("README.txt"));
}

TEST(FallbackSplit, TakesTheBase64PayloadBetweenTheDelimiters)
{
    const QString payload = QString::fromLatin1(QStringLiteral("復号されたテキスト\n二行目").toUtf8().toBase64());
    struct Case {
        const char* what;
        QStringList lines;
        std::optional<QString> expected;
    };
    const Case cases[] = {
        {"payload after the base64 line",
         {"intro", "--=-=", "Content-Transfer-Encoding: base64", "", payload.left(10), payload.mid(10), "--=-=--", "tail"},
         QStringLiteral("復号されたテキスト\n二行目")},
        {"header lines after the base64 line are not payload",
         {"--=-=", "Content-Transfer-Encoding: base64", "Content-Type: text/plain; charset=utf-8", "", payload, "--=-="},
         QStringLiteral("復号されたテキスト\n二行目")},
        {"delimiter in another letter case", {"--=-=X", "base64", payload, "--=-=x"}, QStringLiteral("復号されたテキスト\n二行目")},
        {"no base64 word", {"--=-=", "plain words", "--=-="}, std::nullopt},
        {"Base64 in another case does not count", {"--=-=", "Base64", payload, "--=-="}, std::nullopt},
        {"no delimiter", {"base64", payload}, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fallbackSplit(c.lines, QStringLiteral("--=-=")), c.expected) << c.what;
}
