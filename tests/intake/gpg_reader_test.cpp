// The display decryption the reader starts for armored OpenPGP text, with the real gpg and a
// throw-away key; the watchdog with a stand-in program that does not end by itself.
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

const QString kSelf = QStringLiteral("reader@example.jp");
const QByteArray kJisHello("\x1b$B$3$s$K$A$O\x1b(B"); // こんにちは

// Armor with a "Charset" header line after its first line.
QByteArray withCharsetLine(const QByteArray& armored, const QByteArray& charset)
{
    QByteArray a = armored;
    const QByteArray begin("-----BEGIN PGP MESSAGE-----\n");
    a.insert(a.indexOf(begin) + begin.size(), "Charset: " + charset + "\n");
    return a;
}

QByteArray inlineMessage(const QByteArray& armored, const QByteArray& charset = "us-ascii")
{
    return test::crlf("From: a@example.jp\nTo: reader@example.jp\nSubject: inline\n"
                      "Content-Type: multipart/mixed; boundary=b\n\n"
                      "--b\nContent-Type: text/plain; charset=" + charset + "\n\nLook:\n" + armored
                      + "\nbye\n--b\nContent-Type: application/pdf; name=\"after.pdf\"\n\n%PDF\n--b--\n");
}

// Processes events until done() or a generous limit (a child that never ends fails the test
// instead of hanging it).
template <typename Pred>
bool eventually(Pred done)
{
    QDeadlineTimer limit(60000);
    while (!done() && !limit.hasExpired())
        platform::Delay(20);
    return done();
}

class GpgReader : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_home = new test::GpgHome(kSelf);
        s_home->useForChildren();
    }
    static void TearDownTestSuite()
    {
        delete s_home;
        qunsetenv("GNUPGHOME");
    }

    void SetUp() override
    {
        env.ctx.params().setValue(QStringLiteral("GPGPath"), test::gpgProgram());
        handlers.reader().attachmentDelayMs = 0;
    }

    void read(const QByteArray& mail, const QString& name = QStringLiteral("inline.eml"))
    {
        const QString path = env.file(name, mail);
        env.ctx.MessageFile = path;
        handlers.reader().ReadEmlFile(path);
    }

    // A program standing in for gpg: records its arguments, waits until the test releases it,
    // then writes text to the file after "--output".
    QString standIn(const QByteArray& text)
    {
        const QString script = QDir(env.dir.path()).filePath(QStringLiteral("fake gpg"));
        test::writeAll(script, "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + argsFile().toLocal8Bit() + "'\n"
                                   "n=0\nwhile [ ! -e '" + releaseFile().toLocal8Bit()
                                   + "' ] && [ $n -lt 1200 ]; do sleep 0.05; n=$((n+1)); done\n"
                                     "printf '" + text + "' > \"$2\"\n");
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return script;
    }
    QString argsFile() const { return QDir(env.dir.path()).filePath(QStringLiteral("args.txt")); }
    QString releaseFile() const { return QDir(env.dir.path()).filePath(QStringLiteral("release")); }
    void release() const { test::writeAll(releaseFile(), "go"); }

    static test::GpgHome* s_home;
    test::IntakeEnv env;
    IntakeHandlers handlers{env.ctx};
};

test::GpgHome* GpgReader::s_home = nullptr;

} // namespace

