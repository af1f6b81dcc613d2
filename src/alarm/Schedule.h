#pragma once
// Time signals, alarms, the shutdown time and the midnight tray refresh, all on
// the system time, and the one sound that plays at a time.

#include "platform/Platform.h"
#include "settings/Parameters.h"

#include <QDateTime>
#include <array>

namespace dv {

// The widgets the schedule shows or ends.
class AlarmUi {
public:
    virtual ~AlarmUi() = default;
    virtual void showAlarmWindow(bool beepEachFlash) = 0;
    virtual bool alarmWindowLoaded() const = 0;
    virtual void unloadAlarmWindow() = 0;
    virtual void endProgramNow() = 0; // no unload, no save
};

// "Dialvane  " and the date as MM-dd-yyyy.
QString trayTip(const QDate &date);

class Schedule {
public:
    // `settings` is read at each run: the files, the signal flags, MustShutDown.
    Schedule(Platform &platform, AlarmUi &ui, const Settings &settings);

    void setTimes(const AlarmTimes &times) { m_times = times; }
    const AlarmTimes &times() const { return m_times; }

    // What is due at this wall-clock second (local time). An alarm rings at
    // most once a calendar day, a time signal once a wall-clock hour: the hour
    // the clocks go back comes twice, and rings once.
    void run(const QDateTime &wall);
    // The clocks went forward over [from, to) of `day`: alarms set in that
    // stretch ring now, since their minute never comes.
    void runSkipped(const QDate &day, const QTime &from, const QTime &to);
    // Starts a sound, cutting off the one that plays; false when it cannot sound.
    bool play(const QString &file); // PlayAlarmSound
    void soundDone();               // the sound reached its end
    void alarmWindowUnloaded();     // the stop window's button or close

    // Which sound event runs: 0 none, 1 a time signal or alarm 1, 2 alarm 2, 4 alarm 3.
    int same() const { return m_same; }
    bool playing() const { return m_playing; }

private:
    void startSignal(const QString &file);
    void shutdownSequence();
    void onPowerOffAnswer(bool ok, const QString &error);

    Platform &sys; // the outside world
    AlarmUi &ui;
    const Settings &m_settings;
    AlarmTimes m_times;
    void startAlarm(int i, const QDate &day);

    std::array<QDate, 3> m_rang; // the day each alarm last rang
    QString m_lastSignal;        // "yyyy-MM-dd hh:mm" of the last time signal
    int m_same = 0;
    bool m_signal = false; // the sound that runs is a time signal, which an alarm may cut off
    bool m_playing = false;
    QString m_deviceType; // "WaveAudio" or "Sequencer", from the last name that said
};

} // namespace dv
