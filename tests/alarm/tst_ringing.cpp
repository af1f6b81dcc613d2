// SPDX-License-Identifier: GPL-3.0-or-later
// An alarm rings until stopped: the real schedule and the real player process on SDL's
// dummy driver, with the rig's simulated wall clock.

#include "Fakes.h"
#include "SoundFiles.h"
#include "platform/SoundProcess.h"

#include <QtTest>

using namespace dv;
using namespace dv::test;

class TestRinging : public QObject {
    Q_OBJECT
private slots:
    void repeatsSnoozesAndStopsAfterTenMinutes();
    void unplayableFilePlaysTheTone();
};

namespace {
QString buildDir()
{
    return qEnvironmentVariable("DIALVANE_BUILD_DIR");
}
QByteArray commandLineOf(pid_t pid)
{
    QFile f(QStringLiteral("/proc/%1/cmdline").arg(pid));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

// Wired as the program wires it; `links` goes before the player, which outlives the rig.
static void wire(SoundProcess &player, Rig &rig, QObject &links, int *ends = nullptr)
{
    QObject::connect(&player, &SoundProcess::finished, &links, [&rig, ends] {
        if (ends)
            ++*ends;
        rig.clock.schedule().soundDone();
    });
    QObject::connect(&player, &SoundProcess::started, &links, [&rig] { rig.clock.schedule().soundStarted(); });
}

void TestRinging::repeatsSnoozesAndStopsAfterTenMinutes()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("short.wav"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(wav(0.1)); // shorter than a chunk of the mixer: a sound all the same
    f.close();

    SoundProcess player(qEnvironmentVariable("DIALVANE_BUILD_DIR") + QLatin1Char('/') + QLatin1String(kSoundPlayer));
    Rig rig({}, nullptr, &player);
    QObject links;
    int ends = 0;
    wire(player, rig, links, &ends);
    rig.clock.start(QString());
    rig.set({{"AlarmTime1", "07:00"}, {"AlarmSound1", file}});
    rig.time.t = QDateTime(QDate(2026, 12, 7), QTime(6, 59, 59));
    rig.run(1000);
    QVERIFY(rig.ui.alarmOpen);
    QVERIFY2(player.isPlaying(), qPrintable(player.lastError()));

    // The 0.1 s sound ends and starts again, and again.
    QTRY_VERIFY_WITH_TIMEOUT(ends >= 3, 5000);
    QVERIFY(player.isPlaying());
    QCOMPARE(rig.clock.schedule().sounding(), Sounding::Alarm1);

    // Ten minutes on the wall clock: the sound stops, the window stays.
    rig.run(10 * 60 * 1000);
    QVERIFY(!player.isPlaying());
    const int endsAtLimit = ends;
    QTest::qWait(700);
    QVERIFY(!player.isPlaying());
    QCOMPARE(ends, endsAtLimit);
    QVERIFY(rig.ui.alarmOpen);

    // Snoozed: quiet for five minutes, then it rings again in the same way.
    rig.ui.pressSnooze();
    QVERIFY(!player.isPlaying());
    rig.run(5 * 60 * 1000 - 1000);
    QVERIFY(!player.isPlaying());
    rig.run(1000);
    QVERIFY(player.isPlaying());
    QVERIFY(rig.ui.alarmOpen);
    QTRY_VERIFY_WITH_TIMEOUT(ends >= endsAtLimit + 2, 5000);
    QVERIFY(player.isPlaying());

    rig.ui.pressStop();
    QVERIFY(!player.isPlaying());
    QCOMPARE(rig.clock.schedule().sounding(), Sounding::None);
}

void TestRinging::unplayableFilePlaysTheTone()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("broken.wav"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4000, 'x'));
    f.close();
    SoundProcess player(buildDir() + QLatin1Char('/') + QLatin1String(kSoundPlayer));
    Rig rig(buildDir(), nullptr, &player); // the program's folder, with its tone
    QObject links;
    wire(player, rig, links);
    rig.clock.start(QString());
    rig.set({{"AlarmTime1", "07:00"}, {"AlarmSound1", file}});
    rig.time.t = QDateTime(QDate(2026, 12, 7), QTime(6, 59, 59));
    rig.run(1000);
    QVERIFY(rig.ui.alarmOpen);
    QTRY_VERIFY_WITH_TIMEOUT(player.hasBegun() && commandLineOf(player.playerPid()).contains("ALARM.WAV"), 5000);
    QVERIFY(!rig.ui.alarmBeeps);
    rig.ui.pressStop();
    QVERIFY(!player.isPlaying());
}

QTEST_MAIN(TestRinging)
#include "tst_ringing.moc"
