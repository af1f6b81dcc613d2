// SPDX-License-Identifier: GPL-3.0-or-later
// The real clock on a real X server: one clock per display, and a polite
// signal ends it at once while an alarm sounds.

#include "FileBytes.h"
#include "XTools.h"

#include <QTemporaryDir>
#include <QtTest>

#include <xcb/xcb.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <sys/timerfd.h>
#include <unistd.h>

using namespace dv::xt;

namespace {
QString title(const QString &win)
{
    return run(QStringLiteral("xprop"), {QStringLiteral("-id"), win, QStringLiteral("_NET_WM_NAME")});
}
// The process's window whose title holds `text`, or empty.
QString windowTitled(qint64 pid, const QString &text)
{
    for (const QString &w : windowsOf(pid))
        if (title(w).contains(text))
            return w;
    return QString();
}
// The first alarm at 07:30 with a WAV file that plays for a minute, then `more`.
bool writeLongAlarm(ClockProcess &clock, const QString &more = {})
{
    const QString path = clock.config.filePath(QStringLiteral("long.wav"));
    const quint32 rate = 8000, n = 60 * rate;
    QByteArray w;
    QDataStream d(&w, QIODevice::WriteOnly);
    d.setByteOrder(QDataStream::LittleEndian);
    d.writeRawData("RIFF", 4);
    d << quint32(36 + n);
    d.writeRawData("WAVEfmt ", 8);
    d << quint32(16) << quint16(1) << quint16(1) << rate << rate << quint16(1) << quint16(8);
    d.writeRawData("data", 4);
    d << n;
    w.append(QByteArray(int(n), char(0x80))); // 8-bit silence
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(w) != w.size())
        return false;
    clock.writeSettings(QStringLiteral("AlarmTime1=07:30\nAlarmSound1=%1\n").arg(path) + more);
    return true;
}
// A window over the whole screen that asks to be full-screen, as a video
// player's does: one colour, which the server paints by itself.
struct FullScreenWindow {
    static constexpr QRgb colour = 0xff00ff;
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    xcb_window_t id = 0;
    FullScreenWindow()
    {
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        id = xcb_generate_id(c);
        const uint32_t background = colour;
        xcb_create_window(c, XCB_COPY_FROM_PARENT, id, screen->root, 0, 0, screen->width_in_pixels,
                          screen->height_in_pixels, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                          XCB_CW_BACK_PIXEL, &background);
        const xcb_atom_t state = atom("_NET_WM_STATE"), full = atom("_NET_WM_STATE_FULLSCREEN");
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32, 1, &full);
        xcb_map_window(c, id);
        xcb_flush(c);
    }
    ~FullScreenWindow() { xcb_disconnect(c); }
    xcb_atom_t atom(const char *name)
    {
        auto *r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
        const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(r);
        return a;
    }
    bool active() { return xdotool({QStringLiteral("getactivewindow")}) == QString::number(id); }
};
// The remaining time of each timer on the clock that wakes a suspended
// machine (clock id 8) that the process holds, in seconds.
QList<double> wakeTimersOf(qint64 pid)
{
    QList<double> found;
    const QDir fds(QStringLiteral("/proc/%1/fdinfo").arg(pid));
    for (const QString &fd : fds.entryList(QDir::Files)) {
        QFile f(fds.filePath(fd));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QString info = QString::fromLatin1(f.readAll());
        static const QRegularExpression value(QStringLiteral("it_value: \\((\\d+), (\\d+)\\)"));
        const QRegularExpressionMatch m = value.match(info);
        if (info.contains(QLatin1String("clockid: 8")) && m.hasMatch())
            found << m.captured(1).toDouble() + m.captured(2).toDouble() / 1e9;
    }
    return found;
}
// What the process has written to its standard error since the last look.
QByteArray newErrors(QProcess &proc)
{
    proc.setReadChannel(QProcess::StandardError);
    proc.waitForReadyRead(200);
    return proc.readAllStandardError();
}
// Session buses and their launchers running on this display.
QStringList busesOnThisDisplay()
{
    QStringList found;
    const QByteArray display = "DISPLAY=" + qgetenv("DISPLAY") + '\0';
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile cmd(QStringLiteral("/proc/%1/cmdline").arg(pid)), env(QStringLiteral("/proc/%1/environ").arg(pid));
        if (!cmd.open(QIODevice::ReadOnly) || !env.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = cmd.readAll();
        if ((line.contains("dbus-launch") || line.contains("dbus-daemon"))
            && ('\0' + env.readAll()).contains('\0' + display))
            found << pid;
    }
    return found;
}
} // namespace

