#include "HtmlView.h"

#include "CidSchemeHandler.h"
#include "HtmlRequestPolicy.h"
#include "intake/HtmlPage.h"
#include "intake/IntakeTexts.h"
#include "platform/Delay.h"
#include "platform/ShellOpen.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QWidget>

namespace lark::intake::ui {

// The page of a shown message: it never navigates away from what the program loads into it (a
// clicked web or mail link opens in the desktop's program), and opens no windows.
class MailPage : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override
    {
        switch (navigationChoice(url, type == NavigationTypeLinkClicked)) {
        case NavigationChoice::Load:
            return type != NavigationTypeFormSubmitted;
        case NavigationChoice::OpenOutside:
            platform::openWithAssociatedProgram(url.toString(QUrl::FullyEncoded), false);
            return false;
        case NavigationChoice::Refuse:
            return false;
        }
        return false;
    }
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int, const QString&) override {}
};

namespace {

void applySettings(QWebEngineSettings* s)
{
    s->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    s->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    s->setAttribute(QWebEngineSettings::LocalStorageEnabled, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    s->setAttribute(QWebEngineSettings::HyperlinkAuditingEnabled, false);
    s->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
    s->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    s->setAttribute(QWebEngineSettings::WebRTCPublicInterfacesOnly, true);
    s->setAttribute(QWebEngineSettings::AutoLoadImages, true);
}

} // namespace

HtmlView::HtmlView(shell::AppContext& ctx, MessageDisplay& display, QWidget* holder, QObject* parent)
    : QObject(parent), m_ctx(ctx), m_display(display), m_holder(holder)
{
    connect(&m_display, &MessageDisplay::htmlChanged, this, &HtmlView::render);
    connect(m_ctx.actions().get(QStringLiteral("Zoom_IncMgn")), &QAction::triggered, this, [this] { zoom(true); });
    connect(m_ctx.actions().get(QStringLiteral("Zoom_DecMgn")), &QAction::triggered, this, [this] { zoom(false); });
    // While the view is not up, a reading that ends with an HTML text says so instead of its usual
    // finish text (which would hide the message of the wait).
    connect(&m_ctx, &shell::AppContext::statusChanged, this, [this](int panel, const QString& text) {
        if (panel == 2 && text == texts::kMessageShown && m_gaveUp && !m_ready && m_display.hasHtml())
            m_ctx.setStatus(2, texts::kHtmlViewUnavailable);
    });
}

HtmlView::~HtmlView()
{
    release();
}

QString HtmlView::storageFolder() const
{
    return QDir(m_ctx.MyAppDataPath)
        .filePath(m_ctx.programFileName + QStringLiteral(".WebView2/EBWebView"));
}

bool HtmlView::ensureView()
{
    if (!m_view) {
        if (!m_holder)
            return false;
        release(); // a profile left from a view the holder deleted
        m_profile = new QWebEngineProfile(QStringLiteral("Larkspur"), this);
        m_profile->setPersistentStoragePath(storageFolder());
        m_profile->setCachePath(QDir(storageFolder()).filePath(QStringLiteral("Cache")));
        m_profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
        m_profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
        m_profile->setSpellCheckEnabled(false);
        applySettings(m_profile->settings());
        m_blocker = new HtmlRequestBlocker(m_profile);
        m_profile->setUrlRequestInterceptor(m_blocker);
        m_cid = new CidSchemeHandler(m_display, m_profile);
        m_profile->installUrlSchemeHandler("cid", m_cid);

        m_view = new QWebEngineView(m_holder);
        m_view->setObjectName(QStringLiteral("HtmlWebView"));
        m_page = new MailPage(m_profile, m_view);
        applySettings(m_page->settings());
        m_view->setPage(m_page);
        m_view->setContextMenuPolicy(Qt::NoContextMenu);
        if (m_holder->layout())
            m_holder->layout()->addWidget(m_view);
        connect(m_page, &QWebEnginePage::loadFinished, this, [this](bool ok) {
            if (!m_ready) {
                // The first page that loads tells that the engine is up.
                if (!ok) {
                    m_firstLoadFailed = true;
                    return;
                }
                m_ready = true;
                if (auto* label = m_holder ? m_holder->findChild<QLabel*>(QStringLiteral("HtmlViewUnavailable")) : nullptr)
                    label->deleteLater();
            }
            emit loaded(ok);
        });
        m_page->setHtml(QString(), CidSchemeHandler::pageBaseUrl());
    }
    if (m_ready)
        return true;
    if (!m_gaveUp) {
        QElapsedTimer waited;
        waited.start();
        platform::Delay(100);
        while (!m_ready && !m_firstLoadFailed && m_view && waited.elapsed() < readyTimeoutMs)
            platform::Delay(100);
    }
    if (m_ready || !m_view)
        return m_ready;
    // The engine did not come up: say so where the page would be, and do not wait again.
    m_gaveUp = true;
    m_ctx.setStatus(2, texts::kHtmlViewUnavailable);
    if (m_holder && !m_holder->findChild<QLabel*>(QStringLiteral("HtmlViewUnavailable"))) {
        auto* label = new QLabel(texts::kHtmlViewUnavailable, m_holder);
        label->setObjectName(QStringLiteral("HtmlViewUnavailable"));
        label->setAlignment(Qt::AlignCenter);
        if (m_holder->layout())
            m_holder->layout()->addWidget(label);
    }
    return false;
}

void HtmlView::render()
{
    if (!m_display.hasHtml()) {
        // The display was emptied: the page goes, the view stays for the next message.
        if (m_page)
            m_page->setHtml(QString(), CidSchemeHandler::pageBaseUrl());
        return;
    }
    if (!ensureView() && !m_view)
        return;
    if (!m_page)
        return;
    m_view->setZoomFactor(qBound(kMinZoom, m_display.zoomFactor(), kMaxZoom));
    const QString html = m_display.html();
    if (html.toUtf8().size() <= directPageLimit)
        m_page->setHtml(html, CidSchemeHandler::pageBaseUrl());
    else
        m_page->load(m_cid->servePage(html));
}

void HtmlView::zoom(bool zoomIn)
{
    if (!m_view)
        return;
    m_view->setZoomFactor(zoomStep(m_ctx, m_display, m_view->zoomFactor(), zoomIn));
}

bool HtmlView::release()
{
    m_ready = false;
    m_firstLoadFailed = false;
    m_gaveUp = false;
    delete m_view; // the page with it
    delete m_page; // a page the view did not take
    if (!m_profile)
        return false;
    delete m_profile; // the interceptor and the cid handler with it
    m_profile = nullptr;
    m_blocker = nullptr;
    m_cid = nullptr;
    return true;
}

void HtmlView::close()
{
    // The engine writes the profile's last state in the background as it goes; give it the time,
    // so the folder can be deleted for good afterwards.
    if (release())
        platform::Delay(200);
}

} // namespace lark::intake::ui
