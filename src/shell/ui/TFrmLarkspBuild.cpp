// Building the main window's controls: menus, bars, the top panel, the tabs and the status bar.
#include "Icons.h"
#include "TFrmLarksp.h"

#include "shell/Styles.h"

#include <QApplication>
#include <QComboBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPixmap>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace lark::shell {

namespace {

// Colours of the colour box: the standard and the extended colours with their names. Values are
// colour numbers as the settings file stores them (blue in the high byte, red in the low byte).
struct NamedColour {
    const char* name;
    int value;
};
const NamedColour kColours[] = {
    {"Black", 0x000000}, {"Maroon", 0x000080}, {"Green", 0x008000}, {"Olive", 0x008080},
    {"Navy", 0x800000}, {"Purple", 0x800080}, {"Teal", 0x808000}, {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0x0000FF}, {"Lime", 0x00FF00}, {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000}, {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00}, {"White", 0xFFFFFF},
    {"Money Green", 0xC0DCC0}, {"Sky Blue", 0xF0CAA6}, {"Cream", 0xF0FBFF}, {"Med Gray", 0xA4A0A0},
};

QColor colourOf(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

QIcon swatch(int value)
{
    QPixmap pm(16, 16);
    pm.fill(colourOf(value));
    QPainter p(&pm);
    p.setPen(Qt::darkGray);
    p.drawRect(0, 0, 15, 15);
    return QIcon(pm);
}

} // namespace

QAction* TFrmLarksp::proxy(const QString& actionName, const QString& caption, QObject* parent, bool mirrorShortcut)
{
    QAction* target = m_ctx.actions().get(actionName);
    auto* p = new QAction(caption, parent);
    auto sync = [p, target, mirrorShortcut] {
        p->setCheckable(target->isCheckable());
        p->setChecked(target->isChecked());
        p->setEnabled(target->isEnabled());
        p->setVisible(target->isVisible());
        p->setIcon(target->icon());
        p->setStatusTip(target->statusTip());
        if (mirrorShortcut)
            p->setShortcut(target->shortcut());
    };
    sync();
    connect(target, &QAction::changed, p, sync);
    connect(target, &QAction::toggled, p, sync);
    connect(p, &QAction::triggered, target, [target, sync] {
        target->trigger();
        sync();
    });
    return p;
}

void TFrmLarksp::buildMenus()
{
    ControlBar1 = new QToolBar(QStringLiteral("ControlBar1"), this);
    ControlBar1->setObjectName(QStringLiteral("ControlBar1"));
    ControlBar1->setMovable(false);
    ControlBar1->setFloatable(false);
    addToolBar(Qt::TopToolBarArea, ControlBar1);

    ActionMainMenuBar1 = new QMenuBar(ControlBar1);
    ActionMainMenuBar1->setObjectName(QStringLiteral("ActionMainMenuBar1"));
    ActionMainMenuBar1->setNativeMenuBar(false);
    ActionMainMenuBar1->setFont(QFont(QStringLiteral("Segoe UI"), 9));
    ActionMainMenuBar1->setMinimumSize(380, 25);
    ControlBar1->addWidget(ActionMainMenuBar1);

    auto add = [this](QMenu* m, const char* action, const QString& caption) {
        m->addAction(proxy(QString::fromLatin1(action), caption, m));
    };
    QMenu* file = ActionMainMenuBar1->addMenu(QStringLiteral("ファイル (&F)"));
    add(file, "MessageOpen", QStringLiteral("メールを開く (&O)"));
    add(file, "MessageSave", QStringLiteral("メールを保存する (&M)"));
    file->addSeparator();
    add(file, "FontBarShow", QStringLiteral("フォントメニューバー表示 (&F)"));
    add(file, "ButtonBarShow", QStringLiteral("ボタンメニューバー表示 (&B)"));
    file->addSeparator();
    add(file, "FileExit1", QStringLiteral("終了(&X)"));

    QMenu* op = ActionMainMenuBar1->addMenu(QStringLiteral("操作 (&C)"));
    add(op, "DBUpdate", QStringLiteral("DB更新 (&D)"));
    add(op, "DBConnect", QStringLiteral("DB接続 (&C)"));
    op->addSeparator();
    add(op, "DBSelect", QStringLiteral("DB検索 (&R)"));
    op->addSeparator();
    add(op, "DispMsgDat", QStringLiteral("メッセージの表示 (&M)"));
    add(op, "ExprtMsgFile", QStringLiteral("メッセージファイルのエクスポート (&E)"));
    op->addSeparator();
    add(op, "DBBackup", QStringLiteral("DBファイルのバックアップ (&B)"));
    op->addSeparator();
    add(op, "MLSender", QStringLiteral("メールの一斉送信 (&S)"));

    QMenu* set = ActionMainMenuBar1->addMenu(QStringLiteral("設定 (&S)"));
    add(set, "DBFileSet", QStringLiteral("DBファイル設定(&D)"));
    set->addSeparator();
    add(set, "DispTAB1", QStringLiteral("書誌情報TAB(&T)"));
    add(set, "DispTAB3", QStringLiteral("パラメータ設定TAB(&A)"));
    set->addSeparator();
    QMenu* themes = set->addMenu(QStringLiteral("アプリ・テーマ設定 (&Z)"));
    for (const StyleInfo& s : kStyles)
        add(themes, s.action, QString::fromUtf8(s.menuCaption));

    QMenu* help = ActionMainMenuBar1->addMenu(QStringLiteral("ヘルプ (&H)"));
    add(help, "Hcontents", QStringLiteral("目次 (&I)"));
    add(help, "Hkeyword", QStringLiteral("キーワード(&Y)"));
    help->addSeparator();
    add(help, "About", QStringLiteral("バージョン情報 (&V)"));

    // The list grid's pop-up menu (its items point to the list actions; S1 and S2 follow the
    // enabled state of SetListFontSize).
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    // N7, N6 and N9 show the shortcuts of their actions (the AutoView rule changes them there).
    auto item = [this](const char* name, const char* action, const QString& caption, const char* keys) {
        QAction* a = action ? proxy(QString::fromLatin1(action), caption, PopupMenu1, true) : new QAction(caption, PopupMenu1);
        a->setObjectName(QString::fromLatin1(name));
        if (keys)
            a->setShortcut(QKeySequence(QString::fromLatin1(keys)));
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        PopupMenu1->addAction(a);
        return a;
    };
    item("N7", "DispMsgDat", QStringLiteral("メッセージの表示 (&R)"), nullptr);
    item("N6", "ExprtMsgFile", QStringLiteral("メッセージファイルのエクスポート (&T)"), nullptr);
    PopupMenu1->addSeparator()->setObjectName(QStringLiteral("N8"));
    item("N9", "DelMsgDat", QStringLiteral("メッセージの削除 (&D)"), nullptr);
    PopupMenu1->addSeparator()->setObjectName(QStringLiteral("N11"));
    QAction* s1 = item("S1", nullptr, QStringLiteral("フォントサイズ (&S) - 縮小"), "Ctrl+S");
    QAction* s2 = item("S2", nullptr, QStringLiteral("フォントサイズ (&L) - 拡大"), "Ctrl+W");
    QAction* lf = m_ctx.actions().get(QStringLiteral("SetListFontSize"));
    auto follow = [s1, s2, lf] {
        s1->setEnabled(lf->isEnabled());
        s2->setEnabled(lf->isEnabled());
    };
    follow();
    connect(lf, &QAction::changed, this, follow);

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    QAction* doc1 = proxy(QStringLiteral("EditorPrint"), QStringLiteral("テキストメッセージ印刷 (&T)"), PopupMenu2);
    doc1->setObjectName(QStringLiteral("Doc1"));
    doc1->setShortcut(QKeySequence(QStringLiteral("Ctrl+P")));
    doc1->setEnabled(false);
    PopupMenu2->addAction(doc1);
    PopupMenu2->addSeparator();
    PopupMenu2->addAction(proxy(QStringLiteral("FontBarShow"), QStringLiteral("フォントメニューバー表示 (&F)"), PopupMenu2));
    PopupMenu2->addAction(proxy(QStringLiteral("ButtonBarShow"), QStringLiteral("ボタンメニューバー表示 (&B)"), PopupMenu2));
    addAction(doc1); // Ctrl+P works anywhere in the window
}

void TFrmLarksp::buildBars()
{
    const int iconSize = buttonIconSize();
    ButtonBar = new QToolBar(QStringLiteral("ButtonBar"), this);
    ButtonBar->setObjectName(QStringLiteral("ButtonBar"));
    ButtonBar->setFont(QFont(QStringLiteral("Meiryo UI"), 8));
    ButtonBar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ButtonBar->setIconSize(QSize(iconSize, iconSize));
    ButtonBar->setFloatable(true);
    ButtonBar->setMovable(true);
    ActionList& a = m_ctx.actions();
    a.get(QStringLiteral("MessageOpen"))->setIcon(roleIcon(QStringLiteral("mail-open")));
    a.get(QStringLiteral("DBUpdate"))->setIcon(roleIcon(QStringLiteral("db-store")));
    a.get(QStringLiteral("DBSelect"))->setIcon(roleIcon(QStringLiteral("search")));
    a.get(QStringLiteral("Zoom_DecMgn"))->setIcon(roleIcon(QStringLiteral("zoom-out")));
    a.get(QStringLiteral("Zoom_IncMgn"))->setIcon(roleIcon(QStringLiteral("zoom-in")));
    setConnectIcon(false);

    auto button = [this](QAction* act, const char* name) {
        auto* b = new QToolButton(ButtonBar);
        b->setDefaultAction(act);
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setMinimumSize(58, 53);
        if (name)
            b->setObjectName(QString::fromLatin1(name));
        ButtonBar->addWidget(b);
        return b;
    };
    button(a.get(QStringLiteral("MessageOpen")), "ToolButton1");
    ButtonBar->addSeparator();
    ToolButton2 = button(a.get(QStringLiteral("DBUpdate")), "ToolButton2");
    ToolButton3 = button(a.get(QStringLiteral("DBConnect")), "ToolButton3");
    ButtonBar->addSeparator();
    ToolButton8 = button(a.get(QStringLiteral("DBSelect")), "ToolButton8");
    button(proxy(QStringLiteral("Zoom_DecMgn"), QStringLiteral("縮小表示"), ButtonBar), "ToolButton9");
    button(proxy(QStringLiteral("Zoom_IncMgn"), QStringLiteral("拡大表示"), ButtonBar), "ToolButton10");
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, ButtonBar);

