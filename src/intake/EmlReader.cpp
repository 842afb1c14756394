#include "EmlReader.h"

#include "FileAssociationDetails.h"
#include "HeaderFields.h"
#include "HtmlPage.h"
#include "IntakeTexts.h"
#include "TextCodec.h"
#include "platform/Delay.h"
#include "shell/ModeWord.h"

#include <QFile>
#include <QFileInfo>

namespace lark::intake {

namespace {

const QString kBegin = QStringLiteral("-----BEGIN PGP MESSAGE-----");
const QString kJis = QStringLiteral("iso-2022-jp");

// JISFlg: the line after the armor's first line, or the one after it, names ISO-2022-JP.
bool armorNamesJis(const QStringList& lines, qsizetype beginLine)
{
    for (qsizetype i = beginLine + 1; i <= beginLine + 2 && i < lines.size(); ++i)
        if (lines[i].contains(kJis, Qt::CaseInsensitive))
            return true;
    return false;
}

} // namespace

EmlReader::EmlReader(shell::AppContext& ctx, MessageDisplay& display, GpgDecryption& gpg, TnefExtraction& tnef,
                     QObject* parent)
    : QObject(parent), m_ctx(ctx), m_display(display), m_gpg(gpg), m_tnef(tnef)
{
    // An entry leaves a list: the attachment last written for opening goes too.
    connect(&m_display, &MessageDisplay::entriesRemoved, this, [this] {
        if (!m_ctx.ExecuteFile.isEmpty() && QFileInfo(m_ctx.ExecuteFile).isFile())
            QFile::remove(m_ctx.ExecuteFile);
    });
}

void EmlReader::ClearMsgDisp()
{
    for (int i = 0; i < 8; ++i)
        m_display.setEdit(i, QString());
    m_display.setMemos({}, {});
    m_display.clearEditor();
    m_ctx.actions().disable(QStringLiteral("Zoom_IncMgn"));
    m_ctx.actions().disable(QStringLiteral("Zoom_DecMgn"));
    m_display.closeHtml();
    m_display.clearList(1);
    m_display.clearList(2);
    // The second list's entries are gone; the decrypted message behind them goes too.
    m_display.IdMessage1A.reset();
    m_display.setTabVisible(MsgPage::Attachments1, false);
    m_display.setTabVisible(MsgPage::Attachments2, false);
    m_display.setTabVisible(MsgPage::Html, false);
    m_ctx.old_MessageFile.clear();
    if (m_ctx.actions().enabled(QStringLiteral("MessageSave")))
        m_ctx.actions().disable(QStringLiteral("MessageSave"));
    m_ctx.TnefFlg = false;
}

void EmlReader::ReadEmlFile(const QString& path)
{
    m_path = path;
    m_loadError.clear();
    m_wasMailData = false;

    // 1. reset, 2. zoom parameters, 3. icon lookup
    ClearMsgDisp();
    m_ctx.MDatType = 0;
    bool pgpFound = false;
    m_zoom = readZoomParameters(m_ctx);
    if (auto details = m_display.fileDetails(1))
        details->Clear();

    // 4. load (a failure is not reported: the reading goes on with an empty message)
    QString error;
    std::shared_ptr<MimeMessage> msg = MimeMessage::fromFile(path, &error);
    if (!msg) {
        m_loadError = error;
        msg = MimeMessage::fromBytes({});
    }
    m_display.IdMessage1 = msg;
    {
        QFile f(path);
        QStringList whole;
        if (f.open(QIODevice::ReadOnly))
            whole = splitLines(QString::fromUtf8(f.readAll()));
        m_display.setMemos(whole, whole.mid(msg->headerCount()));
    }
    m_wasMailData = msg->isMessage() || msg->headerBlock().contains(kBegin);

    // 5. header tab
    fillHeaderTab(*msg);

    // 6. - 12. body
    const bool goOn = msg->hasParts() ? readParts(*msg, pgpFound) : readSinglePart(*msg, path, pgpFound);
    if (!goOn)
        return;

    // 14. finish
    if (pgpFound)
        m_ctx.MDatType = 3;
    if (!shell::hasMode(m_ctx.pmode, shell::kModeStoredShown))
        m_ctx.actions().enable(QStringLiteral("DBUpdate"));
    m_ctx.setStatus(2, texts::kMessageShown);
}

void EmlReader::fillHeaderTab(const MimeMessage& msg)
{
    m_display.setEdit(0, msg.header(QStringLiteral("Message-Id")));

    QString date;
    if (msg.date().isValid())
        date = formatEditDate(msg.date());
    else if (msg.hasHeader(QStringLiteral("X-Apparently-To")))
        date = formatEditDate(apparentlyToDate(msg.header(QStringLiteral("X-Apparently-To"))));
    m_display.setEdit(1, date);

    m_display.setEdit(2, msg.header(QStringLiteral("X-Account-Key")));
    m_display.setEdit(3, senderNameText(msg.fromName()));
    m_display.setEdit(4, msg.fromAddress());

    const QString rawTo = msg.header(QStringLiteral("To"));
    const QString address = receiverAddressFromRawTo(rawTo);
    QStringList accounts;
    for (int n = 1; n <= 10; ++n)
        accounts << m_ctx.params().value(QStringLiteral("MailAccount%1").arg(n));
    m_display.setEdit(5, receiverNameFromAccounts(receiverNameFromRawTo(rawTo), address, accounts));
    m_display.setEdit(6, address);

    m_display.setEdit(7, msg.subject());
}

bool EmlReader::readParts(MimeMessage& msg, bool& pgpFound)
{
    auto details = std::make_shared<TFileAssociationDetails>(m_ctx.CDpi);
    m_display.setFileDetails(1, details);
    int counter = 0;
    for (qsizetype i = 0; i < msg.parts().size(); ++i) {
        if (msg.parts()[i].isAttachment()) {
            m_display.setCurrentPage(MsgPage::Attachments1);
            MimePart& part = msg.parts()[i];
            const QString ext = extensionOf(part.fileName);
            if (!ext.isEmpty()) {
                details->AddExtension(ext);
                m_ctx.actions().enable(QStringLiteral("OpenWithA1"));
                m_ctx.actions().enable(QStringLiteral("OpenWith"));
            } else if (!part.fileName.isEmpty()) {
                details->AddExtension(QStringLiteral(".dat"));
            } else {
                part.fileName = QStringLiteral("ver.dat");
                details->AddExtension(extensionOf(part.fileName));
            }
            const QString caption = part.fileName;
            const bool tnef = part.contentType.contains(QLatin1String("application/ms-tnef"), Qt::CaseInsensitive);
            if (listIcons) {
                details->GetFileIconsAndDescriptions();
                m_display.notifyIconsChanged(1);
            }
            platform::Delay(attachmentDelayMs);
            m_display.setTabVisible(MsgPage::Attachments1, true);
            m_display.addEntry(1, caption, counter++, int(i));
            m_ctx.TnefFlg = tnef;
            if (tnef) {
                const Status unpacked = m_tnef.DecryptTnefA1();
                if (!unpacked.ok())
                    m_ctx.dialogs().error(unpacked.errorText());
            }
            continue;
        }

        const MimePart& part = msg.parts()[i];
        if (part.contentType.contains(QLatin1String("text/html"), Qt::CaseInsensitive)) {
            m_ctx.MDatType = 2;
            showHtmlPage(m_ctx, m_display, part.text(), m_zoom);
        } else if (part.contentType.contains(QLatin1String("text/plain"), Qt::CaseInsensitive)) {
            m_ctx.MDatType = 1;
            m_display.setCurrentPage(MsgPage::Html);
            if (!showPlainText(part.lines(), pgpFound))
                return false;
        }
    }
    return true;
}

bool EmlReader::showPlainText(const QStringList& lines, bool& pgpFound)
{
    m_ctx.JISFlg = false;
    bool armored = false;
    for (qsizetype j = 0; j < lines.size(); ++j) {
        if (lines[j].contains(kBegin)) {
            armored = true;
            m_ctx.JISFlg = armorNamesJis(lines, j);
            break;
        }
    }
    pgpFound = pgpFound || armored;
    m_display.clearEditor();
    if (!armored) {
        m_display.appendEditorLines(lines);
        return true;
    }
    return m_gpg.displayDecrypt(GpgDecryption::Variant::InlinePart, lines, m_path, m_ctx.JISFlg);
}

bool EmlReader::readSinglePart(const MimeMessage& msg, const QString& path, bool& pgpFound)
{
    m_ctx.MDatType = 1;
    if (msg.headerBlock().contains(kBegin)) {
        // A file holding only an armored message: its armor lines were read as header lines.
        pgpFound = true;
        const QStringList& header = msg.headerLines();
        QStringList armored;
        qsizetype beginLine = -1;
        for (qsizetype i = 0; i < header.size(); ++i) {
            if (header[i].contains(kBegin)) {
                armored << header[i];
                if (beginLine < 0)
                    beginLine = i;
            }
        }
        armored << QString();
        armored << msg.bodyLines();
        m_ctx.JISFlg = armorNamesJis(header, beginLine);
        return m_gpg.displayDecrypt(GpgDecryption::Variant::ArmoredFile, armored, path, m_ctx.JISFlg);
    }
    QString contentType = msg.header(QStringLiteral("Content-Type"));
    // A message without the field is plain text (RFC 2045), not an empty one.
    if (msg.isMessage() && !msg.hasHeader(QStringLiteral("Content-Type")))
        contentType = QStringLiteral("text/plain");
    if (contentType.contains(QLatin1String("text/plain"), Qt::CaseInsensitive)) {
        // Inline OpenPGP text in a single-part message is decrypted like that of a text part.
        const QStringList lines = msg.bodyLines();
        if (!showPlainText(lines, pgpFound))
            return false;
    }
    if (contentType.contains(QLatin1String("text/html"), Qt::CaseInsensitive)) {
        m_ctx.MDatType = 2;
        showHtmlPage(m_ctx, m_display, msg.bodyText(), m_zoom);
    }
    return true;
}

} // namespace lark::intake
