// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/EndSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace dv {

namespace {
// The handler may only write: the event loop reads the other end.
int g_pipe[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
} // namespace

EndSignals::EndSignals(QObject *parent)
    : QObject(parent)
{
    Q_ASSERT(g_pipe[0] < 0);
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &EndSignals::readSignal);
    struct sigaction sa = {};
    sa.sa_handler = &EndSignals::handler;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int s : kSignals)
        ::sigaction(s, &sa, nullptr);
}

EndSignals::~EndSignals()
{
    for (int s : kSignals)
        ::signal(s, SIG_DFL);
    for (int &fd : g_pipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void EndSignals::handler(int signal)
{
    const int saved = errno;
    const unsigned char b = static_cast<unsigned char>(signal);
    [[maybe_unused]] const auto n = ::write(g_pipe[1], &b, 1);
    errno = saved;
}

void EndSignals::readSignal()
{
    unsigned char b = 0;
    while (::read(g_pipe[0], &b, 1) == 1) {
        if (received)
            received(b);
    }
}

} // namespace dv
