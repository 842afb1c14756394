// Decrypt and show, decrypt and save and the second-level save on the attachment lists, with
// the real gpg and a throw-away key: the window's handlers on a display without widgets.
#include "GpgTestHome.h"
#include "IntakeTestEnv.h"
#include "intake/IntakeHandlers.h"
#include "intake/IntakeTexts.h"
#include "platform/Delay.h"
#include "support/TestSupport.h"

#include <QDeadlineTimer>

#include <gtest/gtest.h>

using namespace lark;
using namespace lark::intake;

namespace {

const QString kSelf = QStringLiteral("me@example.jp");
const QString kOther = QStringLiteral("someone.else@example.jp");

// "こんにちは" and "テスト" as ISO-2022-JP.
const QByteArray kJisHello("\x1b$B$3$s$K$A$O\x1b(B");
const QByteArray kJisTest("\x1b$B%F%9%H\x1b(B");

// Bytes that any text conversion would change.
QByteArray binaryBytes()
{
    QByteArray b("%PDF-1.4\r\n", 10);
    for (int i = 0; i < 256; ++i)
        b.append(char(i));
    b.append("\r\n\xff\xfe\x00 end", 9);
    return b;
}

QByteArray base64Lines(const QByteArray& data)
{
    const QByteArray b64 = data.toBase64();
    QByteArray out;
    for (qsizetype i = 0; i < b64.size(); i += 76)
        out += b64.mid(i, 76) + "\n";
    return out;
}

// A PGP/MIME message: the version part and the encrypted part "encrypted.asc".
QByteArray pgpMimeMessage(const QByteArray& armored)
{
    return test::crlf("From: Sender <sender@example.jp>\nTo: me@example.jp\nSubject: secret\n"
                      "Date: Mon, 9 Dec 2024 10:11:12 +0900\nMIME-Version: 1.0\n"
                      "Content-Type: multipart/encrypted; protocol=\"application/pgp-encrypted\"; boundary=\"outer\"\n\n"
                      "--outer\nContent-Type: application/pgp-encrypted\n"
                      "Content-Description: PGP/MIME version identification\n\nVersion: 1\n\n"
                      "--outer\nContent-Type: application/octet-stream; name=\"encrypted.asc\"\n"
                      "Content-Description: OpenPGP encrypted message\n"
                      "Content-Disposition: inline; filename=\"encrypted.asc\"\n\n"
                      + armored + "\n--outer--\n");
}

// The message inside: JIS text, a binary attachment and the signature part.
QByteArray innerMessage()
{
    return test::crlf("Content-Type: multipart/mixed; boundary=\"inner\"; protected-headers=\"v1\"\n"
                      "Subject: secret\n\n"
                      "--inner\nContent-Type: text/plain; charset=ISO-2022-JP\nContent-Transfer-Encoding: 7bit\n\n"
                      + kJisHello + "\nsecond line\n"
                      "--inner\nContent-Type: application/pdf; name=\"report.pdf\"\n"
                      "Content-Disposition: attachment; filename=\"report.pdf\"\nContent-Transfer-Encoding: base64\n\n"
                      + base64Lines(binaryBytes())
                      + "--inner\nContent-Type: application/pgp-signature; name=\"OpenPGP_signature.asc\"\n"
                        "Content-Disposition: attachment; filename=\"OpenPGP_signature\"\n\n"
                        "-----BEGIN PGP SIGNATURE-----\n\niHUEARYKAB0WIQ\n-----END PGP SIGNATURE-----\n"
                        "--inner--\n");
}

class GpgActions : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_self = new test::GpgHome(kSelf);
        s_other = new test::GpgHome(kOther);
        s_self->useForChildren();
    }
    static void TearDownTestSuite()
    {
        delete s_self;
        delete s_other;
        qunsetenv("GNUPGHOME");
    }

    void SetUp() override
    {
        env.ctx.params().setValue(QStringLiteral("GPGPath"), test::gpgProgram());
        handlers.reader().attachmentDelayMs = 0;
    }

    // Shows the mail file as the intake would and selects the first-level entry named caption.
    void show(const QByteArray& mail, const QString& caption = QStringLiteral("encrypted.asc"))
    {
        const QString path = env.file(QStringLiteral("mail.eml"), mail);
        env.ctx.MessageFile = path;
        handlers.reader().ReadEmlFile(path);
        const int index = int(display().captions(1).indexOf(caption));
        ASSERT_GE(index, 0) << caption.toStdString();
        handlers.attachments().ListView1SelectItem(index);
        env.dialogs.clear();
    }
    void select2(const QString& caption)
    {
        const int index = int(display().captions(2).indexOf(caption));
        ASSERT_GE(index, 0) << caption.toStdString();
        display().setCurrentPage(MsgPage::Attachments2);
        handlers.attachments().ListView2SelectItem(index);
    }
    MessageDisplay& display() { return handlers.display(); }
    QString out(const QString& name) const { return QDir(env.dir.path()).filePath(name); }
    // Nothing of a run is left in the working folder (the mail file lies elsewhere).
    QStringList leftovers() const { return env.workingFiles(); }

    static test::GpgHome* s_self;
    static test::GpgHome* s_other;
    test::IntakeEnv env;
    IntakeHandlers handlers{env.ctx};
};

