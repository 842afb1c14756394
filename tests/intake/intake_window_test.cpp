// The intake in the main window: opening one and several files through the dialog (questions and
// their numbering, DBUpdate executed through the action), drops on the upper pane, the attachment
// lists with their icons, enabling rules and pop-up menus, and a hostile attachment name.
#include "IntakeTestEnv.h"
#include "intake/IntakeHandlers.h"
#include "intake/IntakeTexts.h"
#include "intake/ui/HtmlView.h"
#include "intake/ui/IntakeUi.h"
#include "intake/ui/WebEngineSetup.h"
#include "platform/Delay.h"
#include "shell/ui/TFrmLarksp.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QTabWidget>
#include <QTextEdit>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

using namespace lark;
using namespace lark::intake;
using platform::Answer;

namespace {

const bool kPrepared = [] {
    ui::prepareHtmlViewEnvironment();
    return true;
}();

QByteArray plainMail(const char* subjectUtf8Base64, const char* body)
{
    return test::crlf(QByteArray("Message-ID: <") + body + "@example.jp>\nDate: Mon, 9 Dec 2024 10:11:12 +0900\n"
                      "From: =?UTF-8?B?5bGx55Sw5aSq6YOO?= <taro@example.jp>\nTo: hanako@example.jp\n"
                      "Subject: =?UTF-8?B?" + subjectUtf8Base64 + "?=\n"
                      "Content-Type: text/plain; charset=utf-8\n\n" + body + "\n");
}

// Subjects: "会議の件", "見積書", "請求書".
const char* const kSubjects64[] = {"5Lya6K2w44Gu5Lu2", "6KaL56mN5pu4", "6KuL5rGC5pu4"};
const char* const kSubjects[] = {"会議の件", "見積書", "請求書"};

QByteArray mailWithAttachments(const QList<QByteArray>& names)
{
    QByteArray m = "Subject: att\nFrom: a@example.jp\nContent-Type: multipart/mixed; boundary=b\n\n"
                   "--b\nContent-Type: text/plain\n\nsee attached\n";
    for (const QByteArray& name : names)
        m += "--b\nContent-Type: application/octet-stream\nContent-Disposition: attachment; filename=\"" + name
            + "\"\nContent-Transfer-Encoding: base64\n\n" + QByteArray("content of " + name).toBase64() + "\n";
    return test::crlf(m + "--b--\n");
}

class IntakeWindow : public ::testing::Test {
protected:
    test::IntakeEnv env; // the settings folder, dialogs and Tokyo time
    std::unique_ptr<shell::TFrmLarksp> window;
    ui::IntakeUi intake;
    QStringList stored; // subject shown at each execution of DBUpdate

    void SetUp() override
    {
        env.ctx.setProgramFolder(QCoreApplication::applicationDirPath());
        window = std::make_unique<shell::TFrmLarksp>(env.ctx, shell::StartOptions{}, env.dir.path());
        intake = ui::installIntakeUi(*window);
        intake.handlers->reader().attachmentDelayMs = 0;
        QObject::connect(env.ctx.actions().get(QStringLiteral("DBUpdate")), &QAction::triggered, window.get(),
                         [this] { stored << window->Edit[7]->text(); });
        window->show();
    }

    QString mail(int i) { return env.file(QStringLiteral("m%1.eml").arg(i), plainMail(kSubjects64[i], "body")); }
    void openThroughDialog(const QStringList& files)
    {
        env.dialogs.openAnswers = {platform::FileDialogResult{files, 2}};
        env.ctx.actions().get(QStringLiteral("MessageOpen"))->trigger();
    }
    QStringList confirmTexts() const
    {
        QStringList out;
        for (const auto& s : env.dialogs.shown)
            if (s.kind == platform::ScriptedDialogs::Kind::Confirm)
                out << s.text;
        return out;
    }
    QString subject() const { return window->Edit[7]->text(); }
    bool enabled(const char* action) { return env.ctx.actions().enabled(QString::fromLatin1(action)); }
    QMenu* menu(int list) const { return window->findChild<QMenu*>(QStringLiteral("pmAttachments%1").arg(list)); }
    bool menuItemEnabled(int list, const char* action) const
    {
        for (QAction* a : menu(list)->actions())
            if (a->objectName() == QLatin1String(action))
                return a->isEnabled();
        ADD_FAILURE() << "no menu item for " << action;
        return false;
    }
    bool send(QEvent& e)
    {
        QApplication::sendEvent(window->Panel1, &e);
        return e.isAccepted();
    }
};

} // namespace

