// Server mode against a real Firebird server: a throw-away server on 127.0.0.1 with its own
// configuration, security database and lock folder, the user "brennick", and the archive
// created, stored into, listed and read back through the host name (also by larkspurctl).
#include "platform/ScriptedDialogs.h"
#include "shell/AppContext.h"
#include "store/ArchiveSchema.h"
#include "store/DmLdb.h"
#include "store/StoredMessages.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

using namespace lark;

namespace {

const QString kServerBinary = QStringLiteral("/usr/sbin/firebird");
const QString kIsql = QStringLiteral("isql-fb");
const QString kInstallRoot = QStringLiteral("/usr/lib/x86_64-linux-gnu/firebird/3.0");

int freePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

// A Firebird server of its own: root folder with links to the installed engine parts, its own
// firebird.conf (port, loopback only, security database), lock and temporary folders.
class ThrowAwayServer {
public:
    bool start(QString& why)
    {
        if (!dir.isValid()) {
            why = QStringLiteral("no temporary folder");
            return false;
        }
        root = dir.path();
        port = freePort();
        for (const char* part : {"UDF", "firebird.msg", "intl", "lib", "plugins", "plugins.conf", "fbtrace.conf"})
            QFile::link(kInstallRoot + QLatin1Char('/') + QLatin1String(part), root + QLatin1Char('/') + QLatin1String(part));
        QDir(root).mkpath(QStringLiteral("lock"));
        const QString security = root + QStringLiteral("/security3.fdb");
        test::writeAll(root + QStringLiteral("/firebird.conf"),
                       QStringLiteral("RemoteServicePort = %1\nRemoteBindAddress = 127.0.0.1\nSecurityDatabase = %2\n"
                                      "AuthServer = Srp\nUserManager = Srp\n")
                           .arg(port)
                           .arg(security)
                           .toUtf8());
        test::writeAll(root + QStringLiteral("/databases.conf"), QByteArray());
        env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("FIREBIRD"), root);
        env.insert(QStringLiteral("FIREBIRD_LOCK"), root + QStringLiteral("/lock"));
        env.insert(QStringLiteral("FIREBIRD_TMP"), root);

        if (!isql({QStringLiteral("-q")}, QStringLiteral("create database '%1' user SYSDBA;\n").arg(security), why))
            return false;
        if (!isql({QStringLiteral("-q"), QStringLiteral("-user"), QStringLiteral("SYSDBA"), security},
                  QStringLiteral("create user brennick password 'vexpolin' using plugin Srp;\n"
                                 "grant create database to user brennick;\ncommit;\n"),
                  why))
            return false;

        server.setProcessEnvironment(env);
        server.setProcessChannelMode(QProcess::MergedChannels);
        server.start(kServerBinary, {});
        if (!server.waitForStarted(10000)) {
            why = QStringLiteral("the server did not start: ") + server.errorString();
            return false;
        }
        for (int i = 0; i < 150; ++i) {
            QTcpSocket s;
            s.connectToHost(QHostAddress::LocalHost, quint16(port));
            if (s.waitForConnected(100))
                return true;
            QThread::msleep(100);
        }
        why = QStringLiteral("the server does not listen on port %1: %2").arg(port).arg(QString::fromLocal8Bit(server.readAll()));
        return false;
    }

    ~ThrowAwayServer()
    {
        if (server.state() == QProcess::NotRunning)
            return;
        server.terminate();
        if (!server.waitForFinished(5000)) {
            server.kill();
            server.waitForFinished(5000);
        }
    }

    QString host() const { return QStringLiteral("127.0.0.1/%1").arg(port); }

    QTemporaryDir dir;
    QString root;
    int port = 0;
    QProcessEnvironment env;
    QProcess server;

private:
    bool isql(const QStringList& args, const QString& script, QString& why)
    {
        QProcess p;
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(kIsql, args);
        if (!p.waitForStarted(10000)) {
            why = kIsql + QStringLiteral(" cannot be started");
            return false;
        }
        p.write(script.toUtf8());
        p.closeWriteChannel();
        p.waitForFinished(30000);
        const QByteArray out = p.readAll();
        if (p.exitCode() != 0 || out.contains("Statement failed")) {
            why = QStringLiteral("isql: ") + QString::fromLocal8Bit(out);
            return false;
        }
        return true;
    }
};

