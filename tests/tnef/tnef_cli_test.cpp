// larkspurctl tnef FILE DIR: the files written, one per line; the decoder's text and exit code 1
// on a bad stream; exit code 2 on a wrong call.
#include "TnefWriter.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lark::tnef::test;

namespace {

struct CliRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

CliRun larkspurctl(const QString& settings, const QStringList& args)
{
    QProcess p;
    // A runtime folder of its own, so nothing but the command's own text reaches stderr.
    static QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    p.setProcessEnvironment(env);
    p.start(lark::test::binDir() + QStringLiteral("/larkspurctl"), QStringList{"--settings", settings} + args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

QByteArray sampleStream()
{
    TnefWriter w;
    w.message(IdMapiProperties, propertyList({string8Property(PropBody, QByteArray("body\0", 5))}));
    w.renderData().attachment(IdAttachData, "first").attachment(IdAttachment, propertyList({unicodeProperty(PropAttachLongFilename, "b.txt")}));
    w.renderData().attachment(IdAttachData, "second").attachment(IdAttachment, propertyList({unicodeProperty(PropAttachLongFilename, "a.txt")}));
    return w.bytes();
}

} // namespace

TEST(TnefCli, PrintsTheFilesWrittenInWriteOrder)
{
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/winmail.dat");
    lark::test::writeAll(file, sampleStream());
    const QString dest = dir.path() + QStringLiteral("/new/folder");

    const CliRun first = larkspurctl(dir.path(), {"tnef", file, dest});
    EXPECT_EQ(first.exitCode, 0) << first.err.toStdString();
    EXPECT_EQ(first.out, "Body.txt\nb.txt\na.txt\n");
    EXPECT_EQ(lark::test::readAll(dest + QStringLiteral("/a.txt")), "second");

    // Files already in the folder are neither listed nor overwritten.
    const CliRun second = larkspurctl(dir.path(), {"tnef", file, dest});
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_EQ(second.out, "Body1.txt\nb1.txt\na1.txt\n");
    EXPECT_EQ(QDir(dest).entryList(QDir::Files).size(), 6);
}

TEST(TnefCli, ReportsTheDecoderErrorOnStderr)
{
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/not-tnef.dat");
    lark::test::writeAll(file, "Content-Type: text/plain\r\n\r\nhello\r\n");
    const CliRun r = larkspurctl(dir.path(), {"tnef", file, dir.path() + QStringLiteral("/out")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Invalid TNEF format\n");

    lark::test::writeAll(file, sampleStream().left(40));
    const CliRun cut = larkspurctl(dir.path(), {"tnef", file, dir.path() + QStringLiteral("/out")});
    EXPECT_EQ(cut.exitCode, 1);
    EXPECT_EQ(cut.err, "Invalid Stream\n");

    const CliRun usage = larkspurctl(dir.path(), {"tnef", file});
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_TRUE(usage.err.startsWith("usage: larkspurctl tnef FILE DIR"));
}
