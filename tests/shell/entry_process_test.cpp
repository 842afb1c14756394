// The real program started as a process: help, single instance, renamed copies, and a normal
// close on SIGTERM that writes the settings.
#include "platform/IniStore.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

namespace {

class ProgramTest : public ::testing::Test {
protected:
    QTemporaryDir home;
    QString settings() const { return home.filePath("Brennick/LarkspurDB"); }
    QString dialogLog() const { return home.filePath("dialogs.log"); }

    QTemporaryDir runtime; // the instance lock lives here: tests running side by side stay apart

    void SetUp() override
    {
        QDir().mkpath(settings());
        QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QProcessEnvironment env() const
    {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert("XDG_CONFIG_HOME", home.path());
        e.insert("XDG_RUNTIME_DIR", runtime.path());
        e.insert("XDG_CONFIG_DIRS", home.filePath("none"));
        e.insert("QT_QPA_PLATFORM", "offscreen");
        e.insert("LARKSPUR_DIALOG_LOG", dialogLog());
        return e;
    }

    std::unique_ptr<QProcess> start(const QString& program, const QStringList& args = {})
    {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(env());
        p->setProcessChannelMode(QProcess::ForwardedChannels);
        p->start(program, args);
        EXPECT_TRUE(p->waitForStarted(10000));
        return p;
    }

    static bool waitFor(const std::function<bool()>& done, int ms)
    {
        QElapsedTimer t;
        t.start();
        while (!done()) {
            if (t.elapsed() > ms)
                return false;
            QThread::msleep(50);
        }
        return true;
    }

    QString larkspur() const { return QDir(lark::test::binDir()).filePath("Larkspur"); }
    bool running() const { return QDir(QDir(settings()).filePath("mail_dat")).exists(); }
};

} // namespace

TEST_F(ProgramTest, HelpArgumentShowsTheCommandLineTextAndEnds)
{
    auto p = start(larkspur(), {QStringLiteral("/HELP")});
    ASSERT_TRUE(p->waitForFinished(20000));
    EXPECT_EQ(p->exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(lark::test::readAll(dialogLog())).trimmed(),
              QStringLiteral("コマンドライン引数\\n0:Win/1:ライト/2:ダーク/3:Win10"));
    EXPECT_FALSE(QFile::exists(QDir(settings()).filePath("Larkspur.ini"))); // nothing was started
}

TEST_F(ProgramTest, SecondStartEndsAtOnceWhileARenamedCopyRunsBesideIt)
{
    auto first = start(larkspur());
    ASSERT_TRUE(waitFor([&] { return running(); }, 30000));

    auto second = start(larkspur());
    ASSERT_TRUE(second->waitForFinished(15000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(first->state(), QProcess::Running);

    QTemporaryDir copyDir;
    const QString copy = copyDir.filePath("Larkspur2");
    ASSERT_TRUE(QFile::copy(larkspur(), copy));
    QFile::setPermissions(copy, QFile::permissions(larkspur()));
    auto third = start(copy);
    EXPECT_FALSE(third->waitForFinished(3000)); // still running: an independent program
    ::kill(third->processId(), SIGTERM);
    EXPECT_TRUE(third->waitForFinished(15000));

    ::kill(first->processId(), SIGTERM);
    ASSERT_TRUE(first->waitForFinished(15000));
    EXPECT_EQ(first->exitCode(), 0);
}

TEST_F(ProgramTest, EndOfSessionClosesNormallyAndWritesTheSettings)
{
    auto p = start(larkspur(), {QStringLiteral("2")});
    ASSERT_TRUE(waitFor([&] { return running(); }, 30000));
    QThread::msleep(1500); // past the splash
    ::kill(p->processId(), SIGTERM);
    ASSERT_TRUE(p->waitForFinished(20000));
    EXPECT_EQ(p->exitCode(), 0);
    EXPECT_FALSE(running()); // working folder removed
    lark::platform::IniStore ini(QDir(settings()).filePath("Larkspur.ini"));
    ASSERT_TRUE(ini.load().ok());
    EXPECT_EQ(ini.readInteger("Window", "Width", -1), 640);
    EXPECT_EQ(ini.readInteger("Condition", "Theme", -1), 0); // the command-line style is not saved
    EXPECT_EQ(ini.readString("Condition", "GPGPath"), QStringLiteral("Dummy Data"));
}
