// Not a test: starts the program's window through the real entry, drops the message file named by
// $LARKSPUR_SHOT_MESSAGE on the upper pane and takes screenshots of the whole X screen with
// ImageMagick's "import" into $LARKSPUR_SHOT_PREFIX-<page>.png (drop label, HTML, attachments,
// header tab). Run under Xvfb: xvfb-run -a -s "-screen 0 1024x768x24" intake_screenshot
#include "Composition.h"
#include "intake/ui/WebEngineSetup.h"
#include "platform/Delay.h"
#include "shell/ui/AppEntry.h"
#include "shell/ui/TFrmLarksp.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QProcess>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>

namespace {

void shoot(const QString& page)
{
    lark::platform::Delay(1500);
    const QString file = qEnvironmentVariable("LARKSPUR_SHOT_PREFIX") + QLatin1Char('-') + page + QStringLiteral(".png");
    QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), file});
}

void run(lark::shell::TFrmLarksp& w)
{
    w.resize(1000, 720);
    w.move(10, 10);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(qEnvironmentVariable("LARKSPUR_SHOT_MESSAGE"))});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.Panel1, &enter);
    shoot(QStringLiteral("drop"));
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.Panel1, &drop);
    lark::platform::Delay(500);
    w.showPage(w.TabSheet4);
    shoot(QStringLiteral("html"));
    w.showPage(w.TabSheet2);
    shoot(QStringLiteral("attachments"));
    w.ctx().actions().check(QStringLiteral("DispTAB1"), true);
    w.DispTAB1Execute();
    w.showPage(w.TabSheet1);
    shoot(QStringLiteral("header"));
    w.close();
}

} // namespace

int main(int argc, char** argv)
{
    lark::shell::EntryHooks hooks = lark::app::entryHooks();
    hooks.createSubsystems = [](lark::shell::TFrmLarksp& w) {
        lark::app::createSubsystems(w);
        QTimer::singleShot(2500, &w, [&w] { run(w); });
    };
    return lark::shell::runEntry(argc, argv, hooks);
}
