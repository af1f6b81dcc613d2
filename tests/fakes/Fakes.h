// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Recording stand-ins for the platform, so that a test can run the clock
// through a simulated day without a display.

#include "app/Clock.h"

#include <QMap>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <deque>
#include <functional>

namespace dv::test {

// One log shared by all fakes, to check the order of what the clock did.
struct Log {
    QStringList events;
    void add(const QString &e) { events.append(e); }
    int indexOf(const QString &prefix) const
    {
        for (int i = 0; i < events.size(); ++i)
            if (events.at(i).startsWith(prefix))
                return i;
        return -1;
    }
    int count(const QString &prefix) const
    {
        int n = 0;
        for (const QString &e : events)
            n += e.startsWith(prefix);
        return n;
    }
};

class FakeTime final : public TimeSource {
public:
    QDateTime t = QDateTime(QDate(2026, 12, 7), QTime(12, 0, 0));
    qint64 mono = 0; // milliseconds; only the rig's ticks move it
    QDateTime now() const override { return t; }
    qint64 msecsSinceEpoch() const override { return t.toMSecsSinceEpoch(); }
    qint64 monotonicMsecs() const override { return mono; }
};

class FakeInput final : public InputState {
public:
    QPoint pos{-100, -100};
    bool shift = false, ctrl = false;
    QPoint cursorPos() const override { return pos; }
    bool shiftHeld() const override { return shift; }
    bool ctrlHeld() const override { return ctrl; }
    bool pushesKeys = false, pushesPointer = false, watching = false;
    bool pushesChanges(bool pointer) const override { return pushesKeys && (!pointer || pushesPointer); }
    void watchPointer(bool on) override { watching = on; }
};

class FakeScreen final : public ScreenInfo {
public:
    QSize size{1024, 768};
    QList<QRect> monitors; // empty: one monitor of `size`
    double tppX = 15, tppY = 15;
    QSize sizePx() const override { return size; }
    QList<QRect> monitorsPx() const override
    {
        return monitors.isEmpty() ? QList<QRect>{QRect(QPoint(0, 0), size)} : monitors;
    }
    QList<QRect> workAreas; // empty: the whole monitors
    QList<QRect> workAreasPx() const override { return workAreas.isEmpty() ? monitorsPx() : workAreas; }
    double twipsPerPixelX() const override { return tppX; }
    double twipsPerPixelY() const override { return tppY; }
};

class FakeMessages final : public MessageBoxes {
public:
    explicit FakeMessages(Log &l)
        : log(l)
    {
    }
    Log &log;
    QStringList shown;
    QStringList asked;
    using Answer = MessageBoxes::Answer;
    std::deque<Answer> answers;        // Yes when empty
    std::function<void()> whileAsking; // runs while a question is open, as ticks would
    bool holdAnswers = false;          // questions stay open until answer() is called
    std::deque<std::function<void(Answer)>> open;
    int beeps = 0;
    void inform(const QString &text) override
    {
        shown.append(text);
        log.add(QStringLiteral("msg:") + text);
    }
    void ask(const QString &text, std::function<void(Answer)> answered, bool, bool) override
    {
        asked.append(text);
        log.add(QStringLiteral("ask:") + text);
        open.push_back(std::move(answered));
        if (whileAsking)
            std::exchange(whileAsking, nullptr)();
        if (!holdAnswers)
            answer();
    }
    // The oldest open question is answered: the next of `answers`, or Yes.
    void answer()
    {
        if (open.empty())
            return;
        Answer a = Answer::Yes;
        if (!answers.empty()) {
            a = answers.front();
            answers.pop_front();
        }
        auto then = std::move(open.front());
        open.pop_front();
        if (then)
            then(a);
        while (open.empty() && !whenClosed.empty())
            std::exchange(whenClosed, {}).front()();
    }
    // Boxes that only inform close at once; questions when answered.
    std::vector<std::function<void()>> whenClosed;
    // NOLINTNEXTLINE(performance-unnecessary-value-param)
    void whenAllClosed(std::function<void()> then) override
    {
        if (open.empty())
            then();
        else
            whenClosed.push_back(std::move(then));
    }
    QRect clearOf;
    void keepClearOf(const QRect &area) override { clearOf = area; }
    void beep() override { ++beeps; }
};

class FakeWindow final : public ClockWindowOps {
public:
    explicit FakeWindow(Log &l)
        : log(l)
    {
    }
    Log &log;
    QRect rect{0, 0, 0, 0};
    bool shown = false;
    bool topMost = false;
    int shapeD = -1;
    int presents = 0;
    int hides = 0, shows = 0, raises = 0;
    Face lastFace;
    QPoint dragTo{-1, -1}; // where a drag ends; -1 for where it began
    QImage grab;
    bool steady = true; // grabs come steady
    int grabs = 0;
    qreal ratio = 1.0;                // device pixels per window pixel
    std::function<void()> duringGrab; // events the grab lets through
    ActiveWindow active;
    bool compositor = false; // a compositor draws the screen
    bool seeThrough = false; // the window's clear pixels show through
    QString caption;
    void setCaption(const QString &text) override { caption = text; }
    void setSizePx(int w, int h) override
    {
        rect.setSize({w, h});
        log.add(QStringLiteral("window.size"));
    }
    void setCircleShape(int side) override
    {
        shapeD = side;
        log.add(QStringLiteral("window.shape"));
    }
    void movePx(int x, int y) override { rect.moveTo(x, y); }
    QRect screenRect() const override { return rect; }
    void showNoActivate(bool raise) override
    {
        if (!shown)
            ++shows;
        shown = true;
        raises += raise;
    }
    void hideNoActivate() override
    {
        if (shown)
            ++hides;
        shown = false;
    }
    void setTopMost(bool on) override { topMost = on; }
    void present(const Face &f) override
    {
        lastFace = f;
        ++presents;
        log.add(QStringLiteral("present"));
    }
    ScreenGrab grabScreen(const QRect &) override
    {
        ++grabs;
        if (duringGrab)
            duringGrab();
        return {grab, steady};
    }
    ActiveWindow activeWindow() const override { return active; }
    QList<quint64> closed; // windows gone from the screen
    bool windowShown(quint64 id) const override { return !closed.contains(id); }
    bool canSeeThrough() const override { return compositor; }
    void setSeeThrough(bool on) override { seeThrough = on; }
    qreal pixelRatio() const override { return ratio; }
    void dragMove() override
    {
        log.add(QStringLiteral("drag"));
        if (dragTo.x() >= 0)
            rect.moveTo(dragTo);
    }
};

class FakeTimer final : public TickTimer {
public:
    explicit FakeTimer(Log &l)
        : log(l)
    {
    }
    Log &log;
    bool on = false;
    void setEnabled(bool e) override
    {
        on = e;
        log.add(e ? QStringLiteral("timer.on") : QStringLiteral("timer.off"));
    }
    bool isEnabled() const override { return on; }
    bool quarters = true;
    int soon = 0;
    void setQuarters(bool q) override { quarters = q; }
    void tickSoon() override { ++soon; }
};

class MemoryStore final : public SettingsStore {
public:
    explicit MemoryStore(Log &l)
        : log(l)
    {
    }
    Log &log;
    QMap<QString, QString> values;
    QString where = QStringLiteral("/memory/DIALVANE.conf");
    bool failWrites = false;
    bool failRemove = false;
    int writes = 0;
    std::optional<QString> read(const QString &key) const override
    {
        if (!values.contains(key))
            return std::nullopt;
        return values.value(key);
    }
    bool writeAll(const QList<QPair<QString, QString>> &v) override
    {
        log.add(QStringLiteral("store.write"));
        if (failWrites)
            return false;
        ++writes;
        for (const auto &[k, t] : v)
            values[k] = t;
        return true;
    }
    RemoveResult removeAll() override
    {
        log.add(QStringLiteral("store.remove"));
        if (failRemove)
            return RemoveResult::Failed;
        if (values.isEmpty())
            return RemoveResult::NothingStored;
        values.clear();
        return RemoveResult::Removed;
    }
    QString location() const override { return where; }
    Condition condition() const override { return Condition::Fine; }
    std::optional<QString> setAside() override { return std::nullopt; }
    std::optional<QString> movedAside;
    std::optional<QString> takeMovedAside() override { return std::exchange(movedAside, std::nullopt); }
};

// The alarms' state between runs, in memory; a test hands it to the next run's rig.
class MemoryState final : public StateFile {
public:
    std::optional<QByteArray> text; // nothing: never written
    QString problem;                // a file there that cannot be read
    bool failWrites = false;
    int writes = 0;
    std::optional<QByteArray> read(QString &why) const override
    {
        why = problem;
        return text;
    }
    bool write(const QByteArray &t) override
    {
        if (failWrites)
            return false;
        ++writes;
        text = t;
        return true;
    }
    void remove() override { text.reset(); }
    QString location() const override { return QStringLiteral("/memory/DIALVANE.state"); }
};

class FakeLauncher final : public Launcher {
public:
    int dateTimeOpened = 0;
    QStringList opened;
    bool works = true; // false: nothing installed to open with
    bool openDateTimeSettings() override
    {
        ++dateTimeOpened;
        return works;
    }
    // NOLINTNEXTLINE(performance-unnecessary-value-param)
    void openFile(const QString &path, std::function<void(bool)> done) override
    {
        opened.append(path);
        done(works);
    }
};

class FakeTray final : public Tray {
public:
    explicit FakeTray(Log &l)
        : log(l)
    {
    }
    Log &log;
    QStringList tips;
    bool present = false;
    bool host = true; // a tray host runs
    bool hosted() const override { return host; }
    void add(const QString &tip) override
    {
        tips.append(tip);
        present = true;
        log.add(QStringLiteral("tray.add"));
    }
    void modify(const QString &tip) override
    {
        tips.append(tip);
        log.add(QStringLiteral("tray.modify:") + tip);
    }
    void remove() override
    {
        present = false;
        log.add(QStringLiteral("tray.remove"));
    }
};

} // namespace dv::test
namespace dv {
// How QCOMPARE shows a level that differs.
inline char *toString(const SoundLevel &l)
{
    return qstrdup(QByteArray::number(l.volume) + "% " + QByteArray::number(l.fadeDoneMs) + "/"
                   + QByteArray::number(l.fadeInMs) + "ms");
}
} // namespace dv
namespace dv::test {

class FakeSound final : public SoundOutput {
public:
    explicit FakeSound(Log &l)
        : log(l)
    {
    }
    Log &log;
    QStringList played;
    QStringList deviceTypes;
    bool playing = false;
    bool result = true;
    bool silent = false; // plays reach no speaker
    bool atOnce = false; // the play ends as soon as it starts
    int stops = 0;
    QStringList failing; // files that cannot play
    QList<SoundLevel> levels;
    bool play(const QString &file, const QString &deviceType, const SoundLevel &level) override
    {
        played.append(file);
        deviceTypes.append(deviceType);
        levels.append(level);
        log.add(QStringLiteral("play:") + file);
        playing = result && !failing.contains(file);
        return playing;
    }
    void stop() override
    {
        playing = false;
        ++stops;
    }
    using SoundOutput::play;
    bool isPlaying() const override { return playing; }
    bool isSilent() const override { return playing && silent; }
    bool endedAtOnce() const override { return atOnce; }
    void finish() // the sound reached its end
    {
        playing = false;
        if (finished)
            finished();
    }
    std::function<void()> finished;
};

class FakePower final : public PowerControl {
public:
    explicit FakePower(Log &l)
        : log(l)
    {
    }
    Log &log;
    int requests = 0;
    void requestPowerOff() override
    {
        ++requests;
        log.add(QStringLiteral("poweroff"));
    }
    bool sleepHeldOff = false;
    void holdOffSleep(bool hold) override { sleepHeldOff = hold; }
    std::function<void(bool ok, const QString &error)> done;
    std::function<void()> resumed;
    bool sleepDelay = false;
    void holdSleepDelay(bool on) override
    {
        sleepDelay = on;
        log.add(on ? QStringLiteral("sleepdelay.hold") : QStringLiteral("sleepdelay.let"));
    }
};

class FakeWake final : public WakeTimer {
public:
    explicit FakeWake(Log &l)
        : log(l)
    {
    }
    Log &log;
    Availability avail = Availability::Available;
    bool refuse = false; // the system refuses the instant
    QDateTime at;        // armed for; invalid: not armed
    std::function<void()> onArm;
    Availability availability() const override { return avail; }
    bool arm(const QDateTime &when) override
    {
        log.add(QStringLiteral("wake.arm"));
        at = avail == Availability::Available && !refuse ? when : QDateTime();
        if (onArm)
            onArm();
        return at.isValid();
    }
    void disarm() override
    {
        at = QDateTime();
        log.add(QStringLiteral("wake.disarm"));
    }
};

class FakeChoosers final : public Choosers {
public:
    std::deque<std::optional<quint32>> colors; // cancelled when empty
    std::deque<std::optional<QString>> files;
    QList<FileChoice> asked;
    QList<quint32> colorsFrom; // the colour each colour chooser started at
    std::optional<quint32> color(quint32 current) override
    {
        colorsFrom.append(current);
        if (colors.empty())
            return std::nullopt;
        const auto c = colors.front();
        colors.pop_front();
        return c;
    }
    std::optional<QString> openFile(const FileChoice &choice) override
    {
        asked.append(choice);
        if (files.empty())
            return std::nullopt;
        const auto f = files.front();
        files.pop_front();
        return f;
    }
};

class FakeUi final : public ClockUi {
public:
    explicit FakeUi(Log &l)
        : log(l)
    {
    }
    Log &log;
    int placeChecks = -1;
    bool alarmOpen = false;
    bool alarmBeeps = false;
    int alarmShows = 0;
    AlarmNotice notice; // what the stop window shows
    int menus = 0, abouts = 0, settingsOpened = 0, quits = 0, ended = 0;
    bool hooked = false;
    std::function<void(bool snooze)> onUnloadAlarm; // the window's own unload reaching the clock
    void watchRepaints() override
    {
        hooked = true;
        log.add(QStringLiteral("hook"));
    }
    void unwatchRepaints() override
    {
        hooked = false;
        log.add(QStringLiteral("unhook"));
    }
    void setPlaceChecks(int p) override { placeChecks = p; }
    void popupMenu() override
    {
        ++menus;
        log.add(QStringLiteral("menu"));
    }
    void showAbout() override { ++abouts; }
    void openSettings(bool) override { ++settingsOpened; }
    void quitCommand() override
    {
        ++quits;
        log.add(QStringLiteral("quit"));
    }
    void showAlarmWindow(const AlarmNotice &n) override
    {
        alarmOpen = true;
        alarmBeeps = n.beep;
        notice = n;
        ++alarmShows;
        log.add(QStringLiteral("alarm.show"));
    }
    // The stop window's buttons.
    void pressStop() { unloadAlarm(false); }
    void pressSnooze() { unloadAlarm(true); }
    void unloadAlarm(bool snooze)
    {
        if (!alarmOpen)
            return;
        alarmOpen = false;
        log.add(QStringLiteral("alarm.unload"));
        if (onUnloadAlarm)
            onUnloadAlarm(snooze);
    }
    void endProgramNow() override
    {
        ++ended;
        log.add(QStringLiteral("end"));
    }
    QString pictureField;
    QString facePictureField() const override { return pictureField; }
    void setFacePictureField(const QString &path) override { pictureField = path; }
};

// Everything wired together around one Clock. The settings live in memory
// unless a test hands in a store of its own; the program's folder is a new
// empty one unless a test names one.
struct Rig {
    QTemporaryDir ownDir;
    Log log;
    FakeTime time;
    FakeInput input;
    FakeScreen screen;
    FakeMessages msg{log};
    FakeWindow window{log};
    FakeTimer timer{log};
    MemoryStore store{log};
    FakeLauncher launcher;
    FakeTray tray{log};
    FakeSound sound{log};
    FakePower power{log};
    FakeChoosers choose;
    FakeWake wake{log};
    MemoryState state;
    FakeUi ui{log};
    QString appDir;
    Platform platform; // after the fakes it refers to
    Clock clock;       // after the platform it uses

