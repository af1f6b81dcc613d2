// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/WakeUp.h"

#include "platform/WakeReason.h"
#include "resources/Texts.h"

namespace dv {

WakeUp::WakeUp(Platform &platform, const Schedule &schedule)
    : sys(platform)
    , m_schedule(schedule)
{
}

void WakeUp::update(bool again)
{
    const QDateTime now = sys.time.now();
    m_alarm = m_schedule.nextAlarm(now, true);
    if (!m_alarm.isValid()) {
        if (m_armedAt.isValid())
            sys.wake.disarm();
        m_armedAt = QDateTime();
        holdSleep(false);
        return;
    }
    // Within the last minute the alarm's own time: an instant already past
    // would fire at once, and again at each arming.
    QDateTime at = m_alarm.addSecs(-kEarlySecs);
    if (at <= now)
        at = m_alarm;
    if (!again && m_armedAt.isValid() && at == m_armedAt)
        return;
    if (at == m_cameEarly) {
        m_armedAt = QDateTime();
        holdSleep(false);
        return;
    }
    // Asked even where it cannot be had: the timer tells the user why.
    m_armedAt = sys.wake.arm(at) ? at : QDateTime();
    holdSleep(m_armedAt.isValid());
}

void WakeUp::holdSleep(bool on)
{
    if (on == m_holding || (on && m_sleeping))
        return;
    m_holding = on;
    sys.power.holdSleepDelay(on);
}

void WakeUp::fired()
{
    // Before its instant by the wall clock we read, the timer answers to
    // another clock than ours (one faked for this process): armed again for
    // it, it would come at once, over and over. That instant is not armed again.
    if (m_armedAt.isValid() && sys.time.now() < m_armedAt.addSecs(-1))
        m_cameEarly = m_armedAt;
    update(true);
}

void WakeUp::goingToSleep()
{
    // The wall clock may have moved since the last arming: armed first, for
    // what is next now, and only then let go.
    update(true);
    holdSleep(false);
    m_sleeping = true;
}

void WakeUp::resumed()
{
    m_sleeping = false;
    update(true);
}

QString WakeUp::tipNote(const QDateTime &next) const
{
    if (!next.isValid() || next != m_alarm)
        return QString();
    if (m_armedAt.isValid())
        return text::TipWakes;
    const QString why = wakeUnavailableReason(sys.wake.availability());
    return text::tipCannotWake(why.isEmpty() ? text::WakeNotArmed.toString() : why);
}

} // namespace dv