test::GpgHome* GpgActions::s_self = nullptr;
test::GpgHome* GpgActions::s_other = nullptr;

} // namespace

TEST_F(GpgActions, DoubleClickShowsTheDecryptedMessageAndItsAttachmentsSaveUnchanged)
{
    show(pgpMimeMessage(s_self->encrypt(innerMessage())));
    EXPECT_EQ(display().captions(1),
              (QStringList{QStringLiteral("PGP_MIME version identification.dat"), QStringLiteral("encrypted.asc")}));
    EXPECT_TRUE(env.ctx.actions().enabled(QStringLiteral("DecryptGpg")));
    EXPECT_FALSE(env.ctx.actions().enabled(QStringLiteral("OpenWith")));

    QStringList statusSeen;
    QObject::connect(&env.ctx, &shell::AppContext::statusChanged, &env.ctx,
            [&](int panel, const QString& text) { if (panel == 2) statusSeen << text; });
    handlers.attachments().ListView1DblClick();

    EXPECT_EQ(env.dialogs.texts(), QStringList{QStringLiteral("復号完了")});
    EXPECT_TRUE(statusSeen.contains(texts::kGpgStatusAscii));
    EXPECT_TRUE(env.ctx.status(2).isEmpty());
    EXPECT_EQ(display().editorText(), QStringLiteral("こんにちは\nsecond line"));
    EXPECT_EQ(display().captions(2), (QStringList{QStringLiteral("report.pdf"), QStringLiteral("OpenPGP_signature")}));
    EXPECT_TRUE(display().tabVisible(MsgPage::Attachments2));
    EXPECT_EQ(display().currentPage(), MsgPage::Attachments2);
    ASSERT_TRUE(display().fileDetails(2));
    EXPECT_EQ(display().fileDetails(2)->extensions(), (QStringList{QStringLiteral(".PDF"), QStringLiteral("DAT")}));
    EXPECT_EQ(display().entries(2)[1].imageIndex, 1);
    EXPECT_EQ(env.ctx.MLItemFileStr, QDir(env.ctx.workingFolder()).filePath(QStringLiteral("encrypted.asc")));
    EXPECT_EQ(env.ctx.DcrMLItemFileStr, QDir(env.ctx.workingFolder()).filePath(QStringLiteral("Dcr_encrypted.txt")));
    EXPECT_TRUE(leftovers().isEmpty()) << leftovers().join(QLatin1Char(' ')).toStdString();

    // Saving a second-level entry writes the part's bytes as they were.
    select2(QStringLiteral("report.pdf"));
    env.dialogs.saveAnswers << out(QStringLiteral("saved.pdf"));
    env.ctx.actions().execute(QStringLiteral("SavetoDisk"));
    EXPECT_EQ(env.dialogs.shown.last().options.fileName, QStringLiteral("report.pdf"));
    EXPECT_EQ(test::readAll(out(QStringLiteral("saved.pdf"))), binaryBytes());
}

