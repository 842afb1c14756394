// ReadEmlFile over small messages of our own: the header tab, the body forms, the attachment
// list and the finish step.
#include "IntakeTestEnv.h"
#include "intake/ReaderSession.h"

#include <gtest/gtest.h>

using namespace lark;
using namespace lark::intake;

namespace {

struct Reader {
    test::IntakeEnv env;
    MessageDisplay display;
    ReaderSession session{env.ctx, display};

    Reader() { session.reader.attachmentDelayMs = 0; }

    void read(const QByteArray& message, const QString& name = QStringLiteral("m.eml"))
    {
        session.reader.ReadEmlFile(env.file(name, test::crlf(message)));
    }
    QString edit(int n) const { return display.edit(n - 1); }
};

struct HeaderCase {
    const char* what;
    const char* headers; // header lines, "\n" separated
    int edit;            // 1 .. 8
    const char* expected;
};

const HeaderCase kHeaderCases[] = {
    {"Message-Id as written", "Message-Id: <a.1@example.jp>", 1, "<a.1@example.jp>"},
    {"Message-ID spelling", "Message-ID:   <b.2@example.jp>  ", 1, "<b.2@example.jp>"},
    {"message-id spelling", "message-id: <c.3@example.jp>", 1, "<c.3@example.jp>"},
    {"no Message-Id", "Subject: x", 1, ""},
    {"Date in local time", "Date: Mon, 9 Dec 2024 10:11:12 +0900", 2, "2024/12/09 10:11:12"},
    {"Date converted from UTC", "Date: Mon, 9 Dec 2024 01:11:12 +0000", 2, "2024/12/09 10:11:12"},
    {"X-Apparently-To fallback, no zone shift",
     "X-Apparently-To: me@example.jp; Mon, 9 Dec 2024 10:11:12 +0000", 2, "2024/12/09 10:11:12"},
    {"X-Apparently-To unreadable", "X-Apparently-To: me@example.jp; someday", 2, ""},
    {"neither Date nor X-Apparently-To", "Subject: x", 2, ""},
    {"X-Account-Key", "X-Account-Key: account3", 3, "account3"},
    {"sender name in single quotes", "From: 'Taro Yamada' <taro@example.jp>", 4, "Taro Yamada"},
    {"sender name in full-width brackets", "From: \"＜山田太郎＞\" <taro@example.jp>", 4, "山田太郎"},
    {"single quote at the start only", "From: \"'Taro\" <taro@example.jp>", 4, "'Taro"},
    {"encoded sender name", "From: =?UTF-8?B?5bGx55Sw5aSq6YOO?= <taro@example.jp>", 4, "山田太郎"},
    {"sender address", "From: Taro <taro@example.jp>", 5, "taro@example.jp"},
    {"To name, one UTF-8 word", "To: =?UTF-8?B?5bGx55Sw5aSq6YOO?= <hanako@example.jp>", 6, "山田太郎"},
    {"To name, quoted UTF-8 word", "To: \"=?utf-8?B?5bGx55Sw5aSq6YOO?=\" <hanako@example.jp>", 6, "山田太郎"},
    {"To name, two adjacent words split inside a character",
     "To: =?UTF-8?B?5bGx55Sw5aSq?= =?UTF-8?B?6YOO?= <hanako@example.jp>", 6, "山田太郎"},
    {"To name, ISO-2022-JP word", "To: =?ISO-2022-JP?B?GyRCOzNFRBsoQg==?= <hanako@example.jp>", 6, "山田"},
    {"To name, folded over two lines",
     "To: =?UTF-8?B?5bGx55Sw?=\n =?UTF-8?B?5aSq6YOO?= <hanako@example.jp>", 6, "山田太郎"},
    {"To name, plain quoted", "To: \"Hanako Sato\" <hanako@example.jp>", 6, "Hanako Sato"},
    {"To address", "To: Hanako <hanako@example.jp>", 7, "hanako@example.jp"},
    {"two recipients: the first", "To: A One <a@example.jp>, B Two <b@example.jp>", 6, "A One"},
    {"two recipients: the first address", "To: A One <a@example.jp>, B Two <b@example.jp>", 7, "a@example.jp"},
    {"bare To address", "To: someone@example.jp", 7, "someone@example.jp"},
    {"bare To address, no account", "To: someone@example.jp", 6, ""},
    {"X-Apparently-To with tokens missing", "X-Apparently-To: me@example.jp; 9 Dec", 2, ""},
    {"From without a name", "From: <taro@example.jp>", 4, ""},
    {"To name, single quotes inside double quotes", "To: \"'Hanako'\" <hanako@example.jp>", 6, "Hanako"},
    {"decoded subject", "Subject: =?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?=", 8, "テスト"},
    {"JIS subject with a circled number", "Subject: =?iso-2022-jp?B?GyRCJUYlOSVILSEbKEI=?=", 8, "テスト①"},
    {"JIS words between plain text, folded",
     "Subject: Re: =?iso-2022-jp?B?GyRCJUYlOSVIGyhC?=\n =?iso-2022-jp?B?GyRCLSEbKEI=?= (2)", 8, "Re: テスト① (2)"},
    {"raw JIS subject", "Subject: \x1b$B%F%9%H\x1b(B", 8, "テスト"},
};

} // namespace

