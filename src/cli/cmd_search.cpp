// larkspurctl search [--from yyyy/MM/dd] [--to yyyy/MM/dd] [--subject PAT] [--sender PAT]
// [--body LINE]... [--and] [--json] [--sort FIELD] [--asc|--desc] [--show-body]: the rows the
// search dialog's filter leaves, printed like list. Patterns use "*" and "?"; each --body LINE
// is one line of the body box (its words must appear in order), joined by "or" unless --and.
// Without --from or --to that end of the date range stays open; --to takes the whole day.
#include "Commands.h"

#include "store/ListColumns.h"
#include "store/SearchFilter.h"
#include "store/SearchForm.h"

namespace lark::cli {

bool takeListOptions(CliContext& ctx, QStringList& args, bool& json, store::SortOrder& order);
int printList(CliContext& ctx, const std::optional<store::SearchCriteria>& filter, const store::SortOrder& order,
              bool json, bool withBody);

namespace {
int usage(CliContext& ctx, const QString& why = {})
{
    if (!why.isEmpty())
        ctx.err() << "larkspurctl: search: " << why << "\n";
    ctx.err() << "usage: larkspurctl search [--from yyyy/MM/dd] [--to yyyy/MM/dd] [--subject PAT] [--sender PAT] "
                 "[--body LINE]... [--and] [--json] [--sort FIELD] [--asc|--desc] [--show-body]\n";
    ctx.err().flush();
    return 2;
}
} // namespace

int cmdSearch(CliContext& ctx, const QStringList& argsIn)
{
    QStringList args = argsIn;
    bool json = false;
    store::SortOrder order;
    if (!takeListOptions(ctx, args, json, order))
        return 2;
    store::SearchCriteria c;
    bool withBody = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String("--and")) {
            c.andJoin = true;
            continue;
        }
        if (a == QLatin1String("--show-body")) {
            withBody = true;
            continue;
        }
        const bool takesValue = a == QLatin1String("--from") || a == QLatin1String("--to") || a == QLatin1String("--subject")
                                || a == QLatin1String("--sender") || a == QLatin1String("--body");
        if (!takesValue)
            return usage(ctx, QStringLiteral("unknown argument ") + a);
        if (i + 1 >= args.size())
            return usage(ctx, a + QStringLiteral(" needs a value"));
        const QString v = args.at(++i);
        if (a == QLatin1String("--from") || a == QLatin1String("--to")) {
            const std::optional<QDate> d = store::parseParameterDate(v);
            if (!d)
                return usage(ctx, QStringLiteral("%1 is not a date of the form yyyy/MM/dd").arg(v));
            (a == QLatin1String("--from") ? c.from : c.to) = *d;
        } else if (a == QLatin1String("--subject")) {
            c.subject = v;
        } else if (a == QLatin1String("--sender")) {
            c.sender = v;
        } else {
            c.bodyLines << v;
        }
    }
    return printList(ctx, c, order, json, withBody);
}

} // namespace lark::cli