class TestX11Alarm : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void twoStartsLeaveOneClock_data();
    void twoStartsLeaveOneClock();
    void unusableLockIsTold_data();
    void unusableLockIsTold();
    void sigtermEndsTheClockWhileAnAlarmSounds();
    void stopWindowShowsOverAFullScreenWindow();
    void openMenuGoesWhenTheAlarmRings();
    void commandLineReachesTheRunningClock();
    void wakeTimerArmedAMinuteEarly();
    void withoutTheCapabilityItSaysSoAndRings();
    void alarmOutlivesTheClock_data();
    void alarmOutlivesTheClock();
    void snoozeCountsRealTime();

private:
    QString m_sessionBus;
    qint64 m_busPid = 0;
};

void TestX11Alarm::initTestCase()
{
    // A session bus of our own, so the clocks never meet the desktop's.
    QProcess bus;
    bus.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--fork"),
                                              QStringLiteral("--print-address=1"), QStringLiteral("--print-pid=1")});
    QVERIFY(bus.waitForFinished(10000));
    const QStringList out = QString::fromUtf8(bus.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(out.size(), 2);
    m_sessionBus = out.at(0).trimmed();
    m_busPid = out.at(1).trimmed().toLongLong();
}

void TestX11Alarm::cleanupTestCase()
{
    if (m_busPid > 0)
        ::kill(pid_t(m_busPid), SIGTERM);
}

void TestX11Alarm::twoStartsLeaveOneClock_data()
{
    QTest::addColumn<QString>("bus"); // ours, "disabled:", or no address at all: the lock alone
    QTest::addColumn<QString>("args");
    QTest::newRow("session bus") << QString("ours") << QString();
    QTest::newRow("runtime lock, no bus") << QString("disabled:") << QString();
    QTest::newRow("no bus address: none is started") << QString() << QString();
    QTest::newRow("-delreg is told, not done") << QString("ours") << QString("-delreg");
}

