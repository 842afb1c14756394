#pragma once
// The drop target on the upper pane (Panel1): mail files dragged from a file manager (uri-list)
// and messages dragged from a mail program (message/rfc822) go to the intake. While a drag is over
// the pane the text view hides and the drop label shows. Off while the bulk sender mode is on.
#include "intake/MailIntake.h"
#include "shell/AppContext.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace lark::intake::ui {

class DropTarget : public QObject {
    Q_OBJECT
public:
    // pane: the widget that takes drops; blockers: its children that must leave drops to it.
    DropTarget(shell::AppContext& ctx, MailIntake& intake, QWidget* pane, const QList<QWidget*>& blockers,
               QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool switchedOn() const;

    shell::AppContext& m_ctx;
    MailIntake& m_intake;
    QPointer<QWidget> m_pane;
    bool m_dragging = false;
};

} // namespace lark::intake::ui
