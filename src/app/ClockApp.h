// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The running program: the real platform, the clock, its window and widgets.

#include "alarm/AlarmWindow.h"
#include "app/Clock.h"
#include "dialogs/SettingsDialog.h"
#include "interaction/AboutBox.h"
#include "interaction/PopupMenu.h"
#include "platform/AlarmWakeTimer.h"
#include "platform/ClockWindow.h"
#include "platform/DesktopNotifications.h"
#include "platform/LogindPower.h"
#include "platform/MemoryGiveBack.h"
#include "platform/QSettingsStore.h"
#include "platform/QtPlatform.h"
#include "platform/SoundProcess.h"
#include "platform/SystemTray.h"
#include "platform/XdgStateFile.h"

#include <QPointer>

namespace dv {

class ClockApp final : public QObject, public ClockUi, public SettingsHost {
    Q_OBJECT
public:
    explicit ClockApp(const QString &appDir, QObject *parent = nullptr);
    ~ClockApp() override;

    void start(const QString &commandLine, qint64 startedMs);
    // Asked from outside (a second start): the settings dialog, in front.
    void openSettingsOnRequest();
    // Asked from the command line: the stop window's button pressed, as if by
    // hand; false when no alarm rings. The next alarm as --next prints it.
    bool pressAlarmButtonOnRequest(bool snooze);
    QString nextAlarmOnRequest();
    // A signal to end: at once, without a question, without saving; the
    // dialog's edits are dropped and the tray icon goes.
    void endOnSignal();
    bool endedBySignal() const { return m_endedBySignal; }

    Clock &clock() { return m_clock; }
    ClockWindow &window() { return m_window; }
    PopupMenu &menu() { return m_menu; }
    SystemTray &tray() { return m_tray; }
    QtMessageBoxes &messages() { return m_msg; }
    const TickTimer &timer() const { return m_timer; }
    DesktopNotifications &notifications() { return m_notify; }

    // ClockUi
    void watchRepaints() override { m_watchingRepaints = true; }
    void unwatchRepaints() override { m_watchingRepaints = false; }
    void setPlaceChecks(int place) override { m_menu.setPlaceChecks(place); }
    void popupMenu() override;
    void showAbout() override;
    void openSettings(bool refill) override;
    void quitCommand() override;
    void showAlarmWindow(const AlarmNotice &notice) override;
    void missedAlarmsTold(const QString &text) override { m_notify.missed(text); }
    void endProgramNow() override;
    QString facePictureField() const override;
    void setFacePictureField(const QString &path) override;

    // SettingsHost
    void settingsAccepted(const Settings &edited) override { m_clock.settingsOk(edited); }
    void settingsClosed() override { m_clock.settingsClosed(); }
    bool saveSettings() override { return m_clock.saveSettings(); }
    QPoint windowTwips() const override { return m_clock.windowTwips(); }
    void quitClock() override;
    SoundOutput *trialSound() override { return &m_trialSound; }
    bool alarmRings() const override;

    // The settings dialog, made (and filled from the working settings) when first needed.
    SettingsDialog &settingsDialog();

private:
    // Member order matters: the platform pieces come first, `m_platform`
    // refers to them, `m_clock` to `m_platform`.
    SystemTime m_time;
    QtInput m_input;
    QtScreen m_screen;
    QtMessageBoxes m_msg;
    ClockWindow m_window;
    AlignedTickTimer m_timer;
    QSettingsStore m_store;
    ProcessLauncher m_launcher;
    SystemTray m_tray;
    SoundProcess m_sound;
    SoundProcess m_trialSound; // the alarm dialog's trial, apart from the alarms' player
    LogindPower m_power;
    QtChoosers m_choose;
    AlarmWakeTimer m_wake;
    XdgStateFile m_state;
    DesktopNotifications m_notify;
    Platform m_platform;
    Clock m_clock;
    PopupMenu m_menu;
    MemoryGiveBack m_giveBack{&m_window};
    QPointer<AboutBox> m_about;
    QPointer<AlarmWindow> m_alarm;
    QPointer<SettingsDialog> m_settings;
    bool m_watchingRepaints = false;
    bool m_quitting = false;
    bool m_endedBySignal = false;
    bool m_starting = false;
    bool m_settingsAsked = false; // by a second start while this one was starting
    // The context of every connection into the clock. Last, so it goes first:
    // nothing reaches `m_clock` from a piece that outlives it.
    QObject m_links;
};

} // namespace dv
