#include "ShellOpen.h"

#include <QCoreApplication>
#include <QProcess>
#include <QFile>
#include <QStandardPaths>

#include "Delay.h"

namespace lark::platform {

QString openerProgram()
{
    const QString env = qEnvironmentVariable("LARKSPUR_OPENER");
    return env.isEmpty() ? QStringLiteral("xdg-open") : env;
}

bool openWithAssociatedProgram(const QString& path, bool wait)
{
    const QString program = openerProgram();
    if (QStandardPaths::findExecutable(program).isEmpty() && !QFile::exists(program))
        return false;
    auto* p = new QProcess;
    p->setProgram(program);
    p->setArguments({path});
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->setStandardOutputFile(QProcess::nullDevice());
    bool finished = false;
    bool failed = false;
    QObject::connect(p, &QProcess::finished, p, [&finished, &failed, p](int code, QProcess::ExitStatus st) {
        finished = true;
        failed = st != QProcess::NormalExit || code != 0;
        p->deleteLater();
    });
    QObject::connect(p, &QProcess::errorOccurred, p, [&finished, &failed, p](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart) {
            finished = true;
            failed = true;
            p->deleteLater();
        }
    });
    p->start();
    if (!p->waitForStarted(5000)) {
        if (!finished)
            p->deleteLater();
        return false;
    }
    if (!wait) {
        QObject::disconnect(p, nullptr, p, nullptr);
        QObject::connect(p, &QProcess::finished, p, &QObject::deleteLater);
        return true;
    }
    while (!finished && !QCoreApplication::closingDown())
        Delay(10);
    if (!finished) {
        QObject::disconnect(p, nullptr, p, nullptr);
        QObject::connect(p, &QProcess::finished, p, &QObject::deleteLater);
    }
    return !failed;
}

} // namespace lark::platform
