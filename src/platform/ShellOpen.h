#pragma once
// Opening a file with the program the desktop associates with its type (xdg-open), run as a
// child process with an argument list, never through a shell.
#include <QString>

namespace lark::platform {

// The opener program: $LARKSPUR_OPENER when set (tests), else "xdg-open".
QString openerProgram();

// Starts the opener for path. With wait, processes events until the opener has ended or the
// application is quitting. Returns false when the process could not be started or failed to run.
bool openWithAssociatedProgram(const QString& path, bool wait = true);

} // namespace lark::platform
