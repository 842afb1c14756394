#pragma once
// The database settings dialog TDBSetFrm without its widgets: host and path boxes, the
// services-file state and registration, OK with reconnect (on-disk structure question, lock
// file renewal and restore), Cancel, the file choice that offers to create a new archive, and
// DBFileSetExecute around the modal run.
#include "ServicesFile.h"

#include <QString>

#include <functional>

namespace lark::store {

class TDm_Ldb;

inline const QString kServiceRegistered = QStringLiteral("gds_db(3050) 登録されています");
inline const QString kServiceRegisteredNow = QStringLiteral("gds_db(3050) 登録済み");
inline const QString kServiceClickRegister = QStringLiteral("登録ボタンをクリックしてください");
inline const QString kNeedsAdministrator = QStringLiteral("この操作はプログラムを管理モードで起動後実行してください");
inline const QString kOdsQuestionHead = QStringLiteral("【データベース名】：\r\n");
inline const QString kOdsQuestionTail = QStringLiteral("Firebird 5.0 バージョンに更新しますか?");
inline const QString kOdsUpgraded = QStringLiteral("更新完了しました");
inline const QString kCannotConnect = QStringLiteral("Mail LDBに接続できません");
inline const QString kCannotConnectCancel =
    QStringLiteral("ＤＢサーバーに接続できません。ＤＢサーバーが停止している可能性があります");
inline const QString kLockHeldElsewhere = QStringLiteral("他のアクセスがあります、設定をもどします");
inline const QString kMailDbCaption = QStringLiteral("Mail DB");
inline const QString kConvertCommandError = QStringLiteral("FBComvert Command ERROR");

// The question before creating an archive at a path that does not exist, and the report of a
// failed creation.
QString createArchiveQuestion(const QString& path);
QString createArchiveFailed(const QString& errorText);

class DBSetLogic {
public:
    explicit DBSetLogic(TDm_Ldb& dm, QString servicesFile = kDefaultServicesFile);

    // Controls.
    QString Edit1; // host
    QString Edit2; // database file
    QString Label4;
    bool Button1Visible = true;

    // The previous host and path (taken when the dialog is created).
    const QString& previousHost() const { return m_previousHost; }
    const QString& previousPath() const { return m_previousPath; }

    // Showing the dialog: the services state into Label4 and Button1.
    void FormShow();
    // "登録": registers gds_db.
    void Button1Click();
    // "…" confirmed with path. A path that does not exist (embedded host) offers a new empty
    // archive there: Yes creates it and runs OK (returns true: the dialog closes); No leaves
    // everything as it was. An existing path just goes into Edit2.
    bool SpeedButton1Chosen(const QString& path);
    // OK (the dialog closes afterwards).
    void BitBtn3Click();
    // ConvertFB5: gfix on Ldb_Path1, waiting for its end.
    void ConvertFB5();
    // Cancel (the dialog closes afterwards).
    void BitBtn2Click();

private:
    void renewLock();
    TDm_Ldb& m_dm;
    QString m_servicesFile;
    QString m_previousHost;
    QString m_previousPath;
};

// DBFileSetExecute: closes the list if open, runs the dialog through runModal, writes the
// title file.
void DBFileSetExecute(TDm_Ldb& dm, const std::function<void(DBSetLogic&)>& runModal,
                      const QString& servicesFile = kDefaultServicesFile);

} // namespace lark::store
