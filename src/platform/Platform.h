// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The outside world as the clock sees it. Each piece has a real Qt/X11
// implementation and a fake for tests; the clock receives them, never looks them up.
//
// These interfaces carry the calls the clock makes. What the outside world
// tells on its own (a sound ended, the machine woke, a key went down) the real
// classes emit as Qt signals, which app/ connects with a context object, so a
// connection goes when either end does; the fakes keep a plain std::function
// that the test rig sets. A call whose answer comes later takes its completion
// as a parameter (MessageBoxes::ask). Plain helpers that only their owner
// hears (x11::ModifierWatch) take a std::function from that owner.

#include <QDateTime>
#include <QImage>
#include <QList>
#include <QPair>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace dv {

struct Face;

class TimeSource {
public:
    virtual ~TimeSource() = default;
    virtual QDateTime now() const = 0; // local wall-clock time
    // The same instant without the time zone's work; its second of the minute is
    // the local one, zones being whole minutes apart.
    virtual qint64 msecsSinceEpoch() const = 0;
    // A clock that only runs forward, whatever is done to the wall clock, and
    // runs on through a suspend: what a snooze counts on.
    virtual qint64 monotonicMsecs() const = 0;
};

class InputState {
public:
    virtual ~InputState() = default;
    virtual QPoint cursorPos() const = 0; // screen pixels
    virtual bool shiftHeld() const = 0;
    virtual bool ctrlHeld() const = 0;
    // Whether `changed` comes for every change that could put the clock out of
    // the way: Shift and Ctrl, and with `pointer` the pointer's moves too.
    // Where it does not, the clock asks four times a second instead.
    virtual bool pushesChanges(bool pointer) const = 0;
    // Follow the pointer's moves (for hiding under it) or stop.
    virtual void watchPointer(bool on) = 0;
};

class ScreenInfo {
public:
    virtual ~ScreenInfo() = default;
    virtual QSize sizePx() const = 0; // the whole primary screen
    // Each monitor's rectangle on the desktop, in pixels.
    virtual QList<QRect> monitorsPx() const = 0;
    // The part of each monitor (same order) that panels leave free: the work area.
    virtual QList<QRect> workAreasPx() const = 0;
    virtual double twipsPerPixelX() const = 0; // 1440 / logical DPI: 15 at 96 DPI
    virtual double twipsPerPixelY() const = 0;
};

// The per-user settings store: one text per key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<QString> read(const QString &key) const = 0;
    // Writes every pair at once; false when the store could not be written, in
    // which case what was stored before stays as it was.
    virtual bool writeAll(const QList<QPair<QString, QString>> &values) = 0;
    enum class RemoveResult { Removed, NothingStored, Failed };
    virtual RemoveResult removeAll() = 0;
    virtual QString location() const = 0;
    // What stands at the location, as far as reading it and saving over it go.
    enum class Condition {
        Fine,         // a store, or nothing yet
        Damaged,      // a store with lines that do not read: the rest is used
        NotAStore,    // junk, a file far too large, a link to anything but a store
        NotAFile,     // a FIFO, a device, a folder: not ours to move
        NoPermission, // there, but we may not read it
    };
    virtual Condition condition() const = 0;
    // Whether the settings are read from it; otherwise the defaults run.
    bool readable() const
    {
        const Condition c = condition();
        return c == Condition::Fine || c == Condition::Damaged;
    }
    // What holds no settings is moved out of the way and a damaged store is
    // copied, before anything can save: where it went, or nothing when that
    // could not be done (then no save replaces it).
    virtual std::optional<QString> setAside() = 0;
    // Where a save moved what others keep in the store (another tool's group,
    // the user's notes) because written back it would have made a store larger
    // than a start reads; nothing when no save has since it was last asked.
    virtual std::optional<QString> takeMovedAside() = 0;
};

// What the alarms must remember from one run of the clock to the next, kept
// apart from the settings: one small text, replaced whole.
class StateFile {
public:
    virtual ~StateFile() = default;
    // The text; nothing when none was ever written. A file there that cannot
    // be read gives nothing too, and says why in `problem`.
    virtual std::optional<QByteArray> read(QString &problem) const = 0;
    // The old text or the new one, never half of either; false when it could not be written.
    virtual bool write(const QByteArray &text) = 0;
    virtual void remove() = 0;
    virtual QString location() const = 0;
};

