// SPDX-License-Identifier: GPL-3.0-or-later
// An alarm outlives the clock: what one run leaves, the next start rings or tells.

#include "Fakes.h"
#include "resources/Texts.h"

#include <QtTest>

using namespace dv;
using namespace dv::test;

namespace {
const QDate kMonday(2026, 12, 7);
QDateTime at(int day, int h, int m, int s = 0, int ms = 0)
{
    return QDateTime(kMonday.addDays(day), QTime(h, m, s, ms), Qt::UTC);
}

// One run of the clock with alarm 1 at `alarm` (snoozing 5 minutes), on the
// state the last run left.
struct Run : Rig {
    explicit Run(const QString &alarm, const std::optional<QByteArray> &left = std::nullopt)
    {
        store.values = {{"AlarmTime1", alarm}, {"AlarmSnooze1", "5"}, {"AlarmWake1", "True"}, {"Jihou", "False"}};
        state.text = left;
    }
    void startAt(const QDateTime &t, const QString &args = {}, std::optional<qint64> startedMs = std::nullopt)
    {
        time.t = t;
        clock.start(args, startedMs);
    }
    // Ticks until the wall clock reads `until`; the time each sound began.
    QList<QDateTime> runUntil(const QDateTime &until)
    {
        QList<QDateTime> began;
        qsizetype plays = sound.played.size();
        run(time.t.msecsTo(until), [&] {
            if (sound.played.size() > plays)
                began << time.t;
            plays = sound.played.size();
        });
        return began;
    }
};
} // namespace

class TestAlarmState : public QObject {
    Q_OBJECT
private slots:
    void awayGaps_data();
    void awayGaps();
    void snoozeOverARestart_data();
    void snoozeOverARestart();
    void snoozeIsTheNextAlarm();
};

void TestAlarmState::awayGaps_data()
{
    // Alarm 1 every day at `alarm`; the last run as `before` says; this one
    // starts at `start` (the program `early` seconds before that).
    QTest::addColumn<QString>("before"); // evening, two days, rang, none, junk
    QTest::addColumn<QString>("alarm");
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<double>("early");
    QTest::addColumn<QString>("args");
    QTest::addColumn<QString>("dueAt"); // it rings, told as due then; "-": it does not ring
    QTest::addColumn<QString>("told");  // the alarms told as missed while away
    const auto row = [](const char *name, const char *before, const char *alarm, const QDateTime &start,
                        const char *dueAt, const char *told, double early = 0, const char *args = "") {
        QTest::newRow(name) << QString(before) << QString(alarm) << start << early << QString(args) << QString(dueAt)
                            << QString(told);
    };
    row("5 min after it, quit the evening before", "evening", "07:00", at(0, 7, 5), "07:00", "");
    row("40 min after it: told", "evening", "07:00", at(0, 7, 40), "-", "2026/12/07 07:00");
    row("two days away: each day told", "two days", "07:00", at(0, 7, 40), "-", "2026/12/06 07:00\r\n2026/12/07 07:00");
    row("two days away, back in time for today's", "two days", "07:00", at(0, 7, 10), "07:00", "2026/12/06 07:00");
    row("its time changed since: nothing stale", "evening", "06:50", at(0, 7, 5), "-", "");
    row("restarted after it rang: not again", "rang", "07:00", at(0, 7, 1), "-", "");
    row("first start: nothing old", "none", "07:00", at(0, 7, 5), "-", "");
    row("junk state: nothing old", "junk", "07:00", at(0, 7, 5), "-", "");
    row("first start inside its second", "none", "07:00", at(0, 7, 0, 0, 300), "", "");
    row("first start, slow across it", "none", "07:00", at(0, 7, 0, 3), "07:00", "", 5.0);
}

