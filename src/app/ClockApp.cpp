// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ClockApp.h"
#include "platform/ResidentPages.h"

#include <QApplication>

namespace dv {

ClockApp::ClockApp(const QString &appDir, QObject *parent)
    : QObject(parent)
    , m_sound(appDir + QLatin1Char('/') + QLatin1String(kSoundPlayer))
    , m_platform{m_time,  m_input,    m_screen, m_msg,   m_window, m_timer,  m_pump,
                 m_store, m_launcher, m_tray,   m_sound, m_power,  m_choose, appDir}
    , m_clock(m_platform, *this)
{
    // Every way the outside world reaches the clock, in one place.
    m_sound.finished = [this] {
        m_clock.schedule().soundDone();
        releasePagesSoon();
    };
    m_release.setSingleShot(true);
    m_release.setInterval(kReleaseDelayMs);
    connect(&m_release, &QTimer::timeout, this, [] { releaseIdlePages(); });
    m_power.done = [this](bool ok, const QString &error) { m_clock.schedule().powerOffAnswered(ok, error); };
    m_power.resumed = [this] { m_clock.resumed(); };
    connect(&m_timer, &AlignedTickTimer::tick, this, [this] { m_clock.onTick(); });
    m_input.changed = [this] { m_clock.inputChanged(); };
    m_window.pointerEntered = [this] { m_clock.inputChanged(); };
    m_window.mousePressed = [this](Qt::MouseButtons buttons) { m_clock.onMousePress(buttons); };
    m_window.systemExpose = [this] {
        if (m_watchingRepaints)
            m_clock.onSystemRepaint();
    };
    m_window.shownByUs = [this] { m_clock.face().noteOwnShow(); };
    m_window.closeRequested = [this] { m_clock.quit(); };
    m_window.filesDropped = [this](const QStringList &files) { m_clock.onFilesDropped(files); };
    m_tray.activated = [this](TrayEvent event) { m_clock.trayActivated(event); };

    m_menu.onSetup = [this] { openSettings(false); };
    m_menu.onHelp = [this] { m_clock.openHelp(); };
    m_menu.onAbout = [this] { showAbout(); };
    m_menu.onTimeSet = [this] { m_clock.openDateTimeSettings(); };
    m_menu.onPlace = [this](int place) { m_clock.menuPlace(place); };
    m_menu.onEnd = [this] { m_clock.quit(); };
}

ClockApp::~ClockApp()
{
    m_sound.finished = nullptr;
    m_power.done = nullptr;
    m_power.resumed = nullptr;
    delete m_alarm.data();
    delete m_about.data();
    delete m_settings.data();
}

void ClockApp::start(const QString &commandLine)
{
    // The window first: the tray icon follows as soon as start-up is through.
    m_tray.hold(true);
    m_starting = true;
    m_clock.start(commandLine);
    m_starting = false;
    m_tray.hold(false);
    // A second start during a start-up message: the settings now that the
    // clock runs, or its start would show and tick the clock under them.
    if (m_settingsAsked && !m_quitting)
        openSettings(true);
    m_settingsAsked = false;
    releasePagesSoon();
}

void ClockApp::releasePagesSoon()
{
    // Once the clock ticks on alone: what start-up, a sound, a closed alarm
    // window or dialog brought in goes back, and a day leaves the clock as it started.
    m_release.start();
}

void ClockApp::popupMenu()
{
    m_menu.menu()->popup(m_input.cursorPos());
}

void ClockApp::showAbout()
{
    if (!m_about) {
        m_about = new AboutBox;
        m_about->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_about->centre();
    m_about->show();
    m_about->raise();
    m_pump.yield();
}

SettingsDialog &ClockApp::settingsDialog()
{
    if (!m_settings) {
        m_settings = new SettingsDialog(m_clock.parameters(), m_platform, *this);
        connect(m_settings, &QObject::destroyed, this, &ClockApp::releasePagesSoon);
    }
    return *m_settings;
}

void ClockApp::openSettings(bool refill)
{
    // No tick while the settings are edited: no redraw, signal, alarm or shutdown.
    m_timer.setEnabled(false);
    const bool fresh = !m_settings;
    SettingsDialog &d = settingsDialog();
    if (refill && !fresh)
        d.fill();
    d.setEnabled(!d.subDialogOpen());
    d.show();
    d.bringToFront();
    m_window.hideNoActivate();
    m_pump.yield();
}

void ClockApp::quitClock()
{
    // The question has been asked: the unload ends the program without asking again.
    m_quitting = true;
    m_clock.quit();
}

void ClockApp::quitCommand()
{
    if (!m_quitting) {
        m_quitting = true;
        settingsDialog().askToSave();
    }
    QCoreApplication::exit(0);
}

void ClockApp::showAlarmWindow(const AlarmNotice &notice)
{
    if (!m_alarm) {
        m_alarm = new AlarmWindow;
        m_alarm->onStop = [this] { m_clock.schedule().stopAlarm(); };
        m_alarm->onSnooze = [this] { m_clock.schedule().snoozeAlarm(); };
        m_alarm->beep = [this] { m_msg.beep(); };
        connect(m_alarm, &QObject::destroyed, this, &ClockApp::releasePagesSoon);
    }
    m_alarm->showAlarm(notice);
}

void ClockApp::openSettingsOnRequest()
{
    if (m_quitting)
        return;
    if (m_starting) {
        m_settingsAsked = true;
        return;
    }
    if (m_settings && m_settings->isVisible()) {
        m_settings->raise(); // open already: keep what is being typed
        m_settings->activateWindow();
        return;
    }
    openSettings(true);
}

void ClockApp::endOnSignal()
{
    // No question, no save: whatever is on disk was written whole, and the
    // dialog's unsaved edits go with the process.
    m_quitting = true;
    m_endedBySignal = true;
    m_timer.setEnabled(false);
    m_sound.stop();
    m_tray.remove();
    QCoreApplication::exit(0);
}

QString ClockApp::facePictureField() const
{
    // No dialog yet: it will show the working settings when it is made.
    return m_settings ? m_settings->facePicture() : m_clock.parameters().working().BackImage;
}

void ClockApp::setFacePictureField(const QString &path)
{
    if (m_settings)
        m_settings->setFacePicture(path);
}

void ClockApp::endProgramNow()
{
    QCoreApplication::exit(0);
}

} // namespace dv
