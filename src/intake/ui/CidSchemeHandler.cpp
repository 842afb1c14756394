#include "CidSchemeHandler.h"

#include <QBuffer>
#include <QUuid>
#include <QWebEngineUrlRequestJob>

namespace lark::intake::ui {

namespace {

// A Content-ID of this form never comes from a message: the page's own name.
const QString kPagePrefix = QStringLiteral("larkspur-page.");

QString contentIdOf(const QUrl& url)
{
    // cid:<id>; the id is URL-encoded (RFC 2392), the part lookup decodes it.
    return url.toString(QUrl::FullyEncoded).mid(4);
}

} // namespace

CidSchemeHandler::CidSchemeHandler(MessageDisplay& display, QObject* parent)
    : QWebEngineUrlSchemeHandler(parent), m_display(display)
{
}

QUrl CidSchemeHandler::pageBaseUrl()
{
    return QUrl(QStringLiteral("cid:") + kPagePrefix + QStringLiteral("base"));
}

QUrl CidSchemeHandler::servePage(const QString& html)
{
    m_pageId = kPagePrefix + QUuid::createUuid().toString(QUuid::WithoutBraces);
    m_page = html.toUtf8();
    return QUrl(QStringLiteral("cid:") + m_pageId);
}

bool CidSchemeHandler::lookup(const QUrl& url, QByteArray* contentType, QByteArray* content) const
{
    if (url.scheme().compare(QLatin1String("cid"), Qt::CaseInsensitive) != 0)
        return false;
    const QString id = contentIdOf(url);
    if (!m_pageId.isEmpty() && id == m_pageId) {
        *contentType = "text/html;charset=utf-8";
        *content = m_page;
        return true;
    }
    for (const MimeMessage* message : {m_display.IdMessage1A.get(), m_display.IdMessage1.get()}) {
        if (!message)
            continue;
        if (const MimePart* part = message->findByContentId(id)) {
            *contentType = part->contentType.isEmpty() ? QByteArray("application/octet-stream")
                                                       : part->contentType.toLatin1();
            if (part->contentType.startsWith(QLatin1String("text/")) && !part->charset.isEmpty())
                *contentType += ";charset=" + part->charset.toLatin1();
            *content = part->content;
            return true;
        }
    }
    return false;
}

void CidSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job)
{
    QByteArray type, content;
    if (!lookup(job->requestUrl(), &type, &content)) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    auto* buffer = new QBuffer(job);
    buffer->setData(content);
    job->reply(type, buffer);
}

} // namespace lark::intake::ui
