#include "TFrmLarksp.h"

#include "Icons.h"
#include "StyleManager.h"

#include "platform/CompatLayers.h"
#include "platform/Delay.h"
#include "platform/FolderOps.h"
#include "platform/ShellOpen.h"
#include "shell/Caption.h"
#include "shell/Startup.h"
#include "shell/Styles.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

namespace lark::shell {

TFrmLarksp::TFrmLarksp(AppContext& ctx, const StartOptions& options, const QString& settingsFolder, QWidget* parent)
    : QMainWindow(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("FrmLarksp"));
    // 1. Mode word and run-time fields start cleared (AppContext's initial values).
    m_ctx.pmode = 0;
    if (QScreen* s = QGuiApplication::primaryScreen())
        m_ctx.CDpi = int(s->logicalDotsPerInchX());
    setFont(QFont(QStringLiteral("Meiryo UI"), 9));
    setMinimumSize(404, 480);
    setWindowTitle(m_ctx.caption());
    setWindowIcon(roleIcon(QStringLiteral("larkspur")));
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);

    buildMenus();
    buildBars();
    buildCentral();
    buildStatusBar();
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMenu2->popup(mapToGlobal(p)); });
    connect(&m_ctx, &AppContext::captionChanged, this, &QWidget::setWindowTitle);

    // 2. Compatibility mode (the layer reports none on this platform).
    const QString layers = platform::compatibilityLayers(QApplication::applicationFilePath());
    if (!layers.isEmpty()) {
        m_ctx.dialogs().message(QStringLiteral("互換モード") + layers + QStringLiteral("で起動されています") +
                                QStringLiteral("\r\n") + QStringLiteral("互換モードを解除して実行してください"));
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        platform::Delay(250);
    }

    // 4. The hidden data tab and the drop area's text are set while building.
    // 6.-10. Settings, parameter table, style number, lock file, working folder.
    loadSettings(m_ctx, options, settingsFolder);
    connectOwnActions();
    installRoutines();
    applySettingsToWindow();
}

TFrmLarksp::~TFrmLarksp() = default;

void TFrmLarksp::applySettingsToWindow()
{
    const Settings& s = m_ctx.settings;
    placeWindow();
    Splitter1->setSizes({s.panel1Height, qMax(100, s.height - s.panel1Height)});

    ActionList& a = m_ctx.actions();
    a.check(QStringLiteral("DispTAB1"), s.tab1Visible);
    a.check(QStringLiteral("DispTAB3"), s.tab3Visible);
    setTabVisible(TabSheet1, s.tab1Visible);
    setTabVisible(TabSheet3, s.tab3Visible);

    // Theme action of the style in force; the colour box belongs to the system style.
    if (isStyleNumber(m_ctx.StyleNum))
        a.check(QString::fromLatin1(kStyles[m_ctx.StyleNum].action), true);
    ColorBox1->setEnabled(systemStyleInForce());
    ColorBox1->setVisible(m_ctx.StyleNum == 0);

    // Text attributes of the message text view.
    QFont f(s.fontName, s.fontSize > 0 ? s.fontSize : 9);
    Editor->document()->setDefaultFont(f);
    QPalette pal = Editor->palette();
    pal.setColor(QPalette::Text, QColor(s.fontColor & 0xFF, (s.fontColor >> 8) & 0xFF, (s.fontColor >> 16) & 0xFF));
    Editor->setPalette(pal);
    JvComboFnt->setCurrentFont(f);
    const int sizeIdx = JvComboFntSize->findText(QString::number(s.fontSize));
    JvComboFntSize->setCurrentIndex(sizeIdx >= 0 ? sizeIdx : 0);
    const int colourIdx = ColorBox1->findData(s.fontColor);
    ColorBox1->setCurrentIndex(colourIdx >= 0 ? colourIdx : 0);
}

void TFrmLarksp::placeWindow()
{
    const Settings& s = m_ctx.settings;
    QRect desktop;
    for (QScreen* sc : QGuiApplication::screens())
        desktop = desktop.united(sc->availableGeometry());
    int left = s.left;
    if (!desktop.isNull()) {
        if (left < desktop.left())
            left = desktop.left();
        else if (left + s.width > desktop.right() + 1)
            left = desktop.right() + 1 - s.width;
    }
    resize(s.width, s.height);
    move(left, s.top);
}

