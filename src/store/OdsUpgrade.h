#pragma once
// Raising a database file of on-disk structure 13.0 with the Firebird tool gfix: the tool
// "<program folder>/FB5(x64)/gfix" when it is there, else gfix from PATH, run as a child
// process with an argument list; the caller waits on TerminateState, events processed.
#include <QString>
#include <QStringList>

namespace lark::shell {
class AppContext;
}

namespace lark::store {

inline const QString kGfixAdminPassword = QStringLiteral("quillbarn");

// The tool to run for programFolder.
QString gfixProgram(const QString& programFolder);
// "-upgrade <path> -user sysdba -pass <password>"; the path goes unchanged as one argument.
QStringList gfixUpgradeArguments(const QString& databasePath);

struct GfixRun {
    bool started = false;
    int exitCode = -1;
    bool succeeded() const { return started && exitCode == 0; }
};

// Starts gfix on ctx.Ldb_Path1, sets TerminateState false and waits until the process end
// sets it true, in steps of 10 ms. A tool that cannot be started ends the wait at once.
GfixRun runGfixUpgrade(shell::AppContext& ctx);

} // namespace lark::store