TEST_F(IntakeWindow, OneFileIsShownWithoutQuestionsAndNotStored)
{
    openThroughDialog({mail(0)});
    EXPECT_TRUE(confirmTexts().isEmpty());
    EXPECT_EQ(subject(), QString::fromUtf8(kSubjects[0]));
    EXPECT_EQ(window->Edit[3]->text(), QStringLiteral("山田太郎"));
    EXPECT_EQ(window->Edit[1]->text(), QStringLiteral("2024/12/09 10:11:12"));
    EXPECT_EQ(window->Editor->toPlainText(), QStringLiteral("body"));
    EXPECT_TRUE(window->Memo1->toPlainText().startsWith(QStringLiteral("Message-ID:")));
    EXPECT_TRUE(enabled("DBUpdate"));
    EXPECT_TRUE(stored.isEmpty());
    EXPECT_EQ(window->StatusPanel[2]->text(), texts::kMessageShown);

    // The user's correction of a header edit is what the store operation reads.
    window->Edit[7]->setFocus();
    window->Edit[7]->selectAll();
    QTest::keyClicks(window->Edit[7], QStringLiteral("fixed"));
    EXPECT_EQ(env.ctx.shownMessage().edits[7], QStringLiteral("fixed"));
}

TEST_F(IntakeWindow, SeveralFilesAskTheQuestionsWhileEachFileIsShown)
{
    struct Case {
        Answer batch;
        QStringList expectedQuestions;
        QStringList subjectsAtQuestions;
        QStringList expectedStored;
    };
    const QString a = QStringLiteral("m0.eml"), b = QStringLiteral("m1.eml"), c = QStringLiteral("m2.eml");
    const QString s0 = QString::fromUtf8(kSubjects[0]), s1 = QString::fromUtf8(kSubjects[1]),
                  s2 = QString::fromUtf8(kSubjects[2]);
    const Case cases[] = {
        {Answer::No,
         {texts::kBatchQuestion, texts::storeQuestion(3, a), texts::storeQuestion(2, b), texts::storeQuestion(1, c)},
         {s0, s0, s1, s2},
         {s0, s2}}, // Yes, No, Yes to the three store questions
        {Answer::Yes, {texts::kBatchQuestion}, {s0}, {s0, s1, s2}},
    };
    for (const Case& k : cases) {
        env.dialogs.clear();
        stored.clear();
        QStringList subjectsAtQuestions;
        env.dialogs.onShow = [&](const platform::ScriptedDialogs::Shown& s) {
            if (s.kind == platform::ScriptedDialogs::Kind::Confirm)
                subjectsAtQuestions << subject();
        };
        env.dialogs.confirmAnswers = {k.batch, Answer::Yes, Answer::No, Answer::Yes};
        openThroughDialog({mail(0), mail(1), mail(2)});
        EXPECT_EQ(confirmTexts(), k.expectedQuestions);
        EXPECT_EQ(subjectsAtQuestions, k.subjectsAtQuestions);
        EXPECT_EQ(stored, k.expectedStored);
        EXPECT_EQ(subject(), s2); // the last file stays shown
        env.dialogs.onShow = nullptr;
    }
}

TEST_F(IntakeWindow, AFileThatIsNoMailFileIsRefusedAndTheNumberingGoesOn)
{
    const QString txt = env.file(QStringLiteral("notes.txt"), "just text\n");
    env.dialogs.confirmAnswers = {Answer::No, Answer::No, Answer::No};
    openThroughDialog({mail(0), txt, mail(2)});
    EXPECT_EQ(env.dialogs.texts(), (QStringList{texts::kBatchQuestion, texts::storeQuestion(3, QStringLiteral("m0.eml")),
                                                texts::kNotMailFile, texts::storeQuestion(1, QStringLiteral("m2.eml"))}));
    EXPECT_EQ(subject(), QString::fromUtf8(kSubjects[2]));
}

