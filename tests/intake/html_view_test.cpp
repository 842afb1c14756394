// The HTML view: which URLs it may load, cid: answered from the message's parts, and a real web
// view showing an HTML mail: the inline image shows, nothing remote is fetched (a listener on
// 127.0.0.1 must see no connection), scripts do not run; zoom from ZOOM and the zoom actions;
// pages too large to hand over directly.
#include "IntakeTestEnv.h"
#include "intake/ReaderSession.h"
#include "intake/ui/CidSchemeHandler.h"
#include "intake/ui/HtmlRequestPolicy.h"
#include "intake/ui/HtmlView.h"
#include "intake/ui/WebEngineSetup.h"
#include "intake/IntakeTexts.h"
#include "platform/Delay.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QTest>
#include <QTcpServer>
#include <QTcpSocket>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <QWidget>

#include <gtest/gtest.h>

using namespace lark;
using namespace lark::intake;
using namespace lark::intake::ui;

namespace {

// The scheme has to be known before the test main creates the application object.
const bool kPrepared = [] {
    prepareHtmlViewEnvironment();
    return true;
}();

// A 2 x 2 PNG.
const char kPngBase64[] =
    "iVBORw0KGgoAAAANSUhEUgAAAAIAAAACCAIAAAD91JpzAAAAFklEQVR4nGP8z8DAwMDAxMDAwMDAAAANHQEDasKb6QAAAABJRU5ErkJggg==";

QByteArray htmlMail(const QString& html)
{
    return test::crlf(QByteArray("From: a@example.jp\nTo: b@example.jp\nSubject: html\n"
                                 "Content-Type: multipart/related; boundary=rel\n\n"
                                 "--rel\nContent-Type: text/html; charset=utf-8\nContent-Transfer-Encoding: 8bit\n\n")
                      + html.toUtf8()
                      + "\n--rel\nContent-Type: image/png\nContent-ID: <logo@example.jp>\n"
                        "Content-Transfer-Encoding: base64\nContent-Disposition: inline\n\n"
                      + kPngBase64 + "\n--rel--\n");
}

// Processes events until done() or the time is up; true when done.
template <typename Pred>
bool waitFor(Pred done, int ms = 20000)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        platform::Delay(20);
    return done();
}

QVariant runScript(QWebEnginePage* page, const QString& script)
{
    QVariant result;
    bool done = false;
    page->runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant& v) {
        result = v;
        done = true;
    });
    waitFor([&] { return done; });
    return result;
}

QString pageText(QWebEnginePage* page)
{
    QString text;
    bool done = false;
    page->toPlainText([&](const QString& t) {
        text = t;
        done = true;
    });
    waitFor([&] { return done; });
    return text;
}

struct HtmlFixture {
    test::IntakeEnv env;
    MessageDisplay display;
    ReaderSession session{env.ctx, display};
    QWidget holder;
    HtmlView html{env.ctx, display, &holder};
    QTcpServer listener;
    int connections = 0;

    HtmlFixture()
    {
        session.reader.attachmentDelayMs = 0;
        new QVBoxLayout(&holder);
        holder.resize(500, 400);
        holder.show();
        listener.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&listener, &QTcpServer::newConnection, [this] {
            ++connections;
            while (QTcpSocket* s = listener.nextPendingConnection())
                s->close();
        });
    }
    ~HtmlFixture() { html.close(); } // before the temporary folder goes
    QString remote(const QString& path) const
    {
        return QStringLiteral("http://127.0.0.1:%1/%2").arg(listener.serverPort()).arg(path);
    }
    // Reads the mail and waits until the page holds the marker text.
    bool show(const QByteArray& mail, const QString& marker)
    {
        session.reader.ReadEmlFile(env.file(QStringLiteral("h.eml"), mail));
        return html.view() && waitFor([&] { return pageText(html.view()->page()).contains(marker); });
    }
};

} // namespace