TEST_F(GpgReader, ArmoredTextIsShownDecrypted)
{
    // A GPGPath with blanks and surrounding white space reaches gpg unquoted and whole.
    const QString spaced = QDir(env.dir.path()).filePath(QStringLiteral("Gnu PG/bin"));
    QDir().mkpath(spaced);
    QFile::link(test::gpgProgram(), spaced + QStringLiteral("/gpg"));

    const QByteArray utf8 = QStringLiteral("暗号の本文\n二行目").toUtf8();
    struct Case {
        const char* what;
        QByteArray file;
        QString gpgPath;
        QString editor;
        bool jis;
        QStringList attachments;
    };
    const Case cases[] = {
        {"UTF-8 text part", inlineMessage(s_home->encrypt(utf8)), test::gpgProgram(),
         QStringLiteral("暗号の本文\n二行目"), false, {QStringLiteral("after.pdf")}},
        {"ISO-2022-JP text part", inlineMessage(withCharsetLine(s_home->encrypt(kJisHello), "ISO-2022-JP")),
         test::gpgProgram(), QStringLiteral("こんにちは"), true, {QStringLiteral("after.pdf")}},
        {"single-part message", test::crlf("Subject: one\nContent-Type: text/plain\n\nHi\n" + s_home->encrypt(utf8)),
         QStringLiteral("  ") + spaced + QStringLiteral("/gpg "), QStringLiteral("暗号の本文\n二行目"), false, {}},
        {"armored file", withCharsetLine(s_home->encrypt(kJisHello), "iso-2022-jp"), test::gpgProgram(),
         QStringLiteral("こんにちは"), true, {}},
    };
    for (const Case& c : cases) {
        env.dialogs.clear();
        env.ctx.params().setValue(QStringLiteral("GPGPath"), c.gpgPath);
        read(c.file);
        EXPECT_EQ(env.dialogs.texts(), QStringList{QStringLiteral("復号完了")}) << c.what;
        EXPECT_EQ(handlers.display().editorText(), c.editor) << c.what;
        EXPECT_EQ(env.ctx.MDatType, 3) << c.what;
        EXPECT_EQ(env.ctx.JISFlg, c.jis) << c.what;
        EXPECT_EQ(handlers.display().captions(1), c.attachments) << c.what;
        EXPECT_EQ(env.ctx.status(2), QStringLiteral("メッセージを表示しました")) << c.what;
        EXPECT_TRUE(QFileInfo(env.ctx.DcrMLItemFileStr).fileName().startsWith(QStringLiteral("Dcr_"))) << c.what;
        EXPECT_TRUE(env.ctx.DcrMLItemFileStr.endsWith(QStringLiteral(".txt"))) << c.what;
        EXPECT_TRUE(env.workingFiles().isEmpty()) << c.what << env.workingFiles().join(QLatin1Char(' ')).toStdString();
        // What the store operation records is the decrypted text.
        EXPECT_EQ(handlers.shownMessage().editorText, c.editor) << c.what;
    }
}

TEST_F(GpgReader, MissingGpgPathStopsBeforeTheRemainingParts)
{
    env.ctx.params().setValue(QStringLiteral("GPGPath"), shell::kDummyData);
    read(inlineMessage(s_home->encrypt("text")));
    EXPECT_EQ(env.dialogs.texts(), QStringList{QStringLiteral("GPG2.exeのパス設定をしてください")});
    EXPECT_TRUE(handlers.display().captions(1).isEmpty()); // the part after the text is not examined
    EXPECT_FALSE(env.ctx.actions().enabled(QStringLiteral("DBUpdate")));
    EXPECT_TRUE(env.workingFiles().isEmpty());
}

