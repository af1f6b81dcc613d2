// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers for tests against a real X server (started by with-x.sh): start the
// built clock, find its windows, drive the pointer and read the screen.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <cmath>

namespace dv::xt {

inline QString run(const QString &program, const QStringList &args, int *rc = nullptr)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(20000);
    if (rc)
        *rc = p.exitCode();
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

inline QString xdotool(const QStringList &args)
{
    return run(QStringLiteral("xdotool"), args);
}

inline QRect geometry(const QString &win)
{
    // "WINDOW=..., X=.., Y=.., WIDTH=.., HEIGHT=.." from --shell.
    const QString out = xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), win});
    QMap<QString, int> v;
    for (const QString &line : out.split(QLatin1Char('\n'))) {
        const auto kv = line.split(QLatin1Char('='));
        if (kv.size() == 2)
            v[kv[0]] = kv[1].toInt();
    }
    return QRect(v.value("X"), v.value("Y"), v.value("WIDTH"), v.value("HEIGHT"));
}

// One line of xwininfo about a window ("Depth", "Map State"...), its value.
inline QString windowInfo(const QString &win, const QString &field)
{
    const QString out = run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), win});
    for (const QString &line : out.split(QLatin1Char('\n')))
        if (line.trimmed().startsWith(field + QLatin1Char(':')))
            return line.section(QLatin1Char(':'), 1).trimmed();
    return QString();
}

// The work area the window manager publishes (the screen less the panel),
// or an invalid rectangle without one.
inline QRect workArea()
{
    const QString out = run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_WORKAREA")});
    const QStringList n = out.section(QLatin1Char('='), 1).split(QLatin1Char(','));
    return n.size() >= 4 ? QRect(n[0].toInt(), n[1].toInt(), n[2].toInt(), n[3].toInt()) : QRect();
}

// Visible windows of a process whose size is `size`.
inline QStringList windowsOf(qint64 pid, QSize size = {})
{
    QStringList found;
    const QString ids = xdotool(
        {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"), QString::number(pid)});
    for (const QString &id : ids.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        if (!size.isValid() || geometry(id).size() == size)
            found.append(id);
    return found;
}

template <typename F>
inline bool waitFor(F cond, int ms = 10000)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        if (cond())
            return true;
        QThread::msleep(50);
    }
    return cond();
}

// Whether `cond` holds all through the next `ms`: for what must not happen,
// which only time passing can show.
template <typename F>
inline bool holdsFor(F cond, int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        if (!cond())
            return false;
        QThread::msleep(50);
    }
    return cond();
}

// The window with the keyboard focus, as xdotool names windows.
inline QString activeWindow()
{
    return xdotool({QStringLiteral("getactivewindow")});
}

// The child process of `parent` named `name` (its pid), or 0.
inline qint64 childNamed(qint64 parent, const QByteArray &name)
{
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const qsizetype close = line.lastIndexOf(')');
        if (line.mid(line.indexOf('(') + 1, close - line.indexOf('(') - 1) == name
            && line.mid(close + 4).split(' ').value(0).toLongLong() == parent)
            return pid.toLongLong();
    }
    return 0;
}

inline QImage screenshot()
{
    QProcess p;
    p.start(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")});
    p.waitForFinished(20000);
    return QImage::fromData(p.readAllStandardOutput(), "PNG").convertToFormat(QImage::Format_RGB32);
}

// The board of a 120 px clock at `at` shows `c`: at least five of eight points
// round its centre do, whatever the three hands cover.
inline bool boardShows(const QImage &shot, QPoint at, const QColor &c)
{
    int hits = 0;
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4 + M_PI / 8;
        hits += QColor(shot.pixel(at + QPoint(60 + int(28 * std::cos(a)), 60 + int(28 * std::sin(a))))) == c;
    }
    return hits >= 5;
}

// The built clock with a private settings folder.
struct ClockProcess {
    QTemporaryDir config;
    QProcess proc;

