// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/Schedule.h"

#include "alarm/Holidays.h"
#include "resources/Texts.h"

#include <QDateTime>
#include <QMap>
#include <QTimeZone>

#include <algorithm>
#include <utility>

namespace dv {

Schedule::Schedule(Platform &platform, AlarmUi &alarmUi, Parameters &params)
    : sys(platform)
    , ui(alarmUi)
    , m_params(params)
    , m_settings(params.working())
{
}

QString Schedule::alarmSound(int i) const
{
    // A file missing at start-up (a drive not mounted yet) may be there now.
    const QString own = m_settings.*kAlarmSettings[size_t(i)].sound;
    return own.isEmpty() ? m_params.kept(kAlarmSettings[size_t(i)].sound) : own;
}

void Schedule::setTimes(const AlarmTimes &times)
{
    if (times == m_times)
        return;
    // A snooze or a late ring of an alarm whose time has changed is void.
    std::erase_if(m_waiting,
                  [&](const Due &d) { return times.alarm[size_t(d.alarm)] != m_times.alarm[size_t(d.alarm)]; });
    m_times = times;
    changed();
}

void Schedule::resume(const QDateTime &started)
{
    m_started = started;
    changed(); // this run's start is written once its first tick has looked back
    QString problem;
    const std::optional<QByteArray> text = sys.state.read(problem);
    std::optional<AlarmState> state = text ? readAlarmState(*text) : std::nullopt;
    if (text && !state)
        problem = QStringLiteral("not a state this clock wrote");
    if (!problem.isEmpty())
        qWarning(
            "dialvane: %s: %s; alarms whose time came while the clock was not running are not looked for this time",
            qPrintable(sys.state.location()), qPrintable(problem));
    if (!state)
        return; // a first start rings nothing old
    const QDateTime now = sys.time.now();
    const qint64 nowMs = sys.time.msecsSinceEpoch();
    const QDateTime watched = now.addMSecs(state->watchedFrom * 1000 - nowMs);
    const qint64 startedMs = started.toMSecsSinceEpoch();
    // An alarm whose time or days have changed since starts afresh: nothing of it rings late.
    for (int i = 0; i < kAlarmCount; ++i) {
        if (!state->sameAlarm(i, m_times))
            continue;
        m_rang[size_t(i)] = state->alarms[size_t(i)].rang;
        if (watched < started)
            m_awayFrom[size_t(i)] = watched;
    }
    for (const AlarmState::Pending &p : state->pending) {
        if (!state->sameAlarm(p.alarm, m_times))
            continue;
        Due d{p.alarm, p.at, p.wall};
        d.away = p.at * 1000 < startedMs;
        // A snooze keeps its instant; from here on it counts in real time.
        if (p.snooze)
            d.snoozeUntil = sys.time.monotonicMsecs() + (p.at * 1000 - nowMs);
        m_waiting.push_back(d);
    }
}

void Schedule::keepState(bool ending)
{
    // Nothing seen yet: what the last run left still holds.
    if ((!m_stateChanged && !ending) || m_seenUpTo < 0)
        return;
    m_stateChanged = false;
    AlarmState state;
    state.watchedFrom = m_seenUpTo;
    for (int i = 0; i < kAlarmCount; ++i)
        state.alarms[size_t(i)] = {m_times.alarm[size_t(i)], m_times.days[size_t(i)], m_rang[size_t(i)]};
    for (const Due &d : m_waiting)
        state.pending.push_back({d.alarm, d.at, QDateTime(d.wall.date(), d.wall.time()), d.snoozeUntil >= 0});
    const bool written = sys.state.write(writeAlarmState(state));
    if (!written && !m_stateWriteFailed) // told once, not at every change
        qWarning("dialvane: %s cannot be written: alarms may be missed or rung again if the clock ends",
                 qPrintable(sys.state.location()));
    m_stateWriteFailed = !written;
}

void Schedule::run(const QDateTime &wall)
{
    // All on the system time; the display offset moves none of it.
    const QTime t = wall.time();
    const int minute = t.minute(), second = t.second();
    const QString hms = t.toString(QStringLiteral("HH:mm:ss"));
    // Once for each hour the clock shows: the hour the clocks go back shows twice.
    const QString signalKey = wall.toString(QStringLiteral("yyyy-MM-dd HH:mm "))
                              + QString::number(wall.offsetFromUtc());
    auto signal = [&](const QString &file) {
        if (m_lastSignal == signalKey)
            return; // the wall clock set back over it
        m_lastSignal = signalKey;
        startSignal(file);
    };
    // A signal still sounding ends when the next is due: a sound that claims
    // to last for years must not hold every later one back.
    const bool free = m_sounding == Sounding::None || m_sounding == Sounding::TimeSignal;
    if (minute == kHourSignalMinute && second == kHourSignalSecond && m_settings.hourChime && free)
        signal(m_settings.hourChimeFile);
    if (minute == kHalfHourSignalMinute && second == kHalfHourSignalSecond && m_settings.hourChime
        && m_settings.halfHourChime && free)
        signal(m_settings.halfHourChimeFile);
    if (!m_times.shutdown.isEmpty() && m_times.shutdown == hms) {
        if (m_settings.forceShutdown) {
            shutdownSequence();
        } else if (!m_asking) {
            // The clock ticks and rings on while the question is open.
            m_asking = true;
            sys.msg.ask(text::ShutdownTime + text::CRLF + text::ShutdownAsk, [this](MessageBoxes::Answer a) {
                m_asking = false;
                if (a == MessageBoxes::Answer::Yes)
                    shutdownSequence();
            });
        }
    }
}

void Schedule::alarmsDue(const QDateTime &from, const QDateTime &to)
{
    const std::array<QDateTime, kAlarmCount> awayFrom = std::exchange(m_awayFrom, {});
    const qint64 toMs = to.toMSecsSinceEpoch();
    m_seenUpTo = toMs >= 0 ? toMs / 1000 : 0;
    if (m_times.check == 0)
        return;
    // Compared as the wall clock reads, so that a clock set forward or a
    // skipped hour passes alarm times as surely as the seconds do.
    auto onWall = [](const QDateTime &w) { return QDateTime(w.date(), w.time(), Qt::UTC); };
    const QDateTime end = onWall(to);
    const QDateTime begin = from.isValid() ? onWall(from) : end.addSecs(-1);
    // The run's first look reaches back over the time the clock was away.
    std::array<QDateTime, kAlarmCount> since;
    QDateTime earliest = begin;
    for (size_t i = 0; i < since.size(); ++i) {
        since[i] = awayFrom[i].isValid() ? std::min(onWall(awayFrom[i]), begin) : begin;
        earliest = std::min(earliest, since[i]);
    }
    if (end <= earliest)
        return; // the clock went back or stood: what it passes again has rung
    const qint64 now = nowSecs();
    const QTimeZone zone = to.timeZone();
    // A week back is enough to tell the user what was missed.
    const QDate first = std::max(earliest.date(), end.date().addDays(-7));
    for (QDate d = first; d <= end.date(); d = d.addDays(1)) {
        for (int i = 0; i < kAlarmCount; ++i) {
            const QTime at = QTime::fromString(m_times.alarm[size_t(i)], QStringLiteral("HH:mm:ss"));
            const QDateTime due(d, at, Qt::UTC);
            if (!at.isValid() || due <= since[size_t(i)] || due > end || !alarmRingsOn(m_times, i, d))
                continue;
            // Once a day, whatever the clock does.
            const QString key = due.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            if (m_rang[size_t(i)] == key)
                continue;
            m_rang[size_t(i)] = key;
            // The instant that time came in the local zone; a time in the hour
            // a zone skips came when the clocks jumped over it.
            QDateTime instant(d, at, zone);
            if (!instant.isValid() || instant.time() != at) {
                const QTimeZone::OffsetData jump = zone.nextTransition(due.addSecs(qint64{-14} * 3600));
                instant = jump.atUtc.isValid() ? jump.atUtc : to;
            }
            Due fell{i, qMin(now, instant.toSecsSinceEpoch()), due};
            fell.away = due <= begin;
            m_waiting.push_back(fell);
            changed();
        }
    }
}

NextAlarm Schedule::next(const QDateTime &wall, bool waking) const
{
    NextAlarm n = dv::nextAlarm(m_times, wall, m_rang, waking);
    // A snooze is due in real time from now, read on the same wall clock.
    const qint64 mono = sys.time.monotonicMsecs();
    for (const Due &d : m_waiting) {
        if (d.snoozeUntil < 0 || (waking && !m_times.wake[size_t(d.alarm)]))
            continue;
        const QDateTime at = wall.addMSecs(std::max<qint64>(0, d.snoozeUntil - mono));
        const QTime t = at.time();
        takeSooner(n, QDateTime(at.date(), QTime(t.hour(), t.minute(), t.second())), d.alarm);
    }
    return n;
}

bool alarmRingsOn(const AlarmTimes &times, int i, const QDate &date, QString *why)
{
    if (!(times.days[size_t(i)] & (1 << (date.dayOfWeek() - 1))))
        return false;
    if (!times.skipHolidays[size_t(i)])
        return true;
    const QString rest = restDayName(date, times.daysOff);
    if (why)
        *why = rest;
    return rest.isEmpty();
}

NextAlarm nextAlarm(const AlarmTimes &times, const QDateTime &wall, const std::array<QString, kAlarmCount> &rang,
                    bool waking)
{
    NextAlarm next;
    std::array<QList<QPair<QDate, QString>>, kAlarmCount> skipped;
    const QDateTime now(wall.date(), wall.time(), Qt::UTC);
    // A long run of days off ends somewhere; a list that never ends does not hold the clock.
    const QDate never = wall.date().addYears(2);
    for (int i = 0; i < kAlarmCount; ++i) {
        const QTime at = QTime::fromString(times.alarm[size_t(i)], QStringLiteral("HH:mm:ss"));
        if (!at.isValid() || (waking && !times.wake[size_t(i)]))
            continue;
        // A week and a day: today's time may have passed on the only day it
        // rings; each rest day it keeps quiet on puts the end a week on.
        QDate last = wall.date().addDays(7);
        for (QDate d = wall.date(); d <= last && d <= never; d = d.addDays(1)) {
            const QDateTime due(d, at, Qt::UTC);
            // The hour the clocks go back passes a time again that has rung.
            if (due <= now || rang[size_t(i)] == due.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
                continue;
            QString why;
            if (!alarmRingsOn(times, i, d, &why)) {
                if (!why.isEmpty()) {
                    skipped[size_t(i)].append({d, why});
                    last = d.addDays(7);
                }
                continue;
            }
            takeSooner(next, due, i);
            break;
        }
    }
    if (!next.at.isValid())
        return next;
    // Alarms of one time may rest on different days: each day told once.
    QMap<QDate, QString> told;
    for (int i = 0; i < kAlarmCount; ++i)
        if (next.alarms & (1 << i))
            for (const auto &[day, why] : skipped[size_t(i)])
                told.insert(day, why);
    for (auto it = told.cbegin(); it != told.cend(); ++it)
        next.skipped.append({it.key(), it.value()});
    next.at = QDateTime(next.at.date(), next.at.time());
    return next;
}

void Schedule::onceDone(int i)
{
    const AlarmSettings &a = kAlarmSettings[size_t(i)];
    Settings &s = m_params.working();
    if (!(s.*a.once) || alarmDays(s, i) == 0)
        return;
    s.*a.days = 0;
    // A store that cannot be written keeps it on there; the quit then asks to save.
    m_params.saveField(a.days);
    setTimes(deriveAlarmTimes(s));
}

qint64 Schedule::lateness(const Due &d) const
{
    if (d.snoozeUntil < 0)
        return nowSecs() - d.at;
    const qint64 ms = sys.time.monotonicMsecs() - d.snoozeUntil;
    return ms >= 0 ? ms / 1000 : -1;
}

void Schedule::serve()
{
    const qint64 now = nowSecs();
    m_ringStarted = std::min(m_ringStarted, now); // a clock set back does not lengthen the ring
    if (alarmHoldsTheFloor() && !m_ringOver && now - m_ringStarted >= m_ringLimitSecs) {
        // Enough noise, a sound's or beeps: the window flashes on until someone sees it.
        if (m_playing) {
            sys.sound.stop();
            m_playing = false;
        }
        m_ringOver = true;
        sys.power.holdOffSleep(false);
        if (m_notice.beep) {
            m_notice.beep = false;
            ui.showAlarmWindow(m_notice);
        }
    }
    // Latest first (the earliest due); alarm 1 before 3 when both fell due together.
    std::stable_sort(m_waiting.begin(), m_waiting.end(),
                     [this](const Due &a, const Due &b) { return lateness(a) > lateness(b); });
    std::vector<int> toldOnce;
    std::erase_if(m_waiting, [&](Due &d) {
        const qint64 late = lateness(d);
        if (late >= 0 && alarmHoldsTheFloor())
            d.heldBack = true;
        if (late <= kLateAlarmLimitSecs)
            return false;
        if (d.snoozeUntil < 0)
            toldOnce.push_back(d.alarm); // told instead of rung: a once-only alarm has had its time
        const QString message = m_settings.*kAlarmSettings[size_t(d.alarm)].message;
        changed();
        (d.away       ? m_missedAway
         : d.heldBack ? m_missedRinging
                      : m_missed)
            .append(d.wall.toString(QStringLiteral("yyyy/MM/dd HH:mm"))
                    + (message.isEmpty() ? QString() : QStringLiteral("  ") + message));
        return true;
    });
    for (int i : toldOnce)
        onceDone(i);
    if (alarmHoldsTheFloor() || m_waiting.empty() || lateness(m_waiting.front()) < 0)
        return;
    // Alarms set to the same time are one alarm: they ring together, with every message.
    const Due first = m_waiting.front();
    std::vector<Due> group;
    std::erase_if(m_waiting, [&](const Due &d) {
        if (!d.sameTime(first))
            return false;
        group.push_back(d);
        return true;
    });
    changed();
    ring(group);
}

void Schedule::reportMissed()
{
    if (m_missed.isEmpty() && m_missedRinging.isEmpty() && m_missedAway.isEmpty())
        return;
    // Why each was missed: the clock stood (asleep, stopped, set forward), or
    // another alarm rang unanswered.
    QString told;
    auto section = [&told](const QString &why, QStringList &lines) {
        if (lines.isEmpty())
            return;
        if (!told.isEmpty())
            told += text::CRLF + text::CRLF;
        told += why + text::CRLF + text::CRLF + lines.join(text::CRLF);
        lines.clear(); // before the box: ticks go on while it is open
    };
    section(text::MissedAlarmsWhileAway, m_missedAway);
    section(text::MissedAlarms, m_missed);
    section(text::MissedAlarmsWhileRinging, m_missedRinging);
    sys.msg.inform(told);
    ui.missedAlarmsTold(told);
}

void Schedule::ring(const std::vector<Due> &group)
{
    // A time signal gives way to an alarm.
    m_group.clear();
    QStringList messages;
    for (int i = 0; i < kAlarmCount; ++i) {
        if (std::none_of(group.begin(), group.end(), [i](const Due &d) { return d.alarm == i; }))
            continue;
        m_group.push_back(i);
        const QString message = m_settings.*kAlarmSettings[size_t(i)].message;
        if (!message.isEmpty())
            messages.append(message);
    }
    const Due &due = group.front();
    const int i = m_group.front();
    m_sounding = Sounding(int(Sounding::Alarm1) + i);
    m_notice = AlarmNotice();
    m_notice.time = m_times.alarm[size_t(i)].left(5);
    if (m_notice.time.isEmpty()) // a snooze of an alarm switched off since
        m_notice.time = due.wall.toString(QStringLiteral("HH:mm"));
    m_notice.message = messages.join(QLatin1Char('\n'));
    if (lateness(due) > 0)
        m_notice.dueAt = due.wall.toString(due.wall.date() == sys.time.now().date() ? QStringLiteral("HH:mm")
                                                                                    : QStringLiteral("MM/dd HH:mm"));
    // Heard through its ring time, not slept through.
    sys.power.holdOffSleep(true);
    m_ringStarted = nowSecs();
    m_ringStartedMs = sys.time.monotonicMsecs();
    m_ringLimitSecs = qint64(alarmRingMinutes(m_settings, i)) * 60;
    m_ringOver = false;
    m_tone = false;
    if (!soundAlarm(false)) {
        // Nobody would hear it: flash and beep until the button is pressed.
        sys.sound.stop();
        m_playing = false;
        m_notice.beep = true;
    }
    ui.showAlarmWindow(m_notice);
    for (int j : m_group)
        onceDone(j);
}

bool Schedule::soundAlarm(bool tone)
{
    // The alarm's own file, looked for now; else the built-in tone.
    const int i = ringingAlarm();
    const QString own = alarmSound(i);
    // Its volume, and its rise over the ring so far: a repeat goes on up it.
    SoundLevel level;
    level.volume = alarmVolume(m_settings, i);
    level.fadeInMs = alarmFadeInSecs(m_settings, i) * 1000;
    level.fadeDoneMs = int(std::clamp<qint64>(sys.time.monotonicMsecs() - m_ringStartedMs, 0, level.fadeInMs));
    m_tone = tone || own.isEmpty();
    bool ok = play(m_tone ? toneFile() : own, level);
    if (!ok && !m_tone) {
        m_tone = true;
        ok = play(toneFile(), level);
    }
    return ok && !sys.sound.isSilent();
}

void Schedule::repeatOrEnd()
{
    m_playing = false;
    if (m_ringOver || m_notice.beep)
        return;
    if (sys.sound.endedAtOnce()) {
        // A file that cannot be played or holds no sound: the built-in tone,
        // and if even that cannot sound, beeps.
        if (m_tone || !soundAlarm(true))
            beepInstead();
        return;
    }
    if (nowSecs() - m_ringStarted >= m_ringLimitSecs) {
        m_ringOver = true;
        sys.power.holdOffSleep(false);
        return;
    }
    if (!soundAlarm(m_tone))
        beepInstead();
}

void Schedule::soundStarted()
{
    // An alarm on a device nobody hears beeps instead.
    if (alarmHoldsTheFloor() && m_playing && !m_notice.beep && sys.sound.isSilent())
        beepInstead();
}

void Schedule::beepInstead()
{
    sys.sound.stop();
    m_playing = false;
    m_notice.beep = true;
    ui.showAlarmWindow(m_notice);
}

void Schedule::startSignal(const QString &file)
{
    m_sounding = Sounding::TimeSignal;
    // A signal that cannot sound must not hold every later one back; one that
    // plays on a silent device simply runs its time.
    if (!play(file))
        soundDone();
}

void Schedule::shutdownSequence()
{
    if (m_playing) {
        sys.sound.stop();
        m_playing = false;
        // A stopped sound sends no end of its own: a refused shutdown must not
        // silence every later event. An alarm's window stays until pressed.
        if (alarmHoldsTheFloor()) {
            m_ringOver = true;
            sys.power.holdOffSleep(false);
        } else {
            m_sounding = Sounding::None;
        }
    }
    // The program ends when the system has accepted; see powerOffAnswered.
    sys.power.requestPowerOff();
}

void Schedule::powerOffAnswered(bool ok, const QString &error)
{
    if (ok) {
        ui.endProgramNow();
        return;
    }
    sys.msg.inform(text::ShutdownFailed + text::CRLF + text::CRLF + error);
}

bool Schedule::play(const QString &file, const SoundLevel &level)
{
    if (m_playing) {
        sys.sound.stop();
        m_playing = false;
    }
    const QString tail = file.right(3).toUpper();
    if (tail == QLatin1String("MID"))
        m_deviceType = QStringLiteral("Sequencer");
    else if (tail == QLatin1String("WAV"))
        m_deviceType = QStringLiteral("WaveAudio");
    const bool ok = sys.sound.play(file, m_deviceType, level);
    m_playing = true;
    return ok;
}

void Schedule::soundDone()
{
    if (alarmHoldsTheFloor()) {
        repeatOrEnd(); // an alarm rings until stopped
        return;
    }
    sys.sound.stop();
    m_playing = false;
    m_sounding = Sounding::None;
}

void Schedule::stopAlarm()
{
    sys.power.holdOffSleep(false);
    sys.sound.stop();
    m_playing = false;
    m_sounding = Sounding::None;
    m_ringOver = false;
}

void Schedule::snoozeAlarm()
{
    if (!alarmHoldsTheFloor())
        return;
    const std::vector<int> group = m_group;
    stopAlarm();
    // The ringing alarm's snooze in real time from the press, whatever the wall
    // clock does; alarms of one time stay together.
    const qint64 snoozeSecs = qint64(alarmSnoozeMinutes(m_settings, group.front())) * 60;
    const qint64 until = sys.time.monotonicMsecs() + snoozeSecs * 1000;
    const QDateTime wall = sys.time.now().addSecs(snoozeSecs);
    for (int i : group)
        m_waiting.push_back({i, nowSecs() + snoozeSecs, wall, until});
    // Kept at once: the clock may be ended before its next tick.
    changed();
    keepState();
}

} // namespace dv
