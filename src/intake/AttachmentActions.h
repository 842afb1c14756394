#pragma once
// The attachment lists' actions: enabling by selection and mouse-leave, saving an attachment
// under a chosen name (SavetoDisk, SaveToDiskA1/A2), opening it with the program associated
// with its type (OpenWith, OpenWithA1/A2, OpenWithRTF/TXT), and the double-click.
#include "MessageDisplay.h"
#include "shell/AppContext.h"

#include <QList>
#include <QString>

#include <functional>

namespace lark::intake {

// One entry of a list's pop-up menu: its caption and the action it points to.
struct MenuEntry {
    QString caption;
    QString action;
};
// pmAttachments1 (list 1) and pmAttachments2 (list 2).
QList<MenuEntry> attachmentMenu(int list);

class AttachmentActions {
public:
    AttachmentActions(shell::AppContext& ctx, MessageDisplay& display) : m_ctx(ctx), m_display(display) {}

    // List events forwarded by the window.
    void ListView1SelectItem(int index);
    void ListView1DblClick();
    void ListView1MouseLeave();
    void ListView2SelectItem(int index);
    void ListView2MouseLeave();

    // Actions.
    void SavetoDisk();
    void SaveToDiskA1();
    void SaveToDiskA2();
    void OpenWith();
    void OpenWithA1();
    void OpenWithA2();
    void OpenWithRTF();
    void OpenWithTXT();

    // The Outlook item reader saves its attachments (caption -> path); without it, entries of
    // an Outlook item are not written.
    std::function<bool(const QString& caption, const QString& path)> saveOutlookAttachment;

    // Whether the shown message is an Internet message (".eml"); else an Outlook item.
    bool showsInternetMessage() const;

private:
    // Whether a first-level caption is one of the encrypted kinds (first two enabling rows).
    static bool isEncryptedEntry(const QString& caption);
    static bool refusesOpening(const QString& caption);
    void startAssociated(const QString& path);

    shell::AppContext& m_ctx;
    MessageDisplay& m_display;
};

} // namespace lark::intake
