#include "TerminationSignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace lark::platform {

namespace {

int g_fds[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    [[maybe_unused]] ssize_t n = ::write(g_fds[0], &c, 1);
}

void installHandlers()
{
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &sa, nullptr);
    ::sigaction(SIGINT, &sa, nullptr);
}

} // namespace

void reclaimTerminationSignals()
{
    if (g_fds[0] >= 0)
        installHandlers();
}

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_fds) != 0)
        return;
    m_notifier = new QSocketNotifier(g_fds[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char c;
        [[maybe_unused]] ssize_t n = ::read(g_fds[1], &c, 1);
        emit terminationRequested();
    });
    installHandlers();
}

TerminationSignals::~TerminationSignals()
{
    ::signal(SIGTERM, SIG_DFL);
    ::signal(SIGINT, SIG_DFL);
    if (g_fds[0] >= 0) {
        ::close(g_fds[0]);
        ::close(g_fds[1]);
        g_fds[0] = g_fds[1] = -1;
    }
}

} // namespace lark::platform
