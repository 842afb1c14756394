#include "Icons.h"

#include <QFile>
#include <QHash>

static void initResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace lark::shell {

void initIconTheme()
{
    // The icon resources live in a static library: register them explicitly.
    initResources();
    const QString theme = QIcon::themeName();
    if (theme.isEmpty() || theme == QLatin1String("hicolor"))
        QIcon::setThemeName(QStringLiteral("Adwaita"));
}

QIcon roleIcon(const QString& role)
{
    // Theme names tried first, in order.
    static const QHash<QString, QStringList> themeNames = {
        {QStringLiteral("mail-open"), {QStringLiteral("mail-message-new")}},
        {QStringLiteral("search"), {QStringLiteral("system-search")}},
        {QStringLiteral("zoom-in"), {QStringLiteral("zoom-in")}},
        {QStringLiteral("zoom-out"), {QStringLiteral("zoom-out")}},
    };
    const QString own = QStringLiteral(":/larkspur/icons/") + role + QStringLiteral(".svg");
    // The program's own set matches the button bar's look; theme icons stand in only where
    // the own set lacks a picture.
    if (QFile::exists(own))
        return QIcon(own);
    for (const QString& name : themeNames.value(role))
        if (QIcon::hasThemeIcon(name))
            return QIcon::fromTheme(name);
    return {};
}

} // namespace lark::shell
