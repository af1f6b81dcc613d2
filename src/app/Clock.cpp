// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Clock.h"

#include "alarm/Birthday.h"
#include "face/PictureFiles.h"
#include "resources/Texts.h"

#include <QFileInfo>

namespace dv {

Clock::Clock(Platform &platform, ClockUi &clockUi)
    : sys(platform)
    , ui(clockUi)
    , m_params(platform.store, platform.appDir)
    , m_face(platform)
    , m_schedule(platform, clockUi, m_params)
    , m_wake(platform, m_schedule)
    , m_place(platform, clockUi)
{
}

bool Clock::trySave()
{
    const bool saved = m_params.save();
    if (const std::optional<QString> aside = sys.store.takeMovedAside())
        sys.msg.inform(text::withPath(text::StoreOthersMoved, *aside));
    if (saved)
        m_saveTold = false;
    return saved;
}

bool Clock::saveSettings()
{
    if (trySave())
        return true;
    // Told once while saves fail: the tick tries again meanwhile.
    if (!m_saveTold)
        sys.msg.inform(text::withPath(text::SaveFailed, m_params.location()));
    m_saveTold = true;
    return false;
}

void Clock::prepareFace()
{
    m_place.setTwipsPerPixel(sys.screen.twipsPerPixelX(), sys.screen.twipsPerPixelY());
    m_face.setScale(settings(), m_place.mulX(), m_place.mulY());
    sys.window.setSizePx(m_face.scale().side, m_face.scale().side);
}

void Clock::applyScale()
{
    prepareFace();
    // The window takes the new shape and lets go of the old one itself.
    sys.window.setCircleShape(m_face.scale().side);
}

Face Clock::snapshotFace(int hour, int minute, int second)
{
    loadSettings();
    // No desktop is behind a snapshot: the board colour stands for it.
    settings().transparentBoard = false;
    prepareFace();
    m_face.loadBoard(settings());
    return m_face.build(settings(), hour, minute, second);
}

void Clock::start(const QString &commandLine, std::optional<qint64> startedMs)
{
    // The first tick looks back to the second the program started: what fell
    // due while start-up ran, or while its messages wait for an answer, is not lost.
    const qint64 nowMs = sys.time.msecsSinceEpoch();
    const qint64 startMs = std::min(startedMs.value_or(nowMs), nowMs);
    m_lastEpoch = (startMs >= 0 ? startMs / 1000 : (startMs - 999) / 1000) - 1;
    const QDateTime started = sys.time.now().addMSecs(startMs - nowMs);
    m_lastWall = started.addSecs(-1);
    m_lastSecond = -1;
    ui.watchRepaints();
    sys.window.setCaption(text::ClockWindowTitle);

    const CommandLine cl = parseCommandLine(commandLine);
    if (cl.delreg) {
        switch (sys.store.removeAll()) {
        case SettingsStore::RemoveResult::NothingStored:
            m_schedule.forgetState();
            sys.msg.inform(text::RegistryNone);
            break;
        case SettingsStore::RemoveResult::Removed:
            m_schedule.forgetState(); // nothing old rings for settings that are gone
            sys.msg.inform(text::RegistryDeleted);
            break;
        case SettingsStore::RemoveResult::Failed:
            sys.msg.inform(text::withPath(text::DeleteFailed, sys.store.location()));
            break;
        }
    }

    if (cl.badOffset)
        sys.msg.inform(text::BadOffset + text::CRLF + text::CRLF + QStringLiteral("-offset=") + *cl.badOffset);

    // Greetings and the tray icon come before the settings.
    m_hidden = false;
    // The user's own file, beside the settings, over the one beside the program.
    const QString name = QLatin1Char('/') + QLatin1String(kBirthdayFile);
    const QString own = QFileInfo(sys.store.location()).path() + name;
    greetBirthdays(pathExists(own, PathKind::File) ? own : sys.appDir + name, sys.time.now().date(), sys.msg);
    m_trayDate = sys.time.now().date();
    m_trayTip = text::trayTip(m_trayDate);
    sys.tray.add(m_trayTip);

    // The stored offset never counts: only the command line's.
    loadSettings();
    using StoreCondition = SettingsStore::Condition;
    if (const StoreCondition condition = sys.store.condition(); condition != StoreCondition::Fine) {
        // Set aside before anything can save over it: it is the user's still.
        const QString &why = condition == StoreCondition::Damaged        ? text::StoreDamaged
                             : condition == StoreCondition::NoPermission ? text::StoreNoPermission
                                                                         : text::StoreUnreadable;
        QString told = text::withPath(why, sys.store.location());
        if (const std::optional<QString> aside = sys.store.setAside())
            told += text::CRLF + text::CRLF + text::withPath(text::StoreSetAside, *aside);
        sys.msg.inform(told);
    }
    Settings &s = settings();
    s.timeOffset = cl.offset != 0.0f ? cl.offset : 0.0f;

    // Scale and window size; the window gets its shape further down.
    prepareFace();
    applyAlarmTimes();
    // What the last run left: snoozes, and alarms whose time came while it was away.
    m_schedule.resume(started);
    if (!m_schedule.times().neverRing.isEmpty())
        sys.msg.inform(text::TimesNeverRing + text::CRLF + text::CRLF + m_schedule.times().neverRing.join(text::CRLF));
    if (!m_schedule.times().badDaysOff.isEmpty())
        sys.msg.inform(text::DaysOffIgnored + text::CRLF + text::CRLF + m_schedule.times().badDaysOff.join(text::CRLF));
    m_place.restore(s, m_face.scale());
    holdPlace();

    // The board, then the first face without hands: they come with the first tick.
    const QString storedBoard = s.boardPicture;
    m_face.loadBoard(s);
    if (s.boardPicture.isEmpty() && !storedBoard.isEmpty())
        m_params.keepStored(&Settings::boardPicture, storedBoard);
    const Face &first = m_face.build(s, 0, 0, 0, false);

    // Missing alarm sounds are cleared for this run only: the store keeps them.
    const text::Text *missing[] = {&text::AlarmSoundMissing1, &text::AlarmSoundMissing2, &text::AlarmSoundMissing3};
    for (int i = 0; i < kAlarmCount; ++i) {
        QString &sound = s.*kAlarmSettings[i].sound;
        if (!sound.isEmpty() && !pathExists(sound, PathKind::File)) {
            sys.msg.inform(text::withPath(*missing[i], sound));
            m_params.keepStored(kAlarmSettings[i].sound, sound);
            sound.clear();
        }
    }

    // Shape, z-order and where the window is.
    sys.window.setCircleShape(m_face.scale().side);
    sys.window.setTopMost(s.onTop);
    sys.window.showNoActivate(s.onTop);
    m_place.updateRect();

    m_face.resetCapture(sys.window.screenRect());

    // Show the first face; the tick starts last of all.
    sys.window.present(first);
    followInput();
    sys.timer.setEnabled(true);
}

void Clock::followInput()
{
    // Ctrl hides in any case; the pointer only with hiding under it on. What
    // is not told as it happens is asked for four times a second.
    const bool pointer = settings().hideUnderPointer;
    sys.input.watchPointer(pointer);
    sys.timer.setQuarters(!sys.input.pushesChanges(pointer));
}

void Clock::inputChanged()
{
    // Not while the settings are open (the window is away), nor on the way out.
    if (sys.timer.isEnabled() && !m_faceAway && !m_unloading)
        applyHideRule();
}

void Clock::applyHideRule()
{
    // Both bounds inclusive. The pointer is asked for only when its answer counts.
    const Settings &s = settings();
    const bool shift = sys.input.shiftHeld();
    const bool ctrl = sys.input.ctrlHeld();
    if ((s.hideUnderPointer && !shift && m_place.contains(sys.input.cursorPos())) || ctrl) {
        sys.window.hideNoActivate();
        m_hidden = true;
    } else {
        sys.window.showNoActivate(s.onTop && m_hidden);
        m_hidden = false;
    }
}

void Clock::onTick()
{
    if (!m_faceAway)
        applyHideRule();

    // Second test, four times a second: cheap, without the local time.
    const qint64 ms = sys.time.msecsSinceEpoch();
    const qint64 epoch = ms >= 0 ? ms / 1000 : (ms - 999) / 1000;
    const int second = int((epoch % 60 + 60) % 60);
    // A whole minute stalled shows the same second of another minute: new all the same.
    if (second == m_lastSecond && epoch - m_lastEpoch < 60)
        return;
    const QDateTime now = sys.time.now();
    m_shown = displayedTime(now.time().hour(), now.time().minute(), settings().timeOffset);
    m_shown.second = now.time().second(); // the same, barring a second boundary in between
    m_lastSecond = m_shown.second;

    if (!m_faceAway) {
        Settings &s = settings();
        m_face.beforeSecond(s, m_shown.hour, m_shown.minute, m_shown.second);
        const Face &face = m_face.build(s, m_shown.hour, m_shown.minute, m_shown.second);
        holdPlace();
        sys.window.present(face);
    }

    // What the seconds since the last tick brought: the skipped seconds'
    // signals, the alarms whose time passed, however the wall clock moved.
    const QDateTime before = m_lastWall;
    const bool newSecond = epoch != m_lastEpoch; // not a face drawn again in the same second
    catchUp(epoch, now);
    m_schedule.alarmsDue(before, now);
    m_schedule.serve();
    const int sec = m_shown.second;
    if (newSecond && scheduleRunsAt(sec))
        m_schedule.run(now);
    updateTrayTip(now);
    m_schedule.reportMissed();
    m_schedule.keepState();
    // A save refused (its lock held elsewhere, say) is tried again, not lost.
    if (newSecond && m_params.unsaved() && sec % kSaveRetrySeconds == 0)
        trySave();
}

void Clock::catchUp(qint64 epoch, const QDateTime &now)
{
    // A stall (a busy machine, a debugger, a suspend) must not lose a time
    // signal or the shutdown: those of the skipped seconds run now if they are
    // a minute late at most, however long the stall. Later than that they
    // would only mislead: no signal rings for a long-past hour, and no machine
    // powers off hours after its time.
    const qint64 first = std::max(m_lastEpoch + 1, epoch - 60);
    // Taken first: a tick inside a callback must not run these again.
    m_lastEpoch = epoch;
    m_lastWall = now;
    for (qint64 s = first; s < epoch; ++s) {
        const int sec = int((s % 60 + 60) % 60);
        if (scheduleRunsAt(sec))
            m_schedule.run(now.addSecs(s - epoch));
    }
}

void Clock::settingsOk(const Settings &edited)
{
    Settings &s = settings();
    m_face.setBoardPicture(edited.boardPicture);
    // The placement comes from the menu's marks, which follow the working mode.
    const Corner place = s.corner;
    s = edited;
    s.corner = place;
    m_place.record(s);
    sys.window.setTopMost(s.onTop);
    sys.timer.setEnabled(false);
    sys.window.hideNoActivate();
    applyScale();
    // A window dragged wholly off the left or top edge comes back to it.
    QRect r = sys.window.screenRect();
    if (r.left() + r.width() <= 0)
        r.moveLeft(0);
    if (r.top() + r.height() <= 0)
        r.moveTop(0);
    sys.window.movePx(r.left(), r.top());
    holdPlace();
    saveSettings();
    applyAlarmTimes();
    if (s.transparentBoard)
        m_face.captureDesktop();
    if (s.slideshow)
        m_face.pickSlide(s, false);
    m_lastSecond = -1; // the next tick draws the new face at once
    followInput();
    settingsClosed();
}

void Clock::settingsOpened()
{
    // The face goes away under the dialog; the time-keeping does not.
    m_faceAway = true;
    sys.window.hideNoActivate();
}

void Clock::settingsClosed()
{
    m_faceAway = false;
    m_lastSecond = -1; // the face comes back at once
    sys.window.showNoActivate(settings().onTop);
    sys.timer.setEnabled(true);
}

QPoint Clock::windowTwips() const
{
    const QRect r = sys.window.screenRect();
    return {twipsToWhole(r.left() * m_place.mulX()), twipsToWhole(r.top() * m_place.mulY())};
}

void Clock::recaptureWithTimerStopped()
{
    sys.timer.setEnabled(false);
    m_face.captureDesktop();
    sys.timer.setEnabled(true);
}

void Clock::onMousePress(Qt::MouseButtons buttons)
{
    if (buttons & Qt::LeftButton) {
        if (settings().corner != Corner::Free)
            return; // pinned to a corner
        sys.window.dragMove();
        if (settings().transparentBoard)
            recaptureWithTimerStopped();
        m_place.record(settings());
        saveSettings();
    } else if (buttons & Qt::RightButton) {
        if (sys.tray.hosted()) {
            ui.openSettings(true);
        } else {
            // No tray to open the menu from: its first item is the settings.
            ui.popupMenu();
        }
    }
}

void Clock::menuPlace(int place)
{
    settings().corner = Corner(place);
    if (place != 0) {
        sys.window.hideNoActivate(); // the next tick shows it in its corner
        sys.timer.tickSoon();
    }
    holdPlace();
    saveSettings();
}

void Clock::openHelp()
{
    // Nothing registered to show a page: the user can still open it by hand.
    const QString page = sys.appDir + QLatin1Char('/') + text::HelpPage;
    sys.launcher.openFile(page, [this, page](bool opened) {
        if (!opened)
            sys.msg.inform(text::withPath(text::HelpNotOpened, page));
    });
}

void Clock::openDateTimeSettings()
{
    if (!sys.launcher.openDateTimeSettings())
        sys.msg.inform(text::NoDateTimeTool);
}

void Clock::trayActivated(TrayEvent event)
{
    switch (event) {
    case TrayEvent::MenuRequest: ui.popupMenu(); break;
    case TrayEvent::DateTimeRequest: openDateTimeSettings(); break;
    case TrayEvent::None: break;
    }
}

bool Clock::onFilesDropped(const QStringList &files)
{
    const QString name = files.value(0);
    if (!isDroppablePicture(name))
        return false;
    Settings &s = settings();
    const QString oldImage = s.boardPicture, oldField = ui.facePictureField();
    s.boardPicture = name;
    ui.setFacePictureField(name);
    if (m_face.takeDroppedPicture(name) == FaceBuilder::Drop::Undecodable) {
        sys.window.showNoActivate(true);
        sys.msg.inform(text::CannotShowPicture);
        s.boardPicture = oldImage;
        ui.setFacePictureField(oldField);
        return false;
    }
    return true;
}

void Clock::onSystemRepaint()
{
    if (m_inRepaint)
        return;
    m_inRepaint = true;
    // Our own show exposes the window too: only the system's requests count.
    if (settings().transparentBoard && m_face.exposeIsSystems())
        recaptureWithTimerStopped();
    m_inRepaint = false;
}

void Clock::wakeTimerFired()
{
    m_wake.fired();
    wakeChanged();
}

void Clock::wakeClockSet()
{
    m_wake.update(true);
    wakeChanged();
}

void Clock::wakeChanged()
{
    m_tipStale = true;
    updateTrayTip(sys.time.now());
}

void Clock::resumed()
{
    m_wake.resumed();
    m_tipStale = true;
    // Not while the settings are open: their closing brings the clock back.
    if (sys.timer.isEnabled() && !m_unloading)
        onTick();
}

void Clock::quitWithdrawn()
{
    m_unloading = false;
    ui.watchRepaints();
    sys.tray.add(m_trayTip);
}

void Clock::updateTrayTip(const QDateTime &now)
{
    // The tray's date follows any change of date: midnight, a resume, a clock
    // set; its next alarm follows the alarms' days and times as well.
    const QDateTime wall(now.date(), now.time(), Qt::UTC);
    if (!m_tipStale && now.date() == m_trayDate && m_schedule.times() == m_tipTimes
        && m_schedule.changes() == m_tipChanges && wall >= m_tipAsOf && (!m_tipNext.isValid() || wall < m_tipNext))
        return;
    m_tipStale = false;
    m_tipChanges = m_schedule.changes();
    m_trayDate = now.date();
    m_tipTimes = m_schedule.times();
    m_tipAsOf = wall;
    // What moves the next alarm moves the wake-up too: a ring, a day, a clock set.
    m_wake.update();
    const NextAlarm coming = m_schedule.next(now);
    const QDateTime next = coming.at;
    m_tipNext = next.isValid() ? QDateTime(next.date(), next.time(), Qt::UTC) : QDateTime();
    const QString tip = text::trayTip(m_trayDate, next, m_wake.tipNote(next), coming.skipped);
    if (tip == m_trayTip)
        return;
    m_trayTip = tip;
    sys.tray.modify(m_trayTip);
}

void Clock::quit()
{
    if (m_unloading)
        return;
    m_unloading = true;
    if (m_params.unsaved())
        trySave(); // a last try: the program ends either way
    ui.unwatchRepaints();
    sys.tray.remove();
    ui.quitCommand();
}

} // namespace dv
