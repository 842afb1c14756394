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

// Reads path (".eml"; other extensions as the intake would refuse or route them) into a fresh
// display. ctx supplies the parameter table, the settings folder (working folder) and the
// dialog interface.
HeadlessReadResult readMailFile(shell::AppContext& ctx, const QString& path);

} // namespace lark::intake
