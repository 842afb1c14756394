#include "TDBListFrm.h"

#include "shell/AppContext.h"
#include "shell/ui/TFrmLarksp.h"
#include "store/DmLdb.h"

#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWindow>

namespace lark::store::ui {

namespace {
const QString kDesignedCaption = QStringLiteral("DBList View");
// How far the pointer has to leave the tab bar before the dragged page comes out.
constexpr int kUndockDistance = 40;
} // namespace

TDBListFrm::TDBListFrm(TDm_Ldb& dm, shell::TFrmLarksp& main)
    : QWidget(&main), m_dm(dm), m_main(main), m_logic(dm)
{
    setObjectName(QStringLiteral("DBListFrm"));
    setWindowTitle(kDesignedCaption);
    setFont(QFont(QStringLiteral("Meiryo UI"), 8));
    setAttribute(Qt::WA_DeleteOnClose, false);
    hide();

    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setModel(&m_dm.FDTbl1());
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setTabKeyNavigation(false);
    DBGrid1->setShowGrid(true);
    DBGrid1->setWordWrap(false);
    DBGrid1->horizontalHeader()->setFont(QFont(QStringLiteral("Meiryo UI"), 8));
    DBGrid1->horizontalHeader()->setSectionsClickable(true);
    DBGrid1->horizontalHeader()->setHighlightSections(true);
    DBGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    DBGrid1->verticalHeader()->setVisible(true);
    DBGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(DBGrid1);

    MessageListModel& list = m_dm.FDTbl1();
    connect(&list, &QAbstractItemModel::modelReset, this, [this] {
        applyColumnLayout();
        selectFirstRow();
    });
    connect(DBGrid1->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int i, int, int size) {
        if (!m_applyingLayout && size > 0 && i >= 0 && i < kListFieldCount)
            m_dm.ctx().settings.columns[i].width = size;
    });
    connect(DBGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        DBGrid1->clearSelection();
        if (Status s = m_logic.titleClick(column); !s)
            m_dm.ctx().dialogs().error(s.errorText());
    });
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    m_dm.FDTbl1().setCurrentRow(current.row());
            });
    connect(DBGrid1, &QAbstractItemView::clicked, this, [this] { m_logic.autoDisplay(); });
    connect(DBGrid1, &QAbstractItemView::doubleClicked, this, [this] { m_logic.doubleClick(); });
    connect(DBGrid1, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        m_main.PopupMenu1->popup(DBGrid1->viewport()->mapToGlobal(p));
    });
    DBGrid1->installEventFilter(this);

    // The pop-up's shortcuts work while the grid has the focus.
    addActions(m_main.PopupMenu1->actions());
    for (QAction* a : m_main.PopupMenu1->actions()) {
        if (a->objectName() == QLatin1String("S1"))
            connect(a, &QAction::triggered, this, [this] {
                m_logic.S1Click();
                applyGridFont();
            });
        else if (a->objectName() == QLatin1String("S2"))
            connect(a, &QAction::triggered, this, [this] {
                m_logic.S2Click();
                applyGridFont();
            });
    }

    m_main.PageControl1->tabBar()->installEventFilter(this);
    m_dropTimer.setSingleShot(true);
    m_dropTimer.setInterval(300);
    connect(&m_dropTimer, &QTimer::timeout, this, &TDBListFrm::dropCheck);

    shell::AppContext& ctx = m_dm.ctx();
    ctx.StartDocNum = 0;
    ctx.showListWindow = [this] { showDocked(); };
    ctx.closeListWindow = [this] { requestClose(); };
    m_main.listWindow = this;
    applyColumnLayout();
    applyGridFont();
}

TDBListFrm::~TDBListFrm()
{
    shell::AppContext& ctx = m_dm.ctx();
    ctx.showListWindow = nullptr;
    ctx.closeListWindow = nullptr;
}

bool TDBListFrm::isDocked() const
{
    return m_main.PageControl1->indexOf(const_cast<TDBListFrm*>(this)) >= 0;
}

void TDBListFrm::applyColumnLayout()
{
    m_applyingLayout = true;
    const auto& columns = m_dm.ctx().settings.columns;
    for (int i = 0; i < kListFieldCount; ++i) {
        DBGrid1->setColumnHidden(i, !columns[i].visible);
        if (columns[i].visible)
            DBGrid1->setColumnWidth(i, columns[i].width);
    }
    m_applyingLayout = false;
}

void TDBListFrm::applyGridFont()
{
    QFont f = DBGrid1->font();
    f.setPointSize(qMax(1, m_dm.ctx().settings.dLstFrmFntSize));
    DBGrid1->setFont(f);
}

void TDBListFrm::selectFirstRow()
{
    QAbstractItemModel* model = DBGrid1->model();
    if (model->rowCount() == 0)
        return;
    int column = 0;
    while (column < model->columnCount() - 1 && DBGrid1->isColumnHidden(column))
        ++column;
    DBGrid1->setCurrentIndex(model->index(0, column));
    m_dm.FDTbl1().setCurrentRow(0);
}

