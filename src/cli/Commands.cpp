#include "Commands.h"

namespace lark::cli {

int cmdTnef(CliContext& ctx, const QStringList& args);

const QList<Command>& commands()
{
    static const QList<Command> table = {
        {"tnef", "tnef FILE DIR      unpack a TNEF file (winmail.dat) into DIR; prints the files written", cmdTnef},
    };
    return table;
}

} // namespace lark::cli
