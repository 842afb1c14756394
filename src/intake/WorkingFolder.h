#pragma once
// The working folder "mail_dat" in the settings folder (with "2nd" for second-level
// attachments), created at start and deleted at close, and the names of the files written
// into it. Every name that comes from a message is made safe first, so nothing a message
// names can be written outside the folder.
#include "platform/Result.h"
#include "shell/AppContext.h"

#include <QByteArray>
#include <QString>

namespace lark::intake {

// A file name that stays inside a folder: path separators and control characters become "_",
// "." and ".." and an empty name become "_", and a name too long for the file system is
// shortened (its extension kept). The list keeps showing the name as sent.
QString safeWorkingName(const QString& name);

// folder + safeWorkingName(name).
QString workingPath(const QString& folder, const QString& name);

// Where an attachment (or a file made from it) is written in folder: workingPath(folder, name),
// but never the working copy of the shown mail file (awk_MessageFile, mwk_MessageFile) nor the
// mail file itself: such a name gets "_" in front.
QString attachmentPath(const shell::AppContext& ctx, const QString& folder, const QString& name);

// The name with its extension replaced by newExtension (".txt"); without an extension, the
// extension is appended.
QString changeFileExt(const QString& name, const QString& newExtension);

// Creates "mail_dat" and "mail_dat/2nd" (with missing parent folders).
bool prepareWorkingFolder(shell::AppContext& ctx);

// Deletes a folder with its contents; on failure shows "フォルダーが残されています" (error box) and
// returns false.
bool deleteFolderReporting(shell::AppContext& ctx, const QString& folder);

// At close: deletes the working folder with everything in it (reporting a failure).
bool removeWorkingFolder(shell::AppContext& ctx);

// Writes bytes to path, replacing a file of that name.
Status writeFileBytes(const QString& path, const QByteArray& bytes);

} // namespace lark::intake
