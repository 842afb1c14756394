// A child process for the platform tests: it writes a file atomically over and over, or holds a
// lock file, until it is killed.
#include "platform/AtomicFile.h"
#include "platform/LockFile.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 3 && args[1] == QLatin1String("write-loop")) {
        // Alternates two large contents; each write is all 'a' or all 'b'.
        const QByteArray a(4 * 1024 * 1024, 'a');
        const QByteArray b(4 * 1024 * 1024, 'b');
        std::printf("ready\n");
        std::fflush(stdout);
        for (int i = 0;; ++i)
            (void)lark::platform::writeFileAtomically(args[2], (i % 2) ? b : a);
    }
    if (args.size() >= 3 && args[1] == QLatin1String("hold-lock")) {
        lark::platform::LockFile lock;
        std::printf(lock.acquire(args[2]) ? "held\n" : "refused\n");
        std::fflush(stdout);
        for (;;)
            ::pause();
    }
    return 2;
}