void TestX11Alarm::twoStartsLeaveOneClock()
{
    QFETCH(QString, bus);
    QFETCH(QString, args);
    const bool sessionBus = bus == "ours";
    if (bus.isEmpty())
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    else
        qputenv("DBUS_SESSION_BUS_ADDRESS", sessionBus ? m_sessionBus.toUtf8() : bus.toUtf8());
    const QStringList busesBefore = busesOnThisDisplay();
    ClockProcess first;
    first.writeSettings(QStringLiteral("FormLeft=1500\nFormTop=1500\n"));
    first.start();
    QVERIFY(!first.clockWindow().isEmpty());
    QCOMPARE(busesOnThisDisplay(), busesBefore);
    const QByteArray storeBefore = readFile(first.confPath());
    QVERIFY(storeBefore.startsWith("[General]"));

    ClockProcess second; // on the first one's store
    second.extraEnv.insert(QStringLiteral("XDG_CONFIG_HOME"), first.config.path());
    second.start(args.isEmpty() ? QStringList() : QStringList{args});
    QString box;
    auto told = [&] {
        return !(box = windowTitled(second.proc.processId(), QStringLiteral("Dialvane Ver.2.00"))).isEmpty();
    };
    if (!args.isEmpty()) {
        // It says why it does nothing, and the running clock's store stays.
        QVERIFY(waitFor(told));
        QCOMPARE(readFile(first.confPath()), storeBefore);
        second.proc.kill();
        second.proc.waitForFinished();
    } else {
        if (!sessionBus) {
            // Nothing to ask the running clock over: the user is told where it is.
            QVERIFY(waitFor(told));
            xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), box});
            xdotool({QStringLiteral("key"), QStringLiteral("Return")});
        }
        QVERIFY(second.proc.waitForFinished(10000));
        QCOMPARE(second.proc.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.proc.exitCode(), 0);
    }
    QCOMPARE(first.proc.state(), QProcess::Running);
    QCOMPARE(busesOnThisDisplay(), busesBefore);
    // Asked over the bus, the running clock opens its settings (and steps
    // aside while they are open); without a bus it goes on as it was.
    if (!sessionBus || !args.isEmpty()) {
        QCOMPARE(windowsOf(first.proc.processId(), QSize(120, 120)).size(), 1);
        return;
    }
    QString dialog;
    QVERIFY(waitFor(
        [&] { return !(dialog = windowTitled(first.proc.processId(), QStringLiteral("時計の設定"))).isEmpty(); }));
    // An edit left in the dialog, then SIGTERM: it ends at once, asks nothing
    // and saves nothing.
    xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), dialog});
    xdotool({QStringLiteral("type"), QStringLiteral("99")});
    QElapsedTimer t;
    t.start();
    ::kill(pid_t(first.proc.processId()), SIGTERM);
    QVERIFY(first.proc.waitForFinished(5000));
    QVERIFY2(t.elapsed() < 1000, qPrintable(QString::number(t.elapsed())));
    QCOMPARE(first.proc.exitCode(), 0);
    QCOMPARE(readFile(first.confPath()), storeBefore);
}

void TestX11Alarm::unusableLockIsTold_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("a folder") << "folder";
    QTest::newRow("a link loop") << "loop";
    QTest::newRow("a dangling link") << "dangling";
    // The runtime folder itself, not the lock in it.
    QTest::newRow("a runtime folder that is a file") << "runtime file";
    QTest::newRow("another user's runtime folder") << "runtime of another";
}

void TestX11Alarm::unusableLockIsTold()
{
    QFETCH(QString, kind);
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    const QString lock = qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/dialvane-")
                         + qEnvironmentVariable("DISPLAY").replace(QRegularExpression("[^A-Za-z0-9]"), "_")
                         + QStringLiteral(".lock");
    const QString target = qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/elsewhere");
    QDir().rmdir(lock); // what an earlier case left
    QFile::remove(lock);
    QTemporaryDir elsewhere;
    const QString other = elsewhere.filePath(QStringLiteral("run"));
    if (kind == "runtime file")
        QVERIFY(QFile(other).open(QIODevice::WriteOnly));
    else if (kind == "runtime of another")
        QVERIFY(QDir().mkdir(other) && ::chown(QFile::encodeName(other).constData(), 65534, 65534) == 0);
    else if (kind == "folder")
        QVERIFY(QDir().mkdir(lock));
    else if (!kind.startsWith("runtime"))
        QVERIFY(QFile::link(kind == "loop" ? lock : target, lock));
    ClockProcess clock;
    if (kind.startsWith("runtime"))
        clock.extraEnv.insert(QStringLiteral("XDG_RUNTIME_DIR"), other);
    clock.start();
    // The clock runs, and says that nothing keeps a second one out.
    QVERIFY(!clock.clockWindow().isEmpty());
    QVERIFY(
        waitFor([&] { return !windowTitled(clock.proc.processId(), QStringLiteral("Dialvane Ver.2.00")).isEmpty(); }));
    QVERIFY(!QFileInfo::exists(target));
    clock.proc.kill();
    clock.proc.waitForFinished();
    if (kind == "folder")
        QDir().rmdir(lock);
    else
        QFile::remove(lock);
}

