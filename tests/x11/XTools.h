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

inline QImage screenshot()
{
    QProcess p;
    p.start(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")});
    p.waitForFinished(20000);
    return QImage::fromData(p.readAllStandardOutput(), "PNG").convertToFormat(QImage::Format_RGB32);
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

    // The clock's wall clock starts at `wall` ("yyyy-MM-dd hh:mm:ss") and runs
    // on, through libfaketime; Qt's timers keep real monotonic time.
    void startAt(const QString &wall)
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
        start();
    }

    void start(const QStringList &args = {}, const QString &program = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (auto i = extraEnv.cbegin(); i != extraEnv.cend(); ++i)
            env.insert(i.key(), i.value());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        proc.setProcessEnvironment(env);
        proc.setProcessChannelMode(QProcess::ForwardedChannels);
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
    ~ClockProcess()
    {
        if (proc.state() != QProcess::NotRunning) {
            proc.kill();
            proc.waitForFinished(5000);
        }
    }
};

} // namespace dv::xt