// Boxes never wait: each call returns at once, the boxes come one after the
// other, and the clock ticks, rings and answers its stop window meanwhile.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // OK only, no icon, the program's caption.
    virtual void inform(const QString &text) = 0;
    // What a question was answered with. Closed: Escape or the close box, where
    // the question lets them mean neither Yes nor No.
    enum class Answer { Yes, No, Closed };
    // Yes and No; `answered` comes when the user answers. With `closable`,
    // Escape and the close box answer Closed, otherwise No.
    virtual void ask(const QString &text, std::function<void(Answer)> answered, bool exclamation = false,
                     bool closable = false) = 0;
    // `then` runs once no box is open or waiting (at once when none is). Taken by
    // value: the real boxes keep it until then.
    virtual void whenAllClosed(std::function<void()> then) = 0;
    // Boxes stay clear of this rectangle of the screen (an empty one: anywhere).
    virtual void keepClearOf(const QRect &area) = 0;
    virtual void beep() = 0;
};

// The window in front (the one that has the focus), as the window system has it.
struct ActiveWindow {
    quint64 id = 0; // 0: none
    QRect rect;     // its outer rectangle on the screen, frame included
    bool isClock = false;
};

// The pixels of the screen behind the clock; steady when they stopped changing
// before the grab gave up waiting (a slow window may still have been painting).
// No image when it gave up still seeing only our own face.
struct ScreenGrab {
    QImage image;
    bool steady = true;
};

// What the clock does to its own window.
class ClockWindowOps {
public:
    virtual ~ClockWindowOps() = default;
    virtual void setCaption(const QString &text) = 0;
    virtual void setSizePx(int w, int h) = 0;
    virtual void setCircleShape(int side) = 0; // visible part: the circle inscribed in side x side
    virtual void movePx(int x, int y) = 0;
    virtual QRect screenRect() const = 0; // outer rectangle, screen pixels
    // Show without taking the focus; `raise` also brings it to the top.
    virtual void showNoActivate(bool raise) = 0;
    virtual void hideNoActivate() = 0;
    virtual void setTopMost(bool on) = 0;
    virtual void present(const Face &face) = 0; // show this frame whole
    // The pixels of the screen area, taken with the clock out of the way.
    virtual ScreenGrab grabScreen(const QRect &area) = 0;
    // A move loop under the pointer; returns when the button is released.
    virtual void dragMove() = 0;
    virtual ActiveWindow activeWindow() const = 0;
    // Whether a window seen in front before is still on the screen.
    virtual bool windowShown(quint64 id) const = 0;
    // Whether a compositor draws the screen, so that clear pixels of the
    // window show whatever is behind it, live.
    virtual bool canSeeThrough() const = 0;
    // Clear pixels of the faces presented from now on are see-through (or
    // the window is opaque again).
    virtual void setSeeThrough(bool on) = 0;
    // Device pixels per window pixel on the window's screen: the board
    // picture is decoded at the face's size in device pixels.
    virtual qreal pixelRatio() const = 0;
};

// The heartbeat: at the start of each wall-clock second, and with quarters on
// at each quarter of it as well.
class TickTimer {
public:
    virtual ~TickTimer() = default;
    virtual void setEnabled(bool on) = 0;
    virtual bool isEnabled() const = 0;
    virtual void setQuarters(bool on) = 0;
    // One tick more, a quarter second from now: something hid the window.
    virtual void tickSoon() = 0;
};

class Launcher {
public:
    virtual ~Launcher() = default;
    // The desktop's own date and time settings; false when none is installed.
    virtual bool openDateTimeSettings() = 0;
    // Returns at once; `opened` comes later, false when nothing could show it.
    virtual void openFile(const QString &path, std::function<void(bool)> opened) = 0;
};

// What a click on the tray icon asks for.
enum class TrayEvent {
    None,            // single clicks and the like
    MenuRequest,     // the right button over the icon
    DateTimeRequest, // a left double-click
};