void TDBListFrm::takeOutOfPageControl()
{
    const int i = m_main.PageControl1->indexOf(this);
    if (i >= 0)
        m_main.PageControl1->removeTab(i);
}

void TDBListFrm::showDocked()
{
    const bool wasFloating = isWindow();
    m_dropTimer.stop();
    if (wasFloating) {
        hide();
        setParent(&m_main, Qt::Widget);
    }
    QTabWidget* pages = m_main.PageControl1;
    int i = pages->indexOf(this);
    if (i < 0)
        i = pages->addTab(this, kListPageCaption);
    pages->setTabText(i, kListPageCaption);
    pages->setTabVisible(i, true);
    setWindowTitle(kListPageCaption);
    show();
    pages->setCurrentIndex(pages->count() - 1);
    if (wasFloating)
        endDock(DockHost::TabSheet);
}

void TDBListFrm::floatOut(const QPoint& globalPos)
{
    if (!isDocked())
        return;
    if (m_main.PageControl1->currentWidget() == this)
        m_logic.pageUndocked();
    takeOutOfPageControl();
    hide();
    // A window of its own with the system menu (close) only.
    setParent(&m_main, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowCloseButtonHint);
    const shell::Settings& s = m_dm.ctx().settings;
    resize(s.lstWidth, s.lstHeight);
    m_dragOffset = QPoint(width() / 2, 10);
    move(globalPos - m_dragOffset);
    show();
    endDock(DockHost::Floating);
}

void TDBListFrm::endDock(DockHost host)
{
    const EndDockResult r = m_logic.endDock(host, size());
    if (r.resizeTo && isWindow())
        resize(*r.resizeTo);
    if (r.close)
        requestClose();
}

void TDBListFrm::requestClose()
{
    if (!m_logic.closeQuery()) {
        showDocked();
        return;
    }
    m_dropTimer.stop();
    takeOutOfPageControl();
    hide();
    if (isWindow())
        setParent(&m_main, Qt::Widget);
}

void TDBListFrm::dropCheck()
{
    if (!isWindow() || !isVisible() || m_floatDrag)
        return;
    // The point the user holds: the middle of the title bar.
    const QRect frame = frameGeometry();
    const int titleHeight = geometry().top() - frame.top();
    const QPoint probe(frame.center().x(), frame.top() + qMax(5, titleHeight / 2));
    QTabWidget* pages = m_main.PageControl1;
    const QRect tabs(pages->mapToGlobal(QPoint(0, 0)), QSize(pages->width(), pages->tabBar()->height()));
    if (m_main.isVisible() && tabs.contains(probe)) {
        showDocked();
        return;
    }
    QRect bars;
    for (QToolBar* bar : {m_main.ControlBar1, m_main.ButtonBar, m_main.FontBar})
        if (bar && bar->isVisible() && !bar->isFloating())
            bars = bars.united(QRect(bar->mapToGlobal(QPoint(0, 0)), bar->size()));
    if (m_main.isVisible() && bars.contains(probe))
        endDock(DockHost::ControlBar);
}

void TDBListFrm::closeEvent(QCloseEvent* e)
{
    e->ignore();
    requestClose();
}

void TDBListFrm::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    if (e->type() != QEvent::ActivationChange || !isWindow() || !isVisible())
        return;
    // The active one of the two windows stays in front of the other.
    const bool active = isActiveWindow();
    m_main.setStayOnTop(!active);
    if (QWindow* w = windowHandle())
        w->setFlag(Qt::WindowStaysOnTopHint, active);
}

void TDBListFrm::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    if (isWindow())
        m_logic.floatingResized(size());
}

void TDBListFrm::moveEvent(QMoveEvent* e)
{
    QWidget::moveEvent(e);
    if (isWindow() && isVisible())
        m_dropTimer.start();
}

bool TDBListFrm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == DBGrid1 && event->type() == QEvent::KeyRelease) {
        m_logic.autoDisplay();
        return false;
    }
    QTabBar* tabBar = m_main.PageControl1->tabBar();
    if (watched != tabBar)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* me = static_cast<QMouseEvent*>(event);
        const int i = tabBar->tabAt(me->position().toPoint());
        m_tabPressed = me->button() == Qt::LeftButton && i >= 0 && m_main.PageControl1->widget(i) == this;
        m_tabPressPos = me->position().toPoint();
        break;
    }
    case QEvent::MouseMove: {
        auto* me = static_cast<QMouseEvent*>(event);
        if (m_floatDrag && (me->buttons() & Qt::LeftButton)) {
            move(me->globalPosition().toPoint() - m_dragOffset);
            return true;
        }
        if (!m_tabPressed || !(me->buttons() & Qt::LeftButton))
            break;
        const int y = me->position().toPoint().y();
        if (y < -kUndockDistance || y > tabBar->height() + kUndockDistance) {
            m_tabPressed = false;
            floatOut(me->globalPosition().toPoint());
            // The tab bar keeps the pointer until the button is let go: the window follows it.
            m_floatDrag = isWindow();
            return true;
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        m_tabPressed = false;
        if (m_floatDrag) {
            m_floatDrag = false;
            dropCheck();
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace lark::store::ui
