#include "FolderOps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lark::platform {

bool copyFiles(const QString& source, const QString& destination, const QString& mask, bool overwrite)
{
    QDir src(source);
    QString pattern = mask;
    if (pattern == QLatin1String("*.*"))
        pattern = QStringLiteral("*");
    const QFileInfoList files = src.entryInfoList({pattern}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& fi : files) {
        const QString target = QDir(destination).filePath(fi.fileName());
        if (QFileInfo::exists(target)) {
            if (!overwrite)
                continue;
            QFile::remove(target);
        }
        QFile::copy(fi.absoluteFilePath(), target);
    }
    return !files.isEmpty();
}

bool deleteFolderTree(const QString& path)
{
    QDir dir(path);
    if (!dir.exists())
        return true;
    dir.removeRecursively();
    // A second attempt, as a file held open for a moment can make the first one fail.
    if (QDir(path).exists())
        QDir(path).removeRecursively();
    return !QDir(path).exists();
}

} // namespace lark::platform
