#include "alarm/Schedule.h"

#include "resources/Texts.h"

namespace dv {

QString trayTip(const QDate &date)
{
    return text::TrayTipPrefix + date.toString(QStringLiteral("MM-dd-yyyy"));
}

Schedule::Schedule(Platform &platform, AlarmUi &alarmUi, const Settings &settings)
    : sys(platform), ui(alarmUi), m_settings(settings)
{
    sys.sound.finished = [this] { soundDone(); };
    sys.power.done = [this](bool ok, const QString &error) { onPowerOffAnswer(ok, error); };
}

void Schedule::run(int minute, int second, const QString &hms)
{
    // All on the system time; the display offset moves none of it.
    if (minute == 59 && second == 56 && m_settings.Jihou && m_same == 0) {
        m_same = 1;
        // A signal that cannot sound must not hold every later one back.
        if (!play(m_settings.Jihou00File))
            soundDone();
    }
    if (minute == 29 && second == 59 && m_settings.Jihou && m_settings.Jihou30 && m_same == 0) {
        m_same = 1;
        if (!play(m_settings.Jihou30File))
            soundDone();
    }
    if (m_times.check != 0) {
        const QString *sounds[] = {&m_settings.AlarmSound1, &m_settings.AlarmSound2, &m_settings.AlarmSound3};
        for (int i = 0; i < 3; ++i) {
            if (m_times.alarm[size_t(i)] == hms && m_same == 0) {
                m_same = 1 << i;
                const bool ok = play(*sounds[i]);
                // Silent alarms still flash, with a beep, until the button is pressed.
                ui.showAlarmWindow(!ok);
            }
        }
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

void Schedule::shutdownSequence()
{
    if (m_playing) {
        sys.sound.stop();
        sys.pump.yield();
        m_playing = false;
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
    sys.sound.stop();
    m_playing = false;
    m_same = 0;
    if (ui.alarmWindowLoaded())
        ui.unloadAlarmWindow();
}

void Schedule::alarmWindowUnloaded()
{
    sys.sound.stop();
    m_playing = false;
    m_same = 0;
}

} // namespace dv
