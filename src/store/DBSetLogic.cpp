#include "DBSetLogic.h"

#include "ArchiveSchema.h"
#include "DmLdb.h"
#include "OdsUpgrade.h"

#include "platform/Delay.h"
#include "platform/LockFile.h"
#include "shell/AppContext.h"
#include "shell/Caption.h"

#include <QFileInfo>

namespace lark::store {

QString createArchiveQuestion(const QString& path)
{
    return QStringLiteral("【データベース名】：\r\n") + path + QStringLiteral("\r\n")
           + QStringLiteral("このファイルはありません。新しい空のデータベースを作成しますか?");
}

QString createArchiveFailed(const QString& errorText)
{
    return QStringLiteral("データベースを作成できませんでした\r\n") + errorText;
}

DBSetLogic::DBSetLogic(TDm_Ldb& dm, QString servicesFile) : m_dm(dm), m_servicesFile(std::move(servicesFile))
{
    m_previousHost = dm.ctx().Ldb_Host1;
    m_previousPath = dm.ctx().Ldb_Path1;
    Edit1 = m_previousHost;
    Edit2 = m_previousPath;
}

void DBSetLogic::FormShow()
{
    switch (serviceState(m_servicesFile)) {
    case ServiceState::NoFile:
        break;
    case ServiceState::Registered:
        Label4 = kServiceRegistered;
        Button1Visible = false;
        break;
    case ServiceState::Unregistered:
        Label4 = kServiceClickRegister;
        Button1Visible = true;
        break;
    }
}

void DBSetLogic::Button1Click()
{
    const ServiceState before = serviceState(m_servicesFile);
    if (before == ServiceState::NoFile)
        return;
    if (before == ServiceState::Registered) {
        Label4 = kServiceRegisteredNow;
        return;
    }
    Result<ServiceState> r = registerService(m_servicesFile);
    if (!r) {
        m_dm.ctx().dialogs().message(kNeedsAdministrator);
        return;
    }
    if (*r == ServiceState::Registered) {
        Label4 = kServiceRegisteredNow;
        Button1Visible = false;
    }
}

bool DBSetLogic::SpeedButton1Chosen(const QString& path)
{
    if (path.isEmpty())
        return false;
    if (!shell::isEmbeddedHost(Edit1) || QFileInfo::exists(path)) {
        Edit2 = path;
        return false;
    }
    shell::AppContext& ctx = m_dm.ctx();
    if (ctx.dialogs().confirm(createArchiveQuestion(path), platform::Answer::Yes) != platform::Answer::Yes)
        return false;
    if (Status s = createArchive(Edit1, path); !s) {
        ctx.dialogs().message(createArchiveFailed(s.errorText()));
        return false;
    }
    Edit2 = path;
    BitBtn3Click();
    return true;
}

void DBSetLogic::ConvertFB5()
{
    shell::AppContext& ctx = m_dm.ctx();
    const GfixRun run = runGfixUpgrade(ctx);
    if (!run.succeeded())
        ctx.dialogs().message(kConvertCommandError);
    else
        ctx.dialogs().message(kOdsUpgraded);
}

void DBSetLogic::BitBtn3Click()
{
    shell::AppContext& ctx = m_dm.ctx();
    if (Edit1 != ctx.Ldb_Host1 || Edit2 != ctx.Ldb_Path1) {
        m_dm.closeConnection();
        if (Edit1 != ctx.Ldb_Host1)
            ctx.Ldb_Host1 = Edit1;
        if (Edit2 != ctx.Ldb_Path1)
            ctx.Ldb_Path1 = Edit2;
        m_dm.connectionSetup();

        bool failed = false;
        if (Status s = m_dm.openConnection(); !s) {
            failed = true;
        } else if (Result<OdsInfo> ods = m_dm.readOds(); !ods) {
            failed = true;
        } else if (needsOdsUpgrade(*ods)) {
            const QString question = kOdsQuestionHead + ods->databaseName.trimmed() + QStringLiteral("\r\n") + kOdsQuestionTail;
            if (ctx.dialogs().confirm(question, platform::Answer::Yes) == platform::Answer::Yes) {
                m_dm.closeConnection();
                ConvertFB5();
                failed = !m_dm.openConnection().ok();
            }
        }
        if (failed)
            ctx.setCaptionAndTitleFile(shell::kAppTitle);

        if (!m_dm.FD_Message().isOpen()) {
            if (Status s = m_dm.FD_Message().open(); !s) {
                ctx.setCaptionAndTitleFile(kMailDbCaption);
                ctx.actions().disable(QStringLiteral("DBConnect"));
                ctx.dialogs().message(kCannotConnect);
                return;
            }
            platform::Delay(300);
            ctx.actions().enable(QStringLiteral("DBConnect"));
        }
    }
    renewLock();
}

void DBSetLogic::renewLock()
{
    shell::AppContext& ctx = m_dm.ctx();
    if (!ctx.emb_Flg || ctx.Ldb_Path1.isEmpty())
        return;
    // The lock beside the previous file goes: ours is released and the file deleted; a lock
    // file another program holds is left to it.
    ctx.semafore.release();
    if (!m_previousPath.isEmpty()) {
        const QString previousLock = platform::LockFile::lockPathFor(m_previousPath);
        if (QFileInfo::exists(previousLock)) {
            platform::LockFile probe;
            if (probe.acquire(previousLock))
                probe.releaseAndDelete();
        }
    }
    ctx.Semafore_Flg = ctx.semafore.acquire(platform::LockFile::lockPathFor(ctx.Ldb_Path1));
    if (ctx.Semafore_Flg)
        return;
    ctx.dialogs().message(kLockHeldElsewhere);
    ctx.Ldb_Host1 = m_previousHost;
    Edit1 = m_previousHost;
    ctx.Ldb_Path1 = m_previousPath;
    Edit2 = m_previousPath;
    ctx.Semafore_Flg = !m_previousPath.isEmpty()
                       && ctx.semafore.acquire(platform::LockFile::lockPathFor(m_previousPath));
}

void DBSetLogic::BitBtn2Click()
{
    shell::AppContext& ctx = m_dm.ctx();
    Edit1 = m_previousHost;
    Edit2 = m_previousPath;
    const bool changed = ctx.Ldb_Host1 != m_previousHost || ctx.Ldb_Path1 != m_previousPath;
    if (ctx.Ldb_Host1 != m_previousHost)
        ctx.Ldb_Host1 = m_previousHost;
    if (ctx.Ldb_Path1 != m_previousPath)
        ctx.Ldb_Path1 = m_previousPath;
    if (changed) {
        m_dm.closeConnection();
        m_dm.connectionSetup();
    }
    if (m_dm.FD_Message().isOpen())
        return;
    if (Status s = m_dm.FD_Message().open(); !s) {
        ctx.dialogs().message(kCannotConnectCancel);
        ctx.actions().disable(QStringLiteral("DBConnect"));
        return;
    }
    platform::Delay(300);
    ctx.actions().enable(QStringLiteral("DBConnect"));
}

void DBFileSetExecute(TDm_Ldb& dm, const std::function<void(DBSetLogic&)>& runModal, const QString& servicesFile)
{
    if (dm.FDTbl1().isOpen())
        dm.DBConnectExecute();
    {
        DBSetLogic logic(dm, servicesFile);
        if (runModal)
            runModal(logic);
    }
    dm.ctx().setCaptionAndTitleFile(dm.ctx().caption());
}

} // namespace lark::store
