#include "TnefExtraction.h"

#include "FileAssociationDetails.h"
#include "WorkingFolder.h"
#include "tnef/TnefExtract.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace lark::intake {

bool TnefExtraction::isTnefEntry(const QString& caption) const
{
    const MimePart* part = findAttachmentByCaption(m_display.IdMessage1.get(), caption);
    if (part && part->contentType.contains(QLatin1String("application/ms-tnef"), Qt::CaseInsensitive))
        return true;
    return caption.compare(QLatin1String("winmail.dat"), Qt::CaseInsensitive) == 0;
}

Status TnefExtraction::DecryptTnefA1()
{
    const QString folder = m_ctx.workingFolder();
    const QString second = m_ctx.secondLevelFolder();
    QDir().mkpath(folder);
    if (QFileInfo::exists(second))
        (void)deleteFolderReporting(m_ctx, second);

    m_display.clearList(2);
    m_display.IdMessage1A.reset(); // the second list now holds unpacked files
    m_display.setTabVisible(MsgPage::Attachments1, true);
    m_ctx.actions().disable(QStringLiteral("SavetoDisk"));
    m_ctx.actions().disable(QStringLiteral("OpenWith"));

    std::shared_ptr<TFileAssociationDetails> details;
    int counter = 0;
    const QList<ListEntry> entries = m_display.entries(1);
    for (const ListEntry& entry : entries) {
        // Only TNEF entries are unpacked: a document listed before winmail.dat is not a TNEF
        // stream and must not end the action.
        const MimePart* part = partBehindEntry(m_display.IdMessage1.get(), entry);
        const bool tnefPart = part && part->contentType.contains(QLatin1String("application/ms-tnef"), Qt::CaseInsensitive);
        if (!tnefPart && !isTnefEntry(entry.caption))
            continue;
        const QString tnefFile = attachmentPath(m_ctx, folder, entry.caption);
        if (part) {
            const Status written = writeFileBytes(tnefFile, part->content);
            if (!written.ok())
                return written;
        }
        const Result<QStringList> unpacked = tnef::extractTnef(tnefFile, second);
        if (!unpacked.ok())
            return makeError(unpacked.errorText());
        for (const QString& name : unpacked.value()) {
            if (QFileInfo(QDir(second).filePath(name)).isDir())
                continue;
            if (!details) {
                details = std::make_shared<TFileAssociationDetails>(m_ctx.CDpi);
                m_display.setFileDetails(2, details);
            }
            m_display.setTabVisible(MsgPage::Attachments2, true);
            m_display.setCurrentPage(MsgPage::Attachments2);
            details->AddFile(name);
            if (extensionOf(name).isEmpty())
                details->AddExtension(QStringLiteral(".dat"));
            details->GetFileIconsAndDescriptions();
            m_display.notifyIconsChanged(2);
            m_display.addEntry(2, name, counter++);
            QCoreApplication::processEvents();
        }
    }
    return Ok{};
}

} // namespace lark::intake
