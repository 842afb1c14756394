#include "Composition.h"

#include "platform/IniStore.h"
#include "platform/LockFile.h"
#include "platform/ScriptedDialogs.h"
#include "shell/AppContext.h"
#include "shell/Startup.h"
#include "shell/ui/StyleManager.h"
#include "shell/ui/TFrmLarksp.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolBar>

#include <gtest/gtest.h>

#include <memory>

using namespace lark;
using namespace lark::shell;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString folder() const { return dir.path(); }
    QString iniPath() const { return QDir(folder()).filePath("Larkspur.ini"); }

    struct Run {
        std::unique_ptr<AppContext> ctx;
        std::unique_ptr<platform::ScriptedDialogs> dialogs;
        std::unique_ptr<TFrmLarksp> window;
    };

    Run open(const StartOptions& options = {})
    {
        Run r;
        r.ctx = std::make_unique<AppContext>();
        r.dialogs = std::make_unique<platform::ScriptedDialogs>();
        r.ctx->setDialogs(r.dialogs.get());
        r.ctx->setProgramFolder(QCoreApplication::applicationDirPath());
        r.window = std::make_unique<TFrmLarksp>(*r.ctx, options, folder());
        lark::app::createSubsystems(*r.window);
        r.window->show();
        return r;
    }

    void writeIni(const QString& text) { test::writeAll(iniPath(), text.toUtf8()); }

    platform::IniStore savedIni()
    {
        platform::IniStore ini(iniPath());
        EXPECT_TRUE(ini.load().ok());
        return ini;
    }
};

} // namespace

TEST_F(MainWindowTest, FreshSettingsOpenTheDesignedWindowAndCloseWritesEveryKey)
{
    Run r = open();
    TFrmLarksp& w = *r.window;
    EXPECT_EQ(w.pos(), QPoint(50, 50));
    EXPECT_EQ(w.size(), QSize(640, 480));
    EXPECT_FALSE(w.isTabVisible(w.TabSheet1));
    EXPECT_FALSE(w.isTabVisible(w.TabSheet3));
    EXPECT_FALSE(w.isTabVisible(w.TabSheet6));
    for (const QString& k : ParameterTable::keys())
        EXPECT_EQ(r.ctx->params().value(k), kDummyData) << k.toStdString();
    EXPECT_TRUE(QDir(r.ctx->secondLevelFolder()).exists());
    // The embedded default archive is created in the settings folder and named in the caption.
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Larkspur 管理 -- LarkspurDB.fdb"));
    EXPECT_TRUE(QFile::exists(QDir(folder()).filePath("LarkspurDB.fdb")));
    EXPECT_TRUE(r.ctx->actions().get("DBConnect")->isEnabled());
    EXPECT_EQ(w.Label9->text(), QStringLiteral("ここにメッセージ(ファイル)をドロップしてください"));

    w.close();
    EXPECT_FALSE(QDir(QDir(folder()).filePath("mail_dat")).exists());
    platform::IniStore ini = savedIni();
    const char* window[] = {"Left", "Top", "Width", "Height", "Panel1Height", "TreeViewSW", "TreeViewWidth"};
    for (const char* k : window)
        EXPECT_TRUE(ini.hasKey("Window", k)) << k;
    EXPECT_EQ(ini.readInteger("Window", "Left", -1), 50);
    EXPECT_EQ(ini.readInteger("Window", "Width", -1), 640);
    EXPECT_TRUE(ini.hasKey("LWindow", "Width"));
    EXPECT_TRUE(ini.hasKey("LWindow", "Height"));
    const char* condition[] = {"Theme", "MLFilter_Index", "MLRead_Path", "MLStore_Path", "FontName", "FontSize",
                               "FontColor", "TAB1_Visible", "TAB3_Visible", "HomePATH", "LDPath", "BUPath",
                               "ChkBx8", "ChkBx9", "RGroup4", "ViewStyleNum", "MSKFlg", "HomeFlg",
                               "DSelctRGroup1", "DLstFrmFntSize"};
    for (const char* k : condition)
        EXPECT_TRUE(ini.hasKey("Condition", k)) << k;
    for (const QString& k : ParameterTable::keys())
        EXPECT_EQ(ini.readString("Condition", k), kDummyData) << k.toStdString();
    EXPECT_EQ(ini.readString("MailDB", "Server"), QStringLiteral("localhost"));
    EXPECT_TRUE(ini.hasKey("MailDB", "DBPath"));
    for (int i = 0; i < 10; ++i)
        for (const char* base : {"Visible_", "Columns_", "FieldName_", "TitelCaption_"})
            EXPECT_TRUE(ini.hasKey("DBGrid", QString::fromLatin1(base) + QString::number(i))) << base << i;
    EXPECT_EQ(ini.readInteger("sListView", "ColumnNum", 0), 16);
    for (int i = 1; i <= 16; ++i)
        EXPECT_TRUE(ini.hasKey("sListView", QStringLiteral("ColumnW%1").arg(i)));
    const char* connection[] = {"Mail_Tabindx", "MailerIndx", "SMTP_Host", "SMTP_Port", "SMTP_User", "Mail_Encode",
                                "ExchangerAccount", "MyMailAddress", "FromName", "MyMailSubject"};
    for (const char* k : connection)
        EXPECT_TRUE(ini.hasKey("Connection", k)) << k;
}