void TestX11Alarm::sigtermEndsTheClockWhileAnAlarmSounds()
{
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_sessionBus.toUtf8());
    ClockProcess clock;
    // A 60 s alarm sound, due two seconds after the start.
    QVERIFY(writeLongAlarm(clock, QStringLiteral("FormLeft=1500\nFormTop=1500\n")));
    const QByteArray stored = readFile(clock.confPath());
    QVERIFY(stored.startsWith("[General]"));
    clock.startAt(QStringLiteral("2026-12-07 07:29:58"));
    QVERIFY(!clock.clockWindow().isEmpty());
    // The stop window: the sound has started, and plays for a minute.
    QVERIFY(waitFor([&] { return !windowsOf(clock.proc.processId(), QSize(240, 112)).isEmpty(); }));
    QVERIFY(waitFor([&] { return childNamed(clock.proc.processId(), "dialvane-sound") > 0; }));
    QElapsedTimer t;
    t.start();
    ::kill(pid_t(clock.proc.processId()), SIGTERM);
    QVERIFY(clock.proc.waitForFinished(5000));
    const qint64 took = t.elapsed();
    qInfo("ended %lld ms after SIGTERM", took);
    QVERIFY2(took < 1000, qPrintable(QString::number(took)));
    QCOMPARE(clock.proc.exitStatus(), QProcess::NormalExit);
    QCOMPARE(clock.proc.exitCode(), 0);
    QCOMPARE(readFile(clock.confPath()), stored); // no question, no save
}

void TestX11Alarm::stopWindowShowsOverAFullScreenWindow()
{
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_sessionBus.toUtf8());
    ClockProcess clock;
    QVERIFY(writeLongAlarm(clock));
    clock.startAt(QStringLiteral("2026-12-07 07:29:54"));
    QVERIFY(!clock.clockWindow().isEmpty());
    // The user watches a video when the alarm rings.
    FullScreenWindow video;
    QVERIFY(waitFor([&] { return video.active(); }));
    QString stop;
    QVERIFY(waitFor([&] {
        stop = windowsOf(clock.proc.processId(), QSize(240, 112)).value(0);
        return !stop.isEmpty();
    }));
    // Its pixels are on the screen through two flashes, and the video keeps the focus.
    const QRect r = geometry(stop);
    QImage shot = screenshot().copy(r);
    for (int flash = 0; flash < 2; ++flash) {
        const QImage before = shot;
        QVERIFY2(waitFor([&] { return (shot = screenshot().copy(r)) != before; }, 3000), "no flash on the screen");
    }
    int covered = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            covered += (shot.pixel(x, y) & 0xffffff) == FullScreenWindow::colour;
    QVERIFY2(covered * 20 < r.width() * r.height(),
             qPrintable(QStringLiteral("%1 of %2 pixels are the video's").arg(covered).arg(r.width() * r.height())));
    QVERIFY(video.active());
    // Its stop button takes a click.
    xdotool({QStringLiteral("mousemove"), QString::number(r.x() + 78), QString::number(r.y() + 86),
             QStringLiteral("click"), QStringLiteral("1")});
    QVERIFY(waitFor([&] { return windowsOf(clock.proc.processId(), QSize(240, 112)).isEmpty(); }));
    QCOMPARE(clock.proc.state(), QProcess::Running);
}