TEST_F(GpgActions, DecryptAndSaveWritesTheTextAsUtf8AndListsTheAttachments)
{
    show(pgpMimeMessage(s_self->encrypt(innerMessage())));
    display().setCurrentPage(MsgPage::Attachments1);
    env.dialogs.saveAnswers << out(QStringLiteral("text.txt"));
    env.ctx.actions().execute(QStringLiteral("SaveToDiskDGpg"));

    ASSERT_EQ(env.dialogs.shown.size(), 2);
    EXPECT_EQ(env.dialogs.shown[0].kind, platform::ScriptedDialogs::Kind::SaveFile);
    EXPECT_EQ(env.dialogs.shown[0].options.fileName, QStringLiteral("encrypted.txt"));
    EXPECT_EQ(env.dialogs.shown[0].options.defaultSuffix, QStringLiteral("txt"));
    EXPECT_EQ(env.dialogs.shown[1].text, QStringLiteral("復号完了"));
    EXPECT_EQ(test::readAll(out(QStringLiteral("text.txt"))), QByteArray("こんにちは\nsecond line\n"));
    EXPECT_EQ(display().captions(2), (QStringList{QStringLiteral("report.pdf"), QStringLiteral("OpenPGP_signature")}));
    EXPECT_TRUE(display().editorText().isEmpty()); // the save end shows nothing
    EXPECT_TRUE(leftovers().isEmpty()) << leftovers().join(QLatin1Char(' ')).toStdString();

    // A cancelled save dialog writes nothing.
    QFile::remove(out(QStringLiteral("text.txt")));
    env.dialogs.clear();
    env.ctx.actions().execute(QStringLiteral("SaveToDiskD1Gpg"));
    EXPECT_EQ(env.dialogs.texts(), QStringList{QStringLiteral("復号完了")});
    EXPECT_FALSE(QFileInfo::exists(out(QStringLiteral("text.txt"))));
}

TEST_F(GpgActions, EntryThatIsNotArmoredShowsItsHeaderTextAndIsDeleted)
{
    const QByteArray mail = test::crlf(
        "From: a@example.jp\nSubject: plain\nContent-Type: multipart/mixed; boundary=b\n\n"
        "--b\nContent-Type: text/plain\n\nsee attachment\n"
        "--b\nContent-Type: application/octet-stream; name=\"notes.asc\"\n\n"
        "Hello,\nthis is not encrypted.\n\nSecond paragraph.\n--b--\n");
    for (const char* action : {"DecryptGpgA1", "SaveToDiskD1Gpg"}) {
        show(mail, QStringLiteral("notes.asc"));
        display().setCurrentPage(MsgPage::Attachments1);
        env.ctx.actions().execute(QString::fromLatin1(action));
        EXPECT_EQ(env.dialogs.texts(), (QStringList{QStringLiteral("Hello,\nthis is not encrypted."),
                                                    QStringLiteral("このデータはGPG暗号化データではありません")}))
            << action;
        EXPECT_TRUE(leftovers().isEmpty()) << action;
        EXPECT_EQ(display().count(2), 0) << action;
    }
}

TEST_F(GpgActions, SinglePartOutputIsSplitAtTheDelimiterLines)
{
    const QByteArray payload = QStringLiteral("復号された本文\n二行目").toUtf8();
    struct Case {
        const char* what;
        QByteArray decrypted;
        QString shown;
    };
    const Case cases[] = {
        {"base64 section in a message body",
         "Content-Type: text/plain; charset=UTF-8\n\nintro\n--=-=\nContent-Type: text/plain; charset=utf-8\n"
         "Content-Transfer-Encoding: base64\n\n" + base64Lines(payload) + "--=-=--\n",
         QStringLiteral("復号された本文\n二行目")},
        {"base64 section in data without headers",
         "--=-=abc\ncontent-transfer-encoding: base64\n\n" + base64Lines(payload) + "--=-=abc--\ntrailer\n",
         QStringLiteral("復号された本文\n二行目")},
        {"section without the word base64: the whole body",
         "Content-Type: text/plain; charset=UTF-8\n\nintro\n--=-=\nplain section\n--=-=--\nend\n",
         QStringLiteral("intro\n--=-=\nplain section\n--=-=--\nend")},
        {"no delimiter line: the whole body", "Content-Type: text/plain\n\nonly text\n",
         QStringLiteral("only text")},
    };
    for (const Case& c : cases) {
        show(pgpMimeMessage(s_self->encrypt(c.decrypted)));
        handlers.attachments().ListView1DblClick();
        EXPECT_EQ(display().editorText(), c.shown) << c.what;
        EXPECT_EQ(env.dialogs.texts(), QStringList{QStringLiteral("復号完了")}) << c.what;
        EXPECT_EQ(env.ctx.params().value(QStringLiteral("DLMTDStr1")), QStringLiteral("--=-=")) << c.what;
    }
}

