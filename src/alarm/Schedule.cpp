// Time signals, alarms, the shutdown time and the midnight tray refresh.

#include "app/Clock.h"
#include "resources/Texts.h"

namespace dv {

void Clock::Schedule(int m, int second, const QString &T)
{
    // All on the system time; the display offset moves none of it.
    if (m == 59 && second == 56 && settings.Jihou && Same == 0) {
        Same = 1;
        // A signal that cannot sound must not hold every later one back.
        if (!PlayAlarmSound(settings.Jihou00File))
            MMControl1_Done();
    }
    if (m == 29 && second == 59 && settings.Jihou && settings.Jihou30 && Same == 0) {
        Same = 1;
        if (!PlayAlarmSound(settings.Jihou30File))
            MMControl1_Done();
    }
    if (AlarmCheck != 0) {
        const QString *alarms[] = {&Alarm1, &Alarm2, &Alarm3};
        const QString *sounds[] = {&settings.AlarmSound1, &settings.AlarmSound2, &settings.AlarmSound3};
        for (int i = 0; i < 3; ++i) {
            if (*alarms[i] == T && Same == 0) {
                Same = 1 << i;
                const bool ok = PlayAlarmSound(*sounds[i]);
                // Silent alarms still flash, with a beep, until the button is pressed.
                ui.showAlarmWindow(!ok);
            }
        }
    }
    if (!ShutDown.isEmpty() && ShutDown == T) {
        if (settings.MustShutDown
            || p.msg.ask(text::ShutdownTime + text::CRLF + text::ShutdownAsk))
            shutdownSequence();
    }
    if (T == QStringLiteral("00:00:00")) {
        p.tray.modify(trayTip(p.time.now().date()));
        p.pump.yield();
    }
}

void Clock::shutdownSequence()
{
    if (PlayingFlag) {
        p.sound.stop();
        p.pump.yield();
        PlayingFlag = VFalse;
    }
    // The program ends when the system has accepted; see onPowerOffAnswer.
    p.power.requestPowerOff();
}

void Clock::onPowerOffAnswer(bool ok, const QString &error)
{
    if (ok) {
        ui.endProgramNow();
        return;
    }
    showMessage(text::ShutdownFailed + text::CRLF + text::CRLF + error);
}

bool Clock::PlayAlarmSound(const QString &FileName)
{
    if (PlayingFlag) {
        p.sound.stop();
        p.pump.yield();
        PlayingFlag = VFalse;
    }
    const QString tail = FileName.right(3).toUpper();
    if (tail == QLatin1String("MID"))
        DeviceType = QStringLiteral("Sequencer");
    else if (tail == QLatin1String("WAV"))
        DeviceType = QStringLiteral("WaveAudio");
    const bool ok = p.sound.play(FileName, DeviceType);
    PlayingFlag = VTrue;
    return ok;
}

void Clock::MMControl1_Done()
{
    p.sound.stop();
    PlayingFlag = VFalse;
    Same = 0;
    if (ui.alarmWindowLoaded())
        ui.unloadAlarmWindow();
}

void Clock::AlarmWindowUnloaded()
{
    p.sound.stop();
    PlayingFlag = VFalse;
    Same = 0;
}

} // namespace dv
