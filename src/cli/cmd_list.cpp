// larkspurctl list [--json] [--sort FIELD] [--asc|--desc] [--body]: the rows of MAIL_VIEW,
// newest first unless sorted otherwise. FIELD is a column name of the view (letter case
// ignored); the direction defaults to descending, like the first click on a column title.
// JSON keys are the view's column names in lower case; "mailbody" only with --body.
#include "Commands.h"

#include "store/DmLdb.h"
#include "store/ListOutput.h"

namespace lark::cli {

// Options shared with search: --json, --sort FIELD, --asc, --desc. Consumed from args; returns
// false (after printing why) on a bad option.
bool takeListOptions(CliContext& ctx, QStringList& args, bool& json, store::SortOrder& order);
// Opens the archive and prints the list with the filter given; the exit code.
int printList(CliContext& ctx, const std::optional<store::SearchCriteria>& filter, const store::SortOrder& order,
              bool json, bool withBody);

bool takeListOptions(CliContext& ctx, QStringList& args, bool& json, store::SortOrder& order)
{
    QStringList rest;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String("--json")) {
            json = true;
        } else if (a == QLatin1String("--asc")) {
            order.descending = false;
        } else if (a == QLatin1String("--desc")) {
            order.descending = true;
        } else if (a == QLatin1String("--sort")) {
            const std::optional<store::ListField> f =
                i + 1 < args.size() ? store::fieldFromName(args.at(i + 1)) : std::nullopt;
            if (!f) {
                ctx.err() << "larkspurctl: --sort needs a column of MAIL_VIEW (for example MESSAGE_SUBJECT)\n";
                ctx.err().flush();
                return false;
            }
            order.field = *f;
            ++i;
        } else {
            rest << a;
        }
    }
    args = rest;
    return true;
}

int printList(CliContext& ctx, const std::optional<store::SearchCriteria>& filter, const store::SortOrder& order,
              bool json, bool withBody)
{
    shell::AppContext& app = ctx.app();
    store::TDm_Ldb dm(app);
    if (Status s = dm.openForCommandLine(); !s) {
        ctx.err() << "larkspurctl: cannot open the archive " << app.Ldb_Path1 << ": " << s.errorText() << "\n";
        ctx.err().flush();
        return 1;
    }
    Result<QString> out = store::listOutput(dm.FDTbl1(), filter, order, json, withBody);
    if (!out) {
        ctx.err() << "larkspurctl: " << out.errorText() << "\n";
        ctx.err().flush();
        return 1;
    }
    ctx.out() << *out;
    ctx.out().flush();
    return 0;
}

int cmdList(CliContext& ctx, const QStringList& argsIn)
{
    QStringList args = argsIn;
    bool json = false;
    store::SortOrder order;
    if (!takeListOptions(ctx, args, json, order))
        return 2;
    bool withBody = false;
    if (args.removeAll(QStringLiteral("--body")) > 0)
        withBody = true;
    if (!args.isEmpty()) {
        ctx.err() << "usage: larkspurctl list [--json] [--sort FIELD] [--asc|--desc] [--body]\n";
        ctx.err().flush();
        return 2;
    }
    return printList(ctx, std::nullopt, order, json, withBody);
}

} // namespace lark::cli
