#pragma once
// The fixed texts of message intake and display, exactly as the user sees them.
#include <QString>

namespace lark::intake::texts {

// intake
inline const QString kNotMailFile = QStringLiteral("メールファイルではありません");
inline const QString kDropUnreadable = QStringLiteral("** メール内容が読めませんでした **");
inline const QString kBatchQuestion =
    QStringLiteral("メールデータを確認せずに一括処理しますか? \r\n[はい]:一括処理\r\n[いいえ]：確認処理");
// "【ファイル名】<n>\r\n<file name>\r\nこのメールデータをDB登録しますか?"
inline QString storeQuestion(int remaining, const QString& fileName)
{
    return QStringLiteral("【ファイル名】<") + QString::number(remaining) + QStringLiteral(">\r\n") + fileName
        + QStringLiteral("\r\nこのメールデータをDB登録しますか?");
}
inline const QString kDropLabel = QStringLiteral("ここにメッセージ(ファイル)をドロップしてください");

// reader
inline const QString kMessageShown = QStringLiteral("メッセージを表示しました");
inline const QString kGpg2PathNotSet = QStringLiteral("GPG2.exeのパス設定をしてください");
// The HTML view could not be created in time; the text view still shows the message.
inline const QString kHtmlViewUnavailable = QStringLiteral("HTML表示を開始できませんでした（テキスト表示のみ）");
inline const QString kGpgPathNotSet = QStringLiteral("GPG.exeのパス設定をしてください");

// GnuPG runs
inline const QString kGpgStatusFullWidth =
    QStringLiteral("［GnuPGP]復号処理エージェント起動中です -- お待ちください（起動に長時間がかかる場合があります）");
inline const QString kGpgStatusAscii =
    QStringLiteral("［GnuPGP]復号処理エージェント起動中です -- お待ちください(起動に長時間がかかる場合があります)");
inline const QString kDecryptDone = QStringLiteral("復号完了");
inline const QString kWatchdog = QStringLiteral(
    "GPG(Kleopatra) が機能していません\r\nパスキー入力画面が表示しないときはKleopatraを起動して再度実行してください");
inline const QString kNotGpgData = QStringLiteral("このデータはGPG暗号化データではありません");
inline const QString kNotEncryptedFile = QStringLiteral("暗号化ファイルではありません");
inline const QString kAlreadyDecrypted = QStringLiteral("復号済みです");
inline const QString kUntitledAttachment = QStringLiteral("無題の添付ファイル");
// gpg ended without writing its output (wrong key, damaged data): shown instead of kDecryptDone.
inline const QString kDecryptFailed = QStringLiteral("復号できませんでした");

// attachment lists and working folder
inline const QString kFolderLeft = QStringLiteral("フォルダーが残されています");
inline const QString kAscNotSupported = QStringLiteral("ascファイルは未対応です");
inline const QString kNoProgramForFile = QStringLiteral("このファイルは起動できる規定のプログラムがありません");
inline const QString kProgramNotStarted = QStringLiteral("プログラムが起動できませんでした");
inline const QString kSaveDataNotFound = QStringLiteral("Save Data がみつかりません\r\nプログラムの修正が必要です");
inline const QString kPgpMimeVersionPart = QStringLiteral("PGP_MIME version identification.dat");

} // namespace lark::intake::texts
