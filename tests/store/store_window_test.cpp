// The archive's windows inside the whole main window: the list window (columns, title-click
// sort, font steps, floating and docking back) and the display of a stored message, which has
// to look exactly like the opened file.
#include "Composition.h"

#include "platform/ScriptedDialogs.h"
#include "shell/AppContext.h"
#include "shell/ModeWord.h"
#include "shell/ui/TFrmLarksp.h"
#include "store/DmLdb.h"
#include "store/StoreOperation.h"
#include "store/ui/TDBListFrm.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <memory>

using namespace lark;

namespace {

class StoreWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ctx = std::make_unique<shell::AppContext>();
        ctx->setDialogs(&dialogs);
        ctx->setProgramFolder(QCoreApplication::applicationDirPath());
        window = std::make_unique<shell::TFrmLarksp>(*ctx, shell::StartOptions{}, dir.path());
        app::createSubsystems(*window);
        window->show();
        dm = window->findChild<store::TDm_Ldb*>(QStringLiteral("Dm_Ldb"));
        list = window->findChild<store::ui::TDBListFrm*>(QStringLiteral("DBListFrm"));
        ASSERT_TRUE(dm && list);
        ASSERT_TRUE(dm->FD_Message().isOpen()) << "the default archive of the settings folder";
    }
    void TearDown() override
    {
        window.reset();
        ctx.reset();
    }

    // Stores a message as the display would hand it over.
    void storeMail(const QString& id, const QString& date, const QString& subject)
    {
        const QString file = QDir(dir.path()).filePath(QStringLiteral("in-") + QString::number(++m_files) + ".eml");
        test::writeAll(file, "Subject: " + subject.toUtf8() + "\r\n\r\nbody\r\n");
        shell::ShownMessage m;
        m.edits = {id, date, {}, QStringLiteral("sender"), {}, {}, {}, subject};
        m.mdatType = 1;
        m.editorText = QStringLiteral("body");
        m.mailFile = file;
        Result<store::StoredMessage> prepared = store::prepareStoredMessage(m);
        ASSERT_TRUE(prepared.ok());
        ASSERT_TRUE(store::storeMessage(dm->FD_Message(), *prepared).ok());
    }

    QStringList column(int field)
    {
        QStringList out;
        for (int r = 0; r < dm->FDTbl1().rowCount(); ++r)
            out << dm->FDTbl1().rowAt(r)->values[field];
        return out;
    }

    void clickTitle(int section)
    {
        QHeaderView* h = list->DBGrid1->horizontalHeader();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                          QPoint(h->sectionViewportPosition(section) + 5, h->height() / 2));
    }

    QAction* popupItem(const char* name)
    {
        for (QAction* a : window->PopupMenu1->actions())
            if (a->objectName() == QLatin1String(name))
                return a;
        return nullptr;
    }

    // Drags the list page's tab down out of the tab bar.
    void dragTabOut()
    {
        QTabBar* bar = window->PageControl1->tabBar();
        const QPoint start = bar->tabRect(window->PageControl1->indexOf(list)).center();
        QTest::mousePress(bar, Qt::LeftButton, {}, start);
        const QPoint to = start + QPoint(0, 150);
        QMouseEvent move(QEvent::MouseMove, to, bar->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(bar, &move);
    }

    QTemporaryDir dir;
    platform::ScriptedDialogs dialogs;
    std::unique_ptr<shell::AppContext> ctx;
    std::unique_ptr<shell::TFrmLarksp> window;
    store::TDm_Ldb* dm = nullptr;
    store::ui::TDBListFrm* list = nullptr;
    int m_files = 0;
};

