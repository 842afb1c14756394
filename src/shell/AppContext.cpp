#include "AppContext.h"

#include "Caption.h"

#include <QDir>

namespace lark::shell {

AppContext::AppContext(QObject* parent) : QObject(parent), m_actions(this), m_params(this)
{
    m_caption = kAppTitle;
}

AppContext::~AppContext() = default;

platform::Dialogs& AppContext::dialogs() const
{
    return m_dialogs ? *m_dialogs : platform::dialogs();
}

void AppContext::setStatus(int panel, const QString& text)
{
    if (panel < 0 || panel > 2)
        return;
    m_status[panel] = text;
    emit statusChanged(panel, text);
}

void AppContext::setCaption(const QString& caption)
{
    m_caption = caption;
    emit captionChanged(caption);
}

void AppContext::setCaptionAndTitleFile(const QString& caption)
{
    setCaption(caption);
    (void)writeTitleFile(MyAppDataPath, caption);
}

QString AppContext::workingFolder() const
{
    return QDir(MyAppDataPath).filePath(QStringLiteral("mail_dat"));
}

QString AppContext::secondLevelFolder() const
{
    return QDir(workingFolder()).filePath(QStringLiteral("2nd"));
}

} // namespace lark::shell
