#include "shell/CommandLine.h"

#include <gtest/gtest.h>

using namespace lark::shell;

TEST(CommandLine, FirstArgumentDecides)
{
    struct Case {
        QStringList args;
        bool help;
        int style; // -1: none
    };
    const Case cases[] = {
        {{}, false, -1},
        {{QStringLiteral("help")}, true, -1},
        {{QStringLiteral("HELP")}, true, -1},
        {{QStringLiteral("/Help")}, true, -1},
        {{QStringLiteral("0")}, false, 0},
        {{QStringLiteral("2")}, false, 2},
        {{QStringLiteral("4")}, false, 4},
        {{QStringLiteral("-5")}, false, 0},
        {{QStringLiteral("7")}, false, 0},
        {{QStringLiteral("99")}, false, 0},
        {{QStringLiteral("abc")}, false, -1},
        {{QStringLiteral("1"), QStringLiteral("help")}, false, 1}, // only the first counts
    };
    for (const Case& c : cases) {
        const StartOptions o = parseCommandLine(c.args);
        EXPECT_EQ(o.showHelp, c.help) << c.args.join(' ').toStdString();
        EXPECT_EQ(o.styleNumber.value_or(-1), c.style) << c.args.join(' ').toStdString();
    }
    EXPECT_EQ(kCommandLineHelp, QStringLiteral("コマンドライン引数\r\n0:Win/1:ライト/2:ダーク/3:Win10"));
}