TEST_F(StoreWindowTest, ListColumnsSortFontAndFloating)
{
    storeMail("<a@x>", "2025/01/10 10:00:00", "beta");
    storeMail("<b@x>", "2025/01/20 10:00:00", "Alpha");
    storeMail("<c@x>", "2025/01/05 10:00:00", "gamma");
    ctx->actions().execute(QStringLiteral("DBConnect"));
    QTabWidget* pages = window->PageControl1;
    ASSERT_EQ(pages->currentWidget(), list);
    EXPECT_EQ(pages->tabText(pages->currentIndex()), QStringLiteral("DB List View"));
    EXPECT_TRUE(ctx->actions().checked(QStringLiteral("DBConnect")));
    EXPECT_EQ(ctx->status(2), QStringLiteral("DBと接続しました"));
    EXPECT_EQ(column(0), (QStringList{"<b@x>", "<a@x>", "<c@x>"})); // newest first

    // Fresh settings: columns 1, 3 to 7 and 9 visible, 200 pixels wide, with their titles.
    QTableView* grid = list->DBGrid1;
    for (int i = 0; i < 10; ++i) {
        const bool visible = i == 1 || (i >= 3 && i <= 7) || i == 9;
        EXPECT_EQ(!grid->isColumnHidden(i), visible) << i;
        if (visible)
            EXPECT_EQ(grid->columnWidth(i), 200) << i;
    }
    EXPECT_EQ(grid->model()->headerData(7, Qt::Horizontal).toString(), QStringLiteral("題目"));
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("受信日時"));

    // First title click on "題目": subject descending, letter case ignored; next on "受信日時": date ascending.
    clickTitle(7);
    EXPECT_EQ(dm->FDTbl1().sort().indexFieldNames(), QStringLiteral("MESSAGE_SUBJECT:D"));
    EXPECT_EQ(column(7), (QStringList{"gamma", "beta", "Alpha"}));
    clickTitle(1);
    EXPECT_EQ(dm->FDTbl1().sort().indexFieldNames(), QStringLiteral("MESSAGE_DATE:A"));
    EXPECT_EQ(column(0), (QStringList{"<c@x>", "<a@x>", "<b@x>"}));
    EXPECT_EQ(ctx->srtcnum, 2);
    EXPECT_EQ(grid->currentIndex().row(), 0);

    // Font 8 made larger five times is 13; the titles keep theirs.
    ASSERT_EQ(grid->font().pointSize(), 8);
    for (int i = 0; i < 5; ++i)
        popupItem("S2")->trigger();
    EXPECT_EQ(grid->font().pointSize(), 13);
    EXPECT_EQ(ctx->settings.dLstFrmFntSize, 13);
    EXPECT_EQ(grid->horizontalHeader()->font().pointSize(), 8);
    popupItem("S1")->trigger();
    EXPECT_EQ(grid->font().pointSize(), 11);

    // A column resized by the user is what the settings keep.
    grid->setColumnWidth(4, 123);
    EXPECT_EQ(ctx->settings.columns[4].width, 123);

    // Dragging the tab out floats the list; closing the floating window docks it back.
    dragTabOut();
    ASSERT_TRUE(list->isWindow());
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(pages->indexOf(list), -1);
    EXPECT_TRUE(shell::hasMode(ctx->pmode, shell::kModeListFloating));
    EXPECT_EQ(ctx->StartDocNum, 1);
    EXPECT_EQ(QSize(ctx->settings.lstWidth, ctx->settings.lstHeight), list->size());
    list->resize(500, 300);
    EXPECT_EQ(ctx->settings.lstWidth, 500);
    EXPECT_EQ(ctx->settings.lstHeight, 300);
    list->close();
    EXPECT_FALSE(list->isWindow());
    ASSERT_GE(pages->indexOf(list), 0);
    EXPECT_EQ(pages->currentWidget(), list);
    EXPECT_EQ(pages->tabText(pages->indexOf(list)), QStringLiteral("DB List View"));
    EXPECT_FALSE(shell::hasMode(ctx->pmode, shell::kModeListFloating));
    EXPECT_EQ(ctx->StartDocNum, 0);
    EXPECT_EQ(dm->FDTbl1().rowCount(), 3);

    // Closing the list removes the page.
    ctx->actions().execute(QStringLiteral("DBConnect"));
    EXPECT_EQ(pages->indexOf(list), -1);
    EXPECT_FALSE(list->isVisible());
    EXPECT_FALSE(ctx->actions().enabled(QStringLiteral("DispMsgDat")));
}

TEST_F(StoreWindowTest, ConnectingToAnEmptyArchiveShowsTheEmptyListWithoutSearchOrRowActions)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Larkspur 管理 -- LarkspurDB.fdb"));
    ctx->actions().execute(QStringLiteral("DBConnect"));
    EXPECT_EQ(window->PageControl1->currentWidget(), list);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->DBGrid1->model()->rowCount(), 0);
    EXPECT_TRUE(shell::hasMode(ctx->pmode, shell::kModeListOpen));
    for (const char* n : {"DBSelect", "DispMsgDat", "DelMsgDat", "ExprtMsgFile", "SetListFontSize"})
        EXPECT_FALSE(ctx->actions().enabled(QString::fromLatin1(n))) << n;
    EXPECT_FALSE(popupItem("S1")->isEnabled());
}

