#pragma once
// The command table of larkspurctl: one entry per sub-command, each implemented in its own
// cmd_<name>.cpp. A command gets its own arguments (after the command name) and the context,
// and returns the process exit code.
#include "CliContext.h"

#include <QStringList>

namespace lark::cli {

using CommandFn = int (*)(CliContext& ctx, const QStringList& args);

struct Command {
    const char* name;
    const char* synopsis; // one line for --help
    CommandFn run;
};

// All commands, in the order --help lists them.
const QList<Command>& commands();

} // namespace lark::cli
