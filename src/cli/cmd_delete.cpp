// larkspurctl delete --id ID --date "yyyy/MM/dd HH:mm:ss": deletes both rows of that message
// (in one transaction). A key that is not stored is an error.
#include "Commands.h"

#include "store/DmLdb.h"
#include "store/StoredMessages.h"

namespace lark::cli {

bool takeMessageKey(CliContext& ctx, QStringList& args, store::MessageKey& key, const char* usage);

int cmdDelete(CliContext& ctx, const QStringList& argsIn)
{
    static const char* kUsage = "larkspurctl delete --id ID --date \"yyyy/MM/dd HH:mm:ss\"";
    QStringList args = argsIn;
    store::MessageKey key;
    if (!takeMessageKey(ctx, args, key, kUsage))
        return 2;
    if (!args.isEmpty()) {
        return ctx.usageError(kUsage);
    }
    shell::AppContext& app = ctx.app();
    store::TDm_Ldb dm(app);
    auto fail = [&ctx](const QString& why) { return ctx.failure("delete", why); };
    if (Status s = dm.openForCommandLine(); !s)
        return fail(QStringLiteral("cannot open the archive %1: %2").arg(app.Ldb_Path1, s.errorText()));
    Result<std::optional<QString>> subject = store::storedSubject(dm.FD_Message(), key);
    if (!subject)
        return fail(subject.errorText());
    if (!subject->has_value())
        return fail(QStringLiteral("no stored message %1 %2").arg(key.id, store::formatMessageDate(key.date)));
    if (Status s = store::deleteStoredMessage(dm.FD_Message(), key); !s)
        return fail(s.errorText());
    ctx.out() << "deleted\t" << key.id << "\t" << store::formatMessageDate(key.date) << "\n";
    ctx.out().flush();
    return 0;
}

} // namespace lark::cli