TEST(ServerMode, StoresListsAndReadsBackThroughTheServer)
{
    if (!QFileInfo(kServerBinary).isExecutable())
        GTEST_SKIP() << "the Firebird server " << kServerBinary.toStdString()
                     << " is not installed (Debian package firebird3.0-server)";
    ThrowAwayServer fb;
    QString why;
    ASSERT_TRUE(fb.start(why)) << why.toStdString();

    const QString archive = fb.root + QStringLiteral("/archive.fdb");
    const Status created = store::createArchive(fb.host(), archive);
    ASSERT_TRUE(created.ok()) << created.errorText().toStdString();
    EXPECT_TRUE(QFileInfo(archive).isFile()) << "the server wrote the file on its side";

    QTemporaryDir settings;
    platform::ScriptedDialogs dialogs;
    shell::AppContext ctx;
    ctx.setDialogs(&dialogs);
    ctx.MyAppDataPath = settings.path();
    ctx.settings.applyDefaultColumnsIfNeeded();
    ctx.Ldb_Host1 = fb.host();
    ctx.Ldb_Path1 = archive;
    store::TDm_Ldb dm(ctx);
    dm.installActions();
    dm.DataModuleCreate();
    ASSERT_TRUE(dm.FD_Message().isOpen());
    EXPECT_EQ(dm.FD_Message().server(), fb.host());
    EXPECT_EQ(ctx.caption(), QStringLiteral("Larkspur 管理 -- ") + fb.host() + QStringLiteral(":archive.fdb"));
    EXPECT_TRUE(ctx.actions().enabled(QStringLiteral("DBConnect")));

    // The store action, as the display hands a message over.
    const QString mailFile = settings.filePath(QStringLiteral("report.EML"));
    const QByteArray bytes = "Subject: =?UTF-8?B?5b6h6KaL56mN?=\r\nDate: Fri, 31 Jan 2025 14:05:09 +0900\r\n\r\n\x82\xa0 raw\r\n";
    test::writeAll(mailFile, bytes);
    ctx.shownMessage = [&] {
        shell::ShownMessage m;
        m.edits = {QStringLiteral("<srv@example.test>"), QStringLiteral("2025/01/31 14:05:09"), {}, QStringLiteral("営業部"),
                   QStringLiteral("sales@example.test"), {}, {}, QStringLiteral("御見積")};
        m.mdatType = 1;
        m.editorText = QStringLiteral("本文");
        m.mailFile = mailFile;
        return m;
    };
    dm.DBUpdateExecute();
    EXPECT_EQ(ctx.status(2), QStringLiteral("DB更新が完了しました")) << dialogs.texts().join('\n').toStdString();

    // Listed and read back.
    dm.DBConnectExecute();
    ASSERT_TRUE(dm.FDTbl1().isOpen());
    ASSERT_EQ(dm.FDTbl1().rowCount(), 1);
    const store::ListRow* row = dm.FDTbl1().rowAt(0);
    EXPECT_EQ(row->value(store::ListField::MessageSubject), QStringLiteral("御見積"));
    EXPECT_EQ(row->value(store::ListField::SenderName), QStringLiteral("営業部"));
    EXPECT_EQ(row->value(store::ListField::MessageFileName), QStringLiteral("report.EML"));
    Result<store::StoredFile> back = store::readStoredFile(dm.FD_Message(), row->key());
    ASSERT_TRUE(back.ok()) << back.errorText().toStdString();
    EXPECT_EQ(back->data, bytes);

    // A second program reaches the same archive through the server at the same time.
    QProcess ctl;
    ctl.start(test::binDir() + QStringLiteral("/larkspurctl"),
              {QStringLiteral("--settings"), settings.path(), QStringLiteral("--host"), fb.host(), QStringLiteral("--db"),
               archive, QStringLiteral("list"), QStringLiteral("--json")});
    ASSERT_TRUE(ctl.waitForFinished(60000));
    EXPECT_EQ(ctl.exitCode(), 0) << ctl.readAllStandardError().toStdString();
    const QJsonArray rows = QJsonDocument::fromJson(ctl.readAllStandardOutput()).array();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].toObject().value(QStringLiteral("message_id")).toString(), QStringLiteral("<srv@example.test>"));

    dm.DBConnectExecute();
    dm.closeConnection();
}

} // namespace
