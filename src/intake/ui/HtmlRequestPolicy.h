#pragma once
// The HTML view's network policy: a message may show its own parts (cid:) and inline data (data:),
// nothing else. Every other request (http, https, ftp, file, ws, ...) is refused before it leaves
// the program, so showing a message never fetches anything.
#include <QUrl>
#include <QWebEngineUrlRequestInterceptor>

namespace lark::intake::ui {

// Whether the HTML view may load this URL.
bool htmlViewMayLoad(const QUrl& url);

// What the view does with a navigation of its page: the page the program loads (data:, cid:,
// about:blank) loads; a link the user clicks to a web or mail address goes to the desktop's program
// for it (the view itself never leaves the message); everything else is refused.
enum class NavigationChoice { Load, Refuse, OpenOutside };
NavigationChoice navigationChoice(const QUrl& url, bool linkClicked);

class HtmlRequestBlocker : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

    // Requests refused so far (for the status of the view and for tests).
    int blockedCount() const { return m_blocked; }

private:
    int m_blocked = 0;
};

} // namespace lark::intake::ui
