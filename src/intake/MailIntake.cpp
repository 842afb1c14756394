#include "MailIntake.h"

#include "IntakeTexts.h"
#include "WorkingFolder.h"
#include "platform/Delay.h"
#include "shell/ModeWord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lark::intake {

namespace {

constexpr qint64 kCopyBlock = 131072;

QString lowerSuffix(const QString& name)
{
    const QString file = QFileInfo(name).fileName();
    const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : file.mid(dot).toLower();
}

} // namespace

QList<platform::FileFilter> messageOpenFilters()
{
    return {{QStringLiteral("テキストファイル (*.txt)"), QStringLiteral("*.txt")},
            {QStringLiteral("E-Mailファイル(*.eml)"), QStringLiteral("*.eml")},
            {QStringLiteral("Outlook-Msgファイル(*.msg)"), QStringLiteral("*.msg")},
            {QStringLiteral("ASCファイル(*.asc)"), QStringLiteral("*.asc")},
            {QStringLiteral("DATファイル(*.dat)"), QStringLiteral("*.dat")},
            {QStringLiteral("全てのファイル(*.*)"), QStringLiteral("*.*")}};
}

void MailIntake::leaveListMode()
{
    const bool open = m_ctx.listIsOpen ? m_ctx.listIsOpen() : shell::hasMode(m_ctx.pmode, shell::kModeListOpen);
    if (!open)
        return;
    if (m_ctx.leaveListMode) {
        m_ctx.leaveListMode();
        return;
    }
    // Without the archive's own routine: the action states of the disconnected list.
    auto& a = m_ctx.actions();
    shell::clearMode(m_ctx.pmode, shell::kModeListOpen);
    a.check(QStringLiteral("DBConnect"), false);
    for (const char* name : {"DispMsgDat", "DelMsgDat", "ExprtMsgFile", "SetListFontSize"})
        a.disable(QString::fromLatin1(name));
    if (m_ctx.closeListWindow)
        m_ctx.closeListWindow();
    if (a.enabled(QStringLiteral("DBUpdate")))
        a.disable(QStringLiteral("DBUpdate"));
}

bool MailIntake::askBatch()
{
    return m_ctx.dialogs().confirm(texts::kBatchQuestion, platform::Answer::No) == platform::Answer::Yes;
}

void MailIntake::settle(bool batch, int remaining, const QString& fileName)
{
    if (batch) {
        m_ctx.actions().execute(QStringLiteral("DBUpdate"));
        return;
    }
    if (m_ctx.dialogs().confirm(texts::storeQuestion(remaining, fileName), platform::Answer::Yes)
        == platform::Answer::Yes)
        m_ctx.actions().execute(QStringLiteral("DBUpdate"));
}

void MailIntake::readEml(const QString& path)
{
    m_reader.ReadEmlFile(path);
}

void MailIntake::readMsg(const QString& path)
{
    if (m_ctx.readMsgFile)
        m_ctx.readMsgFile(path);
}

void MailIntake::MessageOpen()
{
    auto& a = m_ctx.actions();
    // 1. leave the file backup mode
    if (a.checked(QStringLiteral("DBBackup"))) {
        a.check(QStringLiteral("DBBackup"), false);
        if (m_ctx.leaveBackupMode)
            m_ctx.leaveBackupMode();
    }
    // 2. - 4.
    m_ctx.setStatus(0, QString());
    m_ctx.setStatus(2, QString());
    platform::FileDialogOptions options;
    if (!m_ctx.settings.mlReadPath.isEmpty())
        options.initialFolder = m_ctx.settings.mlReadPath;
    options.filterIndex = m_ctx.settings.mlFilterIndex;
    options.filters = messageOpenFilters();
    options.multiple = true;
    m_reader.ClearMsgDisp();
    leaveListMode();

    // 5. the dialog
    const std::optional<platform::FileDialogResult> chosen = m_ctx.dialogs().openFiles(options);
    if (!chosen || chosen->files.isEmpty())
        return;

    // 6.
    m_display.setTabVisible(MsgPage::Attachments1, false);
    m_display.setTabVisible(MsgPage::Attachments2, false);
    m_ctx.settings.mlFilterIndex = chosen->filterIndex;
    m_ctx.settings.mlReadPath = QFileInfo(chosen->files.first()).absolutePath();

    // 7. - 9.
    const QStringList files = chosen->files;
    const int n = int(files.size());
    const bool several = n > 1;
    int remaining = n;
    bool batch = false;
    bool shown = several;
    for (int i = 0; i < n; ++i) {
        if (shown && i > 0) {
            // the previous file is still shown: store it now
            if (!batch && remaining == n)
                batch = askBatch();
            settle(batch, remaining, QFileInfo(m_ctx.MessageFile).fileName());
            --remaining;
        }
        m_display.clearList(1);
        m_display.clearList(2);
        m_display.clearEditor();
        m_ctx.MessageFile = files[i];
        const QString ext = lowerSuffix(m_ctx.MessageFile);
        if (ext == QLatin1String(".eml")) {
            m_ctx.awk_MessageFile.clear();
            readEml(m_ctx.MessageFile);
            a.enable(QStringLiteral("MessageSave"));
            a.enable(QStringLiteral("DBUpdate"));
            shown = true;
        } else if (ext == QLatin1String(".msg")) {
            QDir().mkpath(m_ctx.workingFolder());
            m_ctx.awk_MessageFile = QDir(m_ctx.workingFolder()).filePath(QFileInfo(m_ctx.MessageFile).fileName());
            if (QFileInfo(m_ctx.awk_MessageFile).absoluteFilePath() != QFileInfo(m_ctx.MessageFile).absoluteFilePath()) {
                QFile::remove(m_ctx.awk_MessageFile);
                QFile::copy(m_ctx.MessageFile, m_ctx.awk_MessageFile);
            }
            platform::Delay(msgCopyDelayMs);
            readMsg(m_ctx.awk_MessageFile);
            a.enable(QStringLiteral("MessageSave"));
            a.enable(QStringLiteral("DBUpdate"));
            shown = true;
        } else {
            m_ctx.dialogs().message(texts::kNotMailFile);
            a.disable(QStringLiteral("DBUpdate"));
            shown = false;
            --remaining;
        }
    }
    if (several && shown)
        settle(batch, remaining, QFileInfo(m_ctx.MessageFile).fileName());
}

