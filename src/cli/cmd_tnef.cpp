// larkspurctl tnef FILE DIR: unpack a TNEF file (winmail.dat) into DIR with the same extraction
// the GUI runs for the second attachment list. Prints the names of the files this run wrote,
// one per line, in the order they were written.
#include "Commands.h"

#include "tnef/TnefExtract.h"

namespace lark::cli {

int cmdTnef(CliContext& ctx, const QStringList& args)
{
    if (args.size() != 2) {
        ctx.err() << "usage: larkspurctl tnef FILE DIR\n";
        ctx.err().flush();
        return 2;
    }
    const auto written = tnef::extractTnef(args.at(0), args.at(1));
    if (!written.ok()) {
        ctx.err() << written.errorText() << "\n";
        ctx.err().flush();
        return 1;
    }
    for (const QString& name : written.value())
        ctx.out() << name << "\n";
    ctx.out().flush();
    return 0;
}

} // namespace lark::cli