TEST(HtmlRequestPolicy, OnlyDataAndCidMayLoad)
{
    struct Case {
        const char* url;
        bool allowed;
    };
    const Case cases[] = {
        {"cid:logo@example.jp", true},
        {"CID:Logo@Example.jp", true},
        {"data:image/png;base64,iVBORw0KGgo=", true},
        {"http://127.0.0.1/x.png", false},
        {"https://example.com/track.gif", false},
        {"ftp://example.com/a", false},
        {"file:///etc/passwd", false},
        {"ws://127.0.0.1:80/", false},
        {"blob:null/1234", false},
        {"javascript:alert(1)", false},
        {"about:blank", false},
        {"//example.com/x.png", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(htmlViewMayLoad(QUrl(QString::fromLatin1(c.url))), c.allowed) << c.url;
}

TEST(HtmlRequestPolicy, NavigationsStayInTheMessageAndClickedLinksGoOutside)
{
    struct Case {
        const char* url;
        bool clicked;
        NavigationChoice choice;
    };
    const Case cases[] = {
        {"data:text/html,<p>x</p>", false, NavigationChoice::Load},
        {"cid:larkspur-page.1", false, NavigationChoice::Load},
        {"about:blank", false, NavigationChoice::Load},
        {"http://127.0.0.1/refresh", false, NavigationChoice::Refuse}, // meta refresh, redirects
        {"file:///etc/passwd", false, NavigationChoice::Refuse},
        {"https://example.com/offer", true, NavigationChoice::OpenOutside},
        {"http://example.com/", true, NavigationChoice::OpenOutside},
        {"mailto:taro@example.jp", true, NavigationChoice::OpenOutside},
        {"file:///etc/passwd", true, NavigationChoice::Refuse},
        {"javascript:alert(1)", true, NavigationChoice::Refuse},
        {"cid:logo@example.jp", true, NavigationChoice::Refuse},
    };
    for (const Case& c : cases)
        EXPECT_EQ(navigationChoice(QUrl(QString::fromLatin1(c.url)), c.clicked), c.choice) << c.url << " " << c.clicked;
}

TEST(CidSchemeHandler, AnswersFromTheShownMessagesOwnParts)
{
    MessageDisplay display;
    display.IdMessage1 = MimeMessage::fromBytes(htmlMail(QStringLiteral("<p>x</p>")));
    display.IdMessage1A = MimeMessage::fromBytes(test::crlf(
        "Subject: d\nContent-Type: multipart/related; boundary=b\n\n--b\nContent-Type: text/html\n\n<p>d</p>\n"
        "--b\nContent-Type: image/gif\nContent-ID: <logo@example.jp>\n\nGIF89a\n"
        "--b\nContent-Type: text/css; charset=iso-2022-jp\nContent-ID: <s@x>\n\np{}\n--b--\n"));
    CidSchemeHandler handler(display);
    QByteArray type, content;

    // The decrypted message comes first, then the message itself.
    ASSERT_TRUE(handler.lookup(QUrl(QStringLiteral("cid:logo@example.jp")), &type, &content));
    EXPECT_EQ(type, "image/gif");
    EXPECT_EQ(content, "GIF89a");
    display.IdMessage1A.reset();
    ASSERT_TRUE(handler.lookup(QUrl(QStringLiteral("cid:logo%40example.jp")), &type, &content));
    EXPECT_EQ(type, "image/png");
    EXPECT_EQ(content, QByteArray::fromBase64(kPngBase64));

    EXPECT_FALSE(handler.lookup(QUrl(QStringLiteral("cid:missing@example.jp")), &type, &content));
    EXPECT_FALSE(handler.lookup(QUrl(QStringLiteral("http://logo@example.jp")), &type, &content));
    display.IdMessage1.reset();
    EXPECT_FALSE(handler.lookup(QUrl(QStringLiteral("cid:logo@example.jp")), &type, &content));

    // A served page answers under its own name only.
    const QUrl page = handler.servePage(QStringLiteral("<p>ページ</p>"));
    ASSERT_TRUE(handler.lookup(page, &type, &content));
    EXPECT_EQ(type, "text/html;charset=utf-8");
    EXPECT_EQ(QString::fromUtf8(content), QStringLiteral("<p>ページ</p>"));
}

TEST(HtmlView, ShowsTheInlineImageFetchesNothingAndRunsNoScript)
{
    HtmlFixture f;
    EXPECT_EQ(f.html.view(), nullptr); // created on first use
    const QString page = QStringLiteral(
        "<html><head><link rel=stylesheet href=\"%1\"><meta http-equiv=refresh content=\"0;url=%2\"></head>"
        "<body style=\"background:url(%3)\"><p id=t>本文です</p>"
        "<img id=inline src=\"cid:logo@example.jp\"><img id=remote src=\"%4\">"
        "<iframe src=\"%5\"></iframe><script>document.getElementById('t').textContent='SCRIPT RAN';"
        "new Image().src='%6';</script></body></html>")
                             .arg(f.remote("s.css"), f.remote("refresh"), f.remote("bg.png"), f.remote("x.png"),
                                  f.remote("frame"), f.remote("script"));
    ASSERT_TRUE(f.show(htmlMail(page), QStringLiteral("本文です")));

    QWebEnginePage* p = f.html.view()->page();
    EXPECT_TRUE(waitFor([&] { return runScript(p, QStringLiteral("document.getElementById('inline').complete")).toBool(); }));
    EXPECT_EQ(runScript(p, QStringLiteral("document.getElementById('inline').naturalWidth")).toInt(), 2);
    EXPECT_EQ(runScript(p, QStringLiteral("document.getElementById('remote').naturalWidth")).toInt(), 0);
    EXPECT_FALSE(pageText(p).contains(QStringLiteral("SCRIPT RAN")));
    platform::Delay(500); // a refresh or late request would arrive here
    EXPECT_TRUE(pageText(p).contains(QStringLiteral("本文です")));
    EXPECT_EQ(f.connections, 0);
    EXPECT_EQ(f.env.ctx.MDatType, 2);
    EXPECT_TRUE(QFileInfo(f.html.storageFolder()).isDir());
}

TEST(HtmlView, RequestsFromAnyOriginAreRefusedByTheProfile)
{
    // A page of a plain data: origin (no mixed-content rule in the way) still reaches nothing.
    HtmlFixture f;
    ASSERT_TRUE(f.show(htmlMail(QStringLiteral("<p>first</p>")), QStringLiteral("first")));
    QWebEnginePage* p = f.html.view()->page();
    p->setHtml(QStringLiteral("<p>plain</p><img src=\"%1\"><link rel=stylesheet href=\"%2\">")
                   .arg(f.remote("a.png"), f.remote("b.css")));
    ASSERT_TRUE(waitFor([&] { return pageText(p).contains(QStringLiteral("plain")); }));
    EXPECT_TRUE(waitFor([&] { return f.html.blocker()->blockedCount() >= 2; }));
    platform::Delay(300);
    EXPECT_EQ(f.connections, 0);
}

TEST(HtmlView, AClickedLinkOpensInTheDesktopsProgramAndTheMessageStays)
{
    HtmlFixture f;
    const QString log = QDir(f.env.dir.path()).filePath(QStringLiteral("opened.txt"));
    const QString opener = QDir(f.env.dir.path()).filePath(QStringLiteral("opener.sh"));
    test::writeAll(opener, QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '%1'\n").arg(log).toUtf8());
    QFile::setPermissions(opener, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("LARKSPUR_OPENER", opener.toUtf8());
    ASSERT_TRUE(f.show(htmlMail(QStringLiteral("<p>リンク</p><a id=l style=\"font-size:40px\" href=\"%1\">offer</a>")
                                    .arg(f.remote(QStringLiteral("offer")))),
                       QStringLiteral("offer")));
    QWebEngineView* view = f.html.view();
    const QVariantList box = runScript(view->page(), QStringLiteral(
        "(function(){var r=document.getElementById('l').getBoundingClientRect();return [r.left+r.width/2,r.top+r.height/2];})()"))
                                 .toList();
    ASSERT_EQ(box.size(), 2);
    const QPoint at(int(box[0].toDouble() * view->zoomFactor()), int(box[1].toDouble() * view->zoomFactor()));
    QWidget* surface = view->focusProxy() ? view->focusProxy() : view;
    QTest::mouseClick(surface, Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_TRUE(waitFor([&] { return QFileInfo::exists(log); }, 10000));
    EXPECT_EQ(QString::fromUtf8(test::readAll(log)).trimmed(), f.remote(QStringLiteral("offer")));
    EXPECT_TRUE(pageText(view->page()).contains(QStringLiteral("リンク")));
    EXPECT_EQ(f.connections, 0);
    qunsetenv("LARKSPUR_OPENER");
}

TEST(HtmlView, ZoomFromTheParameterAndTheZoomActions)
{
    struct Case {
        const char* zoom;
        const char* fixed;
        double shown;      // factor the message opens at
        double afterIn;    // after one step in
        const char* saved; // ZOOM afterwards
    };
    const Case cases[] = {
        {"Dummy Data", "Dummy Data", 0.70, 0.77, "70"},
        {"100", "0", 1.00, 1.10, "110"},
        {"100", "1", 1.00, 1.10, "100"},
    };
    for (const Case& c : cases) {
        HtmlFixture f;
        f.env.ctx.params().setValue(QStringLiteral("ZOOM"), QString::fromLatin1(c.zoom));
        f.env.ctx.params().setValue(QStringLiteral("ZoomFixed"), QString::fromLatin1(c.fixed));
        ASSERT_TRUE(f.show(htmlMail(QStringLiteral("<p>zoom</p>")), QStringLiteral("zoom"))) << c.zoom;
        EXPECT_NEAR(f.html.view()->zoomFactor(), c.shown, 1e-6) << c.zoom;
        EXPECT_TRUE(f.env.ctx.actions().enabled(QStringLiteral("Zoom_IncMgn")));
        f.display.setCurrentPage(MsgPage::Header);
        f.env.ctx.actions().get(QStringLiteral("Zoom_IncMgn"))->trigger();
        EXPECT_NEAR(f.html.view()->zoomFactor(), c.afterIn, 1e-6) << c.zoom;
        EXPECT_EQ(f.env.ctx.params().value(QStringLiteral("ZOOM")), QString::fromLatin1(c.saved)) << c.zoom;
        EXPECT_EQ(f.display.currentPage(), MsgPage::Html);
        f.env.ctx.actions().get(QStringLiteral("Zoom_DecMgn"))->trigger();
        EXPECT_NEAR(f.html.view()->zoomFactor(), c.afterIn * 0.9, 1e-6) << c.zoom;
    }
}

TEST(HtmlView, APageTooLargeToHandOverDirectlyStillShowsWithItsImages)
{
    HtmlFixture f;
    QString big = QStringLiteral("<p>始まり</p><img id=inline src=\"cid:logo@example.jp\">");
    const QString filler = QStringLiteral("<p>%1</p>").arg(QString(200, QChar(0x3042)));
    while (big.size() < 1200000)
        big += filler;
    big += QStringLiteral("<p>終わりの印</p>");
    ASSERT_GT(big.toUtf8().size(), 2 * 1024 * 1024); // beyond what a data: URL can carry
    ASSERT_TRUE(f.show(htmlMail(big), QStringLiteral("終わりの印")));
    QWebEnginePage* p = f.html.view()->page();
    EXPECT_TRUE(waitFor([&] { return runScript(p, QStringLiteral("document.getElementById('inline').naturalWidth")).toInt() == 2; }));
}

TEST(HtmlView, EmptyingTheDisplayClearsThePageAndCloseReleasesTheProfileFolder)
{
    HtmlFixture f;
    ASSERT_TRUE(f.show(htmlMail(QStringLiteral("<p>vorher</p>")), QStringLiteral("vorher")));
    f.session.reader.ClearMsgDisp();
    EXPECT_FALSE(f.env.ctx.actions().enabled(QStringLiteral("Zoom_IncMgn")));
    EXPECT_TRUE(waitFor([&] { return !pageText(f.html.view()->page()).contains(QStringLiteral("vorher")); }));
    f.html.close();
    EXPECT_EQ(f.html.view(), nullptr);
    const QString browserFolder = QFileInfo(f.html.storageFolder()).path();
    EXPECT_TRUE(QDir(browserFolder).removeRecursively());
    platform::Delay(300);
    EXPECT_FALSE(QFileInfo::exists(browserFolder)); // nothing written after the close
}

TEST(HtmlView, AnEngineThatDoesNotComeUpEndsTheWaitWithAMessage)
{
    if (!qEnvironmentVariableIsSet("LARK_ENGINE_STANDS_STILL")) {
        // The engine's helper process is chosen at start: run this test again in a process whose
        // helper starts but never answers.
        QTemporaryDir dir;
        const QString helper = QDir(dir.path()).filePath(QStringLiteral("stuck-helper"));
        test::writeAll(helper, "#!/bin/sh\nexec sleep 4\n");
        QFile::setPermissions(helper, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LARK_ENGINE_STANDS_STILL"), QStringLiteral("1"));
        env.insert(QStringLiteral("QTWEBENGINEPROCESS_PATH"), helper);
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=HtmlView.AnEngineThatDoesNotComeUpEndsTheWaitWithAMessage")});
        ASSERT_TRUE(child.waitForFinished(120000));
        const QString out = QString::fromLocal8Bit(child.readAll());
        EXPECT_EQ(child.exitCode(), 0) << qPrintable(out);
        EXPECT_TRUE(out.contains(QStringLiteral("[  PASSED  ] 1 test"))) << qPrintable(out);
        return;
    }
    HtmlFixture f;
    f.html.readyTimeoutMs = 1500;
    const QByteArray mail = test::crlf(
        "Subject: s\nContent-Type: multipart/alternative; boundary=a\n\n--a\nContent-Type: text/plain\n\nthe text\n"
        "--a\nContent-Type: text/html\n\n<p>the page</p>\n--a--\n");
    for (int round = 0; round < 2; ++round) {
        f.session.reader.ReadEmlFile(f.env.file(QStringLiteral("s.eml"), mail));
        EXPECT_FALSE(f.html.ready());
        EXPECT_EQ(f.env.ctx.status(2), texts::kHtmlViewUnavailable) << round;
        EXPECT_EQ(f.display.editorText(), QStringLiteral("the text")) << round;
        EXPECT_EQ(f.holder.findChildren<QLabel*>(QStringLiteral("HtmlViewUnavailable")).size(), 1) << round;
    }
}
