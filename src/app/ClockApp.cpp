// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ClockApp.h"

#include "app/Remote.h"
#include "resources/Texts.h"

#include <QApplication>

namespace dv {

ClockApp::ClockApp(const QString &appDir, QObject *parent)
    : QObject(parent)
    , m_sound(appDir + QLatin1Char('/') + QLatin1String(kSoundPlayer))
    , m_trialSound(appDir + QLatin1Char('/') + QLatin1String(kSoundPlayer))
    , m_platform{m_time, m_input, m_screen, m_msg,    m_window, m_timer, m_store, m_launcher,
                 m_tray, m_sound, m_power,  m_choose, m_wake,   m_state, appDir}
    , m_clock(m_platform, *this)
{
    // Every way the outside world reaches the clock, in one place.
    const QObject *to = &m_links;
    connect(&m_sound, &SoundProcess::finished, to, [this] { m_clock.schedule().soundDone(); });
    connect(&m_sound, &SoundProcess::started, to, [this] { m_clock.schedule().soundStarted(); });
    connect(&m_power, &LogindPower::done, to,
            [this](bool ok, const QString &error) { m_clock.schedule().powerOffAnswered(ok, error); });
    connect(&m_power, &LogindPower::resumed, to, [this] { m_clock.resumed(); });
    connect(&m_power, &LogindPower::goingToSleep, to, [this] { m_clock.goingToSleep(); });
    connect(&m_wake, &AlarmWakeTimer::fired, to, [this] { m_clock.wakeTimerFired(); });
    connect(&m_wake, &AlarmWakeTimer::clockSet, to, [this] { m_clock.wakeClockSet(); });
    connect(&m_timer, &AlignedTickTimer::tick, to, [this] { m_clock.onTick(); });
    connect(&m_input, &QtInput::changed, to, [this] { m_clock.inputChanged(); });
    connect(&m_window, &ClockWindow::pointerEntered, to, [this] { m_clock.inputChanged(); });
    connect(&m_window, &ClockWindow::mousePressed, to,
            [this](Qt::MouseButtons buttons) { m_clock.onMousePress(buttons); });
    connect(&m_window, &ClockWindow::systemExpose, to, [this] {
        if (m_watchingRepaints)
            m_clock.onSystemRepaint();
    });
    connect(&m_window, &ClockWindow::shownByUs, to, [this] { m_clock.face().noteOwnShow(); });
    connect(&m_window, &ClockWindow::closeRequested, to, [this] { m_clock.quit(); });
    connect(&m_window, &ClockWindow::filesDropped, to,
            [this](const QStringList &files, bool *taken) { *taken = m_clock.onFilesDropped(files); });
    connect(&m_tray, &SystemTray::activated, to, [this](TrayEvent event) { m_clock.trayActivated(event); });
    // The notification's actions press the stop window's buttons.
    connect(&m_notify, &DesktopNotifications::actionChosen, to, [this](bool snooze) {
        if (m_alarm)
            (snooze ? m_alarm->snoozeButton() : m_alarm->button())->click();
    });

    connect(&m_menu, &PopupMenu::setupChosen, to, [this] { openSettings(false); });
    connect(&m_menu, &PopupMenu::helpChosen, to, [this] { m_clock.openHelp(); });
    connect(&m_menu, &PopupMenu::aboutChosen, to, [this] { showAbout(); });
    connect(&m_menu, &PopupMenu::timeSetChosen, to, [this] { m_clock.openDateTimeSettings(); });
    connect(&m_menu, &PopupMenu::placeChosen, to, [this](int place) { m_clock.menuPlace(place); });
    connect(&m_menu, &PopupMenu::endChosen, to, [this] { m_clock.quit(); });
}

ClockApp::~ClockApp()
{
    // The windows made on demand have no parent; each may still tell the clock
    // (a stop window going is a stop), which is here until the members go.
    delete m_alarm.data();
    delete m_about.data();
    delete m_settings.data();
    m_clock.ended();
}

void ClockApp::start(const QString &commandLine, qint64 startedMs)
{
    // The window first: the tray icon follows as soon as start-up is through.
    m_tray.hold(true);
    m_starting = true;
    m_clock.start(commandLine, startedMs);
    m_starting = false;
    m_tray.hold(false);
    // A second start during a start-up message: the settings now that the
    // clock runs, or its start would show and tick the clock under them.
    if (m_settingsAsked && !m_quitting)
        openSettings(true);
    m_settingsAsked = false;
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
}

SettingsDialog &ClockApp::settingsDialog()
{
    if (!m_settings)
        m_settings = new SettingsDialog(m_clock.parameters(), m_platform, *this);
    return *m_settings;
}

void ClockApp::openSettings(bool refill)
{
    // The face goes away while the settings are edited; the alarms, the time
    // signal and the shutdown keep their times with the settings in force.
    m_clock.settingsOpened();
    const bool fresh = !m_settings;
    SettingsDialog &d = settingsDialog();
    if (refill && !fresh)
        d.fill();
    d.setEnabled(!d.subDialogOpen());
    d.show();
    d.bringToFront();
    m_window.hideNoActivate();
}

bool ClockApp::alarmRings() const
{
    const Sounding s = m_clock.schedule().sounding();
    return s != Sounding::None && s != Sounding::TimeSignal;
}

void ClockApp::quitClock()
{
    // The question has been asked: the unload ends the program without asking again.
    m_quitting = true;
    m_clock.quit();
}

void ClockApp::quitCommand()
{
    if (m_quitting) {
        QCoreApplication::exit(0);
        return;
    }
    m_quitting = true;
    settingsDialog().askToSave([this](bool goOn) {
        if (goOn) {
            QCoreApplication::exit(0);
            return;
        }
        // Escape or the close box: nothing saved, and the clock runs on.
        m_quitting = false;
        m_clock.quitWithdrawn();
    });
}

void ClockApp::showAlarmWindow(const AlarmNotice &notice)
{
    // An open menu (the tray's, or a list in a dialog) holds the pointer: the
    // first click on the stop button would only close it. Menus open over
    // menus, a few deep at most.
    for (int open = 0; open < 8; ++open) {
        QWidget *popup = QApplication::activePopupWidget();
        if (!popup)
            break;
        popup->close();
    }
    if (!m_alarm) {
        // A new ring is told on the desktop too; its notification goes with the window.
        QString body = notice.message;
        if (!notice.dueAt.isEmpty())
            body += (body.isEmpty() ? QString() : QStringLiteral("\n")) + text::alarmWasDue(notice.dueAt);
        m_notify.alarm(notice.time, body);
        m_alarm = new AlarmWindow;
        connect(m_alarm, &AlarmWindow::stopped, &m_links, [this] { m_clock.schedule().stopAlarm(); });
        connect(m_alarm, &AlarmWindow::snoozed, &m_links, [this] { m_clock.schedule().snoozeAlarm(); });
        connect(m_alarm, &AlarmWindow::beep, &m_links, [this] { m_msg.beep(); });
        connect(m_alarm, &QObject::destroyed, this, [this] {
            m_msg.keepClearOf(QRect());
            m_notify.withdrawAlarm();
        });
    }
    m_alarm->showAlarm(notice);
    // No box over the stop window.
    m_msg.keepClearOf(m_alarm->frameGeometry());
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

bool ClockApp::pressAlarmButtonOnRequest(bool snooze)
{
    if (!m_alarm)
        return false;
    (snooze ? m_alarm->snoozeButton() : m_alarm->button())->click();
    return true;
}

QString ClockApp::nextAlarmOnRequest()
{
    const NextAlarm next = m_clock.schedule().next(m_time.now());
    return nextAlarmReport(m_clock.settings(), next, m_clock.wakesFor(next.at));
}

void ClockApp::endOnSignal()
{
    // No question, no save: whatever is on disk was written whole, and the
    // dialog's unsaved edits go with the process.
    m_quitting = true;
    m_endedBySignal = true;
    m_timer.setEnabled(false);
    m_sound.stop();
    m_trialSound.stop();
    m_tray.remove();
    QCoreApplication::exit(0);
}

QString ClockApp::facePictureField() const
{
    // No dialog yet: it will show the working settings when it is made.
    return m_settings ? m_settings->facePicture() : m_clock.parameters().working().boardPicture;
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