TEST(ReaderHeaderTab, FillsEditsByTheRules)
{
    for (const HeaderCase& c : kHeaderCases) {
        Reader r;
        r.read(QByteArray(c.headers) + "\nContent-Type: text/plain\n\nbody\n");
        EXPECT_EQ(r.edit(c.edit), QString::fromUtf8(c.expected)) << c.what;
    }
}

TEST(ReaderHeaderTab, BareToAddressTakesTheNameOfTheMatchingAccount)
{
    Reader r;
    r.env.ctx.params().setValue(QStringLiteral("MailAccount1"), QStringLiteral("仕事 <work@example.jp>"));
    r.env.ctx.params().setValue(QStringLiteral("MailAccount2"), QStringLiteral("自分 <ME@Example.jp>"));
    r.env.ctx.params().setValue(QStringLiteral("MailAccount3"), QStringLiteral("二番目 <me@example.jp>"));
    r.read("To: me@example.jp\nSubject: x\n\nbody\n");
    EXPECT_EQ(r.edit(6), QStringLiteral("自分"));
    EXPECT_EQ(r.edit(7), QStringLiteral("me@example.jp"));
}

TEST(ReaderHeaderTab, ReceiverNameFromTheOwnAccounts)
{
    const QStringList accounts{QStringLiteral("仕事 <work@example.jp>"), QStringLiteral("自分 <ME@Example.jp>")};
    struct Case {
        const char* what;
        const char* to;
        const char* name; // Edit6
    };
    const Case cases[] = {
        {"bare address of an account", "To: me@example.jp", "自分"},
        {"bare address of no account", "To: other@example.jp", ""},
        {"the address given as the name", "To: \"work@example.jp\" <work@example.jp>", "仕事"},
        {"an address as the name, no account", "To: \"x@example.jp\" <x@example.jp>", "x@example.jp"},
        {"a name of its own is kept", "To: Boss <me@example.jp>", "Boss"},
    };
    for (const Case& c : cases) {
        Reader r;
        for (int i = 0; i < accounts.size(); ++i)
            r.env.ctx.params().setValue(QStringLiteral("MailAccount%1").arg(i + 1), accounts[i]);
        r.read(QByteArray(c.to) + "\nSubject: x\n\nbody\n");
        EXPECT_EQ(r.edit(6), QString::fromUtf8(c.name)) << c.what;
    }
}

TEST(ReaderBody, PlainThenHtmlShowsBothAndTheLastTextPartDecides)
{
    Reader r;
    r.env.ctx.params().setValue(QStringLiteral("ZOOM"), QStringLiteral("125"));
    r.read("From: a@example.jp\nSubject: alt\nMIME-Version: 1.0\n"
           "Content-Type: multipart/alternative; boundary=\"b1\"\n\n"
           "--b1\nContent-Type: text/plain; charset=ISO-2022-JP\nContent-Transfer-Encoding: 7bit\n\n"
           "\x1b$B$3$s$K$A$O\x1b(B\nsecond line\n"
           "--b1\nContent-Type: text/html; charset=UTF-8\n\n<p>\xe3\x81\x93\xe3\x82\x93</p>\n--b1--\n");
    EXPECT_EQ(r.display.editorText(), QStringLiteral("こんにちは\nsecond line"));
    ASSERT_TRUE(r.display.hasHtml());
    EXPECT_EQ(r.display.html().trimmed(), QStringLiteral("<p>こん</p>"));
    EXPECT_DOUBLE_EQ(r.display.zoomFactor(), 1.25);
    EXPECT_TRUE(r.display.tabVisible(MsgPage::Html));
    EXPECT_TRUE(r.env.ctx.actions().enabled(QStringLiteral("Zoom_IncMgn")));
    EXPECT_EQ(r.env.ctx.MDatType, 2);
    EXPECT_TRUE(r.env.ctx.actions().enabled(QStringLiteral("DBUpdate")));
    EXPECT_EQ(r.env.ctx.status(2), QStringLiteral("メッセージを表示しました"));
}

