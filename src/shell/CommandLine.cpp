#include "CommandLine.h"

namespace lark::shell {

StartOptions parseCommandLine(const QStringList& arguments)
{
    StartOptions o;
    if (arguments.isEmpty())
        return o;
    const QString first = arguments.first();
    if (first.contains(QLatin1String("help"), Qt::CaseInsensitive)) {
        o.showHelp = true;
        return o;
    }
    bool ok = false;
    const qlonglong n = first.trimmed().toLongLong(&ok);
    if (ok)
        o.styleNumber = (n < 0 || n > 4) ? 0 : int(n);
    return o;
}

} // namespace lark::shell