void TestX11Alarm::openMenuGoesWhenTheAlarmRings()
{
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_sessionBus.toUtf8());
    ClockProcess clock;
    QVERIFY(writeLongAlarm(clock));
    clock.startAt(QStringLiteral("2026-12-07 07:29:50"));
    const QString win = clock.clockWindow();
    QVERIFY(!win.isEmpty());
    const qint64 pid = clock.proc.processId();
    // The tray menu is open when the alarm rings.
    QString icon;
    QVERIFY2(waitFor([&] {
                 for (const QString &w : windowsOf(pid))
                     if (w != win && geometry(w).width() <= 48)
                         icon = w;
                 return !icon.isEmpty();
             }),
             "no tray icon");
    const qsizetype before = windowsOf(pid).size();
    xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), icon, QStringLiteral("5"), QStringLiteral("5"),
             QStringLiteral("click"), QStringLiteral("3")});
    QVERIFY2(waitFor([&] { return windowsOf(pid).size() > before; }, 3000), "the menu did not open");
    QVERIFY2(windowsOf(pid, QSize(240, 112)).isEmpty(), "the alarm rang before the menu opened");
    QString stop;
    QVERIFY(waitFor([&] { return !(stop = windowsOf(pid, QSize(240, 112)).value(0)).isEmpty(); }, 15000));
    // One click on its stop button stops it.
    const QRect r = geometry(stop);
    xdotool({QStringLiteral("mousemove"), QString::number(r.x() + 78), QString::number(r.y() + 86),
             QStringLiteral("click"), QStringLiteral("1")});
    QVERIFY2(waitFor([&] { return windowsOf(pid, QSize(240, 112)).isEmpty(); }, 3000),
             "the click only closed the menu");
}

// dialvane --stop, --snooze or --next, from a start with an empty store of its
// own: what it answers comes from the running clock. Its exit status.
// Asks from the command line, on an empty store or on `as`'s (with its wall clock).
static int askClock(const QString &option, QString *out, QString *err = nullptr, const ClockProcess *as = nullptr)
{
    QTemporaryDir emptyStore;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), emptyStore.path());
    env.insert(QStringLiteral("XDG_STATE_HOME"), emptyStore.path());
    if (as) {
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), as->config.path());
        env.insert(QStringLiteral("XDG_STATE_HOME"), as->config.path() + QStringLiteral("/state"));
        for (auto i = as->extraEnv.cbegin(); i != as->extraEnv.cend(); ++i)
            env.insert(i.key(), i.value());
    }
    p.setProcessEnvironment(env);
    p.start(qEnvironmentVariable("DIALVANE_BUILD_DIR") + QStringLiteral("/dialvane"), {option});
    p.waitForFinished(10000);
    *out = QString::fromUtf8(p.readAllStandardOutput());
    if (err)
        *err = QString::fromUtf8(p.readAllStandardError());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

void TestX11Alarm::commandLineReachesTheRunningClock()
{
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_sessionBus.toUtf8());
    ClockProcess clock;
    QVERIFY(writeLongAlarm(clock, QStringLiteral("AlarmSnooze1=1\nAlarmTime2=08:15\nAlarmMessage2=会議\n")));
    clock.startAt(QStringLiteral("2026-12-07 07:29:58")); // a Monday
    QVERIFY(!clock.clockWindow().isEmpty());
    auto ringing = [&] { return !windowsOf(clock.proc.processId(), QSize(240, 112)).isEmpty(); };
    QVERIFY(waitFor(ringing));
    QString out, err;
    auto ask = [&](const QString &option) { return askClock(option, &out, &err); };
    QCOMPARE(ask(QStringLiteral("--next")), 0);
    QCOMPARE(out, QStringLiteral("next alarm: 2026-12-07 Mon 08:15\nmessage: 会議\nwakes the machine: no\n"));
    QCOMPARE(ask(QStringLiteral("--snooze")), 0);
    QCOMPARE(out, QString());
    QVERIFY(waitFor([&] { return !ringing(); }, 3000));
    QCOMPARE(ask(QStringLiteral("--next")), 0); // the snooze comes first
    QCOMPARE(out, QStringLiteral("next alarm: 2026-12-07 Mon 07:31\nwakes the machine: no\n"));
    // Its own snooze of a minute: it rings again.
    QVERIFY(waitFor(ringing, 70000));
    QCOMPARE(ask(QStringLiteral("--stop")), 0);
    QVERIFY(waitFor([&] { return !ringing(); }, 3000));
    QCOMPARE(ask(QStringLiteral("--stop")), 0);
    QCOMPARE(out, QStringLiteral("no alarm is ringing\n"));
    clock.proc.kill();
    clock.proc.waitForFinished();
    QCOMPARE(ask(QStringLiteral("--snooze")), 1);
    QVERIFY2(err.startsWith(QStringLiteral("dialvane: ")) && err.count(QLatin1Char('\n')) == 1, qPrintable(err));
    QCOMPARE(ask(QStringLiteral("--next")), 0);
    QCOMPARE(out, QStringLiteral("no alarm is on\n")); // its own empty store
}