TEST_F(MainWindowTest, WindowLeftOfTheDesktopIsMovedToItsEdge)
{
    writeIni(QStringLiteral("[Window]\nLeft=-3000\nTop=20\nWidth=500\nHeight=490\n"));
    Run r = open();
    QRect desktop;
    for (QScreen* s : QGuiApplication::screens())
        desktop = desktop.united(s->availableGeometry());
    EXPECT_EQ(r.window->pos().x(), desktop.left());
    EXPECT_EQ(r.window->pos().y(), 20);
}

TEST_F(MainWindowTest, HidingTheHeaderTabThroughTheMenuSurvivesARestart)
{
    writeIni(QStringLiteral("[Condition]\nTAB1_Visible=1\nTAB3_Visible=1\n"));
    {
        Run r = open();
        ASSERT_TRUE(r.window->isTabVisible(r.window->TabSheet1));
        EXPECT_TRUE(r.ctx->actions().checked("DispTAB1"));
        // The menu entry points to the action.
        QAction* entry = nullptr;
        for (QAction* m : r.window->ActionMainMenuBar1->actions())
            if (m->menu())
                for (QAction* a : m->menu()->actions())
                    if (a->text() == QStringLiteral("書誌情報TAB(&T)"))
                        entry = a;
        ASSERT_NE(entry, nullptr);
        entry->trigger();
        EXPECT_FALSE(r.window->isTabVisible(r.window->TabSheet1));
        EXPECT_FALSE(r.ctx->actions().checked("DispTAB1"));
        r.window->close();
    }
    Run again = open();
    EXPECT_FALSE(again.window->isTabVisible(again.window->TabSheet1));
    EXPECT_TRUE(again.window->isTabVisible(again.window->TabSheet3));
}

TEST_F(MainWindowTest, LockFileBesideAnEmbeddedDatabaseIsHeldWhileRunning)
{
    const QString db = dir.filePath("db/LarkspurDB.fdb");
    test::writeAll(db, "x");
    writeIni(QStringLiteral("[MailDB]\nServer=\nDBPath=%1\n").arg(db));
    const QString lock = dir.filePath("db/Semafore");
    {
        Run r = open();
        EXPECT_TRUE(r.ctx->emb_Flg);
        EXPECT_TRUE(r.ctx->Semafore_Flg);
        EXPECT_TRUE(QFile::exists(lock));
        platform::LockFile other;
        EXPECT_FALSE(other.acquire(lock)); // a second program does not get it
        r.window->close();
        EXPECT_FALSE(QFile::exists(lock));
    }
    // With a host, no lock is taken.
    writeIni(QStringLiteral("[MailDB]\nServer=localhost\nDBPath=%1\n").arg(db));
    Run r = open();
    EXPECT_FALSE(r.ctx->emb_Flg);
    EXPECT_FALSE(QFile::exists(lock));
}

TEST_F(MainWindowTest, StyleFromTheCommandLineIsNotSaved)
{
    writeIni(QStringLiteral("[Condition]\nTheme=1\n"));
    StartOptions o;
    o.styleNumber = 2;
    selectStartStyle(o, 1);
    EXPECT_EQ(currentStyleName(), QStringLiteral("Windows11 Modern Dark"));
    Run r = open(o);
    EXPECT_EQ(r.ctx->StyleNum, 2);
    EXPECT_TRUE(r.ctx->actions().checked("Theme2"));
    EXPECT_FALSE(r.window->ColorBox1->isVisibleTo(r.window.get())); // only style 0 shows the colour box
    r.window->close();
    EXPECT_EQ(savedIni().readInteger("Condition", "Theme", -1), 1);
    selectStartStyle({}, 0);
    EXPECT_EQ(currentStyleName(), QStringLiteral("Windows"));
}

