#include "AttachmentListBinder.h"

#include <QAction>
#include <QEvent>
#include <QListWidget>
#include <QMenu>
#include <QSignalBlocker>

namespace lark::intake::ui {

AttachmentListBinder::AttachmentListBinder(int list, QListWidget* widget, shell::AppContext& ctx,
                                           MessageDisplay& display, AttachmentActions& actions, QObject* parent)
    : QObject(parent), m_list(list), m_widget(widget), m_ctx(ctx), m_display(display), m_actions(actions)
{
    buildMenu();
    m_widget->setContextMenuPolicy(Qt::CustomContextMenu);
    m_widget->installEventFilter(this);

    connect(&m_display, &MessageDisplay::listChanged, this, [this](int l) {
        if (l == m_list)
            rebuild();
    });
    connect(&m_display, &MessageDisplay::selectionChanged, this, [this](int l, int index) {
        if (l == m_list)
            showSelection(index);
    });
    connect(m_widget, &QListWidget::itemSelectionChanged, this, &AttachmentListBinder::forwardSelection);
    connect(m_widget, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (m_list != 1 || !item)
            return;
        if (m_display.selectedIndex(1) != m_widget->row(item))
            m_actions.ListView1SelectItem(m_widget->row(item));
        m_actions.ListView1DblClick();
    });
    connect(m_widget, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        m_menu->popup(m_widget->viewport()->mapToGlobal(p));
    });
    rebuild();
}

void AttachmentListBinder::buildMenu()
{
    m_menu = new QMenu(m_widget);
    m_menu->setObjectName(QStringLiteral("pmAttachments%1").arg(m_list));
    for (const MenuEntry& entry : attachmentMenu(m_list)) {
        QAction* target = m_ctx.actions().get(entry.action);
        auto* item = new QAction(entry.caption, m_menu);
        item->setObjectName(entry.action);
        // The shortcut is shown; the window's action carries it.
        item->setShortcut(target->shortcut());
        item->setShortcutContext(Qt::WidgetShortcut);
        auto sync = [item, target] { item->setEnabled(target->isEnabled()); };
        sync();
        connect(target, &QAction::changed, item, sync);
        connect(item, &QAction::triggered, target, [target] { target->trigger(); });
        m_menu->addAction(item);
    }
}

void AttachmentListBinder::rebuild()
{
    m_syncing = true;
    {
        const QSignalBlocker block(m_widget);
        m_widget->clear();
        const auto details = m_display.fileDetails(m_list);
        if (details)
            m_widget->setIconSize(QSize(details->iconSize(), details->iconSize()));
        for (const ListEntry& entry : m_display.entries(m_list)) {
            auto* item = new QListWidgetItem(entry.caption, m_widget);
            item->setToolTip(entry.caption);
            if (details && !details->image(entry.imageIndex).isNull())
                item->setIcon(QIcon(details->image(entry.imageIndex)));
        }
    }
    m_syncing = false;
    showSelection(m_display.selectedIndex(m_list));
}

void AttachmentListBinder::showSelection(int index)
{
    m_syncing = true;
    {
        const QSignalBlocker block(m_widget);
        if (index >= 0 && index < m_widget->count()) {
            m_widget->setCurrentRow(index);
        } else {
            m_widget->clearSelection();
            m_widget->setCurrentRow(-1);
        }
    }
    m_syncing = false;
}

void AttachmentListBinder::forwardSelection()
{
    if (m_syncing)
        return;
    const QList<QListWidgetItem*> chosen = m_widget->selectedItems();
    const int row = chosen.isEmpty() ? -1 : m_widget->row(chosen.first());
    if (m_list == 1)
        m_actions.ListView1SelectItem(row);
    else
        m_actions.ListView2SelectItem(row);
}

bool AttachmentListBinder::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_widget && event->type() == QEvent::Leave) {
        if (m_list == 1)
            m_actions.ListView1MouseLeave();
        else
            m_actions.ListView2MouseLeave();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace lark::intake::ui
