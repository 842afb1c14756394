#include "RowActions.h"

#include "DmLdb.h"
#include "StoredMessages.h"

#include "platform/AtomicFile.h"
#include "platform/Delay.h"
#include "shell/AppContext.h"
#include "shell/ModeWord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lark::store {

namespace {

// Reports a failed fetch the way the display and the export do.
void reportFetchError(shell::AppContext& ctx, const Error& e)
{
    if (e.code == kSelectError)
        ctx.dialogs().message(e.text + QStringLiteral("\r\n") + kSetDatabaseFile);
    else
        ctx.dialogs().error(e.text);
}

QString shownMessageId(shell::AppContext& ctx)
{
    return ctx.shownMessage ? ctx.shownMessage().edits[0] : QString();
}

void removeIfExists(const QString& path)
{
    if (!path.isEmpty() && QFileInfo::exists(path))
        QFile::remove(path);
}

} // namespace

QString deleteQuestion(const QString& subject, const QString& dateTime, const QString& sender)
{
    return QStringLiteral("【件名】：") + subject + QStringLiteral("\r\n") + QStringLiteral("【日時】：") + dateTime
           + QStringLiteral("\r\n") + QStringLiteral("【送信者】：") + sender + QStringLiteral("\r\n")
           + QStringLiteral("このメールデータを削除しますか?");
}

void DispMsgDatExecute(TDm_Ldb& dm)
{
    shell::AppContext& ctx = dm.ctx();
    ctx.MsgReadCounter = 0;
    shell::setMode(ctx.pmode, shell::kModeStoredShown);
    MessageListModel& list = dm.FDTbl1();
    if (!list.isOpen())
        return;
    const ListRow* row = list.current();
    if (!row) {
        ctx.dialogs().message(kRowReadErrorDisplay);
        return;
    }
    const MessageKey key = row->key();
    if (shownMessageId(ctx) == key.id) {
        if (ctx.bringShownPageToFront)
            ctx.bringShownPageToFront();
        return;
    }
    ctx.setStatus(2, kReadingStoredMessage);
    Result<FetchedFile> fetched = fetchStoredFile(dm.FD_Message(), key, ctx.workingFolder());
    if (!fetched) {
        reportFetchError(ctx, fetched.error());
        return;
    }
    ctx.awk_MessageFile = fetched->path;
    const QString ext = QFileInfo(fetched->path).suffix();
    if (ext.compare(QLatin1String("eml"), Qt::CaseInsensitive) == 0) {
        if (ctx.readEmlFile)
            ctx.readEmlFile(fetched->path);
    } else if (ext.compare(QLatin1String("msg"), Qt::CaseInsensitive) == 0) {
        if (ctx.readMsgFile)
            ctx.readMsgFile(fetched->path);
    } else {
        ctx.dialogs().message(kNotAMailFile);
    }
    removeIfExists(ctx.awk_MessageFile);
    removeIfExists(ctx.mwk_MessageFile);
    removeIfExists(fetched->path);
    ctx.actions().enable(QStringLiteral("MessageSave"));
}

void DelMsgDatExecute(TDm_Ldb& dm)
{
    shell::AppContext& ctx = dm.ctx();
    shell::setMode(ctx.pmode, shell::kModeStoredShown);
    MessageListModel& list = dm.FDTbl1();
    if (!list.isOpen())
        return;
    const ListRow* row = list.current();
    if (!row)
        return;
    const MessageKey key = row->key();
    const QString question = deleteQuestion(row->value(ListField::MessageSubject), formatMessageDate(key.date),
                                            row->value(ListField::SenderName));
    if (ctx.dialogs().confirm(question, platform::Answer::Yes) != platform::Answer::Yes) {
        ctx.setStatus(2, kDeleteCancelled);
        return;
    }
    if (Status s = deleteStoredMessage(dm.FD_Message(), key); !s)
        ctx.dialogs().message(s.errorText() + QStringLiteral("\r\n") + kDeleteFailed);
    else
        ctx.setStatus(2, kDeleted);

    list.close();
    platform::Delay(100);
    if (Status s = list.open(); !s)
        ctx.dialogs().error(s.errorText());
    dm.updateRowActions();
}

void ExprtMsgFileExecute(TDm_Ldb& dm)
{
    shell::AppContext& ctx = dm.ctx();
    const QString pattern = ctx.params().valueOrSet(QStringLiteral("ExpFileName"), kDefaultExportPattern);
    MessageListModel& list = dm.FDTbl1();
    if (!list.isOpen())
        return;
    const ListRow* row = list.current();
    if (!row) {
        ctx.dialogs().message(kRowReadErrorExport);
        return;
    }
    const MessageKey key = row->key();
    const QString subject = row->value(ListField::MessageSubject);
    Result<FetchedFile> fetched = fetchStoredFile(dm.FD_Message(), key, ctx.workingFolder());
    if (!fetched) {
        reportFetchError(ctx, fetched.error());
        return;
    }
    ctx.awk_MessageFile = fetched->path;

    platform::FileDialogOptions o;
    o.filters = {saveDialogFilter(fetched->fileExt)};
    o.defaultSuffix = QString(fetched->fileExt).remove(0, fetched->fileExt.startsWith(QLatin1Char('.')) ? 1 : 0);
    QString folder = ctx.settings.mlStorePath;
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    o.initialFolder = folder;
    o.fileName = exportFileName(pattern, subject, key.date, fetched->fileName);
    o.confirmOverwrite = true;
    const std::optional<QString> target = ctx.dialogs().saveFile(o);
    if (!target)
        return; // the written file stays in the working folder
    if (Status s = copyFileReplacing(fetched->path, *target); !s)
        ctx.dialogs().message(QString(kCopyFailed).replace(QStringLiteral("%s"), s.errorText()));
    else
        ctx.setStatus(2, kSaved);
    removeIfExists(fetched->path);
}

void MessageSaveExecute(TDm_Ldb& dm)
{
    shell::AppContext& ctx = dm.ctx();
    if (shell::hasMode(ctx.pmode, shell::kModeStoredShown)) {
        ctx.actions().execute(QStringLiteral("ExprtMsgFile"));
        return;
    }
    platform::FileDialogOptions o;
    o.initialFolder = ctx.settings.mlStorePath;
    o.fileName = QFileInfo(ctx.MessageFile).fileName();
    o.confirmOverwrite = true;
    const std::optional<QString> target = ctx.dialogs().saveFile(o);
    if (!target)
        return;
    ctx.settings.mlStorePath = QFileInfo(*target).absolutePath();
    Status s;
    if (!ctx.MessageFile.isEmpty() && QFileInfo(ctx.MessageFile).isFile()) {
        s = copyFileReplacing(ctx.MessageFile, *target);
    } else {
        const QString text = ctx.dataMemoText ? ctx.dataMemoText()
                             : ctx.shownMessage ? ctx.shownMessage().editorText
                                                : QString();
        s = platform::writeFileAtomically(*target, text.toUtf8());
    }
    if (!s.ok())
        ctx.dialogs().message(QString(kCopyFailed).replace(QStringLiteral("%s"), s.errorText()));
}

} // namespace lark::store
