#include "DropData.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace lark::intake {

namespace {

const QString kRfc822 = QStringLiteral("message/rfc822");

QList<QUrl> localFiles(const QMimeData& data)
{
    QList<QUrl> out;
    if (!data.hasUrls())
        return out;
    for (const QUrl& url : data.urls())
        if (url.isLocalFile() && !url.toLocalFile().isEmpty())
            out << url;
    return out;
}

} // namespace

bool carriesMessages(const QMimeData& data)
{
    return !localFiles(data).isEmpty() || data.hasFormat(kRfc822);
}

QList<DroppedItem> droppedItems(const QMimeData& data)
{
    QList<DroppedItem> items;
    for (const QUrl& url : localFiles(data)) {
        const QString path = url.toLocalFile();
        items.append({QFileInfo(path).fileName(), std::make_shared<QFile>(path)});
    }
    if (items.isEmpty() && data.hasFormat(kRfc822)) {
        auto buffer = std::make_shared<QBuffer>();
        buffer->setData(data.data(kRfc822));
        items.append({QString::fromLatin1(kDroppedMessageName), buffer});
    }
    return items;
}

} // namespace lark::intake
