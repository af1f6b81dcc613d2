// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AlarmWakeTimer.h"

#include "platform/WakeReason.h"
#include "resources/Texts.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <sys/timerfd.h>
#include <unistd.h>

namespace dv {

AlarmWakeTimer::AlarmWakeTimer(QObject *parent)
    : QObject(parent)
{
    m_fd = ::timerfd_create(CLOCK_REALTIME_ALARM, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_fd < 0) {
        m_availability = availabilityFor(errno);
        return;
    }
    m_availability = Availability::Available;
    m_notifier = new QSocketNotifier(qintptr(m_fd), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { onReadable(); });
}

AlarmWakeTimer::~AlarmWakeTimer()
{
    delete m_notifier;
    if (m_fd >= 0)
        ::close(m_fd);
}

WakeTimer::Availability AlarmWakeTimer::availabilityFor(int error)
{
    // Without the capability the kernel says EPERM; a kernel or machine
    // without a clock that can wake it EINVAL, ENOTSUP or ENODEV. Anything
    // else leaves no timer either, and is no question of permission.
    return error == EPERM ? Availability::NoPermission : Availability::NoWakeClock;
}

bool AlarmWakeTimer::arm(const QDateTime &at)
{
    if (m_fd < 0) {
        if (!m_told) {
            m_told = true;
            std::fprintf(stderr, "dialvane: %s\n",
                         qPrintable(text::tipCannotWake(wakeUnavailableReason(m_availability))));
        }
        return false;
    }
    const qint64 ms = at.toMSecsSinceEpoch();
    itimerspec due{};
    due.it_value.tv_sec = time_t(ms / 1000);
    due.it_value.tv_nsec = long(ms % 1000) * 1000000L;
    // Cancelled when the wall clock is set: the instant is then read anew.
    if (::timerfd_settime(m_fd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &due, nullptr) == 0)
        return true;
    disarm();
    return false;
}

void AlarmWakeTimer::disarm()
{
    if (m_fd < 0)
        return;
    const itimerspec off{};
    ::timerfd_settime(m_fd, 0, &off, nullptr);
}

void AlarmWakeTimer::onReadable()
{
    std::uint64_t expirations = 0;
    const ssize_t got = ::read(m_fd, &expirations, sizeof expirations);
    if (got == ssize_t(sizeof expirations))
        emit fired();
    else if (got < 0 && errno == ECANCELED)
        emit clockSet();
}

} // namespace dv