TEST_F(IntakeWindow, DroppedFilesAreCopiedIntoTheWorkingFolderShownAndStored)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(mail(0)), QUrl::fromLocalFile(mail(1))});

    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction | Qt::LinkAction, &data, Qt::LeftButton, Qt::NoModifier);
    EXPECT_TRUE(send(enter));
    EXPECT_TRUE(window->Editor->isHidden()); // the drop label shows
    EXPECT_EQ(window->Panel1->backgroundRole(), QPalette::ToolTipBase);
    QDragLeaveEvent leave;
    send(leave);
    EXPECT_FALSE(window->Editor->isHidden());

    env.dialogs.confirmAnswers = {Answer::Yes};
    QDragEnterEvent again(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    send(again);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    EXPECT_TRUE(send(drop));
    platform::Delay(50); // the intake runs once the drag has ended
    EXPECT_EQ(confirmTexts(), QStringList{texts::kBatchQuestion});
    EXPECT_EQ(stored, (QStringList{QString::fromUtf8(kSubjects[0]), QString::fromUtf8(kSubjects[1])}));
    EXPECT_EQ(env.workingFiles(), (QStringList{QStringLiteral("m0.eml"), QStringLiteral("m1.eml")}));
    EXPECT_EQ(test::readAll(QDir(env.ctx.workingFolder()).filePath(QStringLiteral("m1.eml"))), test::readAll(mail(1)));
    EXPECT_EQ(env.ctx.awk_MessageFile, QDir(env.ctx.workingFolder()).filePath(QStringLiteral("m1.eml")));
    EXPECT_FALSE(window->Editor->isHidden());
    EXPECT_EQ(window->Panel1->backgroundRole(), QPalette::Button);
}

