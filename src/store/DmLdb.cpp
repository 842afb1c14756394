#include "DmLdb.h"

#include "ArchiveSchema.h"
#include "OdsUpgrade.h"
#include "RowActions.h"
#include "StoreOperation.h"

#include "shell/AppContext.h"
#include "shell/Caption.h"
#include "shell/ModeWord.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>

namespace lark::store {

namespace {
const QString kConnect = QStringLiteral("DBConnect");
const QStringList kRowActions = {QStringLiteral("DBSelect"), QStringLiteral("DispMsgDat"), QStringLiteral("DelMsgDat"),
                                 QStringLiteral("ExprtMsgFile"), QStringLiteral("SetListFontSize")};
} // namespace

QString defaultArchivePath(const QString& settingsFolder)
{
    return QDir(settingsFolder).filePath(kDefaultArchiveName);
}

TDm_Ldb::TDm_Ldb(shell::AppContext& ctx, QObject* parent) : QObject(parent), m_ctx(ctx)
{
    m_list.setConnection(&m_connection);
    m_list.setColumns(m_ctx.settings.columns);
}

TDm_Ldb::~TDm_Ldb()
{
    // The context outlives the module: its routines must not reach a module that is gone.
    if (m_actionsInstalled) {
        m_ctx.listIsOpen = nullptr;
        m_ctx.leaveListMode = nullptr;
        m_ctx.applyShortcutRule = nullptr;
    }
    m_list.close();
    m_connection.close();
}

void TDm_Ldb::installActions()
{
    shell::ActionList& a = m_ctx.actions();
    auto on = [this, &a](const char* name, auto handler) {
        connect(a.get(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    };
    on("DBConnect", [this] { DBConnectExecute(); });
    on("DBUpdate", [this] { DBUpdateExecute(); });
    on("DispMsgDat", [this] { DispMsgDatExecute(*this); });
    on("DelMsgDat", [this] { DelMsgDatExecute(*this); });
    on("ExprtMsgFile", [this] { ExprtMsgFileExecute(*this); });
    on("MessageSave", [this] { MessageSaveExecute(*this); });
    m_actionsInstalled = true;
    m_ctx.listIsOpen = [this] { return m_list.isOpen(); };
    m_ctx.applyShortcutRule = [this] { applyShortcutRule(); };
    m_ctx.leaveListMode = [this] {
        if (m_list.isOpen())
            DBConnectExecute();
    };
}

Status TDm_Ldb::prepareDefaultArchive()
{
    if (!m_ctx.Ldb_Path1.isEmpty() || !shell::isEmbeddedHost(m_ctx.Ldb_Host1))
        return {};
    if (m_ctx.MyAppDataPath.isEmpty())
        return makeError(QStringLiteral("no settings folder"));
    const QString path = defaultArchivePath(m_ctx.MyAppDataPath);
    if (!QFileInfo::exists(path)) {
        QDir().mkpath(m_ctx.MyAppDataPath);
        if (Status s = createArchive(m_ctx.Ldb_Host1, path); !s)
            return s;
    }
    m_ctx.Ldb_Path1 = path;
    return {};
}

Status TDm_Ldb::openForCommandLine()
{
    if (Status s = prepareDefaultArchive(); !s)
        return s;
    m_connection.setParameters(m_ctx.Ldb_Host1, m_ctx.Ldb_Path1);
    return m_connection.open();
}

void TDm_Ldb::connectionSetup()
{
    m_connection.setParameters(m_ctx.Ldb_Host1, m_ctx.Ldb_Path1);
    m_ctx.setCaptionAndTitleFile(shell::workingCaption(m_ctx.Ldb_Host1, m_ctx.Ldb_Path1));
}

Status TDm_Ldb::openConnection()
{
    if (Status s = m_connection.open(); !s)
        return s;
    m_ctx.actions().enable(kConnect);
    return {};
}

void TDm_Ldb::closeConnection()
{
    m_list.close();
    m_connection.close();
    m_ctx.actions().disable(kConnect);
}

Result<OdsInfo> TDm_Ldb::readOds()
{
    return odsReader ? odsReader() : m_connection.readOds();
}

void TDm_Ldb::odsUpgrade()
{
    closeConnection();
    (void)runGfixUpgrade(m_ctx);
    (void)openConnection();
}

void TDm_Ldb::DataModuleCreate()
{
    closeConnection();
    // A failure here shows as a failed connection below.
    (void)prepareDefaultArchive();
    connectionSetup();
    if (Status s = openConnection(); !s) {
        m_ctx.setCaptionAndTitleFile(shell::kAppTitle);
        return;
    }
    Result<OdsInfo> ods = readOds();
    if (!ods) {
        m_ctx.setCaptionAndTitleFile(shell::kAppTitle);
        return;
    }
    if (needsOdsUpgrade(*ods)) {
        odsUpgrade();
        if (!m_connection.isOpen())
            m_ctx.setCaptionAndTitleFile(shell::kAppTitle);
    }
    m_ctx.setCaptionAndTitleFile(m_ctx.caption());
}

void TDm_Ldb::applyShortcutRule()
{
    const bool autoView = m_ctx.params().value(QStringLiteral("AutoView")) == QLatin1String("1");
    shell::ActionList& a = m_ctx.actions();
    a.get(QStringLiteral("DispMsgDat"))->setShortcut(autoView ? QKeySequence() : QKeySequence(QStringLiteral("Ctrl+R")));
    a.get(QStringLiteral("ExprtMsgFile"))->setShortcut(autoView ? QKeySequence() : QKeySequence(QStringLiteral("Ctrl+T")));
    a.get(QStringLiteral("DelMsgDat"))->setShortcut(autoView ? QKeySequence() : QKeySequence(QStringLiteral("Ctrl+Del")));
}

void TDm_Ldb::updateRowActions()
{
    const bool rows = m_list.isOpen() && m_list.hasRows();
    for (const QString& name : kRowActions)
        m_ctx.actions().enable(name, rows);
}

void TDm_Ldb::DBConnectExecute()
{
    shell::ActionList& a = m_ctx.actions();
    if (a.checked(QStringLiteral("DBBackup"))) {
        a.check(QStringLiteral("DBBackup"), false);
        if (m_ctx.leaveBackupMode)
            m_ctx.leaveBackupMode();
    }
    if (a.checked(QStringLiteral("MLSender"))) {
        a.check(QStringLiteral("MLSender"), false);
        if (m_ctx.leaveSenderMode)
            m_ctx.leaveSenderMode();
    }
    m_ctx.setStatus(0, QString());
    m_ctx.setStatus(2, QString());
    const bool wasOpen = m_list.isOpen();
    if (wasOpen)
        m_ctx.callClearMsgDisp();
    m_list.setColumns(m_ctx.settings.columns);
    if (m_list.isFiltered())
        (void)m_list.clearFilter();

    if (wasOpen) {
        m_list.close();
        a.check(kConnect, false);
        for (const QString& name : kRowActions.mid(1))
            a.disable(name);
        shell::clearMode(m_ctx.pmode, shell::kModeListOpen);
        if (m_ctx.closeListWindow)
            m_ctx.closeListWindow();
        if (a.enabled(QStringLiteral("DBUpdate")))
            a.disable(QStringLiteral("DBUpdate"));
        return;
    }

    if (Status s = m_list.open(); !s) {
        a.check(kConnect, false);
        m_ctx.dialogs().error(s.errorText());
        return;
    }
    shell::setMode(m_ctx.pmode, shell::kModeListOpen);
    a.check(kConnect, true);
    updateRowActions();
    if (m_ctx.showListWindow)
        m_ctx.showListWindow();
    m_ctx.setStatus(2, QStringLiteral("DBと接続しました"));
    applyShortcutRule();
}

void TDm_Ldb::DBUpdateExecute()
{
    store::DBUpdateExecute(m_ctx, m_connection, storeFaultPoint);
}

} // namespace lark::store
