// SPDX-License-Identifier: GPL-3.0-or-later
// The running clock sounds its time signal through a player process of its
// own: no sound library in the clock, and no player left when the clock dies.

#include "../fakes/SoundFiles.h"
#include "XTools.h"

#include <csignal>

using namespace dv;
using namespace dv::test;

class TestX11Sound : public QObject {
    Q_OBJECT
private slots:
    void signalPlaysInAPlayerThatDiesWithTheClock();
};

void TestX11Sound::signalPlaysInAPlayerThatDiesWithTheClock()
{
    xt::ClockProcess clock;
    clock.writeSettings(QStringLiteral("Jihou=True\n")); // the default signal beside the program
    // Three seconds before the signal of 07:59:56.
    clock.startAt(QStringLiteral("2026-12-07 07:59:53"));
    QVERIFY(!clock.clockWindow().isEmpty());
    const qint64 pid = clock.proc.processId();
    qint64 player = 0;
    QVERIFY(xt::waitFor([&] { return (player = xt::childNamed(pid, "dialvane-sound")) > 0; }, 10000));
    QVERIFY(!processGone(player));

    QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    const QByteArray mapped = maps.readAll();
    QVERIFY(mapped.contains("libQt6Core")); // the right map
    for (const char *lib : {"libSDL2", "fluidsynth", "libinstpatch"})
        QVERIFY2(!mapped.contains(lib), lib);

    ::kill(pid, SIGKILL);
    clock.proc.waitForFinished(5000);
    QVERIFY(xt::waitFor([&] { return processGone(player); }, 2000));
}

QTEST_MAIN(TestX11Sound)
#include "tst_x11_sound.moc"