    FontBar = new QToolBar(QStringLiteral("FontBar"), this);
    FontBar->setObjectName(QStringLiteral("FontBar"));
    FontBar->setFloatable(true);
    FontBar->setMovable(true);
    JvComboFnt = new QFontComboBox(FontBar);
    JvComboFnt->setObjectName(QStringLiteral("JvComboFnt"));
    JvComboFnt->setFixedWidth(200);
    FontBar->addWidget(JvComboFnt);
    JvComboFntSize = new QComboBox(FontBar);
    JvComboFntSize->setObjectName(QStringLiteral("JvComboFntSize"));
    JvComboFntSize->setEditable(true);
    JvComboFntSize->addItems({QStringLiteral("8"), QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("11"),
                              QStringLiteral("12"), QStringLiteral("14"), QStringLiteral("16"), QStringLiteral("18"),
                              QStringLiteral("20"), QStringLiteral("22"), QStringLiteral("24"), QStringLiteral("26"),
                              QStringLiteral("28"), QStringLiteral("36"), QStringLiteral("48"), QStringLiteral("72")});
    JvComboFntSize->setFixedWidth(50);
    FontBar->addWidget(JvComboFntSize);
    ColorBox1 = new QComboBox(FontBar);
    ColorBox1->setObjectName(QStringLiteral("ColorBox1"));
    for (const NamedColour& c : kColours)
        ColorBox1->addItem(swatch(c.value), QString::fromLatin1(c.name), c.value);
    ColorBox1->setFixedWidth(120);
    FontBar->addWidget(ColorBox1);
    addToolBar(Qt::TopToolBarArea, FontBar);

