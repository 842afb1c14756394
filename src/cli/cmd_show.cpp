// larkspurctl show FILE [--json] [--gpg PATH]: reads a mail file with the window's reader and
// prints what the window would show: the header tab, the data type, the text view, the HTML
// text, both attachment lists and the texts of the message boxes the reading showed.
//
// The parameter table comes from the settings folder (never written back); --gpg replaces
// GPGPath for this run. The reader's files (armored input, decrypted output, unpacked TNEF
// attachments) go to a working folder of this run, which is removed at the end, so a running
// window's working folder in the settings folder is never touched.
#include "Commands.h"

#include "intake/HeadlessReader.h"
#include "platform/ScriptedDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace lark::cli {

namespace {

struct ShowOptions {
    QString file;
    bool json = false;
    std::optional<QString> gpg;
};

bool parseShow(const QStringList& args, ShowOptions& o, QString& error)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--json")) {
            o.json = true;
        } else if (a == QLatin1String("--gpg")) {
            if (i + 1 >= args.size()) {
                error = QStringLiteral("--gpg needs a path");
                return false;
            }
            o.gpg = args[++i];
        } else if (a.startsWith(QLatin1String("--")) && a.size() > 2) {
            error = QStringLiteral("unknown option %1").arg(a);
            return false;
        } else if (o.file.isEmpty()) {
            o.file = a;
        } else {
            error = QStringLiteral("only one file can be shown");
            return false;
        }
    }
    if (o.file.isEmpty()) {
        error = QStringLiteral("usage: larkspurctl show FILE [--json] [--gpg PATH]");
        return false;
    }
    return true;
}

QJsonArray toArray(const QStringList& list)
{
    QJsonArray a;
    for (const QString& s : list)
        a.append(s);
    return a;
}

const char* const kEditKeys[8] = {"message_id",     "message_date",   "account_key",     "sender_name",
                                  "sender_address", "recieve_name",   "recieve_address", "message_subject"};
const char* const kEditLabels[8] = {"Message ID",   "Message Date", "Account Key", "From Name",
                                    "From Address", "Account Name", "To Address",  "Message Subject"};

} // namespace

int cmdShow(CliContext& ctx, const QStringList& args)
{
    ShowOptions o;
    QString error;
    if (!parseShow(args, o, error)) {
        ctx.err() << "larkspurctl: show: " << error << "\n";
        ctx.err().flush();
        return 2;
    }
    shell::AppContext& app = ctx.app();
    QTemporaryDir work(QDir::temp().filePath(QStringLiteral("larkspurctl-show-XXXXXX")));
    if (!work.isValid()) {
        ctx.err() << "larkspurctl: show: cannot create a working folder: " << work.errorString() << "\n";
        ctx.err().flush();
        return 1;
    }
    app.MyAppDataPath = work.path();
    if (o.gpg)
        app.params().setValue(QStringLiteral("GPGPath"), *o.gpg);
    platform::ScriptedDialogs dialogs;
    app.setDialogs(&dialogs);

    intake::HeadlessReadOptions options;
    options.anyExtension = true;
    const QString file = QFileInfo(o.file).absoluteFilePath();
    const intake::HeadlessReadResult read = intake::readMailFile(app, file, options);
    app.setDialogs(nullptr);
    if (!read.readable) {
        ctx.err() << "larkspurctl: show: " << read.error << "\n";
        ctx.err().flush();
        return 1;
    }

    const QStringList messages = dialogs.texts();
    if (o.json) {
        QJsonObject obj;
        obj.insert(QStringLiteral("file"), file);
        for (int i = 0; i < 8; ++i)
            obj.insert(QString::fromLatin1(kEditKeys[i]), read.shown.edits[size_t(i)]);
        obj.insert(QStringLiteral("mdattype"), read.shown.mdatType);
        obj.insert(QStringLiteral("body"), read.shown.editorText);
        obj.insert(QStringLiteral("html"), read.html ? QJsonValue(*read.html) : QJsonValue(QJsonValue::Null));
        obj.insert(QStringLiteral("attachments"), toArray(read.attachments));
        obj.insert(QStringLiteral("attachments2"), toArray(read.attachments2));
        obj.insert(QStringLiteral("messages"), toArray(messages));
        ctx.out() << QString::fromUtf8(QJsonDocument(obj).toJson(QJsonDocument::Indented));
        ctx.out().flush();
        return 0;
    }
    QTextStream& out = ctx.out();
    out << "File: " << file << "\n";
    for (int i = 0; i < 8; ++i)
        out << kEditLabels[i] << ": " << read.shown.edits[size_t(i)] << "\n";
    out << "MDatType: " << read.shown.mdatType << "\n";
    out << "Attachments: " << read.attachments.join(QStringLiteral(", ")) << "\n";
    out << "Attachments II: " << read.attachments2.join(QStringLiteral(", ")) << "\n";
    for (const QString& m : messages)
        out << "Message: " << QString(m).replace(QStringLiteral("\r\n"), QStringLiteral(" / ")) << "\n";
    if (read.html)
        out << "HTML: " << read.html->size() << " characters\n";
    out << "\n" << read.shown.editorText << "\n";
    out.flush();
    return 0;
}

} // namespace lark::cli
