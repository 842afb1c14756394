#include "AttachmentActions.h"

#include "FileAssociationDetails.h"
#include "IntakeTexts.h"
#include "MimeMessage.h"
#include "WorkingFolder.h"
#include "platform/ShellOpen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lark::intake {

QList<MenuEntry> attachmentMenu(int list)
{
    if (list == 2)
        return {{QStringLiteral("名前をつけて保存 (&N)"), QStringLiteral("SavetoDisk")},
                {QStringLiteral("規定のプログラムで開く (&W)"), QStringLiteral("OpenWith")},
                {QStringLiteral("GnuPG復号して保存 (&E)"), QStringLiteral("SaveToDiskDGpg")}};
    return {{QStringLiteral("名前をつけて保存 (&N)"), QStringLiteral("SavetoDisk")},
            {QStringLiteral("規定のプログラムで開く (&W)"), QStringLiteral("OpenWith")},
            {QStringLiteral("GnuPG復号 (&G)"), QStringLiteral("DecryptGpg")},
            {QStringLiteral("GnuPG復号して保存 (&H)"), QStringLiteral("SaveToDiskDGpg")}};
}

bool AttachmentActions::showsInternetMessage() const
{
    const QString shown = m_ctx.awk_MessageFile.isEmpty() ? m_ctx.MessageFile : m_ctx.awk_MessageFile;
    return extensionOf(shown).compare(QLatin1String(".eml"), Qt::CaseInsensitive) == 0;
}

bool AttachmentActions::isEncryptedEntry(const QString& caption)
{
    const QString ext = extensionOf(caption).toLower();
    return ext.contains(QLatin1String("asc")) || caption.contains(QLatin1String("encrypted"), Qt::CaseInsensitive)
        || ext.contains(QLatin1String("gpg")) || ext.contains(QLatin1String("pgp"));
}

bool AttachmentActions::refusesOpening(const QString& caption)
{
    return caption.compare(texts::kPgpMimeVersionPart, Qt::CaseInsensitive) == 0 || hasEncryptedExtension(caption);
}

void AttachmentActions::ListView1SelectItem(int index)
{
    m_display.setSelected(1, index);
    const ListEntry* sel = m_display.selected(1);
    if (!sel)
        return;
    auto& a = m_ctx.actions();
    a.enable(QStringLiteral("SavetoDisk"));
    m_ctx.setStatus(2, sel->caption);
    const QString ext = extensionOf(sel->caption).toLower();
    const bool encrypted = isEncryptedEntry(sel->caption);
    const bool dat = !encrypted && ext.contains(QLatin1String("dat"));
    a.enable(QStringLiteral("OpenWith"), !encrypted && !dat);
    a.enable(QStringLiteral("DecryptGpg"), encrypted);
    a.enable(QStringLiteral("SaveToDiskDGpg"), encrypted);
}

void AttachmentActions::ListView1DblClick()
{
    const ListEntry* sel = m_display.selected(1);
    if (!sel)
        return;
    m_ctx.setStatus(2, sel->caption);
    if (isEncryptedEntry(sel->caption))
        m_ctx.actions().execute(QStringLiteral("DecryptGpgA1"));
    else
        m_ctx.actions().execute(QStringLiteral("OpenWithA1"));
}

void AttachmentActions::ListView1MouseLeave()
{
    if (m_display.selected(1))
        return;
    for (const char* name : {"SavetoDisk", "OpenWith", "DecryptGpg", "SaveToDiskDGpg"})
        m_ctx.actions().disable(QString::fromLatin1(name));
}

void AttachmentActions::ListView2SelectItem(int index)
{
    m_display.setSelected(2, index);
    const ListEntry* sel = m_display.selected(2);
    if (!sel)
        return;
    auto& a = m_ctx.actions();
    a.enable(QStringLiteral("SavetoDisk"));
    a.enable(QStringLiteral("SaveToDiskA2"));
    const bool closed = hasEncryptedExtension(sel->caption)
        || extensionOf(sel->caption).compare(QLatin1String(".dat"), Qt::CaseInsensitive) == 0;
    a.enable(QStringLiteral("OpenWith"), !closed);
    a.enable(QStringLiteral("OpenWithA2"), !closed);
}

void AttachmentActions::ListView2MouseLeave()
{
    if (m_display.selected(2))
        return;
    for (const char* name : {"SavetoDisk", "SaveToDiskA2", "OpenWith", "OpenWithA2"})
        m_ctx.actions().disable(QString::fromLatin1(name));
}

void AttachmentActions::SavetoDisk()
{
    if (m_display.currentPage() == MsgPage::Attachments1) {
        const ListEntry* sel = m_display.selected(1);
        if (!showsInternetMessage() && sel && extensionOf(sel->caption).toLower() == QLatin1String(".asc")) {
            m_ctx.dialogs().message(texts::kAscNotSupported);
            return;
        }
        m_ctx.actions().execute(QStringLiteral("SaveToDiskA1"));
    } else if (m_display.currentPage() == MsgPage::Attachments2) {
        m_ctx.actions().execute(QStringLiteral("SaveToDiskA2"));
    }
}

