#include "LoggingDialogs.h"

#include <QFile>

namespace lark::platform {

LoggingDialogs::LoggingDialogs(QString logPath) : m_logPath(std::move(logPath))
{
    onShow = [this](const Shown& s) {
        QFile f(m_logPath);
        if (!f.open(QIODevice::Append))
            return;
        QString text = s.text;
        text.replace(QLatin1String("\r\n"), QLatin1String("\\n")).replace(u'\n', QLatin1String("\\n"));
        f.write(text.toUtf8() + '\n');
    };
}

} // namespace lark::platform
