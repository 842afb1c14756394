#include "IntakeHandlers.h"

#include <QFileInfo>

namespace lark::intake {

IntakeHandlers::IntakeHandlers(shell::AppContext& ctx, QObject* parent)
    : QObject(parent), m_ctx(ctx), m_display(std::make_unique<MessageDisplay>()),
      m_session(std::make_unique<ReaderSession>(ctx, *m_display)),
      m_attachments(std::make_unique<AttachmentActions>(ctx, *m_display)),
      m_intake(std::make_unique<MailIntake>(ctx, *m_display, m_session->reader))
{
    connectAction("MessageOpen", [this] { m_intake->MessageOpen(); });

    AttachmentActions* at = m_attachments.get();
    connectAction("SavetoDisk", [at] { at->SavetoDisk(); });
    connectAction("SaveToDiskA1", [at] { at->SaveToDiskA1(); });
    connectAction("SaveToDiskA2", [at] { at->SaveToDiskA2(); });
    connectAction("OpenWith", [at] { at->OpenWith(); });
    connectAction("OpenWithA1", [at] { at->OpenWithA1(); });
    connectAction("OpenWithA2", [at] { at->OpenWithA2(); });
    connectAction("OpenWithRTF", [at] { at->OpenWithRTF(); });
    connectAction("OpenWithTXT", [at] { at->OpenWithTXT(); });

    GpgDecryption* gpg = &m_session->gpg;
    connectAction("DecryptGpg", [gpg] { gpg->DecryptGpg(); });
    connectAction("DecryptGpgA1", [gpg] { gpg->DecryptGpgA1(); });
    connectAction("SaveToDiskDGpg", [gpg] { gpg->SaveToDiskDGpg(); });
    connectAction("SaveToDiskD1Gpg", [gpg] { gpg->SaveToDiskD1Gpg(); });
    connectAction("SaveToDiskD2Gpg", [gpg] { gpg->SaveToDiskD2Gpg(); });

    connectAction("DecryptTnefA1", [this] {
        const Status unpacked = m_session->tnef.DecryptTnefA1();
        if (!unpacked.ok())
            m_ctx.dialogs().error(unpacked.errorText());
    });

    m_ctx.clearMsgDisp = [this] { m_session->reader.ClearMsgDisp(); };
    m_ctx.readEmlFile = [this](const QString& path) { m_session->reader.ReadEmlFile(path); };
    m_ctx.shownMessage = [this] { return shownMessage(); };
    m_ctx.dataMemoText = [this] { return m_display->Memo1.join(QLatin1Char('\n')); };
    m_ctx.bringShownPageToFront = [this] {
        if (m_display->tabVisible(MsgPage::Html))
            m_display->setCurrentPage(MsgPage::Html);
        else if (m_display->tabVisible(MsgPage::Attachments1))
            m_display->setCurrentPage(MsgPage::Attachments1);
        else
            m_display->setCurrentPage(MsgPage::Header);
    };
}

IntakeHandlers::~IntakeHandlers()
{
    m_ctx.clearMsgDisp = nullptr;
    m_ctx.readEmlFile = nullptr;
    m_ctx.shownMessage = nullptr;
    m_ctx.dataMemoText = nullptr;
    m_ctx.bringShownPageToFront = nullptr;
}

void IntakeHandlers::connectAction(const char* name, std::function<void()> handler)
{
    connect(m_ctx.actions().get(QString::fromLatin1(name)), &QAction::triggered, this,
            [handler = std::move(handler)] { handler(); });
}

shell::ShownMessage IntakeHandlers::shownMessage() const
{
    shell::ShownMessage s = m_display->shownMessage(m_ctx.MDatType);
    s.mailFile = (!m_ctx.awk_MessageFile.isEmpty() && QFileInfo(m_ctx.awk_MessageFile).isFile())
        ? m_ctx.awk_MessageFile
        : m_ctx.MessageFile;
    return s;
}

} // namespace lark::intake
