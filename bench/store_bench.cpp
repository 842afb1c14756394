// larkspur_bench per-message ARCHIVE LISTFILE: reads every file named in LISTFILE with the
//   window's reader and stores it with the store action (one transaction per message), as the
//   GUI does for each shown message.
// larkspur_bench read LISTFILE: only reads every file with the window's reader (the reader's
//   share of a store).
// larkspur_bench list ARCHIVE: opens the archive and the message list (DBConnect) and reports
//   the time to the first rows.
// Both print "key=value" lines: count, seconds, per_second / first_rows_ms, rows, peak_rss_kb.
#include "intake/HeadlessReader.h"
#include "platform/ScriptedDialogs.h"
#include "shell/AppContext.h"
#include "store/DmLdb.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>

#include <sys/resource.h>

#include <cstdio>

using namespace lark;

namespace {

long peakRssKb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

int usage()
{
    std::fprintf(stderr, "usage: larkspur_bench per-message ARCHIVE LISTFILE | read LISTFILE | list ARCHIVE\n");
    return 2;
}

struct Context {
    QTemporaryDir settings;
    platform::ScriptedDialogs dialogs;
    shell::AppContext app;
    explicit Context(const QString& archive)
    {
        app.setDialogs(&dialogs);
        app.MyAppDataPath = settings.path();
        app.settings.applyDefaultColumnsIfNeeded();
        app.Ldb_Path1 = archive;
    }
};

QStringList readList(const QString& listFile)
{
    QFile list(listFile);
    QStringList files;
    if (!list.open(QIODevice::ReadOnly))
        return files;
    while (!list.atEnd()) {
        const QString line = QString::fromUtf8(list.readLine()).trimmed();
        if (!line.isEmpty())
            files << line;
    }
    return files;
}

int readOnly(const QString& listFile)
{
    const QStringList files = readList(listFile);
    Context c(QString{});
    int read = 0;
    QElapsedTimer t;
    t.start();
    for (const QString& file : files)
        read += intake::readMailFile(c.app, file).readable ? 1 : 0;
    const double seconds = t.elapsed() / 1000.0;
    std::printf("count=%d\nseconds=%.3f\nper_second=%.1f\npeak_rss_kb=%ld\n", read, seconds,
                seconds > 0 ? read / seconds : 0.0, peakRssKb());
    return 0;
}

int perMessage(const QString& archive, const QString& listFile)
{
    const QStringList files = readList(listFile);
    if (files.isEmpty())
        return usage();
    Context c(archive);
    store::TDm_Ldb dm(c.app);
    if (Status s = dm.openForCommandLine(); !s) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(archive), qPrintable(s.errorText()));
        return 1;
    }
    shell::ShownMessage shown;
    c.app.shownMessage = [&shown] { return shown; };
    int stored = 0, failed = 0;
    QElapsedTimer t;
    t.start();
    for (const QString& file : std::as_const(files)) {
        intake::HeadlessReadResult read = intake::readMailFile(c.app, file);
        if (!read.readable) {
            ++failed;
            continue;
        }
        shown = read.shown;
        if (shown.mailFile.isEmpty())
            shown.mailFile = file;
        c.dialogs.clear();
        dm.DBUpdateExecute();
        if (c.app.status(2) == QStringLiteral("DB更新が完了しました"))
            ++stored;
        else
            ++failed;
    }
    const double seconds = t.elapsed() / 1000.0;
    std::printf("count=%d\nfailed=%d\nseconds=%.3f\nper_second=%.1f\npeak_rss_kb=%ld\n", stored, failed, seconds,
                seconds > 0 ? stored / seconds : 0.0, peakRssKb());
    return 0;
}

int listOpen(const QString& archive)
{
    Context c(archive);
    QElapsedTimer t;
    t.start();
    store::TDm_Ldb dm(c.app);
    if (Status s = dm.openForCommandLine(); !s) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(archive), qPrintable(s.errorText()));
        return 1;
    }
    const qint64 connectMs = t.elapsed();
    dm.DBConnectExecute();
    const qint64 firstRowsMs = t.elapsed();
    if (!dm.FDTbl1().isOpen()) {
        std::fprintf(stderr, "the list did not open: %s\n", qPrintable(c.dialogs.texts().join(' ')));
        return 1;
    }
    std::printf("connect_ms=%lld\nfirst_rows_ms=%lld\nrows=%d\nmore=%d\npeak_rss_kb=%ld\n", connectMs, firstRowsMs,
                dm.FDTbl1().fetchedRows(), dm.FDTbl1().canFetchMore({}) ? 1 : 0, peakRssKb());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 3 && args[0] == QLatin1String("per-message"))
        return perMessage(args[1], args[2]);
    if (args.size() == 2 && args[0] == QLatin1String("read"))
        return readOnly(args[1]);
    if (args.size() == 2 && args[0] == QLatin1String("list"))
        return listOpen(args[1]);
    return usage();
}
