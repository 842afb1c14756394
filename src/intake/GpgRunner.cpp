#include "GpgRunner.h"

#include <QProcess>

#include <memory>

namespace lark::intake {

GpgProcessRunner::GpgProcessRunner(const QString& name, QObject* parent) : QObject(parent)
{
    setObjectName(name);
}

GpgProcessRunner::~GpgProcessRunner()
{
    // Children still running belong to waits that the watchdog ended; their end handlers
    // would work on objects that are going away.
    for (QProcess* process : findChildren<QProcess*>(Qt::FindDirectChildrenOnly)) {
        process->disconnect(this);
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(5000);
        }
    }
}

QStringList GpgProcessRunner::decryptArguments(const QString& output, const QString& input)
{
    return {QStringLiteral("--output"), output, QStringLiteral("--quiet"), QStringLiteral("--decrypt"), input};
}

void GpgProcessRunner::start(const QString& program, const QStringList& arguments,
                             std::function<void(const ProcessEnd&)> onEnd)
{
    auto* process = new QProcess(this);
    process->setProgram(program);
    process->setArguments(arguments);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    auto done = std::make_shared<bool>(false);
    auto finish = [this, process, done, onEnd = std::move(onEnd)](ProcessEnd end) {
        if (*done)
            return;
        *done = true;
        --m_running;
        end.errorOutput = QString::fromLocal8Bit(process->readAllStandardError());
        process->deleteLater();
        onEnd(end);
    };
    connect(process, &QProcess::finished, this, [finish](int code, QProcess::ExitStatus status) {
        finish(ProcessEnd{true, code, status != QProcess::NormalExit, {}});
    });
    connect(process, &QProcess::errorOccurred, this, [finish](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            finish(ProcessEnd{false, -1, false, {}});
    });
    ++m_running;
    process->start();
}

} // namespace lark::intake