TEST_F(GpgReader, WatchdogEndsTheWaitOnceAndTheLateEndStillShowsTheText)
{
    env.ctx.params().setValue(QStringLiteral("GPGPath"), standIn("late text\\n"));
    handlers.gpg().watchdogIntervalMs = 50;
    env.dialogs.onShow = [this](const platform::ScriptedDialogs::Shown& s) {
        // A modal box processes events: the watchdog must not fire a second time meanwhile.
        if (s.text == texts::kWatchdog)
            platform::Delay(300);
    };
    read(inlineMessage("-----BEGIN PGP MESSAGE-----\n\nhQEMA\n-----END PGP MESSAGE-----"));

    EXPECT_EQ(env.dialogs.texts(), (QStringList{texts::kWatchdog, QStringLiteral("復号完了")}));
    EXPECT_EQ(env.ctx.MDatType, 3);
    EXPECT_EQ(handlers.display().captions(1), QStringList{QStringLiteral("after.pdf")});
    EXPECT_EQ(handlers.gpg().runner1inline()->running(), 1);
    const QString input = env.ctx.MLItemFileStr, output = env.ctx.DcrMLItemFileStr;
    EXPECT_TRUE(QFileInfo::exists(input));

    release();
    ASSERT_TRUE(eventually([&] { return handlers.gpg().runner1inline()->running() == 0; }));
    EXPECT_EQ(handlers.display().editorText(), QStringLiteral("late text"));
    EXPECT_EQ(env.dialogs.texts().size(), 2); // the late end shows nothing more
    EXPECT_FALSE(QFileInfo::exists(input));
    EXPECT_FALSE(QFileInfo::exists(output));
    EXPECT_TRUE(env.ctx.TerminateState);
    // The program got the argument list of a decryption.
    EXPECT_EQ(test::readAll(argsFile()),
              ("--output\n" + output + "\n--quiet\n--decrypt\n" + input + "\n").toUtf8());
}

TEST_F(GpgReader, WatchdogFiringInsideTheSaveDialogOfTheEndHandler)
{
    env.ctx.params().setValue(QStringLiteral("GPGPath"), standIn("Content-Type: text/plain\\n\\nscripted text\\n"));
    release(); // the stand-in ends at once, well within the watchdog interval
    handlers.gpg().watchdogIntervalMs = 1000;
    read(test::crlf("Subject: s\nContent-Type: multipart/mixed; boundary=b\n\n"
                    "--b\nContent-Type: application/octet-stream; name=\"m.asc\"\n\n"
                    "-----BEGIN PGP MESSAGE-----\n\nhQEMA\n-----END PGP MESSAGE-----\n--b--\n"));
    handlers.attachments().ListView1SelectItem(0);
    handlers.display().setCurrentPage(MsgPage::Attachments1);
    env.dialogs.clear();
    const QString saved = QDir(env.dir.path()).filePath(QStringLiteral("saved.txt"));
    env.dialogs.saveAnswers << saved;
    env.dialogs.onShow = [](const platform::ScriptedDialogs::Shown& s) {
        if (s.kind == platform::ScriptedDialogs::Kind::SaveFile)
            platform::Delay(1500); // the user takes longer than the watchdog interval
    };
    env.ctx.actions().execute(QStringLiteral("SaveToDiskDGpg"));
    ASSERT_EQ(env.dialogs.shown.size(), 3);
    EXPECT_EQ(env.dialogs.shown[0].kind, platform::ScriptedDialogs::Kind::SaveFile);
    EXPECT_EQ(env.dialogs.texts(), (QStringList{texts::kWatchdog, QStringLiteral("復号完了")}));
    EXPECT_EQ(test::readAll(saved), QByteArray("scripted text\n"));
    EXPECT_TRUE(env.workingFiles().isEmpty());
}

TEST_F(GpgReader, ReaderGoneBeforeTheLateEnd)
{
    env.ctx.params().setValue(QStringLiteral("GPGPath"), standIn("late\\n"));
    {
        MessageDisplay display;
        ReaderSession session(env.ctx, display);
        session.reader.attachmentDelayMs = 0;
        session.gpg.watchdogIntervalMs = 50;
        const QString path = env.file(QStringLiteral("gone.eml"),
                                      inlineMessage("-----BEGIN PGP MESSAGE-----\n\nhQEMA\n-----END PGP MESSAGE-----"));
        session.reader.ReadEmlFile(path);
        EXPECT_EQ(session.gpg.runner1inline()->running(), 1);
    } // the child is ended with its runner; no end handler runs on the destroyed display
    release();
    platform::Delay(200);
    EXPECT_EQ(env.dialogs.texts(), (QStringList{texts::kWatchdog, QStringLiteral("復号完了")}));
}
