// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/Schedule.h"

#include "resources/Texts.h"

#include <QDateTime>
#include <algorithm>

namespace dv {

QString trayTip(const QDate &date)
{
    return text::TrayTipPrefix + date.toString(QStringLiteral("MM-dd-yyyy"));
}

Schedule::Schedule(Platform &platform, AlarmUi &alarmUi, const Settings &settings)
    : sys(platform)
    , ui(alarmUi)
    , m_settings(settings)
{
}

void Schedule::setTimes(const AlarmTimes &times)
{
    // A snooze or a late ring of an alarm whose time has changed is void.
    std::erase_if(m_waiting,
                  [&](const Due &d) { return times.alarm[size_t(d.alarm)] != m_times.alarm[size_t(d.alarm)]; });
    m_times = times;
}

void Schedule::run(const QDateTime &wall)
{
    // All on the system time; the display offset moves none of it.
    const QTime t = wall.time();
    const int minute = t.minute(), second = t.second();
    const QString hms = t.toString(QStringLiteral("HH:mm:ss"));
    const QString signalKey = wall.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    auto signal = [&](const QString &file) {
        if (m_lastSignal == signalKey)
            return; // the hour the clocks went back, the second time round
        m_lastSignal = signalKey;
        startSignal(file);
    };
    if (minute == 59 && second == 56 && m_settings.Jihou && m_sounding == Sounding::None)
        signal(m_settings.Jihou00File);
    if (minute == 29 && second == 59 && m_settings.Jihou && m_settings.Jihou30 && m_sounding == Sounding::None)
        signal(m_settings.Jihou30File);
    if (!m_times.shutdown.isEmpty() && m_times.shutdown == hms) {
        if (m_settings.MustShutDown || sys.msg.ask(text::ShutdownTime + text::CRLF + text::ShutdownAsk))
            shutdownSequence();
    }
}

void Schedule::alarmsDue(const QDateTime &from, const QDateTime &to)
{
    if (m_times.check == 0)
        return;
    // Compared as the wall clock reads, so that a clock set forward or a
    // skipped hour passes alarm times as surely as the seconds do.
    auto onWall = [](const QDateTime &w) { return QDateTime(w.date(), w.time(), Qt::UTC); };
    const QDateTime end = onWall(to);
    const QDateTime begin = from.isValid() ? onWall(from) : end.addSecs(-1);
    if (end <= begin)
        return; // the clock went back or stood: what it passes again has rung
    // The hour a zone skips made no alarm late.
    const qint64 skipped = from.isValid() ? qMax(0, to.offsetFromUtc() - from.offsetFromUtc()) : 0;
    const qint64 now = nowSecs();
    // A week back is enough to tell the user what was missed.
    const QDate first = std::max(begin.date(), end.date().addDays(-7));
    for (QDate d = first; d <= end.date(); d = d.addDays(1)) {
        for (int i = 0; i < 3; ++i) {
            const QTime at = QTime::fromString(m_times.alarm[size_t(i)], QStringLiteral("HH:mm:ss"));
            const QDateTime due(d, at, Qt::UTC);
            if (!at.isValid() || due <= begin || due > end)
                continue;
            // Once a day, whatever the clock does.
            const QString key = due.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            if (m_rang[size_t(i)] == key)
                continue;
            m_rang[size_t(i)] = key;
            const qint64 late = qMax<qint64>(0, due.secsTo(end) - skipped);
            m_waiting.push_back({i, now - late, due});
        }
    }
}

void Schedule::serve()
{
    const qint64 now = nowSecs();
    m_ringStarted = std::min(m_ringStarted, now); // a clock set back does not lengthen the ring
    if (alarmHoldsTheFloor() && m_playing && !m_ringOver && now - m_ringStarted >= kRingLimitSecs) {
        // Enough noise: the window flashes on until someone sees it.
        sys.sound.stop();
        m_playing = false;
        m_ringOver = true;
    }
    // Earliest first; alarm 1 before 3 when both fell due together.
    std::stable_sort(m_waiting.begin(), m_waiting.end(), [](const Due &a, const Due &b) { return a.at < b.at; });
    std::erase_if(m_waiting, [&](const Due &d) {
        if (d.at > now || now - d.at <= kLateAlarmLimitSecs)
            return false;
        const QString message = m_settings.*kAlarmSettings[size_t(d.alarm)].message;
        m_missed.append(d.wall.toString(QStringLiteral("yyyy/MM/dd HH:mm"))
                        + (message.isEmpty() ? QString() : QStringLiteral("  ") + message));
        return true;
    });
    if (alarmHoldsTheFloor() || m_waiting.empty() || m_waiting.front().at > now)
        return;
    const Due due = m_waiting.front();
    // Alarms set to the same time are one alarm: the first of them rings.
    std::erase_if(m_waiting, [&](const Due &d) { return d.at == due.at && d.wall == due.wall; });
    ring(due);
}

void Schedule::reportMissed()
{
    if (m_missed.isEmpty())
        return;
    const QString lines = m_missed.join(text::CRLF);
    m_missed.clear(); // before the box: ticks go on while it is open
    sys.msg.inform(text::MissedAlarms + text::CRLF + text::CRLF + lines);
}

void Schedule::ring(const Due &due)
{
    // A time signal gives way to an alarm.
    const int i = due.alarm;
    m_sounding = Sounding(int(Sounding::Alarm1) + i);
    m_notice = AlarmNotice();
    m_notice.time = m_times.alarm[size_t(i)].left(5);
    m_notice.message = m_settings.*kAlarmSettings[size_t(i)].message;
    if (nowSecs() > due.at)
        m_notice.dueAt = due.wall.toString(due.wall.date() == sys.time.now().date() ? QStringLiteral("HH:mm")
                                                                                    : QStringLiteral("MM/dd HH:mm"));
    m_ringStarted = nowSecs();
    m_ringOver = false;
    const bool ok = play(alarmSound(i));
    if (!ok || sys.sound.isSilent()) {
        // Nobody would hear it: flash and beep until the button is pressed.
        sys.sound.stop();
        m_playing = false;
        m_notice.beep = true;
    }
    ui.showAlarmWindow(m_notice);
}

void Schedule::repeatOrEnd()
{
    m_playing = false;
    if (m_ringOver || m_notice.beep)
        return;
    if (sys.sound.endedAtOnce()) {
        beepInstead(); // a file that holds no sound
        return;
    }
    if (nowSecs() - m_ringStarted >= kRingLimitSecs) {
        m_ringOver = true;
        return;
    }
    if (!play(alarmSound(ringingAlarm())) || sys.sound.isSilent())
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
        sys.pump.yield();
        m_playing = false;
        // A stopped sound sends no end of its own: a refused shutdown must not
        // silence every later event. An alarm's window stays until pressed.
        if (alarmHoldsTheFloor())
            m_ringOver = true;
        else
            m_sounding = Sounding::None;
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

bool Schedule::play(const QString &file)
{
    if (m_playing) {
        sys.sound.stop();
        sys.pump.yield();
        m_playing = false;
    }
    const QString tail = file.right(3).toUpper();
    if (tail == QLatin1String("MID"))
        m_deviceType = QStringLiteral("Sequencer");
    else if (tail == QLatin1String("WAV"))
        m_deviceType = QStringLiteral("WaveAudio");
    const bool ok = sys.sound.play(file, m_deviceType);
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
    sys.sound.stop();
    m_playing = false;
    m_sounding = Sounding::None;
    m_ringOver = false;
}

void Schedule::snoozeAlarm()
{
    if (!alarmHoldsTheFloor())
        return;
    const int i = ringingAlarm();
    stopAlarm();
    m_waiting.push_back({i, nowSecs() + kSnoozeSecs, sys.time.now().addSecs(kSnoozeSecs)});
}

} // namespace dv
