// larkspurctl: the command-line face of Larkspur. It runs the same core operations as the GUI
// and prints their results. It never writes the settings file.
#include "Commands.h"
#include "store/ArchiveConnection.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>

using namespace lark::cli;

namespace {

void printHelp(QTextStream& out)
{
    out << "Usage: larkspurctl [global options] <command> [arguments]\n"
           "\n"
           "Global options:\n"
           "  --settings DIR   use DIR as the settings folder (its Larkspur.ini is read, never written)\n"
           "  --db PATH        database file for this run (instead of MailDB DBPath)\n"
           "  --host HOST      database host for this run (instead of MailDB Server; empty or\n"
           "                   localhost: embedded)\n"
           "  --help           show this help\n"
           "  --version        show the version\n"
           "\n"
           "Commands:\n";
    for (const Command& c : commands())
        out << "  " << QString::fromUtf8(c.synopsis) << "\n";
    out.flush();
}

} // namespace

int main(int argc, char** argv)
{
    // The core handlers use the GUI module's non-widget classes (actions, icons); no window is
    // ever shown, so the offscreen platform is enough.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("larkspurctl"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LARKSPUR_VERSION));

    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = QCoreApplication::arguments().mid(1);
    GlobalOptions g;
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString opt = args.takeFirst();
        if (opt == QLatin1String("--help")) {
            printHelp(out);
            return 0;
        }
        if (opt == QLatin1String("--version")) {
            out << "larkspurctl " << LARKSPUR_VERSION << "\n";
            return 0;
        }
        if (opt == QLatin1String("--settings") || opt == QLatin1String("--db") || opt == QLatin1String("--host")) {
            if (args.isEmpty()) {
                err << "larkspurctl: " << opt << " needs a value\n";
                return 2;
            }
            const QString v = args.takeFirst();
            if (opt == QLatin1String("--settings"))
                g.settingsDir = v;
            else if (opt == QLatin1String("--db"))
                g.dbPath = v;
            else
                g.host = v;
            continue;
        }
        err << "larkspurctl: unknown option " << opt << "\n";
        return 2;
    }
    if (args.isEmpty()) {
        printHelp(err);
        return 2;
    }
    const QString name = args.takeFirst();
    for (const Command& c : commands()) {
        if (name == QLatin1String(c.name)) {
            int rc = 0;
            {
                CliContext ctx(g);
                rc = c.run(ctx, args);
            }
            lark::store::shutdownDatabaseClient();
            return rc;
        }
    }
    err << "larkspurctl: unknown command " << name << " (see --help)\n";
    return 2;
}
