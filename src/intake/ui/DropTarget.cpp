#include "DropTarget.h"

#include "intake/DropData.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QTimer>
#include <QWidget>

namespace lark::intake::ui {

DropTarget::DropTarget(shell::AppContext& ctx, MailIntake& intake, QWidget* pane, const QList<QWidget*>& blockers,
                       QObject* parent)
    : QObject(parent), m_ctx(ctx), m_intake(intake), m_pane(pane)
{
    for (QWidget* w : blockers)
        if (w)
            w->setAcceptDrops(false);
    pane->setAcceptDrops(true);
    pane->installEventFilter(this);
}

bool DropTarget::switchedOn() const
{
    return !m_ctx.actions().checked(QStringLiteral("MLSender"));
}

bool DropTarget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_pane)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter: {
        auto* e = static_cast<QDragEnterEvent*>(event);
        if (!switchedOn() || !e->mimeData() || !carriesMessages(*e->mimeData())) {
            e->ignore();
            return true;
        }
        e->setDropAction(e->proposedAction() == Qt::LinkAction ? Qt::LinkAction : Qt::CopyAction);
        e->accept();
        m_dragging = true;
        m_intake.dragOver();
        return true;
    }
    case QEvent::DragMove: {
        auto* e = static_cast<QDragMoveEvent*>(event);
        if (!m_dragging) {
            e->ignore();
            return true;
        }
        e->setDropAction(e->proposedAction() == Qt::LinkAction ? Qt::LinkAction : Qt::CopyAction);
        e->accept();
        return true;
    }
    case QEvent::DragLeave:
        if (m_dragging) {
            m_dragging = false;
            m_intake.dragLeave();
        }
        return true;
    case QEvent::Drop: {
        auto* e = static_cast<QDropEvent*>(event);
        if (!m_dragging || !e->mimeData()) {
            e->ignore();
            return true;
        }
        m_dragging = false;
        // The dragged data is taken now; reading and the questions run after the drag has ended.
        const QList<DroppedItem> items = droppedItems(*e->mimeData());
        e->setDropAction(Qt::CopyAction);
        e->accept();
        QTimer::singleShot(0, this, [this, items] { m_intake.drop(items); });
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace lark::intake::ui