    // A store, a sound output or a power control of its own in place of the
    // memory store, the fake sound or the fake power; the test wires a sound
    // output or a power control of its own itself.
    explicit Rig(const QString &dir = {}, SettingsStore *otherStore = nullptr, SoundOutput *otherSound = nullptr,
                 PowerControl *otherPower = nullptr)
        : appDir(dir.isEmpty() ? ownDir.path() : dir)
        , platform{time,
                   input,
                   screen,
                   msg,
                   window,
                   timer,
                   otherStore ? *otherStore : store,
                   launcher,
                   tray,
                   otherSound ? *otherSound : sound,
                   otherPower ? *otherPower : power,
                   choose,
                   wake,
                   state,
                   appDir}
        , clock(platform, ui)
    {
        // Wired as the program wires them.
        sound.finished = [this] { clock.schedule().soundDone(); };
        power.done = [this](bool ok, const QString &error) { clock.schedule().powerOffAnswered(ok, error); };
        power.resumed = [this] { clock.resumed(); };
        ui.onUnloadAlarm = [this](bool snooze) {
            if (snooze)
                clock.schedule().snoozeAlarm();
            else
                clock.schedule().stopAlarm();
        };
    }

    // Working settings by store key and stored text, as a store would hand them
    // over; the alarm times follow.
    void set(const QList<QPair<QString, QString>> &values)
    {
        for (const auto &[key, text] : values) {
            const auto &fields = settingFields();
            const auto f = std::find_if(fields.begin(), fields.end(),
                                        [&key](const SettingField &x) { return key == QLatin1String(x.key); });
            QVERIFY2(f != fields.end(), qPrintable(key));
            QVERIFY2(setFieldFromText(clock.settings(), *f, text), qPrintable(key + QLatin1Char('=') + text));
        }
        clock.applyAlarmTimes();
    }

    // Advances the fake clock by `ms` in 250 ms ticks, ticking at each; `afterTick`
    // may look at every one. The wall time is kept as UTC so that a simulated week
    // of ticks does no time-zone work.
    void run(qint64 ms, const std::function<void()> &afterTick = {})
    {
        time.t = QDateTime(time.t.date(), time.t.time(), Qt::UTC);
        for (qint64 t = 0; t < ms; t += 250) {
            time.t = time.t.addMSecs(250);
            time.mono += 250;
            clock.onTick();
            if (afterTick)
                afterTick();
        }
    }
};

} // namespace dv::test