void TestX11Alarm::wakeTimerArmedAMinuteEarly()
{
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_sessionBus.toUtf8());
    // The real wall clock: the kernel's timer counts on it, not on a faked one.
    const QDateTime now = QDateTime::currentDateTime();
    QDateTime alarm = now.addSecs(600);
    alarm.setTime(QTime(alarm.time().hour(), alarm.time().minute()));
    ClockProcess clock;
    clock.channels = QProcess::SeparateChannels;
    clock.writeSettings(QStringLiteral("AlarmTime1=%1\nAlarmWake1=True\n").arg(alarm.toString("HH:mm")));
    clock.start();
    QVERIFY(!clock.clockWindow().isEmpty());
    const int probe = timerfd_create(CLOCK_REALTIME_ALARM, TFD_CLOEXEC);
    if (probe < 0) {
        // This machine lets no process wake it: the clock must say so, and hold no timer.
        QByteArray told;
        QVERIFY(waitFor([&] { return (told += newErrors(clock.proc)).contains("dialvane: "); }));
        QCOMPARE(wakeTimersOf(clock.proc.processId()), QList<double>());
        return;
    }
    ::close(probe);
    const double expected = double(now.msecsTo(alarm) - 60000) / 1000;
    QList<double> timers;
    QVERIFY(waitFor([&] { return (timers = wakeTimersOf(clock.proc.processId())).size() == 1; }));
    QVERIFY2(std::abs(timers.first() - expected) < 5,
             qPrintable(QStringLiteral("%1 s left, %2 s expected").arg(timers.first()).arg(expected)));
    QVERIFY(!newErrors(clock.proc).contains("dialvane: ")); // no word of a wake it cannot arm
    QString out;
    QCOMPARE(askClock(QStringLiteral("--next"), &out), 0);
    QVERIFY2(out.endsWith(QStringLiteral("wakes the machine: yes\n")), qPrintable(out));
}

void TestX11Alarm::withoutTheCapabilityItSaysSoAndRings()
{
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_sessionBus.toUtf8());
    ClockProcess clock;
    clock.channels = QProcess::SeparateChannels;
    clock.writeSettings(QStringLiteral("AlarmTime1=07:30\nAlarmWake1=True\n"));
    clock.fakeWallClock(QStringLiteral("2026-12-07 07:29:56"));
    clock.start({QStringLiteral("--bounding-set=-wake_alarm"), QStringLiteral("--inh-caps=-wake_alarm"),
                 qEnvironmentVariable("DIALVANE_BUILD_DIR") + QStringLiteral("/dialvane")},
                QStringLiteral("setpriv"));
    QByteArray told;
    QVERIFY(waitFor([&] { return (told += newErrors(clock.proc)).contains("dialvane: "); }));
    QVERIFY2(told.contains("dialvane: スリープから起こせません（権限がありません）\n"), told.constData());
    QCOMPARE(wakeTimersOf(clock.proc.processId()), QList<double>());
    QString out;
    QCOMPARE(askClock(QStringLiteral("--next"), &out), 0);
    QVERIFY2(out.endsWith(QStringLiteral("wakes the machine: no (the wake-up could not be armed)\n")), qPrintable(out));
    // And the alarm rings all the same: its stop window.
    QVERIFY(waitFor([&] { return !windowsOf(clock.proc.processId(), QSize(240, 112)).isEmpty(); }));
}

void TestX11Alarm::alarmOutlivesTheClock_data()
{
    QTest::addColumn<bool>("snoozed"); // else quit the evening before
    QTest::newRow("quit the evening before, started 5 min late") << false;
    QTest::newRow("killed during a snooze, started again") << true;
}

