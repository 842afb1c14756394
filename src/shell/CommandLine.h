#pragma once
// The program's command line: only the first argument counts.
#include <QString>
#include <QStringList>

#include <optional>

namespace lark::shell {

inline const QString kCommandLineHelp = QStringLiteral("コマンドライン引数\r\n0:Win/1:ライト/2:ダーク/3:Win10");

struct StartOptions {
    bool showHelp = false;          // the first argument contains "help" (any case)
    std::optional<int> styleNumber; // a whole number: 0 to 4, any other number 0
};

// arguments: without the program name.
StartOptions parseCommandLine(const QStringList& arguments);

} // namespace lark::shell