TEST_F(StoreWindowTest, AutoViewRuleOnThePopupShortcuts)
{
    storeMail("<a@x>", "2025/01/10 10:00:00", "beta");
    ctx->params().setValue(QStringLiteral("AutoView"), QStringLiteral("1"));
    ctx->actions().execute(QStringLiteral("DBConnect"));
    for (const char* n : {"N7", "N6", "N9"})
        EXPECT_TRUE(popupItem(n)->shortcut().isEmpty()) << n;
    ctx->actions().execute(QStringLiteral("DBConnect"));
    ctx->params().setValue(QStringLiteral("AutoView"), QStringLiteral("0"));
    ctx->actions().execute(QStringLiteral("DBConnect"));
    EXPECT_EQ(popupItem("N7")->shortcut(), QKeySequence(QStringLiteral("Ctrl+R")));
    EXPECT_EQ(popupItem("N6")->shortcut(), QKeySequence(QStringLiteral("Ctrl+T")));
    EXPECT_EQ(popupItem("N9")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Del")));

    // The shortcuts work while the grid has the focus.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    list->DBGrid1->setFocus();
    QTest::keyClick(list->DBGrid1, Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(list->DBGrid1->font().pointSize(), 9);
    QTest::keyClick(list->DBGrid1, Qt::Key_R, Qt::ControlModifier);
    EXPECT_TRUE(shell::hasMode(ctx->pmode, shell::kModeStoredShown));
    EXPECT_EQ(window->Edit[7]->text(), QStringLiteral("beta")); // read from the stored file

    // A change in the parameter table takes effect when the table loses the focus.
    window->showPage(window->TabSheet3);
    window->ValueListEditor1->setFocus();
    QCoreApplication::processEvents();
    ctx->params().setValue(QStringLiteral("AutoView"), QStringLiteral("1"));
    EXPECT_FALSE(popupItem("N7")->shortcut().isEmpty()); // not yet
    window->Editor->setFocus();
    QCoreApplication::processEvents();
    EXPECT_TRUE(popupItem("N7")->shortcut().isEmpty());
    ctx->params().setValue(QStringLiteral("AutoView"), QStringLiteral("0"));
    window->ValueListEditor1->setFocus();
    QCoreApplication::processEvents();
    window->Editor->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(popupItem("N7")->shortcut(), QKeySequence(QStringLiteral("Ctrl+R")));
}

struct Snapshot {
    QStringList edits;
    QString editor;
    QList<bool> tabs;
    QStringList attachments;
    QString data;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(shell::TFrmLarksp& w)
{
    Snapshot s;
    for (QLineEdit* e : w.Edit)
        s.edits << e->text();
    s.editor = w.Editor->toPlainText();
    for (QWidget* page : {w.TabSheet4, w.TabSheet2, w.TabSheet5, w.TabSheet1})
        s.tabs << w.isTabVisible(page);
    for (int i = 0; i < w.ListView1->count(); ++i)
        s.attachments << w.ListView1->item(i)->text();
    s.data = w.Memo1->toPlainText();
    return s;
}

TEST_F(StoreWindowTest, StoredMessageLooksExactlyLikeTheOpenedFile)
{
    // A Japanese multipart message with a text part and an attachment.
    QTemporaryDir in;
    const QString file = in.filePath(QStringLiteral("japanese.eml"));
    test::writeAll(file, "Message-ID: <jp-attach@example.jp>\r\n"
                         "Date: Tue, 10 Dec 2024 09:30:00 +0900\r\n"
                         "From: =?UTF-8?B?5bGx55Sw5aSq6YOO?= <taro@example.jp>\r\n"
                         "To: hanako@example.jp\r\n"
                         "Subject: =?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?=\r\n"
                         "MIME-Version: 1.0\r\n"
                         "Content-Type: multipart/mixed; boundary=\"b1\"\r\n\r\n"
                         "--b1\r\nContent-Type: text/plain; charset=UTF-8\r\nContent-Transfer-Encoding: base64\r\n\r\n"
                         "5pys5paH44Gn44GZ44CC\r\n"
                         "--b1\r\nContent-Type: text/plain; name=\"=?UTF-8?B?6LOH5paZLnR4dA==?=\"\r\n"
                         "Content-Disposition: attachment; filename=\"=?UTF-8?B?6LOH5paZLnR4dA==?=\"\r\n\r\n"
                         "attached text\r\n--b1--\r\n");
    platform::FileDialogResult chosen;
    chosen.files = {file};
    dialogs.openAnswers = {chosen};
    dialogs.confirmAnswers = {platform::Answer::No};
    ctx->actions().execute(QStringLiteral("MessageOpen"));
    const Snapshot opened = snapshot(*window);
    ASSERT_FALSE(opened.edits[0].isEmpty());
    ASSERT_FALSE(opened.attachments.isEmpty());
    if (ctx->actions().enabled(QStringLiteral("DBUpdate")))
        ctx->actions().execute(QStringLiteral("DBUpdate"));
    ASSERT_EQ(ctx->status(2), QStringLiteral("DB更新が完了しました"));

    ctx->actions().execute(QStringLiteral("DBConnect"));
    ASSERT_EQ(dm->FDTbl1().rowCount(), 1);
    ctx->callClearMsgDisp();
    ASSERT_TRUE(snapshot(*window).edits[0].isEmpty());
    QTableView* grid = list->DBGrid1;
    QTest::qWait(50); // the page is laid out
    const QRect cell = grid->visualRect(grid->model()->index(0, 1));
    ASSERT_TRUE(grid->viewport()->rect().contains(cell.center()));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center()); // AutoView off: nothing shown
    EXPECT_TRUE(snapshot(*window).edits[0].isEmpty());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(snapshot(*window), opened);
    EXPECT_TRUE(shell::hasMode(ctx->pmode, shell::kModeStoredShown));
    EXPECT_FALSE(ctx->actions().enabled(QStringLiteral("DBUpdate")));
    EXPECT_TRUE(ctx->actions().enabled(QStringLiteral("MessageSave")));
    EXPECT_TRUE(QDir(ctx->workingFolder()).entryList({QStringLiteral("*.eml")}, QDir::Files).isEmpty())
        << "the fetched copy is deleted";

    // The same row again is not read again: a changed edit stays as it is.
    window->Edit[7]->setText(QStringLiteral("marker"));
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(window->Edit[7]->text(), QStringLiteral("marker"));
}

} // namespace
