#include "HtmlRequestPolicy.h"

namespace lark::intake::ui {

bool htmlViewMayLoad(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("cid") || scheme == QLatin1String("data");
}

void HtmlRequestBlocker::interceptRequest(QWebEngineUrlRequestInfo& info)
{
    if (htmlViewMayLoad(info.requestUrl()))
        return;
    info.block(true);
    ++m_blocked;
}

} // namespace lark::intake::ui
