#include "HtmlRequestPolicy.h"

namespace lark::intake::ui {

bool htmlViewMayLoad(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("cid") || scheme == QLatin1String("data");
}

NavigationChoice navigationChoice(const QUrl& url, bool linkClicked)
{
    if (linkClicked) {
        const QString scheme = url.scheme().toLower();
        const bool outside = scheme == QLatin1String("http") || scheme == QLatin1String("https")
            || scheme == QLatin1String("mailto");
        return outside && url.isValid() ? NavigationChoice::OpenOutside : NavigationChoice::Refuse;
    }
    if (htmlViewMayLoad(url) || url == QUrl(QStringLiteral("about:blank")))
        return NavigationChoice::Load;
    return NavigationChoice::Refuse;
}

void HtmlRequestBlocker::interceptRequest(QWebEngineUrlRequestInfo& info)
{
    if (htmlViewMayLoad(info.requestUrl()))
        return;
    info.block(true);
    ++m_blocked;
}

} // namespace lark::intake::ui
