#include "Fakes.h"

#include <QTimeZone>
#include <fstream>
#include <QtTest>

using namespace dv;
using namespace dv::test;

namespace {
// A rig whose sounds last `soundSeconds` and then end by themselves.
struct WeekRig : Rig {
    int soundSeconds = 5;
    QDateTime soundStarted;
    QStringList started; // "file@yyyy-MM-dd HH:mm:ss"

    WeekRig()
    {
        clock.start(QString());
        log.events.clear();
    }
    void runUntil(const QDateTime &until)
    {
        const qint64 ms =
            QDateTime(time.t.date(), time.t.time(), Qt::UTC).msecsTo(QDateTime(until.date(), until.time(), Qt::UTC));
        qsizetype plays = sound.played.size();
        run(ms, [&] {
            if (sound.played.size() > plays) {
                plays = sound.played.size();
                started << sound.played.last() + QLatin1Char('@')
                               + time.t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
                soundStarted = time.t;
            }
            if (sound.playing && soundStarted.secsTo(time.t) >= soundSeconds)
                sound.finish();
        });
    }
    int count(const QString &suffix) const
    {
        int n = 0;
        for (const QString &s : started)
            n += s.endsWith(suffix);
        return n;
    }
};
const QDate kMonday(2026, 12, 7);

// Ticks every `stepMs` on a clock in Berlin (with its summer time) from `from`
// to `to`; a sound ends at the first tick 5 s after it began, and an alarm
// window still open then is pressed.
struct ZonedRun {
    Rig &rig;
    QStringList started; // "file@yyyy-MM-dd HH:mm:ss t" in local time
    void run(const QDateTime &from, const QDateTime &to, int stepMs = 250)
    {
        QDateTime began;
        qsizetype plays = rig.sound.played.size();
        for (rig.time.t = from; rig.time.t < to; rig.time.t = rig.time.t.addMSecs(stepMs)) {
            rig.clock.onTick();
            if (rig.sound.played.size() > plays) {
                plays = rig.sound.played.size();
                started << rig.sound.played.last() + '@' + rig.time.t.toString("yyyy-MM-dd HH:mm:ss t");
                began = rig.time.t;
            }
            if (began.isValid() && began.secsTo(rig.time.t) >= 5) {
                if (rig.sound.playing)
                    rig.sound.finish();
                rig.ui.unloadAlarmWindow();
                began = QDateTime();
            }
        }
    }
};
const QTimeZone kBerlin("Europe/Berlin");
QDateTime berlin(const QDate &d, const QTime &t)
{
    return QDateTime(d, t, kBerlin);
}

// This process's resident memory in KB.
long residentKb()
{
    std::ifstream f("/proc/self/status");
    for (std::string line; std::getline(f, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}
} // namespace

class TestSchedule : public QObject {
    Q_OBJECT
private slots:
    void simulatedWeek_data();
    void simulatedWeek();
    void alarmsOnceADayWithoutOverlap();
    void overlaps_data();
    void overlaps();
    void silentDevice();
    void stallIsCaughtUp_data();
    void stallIsCaughtUp();
    void clockChanges_data();
    void clockChanges();
    void simulatedYear();
    void alarmWithoutSoundFlashesUntilPressed();
    void offsetMovesNothing();
    void soundEndClosesAlarmWindow();
    void unplayableSignalDoesNotBlock();
    void unplayableAlarmFlashesUntilPressed();
    void shutdown_data();
    void shutdown();
    void shutdownStopsTheSoundFirst();
    void deviceType_data();
    void deviceType();
    void newPlayCutsTheOldOne();
};

void TestSchedule::simulatedWeek_data()
{
    QTest::addColumn<bool>("jihou");
    QTest::addColumn<bool>("jihou30");
    QTest::addColumn<int>("hourly");
    QTest::addColumn<int>("halfHourly");
    QTest::newRow("signal on") << true << false << 7 * 24 << 0;
    QTest::newRow("signal and half hour") << true << true << 7 * 24 << 7 * 24;
    QTest::newRow("signal off") << false << true << 0 << 0;
}

void TestSchedule::simulatedWeek()
{
    QFETCH(bool, jihou);
    QFETCH(bool, jihou30);
    QFETCH(int, hourly);
    QFETCH(int, halfHourly);
    WeekRig rig;
    rig.clock.settings().Jihou = jihou ? StoredTrue : StoredFalse;
    rig.clock.settings().Jihou30 = jihou30 ? StoredTrue : StoredFalse;
    rig.clock.settings().Jihou00File = QStringLiteral("/s/00.wav");
    rig.clock.settings().Jihou30File = QStringLiteral("/s/30.wav");
    rig.time.t = QDateTime(kMonday, QTime(0, 0, 0));
    QElapsedTimer took;
    took.start();
    rig.runUntil(rig.time.t.addDays(7));
    qInfo("a simulated week in %lld ms", took.elapsed());

    QCOMPARE(rig.sound.played.count(QStringLiteral("/s/00.wav")), hourly);
    QCOMPARE(rig.sound.played.count(QStringLiteral("/s/30.wav")), halfHourly);
    for (const QString &s : rig.started) {
        if (s.startsWith(QStringLiteral("/s/00.wav")))
            QVERIFY2(s.endsWith(QStringLiteral(":59:56")), qPrintable(s));
        else
            QVERIFY2(s.endsWith(QStringLiteral(":29:59")), qPrintable(s));
    }
    // The tray tip follows each midnight.
    QCOMPARE(rig.log.count("tray.modify:"), 7);
    QCOMPARE(rig.log.count("tray.modify:Dialvane  12-14-2026"), 1);
}

void TestSchedule::alarmsOnceADayWithoutOverlap()
{
    WeekRig rig;
    rig.clock.settings().Jihou = StoredFalse;
    rig.clock.settings().AlarmTime1 = QStringLiteral("07:30");
    rig.clock.settings().AlarmTime3 = QStringLiteral("07:30"); // same time: alarm 1 wins
    rig.clock.settings().AlarmTime2 = QStringLiteral("21:05");
    rig.clock.settings().AlarmSound1 = QStringLiteral("/s/1.wav");
    rig.clock.settings().AlarmSound2 = QStringLiteral("/s/2.mid");
    rig.clock.settings().AlarmSound3 = QStringLiteral("/s/3.wav");
    rig.clock.applyAlarmTimes();
    rig.time.t = QDateTime(kMonday, QTime(0, 0, 0));
    rig.runUntil(rig.time.t.addDays(3));
    QCOMPARE(rig.started, QStringList({"/s/1.wav@2026-12-07 07:30:00", "/s/2.mid@2026-12-07 21:05:00",
                                       "/s/1.wav@2026-12-08 07:30:00", "/s/2.mid@2026-12-08 21:05:00",
                                       "/s/1.wav@2026-12-09 07:30:00", "/s/2.mid@2026-12-09 21:05:00"}));
    QCOMPARE(rig.ui.alarmShows, 6);
    QVERIFY(!rig.ui.alarmBeeps);
}

void TestSchedule::overlaps_data()
{
    // What plays at 11:59:56 (a signal) or 11:59:00 (alarm 1), and what is due next.
    QTest::addColumn<QString>("firstAt");
    QTest::addColumn<QString>("secondAt");
    QTest::addColumn<QStringList>("started");
    const QString sig = "/s/00.wav@2026-12-07 11:59:56";
    QTest::newRow("alarm cuts off the signal") << ""
                                               << "12:00" << QStringList{sig, "/s/2.wav@2026-12-07 12:00:00"};
    QTest::newRow("an alarm keeps the floor from an alarm") << "11:59"
                                                            << "12:00" << QStringList{"/s/1.wav@2026-12-07 11:59:00"};
    QTest::newRow("and from the signal") << "11:59"
                                         << "" << QStringList{"/s/1.wav@2026-12-07 11:59:00"};
    QTest::newRow("nothing else due") << ""
                                      << "" << QStringList{sig};
}

void TestSchedule::overlaps()
{
    QFETCH(QString, firstAt);
    QFETCH(QString, secondAt);
    QFETCH(QStringList, started);
    WeekRig rig;
    rig.soundSeconds = 90; // everything still plays when the next one is due
    rig.clock.settings().Jihou00File = QStringLiteral("/s/00.wav");
    rig.clock.settings().AlarmTime1 = firstAt;
    rig.clock.settings().AlarmSound1 = QStringLiteral("/s/1.wav");
    rig.clock.settings().AlarmTime2 = secondAt;
    rig.clock.settings().AlarmSound2 = QStringLiteral("/s/2.wav");
    rig.clock.applyAlarmTimes();
    rig.time.t = QDateTime(kMonday, QTime(11, 58, 50));
    rig.runUntil(QDateTime(kMonday, QTime(12, 0, 30)));
    QCOMPARE(rig.started, started);
    QCOMPARE(rig.ui.alarmShows, int(started.count() - started.filter("/s/00.wav").count()));
}

void TestSchedule::offsetMovesNothing()
{
    WeekRig rig;
    rig.clock.settings().OffsetTime = 9.3f;
    rig.clock.settings().Jihou30 = StoredTrue;
    rig.clock.settings().Jihou30File = QStringLiteral("/s/30.wav");
    rig.clock.settings().AlarmTime2 = QStringLiteral("08:15");
    rig.clock.settings().AlarmSound2 = QStringLiteral("/s/2.wav");
    rig.clock.applyAlarmTimes();
    rig.time.t = QDateTime(kMonday, QTime(7, 50, 0));
    rig.runUntil(rig.time.t.addSecs(3600));
    QCOMPARE(rig.started, QStringList({rig.clock.settings().Jihou00File + "@2026-12-07 07:59:56",
                                       "/s/2.wav@2026-12-07 08:15:00", "/s/30.wav@2026-12-07 08:29:59"}));
    QCOMPARE(rig.clock.shownTime().hour, 18); // 08:50 + 9:30: the face alone is shifted
}

void TestSchedule::soundEndClosesAlarmWindow()
{
    WeekRig rig;
    rig.set({{"AlarmTime1", "06:00"}, {"AlarmSound1", "/s/1.wav"}});
    rig.soundSeconds = 2;
    rig.time.t = QDateTime(kMonday, QTime(5, 59, 58));
    rig.runUntil(QDateTime(kMonday, QTime(6, 0, 1)));
    QVERIFY(rig.ui.alarmOpen);
    QCOMPARE(rig.clock.schedule().same(), 1);
    QCOMPARE(rig.clock.schedule().playing(), true);
    rig.runUntil(QDateTime(kMonday, QTime(6, 0, 3)));
    QVERIFY(!rig.ui.alarmOpen);
    QCOMPARE(rig.clock.schedule().same(), 0);
    QCOMPARE(rig.clock.schedule().playing(), false);
}

void TestSchedule::unplayableSignalDoesNotBlock()
{
    WeekRig rig;
    rig.sound.result = false; // a missing default JIHOU.WAV, say
    rig.clock.settings().AlarmTime1 = QStringLiteral("13:00");
    rig.clock.settings().AlarmSound1 = QStringLiteral("/s/1.wav");
    rig.clock.applyAlarmTimes();
    rig.time.t = QDateTime(kMonday, QTime(11, 0, 0));
    rig.runUntil(QDateTime(kMonday, QTime(12, 59, 59)));
    QCOMPARE(rig.sound.played.size(), 2); // 11:59:56 and 12:59:56, each tried
    QCOMPARE(rig.clock.schedule().same(), 0);
    QCOMPARE(rig.clock.schedule().playing(), false);
}

void TestSchedule::unplayableAlarmFlashesUntilPressed()
{
    WeekRig rig;
    rig.sound.result = false;
    rig.clock.settings().AlarmTime1 = QStringLiteral("13:00");
    rig.clock.settings().AlarmSound1 = QStringLiteral("/gone.wav");
    rig.clock.applyAlarmTimes();
    rig.time.t = QDateTime(kMonday, QTime(12, 59, 57));
    rig.runUntil(QDateTime(kMonday, QTime(13, 58, 0)));
    QVERIFY(rig.ui.alarmOpen);
    QVERIFY(rig.ui.alarmBeeps);
    QCOMPARE(rig.clock.schedule().same(), 1); // holds the schedule ...
    QCOMPARE(rig.sound.played.size(), 1);     // ... so 13:59:56 will not sound yet
    rig.ui.unloadAlarmWindow();               // the button
    QCOMPARE(rig.clock.schedule().same(), 0);
    rig.runUntil(QDateTime(kMonday, QTime(14, 0, 0)));
    QCOMPARE(rig.sound.played.size(), 2);
}

void TestSchedule::shutdown_data()
{
    QTest::addColumn<bool>("must");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("requests");
    QTest::newRow("asks, No") << false << false << 1 << 0;
    QTest::newRow("asks, Yes") << false << true << 1 << 1;
    QTest::newRow("forced") << true << false << 0 << 1;
}

void TestSchedule::shutdown()
{
    QFETCH(bool, must);
    QFETCH(bool, answer);
    QFETCH(int, asked);
    QFETCH(int, requests);
    WeekRig rig;
    rig.clock.settings().ShutDownTime = QStringLiteral("22:30");
    rig.clock.settings().MustShutDown = must ? StoredTrue : StoredFalse;
    rig.clock.applyAlarmTimes();
    rig.msg.answers = {answer};
    rig.time.t = QDateTime(kMonday, QTime(22, 29, 0));
    rig.runUntil(QDateTime(kMonday, QTime(22, 32, 0)));
    QCOMPARE(rig.msg.asked.size(), asked);
    if (asked)
        QCOMPARE(rig.msg.asked.first(), QStringLiteral("シャットダウン時刻です\r\n終了しますか？"));
    QCOMPARE(rig.power.requests, requests);
    QCOMPARE(rig.ui.ended, 0); // only when the system agrees
    if (!requests)
        return;
    // The system refuses: say why and keep running.
    rig.power.done(false, QStringLiteral("Access denied"));
    QCOMPARE(rig.msg.shown.size(), 1);
    QVERIFY(rig.msg.shown.first().startsWith(QStringLiteral("シャットダウンできませんでした\r\n\r\n")));
    QVERIFY(rig.msg.shown.first().endsWith(QStringLiteral("Access denied")));
    QCOMPARE(rig.ui.ended, 0);
    QVERIFY(rig.timer.on);
    // It agrees: end at once, without the unload.
    rig.power.done(true, QString());
    QCOMPARE(rig.ui.ended, 1);
    QCOMPARE(rig.log.count("tray.remove"), 0);
    QCOMPARE(rig.ui.quits, 0);
}

void TestSchedule::shutdownStopsTheSoundFirst()
{
    WeekRig rig;
    rig.soundSeconds = 60;
    rig.clock.settings().ShutDownTime = QStringLiteral("23:00");
    rig.clock.settings().MustShutDown = StoredTrue;
    rig.clock.settings().AlarmTime1 = QStringLiteral("23:01");
    rig.clock.settings().AlarmSound1 = QStringLiteral("/s/1.wav");
    rig.clock.applyAlarmTimes();
    rig.time.t = QDateTime(kMonday, QTime(22, 59, 50));
    rig.runUntil(QDateTime(kMonday, QTime(23, 0, 1)));
    QCOMPARE(rig.power.requests, 1);
    QVERIFY(!rig.sound.playing);
    QVERIFY(!rig.clock.schedule().playing());
    // The stopped signal frees the schedule as its end would: a refused
    // shutdown leaves the next alarm and signal to sound.
    QCOMPARE(rig.clock.schedule().same(), 0);
    rig.power.done(false, QStringLiteral("no"));
    rig.soundSeconds = 5;
    rig.runUntil(QDateTime(kMonday, QTime(23, 59, 58)));
    QCOMPARE(rig.started.mid(1),
             QStringList({"/s/1.wav@2026-12-07 23:01:00", rig.clock.settings().Jihou00File + "@2026-12-07 23:59:56"}));
}

void TestSchedule::alarmWithoutSoundFlashesUntilPressed()
{
    // The file plays but ends at once (no notes): the window beeps and stays.
    WeekRig rig;
    rig.clock.settings().AlarmTime1 = QStringLiteral("07:00");
    rig.clock.settings().AlarmSound1 = QStringLiteral("/s/empty.mid");
    rig.clock.applyAlarmTimes();
    rig.time.t = QDateTime(kMonday, QTime(6, 59, 59));
    rig.run(1000);
    QVERIFY(rig.ui.alarmOpen && !rig.ui.alarmBeeps);
    rig.sound.atOnce = true;
    rig.sound.finish();
    QVERIFY(rig.ui.alarmOpen);
    QVERIFY(rig.ui.alarmBeeps);
    QCOMPARE(rig.clock.schedule().same(), 1);
    rig.ui.unloadAlarmWindow();
    QCOMPARE(rig.clock.schedule().same(), 0);
}

void TestSchedule::stallIsCaughtUp_data()
{
    QTest::addColumn<int>("stall"); // seconds without a tick, from 07:29:50
    QTest::addColumn<bool>("rings");
    QTest::newRow("none") << 0 << true;
    QTest::newRow("30 s") << 30 << true;
    QTest::newRow("61 s") << 61 << true;
    QTest::newRow("90 s: a suspend") << 90 << false;
}

void TestSchedule::stallIsCaughtUp()
{
    QFETCH(int, stall);
    QFETCH(bool, rings);
    WeekRig rig;
    rig.clock.settings().AlarmTime1 = QStringLiteral("07:30");
    rig.clock.settings().AlarmSound1 = QStringLiteral("/s/1.wav");
    rig.clock.applyAlarmTimes();
    rig.time.t = QDateTime(kMonday, QTime(7, 29, 40));
    rig.runUntil(QDateTime(kMonday, QTime(7, 29, 50)));
    rig.time.t = rig.time.t.addSecs(stall);
    rig.runUntil(QDateTime(kMonday, QTime(7, 32, 0)));
    QCOMPARE(rig.sound.played.count("/s/1.wav"), rings ? 1 : 0);
}

void TestSchedule::clockChanges_data()
{
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QStringList>("started");
    // 02:00 becomes 03:00: the 02:30 alarm rings at 03:00, no signal at 02:59:56.
    QTest::newRow("spring forward") << QDate(2026, 3, 29)
                                    << QStringList{"/s/00.wav@2026-03-29 01:59:56 CET",
                                                   "/s/2.wav@2026-03-29 03:00:00 CEST",
                                                   "/s/00.wav@2026-03-29 03:59:56 CEST"};
    // 03:00 becomes 02:00: 02:30 and 02:59:56 come twice, and ring once.
    QTest::newRow("fall back") << QDate(2026, 10, 25)
                               << QStringList{"/s/00.wav@2026-10-25 01:59:56 CEST", "/s/2.wav@2026-10-25 02:30:00 CEST",
                                              "/s/00.wav@2026-10-25 02:59:56 CEST",
                                              "/s/00.wav@2026-10-25 03:59:56 CET"};
}

void TestSchedule::clockChanges()
{
    QFETCH(QDate, day);
    QFETCH(QStringList, started);
    Rig rig;
    rig.clock.start(QString());
    Settings &s = rig.clock.settings();
    s.Jihou00File = QStringLiteral("/s/00.wav");
    s.AlarmTime2 = QStringLiteral("02:30");
    s.AlarmSound2 = QStringLiteral("/s/2.wav");
    rig.clock.applyAlarmTimes();
    ZonedRun z{rig, {}};
    z.run(berlin(day, QTime(1, 59, 0)), berlin(day, QTime(4, 0, 0)));
    QCOMPARE(z.started, started);
}

void TestSchedule::simulatedYear()
{
    // A year in Berlin, a tick every 30 s: what the clock does after a stall of
    // that length, so every second's events still come, each exactly once.
    Rig rig;
    rig.clock.start(QString());
    Settings &s = rig.clock.settings();
    s.Jihou00File = QStringLiteral("/s/00.wav");
    s.AlarmTime1 = QStringLiteral("06:30");
    s.AlarmSound1 = QStringLiteral("/s/1.wav");
    s.AlarmTime2 = QStringLiteral("02:30"); // in the hour the clocks skip or repeat
    s.AlarmSound2 = QStringLiteral("/s/broken.wav");
    s.ShutDownTime = QStringLiteral("23:00");
    rig.sound.failing = {s.AlarmSound2}; // flashes until pressed, every day
    rig.clock.applyAlarmTimes();
    ZonedRun z{rig, {}};
    long rssAfterAMonth = 0;
    QElapsedTimer took;
    took.start();
    for (QDate d(2026, 1, 1); d < QDate(2027, 1, 1); d = d.addDays(1)) {
        rig.msg.answers = {false}; // No to the shutdown
        z.run(berlin(d, QTime(0, 0, 0)), berlin(d.addDays(1), QTime(0, 0, 0)), 30000);
        rig.log.events.clear();
        if (d == QDate(2026, 1, 31))
            rssAfterAMonth = residentKb();
    }
    // The tick at midnight catches up the year's last signal.
    z.run(berlin(QDate(2027, 1, 1), QTime(0, 0)), berlin(QDate(2027, 1, 1), QTime(0, 0, 1)), 30000);
    qInfo("a simulated year in %lld ms", took.elapsed());
    QCOMPARE(rig.sound.played.count("/s/00.wav"), 365 * 24 - 1); // the skipped hour has none
    QCOMPARE(rig.sound.played.count("/s/1.wav"), 365);
    QCOMPARE(rig.sound.played.count("/s/broken.wav"), 365);
    QCOMPARE(rig.msg.asked.size(), 365);
    QCOMPARE(rig.tray.tips.size(), 1 + 365); // the start's, and each midnight after the first tick
    const long grown = residentKb() - rssAfterAMonth;
    QVERIFY2(grown < 2048, qPrintable(QString::number(grown)));
}

void TestSchedule::silentDevice()
{
    // No speaker: an alarm flashes and beeps until pressed; a signal just runs its time.
    WeekRig rig;
    rig.sound.silent = true;
    rig.soundSeconds = 2;
    rig.clock.settings().AlarmTime1 = QStringLiteral("07:00");
    rig.clock.settings().AlarmSound1 = QStringLiteral("/s/1.wav");
    rig.clock.applyAlarmTimes();
    rig.time.t = QDateTime(kMonday, QTime(6, 59, 50));
    rig.runUntil(QDateTime(kMonday, QTime(6, 59, 57)));
    QVERIFY(rig.sound.playing); // the signal, silently
    rig.runUntil(QDateTime(kMonday, QTime(7, 0, 30)));
    QCOMPARE(rig.sound.played.size(), 2);
    QVERIFY(!rig.sound.playing);
    QVERIFY(rig.ui.alarmOpen);
    QVERIFY(rig.ui.alarmBeeps);
    QCOMPARE(rig.clock.schedule().same(), 1);
}

void TestSchedule::deviceType_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("types");
    QTest::newRow("wav") << QStringList{"/a/x.wav"} << QStringList{"WaveAudio"};
    QTest::newRow("WAV") << QStringList{"/a/x.WAV"} << QStringList{"WaveAudio"};
    QTest::newRow("Mid") << QStringList{"/a/x.Mid"} << QStringList{"Sequencer"};
    QTest::newRow("other keeps the last")
        << QStringList{"/a/x.mid", "/a/y.ogg"} << QStringList{"Sequencer", "Sequencer"};
    QTest::newRow("none before the first") << QStringList{"/a/y.mp3"} << QStringList{""};
    QTest::newRow("short name") << QStringList{"/a/x.wav", "id"} << QStringList{"WaveAudio", "WaveAudio"};
}

void TestSchedule::deviceType()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, types);
    Rig rig;
    for (const QString &f : files)
        rig.clock.schedule().play(f);
    QCOMPARE(rig.sound.deviceTypes, types);
}

void TestSchedule::newPlayCutsTheOldOne()
{
    Rig rig;
    rig.clock.schedule().play(QStringLiteral("/a.wav"));
    QCOMPARE(rig.clock.schedule().playing(), true);
    const int yields = rig.pump.yields;
    rig.clock.schedule().play(QStringLiteral("/b.wav"));
    QCOMPARE(rig.sound.stops, 1);
    QCOMPARE(rig.pump.yields, yields + 1);
    QCOMPARE(rig.clock.schedule().playing(), true);
}

QTEST_GUILESS_MAIN(TestSchedule)
#include "tst_schedule.moc"
