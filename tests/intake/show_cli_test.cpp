// larkspurctl show --json over the real-world sample mails (every file ends, as a JSON object
// or with a reason), decoded Japanese header values of known samples, and a message encrypted
// to a throw-away key shown decrypted through --gpg.
#include "GpgTestHome.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lark;

namespace {

struct ShowRun {
    bool finished = false;
    bool crashed = false;
    int exitCode = -1;
    QByteArray out;
    QString err;
};

class ShowCli : public ::testing::Test {
protected:
    QTemporaryDir settings;
    QTemporaryDir runtime;

    void SetUp() override
    {
        QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    ShowRun show(const QStringList& args, const QString& gnupgHome = QString())
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("TZ"), QStringLiteral("Asia/Tokyo"));
        if (!gnupgHome.isEmpty())
            env.insert(QStringLiteral("GNUPGHOME"), gnupgHome);
        p.setProcessEnvironment(env);
        p.start(test::binDir() + QStringLiteral("/larkspurctl"),
                QStringList{QStringLiteral("--settings"), settings.path(), QStringLiteral("show")} + args);
        ShowRun r;
        r.finished = p.waitForFinished(60000); // a hang fails the file, not the whole run
        if (!r.finished) {
            p.kill();
            p.waitForFinished();
        }
        r.crashed = p.exitStatus() != QProcess::NormalExit;
        r.exitCode = p.exitCode();
        r.out = p.readAllStandardOutput();
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

    static QJsonObject parse(const ShowRun& r, QString* why)
    {
        QJsonParseError e;
        const QJsonDocument doc = QJsonDocument::fromJson(r.out, &e);
        if (e.error != QJsonParseError::NoError || !doc.isObject()) {
            *why = e.errorString();
            return {};
        }
        const QJsonObject o = doc.object();
        for (const char* key : {"file", "message_id", "message_date", "account_key", "sender_name", "sender_address",
                                "recieve_name", "recieve_address", "message_subject", "body"})
            if (!o.value(QLatin1String(key)).isString())
                *why += QStringLiteral("no text %1; ").arg(QLatin1String(key));
        if (!o.value(QLatin1String("mdattype")).isDouble())
            *why += QStringLiteral("no number mdattype; ");
        if (!o.value(QLatin1String("html")).isString() && !o.value(QLatin1String("html")).isNull())
            *why += QStringLiteral("html neither text nor null; ");
        for (const char* key : {"attachments", "attachments2", "messages"})
            if (!o.value(QLatin1String(key)).isArray())
                *why += QStringLiteral("no list %1; ").arg(QLatin1String(key));
        return o;
    }
};

} // namespace

TEST_F(ShowCli, EverySampleMailEndsWithAnObjectOrAReason)
{
    const QDir corpus(test::corpusDir() + QStringLiteral("/eml"));
    if (!corpus.exists())
        GTEST_SKIP() << "no sample corpus";
    QStringList files;
    for (const QString& name : corpus.entryList(QDir::Files, QDir::Name))
        if (!name.endsWith(QLatin1String(".json")) && !name.endsWith(QLatin1String(".md"))
            && !name.endsWith(QLatin1String(".tsv")))
            files << corpus.filePath(name);
    ASSERT_GT(files.size(), 400);

    QStringList refused;
    for (const QString& file : files) {
        const ShowRun r = show({file, QStringLiteral("--json")});
        const std::string name = QFileInfo(file).fileName().toStdString();
        ASSERT_TRUE(r.finished) << name << " did not end";
        ASSERT_FALSE(r.crashed) << name << ": " << r.err.toStdString();
        if (r.exitCode == 1) {
            EXPECT_TRUE(r.err.contains(QStringLiteral("larkspurctl: show: "))) << name;
            EXPECT_TRUE(r.out.isEmpty()) << name;
            refused << QFileInfo(file).fileName();
            continue;
        }
        ASSERT_EQ(r.exitCode, 0) << name << ": " << r.err.toStdString();
        QString why;
        const QJsonObject o = parse(r, &why);
        EXPECT_TRUE(why.isEmpty()) << name << ": " << why.toStdString();
        EXPECT_EQ(o.value(QLatin1String("file")).toString(), file) << name;
    }
    // Only files that are no mail at all are refused (a digest's preamble, a text file, a
    // message whose first line is broken).
    EXPECT_LE(refused.size(), 5) << refused.join(QLatin1Char(' ')).toStdString();
}

