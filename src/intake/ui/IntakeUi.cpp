#include "IntakeUi.h"

#include "DropTarget.h"
#include "HtmlView.h"
#include "MessageView.h"
#include "intake/IntakeHandlers.h"
#include "shell/ui/TFrmLarksp.h"

#include <QLabel>
#include <QTextEdit>

namespace lark::intake::ui {

IntakeUi installIntakeUi(shell::TFrmLarksp& window)
{
    IntakeUi ui;
    ui.handlers = new IntakeHandlers(window.ctx(), &window);
    ui.handlers->setObjectName(QStringLiteral("IntakeHandlers"));
    ui.view = new MessageView(window, *ui.handlers, &window);
    ui.view->setObjectName(QStringLiteral("IntakeMessageView"));
    ui.html = new HtmlView(window.ctx(), ui.handlers->display(), window.EdgeBrowser1, &window);
    ui.html->setObjectName(QStringLiteral("IntakeHtmlView"));
    ui.drop = new DropTarget(window.ctx(), ui.handlers->intake(), window.Panel1,
                             QList<QWidget*>{window.Editor, window.Editor->viewport(), window.Label9}, &window);
    ui.drop->setObjectName(QStringLiteral("DropEmptyTarget1"));
    // The window's close lets go of the web view before the browser's folder is deleted.
    HtmlView* html = ui.html;
    QObject::connect(&window, &shell::TFrmLarksp::closing, html, [html] { html->close(); });
    return ui;
}

} // namespace lark::intake::ui
