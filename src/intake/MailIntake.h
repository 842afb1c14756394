#pragma once
// Mail file intake: the open-file dialog (MessageOpen) and drops on the upper pane. Each file
// goes to the reader its extension names; when several come at once, the batch and store
// questions decide whether DBUpdate is executed for each while it is shown.
#include "EmlReader.h"
#include "MessageDisplay.h"
#include "platform/Dialogs.h"
#include "shell/AppContext.h"

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QString>

#include <memory>

namespace lark::intake {

// One dropped item: its file name and its content stream (nullptr: the drag gave none).
struct DroppedItem {
    QString name;
    std::shared_ptr<QIODevice> contents;
};

// The open-file dialog's filters, index 1 to 6.
QList<platform::FileFilter> messageOpenFilters();

class MailIntake {
public:
    MailIntake(shell::AppContext& ctx, MessageDisplay& display, EmlReader& reader)
        : m_ctx(ctx), m_display(display), m_reader(reader)
    {
    }

    void MessageOpen();

    // Drop target events.
    void dragOver();  // the drop label shows: Editor hidden
    void dragLeave(); // Editor back
    void drop(const QList<DroppedItem>& items);

    // The pause after copying an Outlook item file before it is read.
    int msgCopyDelayMs = 100;

    // Leaves the database list mode when the list is open (the disconnected state).
    void leaveListMode();

private:
    // Reads a file by its extension; false when the extension is neither ".eml" nor ".msg".
    void readEml(const QString& path);
    void readMsg(const QString& path);
    bool askBatch();
    void settle(bool batch, int remaining, const QString& fileName);

    shell::AppContext& m_ctx;
    MessageDisplay& m_display;
    EmlReader& m_reader;
};

} // namespace lark::intake