TEST_F(ShowCli, JapaneseHeaderValuesOfKnownSamplesComeOutDecoded)
{
    const QDir corpus(test::corpusDir() + QStringLiteral("/eml"));
    if (!corpus.exists())
        GTEST_SKIP() << "no sample corpus";
    struct Case {
        const char* file;
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"jpmobile_pc-mail-single.eml", "message_subject",
         "タイトルの長いメールの場合の対処を実装するためのテストケースとしてのメールに含まれている件名であるサブジェクト部分"},
        {"jpmobile_iphone-circled-numbers-in-jis.eml", "message_subject", "テスト①"},
        {"jpmobile_iphone-cp932.eml", "message_subject", "Re: 【NKSC】test"},
        {"mailgem_multi_charset_japanese.eml", "message_subject", "まみむめも"},
        {"mailgem_multi_charset_japanese.eml", "recieve_name", "みける"},
        {"msgreader_UTF-8_Test.eml", "sender_name", "設備予約systemシステム"},
        {"jpmobile_docomo-jis.eml", "body", "テスト本文\n"},
    };
    for (const Case& c : cases) {
        const ShowRun r = show({corpus.filePath(QLatin1String(c.file)), QStringLiteral("--json")});
        ASSERT_EQ(r.exitCode, 0) << c.file << ": " << r.err.toStdString();
        QString why;
        const QJsonObject o = parse(r, &why);
        EXPECT_EQ(o.value(QLatin1String(c.key)).toString(), QString::fromUtf8(c.value)) << c.file << " " << c.key;
    }
}

TEST_F(ShowCli, EncryptedMessageIsShownDecryptedWithTheGivenGpg)
{
    test::GpgHome home(QStringLiteral("show@example.jp"));
    const QString mail = settings.filePath(QStringLiteral("secret.eml"));
    test::writeAll(mail, "From: a@example.jp\r\nSubject: =?UTF-8?B?5pqX5Y+3?=\r\nContent-Type: text/plain\r\n\r\n"
                             + home.encrypt(QStringLiteral("平文です").toUtf8()));

    const ShowRun r = show({mail, QStringLiteral("--json"), QStringLiteral("--gpg"), test::gpgProgram()}, home.path());
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QString why;
    const QJsonObject o = parse(r, &why);
    EXPECT_TRUE(why.isEmpty()) << why.toStdString();
    EXPECT_EQ(o.value(QLatin1String("message_subject")).toString(), QStringLiteral("暗号"));
    EXPECT_EQ(o.value(QLatin1String("body")).toString(), QStringLiteral("平文です"));
    EXPECT_EQ(o.value(QLatin1String("mdattype")).toInt(), 3);
    EXPECT_EQ(o.value(QLatin1String("messages")).toArray(), QJsonArray{QStringLiteral("復号完了")});

    // Without a usable gpg the reading stops with the reader's message, and still exits 0.
    const ShowRun none = show({mail, QStringLiteral("--json"), QStringLiteral("--gpg"), QString()}, home.path());
    ASSERT_EQ(none.exitCode, 0) << none.err.toStdString();
    const QJsonObject n = parse(none, &why);
    EXPECT_EQ(n.value(QLatin1String("messages")).toArray(), QJsonArray{QStringLiteral("GPG2.exeのパス設定をしてください")});
    EXPECT_TRUE(n.value(QLatin1String("body")).toString().isEmpty());
}

TEST_F(ShowCli, FilesThatCannotBeShownExitWithAReason)
{
    const QString folder = settings.path();
    const QString msg = settings.filePath(QStringLiteral("item.msg"));
    test::writeAll(msg, "not read here");
    const QString text = settings.filePath(QStringLiteral("words.txt"));
    test::writeAll(text, "just words\nno header\n");
    for (const QString& file : {settings.filePath(QStringLiteral("missing.eml")), folder, msg, text}) {
        const ShowRun r = show({file, QStringLiteral("--json")});
        EXPECT_EQ(r.exitCode, 1) << file.toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("larkspurctl: show: "))) << file.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << file.toStdString();
    }
    const ShowRun usage = show({});
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_TRUE(usage.err.contains(QStringLiteral("usage"))) << usage.err.toStdString();
}