void TestX11Alarm::alarmOutlivesTheClock()
{
    QFETCH(bool, snoozed);
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_sessionBus.toUtf8());
    ClockProcess clock;
    QVERIFY(writeLongAlarm(clock, QStringLiteral("AlarmSnooze1=1\n")));
    auto ringing = [&] { return !windowsOf(clock.proc.processId(), QSize(240, 112)).isEmpty(); };
    QString out;
    clock.startAt(snoozed ? QStringLiteral("2026-12-07 07:29:58") : QStringLiteral("2026-12-06 22:00:00"));
    QVERIFY(!clock.clockWindow().isEmpty());
    if (snoozed) {
        QVERIFY(waitFor(ringing));
        QCOMPARE(askClock(QStringLiteral("--snooze"), &out), 0);
        QVERIFY(waitFor([&] { return !ringing(); }, 3000));
        clock.proc.kill();
        QVERIFY(clock.proc.waitForFinished());
        // With no clock running, --next reads what it left.
        clock.fakeWallClock(QStringLiteral("2026-12-07 07:30:30"));
        QCOMPARE(askClock(QStringLiteral("--next"), &out, nullptr, &clock), 0);
        QCOMPARE(out, QStringLiteral("next alarm: 2026-12-07 Mon 07:31\nwakes the machine: no\n"));
        clock.startAt(QStringLiteral("2026-12-07 07:30:40"));
    } else {
        QTest::qWait(1500); // a tick or two
        ::kill(pid_t(clock.proc.processId()), SIGTERM);
        QVERIFY(clock.proc.waitForFinished());
        QVERIFY(QFileInfo(clock.config.path() + QStringLiteral("/state/MOKU/DIALVANE.state")).isFile());
        clock.startAt(QStringLiteral("2026-12-07 07:35:00"));
    }
    QVERIFY(!clock.clockWindow().isEmpty());
    QVERIFY(waitFor(ringing, 40000));
}

void TestX11Alarm::snoozeCountsRealTime()
{
    // A minute's snooze rings after its minute whatever the wall clock does:
    // set an hour forward during one snooze, and back during the next.
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_sessionBus.toUtf8());
    ClockProcess clock;
    QVERIFY(writeLongAlarm(clock, QStringLiteral("AlarmSnooze1=1\n")));
    const QString wall = clock.config.filePath(QStringLiteral("wall-offset"));
    const qint64 offset = QDateTime(QDate(2026, 12, 7), QTime(7, 29, 57)).toSecsSinceEpoch()
                          - QDateTime::currentSecsSinceEpoch();
    auto setWall = [&](qint64 secs) {
        QFile f(wall);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray(secs < 0 ? "" : "+") + QByteArray::number(secs) + '\n');
    };
    setWall(offset);
    clock.fakeWallClock(QString());
    clock.extraEnv.remove(QStringLiteral("FAKETIME"));
    clock.extraEnv.insert(QStringLiteral("FAKETIME_TIMESTAMP_FILE"), wall);
    clock.extraEnv.insert(QStringLiteral("FAKETIME_CACHE_DURATION"), QStringLiteral("1"));
    clock.start();
    QVERIFY(!clock.clockWindow().isEmpty());
    auto ringing = [&] { return !windowsOf(clock.proc.processId(), QSize(240, 112)).isEmpty(); };
    QVERIFY(waitFor(ringing));
    QString out;
    for (const qint64 moved : {offset + 3600, offset}) {
        QCOMPARE(askClock(QStringLiteral("--snooze"), &out), 0);
        QElapsedTimer snoozed;
        snoozed.start();
        QVERIFY(waitFor([&] { return !ringing(); }, 3000));
        setWall(moved);
        QVERIFY2(waitFor(ringing, 75000), qPrintable(QString::number(moved - offset)));
        QVERIFY2(snoozed.elapsed() > 55000, qPrintable(QString::number(snoozed.elapsed())));
    }
}

QTEST_GUILESS_MAIN(TestX11Alarm)
#include "tst_x11_alarm.moc"
