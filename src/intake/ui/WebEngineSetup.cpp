#include "WebEngineSetup.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QWebEngineUrlScheme>

#include <unistd.h>

namespace lark::intake::ui {

namespace {

void appendChromiumFlag(const QByteArray& flag)
{
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (flags.split(' ').contains(flag))
        return;
    if (!flags.isEmpty())
        flags += ' ';
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags + flag);
}

} // namespace

void prepareHtmlViewEnvironment()
{
    static bool done = false;
    if (done)
        return;
    done = true;

    // cid:<content-id> (RFC 2392) has no host part. Pages of the scheme may load its other URLs;
    // nothing from elsewhere may load them.
    QWebEngineUrlScheme cid("cid");
    cid.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    cid.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme
                 | QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(cid);

    // Chromium refuses to start its sandbox as root.
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // Without a real display there is no GPU to render with.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.startsWith("offscreen") || platform.startsWith("minimal") || qEnvironmentVariableIsSet("LARKSPUR_NO_GPU"))
        appendChromiumFlag("--disable-gpu");
}

} // namespace lark::intake::ui
