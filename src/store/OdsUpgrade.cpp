#include "OdsUpgrade.h"

#include "platform/Delay.h"
#include "shell/AppContext.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace lark::store {

QString gfixProgram(const QString& programFolder)
{
    const QString bundled = QDir(QDir(programFolder).filePath(QStringLiteral("FB5(x64)"))).filePath(QStringLiteral("gfix"));
    if (QFileInfo(bundled).isFile())
        return bundled;
    return QStringLiteral("gfix");
}

QStringList gfixUpgradeArguments(const QString& databasePath)
{
    return {QStringLiteral("-upgrade"), databasePath, QStringLiteral("-user"), QStringLiteral("sysdba"),
            QStringLiteral("-pass"), kGfixAdminPassword};
}

GfixRun runGfixUpgrade(shell::AppContext& ctx)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels); // output kept by the runner, unread
    GfixRun run;
    run.started = true;
    QObject::connect(&process, &QProcess::finished, &ctx, [&ctx, &run](int exitCode, QProcess::ExitStatus status) {
        run.exitCode = status == QProcess::NormalExit ? exitCode : -1;
        ctx.TerminateState = true;
    });
    QObject::connect(&process, &QProcess::errorOccurred, &ctx, [&ctx, &run](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart) {
            run.started = false;
            ctx.TerminateState = true;
        }
    });
    ctx.TerminateState = false;
    process.start(gfixProgram(ctx.programFolder()), gfixUpgradeArguments(ctx.Ldb_Path1));
    platform::waitUntil([&ctx] { return ctx.TerminateState; }, 10);
    process.disconnect(&ctx);
    return run;
}

} // namespace lark::store
