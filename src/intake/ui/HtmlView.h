#pragma once
// The browser view of the tab "HTML" (EdgeBrowser1): a web view created on first use inside the
// holder widget, in a profile of its own whose storage lies in "<settings folder>/<program>.WebView2/
// EBWebView", with scripts off, every request but data: and cid: refused and cid: answered from the
// message's parts. It renders the display's HTML text and zoom and carries out the zoom actions.
#include "intake/MessageDisplay.h"
#include "shell/AppContext.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWebEnginePage>
#include <QWebEngineView>

class QWebEngineProfile;
class QWidget;

namespace lark::intake::ui {

class CidSchemeHandler;
class HtmlRequestBlocker;

class HtmlView : public QObject {
    Q_OBJECT
public:
    HtmlView(shell::AppContext& ctx, MessageDisplay& display, QWidget* holder, QObject* parent = nullptr);
    ~HtmlView() override;

    // How long the first showing waits for the web view to come up; when it does not, status panel 2
    // and the tab say so, the text view still shows the message and later messages do not wait.
    int readyTimeoutMs = 10000;
    // HTML texts up to this many bytes (UTF-8) are handed to the view directly; larger ones are
    // served as a cid: page (a directly handed page travels percent-encoded in a data: URL, which
    // the engine refuses from 2 MB on).
    int directPageLimit = 600000;

    // The web view, once created (nullptr before the first HTML message and after close()).
    QWebEngineView* view() const { return m_view; }
    bool ready() const { return m_ready; }
    HtmlRequestBlocker* blocker() const { return m_blocker; }
    CidSchemeHandler* cidHandler() const { return m_cid; }
    // The folder of the profile's storage.
    QString storageFolder() const;

    // Releases the web view and its profile (the window is closing; its folder gets deleted next).
    void close();

signals:
    // The HTML text last loaded has been laid out (ok) or could not be loaded.
    void loaded(bool ok);

private:
    void render();
    bool ensureView();
    void zoom(bool zoomIn);
    // Deletes the view (with its page) and then the profile; true when there was a profile.
    bool release();

    shell::AppContext& m_ctx;
    MessageDisplay& m_display;
    QPointer<QWidget> m_holder;
    QWebEngineProfile* m_profile = nullptr;
    // The view lives in the holder: the window may delete it before this object goes.
    QPointer<QWebEngineView> m_view;
    QPointer<QWebEnginePage> m_page;
    HtmlRequestBlocker* m_blocker = nullptr;
    CidSchemeHandler* m_cid = nullptr;
    bool m_ready = false;
    bool m_firstLoadFailed = false;
    bool m_gaveUp = false;
};

} // namespace lark::intake::ui
