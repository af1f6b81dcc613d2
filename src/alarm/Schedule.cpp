#include "alarm/Schedule.h"

#include "resources/Texts.h"

#include <QDateTime>

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
    sys.sound.finished = [this] { soundDone(); };
    sys.power.done = [this](bool ok, const QString &error) { onPowerOffAnswer(ok, error); };
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
    if (minute == 59 && second == 56 && m_settings.Jihou && m_same == 0)
        signal(m_settings.Jihou00File);
    if (minute == 29 && second == 59 && m_settings.Jihou && m_settings.Jihou30 && m_same == 0)
        signal(m_settings.Jihou30File);
    if (m_times.check != 0) {
        for (int i = 0; i < 3; ++i)
            if (m_times.alarm[size_t(i)] == hms)
                startAlarm(i, wall.date());
    }
    if (!m_times.shutdown.isEmpty() && m_times.shutdown == hms) {
        if (m_settings.MustShutDown || sys.msg.ask(text::ShutdownTime + text::CRLF + text::ShutdownAsk))
            shutdownSequence();
    }
    if (hms == QStringLiteral("00:00:00")) {
        sys.tray.modify(trayTip(sys.time.now().date()));
        sys.pump.yield();
    }
}

void Schedule::startAlarm(int i, const QDate &day)
{
    // A time signal gives way to an alarm; an alarm that sounds keeps the floor.
    if (m_rang[size_t(i)] == day || !(m_same == 0 || m_signal))
        return;
    m_rang[size_t(i)] = day;
    const QString *sounds[] = {&m_settings.AlarmSound1, &m_settings.AlarmSound2, &m_settings.AlarmSound3};
    m_same = 1 << i;
    m_signal = false;
    bool ok = play(*sounds[i]);
    if (ok && sys.sound.isSilent()) {
        // Nobody would hear it, and its end would close the window:
        // flash and beep until the button is pressed instead.
        sys.sound.stop();
        ok = false;
    }
    ui.showAlarmWindow(!ok);
}

void Schedule::runSkipped(const QDate &day, const QTime &from, const QTime &to)
{
    for (int i = 0; i < 3; ++i) {
        const QTime at = QTime::fromString(m_times.alarm[size_t(i)], QStringLiteral("HH:mm:ss"));
        if (at.isValid() && from <= at && at < to)
            startAlarm(i, day);
    }
}

void Schedule::startSignal(const QString &file)
{
    m_same = 1;
    m_signal = true;
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
        // A stopped sound sends no end of its own: free the schedule as its end
        // would, or a refused shutdown would silence every later event.
        soundDone();
    }
    // The program ends when the system has accepted; see onPowerOffAnswer.
    sys.power.requestPowerOff();
}

void Schedule::onPowerOffAnswer(bool ok, const QString &error)
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
    if (m_same != 0 && !m_signal && sys.sound.endedAtOnce()) {
        // An alarm whose file holds no sound: flash and beep until pressed.
        m_playing = false;
        ui.showAlarmWindow(true);
        return;
    }
    sys.sound.stop();
    m_playing = false;
    m_same = 0;
    m_signal = false;
    if (ui.alarmWindowLoaded())
        ui.unloadAlarmWindow();
}

void Schedule::alarmWindowUnloaded()
{
    sys.sound.stop();
    m_playing = false;
    m_same = 0;
    m_signal = false;
}

} // namespace dv
