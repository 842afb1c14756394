#pragma once
// What every larkspurctl command gets: the global options, the settings folder and file, the
// parameter table as the GUI saved it, and the database target for this run.
#include "shell/AppContext.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <memory>
#include <optional>

namespace lark::cli {

struct GlobalOptions {
    QString settingsDir;           // --settings DIR
    std::optional<QString> dbPath; // --db PATH
    std::optional<QString> host;   // --host HOST
};

class CliContext {
public:
    explicit CliContext(GlobalOptions options);

    const GlobalOptions& options() const { return m_options; }
    // The settings folder: --settings, else the folder rules.
    QString settingsFolder() const { return m_settingsFolder; }
    // The GUI's settings file in that folder (Larkspur.ini).
    QString iniPath() const;

    // The main window's state as the GUI would have it after reading the settings: settings,
    // parameter table, MailDB host and path (overridden by --host and --db). Never written back.
    shell::AppContext& app() { return *m_app; }

    // Database host and file for this run.
    QString host() const { return m_app->Ldb_Host1; }
    QString databasePath() const { return m_app->Ldb_Path1; }

    QTextStream& out() { return m_out; }
    QTextStream& err() { return m_err; }

    // "usage: <text>" on stderr; returns the exit code of a wrong call (2).
    int usageError(const char* usage);
    // "larkspurctl: <command>: <why>" on stderr; returns the exit code of a failure (1).
    int failure(const char* command, const QString& why);

private:
    GlobalOptions m_options;
    QString m_settingsFolder;
    std::unique_ptr<shell::AppContext> m_app;
    QTextStream m_out;
    QTextStream m_err;
};

} // namespace lark::cli