    QString confPath() const { return config.path() + QStringLiteral("/MOKU/DIALVANE.conf"); }
    void writeSettings(const QString &ini)
    {
        QDir().mkpath(config.path() + QStringLiteral("/MOKU"));
        QFile f(confPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[General]\n");
        f.write(ini.toUtf8());
    }
    // Environment for this clock alone, on top of the test's own.
    QMap<QString, QString> extraEnv;
    // Where its output goes: to the test's own, unless a test reads it.
    QProcess::ProcessChannelMode channels = QProcess::ForwardedChannels;

    // The clock's wall clock starts at `wall` ("yyyy-MM-dd hh:mm:ss") and runs
    // on, through libfaketime; Qt's timers keep real monotonic time.
    void startAt(const QString &wall)
    {
        fakeWallClock(wall);
        start();
    }
    void fakeWallClock(const QString &wall)
    {
        QString preload;
        for (const QString &d : QDir(QStringLiteral("/usr/lib")).entryList({QStringLiteral("*-linux-gnu*")}))
            if (QFileInfo::exists(QStringLiteral("/usr/lib/%1/faketime/libfaketime.so.1").arg(d)))
                preload = QStringLiteral("/usr/lib/%1/faketime/libfaketime.so.1").arg(d);
        QVERIFY2(!preload.isEmpty(), "libfaketime (package faketime)");
        extraEnv.insert(QStringLiteral("LD_PRELOAD"), preload);
        extraEnv.insert(QStringLiteral("FAKETIME"), QLatin1Char('@') + wall);
        extraEnv.insert(QStringLiteral("FAKETIME_DONT_FAKE_MONOTONIC"), QStringLiteral("1"));
        // Files keep their real times: faked ones make every font cache look
        // stale to this clock, which rewrites the machine's cache, and the next
        // program to read fonts (the next test's window manager) rescans them all.
        extraEnv.insert(QStringLiteral("NO_FAKE_STAT"), QStringLiteral("1"));
        // A sanitized build would refuse to run behind the time library.
        const QString asan = qEnvironmentVariable("ASAN_OPTIONS");
        extraEnv.insert(QStringLiteral("ASAN_OPTIONS"),
                        asan + (asan.isEmpty() ? "" : ":") + QStringLiteral("verify_asan_link_order=0"));
    }

    void start(const QStringList &args = {}, const QString &program = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        env.insert(QStringLiteral("XDG_STATE_HOME"), config.path() + QStringLiteral("/state"));
        for (auto i = extraEnv.cbegin(); i != extraEnv.cend(); ++i)
            env.insert(i.key(), i.value());
        env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        proc.setProcessEnvironment(env);
        proc.setProcessChannelMode(channels);
        const QString exe = program.isEmpty() ? qEnvironmentVariable("DIALVANE_BUILD_DIR") + QStringLiteral("/dialvane")
                                              : program;
        proc.start(exe, args);
        QVERIFY2(proc.waitForStarted(), qPrintable(exe));
    }
    QString clockWindow(int side = 120)
    {
        QString id;
        waitFor([&] {
            const QStringList w = windowsOf(proc.processId(), QSize(side, side));
            id = w.value(0);
            return !id.isEmpty();
        });
        return id;
    }
    // Starts the clock with `ini` at 100,100 (`scale` times that under larger
    // fonts) and waits until it is there and its face is drawn (the frame
    // ring's left edge black). Its window, or empty if it never got there.
    QString startAt100(const QString &ini = {}, double scale = 1.0)
    {
        writeSettings(QStringLiteral("FormLeft=1500\nFormTop=1500\n") + ini);
        start();
        const int at = int(100 * scale), side = int(120 * scale);
        const QString win = clockWindow(side);
        const bool shown = !win.isEmpty() && waitFor([&] {
            return geometry(win).topLeft() == QPoint(at, at)
                   && QColor(screenshot().pixel(at + 2, at + side / 2)) == QColor(Qt::black);
        });
        return shown ? win : QString();
    }
    // The settings dialog: the clock's one window wider than 300 px.
    QString settingsDialog()
    {
        for (const QString &w : windowsOf(proc.processId()))
            if (geometry(w).width() > 300)
                return w;
        return QString();
    }
    // A right click at `at` on the face; the settings dialog it opens, once it
    // has the keyboard focus, or empty.
    QString openSettings(QPoint at)
    {
        xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()), QStringLiteral("click"),
                 QStringLiteral("3")});
        QString dialog;
        waitFor([&] { return !(dialog = settingsDialog()).isEmpty() && activeWindow() == dialog; });
        return activeWindow() == dialog ? dialog : QString();
    }
    ~ClockProcess()
    {
        if (proc.state() != QProcess::NotRunning) {
            proc.kill();
            proc.waitForFinished(5000);
        }
    }
};

} // namespace dv::xt