void AttachmentActions::SaveToDiskA1()
{
    const ListEntry* sel = m_display.selected(1);
    if (!sel)
        return;
    const ListEntry entry = *sel; // the list may change while a dialog is open
    const QString caption = entry.caption;
    platform::FileDialogOptions options;
    options.fileName = SafeFileName(caption);
    options.confirmOverwrite = true;
    const std::optional<QString> chosen = m_ctx.dialogs().saveFile(options);
    if (!chosen)
        return;
    if (!showsInternetMessage()) {
        if (saveOutlookAttachment)
            saveOutlookAttachment(caption, *chosen);
        return;
    }
    if (const MimePart* part = partBehindEntry(m_display.IdMessage1.get(), entry)) {
        const Status written = writeFileBytes(*chosen, part->content);
        if (!written.ok())
            m_ctx.dialogs().error(written.errorText());
    }
}

void AttachmentActions::SaveToDiskA2()
{
    const ListEntry* sel = m_display.selected(2);
    if (!sel)
        return;
    const ListEntry entry = *sel; // the list may change while a dialog is open
    const QString caption = entry.caption;
    platform::FileDialogOptions options;
    options.fileName = caption;
    options.confirmOverwrite = true;
    const std::optional<QString> chosen = m_ctx.dialogs().saveFile(options);
    if (!chosen)
        return;
    if (const MimePart* part = partBehindEntry(m_display.IdMessage1A.get(), entry)) {
        const Status written = writeFileBytes(*chosen, part->content);
        if (!written.ok())
            m_ctx.dialogs().error(written.errorText());
        return;
    }
    const QString unpacked = QDir(m_ctx.secondLevelFolder()).filePath(safeWorkingName(caption));
    if (QFileInfo(unpacked).isFile()) {
        if (QFileInfo::exists(*chosen))
            QFile::remove(*chosen);
        QFile source(unpacked);
        if (!source.copy(*chosen))
            m_ctx.dialogs().error(QStringLiteral("%1: %2").arg(*chosen, source.errorString()));
        return;
    }
    m_ctx.dialogs().message(texts::kSaveDataNotFound);
}

void AttachmentActions::OpenWith()
{
    if (m_display.currentPage() == MsgPage::Attachments1)
        m_ctx.actions().execute(QStringLiteral("OpenWithA1"));
    else if (m_display.currentPage() == MsgPage::Attachments2)
        m_ctx.actions().execute(QStringLiteral("OpenWithA2"));
}

void AttachmentActions::startAssociated(const QString& path)
{
    if (!platform::openWithAssociatedProgram(path, true))
        m_ctx.dialogs().message(texts::kProgramNotStarted);
}

void AttachmentActions::OpenWithA1()
{
    const ListEntry* sel = m_display.selected(1);
    if (!sel)
        return;
    const ListEntry entry = *sel; // the list may change while a dialog is open
    const QString caption = entry.caption;
    const QString folder = m_ctx.workingFolder();
    QDir().mkpath(folder);
    m_ctx.ExecuteFile = attachmentPath(m_ctx, folder, caption);
    if (refusesOpening(caption)) {
        m_ctx.dialogs().message(texts::kNoProgramForFile);
        return;
    }
    if (showsInternetMessage()) {
        if (const MimePart* part = partBehindEntry(m_display.IdMessage1.get(), entry)) {
            const Status written = writeFileBytes(m_ctx.ExecuteFile, part->content);
            if (!written.ok()) {
                m_ctx.dialogs().error(written.errorText());
                return;
            }
        }
    } else if (saveOutlookAttachment) {
        saveOutlookAttachment(caption, m_ctx.ExecuteFile);
    }
    startAssociated(m_ctx.ExecuteFile);
}

void AttachmentActions::OpenWithA2()
{
    const ListEntry* sel = m_display.selected(2);
    if (!sel)
        return;
    const ListEntry entry = *sel; // the list may change while a dialog is open
    const QString caption = entry.caption;
    // A part of the decrypted message is written to the working folder; a file unpacked from
    // a TNEF attachment is already in "2nd".
    const MimePart* part = partBehindEntry(m_display.IdMessage1A.get(), entry);
    const QString unpacked = QDir(m_ctx.secondLevelFolder()).filePath(safeWorkingName(caption));
    QDir().mkpath(m_ctx.workingFolder());
    if (part)
        m_ctx.ExecuteFile = attachmentPath(m_ctx, m_ctx.workingFolder(), caption);
    else if (m_ctx.TnefFlg || QFileInfo(unpacked).isFile())
        m_ctx.ExecuteFile = unpacked;
    else
        m_ctx.ExecuteFile = attachmentPath(m_ctx, m_ctx.workingFolder(), caption);
    if (refusesOpening(caption)) {
        m_ctx.dialogs().message(texts::kNoProgramForFile);
        return;
    }
    if (part) {
        const Status written = writeFileBytes(m_ctx.ExecuteFile, part->content);
        if (!written.ok()) {
            m_ctx.dialogs().error(written.errorText());
            return;
        }
    }
    startAssociated(m_ctx.ExecuteFile);
}

void AttachmentActions::OpenWithRTF()
{
    startAssociated(QDir(m_ctx.MyAppDataPath).filePath(QStringLiteral("$MailBody.rtf")));
}

void AttachmentActions::OpenWithTXT()
{
    startAssociated(QDir(m_ctx.MyAppDataPath).filePath(QStringLiteral("$MailAddressList.txt")));
}

} // namespace lark::intake
