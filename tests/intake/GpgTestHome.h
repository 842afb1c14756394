#pragma once
// A throw-away GnuPG home for tests: a temporary GNUPGHOME with a fresh key without
// passphrase, put into this process's environment so the gpg the program starts finds it.
// A second home holds a key whose secret the first home lacks (a message "for someone
// else"). The agents of both homes are stopped at the end.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace lark::test {

inline QString gpgProgram()
{
    const QString found = QStandardPaths::findExecutable(QStringLiteral("gpg"));
    return found.isEmpty() ? QStringLiteral("/usr/bin/gpg") : found;
}

class GpgHome {
public:
    // uid: "Name <address>"; the address is the recipient for encrypt().
    explicit GpgHome(const QString& address)
        : m_dir(QStringLiteral("/tmp/lark-gpg-XXXXXX")), m_address(address)
    {
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        run({QStringLiteral("--batch"), QStringLiteral("--passphrase"), QString(), QStringLiteral("--quick-gen-key"),
             QStringLiteral("Larkspur Test <%1>").arg(address), QStringLiteral("future-default"),
             QStringLiteral("default"), QStringLiteral("never")});
    }
    ~GpgHome()
    {
        QProcess kill;
        kill.setProcessEnvironment(environment());
        kill.start(QStringLiteral("gpgconf"), {QStringLiteral("--kill"), QStringLiteral("all")});
        kill.waitForFinished(10000);
    }
    GpgHome(const GpgHome&) = delete;
    GpgHome& operator=(const GpgHome&) = delete;

    QString path() const { return m_dir.path(); }
    QString address() const { return m_address; }

    // Makes this home the one every child process of the test sees.
    void useForChildren() const { qputenv("GNUPGHOME", path().toLocal8Bit()); }

    // data encrypted to this home's key (ASCII armor or binary).
    QByteArray encrypt(const QByteArray& data, bool armor = true) const
    {
        QStringList args{QStringLiteral("--batch"), QStringLiteral("--trust-model"), QStringLiteral("always"),
                         QStringLiteral("--recipient"), m_address, QStringLiteral("--encrypt")};
        if (armor)
            args.prepend(QStringLiteral("--armor"));
        return run(args, data);
    }

    QByteArray run(const QStringList& args, const QByteArray& input = {}) const
    {
        QProcess p;
        p.setProcessEnvironment(environment());
        p.start(gpgProgram(), args);
        p.write(input);
        p.closeWriteChannel();
        p.waitForFinished(60000);
        const QByteArray out = p.readAllStandardOutput();
        EXPECT_EQ(p.exitCode(), 0) << "gpg " << args.join(QLatin1Char(' ')).toStdString() << ": "
                                   << p.readAllStandardError().toStdString();
        return out;
    }

private:
    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("GNUPGHOME"), path());
        return env;
    }

    QTemporaryDir m_dir;
    QString m_address;
};

} // namespace lark::test
