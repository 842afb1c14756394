#pragma once
// A process runner for gpg: starts the program hidden with an argument list (never a shell
// string) and reports the end on the main thread. One runner per use; a runner may have
// several children at once (a run whose wait was ended by the watchdog keeps running).
// Destroying the runner ends its children without calling their end handlers.
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

namespace lark::intake {

struct ProcessEnd {
    bool started = false;   // false: the program could not be started
    int exitCode = -1;
    bool crashed = false;
    QString errorOutput;    // what the program wrote on its error channel
};

class GpgProcessRunner : public QObject {
    Q_OBJECT
public:
    explicit GpgProcessRunner(const QString& name, QObject* parent = nullptr);
    ~GpgProcessRunner() override;

    // Starts program with arguments; onEnd runs once on the main thread when the child ended
    // (or could not be started).
    void start(const QString& program, const QStringList& arguments, std::function<void(const ProcessEnd&)> onEnd);

    // The argument list of a decryption: "--output" out "--quiet" "--decrypt" in.
    static QStringList decryptArguments(const QString& output, const QString& input);

    // Children still running.
    int running() const { return m_running; }

private:
    int m_running = 0;
};

} // namespace lark::intake
