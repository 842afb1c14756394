#pragma once
// Where the program and its settings live: the program folder, the settings folder rules
// (per-user XDG folder, all-users XDG folder, program folder's config) and the settings file name.
#include <QString>

namespace lark::platform {

class AppFolders {
public:
    // Folder of the running executable, without a trailing separator.
    static QString programFolder();
    // File name of the running executable without its folder (for example "Larkspur").
    static QString programFileName();

    // $XDG_CONFIG_HOME/Brennick/LarkspurDB (default ~/.config/Brennick/LarkspurDB).
    static QString perUserFolder();
    // First folder of $XDG_CONFIG_DIRS (default /etc/xdg) + /Brennick/LarkspurDB.
    static QString allUsersFolder();
    // Program folder + /config: the fallback settings folder.
    static QString programConfigFolder();
    // Program folder + /Config: the initial settings shipped with the program.
    static QString programInitialConfigFolder();

    // The settings folder by the first rule that holds: per-user folder if it exists, else the
    // all-users folder if it exists, else the program folder's config. Creates nothing.
    static QString settingsFolder();

    // Settings file name for a program file name: its base name + ".ini" (Larkspur -> Larkspur.ini).
    static QString iniFileName(const QString& programFileName);
};

} // namespace lark::platform
