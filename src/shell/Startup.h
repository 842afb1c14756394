#pragma once
// Reading the settings when the main window is created and writing them when it closes, with
// the lock file beside an embedded database and the working folder.
#include "AppContext.h"
#include "CommandLine.h"

#include "platform/Result.h"

namespace lark::shell {

// Start-up steps 6 to 12 that are not about widgets: marks the settings to be saved, sets the
// help file, determines the settings folder and file, reads the settings file with the parameter
// table, the style number (unless the command line chose one), takes the embedded-database lock
// file and creates the working folder.
void loadSettings(AppContext& ctx, const StartOptions& options, const QString& settingsFolder);

// Lock file at creation: with an empty host and an existing database file, take "Semafore"
// beside it. Sets emb_Flg and Semafore_Flg.
void takeDatabaseLock(AppContext& ctx);

// Creates "mail_dat" and "mail_dat/2nd" in the settings folder (with missing parents).
void prepareWorkingFolder(AppContext& ctx);

// The writing pass at close (only while common_ConfigFlg is true): releases and deletes the lock
// file, then writes the settings file atomically. The caller has copied the window state into
// ctx.settings first. Returns the error of the settings file; the caller reports it.
Status saveSettings(AppContext& ctx);

// The style number written at close: the saved one when a command-line style ran this session.
int themeToSave(const AppContext& ctx);

} // namespace lark::shell
