#pragma once
// A settings folder in a temporary directory, a context on it with scripted dialogs, and the
// local time zone fixed to Asia/Tokyo so date texts do not depend on the machine.
#include "intake/WorkingFolder.h"
#include "platform/ScriptedDialogs.h"
#include "shell/AppContext.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <ctime>

namespace lark::test {

inline void useTokyoTime()
{
    qputenv("TZ", "Asia/Tokyo");
    tzset();
}

struct IntakeEnv {
    QTemporaryDir dir;
    shell::AppContext ctx;
    platform::ScriptedDialogs dialogs;

    IntakeEnv()
    {
        useTokyoTime();
        ctx.MyAppDataPath = dir.path();
        ctx.setDialogs(&dialogs);
        intake::prepareWorkingFolder(ctx);
        for (const QString& key : shell::ParameterTable::keys())
            ctx.params().setValue(key, shell::kDummyData);
    }

    // Writes a file below the temporary folder (not in the working folder) and returns its path.
    QString file(const QString& name, const QByteArray& bytes)
    {
        const QString path = QDir(dir.path()).filePath(QStringLiteral("in/") + name);
        QDir().mkpath(QDir(dir.path()).filePath(QStringLiteral("in")));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }

    QStringList workingFiles() const
    {
        return QDir(ctx.workingFolder()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
};

// CR LF line ends for a message written with "\n".
inline QByteArray crlf(QByteArray text)
{
    return text.replace("\r\n", "\n").replace("\n", "\r\n");
}

} // namespace lark::test
