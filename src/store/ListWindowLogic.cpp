#include "ListWindowLogic.h"

#include "DmLdb.h"

#include "platform/Delay.h"
#include "shell/AppContext.h"
#include "shell/ModeWord.h"

namespace lark::store {

ListWindowLogic::ListWindowLogic(TDm_Ldb& dm) : m_dm(dm) {}

Status ListWindowLogic::titleClick(int column)
{
    const std::optional<ListField> field = m_dm.FDTbl1().fieldOfColumn(column);
    if (!field)
        return {};
    const SortOrder order = titleClickSort(m_dm.ctx().srtcnum, *field);
    return m_dm.FDTbl1().setSort(order);
}

int ListWindowLogic::S1Click()
{
    int& size = m_dm.ctx().settings.dLstFrmFntSize;
    size = fontSizeSmaller(size);
    return size;
}

int ListWindowLogic::S2Click()
{
    int& size = m_dm.ctx().settings.dLstFrmFntSize;
    size = fontSizeLarger(size);
    return size;
}

void ListWindowLogic::display()
{
    shell::AppContext& ctx = m_dm.ctx();
    if (!m_dm.FDTbl1().isOpen())
        return;
    if (ctx.actions().enabled(QStringLiteral("DBUpdate")))
        ctx.actions().disable(QStringLiteral("DBUpdate"));
    ctx.actions().execute(QStringLiteral("DispMsgDat"));
}

void ListWindowLogic::autoDisplay()
{
    shell::AppContext& ctx = m_dm.ctx();
    if (ctx.params().value(QStringLiteral("AutoView")) != QLatin1String("1"))
        return;
    const QString waitText = ctx.params().value(QStringLiteral("WaitTime"));
    bool ok = false;
    const int seconds = waitText.trimmed().toInt(&ok);
    if (!ok) {
        ctx.dialogs().error(QStringLiteral("'%1' は有効な整数値ではありません").arg(waitText));
        return;
    }
    if (seconds > 0)
        platform::Delay(seconds * 1000);
    display();
}

void ListWindowLogic::doubleClick()
{
    display();
}

void ListWindowLogic::pageUndocked()
{
    shell::AppContext& ctx = m_dm.ctx();
    if (m_dm.FDTbl1().isOpen())
        shell::setMode(ctx.pmode, shell::kModeListFloating);
    else
        shell::clearMode(ctx.pmode, shell::kModeListFloating);
}

EndDockResult ListWindowLogic::endDock(DockHost host, QSize current)
{
    shell::AppContext& ctx = m_dm.ctx();
    EndDockResult r;
    if (host == DockHost::TabSheet || host == DockHost::ControlBar) {
        r.autoSize = true;
        ctx.StartDocNum = 0;
        r.close = host == DockHost::ControlBar;
    } else {
        ctx.StartDocNum += 1;
    }
    if (ctx.StartDocNum < 1) {
        r.resizeTo = QSize(ctx.settings.lstWidth, ctx.settings.lstHeight);
    } else {
        ctx.settings.lstWidth = current.width();
        ctx.settings.lstHeight = current.height();
    }
    if (ctx.StartDocNum != 0)
        r.autoSize = false;
    return r;
}

void ListWindowLogic::floatingResized(QSize size)
{
    shell::AppContext& ctx = m_dm.ctx();
    if (ctx.StartDocNum == 0 || size.isEmpty())
        return;
    ctx.settings.lstWidth = size.width();
    ctx.settings.lstHeight = size.height();
}

bool ListWindowLogic::closeQuery()
{
    shell::AppContext& ctx = m_dm.ctx();
    if (!shell::hasMode(ctx.pmode, shell::kModeListFloating))
        return true;
    shell::clearMode(ctx.pmode, shell::kModeListFloating);
    return false;
}

bool ListWindowLogic::floating() const
{
    return m_dm.ctx().StartDocNum != 0;
}

} // namespace lark::store