TEST_F(GpgActions, MessageForAnotherKeyLeavesNothingAndDoesNotClaimSuccess)
{
    const QByteArray mail = pgpMimeMessage(s_other->encrypt(innerMessage()));
    for (const char* action : {"DecryptGpgA1", "SaveToDiskD1Gpg"}) {
        show(mail);
        display().setCurrentPage(MsgPage::Attachments1);
        env.ctx.actions().execute(QString::fromLatin1(action));
        const QStringList shown = env.dialogs.texts();
        ASSERT_EQ(shown.size(), 1) << action;
        EXPECT_TRUE(shown[0].startsWith(QStringLiteral("復号できませんでした"))) << action;
        EXPECT_FALSE(shown.contains(QStringLiteral("復号完了"))) << action;
        EXPECT_TRUE(display().editorText().isEmpty()) << action;
        EXPECT_EQ(display().count(2), 0) << action;
        EXPECT_TRUE(leftovers().isEmpty()) << action;
        EXPECT_TRUE(env.ctx.status(2).isEmpty()) << action;
    }
}

TEST_F(GpgActions, SecondLevelSaveDecryptsTheEntryAndOffersTheDecryptedFile)
{
    const QByteArray memo = test::crlf("Content-Type: text/plain; charset=ISO-2022-JP\n\n" + kJisTest + " memo\n");
    const QByteArray inner = test::crlf(
        "Content-Type: multipart/mixed; boundary=\"in\"\n\n"
        "--in\nContent-Type: text/plain; charset=UTF-8\n\nouter text\n"
        "--in\nContent-Type: application/octet-stream; name=\"report.pdf.gpg\"\nContent-Transfer-Encoding: base64\n\n"
        + base64Lines(s_self->encrypt(binaryBytes(), false))
        + "--in\nContent-Type: application/octet-stream; name=\"memo.ASC\"\n\n" + s_self->encrypt(memo)
        + "\n--in\nContent-Type: application/pdf; name=\"plain.pdf\"\n\n%PDF-1.4 plain\n--in--\n");
    show(pgpMimeMessage(s_self->encrypt(inner)));
    handlers.attachments().ListView1DblClick();
    ASSERT_EQ(display().captions(2), (QStringList{QStringLiteral("report.pdf.gpg"), QStringLiteral("memo.ASC"),
                                                  QStringLiteral("plain.pdf")}));
    const auto listBacking = display().IdMessage1A;

    // An armored text entry: its text as UTF-8, then the decrypted data as gpg wrote it.
    env.dialogs.clear();
    select2(QStringLiteral("memo.ASC"));
    env.dialogs.saveAnswers << out(QStringLiteral("memo.txt")) << out(QStringLiteral("memo.raw"));
    QStringList statusSeen;
    QObject::connect(&env.ctx, &shell::AppContext::statusChanged, &env.ctx,
            [&](int panel, const QString& text) { if (panel == 2) statusSeen << text; });
    env.ctx.actions().execute(QStringLiteral("SaveToDiskDGpg"));
    ASSERT_EQ(env.dialogs.shown.size(), 3);
    EXPECT_EQ(env.dialogs.shown[0].options.fileName, QStringLiteral("memo.txt"));
    EXPECT_EQ(env.dialogs.shown[1].options.fileName, QStringLiteral("memo"));
    EXPECT_EQ(env.dialogs.shown[2].text, QStringLiteral("復号完了"));
    EXPECT_EQ(test::readAll(out(QStringLiteral("memo.txt"))), QByteArray("テスト memo\n"));
    EXPECT_EQ(test::readAll(out(QStringLiteral("memo.raw"))), memo);
    EXPECT_EQ(env.ctx.status(2), QStringLiteral("保存完了"));
    EXPECT_TRUE(statusSeen.contains(texts::kGpgStatusFullWidth));
    // The list and the message behind it are unchanged.
    EXPECT_EQ(display().count(2), 3);
    EXPECT_EQ(display().IdMessage1A, listBacking);
    EXPECT_TRUE(leftovers().isEmpty()) << leftovers().join(QLatin1Char(' ')).toStdString();

    // A binary entry: the text save is declined, the decrypted file is copied byte for byte.
    env.dialogs.clear();
    select2(QStringLiteral("report.pdf.gpg"));
    env.dialogs.saveAnswers << std::nullopt << out(QStringLiteral("report.pdf"));
    env.ctx.actions().execute(QStringLiteral("SaveToDiskDGpg"));
    ASSERT_EQ(env.dialogs.shown.size(), 3);
    EXPECT_EQ(env.dialogs.shown[0].options.fileName, QStringLiteral("report.pdf.txt"));
    EXPECT_EQ(env.dialogs.shown[1].options.fileName, QStringLiteral("report.pdf"));
    EXPECT_EQ(test::readAll(out(QStringLiteral("report.pdf"))), binaryBytes());

    // A copy that cannot be written says why.
    env.dialogs.clear();
    env.dialogs.saveAnswers << std::nullopt << out(QStringLiteral("no/such/folder/report.pdf"));
    env.ctx.actions().execute(QStringLiteral("SaveToDiskD2Gpg"));
    ASSERT_EQ(env.dialogs.texts().size(), 2);
    EXPECT_TRUE(env.dialogs.texts()[0].startsWith(QStringLiteral("Error executing copyFile ")));
    EXPECT_GT(env.dialogs.texts()[0].size(), QStringLiteral("Error executing copyFile ").size());
    EXPECT_TRUE(leftovers().isEmpty());

    // An entry that is not encrypted.
    env.dialogs.clear();
    select2(QStringLiteral("plain.pdf"));
    env.ctx.actions().execute(QStringLiteral("SaveToDiskDGpg"));
    EXPECT_EQ(env.dialogs.texts(), QStringList{QStringLiteral("暗号化ファイルではありません")});
}

