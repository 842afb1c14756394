#pragma once
// Answers cid: URLs of the HTML view from the shown message's own parts (IdMessage1A, the
// decrypted message, first; then IdMessage1), so inline images show without any fetching. It
// also serves the page itself when the HTML text is too large to be handed over directly.
#include "intake/MessageDisplay.h"

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

namespace lark::intake::ui {

class CidSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    CidSchemeHandler(MessageDisplay& display, QObject* parent = nullptr);

    void requestStarted(QWebEngineUrlRequestJob* job) override;

    // The content type and bytes a cid: URL stands for; false when no part has that Content-ID.
    bool lookup(const QUrl& url, QByteArray* contentType, QByteArray* content) const;

    // The URL under which html is served as the page (replacing the previous page).
    QUrl servePage(const QString& html);
    // The base URL of a page handed over directly: cid: URLs in it resolve through this handler.
    static QUrl pageBaseUrl();

private:
    MessageDisplay& m_display;
    QString m_pageId;
    QByteArray m_page;
};

} // namespace lark::intake::ui