class Tray {
public:
    virtual ~Tray() = default;
    virtual void add(const QString &tip) = 0;
    virtual void modify(const QString &tip) = 0;
    virtual void remove() = 0;
    // Whether a tray host shows the icon; without one the clock's right
    // button opens the tray's menu, the only way to its commands.
    virtual bool hosted() const = 0;
};

// How loud a play is: its volume, reached by a straight rise from silence
// over `fadeInMs`. A play may begin part way up that rise (`fadeDoneMs` of it
// behind it), so that an alarm whose sound repeats rises once over its ring
// rather than again at each repeat.
struct SoundLevel {
    int volume = 100; // percent
    int fadeInMs = 0;
    int fadeDoneMs = 0;
    bool operator==(const SoundLevel &) const = default;
};

// Plays one sound at a time; the end of each play is told once, on the GUI
// thread, and so is the player's start.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Returns at once: false when no player could be started. A file that
    // cannot be played ends later, as a play that endedAtOnce(). The kind of a
    // file is taken from its first bytes; `deviceType` ("WaveAudio" or
    // "Sequencer", from the name) is the fallback when they tell nothing.
    virtual bool play(const QString &file, const QString &deviceType, const SoundLevel &level) = 0;
    // At full volume, at once: the time signal.
    bool play(const QString &file, const QString &deviceType) { return play(file, deviceType, SoundLevel{}); }
    virtual void stop() = 0; // stops and closes; no completion for the stopped play
    virtual bool isPlaying() const = 0;
    // The current play reaches no speaker: no sound device could be opened,
    // and the play runs its time on a silent one.
    virtual bool isSilent() const = 0;
    // The last play came to its end at once (a file that holds no sound), or
    // its player broke off: either way, a sound nobody heard through.
    virtual bool endedAtOnce() const = 0;
};

// Asks the system to power off. The answer is told later, with an error in
// plain words when it failed; so is a resume, where the system tells of one.
class PowerControl {
public:
    virtual ~PowerControl() = default;
    virtual void requestPowerOff() = 0;
    // The machine does not sleep while an alarm rings: from holdOffSleep(true)
    // until holdOffSleep(false); either may come again while in force.
    virtual void holdOffSleep(bool hold) = 0;
    // Holds a suspend back until the clock has set its wake-up (on), or lets
    // it go. Told after the clock's own work for the coming sleep is done.
    virtual void holdSleepDelay(bool on) = 0;
};

// A timer that wakes a suspended machine at a wall-clock instant, where the
// system lets the clock have one. The real one tells when its instant came
// and when the wall clock was set (either way it wants arming again).
class WakeTimer {
public:
    enum class Availability {
        Available,
        NoPermission, // the process may not wake the machine
        NoWakeClock,  // nothing here can wake it
    };
    virtual ~WakeTimer() = default;
    virtual Availability availability() const = 0;
    // Armed for this instant, in place of any earlier one; false when it
    // could not be (then nothing is armed).
    virtual bool arm(const QDateTime &at) = 0;
    virtual void disarm() = 0;
};

// The system's colour and file choosers; nothing when the user cancels.
struct FileChoice {
    QString title;
    QStringList filters; // "description (*.a *.b)", each matched in any case
    QString defaultSuffix;
    QString folder; // where the chooser starts
};
class Choosers {
public:
    virtual ~Choosers() = default;
    virtual std::optional<quint32> color(quint32 current) = 0; // 0x00BBGGRR, starting at the current one
    virtual std::optional<QString> openFile(const FileChoice &choice) = 0;
};

// Everything the clock's subsystems reach the outside world through.
struct Platform {
    TimeSource &time;
    InputState &input;
    ScreenInfo &screen;
    MessageBoxes &msg;
    ClockWindowOps &window;
    TickTimer &timer;
    SettingsStore &store;
    Launcher &launcher;
    Tray &tray;
    SoundOutput &sound;
    PowerControl &power;
    Choosers &choose;
    WakeTimer &wake;
    StateFile &state;
    QString appDir; // the program's folder
};

} // namespace dv
