#pragma once
// The main window's run-time state and services, without widgets: the fields every Part
// names, the settings, the parameter table, the action list, the status bar texts, the
// caption and the dialog interface. Handlers of all subsystems work on this object; the main
// window renders it. larkspurctl builds one too, so both faces run the same handlers.
#include "ActionList.h"
#include "ModeWord.h"
#include "ParameterTable.h"
#include "Settings.h"
#include "ShownMessage.h"
#include "platform/Dialogs.h"
#include "platform/LockFile.h"

#include <QObject>
#include <QString>

#include <functional>

namespace lark::shell {

class AppContext : public QObject {
    Q_OBJECT
public:
    // actions: false for a context without an action list is not offered; every context has one.
    explicit AppContext(QObject* parent = nullptr);
    ~AppContext() override;

    // --- services ---
    ActionList& actions() { return m_actions; }
    ParameterTable& params() { return m_params; }
    platform::Dialogs& dialogs() const;
    void setDialogs(platform::Dialogs* d) { m_dialogs = d; }

    // Status bar panels 0 to 2.
    void setStatus(int panel, const QString& text);
    QString status(int panel) const { return (panel >= 0 && panel < 3) ? m_status[panel] : QString(); }

    // Main window caption (and the title file beside the settings).
    void setCaption(const QString& caption);
    QString caption() const { return m_caption; }
    // Sets the caption and rewrites "$FormTitle.txt" in the settings folder; write errors ignored.
    void setCaptionAndTitleFile(const QString& caption);

    // --- folders ---
    QString workingFolder() const;       // MyAppDataPath/mail_dat
    QString secondLevelFolder() const;   // MyAppDataPath/mail_dat/2nd
    QString programFolder() const { return m_programFolder; }
    void setProgramFolder(const QString& f) { m_programFolder = f; }

    // --- fields of the main window (names as the design gives them) ---
    quint16 pmode = 0;
    Settings settings;
    int StyleNum = 0;
    bool common_ConfigFlg = false;
    bool styleFromCommandLine = false;
    QString MyAppDataPath;
    QString IniFilePath;
    QString CompiledHelpFile;
    QString programFileName = QStringLiteral("Larkspur");

    // shown message
    QString MessageFile;
    QString awk_MessageFile;
    QString mwk_MessageFile;
    QString old_MessageFile;
    QString ExecuteFile;
    int MDatType = 0;
    bool TnefFlg = false;
    bool JISFlg = false;
    bool ZoomFixedFlg = true;
    bool TerminateState = false;
    QString MLItemFileStr;
    QString DcrMLItemFileStr;
    int MsgReadCounter = 0;
    bool LOutlook = false;

    // database
    QString Ldb_Host1;
    QString Ldb_Path1;
    bool emb_Flg = false;
    bool Semafore_Flg = false;
    platform::LockFile semafore; // SemaforeHandle
    int srtcnum = 0;
    double StartDocNum = 0;

    // screen
    int CDpi = 96;
    double CFunc() const { return CDpi / 96.0; }

    // --- routines other subsystems provide (installed by their controllers) ---
    std::function<void()> clearMsgDisp;
    std::function<void(const QString&)> readEmlFile;
    std::function<void(const QString&)> readMsgFile;
    // The disconnected state when the list is open (closes the list window too).
    std::function<void()> leaveListMode;
    // Closes the list window (dock rules apply).
    std::function<void()> closeListWindow;
    // Whether the message list dataset is open.
    std::function<bool()> listIsOpen;
    // Shows the list window docked into the page control (installed by the list window).
    std::function<void()> showListWindow;
    // What the display shows now: header edits, MDatType, Editor text, shown mail file
    // (installed by the intake; the store operation and the stored-message display read it).
    std::function<ShownMessage()> shownMessage;
    // Brings the page of the shown message to the front: "HTML" if its tab is visible (the
    // main window then becomes a normal window), else "添付ファイルⅠ", else "書誌情報".
    std::function<void()> bringShownPageToFront;
    // The shortcut rule of the list's pop-up items (AutoView); run when the parameter table loses
    // the input focus (installed by the data module).
    std::function<void()> applyShortcutRule;
    // The raw text of the shown message (the hidden memo of the page "Data").
    std::function<QString()> dataMemoText;
    // The window parts of leaving the database file tab mode (hide Panel15 and TabSheet7) and
    // the bulk sender mode (drop targets back, Panel17 and TabSheet8 hidden, Editor shown);
    // the caller has already unchecked DBBackup or MLSender.
    std::function<void()> leaveBackupMode;
    std::function<void()> leaveSenderMode;

    // Calls the routine when one is installed.
    void callClearMsgDisp() { if (clearMsgDisp) clearMsgDisp(); }

signals:
    void statusChanged(int panel, const QString& text);
    void captionChanged(const QString& caption);

private:
    ActionList m_actions;
    ParameterTable m_params;
    platform::Dialogs* m_dialogs = nullptr;
    QString m_status[3];
    QString m_caption;
    QString m_programFolder;
};

} // namespace lark::shell
