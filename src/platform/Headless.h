// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A platform without a display, for the snapshot command: the real time and
// store, a window that only keeps its geometry, and nothing else.

#include "platform/Platform.h"
#include "platform/QSettingsStore.h"
#include "platform/QtPlatform.h"
#include "platform/XdgStateFile.h"

namespace dv {

class HeadlessWindow final : public ClockWindowOps {
public:
    void setCaption(const QString &) override { }
    void setSizePx(int w, int h) override { m_rect.setSize({w, h}); }
    void setCircleShape(int) override { }
    void movePx(int x, int y) override { m_rect.moveTo(x, y); }
    QRect screenRect() const override { return m_rect; }
    void showNoActivate(bool) override { }
    void hideNoActivate() override { }
    void setTopMost(bool) override { }
    void present(const Face &) override { }
    ScreenGrab grabScreen(const QRect &) override { return {}; }
    void dragMove() override { }
    ActiveWindow activeWindow() const override { return {}; }
    bool windowShown(quint64) const override { return false; }
    bool canSeeThrough() const override { return false; }
    void setSeeThrough(bool) override { }
    qreal pixelRatio() const override { return 1.0; } // snapshots paint at 1:1

private:
    QRect m_rect{0, 0, 120, 120};
};

class HeadlessScreen final : public ScreenInfo {
public:
    // A 4K screen bounds a hand-edited clock size, and so the snapshot's image.
    QSize sizePx() const override { return {3840, 2160}; }
    QList<QRect> monitorsPx() const override { return {QRect(QPoint(0, 0), sizePx())}; }
    QList<QRect> workAreasPx() const override { return monitorsPx(); }
    double twipsPerPixelX() const override { return 15.0; }
    double twipsPerPixelY() const override { return 15.0; }
};

class NoInput final : public InputState {
public:
    QPoint cursorPos() const override { return {-1, -1}; }
    bool shiftHeld() const override { return false; }
    bool ctrlHeld() const override { return false; }
    bool pushesChanges(bool) const override { return false; }
    void watchPointer(bool) override { }
};

class SilentMessages final : public MessageBoxes {
public:
    void inform(const QString &) override { }
    void ask(const QString &, std::function<void(Answer)> answered, bool, bool) override
    {
        if (answered)
            answered(Answer::No);
    }
    // NOLINTNEXTLINE(performance-unnecessary-value-param)
    void whenAllClosed(std::function<void()> then) override { then(); }
    void keepClearOf(const QRect &) override { }
    void beep() override { }
};

class NoTimer final : public TickTimer {
public:
    void setEnabled(bool) override { }
    bool isEnabled() const override { return false; }
    void setQuarters(bool) override { }
    void tickSoon() override { }
};

class NoLauncher final : public Launcher {
public:
    bool openDateTimeSettings() override { return false; }
    // NOLINTNEXTLINE(performance-unnecessary-value-param)
    void openFile(const QString &, std::function<void(bool)> opened) override { opened(false); }
};

class NoTray final : public Tray {
public:
    void add(const QString &) override { }
    void modify(const QString &) override { }
    void remove() override { }
    bool hosted() const override { return false; }
};

class NoSound final : public SoundOutput {
public:
    bool play(const QString &, const QString &, const SoundLevel &) override { return false; }
    void stop() override { }
    bool isPlaying() const override { return false; }
    bool isSilent() const override { return true; }
    bool endedAtOnce() const override { return true; }
};

class NoPower final : public PowerControl {
public:
    void requestPowerOff() override { }
    void holdOffSleep(bool) override { }
    void holdSleepDelay(bool) override { }
};

// Nothing headless is ever armed to wake the machine.
class NoWakeTimer final : public WakeTimer {
public:
    Availability availability() const override { return Availability::NoWakeClock; }
    bool arm(const QDateTime &) override { return false; }
    void disarm() override { }
};

class NoChoosers final : public Choosers {
public:
    std::optional<quint32> color(quint32) override { return std::nullopt; }
    std::optional<QString> openFile(const FileChoice &) override { return std::nullopt; }
};

// All of it together: the real time and store, and nothing to show.
struct HeadlessPlatform {
    SystemTime time;
    NoInput input;
    HeadlessScreen screen;
    SilentMessages msg;
    HeadlessWindow window;
    NoTimer timer;
    QSettingsStore store;
    NoLauncher launcher;
    NoTray tray;
    NoSound sound;
    NoPower power;
    NoChoosers choose;
    NoWakeTimer wake;
    XdgStateFile state;
    Platform platform;
    explicit HeadlessPlatform(const QString &appDir)
        : platform{time, input, screen, msg,    window, timer, store, launcher,
                   tray, sound, power,  choose, wake,   state, appDir}
    {
    }
};

} // namespace dv