TEST(ReaderBody, ZoomDummyDataBecomesSeventyPercent)
{
    Reader r; // every parameter is "Dummy Data"
    r.read("Subject: h\nContent-Type: text/html; charset=us-ascii\n\n<b>x</b>\n");
    EXPECT_DOUBLE_EQ(r.display.zoomFactor(), 0.70);
    EXPECT_EQ(r.env.ctx.params().value(QStringLiteral("ZOOM")), QStringLiteral("70"));
    EXPECT_EQ(r.env.ctx.params().value(QStringLiteral("ZoomFixed")), QStringLiteral("1"));
    EXPECT_TRUE(r.env.ctx.ZoomFixedFlg);
    EXPECT_EQ(r.env.ctx.MDatType, 2);
}

TEST(ReaderBody, AttachmentsOnlyListsThemWithNamesByTheRules)
{
    Reader r;
    r.read("Subject: files\nMIME-Version: 1.0\nContent-Type: multipart/mixed; boundary=\"b\"\n\n"
           "--b\nContent-Type: application/pdf; name=\"Report.PDF\"\nContent-Transfer-Encoding: base64\n\n"
           "JVBERi0=\n"
           "--b\nContent-Type: application/octet-stream\nContent-Disposition: attachment; filename=\"README\"\n\n"
           "read me\n"
           "--b\nContent-Type: application/octet-stream\n\nnameless\n"
           "--b\nContent-Type: application/pgp-encrypted\nContent-Description: PGP/MIME version identification\n\n"
           "Version: 1\n--b--\n");
    EXPECT_EQ(r.display.captions(1), (QStringList{QStringLiteral("Report.PDF"), QStringLiteral("README"),
                                                  QStringLiteral("ver.dat"),
                                                  QStringLiteral("PGP_MIME version identification.dat")}));
    const auto details = r.display.fileDetails(1);
    ASSERT_TRUE(details);
    EXPECT_EQ(details->extensions(),
              (QStringList{QStringLiteral(".PDF"), QStringLiteral(".DAT"), QStringLiteral(".DAT"), QStringLiteral(".DAT")}));
    EXPECT_EQ(details->images().size(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(r.display.entries(1)[i].imageIndex, i);
    EXPECT_EQ(r.env.ctx.MDatType, 0);
    EXPECT_TRUE(r.display.editorText().isEmpty());
    EXPECT_TRUE(r.display.tabVisible(MsgPage::Attachments1));
    EXPECT_EQ(r.display.IdMessage1->parts()[0].content, QByteArray("%PDF-"));
    EXPECT_TRUE(r.env.ctx.actions().enabled(QStringLiteral("OpenWith")));
}

TEST(ReaderBody, MessageWithoutContentTypeShowsItsText)
{
    Reader r;
    r.read("From: a@example.jp\nSubject: old style\n\nfirst line\nsecond line\n");
    EXPECT_EQ(r.display.editorText(), QStringLiteral("first line\nsecond line"));
    EXPECT_EQ(r.env.ctx.MDatType, 1);
}

TEST(ReaderBody, PlainTextCharsetsAreDecoded)
{
    struct Case {
        const char* charset;
        QByteArray body;
        const char* expected;
    };
    const Case cases[] = {
        {"Shift_JIS", QByteArray("\x83\x65\x83\x58\x83\x67\x87\x40"), "テスト①"},
        {"EUC-KR", QByteArray("\xc7\xd1\xb1\xdb"), "한글"},
        {"windows-1252", QByteArray("caf\xe9 \x80"), "café €"},
        {"x-no-such-charset", QByteArray("plain"), "plain"},
        {"us-ascii", QByteArray("\xe6\x97\xa5\xe6\x9c\xac"), "日本"}, // mislabelled UTF-8
    };
    for (const Case& c : cases) {
        Reader r;
        r.read(QByteArray("Subject: c\nContent-Type: text/plain; charset=") + c.charset + "\n\n" + c.body + "\n");
        EXPECT_EQ(r.display.editorText(), QString::fromUtf8(c.expected)) << c.charset;
    }
}

TEST(ReaderBody, ClearMsgDispEmptiesEverything)
{
    Reader r;
    r.read("Message-Id: <x@y>\nSubject: s\nContent-Type: multipart/mixed; boundary=b\n\n"
           "--b\nContent-Type: text/html\n\n<i>h</i>\n--b\nContent-Type: image/png; name=a.png\n\nPNG\n--b--\n");
    r.env.ctx.actions().enable(QStringLiteral("MessageSave"));
    r.env.ctx.TnefFlg = true;
    r.session.reader.ClearMsgDisp();
    for (int i = 1; i <= 8; ++i)
        EXPECT_TRUE(r.edit(i).isEmpty()) << i;
    EXPECT_FALSE(r.display.hasHtml());
    EXPECT_EQ(r.display.count(1), 0);
    EXPECT_FALSE(r.display.tabVisible(MsgPage::Html));
    EXPECT_FALSE(r.display.tabVisible(MsgPage::Attachments1));
    EXPECT_FALSE(r.env.ctx.actions().enabled(QStringLiteral("Zoom_IncMgn")));
    EXPECT_FALSE(r.env.ctx.actions().enabled(QStringLiteral("MessageSave")));
    EXPECT_FALSE(r.env.ctx.TnefFlg);
    EXPECT_TRUE(r.display.Memo1.isEmpty());
}

TEST(ReaderBody, MessageFromTheArchiveDoesNotEnableStoring)
{
    Reader r;
    r.env.ctx.pmode = 0x0001;
    r.read("Subject: s\n\nbody\n");
    EXPECT_FALSE(r.env.ctx.actions().enabled(QStringLiteral("DBUpdate")));
    EXPECT_EQ(r.env.ctx.status(2), QStringLiteral("メッセージを表示しました"));
}

TEST(ReaderBody, MemoCopiesHoldTheFileAndItsLinesAfterTheHeaderCount)
{
    Reader r;
    r.read("Subject: s\nFrom: a@b\n\nline1\nline2\n");
    EXPECT_EQ(r.display.Memo1.size(), 5);
    EXPECT_EQ(r.display.Memo2, r.display.Memo1.mid(2));
}

TEST(ReaderArmor, MissingGpgPathStopsTheReadingWithTheVariantsText)
{
    struct Case {
        const char* what;
        QByteArray file;
        const char* message;
        bool jis;
    };
    const Case cases[] = {
        {"text part", "Subject: p\nContent-Type: text/plain\n\nbefore\n-----BEGIN PGP MESSAGE-----\n"
                      "Charset: ISO-2022-JP\n\nhQEMA\n-----END PGP MESSAGE-----\n",
         "GPG2.exeのパス設定をしてください", true},
        {"armored file", "-----BEGIN PGP MESSAGE-----\nVersion: x\n\nhQEMA\n-----END PGP MESSAGE-----\n",
         "GPG.exeのパス設定をしてください", false},
    };
    for (const Case& c : cases) {
        Reader r;
        r.read(c.file);
        EXPECT_EQ(r.env.dialogs.texts(), QStringList{QString::fromUtf8(c.message)}) << c.what;
        EXPECT_EQ(r.env.ctx.JISFlg, c.jis) << c.what;
        EXPECT_TRUE(r.env.ctx.status(2).isEmpty()) << c.what; // the finish step did not run
        EXPECT_TRUE(r.env.workingFiles().isEmpty()) << c.what;
    }
}

TEST(ReaderFile, UnreadableOrHeaderlessFilesGoOnQuietly)
{
    Reader r;
    r.session.reader.ReadEmlFile(QDir(r.env.dir.path()).filePath(QStringLiteral("missing.eml")));
    EXPECT_FALSE(r.session.reader.lastLoadError().isEmpty());
    EXPECT_TRUE(r.env.dialogs.texts().isEmpty());
    EXPECT_EQ(r.env.ctx.status(2), QStringLiteral("メッセージを表示しました"));

    r.read("just some words\nwithout any header\n", QStringLiteral("plain.eml"));
    EXPECT_TRUE(r.session.reader.lastLoadError().isEmpty());
    EXPECT_FALSE(r.session.reader.lastWasMailData());
    EXPECT_TRUE(r.display.editorText().isEmpty());
}
