// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AlignedTickTimer.h"

#include <cerrno>
#include <ctime>
#include <sys/timerfd.h>
#include <unistd.h>

namespace dv {

AlignedTickTimer::AlignedTickTimer(QObject *parent)
    : QObject(parent)
    , m_fd(timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC))
{
    if (m_fd >= 0) {
        m_notifier = new QSocketNotifier(qintptr(m_fd), QSocketNotifier::Read, this);
        m_notifier->setEnabled(false);
        connect(m_notifier, &QSocketNotifier::activated, this, [this] { expired(); });
    } else {
        m_fallback.setSingleShot(true);
        m_fallback.setTimerType(Qt::PreciseTimer);
        connect(&m_fallback, &QTimer::timeout, this, [this] {
            arm();
            emit tick();
        });
    }
    m_soon.setSingleShot(true);
    connect(&m_soon, &QTimer::timeout, this, [this] {
        if (m_enabled)
            emit tick();
    });
}

AlignedTickTimer::~AlignedTickTimer()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void AlignedTickTimer::arm()
{
    if (!m_enabled)
        return;
    const qint64 period = m_quarters ? 250'000'000 : 1'000'000'000;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const qint64 ns = qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
    const qint64 next = (ns / period + 1) * period;
    if (m_fd < 0) {
        m_fallback.start(int((next - ns + 999'999) / 1'000'000));
        return;
    }
    // Absolute, on the boundary itself, and repeating from there; setting the
    // system's time cancels it, which the next read tells.
    itimerspec when{};
    when.it_value.tv_sec = time_t(next / 1'000'000'000);
    when.it_value.tv_nsec = long(next % 1'000'000'000);
    when.it_interval.tv_sec = time_t(period / 1'000'000'000);
    when.it_interval.tv_nsec = long(period % 1'000'000'000);
    timerfd_settime(m_fd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &when, nullptr);
    m_notifier->setEnabled(true);
}

void AlignedTickTimer::expired()
{
    quint64 count = 0;
    if (::read(m_fd, &count, sizeof count) < 0) {
        if (errno != ECANCELED)
            return; // nothing yet
        arm();      // the time was set: aim at the new boundaries, and show the new time now
    }
    if (m_enabled)
        emit tick();
}

void AlignedTickTimer::setEnabled(bool on)
{
    if (on == m_enabled)
        return;
    m_enabled = on;
    if (on) {
        arm();
    } else if (m_fd >= 0) {
        const itimerspec off{};
        timerfd_settime(m_fd, 0, &off, nullptr);
        m_notifier->setEnabled(false);
    } else {
        m_fallback.stop();
    }
    if (!on)
        m_soon.stop();
}

void AlignedTickTimer::setQuarters(bool on)
{
    if (on == m_quarters)
        return;
    m_quarters = on;
    arm();
}

void AlignedTickTimer::tickSoon()
{
    if (m_enabled)
        m_soon.start(250);
}

} // namespace dv
