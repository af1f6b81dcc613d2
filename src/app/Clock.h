// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The clock's start-up, its tick and the orderly end: it hands each subsystem
// what it needs and owns only what the tick itself decides.

#include "alarm/Schedule.h"
#include "alarm/WakeUp.h"
#include "app/CommandLine.h"
#include "face/FaceBuilder.h"
#include "interaction/Placement.h"
#include "platform/Platform.h"
#include "settings/Parameters.h"

#include <QString>

#include <optional>

namespace dv {

// The widgets that belong to the clock but live outside this class.
class ClockUi : public AlarmUi, public PlaceMarks {
public:
    virtual void watchRepaints() = 0; // start watching system repaints
    virtual void unwatchRepaints() = 0;
    virtual void popupMenu() = 0;
    virtual void showAbout() = 0;
    virtual void openSettings(bool refill) = 0;
    // The settings dialog's quit command; ends the program.
    virtual void quitCommand() = 0;
    // The settings dialog's face picture field, where a dropped file shows too.
    virtual QString facePictureField() const = 0;
    virtual void setFacePictureField(const QString &path) = 0;
};

class Clock {
public:
    Clock(Platform &p, ClockUi &ui);

    // Start-up; `startedMs`: when the program began, if before now.
    void start(const QString &commandLine, std::optional<qint64> startedMs = std::nullopt);
    // The program ends in good order: what the alarms must remember is kept.
    void ended() { m_schedule.keepState(true); }
    void onTick(); // each second, or quarter
    // Shift, Ctrl or the pointer changed: hide or show now, not at the next tick.
    void inputChanged();

    // The face as it would be shown at this displayed time, from the stored
    // settings with the board picture file (the snapshot command).
    Face snapshotFace(int hour, int minute, int second);

    // The settings' procedures, where a reader looks for them.
    void loadSettings() { m_params.load(); }
    bool saveSettings();
    void applyAlarmTimes()
    {
        m_schedule.setTimes(deriveAlarmTimes(settings()));
        m_wake.update();
    }
    void updateTrayTip(const QDateTime &now);
    void applyScale();
    void holdPlace() { m_place.hold(settings(), m_face.scale().side); }

    // The settings dialog: while it is open the face is away, and the time
    // signals, alarms and shutdown run on with the settings in force. OK hands
    // over its settings; CANCEL and the close box only bring the clock back.
    void settingsOpened();
    void settingsOk(const Settings &edited);
    void settingsClosed();
    QPoint windowTwips() const;

    // The pointer, the tray and the menu.
    void onMousePress(Qt::MouseButtons buttons); // the left button wins when both are down
    void menuPlace(int place);
    void openHelp();
    void openDateTimeSettings();
    void trayActivated(TrayEvent event);
    // Files dropped on the clock: the first, when its name is a picture's,
    // becomes the board picture (not saved until the settings are). False
    // when the drop is refused: no picture's name, or a picture that cannot be shown.
    bool onFilesDropped(const QStringList &files);
    void onSystemRepaint(); // an expose the system asked for
    // The machine woke from a suspend: catch up at once, not at the next tick.
    void resumed();
    // The machine is about to sleep (the wake-up is armed before it may).
    void goingToSleep() { m_wake.goingToSleep(); }
    // Whether the machine will be woken for the alarm due at `at` (wall clock).
    bool wakesFor(const QDateTime &at) const { return m_wake.wakesFor(at); }
    // The wake timer's instant came, or the wall clock was set under it.
    void wakeTimerFired();
    void wakeClockSet();
    void quit();
    // The quit's question was closed without an answer: the clock runs on.
    void quitWithdrawn();

    Settings &settings() { return m_params.working(); }
    Parameters &parameters() { return m_params; }
    const Parameters &parameters() const { return m_params; }
    FaceBuilder &face() { return m_face; }
    Schedule &schedule() { return m_schedule; }
    const Schedule &schedule() const { return m_schedule; }
    Placement &placement() { return m_place; }
    ShownTime shownTime() const { return m_shown; }
    bool hiddenByRule() const { return m_hidden; }

private:
    void prepareFace();
    bool trySave(); // tells only what a save moved aside
    void applyHideRule();
    void followInput();
    void recaptureWithTimerStopped();
    void catchUp(qint64 epoch, const QDateTime &now);
    void wakeChanged(); // the tip says anew what the wake timer does

    Platform &sys; // the outside world
    ClockUi &ui;
    Parameters m_params;
    FaceBuilder m_face;
    Schedule m_schedule;
    WakeUp m_wake;
    Placement m_place;
    ShownTime m_shown;
    int m_lastSecond = -1;  // the second last drawn
    qint64 m_lastEpoch = 0; // and its second since the epoch
    QDateTime m_lastWall;   // and its wall-clock time
    QDate m_trayDate;       // the date the tray's tip shows
    QString m_trayTip;      // what it shows
    // The tip is looked at again when the date, the alarms or the wall clock
    // (past the next alarm, or set back) change it; read as the wall clock reads.
    AlarmTimes m_tipTimes;
    int m_tipChanges = -1; // the schedule's changes (snoozes) the tip has seen
    QDateTime m_tipAsOf, m_tipNext;
    bool m_tipStale = false; // the wake timer changed what it says
    bool m_hidden = false;   // hidden by the pointer or Ctrl
    bool m_inRepaint = false;
    bool m_unloading = false;
    bool m_faceAway = false; // the settings dialog is open
    bool m_saveTold = false; // a failed save was told; saves have failed since
    static constexpr int kSaveRetrySeconds = 20;
};

} // namespace dv
