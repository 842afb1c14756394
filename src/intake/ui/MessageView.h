#pragma once
// Renders the display model into the main window's controls and forwards the user's changes
// back: the header edits Edit1..Edit8, the text view Editor (text and visibility, with the colour
// of the upper pane), the hidden memos, the tabs "HTML", "添付ファイルⅠ", "添付ファイルⅡ" and
// the page in front, and both attachment lists.
#include "intake/IntakeHandlers.h"

#include <QObject>

class QWidget;

namespace lark::shell {
class TFrmLarksp;
}

namespace lark::intake::ui {

class AttachmentListBinder;

class MessageView : public QObject {
    Q_OBJECT
public:
    MessageView(shell::TFrmLarksp& window, IntakeHandlers& handlers, QObject* parent = nullptr);

    AttachmentListBinder* list(int n) const { return n == 2 ? m_list2 : m_list1; }

    // The page widget of a display page, and back (Other for pages of other subsystems).
    QWidget* pageWidget(MsgPage page) const;
    MsgPage pageOf(QWidget* widget) const;

private:
    void showEdits();
    void showEditor();
    void showEditorVisible(bool visible);
    void showMemos();
    void showTabs();
    void showPage(MsgPage page);

    shell::TFrmLarksp& m_window;
    MessageDisplay& m_display;
    AttachmentListBinder* m_list1 = nullptr;
    AttachmentListBinder* m_list2 = nullptr;
    // The page a reader asked for last; it comes to the front once its tab is shown.
    MsgPage m_wanted = MsgPage::Header;
};

} // namespace lark::intake::ui
