// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Time signals, alarms and the shutdown time, all on the system time, and the
// one sound that plays at a time.

#include "alarm/AlarmState.h"
#include "platform/Platform.h"
#include "resources/Product.h"
#include "settings/Parameters.h"

#include <QDateTime>
#include <QStringList>

#include <array>
#include <vector>

namespace dv {

// Which sound the schedule has started and not yet let go of.
enum class Sounding { None, TimeSignal, Alarm1, Alarm2, Alarm3 };

// What the stop window tells about the alarm that rings.
struct AlarmNotice {
    QString time;      // the alarm's time, "hh:mm"
    QString message;   // the user's own words for it, one line for each alarm of that time; may be empty
    QString dueAt;     // when it should have rung, if it rings late; else empty
    bool beep = false; // no sound can be heard: beep at each flash instead
};

// The widgets the schedule shows or ends.
class AlarmUi {
public:
    virtual ~AlarmUi() = default;
    // Shows the stop window, or shows it anew with what has changed.
    virtual void showAlarmWindow(const AlarmNotice &notice) = 0;
    // The missed alarms' message has been shown: tell it where else it may be seen.
    virtual void missedAlarmsTold(const QString &text) { (void)text; }
    virtual void endProgramNow() = 0; // no unload, no save
};

// An alarm later than this when the clock can ring it is told, not rung.
inline constexpr qint64 kLateAlarmLimitSecs = qint64{30} * 60;

// The seconds of the minute at which Schedule::run() has something to do: the
// shutdown at the start of its minute (the compare texts end in ":00"), the
// hour's time signal at 59:56 and the half hour's at 29:59.
inline constexpr int kShutdownSecond = 0;
inline constexpr int kHourSignalMinute = 59, kHourSignalSecond = 56;
inline constexpr int kHalfHourSignalMinute = 29, kHalfHourSignalSecond = 59;
constexpr bool scheduleRunsAt(int second)
{
    return second == kShutdownSecond || second == kHourSignalSecond || second == kHalfHourSignalSecond;
}

// The next time an alarm rings after `wall` (wall clock, on one of its days)
// and which alarms ring then (bit i: alarm i + 1); `at` invalid when no alarm
// is on. `rang`: the day and time each alarm last fell due, which the hour the
// clocks go back passes again.
struct NextAlarm {
    QDateTime at;
    int alarms = 0;
    // The days on its days before it on which it keeps quiet, and why (the
    // holiday's name or the day off), in date order.
    QList<QPair<QDate, QString>> skipped;
};
// Whether alarm i rings on `date`: one of its days, and no rest day for it.
// `why`, when given, takes the rest day's name on a day of its that is one.
bool alarmRingsOn(const AlarmTimes &times, int i, const QDate &date, QString *why = nullptr);
NextAlarm nextAlarm(const AlarmTimes &times, const QDateTime &wall, const std::array<QString, kAlarmCount> &rang = {},
                    bool waking = false);

class Schedule {
public:
    // The working settings are read at each run: the files, the signal flags,
    // the forced shutdown, the alarms' messages; an alarm sound that start-up found
    // missing is looked for again when it rings. The owner connects the
    // sound's start and end to soundStarted() and soundDone(), and the
    // power-off answer to powerOffAnswered().
    Schedule(Platform &platform, AlarmUi &ui, Parameters &params);

    void setTimes(const AlarmTimes &times);
    const AlarmTimes &times() const { return m_times; }
    // The wall-clock time of the next alarm after `wall` on one of its days, or
    // of a snooze that waits; invalid when none is on. `waking`: of the alarms
    // that wake the machine only.
    QDateTime nextAlarm(const QDateTime &wall, bool waking = false) const { return next(wall, waking).at; }
    NextAlarm next(const QDateTime &wall, bool waking = false) const;

    // Across runs. At start, after the times are set: what the last run left
    // (a first start, or one after -delreg, has nothing), so that the first
    // alarmsDue() also looks back over the time the clock was away, to the
    // instant the last run had seen up to. `started`: when this run began.
    void resume(const QDateTime &started);
    void forgetState() { sys.state.remove(); }
    // Writes what changed since the last write, with the instant seen up to;
    // `ending`: the clock ends cleanly, so it has been watching until now.
    void keepState(bool ending = false);
    // Counts every change of what waits (a snooze above all), for those
    // that show the next alarm.
    int changes() const { return m_changes; }

