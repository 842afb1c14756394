#include "StyleManager.h"

#include "shell/CommandLine.h"
#include "shell/Styles.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace lark::shell {

namespace {

QString g_current;
QString g_platformStyle;

QPalette lightPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(243, 243, 243));
    p.setColor(QPalette::WindowText, QColor(26, 26, 26));
    p.setColor(QPalette::Base, QColor(255, 255, 255));
    p.setColor(QPalette::AlternateBase, QColor(247, 247, 247));
    p.setColor(QPalette::Text, QColor(26, 26, 26));
    p.setColor(QPalette::Button, QColor(251, 251, 251));
    p.setColor(QPalette::ButtonText, QColor(26, 26, 26));
    p.setColor(QPalette::Highlight, QColor(0, 95, 184));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    p.setColor(QPalette::ToolTipText, Qt::black);
    p.setColor(QPalette::Link, QColor(0, 95, 184));
    return p;
}

QPalette darkPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(32, 32, 32));
    p.setColor(QPalette::WindowText, QColor(240, 240, 240));
    p.setColor(QPalette::Base, QColor(43, 43, 43));
    p.setColor(QPalette::AlternateBase, QColor(50, 50, 50));
    p.setColor(QPalette::Text, QColor(240, 240, 240));
    p.setColor(QPalette::Button, QColor(55, 55, 55));
    p.setColor(QPalette::ButtonText, QColor(240, 240, 240));
    p.setColor(QPalette::Highlight, QColor(76, 194, 255));
    p.setColor(QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::ToolTipBase, QColor(43, 43, 43));
    p.setColor(QPalette::ToolTipText, QColor(240, 240, 240));
    p.setColor(QPalette::Link, QColor(76, 194, 255));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 120, 120));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(120, 120, 120));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(120, 120, 120));
    return p;
}

QPalette polarPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(232, 241, 250));
    p.setColor(QPalette::WindowText, QColor(20, 36, 56));
    p.setColor(QPalette::Base, QColor(250, 252, 255));
    p.setColor(QPalette::AlternateBase, QColor(238, 245, 252));
    p.setColor(QPalette::Text, QColor(20, 36, 56));
    p.setColor(QPalette::Button, QColor(221, 234, 247));
    p.setColor(QPalette::ButtonText, QColor(20, 36, 56));
    p.setColor(QPalette::Highlight, QColor(58, 134, 204));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, QColor(250, 252, 255));
    p.setColor(QPalette::ToolTipText, QColor(20, 36, 56));
    return p;
}

QPalette classicPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(212, 208, 200));
    p.setColor(QPalette::WindowText, Qt::black);
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::AlternateBase, QColor(236, 233, 216));
    p.setColor(QPalette::Text, Qt::black);
    p.setColor(QPalette::Button, QColor(212, 208, 200));
    p.setColor(QPalette::ButtonText, Qt::black);
    p.setColor(QPalette::Highlight, QColor(10, 36, 106));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    p.setColor(QPalette::ToolTipText, Qt::black);
    return p;
}

} // namespace

bool selectStyle(int n)
{
    if (!isStyleNumber(n))
        return false;
    if (g_platformStyle.isEmpty())
        g_platformStyle = QApplication::style() ? QApplication::style()->name() : QStringLiteral("fusion");
    if (n == 0) {
        QApplication::setStyle(QStyleFactory::create(g_platformStyle));
        QApplication::setPalette(QApplication::style()->standardPalette());
    } else {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        switch (n) {
        case 1: QApplication::setPalette(lightPalette()); break;
        case 2: QApplication::setPalette(darkPalette()); break;
        case 3: QApplication::setPalette(polarPalette()); break;
        default: QApplication::setPalette(classicPalette()); break;
        }
    }
    g_current = QString::fromUtf8(kStyles[n].name);
    return true;
}

void selectStartStyle(const StartOptions& options, int savedTheme)
{
    selectStyle(options.styleNumber ? *options.styleNumber : savedTheme);
}

bool systemStyleInForce()
{
    return g_current.isEmpty() || g_current == QLatin1String("Windows");
}

QString currentStyleName()
{
    return g_current;
}

} // namespace lark::shell