TEST_F(GpgActions, UnusableGpgPathStartsNothing)
{
    const QByteArray inner = test::crlf("Content-Type: multipart/mixed; boundary=\"in\"\n\n"
                                        "--in\nContent-Type: text/plain\n\ntext\n"
                                        "--in\nContent-Type: application/octet-stream; name=\"x.gpg\"\n\nGPGDATA\n--in--\n");
    const QByteArray mail = pgpMimeMessage(s_self->encrypt(inner));
    const QString folder = env.dir.path();
    for (const QString& value : {shell::kDummyData, QString(), QStringLiteral("   "), folder + QStringLiteral("/none/gpg"),
                                 folder}) {
        for (const char* action : {"DecryptGpgA1", "SaveToDiskD1Gpg", "SaveToDiskD2Gpg"}) {
            env.ctx.params().setValue(QStringLiteral("GPGPath"), test::gpgProgram());
            show(mail);
            handlers.attachments().ListView1DblClick();
            ASSERT_EQ(display().count(2), 1);
            display().setCurrentPage(MsgPage::Attachments1);
            if (QByteArray(action) == "SaveToDiskD2Gpg")
                select2(QStringLiteral("x.gpg"));
            env.dialogs.clear();
            env.ctx.setStatus(2, QString());
            env.ctx.params().setValue(QStringLiteral("GPGPath"), value);
            env.ctx.actions().execute(QString::fromLatin1(action));
            const std::string what = value.toStdString() + " / " + action;
            EXPECT_EQ(env.dialogs.texts(), QStringList{QStringLiteral("GPG.exeのパス設定をしてください")}) << what;
            EXPECT_TRUE(env.ctx.status(2).isEmpty()) << what; // no run-and-wait
            EXPECT_TRUE(leftovers().isEmpty()) << what;
            for (GpgProcessRunner* r : {handlers.gpg().runner3(), handlers.gpg().runner4(), handlers.gpg().runner2inline()})
                EXPECT_EQ(r->running(), 0) << what;
        }
    }
}

TEST_F(GpgActions, UntitledAttachmentCountsAsDecrypted)
{
    show(test::crlf("Subject: s\nContent-Type: multipart/mixed; boundary=b\n\n"
                    "--b\nContent-Type: application/octet-stream; name=\"無題の添付ファイル 00001.asc\"\n\nx\n--b--\n"),
         QStringLiteral("無題の添付ファイル 00001.asc"));
    handlers.attachments().ListView1DblClick();
    EXPECT_EQ(env.ctx.status(2), QStringLiteral("復号済みです"));
    EXPECT_TRUE(env.dialogs.texts().isEmpty());
    EXPECT_TRUE(leftovers().isEmpty());
}