void TFrmLarksp::connectOwnActions()
{
    // The parameter table losing the input focus (also from one of its cell editors) applies
    // the shortcut rule of the list's pop-up items.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        auto inTable = [this](QWidget* w) { return w && (w == ValueListEditor1 || ValueListEditor1->isAncestorOf(w)); };
        if (inTable(old) && !inTable(now) && m_ctx.applyShortcutRule)
            m_ctx.applyShortcutRule();
    });
    ActionList& a = m_ctx.actions();
    connect(a[QStringLiteral("DispTAB1")], &QAction::triggered, this, &TFrmLarksp::DispTAB1Execute);
    connect(a[QStringLiteral("DispTAB3")], &QAction::triggered, this, &TFrmLarksp::DispTAB3Execute);
    connect(a[QStringLiteral("FontBarShow")], &QAction::triggered, this, &TFrmLarksp::FontBarShowExecute);
    connect(a[QStringLiteral("ButtonBarShow")], &QAction::triggered, this, &TFrmLarksp::ButtonBarShowExecute);
    connect(a[QStringLiteral("Hcontents")], &QAction::triggered, this, &TFrmLarksp::HcontentsExecute);
    connect(a[QStringLiteral("Hkeyword")], &QAction::triggered, this, &TFrmLarksp::HkeywordExecute);
    connect(a[QStringLiteral("EditorPrint")], &QAction::triggered, this, &TFrmLarksp::EditorPrintExecute);
    connect(a[QStringLiteral("FileExit1")], &QAction::triggered, this, &QWidget::close);
}

void TFrmLarksp::installRoutines()
{
    m_ctx.leaveBackupMode = [this] {
        Panel15->hide();
        setTabVisible(TabSheet7, false);
    };
    m_ctx.leaveSenderMode = [this] {
        Panel17->hide();
        setTabVisible(TabSheet8, false);
        Editor->show();
    };
    m_ctx.bringShownPageToFront = [this] {
        if (isTabVisible(TabSheet4)) {
            showPage(TabSheet4);
            setStayOnTop(false);
        } else if (isTabVisible(TabSheet2)) {
            showPage(TabSheet2);
        } else if (isTabVisible(TabSheet1)) {
            showPage(TabSheet1);
        }
    };
}

// --- tabs ---

void TFrmLarksp::setTabVisible(QWidget* page, bool visible)
{
    const int i = PageControl1->indexOf(page);
    if (i >= 0)
        PageControl1->setTabVisible(i, visible);
}

bool TFrmLarksp::isTabVisible(QWidget* page) const
{
    const int i = PageControl1->indexOf(page);
    return i >= 0 && PageControl1->isTabVisible(i);
}

void TFrmLarksp::showPage(QWidget* page)
{
    const int i = PageControl1->indexOf(page);
    if (i >= 0)
        PageControl1->setCurrentIndex(i);
}

void TFrmLarksp::DispTAB1Execute()
{
    const bool on = m_ctx.actions().checked(QStringLiteral("DispTAB1"));
    setTabVisible(TabSheet1, on);
    m_ctx.settings.tab1Visible = on;
}

void TFrmLarksp::DispTAB3Execute()
{
    const bool on = m_ctx.actions().checked(QStringLiteral("DispTAB3"));
    setTabVisible(TabSheet3, on);
    m_ctx.settings.tab3Visible = on;
}

// --- bars ---

int TFrmLarksp::buttonIconSize() const
{
    if (m_ctx.CDpi <= 120)
        return 24;
    if (m_ctx.CDpi < 192)
        return 32;
    return 48;
}

void TFrmLarksp::setConnectIcon(bool connected)
{
    m_ctx.actions().get(QStringLiteral("DBConnect"))
        ->setIcon(roleIcon(connected ? QStringLiteral("db-connected") : QStringLiteral("db-disconnected")));
}

void TFrmLarksp::updateBarShowAction(QToolBar* bar, const QString& actionName)
{
    // A bar that floats or was closed can be brought back through its show action.
    m_ctx.actions().enable(actionName, bar->isFloating() || !bar->isVisible());
}

void TFrmLarksp::FontBarShowExecute()
{
    addToolBar(Qt::TopToolBarArea, FontBar);
    FontBar->show();
    m_ctx.actions().disable(QStringLiteral("FontBarShow"));
}

void TFrmLarksp::ButtonBarShowExecute()
{
    insertToolBar(FontBar, ButtonBar);
    ButtonBar->show();
    m_ctx.actions().disable(QStringLiteral("ButtonBarShow"));
}

// --- help and print ---

void TFrmLarksp::HcontentsExecute()
{
    openHelp();
}

void TFrmLarksp::HkeywordExecute()
{
    openHelp();
}

void TFrmLarksp::openHelp()
{
    const QString file = m_ctx.CompiledHelpFile;
    auto* p = new QProcess(this);
    p->setProgram(platform::openerProgram());
    p->setArguments({file});
    p->setStandardOutputFile(QProcess::nullDevice());
    p->setStandardErrorFile(QProcess::nullDevice());
    // The handlers live with the process and reach the context, which outlives the window: a
    // viewer still running when the window goes is ended without touching the window.
    AppContext* ctx = &m_ctx;
    const QString missing = QStringLiteral("ヘルプを表示できるプログラムがありません: ") + QFileInfo(file).fileName();
    connect(p, &QProcess::finished, p, [ctx, p, missing](int code, QProcess::ExitStatus st) {
        if (st != QProcess::NormalExit || code != 0)
            ctx->setStatus(2, missing);
        p->deleteLater();
    });
    connect(p, &QProcess::errorOccurred, p, [ctx, p, missing](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart)
            return;
        ctx->setStatus(2, missing);
        p->deleteLater();
    });
    p->start();
}

