#pragma once
// The data module of the mail archive: the one connection FD_Message, the list dataset
// FDTbl1, the start-up sequence, the connection setup with caption and title file, the on-disk
// structure check and upgrade, and the action DBConnect that opens and closes the list. It
// works on the main window's state (AppContext), so the GUI and larkspurctl run the same code.
#include "ArchiveConnection.h"
#include "MessageListModel.h"

#include "platform/Result.h"

#include <QObject>

#include <functional>

namespace lark::shell {
class AppContext;
}

namespace lark::store {

inline const QString kDefaultArchiveName = QStringLiteral("LarkspurDB.fdb");

// The archive of a settings folder when the settings name none: "<folder>/LarkspurDB.fdb".
QString defaultArchivePath(const QString& settingsFolder);

class TDm_Ldb : public QObject {
    Q_OBJECT
public:
    explicit TDm_Ldb(shell::AppContext& ctx, QObject* parent = nullptr);
    ~TDm_Ldb() override;

    shell::AppContext& ctx() { return m_ctx; }
    ArchiveConnection& FD_Message() { return m_connection; }
    MessageListModel& FDTbl1() { return m_list; }

    // Connects the handlers this subsystem owns to the main window's actions (DBConnect,
    // DBUpdate, DispMsgDat, DelMsgDat, ExprtMsgFile, MessageSave) and installs the hooks
    // listIsOpen and leaveListMode. The search and settings dialogs are installed by the
    // window that owns them.
    void installActions();

    // The embedded default: without a DBPath and with an embedded host, Ldb_Path1 becomes the
    // settings folder's LarkspurDB.fdb, created with the schema when it does not exist.
    Status prepareDefaultArchive();

    // The command line's way in: the embedded default, the parameters and the connection,
    // without caption or title file (the running program's title file stays untouched).
    Status openForCommandLine();

    // The start-up sequence (errors are caught: the caption tells, DBConnect stays disabled).
    void DataModuleCreate();
    // Parameters Database and Server from Ldb_Host1 / Ldb_Path1, and the caption.
    void connectionSetup();
    // Opens FD_Message and enables DBConnect.
    Status openConnection();
    // Closes the list (if open) and the connection, disables DBConnect.
    void closeConnection();
    // Reads MON$DATABASE (FDMonTbl).
    Result<OdsInfo> readOds();
    // The upgrade of a 13.0 file: close, run gfix, wait, open again.
    void odsUpgrade();

    // The execute handler of DBConnect: opens or closes the message list.
    void DBConnectExecute();
    // The shortcut rule of the parameter AutoView for the display, export and delete items.
    void applyShortcutRule();
    // Enables DBSelect and the row actions when the list holds a row, disables them if not.
    void updateRowActions();

    // The store action on this module's connection.
    void DBUpdateExecute();

    // Seams for tests: another reader of the monitoring table, and a failure point between the
    // two records of a store.
    std::function<Result<OdsInfo>()> odsReader;
    std::function<Status()> storeFaultPoint;

private:
    shell::AppContext& m_ctx;
    ArchiveConnection m_connection;
    MessageListModel m_list;
    bool m_actionsInstalled = false;
};

} // namespace lark::store