TEST_F(IntakeWindow, DroppedMessageDataIsShownFromItsWorkingCopy)
{
    QMimeData data;
    data.setData(QStringLiteral("message/rfc822"), plainMail(kSubjects64[1], "dragged"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    ASSERT_TRUE(send(enter));
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    send(drop);
    platform::Delay(50);
    EXPECT_TRUE(env.dialogs.shown.isEmpty());
    EXPECT_EQ(subject(), QString::fromUtf8(kSubjects[1]));
    EXPECT_EQ(window->Editor->toPlainText(), QStringLiteral("dragged"));
    EXPECT_EQ(env.workingFiles(), QStringList{QStringLiteral("message.eml")});
}

TEST_F(IntakeWindow, ADroppedItemThatCannotBeReadIsReportedAndAWorkingCopyIsNeverEmptied)
{
    // A folder named like a mail file gives no stream; the next item is still taken.
    const QString folder = QDir(env.dir.path()).filePath(QStringLiteral("in/folder.eml"));
    QDir().mkpath(folder);
    // A file dropped out of the working folder is its own working copy: it must keep its bytes.
    const QString copy = QDir(env.ctx.workingFolder()).filePath(QStringLiteral("again.eml"));
    test::writeAll(copy, plainMail(kSubjects64[2], "kept"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(folder), QUrl::fromLocalFile(copy)});
    env.dialogs.confirmAnswers = {Answer::No};
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    ASSERT_TRUE(send(enter));
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    send(drop);
    platform::Delay(50);
    EXPECT_EQ(env.dialogs.texts(),
              (QStringList{texts::kDropUnreadable, texts::storeQuestion(1, QStringLiteral("again.eml"))}));
    EXPECT_EQ(test::readAll(copy), plainMail(kSubjects64[2], "kept"));
    EXPECT_EQ(window->Editor->toPlainText(), QStringLiteral("kept"));
}

TEST_F(IntakeWindow, DragsAreRefusedInSenderModeAndWithoutMessages)
{
    QMimeData text;
    text.setText(QStringLiteral("hello"));
    QMimeData remote;
    remote.setUrls({QUrl(QStringLiteral("https://example.com/a.eml"))});
    for (QMimeData* data : {&text, &remote}) {
        QDragEnterEvent e(QPoint(5, 5), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        EXPECT_FALSE(send(e));
    }
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(mail(0))});
    env.ctx.actions().check(QStringLiteral("MLSender"), true);
    QDragEnterEvent e(QPoint(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    EXPECT_FALSE(send(e));
    EXPECT_FALSE(window->Editor->isHidden());
}

TEST_F(IntakeWindow, AttachmentListsShowIconsAndFollowTheEnablingRules)
{
    openThroughDialog({env.file(QStringLiteral("att.eml"),
                                mailWithAttachments({"report.PDF", "data.dat", "secret.asc", "doc.gpg", "encrypted.bin"}))});
    QListWidget* list = window->ListView1;
    ASSERT_EQ(list->count(), 5);
    EXPECT_TRUE(window->isTabVisible(window->TabSheet2));
    EXPECT_FALSE(window->isTabVisible(window->TabSheet5));
    EXPECT_EQ(window->PageControl1->currentWidget(), window->TabSheet2);
    EXPECT_EQ(list->iconSize(), QSize(24, 24)); // 96 dpi
    for (int i = 0; i < list->count(); ++i)
        EXPECT_FALSE(list->item(i)->icon().isNull()) << i;
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("report.PDF"));

    struct Row {
        int index;
        bool openWith, decrypt;
    };
    const Row rows[] = {{0, true, false}, {1, false, false}, {2, false, true}, {3, false, true}, {4, true, true}};
    for (const Row& r : rows) {
        list->setCurrentRow(r.index);
        EXPECT_EQ(window->StatusPanel[2]->text(), list->item(r.index)->text());
        EXPECT_TRUE(enabled("SavetoDisk")) << r.index;
        EXPECT_EQ(enabled("OpenWith"), r.openWith && r.index != 4) << r.index; // "encrypted" in the name
        EXPECT_EQ(enabled("DecryptGpg"), r.decrypt) << r.index;
        EXPECT_EQ(enabled("SaveToDiskDGpg"), r.decrypt) << r.index;
        EXPECT_EQ(menuItemEnabled(1, "OpenWith"), enabled("OpenWith")) << r.index;
        EXPECT_EQ(menuItemEnabled(1, "DecryptGpg"), r.decrypt) << r.index;
    }
    // The mouse leaves the list with an entry selected: nothing changes; without one: all off.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(list, &leave);
    EXPECT_TRUE(enabled("SavetoDisk"));
    list->clearSelection();
    QApplication::sendEvent(list, &leave);
    for (const char* a : {"SavetoDisk", "OpenWith", "DecryptGpg", "SaveToDiskDGpg"})
        EXPECT_FALSE(enabled(a)) << a;
    EXPECT_FALSE(menuItemEnabled(1, "SavetoDisk"));

    // The second list by its own rules.
    intake.handlers->display().addEntry(2, QStringLiteral("inner.DAT"), -1);
    intake.handlers->display().addEntry(2, QStringLiteral("inner.txt"), -1);
    ASSERT_EQ(window->ListView2->count(), 2);
    window->ListView2->setCurrentRow(0);
    EXPECT_TRUE(enabled("SaveToDiskA2"));
    EXPECT_FALSE(enabled("OpenWithA2"));
    EXPECT_FALSE(menuItemEnabled(2, "OpenWith"));
    window->ListView2->setCurrentRow(1);
    EXPECT_TRUE(enabled("OpenWithA2"));
    EXPECT_TRUE(menuItemEnabled(2, "OpenWith"));
    EXPECT_EQ(menu(2)->actions().size(), 3);
    EXPECT_EQ(menu(1)->actions().first()->text(), QStringLiteral("名前をつけて保存 (&N)"));
    EXPECT_EQ(menu(1)->actions().first()->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));

    // A selection made by the handlers shows in the list.
    intake.handlers->display().setSelected(1, 3);
    EXPECT_EQ(list->currentRow(), 3);

    // The page the user brings to the front is the page the list actions go by.
    window->showPage(window->TabSheet1);
    EXPECT_EQ(intake.handlers->display().currentPage(), MsgPage::Header);
    env.dialogs.clear();
    env.ctx.actions().execute(QStringLiteral("SavetoDisk"));
    EXPECT_TRUE(env.dialogs.shown.isEmpty()); // nothing to save from the header page
    window->showPage(window->TabSheet5);
    EXPECT_EQ(intake.handlers->display().currentPage(), MsgPage::Attachments2);
    env.ctx.actions().execute(QStringLiteral("SavetoDisk"));
    ASSERT_EQ(env.dialogs.shown.size(), 1);
    EXPECT_EQ(env.dialogs.shown.first().options.fileName, QStringLiteral("inner.txt"));
}

TEST_F(IntakeWindow, AttachmentsOfTheSameNameEachGiveTheirOwnBytes)
{
    // Signatures often carry several "image001.png"; nameless parts are all listed as "ver.dat".
    const QByteArray m = test::crlf(
        "Subject: same\nFrom: a@example.jp\nContent-Type: multipart/mixed; boundary=b\n\n"
        "--b\nContent-Type: text/plain\n\nx\n"
        "--b\nContent-Type: image/png; name=image001.png\nContent-Disposition: attachment; filename=image001.png\n\nfirst\n"
        "--b\nContent-Type: image/png; name=image001.png\nContent-Disposition: attachment; filename=image001.png\n\nsecond\n"
        "--b\nContent-Type: application/octet-stream\n\nthird\n"
        "--b\nContent-Type: application/octet-stream\n\nfourth\n--b--\n");
    openThroughDialog({env.file(QStringLiteral("same.eml"), m)});
    ASSERT_EQ(window->ListView1->count(), 4);
    const QByteArray expected[] = {"first", "second", "third", "fourth"};
    for (int row = 0; row < 4; ++row) {
        window->ListView1->setCurrentRow(row);
        const QString chosen = QDir(env.dir.path()).filePath(QStringLiteral("saved%1").arg(row));
        env.dialogs.saveAnswers = {chosen};
        env.ctx.actions().get(QStringLiteral("SavetoDisk"))->trigger();
        EXPECT_EQ(test::readAll(chosen).trimmed(), expected[row]) << row;
    }
}

TEST_F(IntakeWindow, HostileAttachmentNameIsListedSavedAndOpenedOnlyInsideTheWorkingFolder)
{
    const QString opened = QDir(env.dir.path()).filePath(QStringLiteral("opened.txt"));
    const QString opener = QDir(env.dir.path()).filePath(QStringLiteral("opener.sh"));
    test::writeAll(opener, QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '%1'\n").arg(opened).toUtf8());
    QFile::setPermissions(opener, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("LARKSPUR_OPENER", opener.toUtf8());

    openThroughDialog({env.file(QStringLiteral("evil.eml"), mailWithAttachments({"../../evil.sh"}))});
    ASSERT_EQ(window->ListView1->count(), 1);
    EXPECT_EQ(window->ListView1->item(0)->text(), QStringLiteral("../../evil.sh")); // as sent
    window->ListView1->setCurrentRow(0);
    ASSERT_EQ(window->PageControl1->currentWidget(), window->TabSheet2);

    // Saved under the chosen name; the proposal holds no folder part.
    const QString chosen = QDir(env.dir.path()).filePath(QStringLiteral("chosen.sh"));
    env.dialogs.saveAnswers = {chosen};
    env.ctx.actions().get(QStringLiteral("SavetoDisk"))->trigger();
    ASSERT_FALSE(env.dialogs.shown.isEmpty());
    EXPECT_FALSE(env.dialogs.shown.last().options.fileName.contains(QLatin1Char('/')));
    EXPECT_EQ(test::readAll(chosen), QByteArray("content of ../../evil.sh"));

    // Opened (menu entry and double-click) from a file inside the working folder.
    env.ctx.actions().get(QStringLiteral("OpenWith"))->trigger();
    QListWidgetItem* item = window->ListView1->item(0);
    emit window->ListView1->itemDoubleClicked(item);
    const QStringList paths = QString::fromUtf8(test::readAll(opened)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(paths.size(), 2);
    for (const QString& p : paths) {
        EXPECT_EQ(QFileInfo(p).absolutePath(), QFileInfo(env.ctx.workingFolder()).absoluteFilePath()) << qPrintable(p);
        EXPECT_EQ(test::readAll(p), QByteArray("content of ../../evil.sh")) << qPrintable(p);
    }
    for (const QString& outside : {QDir(env.dir.path()).filePath(QStringLiteral("evil.sh")),
                                   QDir(env.ctx.workingFolder()).filePath(QStringLiteral("../../evil.sh")),
                                   QDir(env.ctx.workingFolder()).filePath(QStringLiteral("../evil.sh"))})
        EXPECT_FALSE(QFileInfo::exists(outside)) << qPrintable(outside);

    // The next message empties the list and the opened file goes with it.
    openThroughDialog({mail(0)});
    EXPECT_FALSE(QFileInfo::exists(paths.first()));
    EXPECT_EQ(window->ListView1->count(), 0);
    EXPECT_FALSE(window->isTabVisible(window->TabSheet2));
    qunsetenv("LARKSPUR_OPENER");
}

TEST_F(IntakeWindow, AnHtmlMessageShowsOnItsTabAndTheWindowsCloseRemovesTheBrowserFolder)
{
    const QByteArray m = test::crlf(
        "Subject: =?UTF-8?B?5Lya6K2w44Gu5Lu2?=\nFrom: a@example.jp\nContent-Type: multipart/mixed; boundary=m\n\n"
        "--m\nContent-Type: multipart/alternative; boundary=a\n\n"
        "--a\nContent-Type: text/plain; charset=utf-8\n\nテキスト\n"
        "--a\nContent-Type: text/html; charset=utf-8\n\n<p>ＨＴＭＬ本文</p>\n--a--\n"
        "--m\nContent-Type: application/pdf; name=a.pdf\nContent-Disposition: attachment; filename=a.pdf\n\n%PDF\n"
        "--m\nContent-Type: text/plain; name=b.txt\nContent-Disposition: attachment; filename=b.txt\n\nb\n--m--\n");
    openThroughDialog({env.file(QStringLiteral("h.eml"), m)});
    EXPECT_TRUE(window->isTabVisible(window->TabSheet4));
    EXPECT_TRUE(window->isTabVisible(window->TabSheet2));
    EXPECT_EQ(window->ListView1->count(), 2);
    EXPECT_EQ(window->Editor->toPlainText(), QStringLiteral("テキスト"));
    EXPECT_EQ(env.ctx.MDatType, 2);
    ui::HtmlView* html = intake.html;
    ASSERT_NE(html->view(), nullptr);
    EXPECT_TRUE(window->EdgeBrowser1->isAncestorOf(html->view()));
    EXPECT_TRUE(enabled("Zoom_IncMgn"));
    const QString browserFolder = QDir(env.dir.path()).filePath(QStringLiteral("Larkspur.WebView2"));
    EXPECT_TRUE(QFileInfo(browserFolder).isDir());

    window->close();
    EXPECT_EQ(html->view(), nullptr);
    platform::Delay(300);
    EXPECT_FALSE(QFileInfo::exists(browserFolder));
    EXPECT_FALSE(QFileInfo::exists(env.ctx.workingFolder()));
}

TEST_F(IntakeWindow, AWindowDestroyedWithoutClosingTakesItsWebViewAlong)
{
    const QByteArray m = test::crlf("Subject: h\nContent-Type: text/html\n\n<p>x</p>\n");
    openThroughDialog({env.file(QStringLiteral("h.eml"), m)});
    ASSERT_NE(intake.html->view(), nullptr);
    window.reset(); // the holder goes first, then the view's owner
    SUCCEED();
}

TEST_F(IntakeWindow, FilesUnpackedFromWinmailDatShowInTheSecondListAndOpenFromTheSecondFolder)
{
    const QString sample = QDir(test::corpusDir()).filePath(QStringLiteral("tnef/poi_quick-winmail.dat"));
    if (!QFileInfo::exists(sample))
        GTEST_SKIP() << "corpus sample missing";
    const QString opened = QDir(env.dir.path()).filePath(QStringLiteral("opened.txt"));
    const QString opener = QDir(env.dir.path()).filePath(QStringLiteral("opener.sh"));
    test::writeAll(opener, QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '%1'\n").arg(opened).toUtf8());
    QFile::setPermissions(opener, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("LARKSPUR_OPENER", opener.toUtf8());

    const QByteArray m = test::crlf("Subject: tnef\nFrom: a@example.jp\nContent-Type: multipart/mixed; boundary=b\n\n"
                                    "--b\nContent-Type: text/plain\n\nsee attached\n"
                                    "--b\nContent-Type: application/ms-tnef; name=winmail.dat\n"
                                    "Content-Disposition: attachment; filename=winmail.dat\n"
                                    "Content-Transfer-Encoding: base64\n\n")
        + test::readAll(sample).toBase64() + "\r\n--b--\r\n";
    openThroughDialog({env.file(QStringLiteral("w.eml"), m)});
    EXPECT_TRUE(window->isTabVisible(window->TabSheet5));
    EXPECT_EQ(window->PageControl1->currentWidget(), window->TabSheet5);
    QListWidget* list = window->ListView2;
    QStringList captions;
    for (int i = 0; i < list->count(); ++i) {
        captions << list->item(i)->text();
        EXPECT_FALSE(list->item(i)->icon().isNull()) << i;
    }
    ASSERT_TRUE(captions.contains(QStringLiteral("quick.pdf"))) << qPrintable(captions.join(QLatin1Char(',')));

    list->setCurrentRow(int(captions.indexOf(QStringLiteral("quick.pdf"))));
    ASSERT_TRUE(menuItemEnabled(2, "OpenWith"));
    for (QAction* a : menu(2)->actions())
        if (a->objectName() == QLatin1String("OpenWith"))
            a->trigger();
    const QString path = QString::fromUtf8(test::readAll(opened)).trimmed();
    EXPECT_EQ(QFileInfo(path).absoluteFilePath(),
              QFileInfo(QDir(env.ctx.secondLevelFolder()).filePath(QStringLiteral("quick.pdf"))).absoluteFilePath());
    EXPECT_TRUE(test::readAll(path).startsWith("%PDF"));
    qunsetenv("LARKSPUR_OPENER");
}
