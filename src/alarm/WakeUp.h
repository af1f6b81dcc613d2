// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Waking a suspended machine for the alarms that ask for it: one wake timer,
// armed a minute before the earliest of them, and a suspend held back until
// it is armed anew.

#include "alarm/Schedule.h"

namespace dv {

class WakeUp {
public:
    WakeUp(Platform &platform, const Schedule &schedule);

    // Arms the timer for the earliest waking alarm after now, or disarms it
    // when there is none. `again`: arm even for the instant already armed
    // (it came, or the wall clock was set under it).
    void update(bool again = false);
    // The timer came: armed for what is next.
    void fired();
    // The machine is about to sleep: armed anew, then the suspend may go on.
    void goingToSleep();
    // It woke: armed anew, and the next suspend waits for it again.
    void resumed();
    // What the tray's tip says of waking for the alarm due at `next` (wall
    // clock): nothing unless that alarm wakes the machine or cannot.
    QString tipNote(const QDateTime &next) const;
    // Whether the timer is armed to wake the machine for the alarm due at `next`.
    bool wakesFor(const QDateTime &next) const { return next.isValid() && next == m_alarm && m_armedAt.isValid(); }

    // The machine is woken this long before the alarm, to have settled when it rings.
    static constexpr qint64 kEarlySecs = 60;

private:
    void holdSleep(bool on);

    Platform &sys;
    const Schedule &m_schedule;
    QDateTime m_alarm;       // the next waking alarm (wall clock); invalid: none
    QDateTime m_armedAt;     // the instant the timer is armed for; invalid: not armed
    QDateTime m_cameEarly;   // an instant whose timer came before it, by our wall clock
    bool m_holding = false;  // a suspend waits for the clock
    bool m_sleeping = false; // let go for a suspend: not taken again until the resume
};

} // namespace dv
