#include "ActionList.h"

#include "Styles.h"

namespace lark::shell {

ActionList::ActionList(QObject* parent) : QObject(parent)
{
    add("MessageOpen", QStringLiteral("メールを開く"));
    add("MessageSave", QStringLiteral("メールを保存する"), false);
    add("SavetoDisk", QStringLiteral("名前をつけて保存"), false, false, QKeySequence(QStringLiteral("Ctrl+N")));
    add("SaveToDiskA1", QString());
    add("SaveToDiskA2", QString());
    add("OpenWith", QStringLiteral("規定のプログラムで開く"), false, false, QKeySequence(QStringLiteral("Ctrl+O")));
    add("OpenWithA1", QString());
    add("OpenWithA2", QString());
    add("OpenWithRTF", QString());
    add("OpenWithTXT", QString());
    add("DecryptGpg", QStringLiteral("GnuPG復号"), false);
    add("DecryptGpgA1", QStringLiteral("GnuPG復号"));
    add("SaveToDiskDGpg", QStringLiteral("GnuPG復号して保存"), false);
    add("SaveToDiskD1Gpg", QStringLiteral("GnuPG復号して保存"));
    add("SaveToDiskD2Gpg", QStringLiteral("GnuPG復号して保存"));
    add("DecryptTnefA1", QString());
    QAction* exit = add("FileExit1", QStringLiteral("終了(&X)"));
    exit->setToolTip(QStringLiteral("終了"));
    exit->setStatusTip(QStringLiteral("アプリケーションを終了します"));
    add("DBUpdate", QStringLiteral("DB更新"), false);
    add("DBConnect", QStringLiteral("DB接続"), true, true);
    add("DBFileSet", QStringLiteral("DBファイル設定"));
    // The list's row actions carry the shortcuts of the list pop-up menu; the list window adds
    // them to its grid, and the AutoView rule clears or restores them.
    add("DispMsgDat", QStringLiteral("メッセージの表示"), false, false, QKeySequence(QStringLiteral("Ctrl+R")));
    add("ExprtMsgFile", QStringLiteral("メッセージファイルのエクスポート"), false, false, QKeySequence(QStringLiteral("Ctrl+T")));
    add("DelMsgDat", QStringLiteral("メッセージの削除"), false, false, QKeySequence(QStringLiteral("Ctrl+Del")));
    add("Zoom_IncMgn", QStringLiteral("表示倍率＋"), false);
    add("Zoom_DecMgn", QStringLiteral("表示倍率－"), false);
    add("EditorPrint", QStringLiteral("Doc印刷"));
    add("DispTAB1", QStringLiteral("書誌情報TAB"), true, true)->setChecked(true);
    add("DispTAB3", QStringLiteral("パラメータ設定TAB"), true, true);
    add("DBSelect", QStringLiteral("DB検索"), true, true);
    for (const StyleInfo& s : kStyles)
        add(s.action, QString::fromUtf8(s.caption), true, true);
    add("Hcontents", QStringLiteral("目次"));
    add("Hkeyword", QStringLiteral("キーワード"));
    add("FontBarShow", QStringLiteral("フォントメニューバー表示"), false);
    add("ButtonBarShow", QStringLiteral("ボタンメニューバー表示"), false);
    add("DBBackup", QStringLiteral("DBFile Backup"), true, true);
    add("FileSetA", QStringLiteral("一括選択"));
    add("FileSetS", QStringLiteral("個別選択"));
    add("ListOnOff", QStringLiteral("List OnOff"));
    add("SetListFontSize", QStringLiteral("フォントサイズ"), false);
    add("MLSender", QStringLiteral("Mail Sender"), true, true);
    add("InsertC1", QStringLiteral("宛先名挿入 [$ToName]"));
    add("InsertC2", QStringLiteral("差出人名挿入 [$FrmName]"));
    add("InsertC3", QStringLiteral("差出人アドレス挿入 [$FrmAddress]"));
    // The editing actions work on the mail body editor only; their shortcuts become active
    // when that editor adds them.
    add("EditUndo1", QStringLiteral("元に戻す(&U)"), true, false, QKeySequence(QStringLiteral("Ctrl+Z")));
    add("EditCut1", QStringLiteral("切り取り(&T)"), true, false, QKeySequence(QStringLiteral("Ctrl+X")));
    add("EditCopy1", QStringLiteral("コピー(&C)"), true, false, QKeySequence(QStringLiteral("Ctrl+C")));
    add("EditPaste1", QStringLiteral("貼り付け(&P)"), true, false, QKeySequence(QStringLiteral("Ctrl+V")));
    add("About", QStringLiteral("バージョン情報"));
}

QAction* ActionList::add(const char* name, const QString& caption, bool enabled, bool checkable,
                         const QKeySequence& shortcut)
{
    auto* a = new QAction(caption, this);
    a->setObjectName(QString::fromLatin1(name));
    a->setEnabled(enabled);
    a->setCheckable(checkable);
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    m_actions.insert(a->objectName(), a);
    m_order.append(a);
    return a;
}

QAction* ActionList::get(const QString& name) const
{
    QAction* a = m_actions.value(name);
    Q_ASSERT_X(a, "ActionList::get", qPrintable(name));
    if (!a)
        qFatal("unknown action %s", qPrintable(name));
    return a;
}

QList<QAction*> ActionList::all() const
{
    return m_order;
}

void ActionList::execute(const QString& name) const
{
    QAction* a = get(name);
    if (a->isEnabled()) {
        a->trigger();
        return;
    }
    // QAction::trigger() does nothing for a disabled action, but other handlers execute actions
    // directly whatever their state: do what a click would do.
    if (a->isCheckable())
        a->setChecked(!a->isChecked());
    emit a->triggered(a->isChecked());
}

} // namespace lark::shell
