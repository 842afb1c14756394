#include "WorkingFolder.h"

#include "FileAssociationDetails.h"
#include "IntakeTexts.h"
#include "platform/FolderOps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace lark::intake {

namespace {

constexpr int kMaxNameBytes = 200; // below NAME_MAX (255 bytes), room for "Dcr_" and counters

} // namespace

QString safeWorkingName(const QString& name)
{
    QString s;
    s.reserve(name.size());
    for (QChar c : name) {
        const char16_t u = c.unicode();
        if (u == u'/' || u == u'\\' || u < 0x20 || u == 0x7f || c.category() == QChar::Other_Control)
            s += QLatin1Char('_');
        else
            s += c;
    }
    if (s.isEmpty() || s == QLatin1String(".") || s == QLatin1String(".."))
        return QStringLiteral("_");
    if (s.toUtf8().size() > kMaxNameBytes) {
        const QString ext = extensionOf(s).left(16);
        QString base = s.left(s.size() - ext.size());
        while (!base.isEmpty() && (base + ext).toUtf8().size() > kMaxNameBytes)
            base.chop(1);
        if (!base.isEmpty() && base.back().isHighSurrogate())
            base.chop(1);
        s = base + ext;
    }
    return s;
}

QString workingPath(const QString& folder, const QString& name)
{
    return QDir(folder).filePath(safeWorkingName(name));
}

QString attachmentPath(const shell::AppContext& ctx, const QString& folder, const QString& name)
{
    auto clashes = [&ctx](const QString& path) {
        const QString p = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
        for (const QString& taken : {ctx.awk_MessageFile, ctx.mwk_MessageFile, ctx.MessageFile})
            if (!taken.isEmpty() && QDir::cleanPath(QFileInfo(taken).absoluteFilePath()) == p)
                return true;
        return false;
    };
    QString safe = safeWorkingName(name);
    QString path = QDir(folder).filePath(safe);
    while (clashes(path)) {
        safe.prepend(QLatin1Char('_'));
        path = QDir(folder).filePath(safe);
    }
    return path;
}

QString changeFileExt(const QString& name, const QString& newExtension)
{
    const QString ext = extensionOf(name);
    return name.left(name.size() - ext.size()) + newExtension;
}

bool prepareWorkingFolder(shell::AppContext& ctx)
{
    return QDir().mkpath(ctx.workingFolder()) && QDir().mkpath(ctx.secondLevelFolder());
}

bool deleteFolderReporting(shell::AppContext& ctx, const QString& folder)
{
    if (platform::deleteFolderTree(folder))
        return true;
    ctx.dialogs().error(texts::kFolderLeft);
    return false;
}

bool removeWorkingFolder(shell::AppContext& ctx)
{
    return deleteFolderReporting(ctx, ctx.workingFolder());
}

Status writeFileBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return makeError(QStringLiteral("%1: %2").arg(path, f.errorString()));
    if (f.write(bytes) != bytes.size())
        return makeError(QStringLiteral("%1: %2").arg(path, f.errorString()));
    f.close();
    if (f.error() != QFileDevice::NoError)
        return makeError(QStringLiteral("%1: %2").arg(path, f.errorString()));
    return Ok{};
}

} // namespace lark::intake
