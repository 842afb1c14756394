#pragma once
// Reading a mail file without a window, with exactly the reader the GUI uses: larkspurctl
// (show, store) and tests call this. The context's dialog interface receives the texts of the
// message boxes the reading shows (install a ScriptedDialogs to collect them).
#include "shell/AppContext.h"
#include "shell/ShownMessage.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace lark::intake {

struct HeadlessReadResult {
    bool readable = false;   // false: the file could not be read at all (error says why)
    QString error;
    shell::ShownMessage shown;          // header edits, MDatType, Editor text, mail file
    std::optional<QString> html;        // HTML shown on the tab "HTML", if any
    QStringList attachments;            // captions of ListView1
    QStringList attachments2;           // captions of ListView2
};

struct HeadlessReadOptions {
    // Read every extension but ".msg" as an Internet message (larkspurctl show); by default only
    // ".eml" is read, as the intake does ("メールファイルではありません" otherwise).
    bool anyExtension = false;
    // The gpg watchdog interval in milliseconds; 0 keeps the window's 75 seconds.
    int watchdogIntervalMs = 0;
};

// Reads path into a fresh display with the window's reader (ReadEmlFile). ".msg" files are not
// read here (readable false). ctx supplies the parameter table, the settings folder (the
// working folder "mail_dat" is created in it when missing) and the dialog interface. Fields of
// ctx that the reader sets (MessageFile, MDatType, JISFlg, TnefFlg, status texts, action
// states) are left as the reading set them. readable is false when the file is missing, a
// folder, unreadable, or holds neither mail headers nor an armored OpenPGP message.
HeadlessReadResult readMailFile(shell::AppContext& ctx, const QString& path, const HeadlessReadOptions& options = {});

} // namespace lark::intake
