#include "AtomicFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace lark::platform {

Status writeFileAtomically(const QString& path, const QByteArray& data)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return makeError(f.errorString());
    if (f.write(data) != data.size()) {
        const QString err = f.errorString();
        f.cancelWriting();
        return makeError(err);
    }
    if (!f.commit())
        return makeError(f.errorString());
    return {};
}

Status writeLinesUtf8(const QString& path, const QStringList& lines, bool bom)
{
    QByteArray data;
    if (bom)
        data = "\xEF\xBB\xBF";
    for (const QString& l : lines) {
        data += l.toUtf8();
        data += "\r\n";
    }
    return writeFileAtomically(path, data);
}

Result<QString> readText(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return makeError(f.errorString());
    const QByteArray data = f.readAll();
    if (data.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(data.mid(3));
    if (data.startsWith("\xFF\xFE")) {
        QStringDecoder d(QStringDecoder::Utf16LE);
        return QString(d(data.mid(2)));
    }
    if (data.startsWith("\xFE\xFF")) {
        QStringDecoder d(QStringDecoder::Utf16BE);
        return QString(d(data.mid(2)));
    }
    return QString::fromUtf8(data);
}

Result<QStringList> readLines(const QString& path)
{
    auto text = readText(path);
    if (!text)
        return text.error();
    QString t = *text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    QStringList lines = t.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace lark::platform
