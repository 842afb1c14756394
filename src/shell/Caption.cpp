#include "Caption.h"

#include "platform/AtomicFile.h"

#include <QDir>
#include <QFileInfo>

namespace lark::shell {

bool isEmbeddedHost(const QString& host)
{
    return host.isEmpty() || host.contains(QLatin1String("localhost"), Qt::CaseInsensitive);
}

QString workingCaption(const QString& host, const QString& databasePath)
{
    // The path may come from the other system's conventions; take the part after any separator.
    QString name = databasePath;
    const int cut = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\'));
    if (cut >= 0)
        name = name.mid(cut + 1);
    if (isEmbeddedHost(host))
        return kAppTitle + QLatin1String(" -- ") + name;
    return kAppTitle + QLatin1String(" -- ") + host + u':' + name;
}

Status writeTitleFile(const QString& folder, const QString& caption)
{
    if (!QFileInfo(folder).isDir())
        return makeError(QStringLiteral("folder missing: ") + folder);
    return platform::writeLinesUtf8(QDir(folder).filePath(kTitleFileName), {caption}, true);
}

} // namespace lark::shell
