// larkspurctl init-db PATH: creates an empty archive (tables, view, indexes) at PATH, on the
// host of this run (--host; embedded when empty or localhost). An existing file is refused.
#include "Commands.h"

#include "store/ArchiveSchema.h"

namespace lark::cli {

int cmdInitDb(CliContext& ctx, const QStringList& args)
{
    if (args.size() != 1 || args.first().startsWith(QLatin1String("--"))) {
        ctx.err() << "usage: larkspurctl init-db PATH\n";
        ctx.err().flush();
        return 2;
    }
    const Status s = store::createArchive(ctx.host(), args.first());
    if (!s) {
        ctx.err() << "larkspurctl: init-db: " << s.errorText() << "\n";
        ctx.err().flush();
        return 1;
    }
    ctx.out() << args.first() << "\n";
    ctx.out().flush();
    return 0;
}

} // namespace lark::cli
