#pragma once
// One attachment list of the window (ListView1 or ListView2) bound to the display: entries with
// their icons from the list's TFileAssociationDetails, selection both ways, the double-click, the
// mouse leaving the list, and the pop-up menu (pmAttachments1 / pmAttachments2) whose items point
// to the window's actions.
#include "intake/AttachmentActions.h"
#include "intake/MessageDisplay.h"
#include "shell/AppContext.h"

#include <QObject>

class QListWidget;
class QMenu;

namespace lark::intake::ui {

class AttachmentListBinder : public QObject {
    Q_OBJECT
public:
    // list: 1 (ListView1) or 2 (ListView2).
    AttachmentListBinder(int list, QListWidget* widget, shell::AppContext& ctx, MessageDisplay& display,
                         AttachmentActions& actions, QObject* parent = nullptr);

    QMenu* menu() const { return m_menu; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rebuild();
    void showSelection(int index);
    void forwardSelection();
    void buildMenu();

    const int m_list;
    QListWidget* m_widget;
    shell::AppContext& m_ctx;
    MessageDisplay& m_display;
    AttachmentActions& m_actions;
    QMenu* m_menu = nullptr;
    bool m_syncing = false;
};

} // namespace lark::intake::ui