void MailIntake::dragOver()
{
    m_display.setEditorVisible(false);
}

void MailIntake::dragLeave()
{
    m_display.setEditorVisible(true);
}

void MailIntake::drop(const QList<DroppedItem>& items)
{
    // 1.
    m_reader.ClearMsgDisp();
    leaveListMode();
    m_ctx.setStatus(2, QString());
    // 2.
    const int n = int(items.size());
    if (n == 0) {
        m_display.setEditorVisible(true);
        return;
    }
    int remaining = n;
    bool batch = false;
    auto& a = m_ctx.actions();
    QDir().mkpath(m_ctx.workingFolder());
    // 3.
    for (int i = 0; i < n; ++i) {
        m_display.clearList(1);
        m_display.clearList(2);
        m_display.clearEditor();
        const QString& name = items[i].name;
        const QString ext = lowerSuffix(name);
        if (ext != QLatin1String(".eml") && ext != QLatin1String(".msg")) {
            m_ctx.dialogs().message(texts::kNotMailFile);
            break;
        }
        // The name comes from outside: only a plain file name inside the working folder.
        m_ctx.awk_MessageFile = workingPath(m_ctx.workingFolder(), QFileInfo(name).fileName().isEmpty()
                                                                       ? name
                                                                       : QFileInfo(name).fileName());
        QIODevice* in = items[i].contents.get();
        // A stream that cannot be opened is no stream: the file is not shown.
        if (in && !in->isOpen() && !in->open(QIODevice::ReadOnly))
            in = nullptr;
        // A file dropped from the working folder itself is its own working copy already.
        const auto* source = qobject_cast<const QFile*>(in);
        const bool sameFile = source
            && QFileInfo(source->fileName()).absoluteFilePath() == QFileInfo(m_ctx.awk_MessageFile).absoluteFilePath();
        if (!sameFile) {
            QFile out(m_ctx.awk_MessageFile);
            if (out.open(QIODevice::WriteOnly | QIODevice::Truncate) && in) {
                if (!in->isSequential())
                    in->seek(0);
                for (;;) {
                    const QByteArray block = in->read(kCopyBlock);
                    if (block.isEmpty())
                        break;
                    out.write(block);
                }
            }
        }
        if (in)
            in->close();
        if (!in) {
            m_ctx.dialogs().message(texts::kDropUnreadable);
            --remaining;
            continue;
        }
        if (ext == QLatin1String(".eml"))
            readEml(m_ctx.awk_MessageFile);
        else
            readMsg(m_ctx.awk_MessageFile);
        a.enable(QStringLiteral("DBUpdate"));
        a.enable(QStringLiteral("MessageSave"));
        if (n > 1) {
            m_display.setEditorVisible(true);
            if (!batch && remaining == n)
                batch = askBatch();
            settle(batch, remaining, QFileInfo(m_ctx.awk_MessageFile).fileName());
            --remaining;
        }
    }
    // 4.
    m_display.setEditorVisible(true);
}

} // namespace lark::intake