void TestAlarmState::awayGaps()
{
    QFETCH(QString, before);
    QFETCH(QString, alarm);
    QFETCH(QDateTime, start);
    QFETCH(double, early);
    QFETCH(QString, args);
    QFETCH(QString, dueAt);
    QFETCH(QString, told);
    std::optional<QByteArray> left;
    if (before == "junk") {
        left = "nonsense\n";
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("DIALVANE.state: not a state this clock wrote"));
    } else if (before != "none") {
        Run last("07:00");
        if (before == "rang") {
            last.startAt(at(0, 6, 59, 50));
            last.runUntil(at(0, 7, 0, 30));
            QVERIFY(last.ui.alarmOpen);
            last.ui.pressStop();
        } else {
            last.startAt(before == "evening" ? at(-1, 21, 0) : at(-2, 21, 0));
            last.runUntil(last.time.t.addSecs(2));
            last.clock.ended();
        }
        left = last.state.text;
    }
    Run run(alarm, left);
    run.startAt(start, args, start.toMSecsSinceEpoch() - qint64(early * 1000));
    run.runUntil(start.addSecs(2));
    QCOMPARE(run.sound.played.size(), dueAt == "-" ? 0 : 1);
    if (dueAt != "-")
        QCOMPARE(run.ui.notice.dueAt, dueAt);
    const QString missed = text::MissedAlarmsWhileAway + text::CRLF + text::CRLF + told;
    QCOMPARE(run.msg.shown.filter(text::MissedAlarmsWhileAway.toString()),
             told.isEmpty() ? QStringList() : QStringList{missed});
}

void TestAlarmState::snoozeOverARestart_data()
{
    // Rung at 07:00 and snoozed for 5 minutes at 07:00:10; the clock quit at
    // 07:01, or was killed right after the press, and started again at `back`.
    QTest::addColumn<bool>("quit");
    QTest::addColumn<QDateTime>("back");
    QTest::addColumn<QDateTime>("rings"); // invalid: told instead
    QTest::addColumn<QString>("dueAt");
    QTest::newRow("killed, back before it is due") << false << at(0, 7, 3) << at(0, 7, 5, 10) << "";
    QTest::newRow("quit, back before it is due") << true << at(0, 7, 3) << at(0, 7, 5, 10) << "";
    QTest::newRow("killed, back 10 min late") << false << at(0, 7, 15) << at(0, 7, 15, 0, 250) << "07:05";
    QTest::newRow("killed, back an hour late: told") << false << at(0, 8, 5) << QDateTime() << "";
}

void TestAlarmState::snoozeOverARestart()
{
    QFETCH(bool, quit);
    QFETCH(QDateTime, back);
    QFETCH(QDateTime, rings);
    QFETCH(QString, dueAt);
    Run first("07:00");
    first.startAt(at(0, 6, 59, 50));
    first.runUntil(at(0, 7, 0, 10));
    QVERIFY(first.ui.alarmOpen);
    first.ui.pressSnooze();
    if (quit) {
        first.runUntil(at(0, 7, 1));
        first.clock.ended();
    } // killed: at once, before another tick
    Run again("07:00", first.state.text);
    again.startAt(back);
    const QList<QDateTime> began = again.runUntil(std::max(back, at(0, 7, 5)).addSecs(20));
    QCOMPARE(began, rings.isValid() ? QList<QDateTime>{rings} : QList<QDateTime>());
    QCOMPARE(again.ui.notice.dueAt, dueAt);
    if (!rings.isValid())
        QVERIFY(again.msg.shown.join("").contains(text::MissedAlarmsWhileAway + text::CRLF + text::CRLF
                                                  + "2026/12/07 07:05"));
}

void TestAlarmState::snoozeIsTheNextAlarm()
{
    // Snoozed at 07:00:10: the tip, --next's answer and the wake timer all say
    // 07:05:10, before tomorrow's 07:00; a wall clock set an hour forward moves
    // the snooze with it, not past it.
    Run run("07:00");
    run.startAt(at(0, 6, 59, 50));
    run.runUntil(at(0, 7, 0, 10));
    run.ui.pressSnooze();
    run.runUntil(at(0, 7, 0, 12));
    QCOMPARE(run.clock.schedule().next(run.time.t).at, QDateTime(kMonday, QTime(7, 5, 10)));
    QVERIFY2(run.tray.tips.last().contains("12-07（月）07:05"), qPrintable(run.tray.tips.last()));
    QCOMPARE(run.wake.at, QDateTime(kMonday, QTime(7, 4, 10)));
    run.time.t = run.time.t.addSecs(3600);
    QCOMPARE(run.clock.schedule().next(run.time.t).at, QDateTime(kMonday, QTime(8, 5, 10)));
    const QList<QDateTime> began = run.runUntil(at(0, 8, 6));
    QCOMPARE(began, QList<QDateTime>{at(0, 8, 5, 10)});
    QVERIFY(run.msg.shown.isEmpty());
}

QTEST_GUILESS_MAIN(TestAlarmState)
#include "tst_alarm_state.moc"
