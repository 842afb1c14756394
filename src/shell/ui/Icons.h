#pragma once
// Icons of the window: freedesktop theme icons where the theme has them, the program's own
// SVG set otherwise.
#include <QIcon>

namespace lark::shell {

// Makes sure a freedesktop icon theme is selected (Adwaita when the platform names none).
void initIconTheme();

// The icon for a role of the button bar: "mail-open", "db-store", "db-connected",
// "db-disconnected", "search", "zoom-in", "zoom-out", "larkspur".
QIcon roleIcon(const QString& role);

} // namespace lark::shell
