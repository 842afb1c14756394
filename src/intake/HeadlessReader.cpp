#include "HeadlessReader.h"

#include "IntakeTexts.h"
#include "MessageDisplay.h"
#include "ReaderSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lark::intake {

HeadlessReadResult readMailFile(shell::AppContext& ctx, const QString& path, const HeadlessReadOptions& options)
{
    HeadlessReadResult result;
    const QFileInfo fi(path);
    if (!fi.exists()) {
        result.error = QStringLiteral("file not found: %1").arg(path);
        return result;
    }
    if (fi.isDir()) {
        result.error = QStringLiteral("not a file: %1").arg(path);
        return result;
    }
    {
        QFile probe(fi.absoluteFilePath());
        if (!probe.open(QIODevice::ReadOnly)) {
            result.error = QStringLiteral("cannot read %1: %2").arg(path, probe.errorString());
            return result;
        }
    }
    const QString ext = fi.suffix().toLower();
    if (ext == QLatin1String("msg")) {
        result.error = QStringLiteral("%1: Outlook item files are not read by the Internet message reader").arg(path);
        return result;
    }
    if (ext != QLatin1String("eml") && !options.anyExtension) {
        ctx.dialogs().message(texts::kNotMailFile);
        result.error = QStringLiteral("%1: %2 (not an .eml file)").arg(path, texts::kNotMailFile);
        return result;
    }

    QDir().mkpath(ctx.workingFolder());
    MessageDisplay display;
    ReaderSession session(ctx, display);
    session.reader.attachmentDelayMs = 0;
    session.reader.listIcons = false; // nothing draws the list
    if (options.watchdogIntervalMs > 0)
        session.gpg.watchdogIntervalMs = options.watchdogIntervalMs;

    const QString file = fi.absoluteFilePath();
    ctx.MessageFile = file;
    ctx.awk_MessageFile.clear();
    session.reader.ReadEmlFile(file);

    if (!session.reader.lastLoadError().isEmpty()) {
        result.error = session.reader.lastLoadError();
        return result;
    }
    if (!session.reader.lastWasMailData()) {
        result.error = QStringLiteral("%1: not a mail file (no header fields)").arg(path);
        return result;
    }
    result.readable = true;
    result.shown = display.shownMessage(ctx.MDatType);
    result.shown.mailFile = file;
    if (display.hasHtml())
        result.html = display.html();
    result.attachments = display.captions(1);
    result.attachments2 = display.captions(2);
    return result;
}

} // namespace lark::intake
