#include "AppFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace lark::platform {

namespace {
const char kVendorPath[] = "Brennick/LarkspurDB";
}

QString AppFolders::programFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString AppFolders::programFileName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

QString AppFolders::perUserFolder()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QLatin1String("/.config");
    return QDir::cleanPath(base + u'/' + QLatin1String(kVendorPath));
}

QString AppFolders::allUsersFolder()
{
    QString dirs = qEnvironmentVariable("XDG_CONFIG_DIRS");
    QString first = dirs.split(u':', Qt::SkipEmptyParts).value(0);
    if (first.isEmpty() || !QDir::isAbsolutePath(first))
        first = QStringLiteral("/etc/xdg");
    return QDir::cleanPath(first + u'/' + QLatin1String(kVendorPath));
}

QString AppFolders::programConfigFolder()
{
    return programFolder() + QLatin1String("/config");
}

QString AppFolders::programInitialConfigFolder()
{
    return programFolder() + QLatin1String("/Config");
}

QString AppFolders::settingsFolder()
{
    const QString user = perUserFolder();
    if (QFileInfo(user).isDir())
        return user;
    const QString all = allUsersFolder();
    if (QFileInfo(all).isDir())
        return all;
    return programConfigFolder();
}

QString AppFolders::iniFileName(const QString& programFileName)
{
    return QFileInfo(programFileName).completeBaseName() + QLatin1String(".ini");
}

} // namespace lark::platform
