#include "HtmlPage.h"

#include <QtMath>

namespace lark::intake {

double readZoomParameters(shell::AppContext& ctx)
{
    const QString zoom = ctx.params().valueOrSet(QStringLiteral("ZOOM"), QStringLiteral("70"));
    const QString fixed = ctx.params().valueOrSet(QStringLiteral("ZoomFixed"), QStringLiteral("1"));
    ctx.ZoomFixedFlg = fixed == QLatin1String("1");
    bool ok = false;
    const double percent = zoom.trimmed().toDouble(&ok);
    return (ok && percent > 0) ? percent / 100.0 : 0.70;
}

void showHtmlPage(shell::AppContext& ctx, MessageDisplay& display, const QString& html, double zoomFactor)
{
    if (display.currentPage() != MsgPage::Html)
        display.setCurrentPage(MsgPage::Html);
    display.setTabVisible(MsgPage::Html, true);
    ctx.actions().enable(QStringLiteral("Zoom_IncMgn"));
    ctx.actions().enable(QStringLiteral("Zoom_DecMgn"));
    display.showHtml(html, zoomFactor);
}

double zoomStep(shell::AppContext& ctx, MessageDisplay& display, double current, bool zoomIn)
{
    if (display.currentPage() != MsgPage::Html)
        display.setCurrentPage(MsgPage::Html);
    const double next = qBound(kMinZoom, zoomIn ? current + current * 0.1 : current - current * 0.1, kMaxZoom);
    if (!ctx.ZoomFixedFlg)
        ctx.params().setValue(QStringLiteral("ZOOM"), QString::number(qFloor(next * 100 + 1e-9)));
    return next;
}

} // namespace lark::intake