QTextEdit* TFrmLarksp::editorInUse() const
{
    // The mail body editor arrives with the bulk sender; until then the text view is printed.
    return Editor;
}

void TFrmLarksp::EditorPrintExecute()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("印刷Title"));
    const bool go = printDialog ? printDialog(printer) : [&] {
        QPrintDialog dlg(&printer, this);
        return dlg.exec() == QDialog::Accepted;
    }();
    if (!go)
        return;
    printer.setDocName(QStringLiteral("印刷Title"));
    editorInUse()->print(&printer);
}

bool TFrmLarksp::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Editor->viewport() && (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter)) {
        const bool hasText = !editorInUse()->document()->isEmpty();
        m_ctx.actions().enable(QStringLiteral("EditorPrint"), hasText);
        for (QAction* a : PopupMenu2->actions())
            if (a->objectName() == QLatin1String("Doc1"))
                a->setEnabled(hasText);
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- window state ---

void TFrmLarksp::Delay(int ms)
{
    platform::Delay(ms);
}

void TFrmLarksp::setStayOnTop(bool on)
{
    if (m_stayOnTop == on)
        return;
    m_stayOnTop = on;
    // Changing the flag on the native window keeps it mapped (no hide and show).
    if (QWindow* w = windowHandle())
        w->setFlag(Qt::WindowStaysOnTopHint, on);
}

void TFrmLarksp::raiseFromSecondStart()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void TFrmLarksp::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    // Focus in turn to the font boxes, then to the text view.
    JvComboFnt->setFocus();
    JvComboFntSize->setFocus();
    if (ColorBox1->isVisible())
        ColorBox1->setFocus();
    Editor->setFocus();
}

void TFrmLarksp::changeEvent(QEvent* e)
{
    QMainWindow::changeEvent(e);
    if (e->type() != QEvent::ActivationChange)
        return;
    if (isActiveWindow()) {
        if (dbSetDialog) {
            setStayOnTop(false);
        } else if (listWindow && listWindow->isVisible() && listWindow->isWindow()) {
            setStayOnTop(true);
            if (QWindow* w = listWindow->windowHandle())
                w->setFlag(Qt::WindowStaysOnTopHint, false);
        } else {
            setStayOnTop(false);
        }
    } else {
        setStayOnTop(false);
    }
}

void TFrmLarksp::collectSettings()
{
    Settings& s = m_ctx.settings;
    // Position of the frame, size of the client area: what placeWindow() gives back next time.
    const bool normal = !(isMaximized() || isMinimized() || isFullScreen());
    const QRect g = normal ? geometry() : normalGeometry();
    const QPoint framePos = normal ? pos() : g.topLeft();
    s.left = framePos.x();
    s.top = framePos.y();
    s.width = g.width();
    s.height = g.height();
    const QList<int> sizes = Splitter1->sizes();
    if (!sizes.isEmpty() && sizes.first() > 0)
        s.panel1Height = qMax(10, sizes.first());
    s.fontName = Editor->document()->defaultFont().family();
    const int pt = Editor->document()->defaultFont().pointSize();
    if (pt > 0)
        s.fontSize = pt;
    s.fontColor = ColorBox1->currentIndex() == 0 ? 0 : ColorBox1->currentData().toInt();
    s.tab1Visible = m_ctx.actions().checked(QStringLiteral("DispTAB1"));
    s.tab3Visible = m_ctx.actions().checked(QStringLiteral("DispTAB3"));
}

void TFrmLarksp::closeQuery()
{
    // 1. Outlook automation is not used on this platform (LOutlook stays false).
    // 2. The embedded browser's user data.
    const QString browserData = QDir(m_ctx.MyAppDataPath).filePath(m_ctx.programFileName + QStringLiteral(".WebView2"));
    emit closing(); // the browser view closes and lets go of its profile
    if (QFileInfo(browserData).isDir()) {
        m_ctx.actions().disable(QStringLiteral("Zoom_IncMgn"));
        m_ctx.actions().disable(QStringLiteral("Zoom_DecMgn"));
        platform::Delay(100);
        if (!platform::deleteFolderTree(browserData))
            m_ctx.dialogs().error(QStringLiteral("フォルダーが残されています"));
    }
    // 3. The working folder.
    const QString work = m_ctx.workingFolder();
    if (QFileInfo(work).isDir() && !platform::deleteFolderTree(work))
        m_ctx.dialogs().error(QStringLiteral("フォルダーが残されています"));
}

void TFrmLarksp::closeEvent(QCloseEvent* e)
{
    if (m_closeHandled) {
        e->accept();
        return;
    }
    m_closeHandled = true;
    closeQuery();
    if (m_ctx.common_ConfigFlg) {
        collectSettings();
        const Status st = saveSettings(m_ctx);
        if (!st)
            m_ctx.dialogs().error(st.errorText());
    }
    e->accept();
}

} // namespace lark::shell
