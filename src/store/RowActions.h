#pragma once
// The actions on the list's current row and on the shown message: display a stored message,
// delete it, export its file, and save the shown message.
#include <QString>

namespace lark::store {

class TDm_Ldb;

inline const QString kReadingStoredMessage = QStringLiteral("メッセージを読込中です -- お待ちください");
inline const QString kRowReadErrorDisplay = QStringLiteral("データベースデータError");
inline const QString kRowReadErrorExport = QStringLiteral("データベースデータerror");
inline const QString kSetDatabaseFile = QStringLiteral("データベースファイルを設定してください");
inline const QString kNotAMailFile = QStringLiteral("メールファイルではありません");
inline const QString kDeleteFailed = QStringLiteral("削除できませんでした。");
inline const QString kDeleteCancelled = QStringLiteral("削除処理をキャンセルしました");
inline const QString kDeleted = QStringLiteral("メッセージデータを削除しました");
inline const QString kSaved = QStringLiteral("保存完了");
inline const QString kCopyFailed = QStringLiteral("Error executing copyFile %s");
inline const QString kDefaultExportPattern = QStringLiteral("[Subject]_[DateTime]");

// The four-line question before a deletion.
QString deleteQuestion(const QString& subject, const QString& dateTime, const QString& sender);

void DispMsgDatExecute(TDm_Ldb& dm);
void DelMsgDatExecute(TDm_Ldb& dm);
void ExprtMsgFileExecute(TDm_Ldb& dm);
void MessageSaveExecute(TDm_Ldb& dm);

} // namespace lark::store
