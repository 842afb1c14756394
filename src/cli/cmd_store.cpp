// larkspurctl store [--batch N] FILE...: reads each file with the GUI's reader and stores it
// with the GUI's store operation. Prints "stored<TAB>file<TAB>message id<TAB>message date" or
// "failed<TAB>file<TAB>reason" per file; exit code 1 when any failed. Messages are committed in
// batches of N (500); each message is stored whole or not at all.
#include "Commands.h"

#include "intake/HeadlessReader.h"
#include "platform/ScriptedDialogs.h"
#include "store/BulkPipeline.h"
#include "store/DmLdb.h"
#include "store/StoreOperation.h"

#include <QFileInfo>

namespace lark::cli {

namespace {
QString oneLine(QString s)
{
    for (QChar c : {QLatin1Char('\t'), QLatin1Char('\r'), QLatin1Char('\n')})
        s.replace(c, QLatin1Char(' '));
    return s.trimmed();
}
} // namespace

int cmdStore(CliContext& ctx, const QStringList& argsIn)
{
    QStringList args = argsIn;
    int batch = 500;
    if (args.size() >= 2 && args.first() == QLatin1String("--batch")) {
        bool ok = false;
        batch = args.at(1).toInt(&ok);
        if (!ok || batch < 1) {
            ctx.err() << "larkspurctl: store: --batch needs a positive number\n";
            ctx.err().flush();
            return 2;
        }
        args = args.mid(2);
    }
    if (args.isEmpty()) {
        ctx.err() << "usage: larkspurctl store [--batch N] FILE...\n";
        ctx.err().flush();
        return 2;
    }
    shell::AppContext& app = ctx.app();
    platform::ScriptedDialogs dialogs; // the reader's message boxes become failure reasons
    app.setDialogs(&dialogs);
    store::TDm_Ldb dm(app);
    if (Status s = dm.openForCommandLine(); !s) {
        ctx.err() << "larkspurctl: store: cannot open the archive " << app.Ldb_Path1 << ": " << s.errorText() << "\n";
        ctx.err().flush();
        app.setDialogs(nullptr);
        return 1;
    }

    // The files are read here while a second thread writes the messages, committed in batches;
    // a message's line is printed once its batch is committed.
    dm.FD_Message().close();
    store::BulkPipeline pipeline(app.Ldb_Host1, app.Ldb_Path1, batch);
    if (Status s = pipeline.start(); !s) {
        ctx.err() << "larkspurctl: store: cannot open the archive " << app.Ldb_Path1 << ": " << s.errorText() << "\n";
        ctx.err().flush();
        app.setDialogs(nullptr);
        return 1;
    }
    bool anyFailed = false;
    auto failed = [&](const QString& file, const QString& reason) {
        ctx.out() << "failed\t" << file << "\t" << oneLine(reason) << "\n";
        anyFailed = true;
    };
    auto report = [&](const QList<store::BulkOutcome>& outcomes) {
        for (const store::BulkOutcome& o : outcomes) {
            if (o.status.ok())
                ctx.out() << QStringLiteral("stored\t%1\t%2\t%3").arg(o.file, oneLine(o.key.id),
                                                                    store::formatMessageDate(o.key.date))
                          << "\n";
            else
                failed(o.file, o.status.errorText());
        }
        ctx.out().flush();
    };

    for (const QString& file : std::as_const(args)) {
        if (!QFileInfo(file).isFile()) {
            failed(file, QStringLiteral("no such file"));
            continue;
        }
        dialogs.clear();
        // Mail saved under other extensions (.txt, .raw, mbox exports) is stored as it is; the
        // file type column then tells it from .eml files.
        intake::HeadlessReadOptions options;
        options.anyExtension = true;
        intake::HeadlessReadResult read = intake::readMailFile(app, file, options);
        if (!read.readable) {
            QString reason = read.error;
            if (reason.isEmpty())
                reason = dialogs.texts().join(QLatin1Char(' '));
            failed(file, reason.isEmpty() ? QStringLiteral("cannot read the file") : reason);
            continue;
        }
        if (read.shown.mailFile.isEmpty() || !QFileInfo(read.shown.mailFile).isFile())
            read.shown.mailFile = file;
        Result<store::StoredMessage> message = store::prepareStoredMessage(read.shown);
        if (!message) {
            failed(file, message.errorText());
            continue;
        }
        pipeline.add(file, *message);
        report(pipeline.takeOutcomes());
    }
    report(pipeline.finish());
    app.setDialogs(nullptr);
    return anyFailed ? 1 : 0;
}

} // namespace lark::cli