    // The time signals and the shutdown due at this wall-clock second (local
    // time). A time signal sounds once a wall-clock hour: the hour the clocks
    // go back comes twice, and rings once. The shutdown question is asked
    // without waiting for its answer.
    void run(const QDateTime &wall);
    // The alarms whose time of day lies after `from` and up to `to` (wall
    // clock, as read at two ticks) fell due: each at most once a day, however
    // the wall clock moved. `from` invalid: only `to` itself. How late each
    // is counts from the instant its time came in the local time zone.
    void alarmsDue(const QDateTime &from, const QDateTime &to);
    // Once a drawn second: rings what is due when nothing else rings, tells
    // what is too late, ends a ring that has lasted its limit.
    void serve();
    // One message for the alarms that were too late to ring, if any.
    void reportMissed();

    // Starts a sound, cutting off the one that plays; false when it cannot sound.
    bool play(const QString &file, const SoundLevel &level = {});
    void soundStarted(); // the player has begun: is it heard?
    void soundDone();    // the sound reached its end
    void powerOffAnswered(bool ok, const QString &error);
    void stopAlarm();   // the stop window's button or close
    void snoozeAlarm(); // the stop window's snooze

    Sounding sounding() const { return m_sounding; }
    bool playing() const { return m_playing; }

private:
    struct Due {
        int alarm = 0;
        qint64 at = 0;           // seconds since the epoch it fell due
        QDateTime wall;          // the wall-clock time it fell due, to tell the user
        qint64 snoozeUntil = -1; // a snooze: due at this monotonic millisecond
        bool heldBack = false;   // due while another alarm rang
        bool away = false;       // due while the clock was not running
        bool sameTime(const Due &o) const { return at == o.at && wall == o.wall && snoozeUntil == o.snoozeUntil; }
    };
    bool alarmHoldsTheFloor() const { return m_sounding != Sounding::None && m_sounding != Sounding::TimeSignal; }
    int ringingAlarm() const { return int(m_sounding) - int(Sounding::Alarm1); }
    qint64 lateness(const Due &d) const; // seconds; negative: not yet due
    void ring(const std::vector<Due> &group);
    bool soundAlarm(bool tone); // false when nothing can be heard
    void repeatOrEnd();
    void onceDone(int i); // a once-only alarm has had its time: off, and saved
    void beepInstead();
    QString alarmSound(int i) const;
    QString toneFile() const { return sys.appDir + QLatin1Char('/') + QLatin1String(kAlarmTone); }
    void startSignal(const QString &file);
    void shutdownSequence();
    qint64 nowSecs() const { return sys.time.msecsSinceEpoch() / 1000; }
    void changed()
    {
        m_stateChanged = true;
        ++m_changes;
    }

    Platform &sys; // the outside world
    AlarmUi &ui;
    Parameters &m_params;
    const Settings &m_settings;
    AlarmTimes m_times;

    std::array<QString, kAlarmCount> m_rang; // the day and time each alarm last fell due
    std::vector<Due> m_waiting;              // fallen due or snoozed, not yet rung
    QStringList m_missed;                    // too late to ring while the clock stood, not yet told
    QStringList m_missedRinging;             // too late to ring while another alarm rang
    QStringList m_missedAway;                // too late to ring while the clock was not running
    // Per alarm, the first alarmsDue() of a run looks back to here: the instant
    // the last run had seen up to (invalid: the run's own start only).
    std::array<QDateTime, kAlarmCount> m_awayFrom;
    QDateTime m_started;         // this run's start, on the wall clock
    qint64 m_seenUpTo = -1;      // seconds since the epoch up to which every alarm time was seen
    bool m_stateChanged = false; // not yet written
    bool m_stateWriteFailed = false;
    int m_changes = 0;
    std::vector<int> m_group; // the alarms that ring now, all of one time
    bool m_tone = false;      // the built-in tone stands in for the alarm's file
    bool m_asking = false;    // the shutdown question is open
    QString m_lastSignal;     // "yyyy-MM-dd hh:mm" of the last time signal
    Sounding m_sounding = Sounding::None;
    AlarmNotice m_notice;       // of the alarm that rings
    qint64 m_ringStarted = 0;   // when it began, seconds since the epoch
    qint64 m_ringStartedMs = 0; // and on the monotonic clock, for its sound's rise
    qint64 m_ringLimitSecs = 0; // its sound repeats until stopped, at most this long
    bool m_ringOver = false;    // its sound has had its time: the window flashes on alone
    bool m_playing = false;
    QString m_deviceType; // "WaveAudio" or "Sequencer", from the last name that said
};

} // namespace dv
