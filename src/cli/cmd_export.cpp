// larkspurctl export --id ID --date "yyyy/MM/dd HH:mm:ss" (--out PATH | --dir DIR): writes the
// stored mail file of that message unchanged, to PATH or into DIR under the name the export
// proposes (parameter ExpFileName, default "[Subject]_[DateTime]", plus the stored extension).
// Prints the path written.
#include "Commands.h"

#include "store/DmLdb.h"
#include "store/StoredMessages.h"

#include "platform/AtomicFile.h"

#include <QDir>

namespace lark::cli {

// --id ID --date D (shared with delete); consumed from args. Returns false after printing why.
bool takeMessageKey(CliContext& ctx, QStringList& args, store::MessageKey& key, const char* usage);

bool takeMessageKey(CliContext& ctx, QStringList& args, store::MessageKey& key, const char* usage)
{
    std::optional<QString> id;
    std::optional<QDateTime> date;
    QStringList rest;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if ((a == QLatin1String("--id") || a == QLatin1String("--date")) && i + 1 < args.size()) {
            const QString v = args.at(++i);
            if (a == QLatin1String("--id")) {
                id = v;
            } else {
                date = store::parseMessageDate(v);
                if (!date) {
                    ctx.err() << "larkspurctl: " << v << " is not a date of the form yyyy/MM/dd HH:mm:ss\n";
                    ctx.err().flush();
                    return false;
                }
            }
        } else {
            rest << a;
        }
    }
    if (!id || !date) {
        ctx.usageError(usage);
        return false;
    }
    key.id = *id;
    key.date = *date;
    args = rest;
    return true;
}

int cmdExport(CliContext& ctx, const QStringList& argsIn)
{
    static const char* kUsage = "larkspurctl export --id ID --date \"yyyy/MM/dd HH:mm:ss\" (--out PATH | --dir DIR)";
    QStringList args = argsIn;
    store::MessageKey key;
    if (!takeMessageKey(ctx, args, key, kUsage))
        return 2;
    QString out, dir;
    if (args.size() == 2 && args.at(0) == QLatin1String("--out"))
        out = args.at(1);
    else if (args.size() == 2 && args.at(0) == QLatin1String("--dir"))
        dir = args.at(1);
    else {
        return ctx.usageError(kUsage);
    }

    shell::AppContext& app = ctx.app();
    store::TDm_Ldb dm(app);
    auto fail = [&ctx](const QString& why) { return ctx.failure("export", why); };
    if (Status s = dm.openForCommandLine(); !s)
        return fail(QStringLiteral("cannot open the archive %1: %2").arg(app.Ldb_Path1, s.errorText()));
    Result<store::StoredFile> file = store::readStoredFile(dm.FD_Message(), key);
    if (!file)
        return fail(file.errorText());
    if (!dir.isEmpty()) {
        Result<std::optional<QString>> subject = store::storedSubject(dm.FD_Message(), key);
        if (!subject)
            return fail(subject.errorText());
        const QString pattern = app.params().valueOrSet(QStringLiteral("ExpFileName"), QStringLiteral("[Subject]_[DateTime]"));
        const QString name = store::exportFileName(pattern, subject->value_or(QString()), key.date, file->fileName);
        out = QDir(dir).filePath(store::safeStoredFileName(name, file->fileExt));
    }
    if (Status s = platform::writeFileAtomically(out, file->data); !s)
        return fail(QStringLiteral("cannot write %1: %2").arg(out, s.errorText()));
    ctx.out() << out << "\n";
    ctx.out().flush();
    return 0;
}

} // namespace lark::cli
