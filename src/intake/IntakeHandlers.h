#pragma once
// The intake subsystem's handlers for the main window, in one place: creates the display model
// and the parts that work on it, connects the window's actions (MessageOpen, the attachment
// and decryption actions, DecryptTnefA1) and installs the context's hooks (clearMsgDisp,
// readEmlFile, shownMessage, dataMemoText, bringShownPageToFront). The window creates one,
// renders display() and forwards the list and drop events to attachments() and intake().
#include "AttachmentActions.h"
#include "MailIntake.h"
#include "MessageDisplay.h"
#include "ReaderSession.h"
#include "shell/AppContext.h"

#include <QObject>

#include <memory>

namespace lark::intake {

class IntakeHandlers : public QObject {
    Q_OBJECT
public:
    explicit IntakeHandlers(shell::AppContext& ctx, QObject* parent = nullptr);
    ~IntakeHandlers() override;

    MessageDisplay& display() { return *m_display; }
    EmlReader& reader() { return m_session->reader; }
    GpgDecryption& gpg() { return m_session->gpg; }
    TnefExtraction& tnef() { return m_session->tnef; }
    AttachmentActions& attachments() { return *m_attachments; }
    MailIntake& intake() { return *m_intake; }

    // What the store operation takes from the display now.
    shell::ShownMessage shownMessage() const;

private:
    void connectAction(const char* name, std::function<void()> handler);

    shell::AppContext& m_ctx;
    std::unique_ptr<MessageDisplay> m_display;
    std::unique_ptr<ReaderSession> m_session;
    std::unique_ptr<AttachmentActions> m_attachments;
    std::unique_ptr<MailIntake> m_intake;
};

} // namespace lark::intake
