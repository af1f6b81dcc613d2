// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the schedule remembers from one run of the clock to the next: since when
// it has been watching, what each alarm last rang for, and what still waits to
// ring (snoozes, and alarms held back by another's ring). A few lines of text.

#include "settings/Parameters.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace dv {

struct AlarmState {
    qint64 watchedFrom = 0; // seconds since the epoch up to which every alarm time was seen
    struct Alarm {
        QString time; // "HH:mm:ss" as the schedule had it, empty when off
        quint8 days = 0;
        QString rang; // "yyyy-MM-dd HH:mm:ss" on the wall clock of its last time, or empty
        bool operator==(const Alarm &) const = default;
    };
    std::array<Alarm, kAlarmCount> alarms;
    struct Pending {
        int alarm = 0;
        qint64 at = 0;  // seconds since the epoch it is due
        QDateTime wall; // the wall-clock time it is due, as told to the user
        bool snooze = false;
        bool operator==(const Pending &) const = default;
    };
    std::vector<Pending> pending;
    bool operator==(const AlarmState &) const = default;
    // Whether alarm i is still the one this state knew: same time, same days.
    bool sameAlarm(int i, const AlarmTimes &times) const
    {
        const Alarm &a = alarms[size_t(i)];
        return a.time == times.alarm[size_t(i)] && a.days == times.days[size_t(i)];
    }
};

QByteArray writeAlarmState(const AlarmState &state);
// Nothing when the text is not one that writeAlarmState() made.
std::optional<AlarmState> readAlarmState(const QByteArray &text);

// `next` or an alarm due at `at` (wall clock), whichever comes first; both
// when they come together.
struct NextAlarm;
void takeSooner(NextAlarm &next, const QDateTime &at, int alarm);
// `next`, or a snooze of `state` still to come after `now` (seconds since the
// epoch) for an alarm that `times` still has, whichever comes first: what a
// clock that is not running would ring next.
void takeSnoozes(NextAlarm &next, const AlarmState &state, const AlarmTimes &times, qint64 now);

} // namespace dv