    connect(ButtonBar, &QToolBar::topLevelChanged, this, [this] { updateBarShowAction(ButtonBar, QStringLiteral("ButtonBarShow")); });
    connect(FontBar, &QToolBar::topLevelChanged, this, [this] { updateBarShowAction(FontBar, QStringLiteral("FontBarShow")); });
    connect(ButtonBar, &QToolBar::visibilityChanged, this, [this] { updateBarShowAction(ButtonBar, QStringLiteral("ButtonBarShow")); });
    connect(FontBar, &QToolBar::visibilityChanged, this, [this] { updateBarShowAction(FontBar, QStringLiteral("FontBarShow")); });
}

void TFrmLarksp::buildCentral()
{
    Splitter1 = new QSplitter(Qt::Vertical, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(qMax(1, int(5 * m_ctx.CFunc())));
    Splitter1->setChildrenCollapsible(false);

    Panel1 = new QWidget(Splitter1);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setMinimumHeight(20);
    Panel1->setAutoFillBackground(true);
    auto* grid = new QGridLayout(Panel1);
    grid->setContentsMargins(0, 0, 0, 0);
    // Children in creation order, bottom to top: each fills the panel.
    Label9 = new QLabel(QStringLiteral("ここにメッセージ(ファイル)をドロップしてください"), Panel1);
    Label9->setObjectName(QStringLiteral("Label9"));
    Label9->setAlignment(Qt::AlignCenter);
    Label9->setWordWrap(true);
    Label9->setFont(QFont(QStringLiteral("Meiryo UI"), 18));
    Label9->setAutoFillBackground(true);
    Label9->setBackgroundRole(QPalette::ToolTipBase);
    Label9->setForegroundRole(QPalette::ToolTipText);
    grid->addWidget(Label9, 0, 0);
    Panel15 = new QWidget(Panel1);
    Panel15->setObjectName(QStringLiteral("Panel15"));
    Panel15->hide();
    grid->addWidget(Panel15, 0, 0);
    Editor = new QTextEdit(Panel1);
    Editor->setObjectName(QStringLiteral("Editor"));
    Editor->setReadOnly(true);
    Editor->setAcceptRichText(true);
    Editor->setLineWrapMode(QTextEdit::NoWrap);
    Editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Editor->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Editor, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMenu2->popup(Editor->mapToGlobal(p)); });
    Editor->viewport()->installEventFilter(this);
    Editor->setMouseTracking(true);
    grid->addWidget(Editor, 0, 0);
    Panel17 = new QWidget(Panel1);
    Panel17->setObjectName(QStringLiteral("Panel17"));
    Panel17->hide();
    grid->addWidget(Panel17, 0, 0);

    PageControl1 = new QTabWidget(Splitter1);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));

    auto page = [this](const char* name, const QString& caption) {
        auto* w = new QWidget(PageControl1);
        w->setObjectName(QString::fromLatin1(name));
        PageControl1->addTab(w, caption);
        return w;
    };
    TabSheet4 = page("TabSheet4", QStringLiteral("HTML"));
    auto* l4 = new QVBoxLayout(TabSheet4);
    l4->setContentsMargins(0, 0, 0, 0);
    EdgeBrowser1 = new QWidget(TabSheet4);
    EdgeBrowser1->setObjectName(QStringLiteral("EdgeBrowser1"));
    new QVBoxLayout(EdgeBrowser1);
    EdgeBrowser1->layout()->setContentsMargins(0, 0, 0, 0);
    l4->addWidget(EdgeBrowser1);

    auto listPage = [](QWidget* pageWidget, const char* name) {
        auto* l = new QVBoxLayout(pageWidget);
        l->setContentsMargins(0, 0, 0, 0);
        auto* lv = new QListWidget(pageWidget);
        lv->setObjectName(QString::fromLatin1(name));
        lv->setViewMode(QListView::IconMode);
        lv->setResizeMode(QListView::Adjust);
        lv->setMovement(QListView::Static);
        lv->setWordWrap(true);
        lv->setGridSize(QSize(120, 84));
        lv->setSelectionMode(QAbstractItemView::SingleSelection);
        lv->setMouseTracking(true);
        l->addWidget(lv);
        return lv;
    };
    TabSheet2 = page("TabSheet2", QStringLiteral("添付ファイルⅠ"));
    ListView1 = listPage(TabSheet2, "ListView1");
    TabSheet5 = page("TabSheet5", QStringLiteral("添付ファイルⅡ"));
    ListView2 = listPage(TabSheet5, "ListView2");

    TabSheet1 = page("TabSheet1", QStringLiteral("書誌情報"));
    auto* form = new QFormLayout(TabSheet1);
    const char* labels[8] = {"Message ID:", "Message Date:", "Account Key:", "From Name:",
                             "From Address:", "Account Name:", "To Address:", "Message Subject :"};
    for (int i = 0; i < 8; ++i) {
        Edit[i] = new QLineEdit(TabSheet1);
        Edit[i]->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        form->addRow(QString::fromLatin1(labels[i]), Edit[i]);
    }

    TabSheet3 = page("TabSheet3", QStringLiteral("パラメータ設定"));
    auto* l3 = new QVBoxLayout(TabSheet3);
    l3->setContentsMargins(0, 0, 0, 0);
    ValueListEditor1 = new QTableView(TabSheet3);
    ValueListEditor1->setObjectName(QStringLiteral("ValueListEditor1"));
    ValueListEditor1->setModel(&m_ctx.params());
    ValueListEditor1->verticalHeader()->hide();
    ValueListEditor1->horizontalHeader()->setStretchLastSection(true);
    ValueListEditor1->setColumnWidth(0, 140);
    ValueListEditor1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ValueListEditor1->setEditTriggers(QAbstractItemView::AllEditTriggers);
    l3->addWidget(ValueListEditor1);

    TabSheet6 = page("TabSheet6", QStringLiteral("Data"));
    auto* l6 = new QVBoxLayout(TabSheet6);
    Memo1 = new QPlainTextEdit(TabSheet6);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo2 = new QPlainTextEdit(TabSheet6);
    Memo2->setObjectName(QStringLiteral("Memo2"));
    l6->addWidget(Memo1);
    l6->addWidget(Memo2);

    TabSheet7 = page("TabSheet7", QStringLiteral("DB File処理"));
    TabSheet8 = page("TabSheet8", QStringLiteral("Mail 送信"));

    // Shown only while they have content, or by the settings and actions.
    for (QWidget* w : {TabSheet4, TabSheet2, TabSheet5, TabSheet1, TabSheet3, TabSheet6, TabSheet7, TabSheet8})
        setTabVisible(w, false);

    setCentralWidget(Splitter1);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
}

void TFrmLarksp::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    const int widths[3] = {int(140 * m_ctx.CFunc()), int(50 * m_ctx.CFunc()), 200};
    for (int i = 0; i < 3; ++i) {
        StatusPanel[i] = new QLabel(bar);
        StatusPanel[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        StatusPanel[i]->setMinimumWidth(widths[i]);
        StatusPanel[i]->setFrameShape(QFrame::StyledPanel);
        StatusPanel[i]->setFrameShadow(QFrame::Sunken);
        if (i < 2)
            StatusPanel[i]->setFixedWidth(widths[i]);
        bar->addWidget(StatusPanel[i], i == 2 ? 1 : 0);
    }
    connect(&m_ctx, &AppContext::statusChanged, this, [this](int panel, const QString& text) {
        if (panel >= 0 && panel < 3)
            StatusPanel[panel]->setText(text);
    });
}

} // namespace lark::shell
