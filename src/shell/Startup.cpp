#include "Startup.h"

#include "platform/AppFolders.h"
#include "platform/IniStore.h"

#include <QDir>
#include <QFileInfo>

namespace lark::shell {

void loadSettings(AppContext& ctx, const StartOptions& options, const QString& settingsFolder)
{
    ctx.common_ConfigFlg = true;
    ctx.CompiledHelpFile = QDir(ctx.programFolder()).filePath(QStringLiteral("Larkspurhlp.chm"));
    ctx.MyAppDataPath = settingsFolder;
    ctx.IniFilePath = QDir(settingsFolder).filePath(platform::AppFolders::iniFileName(ctx.programFileName));

    platform::IniStore ini(ctx.IniFilePath);
    (void)ini.load(); // a missing or unreadable file gives the defaults
    ctx.settings.readFrom(ini);
    ctx.params().readFrom(ini);
    ctx.Ldb_Host1 = ctx.settings.server;
    ctx.Ldb_Path1 = ctx.settings.dbPath;
    if (options.styleNumber) {
        ctx.StyleNum = *options.styleNumber;
        ctx.styleFromCommandLine = true;
    } else {
        ctx.StyleNum = ctx.settings.theme;
    }
    takeDatabaseLock(ctx);
    prepareWorkingFolder(ctx);
}

void takeDatabaseLock(AppContext& ctx)
{
    ctx.emb_Flg = ctx.Ldb_Host1.isEmpty();
    ctx.Semafore_Flg = false;
    if (ctx.emb_Flg && !ctx.Ldb_Path1.isEmpty() && QFileInfo(ctx.Ldb_Path1).isFile())
        ctx.Semafore_Flg = ctx.semafore.acquire(platform::LockFile::lockPathFor(ctx.Ldb_Path1));
}

void prepareWorkingFolder(AppContext& ctx)
{
    QDir().mkpath(ctx.secondLevelFolder());
}

int themeToSave(const AppContext& ctx)
{
    return ctx.styleFromCommandLine ? ctx.settings.theme : ctx.StyleNum;
}

Status saveSettings(AppContext& ctx)
{
    if (!ctx.common_ConfigFlg)
        return {};
    // Only the holder deletes the lock file: deleting another program's lock would let a third
    // one take the same database.
    if (ctx.emb_Flg)
        ctx.semafore.releaseAndDelete();

    platform::IniStore ini(ctx.IniFilePath);
    (void)ini.load(); // keys this pass does not write stay as they are
    Settings s = ctx.settings;
    s.theme = themeToSave(ctx);
    s.server = ctx.Ldb_Host1;
    s.dbPath = ctx.Ldb_Path1;
    s.writeTo(ini, s.homeFlg);
    ctx.params().writeTo(ini);
    QDir().mkpath(QFileInfo(ctx.IniFilePath).absolutePath());
    return ini.save();
}

} // namespace lark::shell