TEST_F(MainWindowTest, ActionsCarryTheirNamesCaptionsAndStates)
{
    Run r = open();
    struct Case {
        const char* name;
        const char* caption;
        bool enabled;
    };
    const Case cases[] = {
        {"MessageOpen", "メールを開く", true},       {"MessageSave", "メールを保存する", false},
        {"SavetoDisk", "名前をつけて保存", false},   {"OpenWith", "規定のプログラムで開く", false},
        {"DBUpdate", "DB更新", false},               {"DBConnect", "DB接続", true},
        {"DBFileSet", "DBファイル設定", true},       {"DispMsgDat", "メッセージの表示", false},
        {"ExprtMsgFile", "メッセージファイルのエクスポート", false},
        {"DelMsgDat", "メッセージの削除", false},    {"Zoom_IncMgn", "表示倍率＋", false},
        {"Zoom_DecMgn", "表示倍率－", false},         {"EditorPrint", "Doc印刷", true},
        {"DBSelect", "DB検索", true},                {"FontBarShow", "フォントメニューバー表示", false},
        {"ButtonBarShow", "ボタンメニューバー表示", false}, {"DBBackup", "DBFile Backup", true},
        {"SetListFontSize", "フォントサイズ", false}, {"MLSender", "Mail Sender", true},
        {"FileExit1", "終了(&X)", true},             {"About", "バージョン情報", true},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(r.ctx->actions().has(QString::fromLatin1(c.name))) << c.name;
        QAction* a = r.ctx->actions().get(QString::fromLatin1(c.name));
        EXPECT_EQ(a->objectName(), QString::fromLatin1(c.name));
        EXPECT_EQ(a->text(), QString::fromUtf8(c.caption)) << c.name;
        EXPECT_EQ(a->isEnabled(), c.enabled) << c.name;
    }
    QStringList menus;
    for (QAction* m : r.window->ActionMainMenuBar1->actions())
        menus << m->text();
    EXPECT_EQ(menus, (QStringList{QStringLiteral("ファイル (&F)"), QStringLiteral("操作 (&C)"),
                                  QStringLiteral("設定 (&S)"), QStringLiteral("ヘルプ (&H)")}));
    // Every named control is there.
    for (const char* name : {"ControlBar1", "ButtonBar", "FontBar", "JvComboFnt", "JvComboFntSize", "ColorBox1",
                             "Panel1", "Label9", "Editor", "Splitter1", "PageControl1", "ListView1", "ListView2",
                             "Edit1", "Edit8", "ValueListEditor1", "Memo1", "Memo2", "StatusBar1", "ToolButton3"})
        EXPECT_NE(r.window->findChild<QObject*>(QString::fromLatin1(name)), nullptr) << name;
}

TEST_F(MainWindowTest, FloatingBarComesBackThroughItsShowAction)
{
    Run r = open();
    TFrmLarksp& w = *r.window;
    // What dragging the bar out does: it becomes a window of its own.
    w.FontBar->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    w.FontBar->show();
    ASSERT_TRUE(w.FontBar->isFloating());
    emit w.FontBar->topLevelChanged(true);
    EXPECT_TRUE(r.ctx->actions().enabled("FontBarShow"));
    r.ctx->actions().execute("FontBarShow");
    EXPECT_FALSE(w.FontBar->isFloating());
    EXPECT_TRUE(w.FontBar->isVisible());
    EXPECT_EQ(w.toolBarArea(w.FontBar), Qt::TopToolBarArea);
    EXPECT_FALSE(r.ctx->actions().enabled("FontBarShow"));
}

TEST_F(MainWindowTest, PrintsTheTextViewWithItsDocumentTitle)
{
    Run r = open();
    const QString pdf = dir.filePath("out.pdf");
    QString docName;
    r.window->printDialog = [&](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
        docName = p.docName();
        return true;
    };
    r.window->Editor->setPlainText(QStringLiteral("本文の一行目\nsecond line"));
    r.ctx->actions().execute("EditorPrint");
    EXPECT_EQ(docName, QStringLiteral("印刷Title"));
    const QByteArray data = test::readAll(pdf);
    EXPECT_TRUE(data.startsWith("%PDF"));
    EXPECT_GT(data.size(), 500);
}

TEST_F(MainWindowTest, HelpWithoutAViewerSaysSoInTheStatusBar)
{
    qputenv("LARKSPUR_OPENER", "/bin/false");
    Run r = open();
    r.ctx->actions().execute("Hcontents");
    QElapsedTimer waited;
    waited.start();
    while (r.ctx->status(2).isEmpty() && waited.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    qunsetenv("LARKSPUR_OPENER");
    EXPECT_TRUE(r.ctx->status(2).contains(QStringLiteral("Larkspurhlp.chm"))) << r.ctx->status(2).toStdString();
}
