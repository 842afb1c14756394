#include "CliContext.h"

#include "platform/AppFolders.h"
#include "platform/IniStore.h"

#include <QDir>

#include <cstdio>

namespace lark::cli {

CliContext::CliContext(GlobalOptions options)
    : m_options(std::move(options)), m_app(std::make_unique<shell::AppContext>()), m_out(stdout), m_err(stderr)
{
    m_settingsFolder = m_options.settingsDir.isEmpty() ? platform::AppFolders::settingsFolder()
                                                       : QDir(m_options.settingsDir).absolutePath();
    shell::AppContext& a = *m_app;
    a.MyAppDataPath = m_settingsFolder;
    a.IniFilePath = iniPath();
    a.setProgramFolder(platform::AppFolders::programFolder());
    platform::IniStore ini(a.IniFilePath);
    (void)ini.load();
    a.settings.readFrom(ini);
    a.params().readFrom(ini);
    a.Ldb_Host1 = m_options.host.value_or(a.settings.server);
    a.Ldb_Path1 = m_options.dbPath.value_or(a.settings.dbPath);
    a.emb_Flg = a.Ldb_Host1.isEmpty();
}

QString CliContext::iniPath() const
{
    // The command-line tool reads the GUI's own settings file.
    return QDir(m_settingsFolder).filePath(platform::AppFolders::iniFileName(QStringLiteral("Larkspur")));
}

int CliContext::usageError(const char* usage)
{
    m_err << "usage: " << usage << "\n";
    m_err.flush();
    return 2;
}

int CliContext::failure(const char* command, const QString& why)
{
    m_err << "larkspurctl: " << command << ": " << why << "\n";
    m_err.flush();
    return 1;
}

} // namespace lark::cli
