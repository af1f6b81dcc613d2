// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fakes.h"
#include "face/Slideshow.h"

#include <QtTest>

using namespace dv;
using namespace dv::test;

class TestTick : public QObject {
    Q_OBJECT
private slots:
    void offset_data();
    void offset();
    void hideRule_data();
    void hideRule();
    void topMostClockIsRaisedWhenItComesBack();
    void secondTick_data();
    void secondTick();
    void firstTickOnSecondZeroDraws();
    void faceOrder();
    void scheduleRunsAtSeconds0_56_59();
    void quartersOnlyWhereNothingIsTold_data();
    void quartersOnlyWhereNothingIsTold();
    void slideshowInterval_data();
    void slideshowInterval();
};

void TestTick::offset_data()
{
    QTest::addColumn<float>("offset");
    QTest::addColumn<QTime>("system");
    QTest::addColumn<int>("hr");
    QTest::addColumn<int>("min");
    QTest::newRow("1.30 at 23:45") << 1.3f << QTime(23, 45, 10) << 1 << 15;
    QTest::newRow("-0.45 at 00:10") << -0.45f << QTime(0, 10, 0) << 23 << 25;
    QTest::newRow("0") << 0.0f << QTime(14, 7, 0) << 14 << 7;
    QTest::newRow("9") << 9.0f << QTime(20, 0, 0) << 5 << 0;
    QTest::newRow("9.45") << 9.45f << QTime(0, 0, 0) << 9 << 45;
    QTest::newRow("1.15") << 1.15f << QTime(10, 50, 0) << 12 << 5;
    QTest::newRow("1.01") << 1.01f << QTime(10, 59, 0) << 12 << 0;
    QTest::newRow("1.305 drops the third decimal") << 1.305f << QTime(10, 0, 0) << 11 << 30;
    QTest::newRow("1.3 means 30 minutes") << 1.3f << QTime(10, 0, 0) << 11 << 30;
    QTest::newRow("-1.30") << -1.3f << QTime(0, 20, 0) << 22 << 50;
    QTest::newRow("-23.59") << -23.59f << QTime(0, 0, 0) << 0 << 1;
    // Outside the hours.minutes form: carried fully so hour stays 0..23, minute 0..59.
    QTest::newRow("1.75 is 2:15") << 1.75f << QTime(10, 0, 0) << 12 << 15;
    QTest::newRow("30 hours") << 30.0f << QTime(22, 0, 0) << 4 << 0;
    QTest::newRow("-50.99") << -50.99f << QTime(1, 0, 0) << 21 << 21;
    QTest::newRow("huge") << 1e9f << QTime(1, 0, 0) << 17 << 0; // 1e9 h = 16 h mod 24
}

void TestTick::offset()
{
    QFETCH(float, offset);
    QFETCH(QTime, system);
    QFETCH(int, hr);
    QFETCH(int, min);
    const ShownTime hm = displayedTime(system.hour(), system.minute(), offset);
    QCOMPARE(hm.hour, hr);
    QCOMPARE(hm.minute, min);

    // The tick shows it, the date untouched, the second the system's.
    Rig rig;
    rig.clock.start(QString());
    rig.clock.settings().timeOffset = offset;
    rig.time.t = QDateTime(QDate(2026, 12, 7), system).addMSecs(-1000);
    rig.run(1000);
    QCOMPARE(rig.clock.shownTime().hour, hr);
    QCOMPARE(rig.clock.shownTime().minute, min);
    QCOMPARE(rig.clock.shownTime().second, system.second());
}

void TestTick::hideRule_data()
{
    QTest::addColumn<bool>("option");
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<bool>("ctrl");
    QTest::addColumn<bool>("hidden");
    // The clock is at 100,200 and 120 px wide: FormX1..X2 = 100..220, FormY1..Y2 = 200..320.
    QTest::newRow("off, over") << false << QPoint(150, 250) << false << false << false;
    QTest::newRow("on, over") << true << QPoint(150, 250) << false << false << true;
    QTest::newRow("on, left edge") << true << QPoint(100, 200) << false << false << true;
    QTest::newRow("on, right bound inclusive") << true << QPoint(220, 250) << false << false << true;
    QTest::newRow("on, bottom bound inclusive") << true << QPoint(150, 320) << false << false << true;
    QTest::newRow("on, one past right") << true << QPoint(221, 250) << false << false << false;
    QTest::newRow("on, one above") << true << QPoint(150, 199) << false << false << false;
    QTest::newRow("on, shift keeps it") << true << QPoint(150, 250) << true << false << false;
    QTest::newRow("ctrl hides anywhere") << false << QPoint(900, 10) << false << true << true;
    QTest::newRow("ctrl beats shift") << true << QPoint(150, 250) << true << true << true;
}

void TestTick::hideRule()
{
    QFETCH(bool, option);
    QFETCH(QPoint, pointer);
    QFETCH(bool, shift);
    QFETCH(bool, ctrl);
    QFETCH(bool, hidden);
    Rig rig;
    rig.store.values = {{"FormLeft", "1500"}, {"FormTop", "3000"}, {"OnMouseToHide", option ? "True" : "False"}};
    rig.clock.start(QString());
    QCOMPARE(rig.clock.placement().rect().right(), 220);
    // Found by the tick, and by the change as it is told.
    for (const bool told : {false, true}) {
        rig.input.pos = pointer;
        rig.input.shift = shift;
        rig.input.ctrl = ctrl;
        told ? rig.clock.inputChanged() : rig.clock.onTick();
        QCOMPARE(rig.window.shown, !hidden);
        QCOMPARE(rig.clock.hiddenByRule(), hidden);
        // And it comes back once the pointer leaves and the keys are let go.
        rig.input = FakeInput();
        told ? rig.clock.inputChanged() : rig.clock.onTick();
        QVERIFY(rig.window.shown);
    }
    // The settings are open: no change hides or shows the clock.
    rig.timer.on = false;
    rig.window.shown = false;
    rig.clock.inputChanged();
    QVERIFY(!rig.window.shown);
}

void TestTick::topMostClockIsRaisedWhenItComesBack()
{
    Rig rig;
    rig.store.values = {{"TopMost", "True"}};
    rig.clock.start(QString());
    const int raisesAfterStart = rig.window.raises;
    rig.clock.onTick();
    QCOMPARE(rig.window.raises, raisesAfterStart); // shown already: the z-order is left alone
    rig.input.ctrl = true;
    rig.clock.onTick();
    rig.input.ctrl = false;
    rig.clock.onTick();
    QCOMPARE(rig.window.raises, raisesAfterStart + 1);
}

void TestTick::secondTick_data()
{
    QTest::addColumn<int>("msOffset");
    QTest::addColumn<bool>("draws");
    QTest::newRow("same second") << 500 << false;
    QTest::newRow("next second") << 1000 << true;
}

void TestTick::secondTick()
{
    QFETCH(int, msOffset);
    QFETCH(bool, draws);
    Rig rig;
    rig.clock.start(QString());
    rig.time.t = QDateTime(QDate(2026, 12, 7), QTime(8, 0, 10, 100));
    rig.clock.onTick();
    const int presents = rig.window.presents;
    rig.time.t = rig.time.t.addMSecs(msOffset);
    rig.input.ctrl = true;
    rig.clock.onTick();
    QVERIFY(!rig.window.shown); // the hide test runs either way
    QCOMPARE(rig.window.presents, presents + (draws ? 1 : 0));
}

void TestTick::firstTickOnSecondZeroDraws()
{
    // Started at 07:59:59, first tick on 08:00:00: drawn, and the schedule runs.
    Rig rig;
    rig.store.values = {{"AlarmTime1", "08:00"}, {"AlarmSound1", "/s/1.wav"}};
    rig.time.t = QDateTime(QDate(2026, 12, 7), QTime(7, 59, 59, 700));
    rig.clock.start(QString());
    rig.time.t = rig.time.t.addMSecs(600);
    const int presents = rig.window.presents;
    rig.clock.onTick();
    QCOMPARE(rig.window.presents, presents + 1);
    QCOMPARE(rig.sound.played, QStringList{"/s/1.wav"});
}

void TestTick::faceOrder()
{
    Rig rig;
    rig.store.values = {{"ShadowFlag", "True"}};
    rig.clock.start(QString());
    rig.time.t = QDateTime(QDate(2026, 12, 7), QTime(10, 10, 40));
    rig.clock.onTick();
    const auto &s = rig.window.lastFace.strokes;
    // Shadowed bars and dots, bars and dots, ring, then three hands with shadows.
    QCOMPARE(s.size(), size_t(13 + 13 + 1 + 6));
    QCOMPARE(s.at(26).kind, Stroke::Kind::Ring);
    QCOMPARE(s.at(27).color, 0u); // the hour hand's shadow first
    QCOMPARE(s.back().width, 1);  // the second hand last
    QCOMPARE(s.back().x2, 15);
    QCOMPARE(s.back().y2, 85);
}

void TestTick::scheduleRunsAtSeconds0_56_59()
{
    Rig rig;
    rig.clock.start(QString());
    rig.store.values.clear();
    rig.time.t = QDateTime(QDate(2026, 12, 7), QTime(23, 59, 50));
    rig.clock.settings().timeOffset = 5.0f; // the schedule follows the system's minute
    rig.run(11 * 1000);
    // The signal at 23:59:56 and the midnight tip at 00:00:00, nothing else.
    QCOMPARE(rig.sound.played, QStringList{rig.clock.settings().hourChimeFile});
    QCOMPARE(rig.log.count("tray.modify:Dialvane  12-08-2026"), 1);
}

void TestTick::quartersOnlyWhereNothingIsTold_data()
{
    QTest::addColumn<bool>("option");
    QTest::addColumn<bool>("keysTold");
    QTest::addColumn<bool>("pointerTold");
    QTest::addColumn<bool>("quarters");
    QTest::newRow("off, keys told") << false << true << false << false;
    QTest::newRow("off, nothing told") << false << false << false << true;
    QTest::newRow("on, both told") << true << true << true << false;
    QTest::newRow("on, pointer not told") << true << true << false << true;
}

void TestTick::quartersOnlyWhereNothingIsTold()
{
    QFETCH(bool, option);
    QFETCH(bool, keysTold);
    QFETCH(bool, pointerTold);
    QFETCH(bool, quarters);
    Rig rig;
    rig.input.pushesKeys = keysTold;
    rig.input.pushesPointer = pointerTold;
    rig.store.values = {{"OnMouseToHide", option ? "True" : "False"}};
    rig.clock.start(QString());
    QCOMPARE(rig.timer.quarters, quarters);
    QCOMPARE(rig.input.watching, option);
    // The settings change the option: the watch follows.
    Settings edited = rig.clock.settings();
    edited.hideUnderPointer = !option;
    rig.clock.settingsOk(edited);
    QCOMPARE(rig.input.watching, !option);
    QCOMPARE(rig.timer.quarters, !keysTold || (!option && !pointerTold));
}

void TestTick::slideshowInterval_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("hour");
    QTest::addColumn<QList<int>>("dueMinutes");
    auto every = [](int n) {
        QList<int> m;
        for (int i = 0; i < 60; i += n)
            m << i;
        return m;
    };
    QTest::newRow("1 min") << "１分" << 14 << every(1);
    QTest::newRow("2 min") << "２分" << 14 << every(2);
    QTest::newRow("3 min") << "３分" << 14 << every(3);
    QTest::newRow("5 min") << "５分" << 14 << every(5);
    QTest::newRow("10 min") << "１０分" << 14 << every(10);
    QTest::newRow("15 min") << "１５分" << 14 << every(15);
    QTest::newRow("20 min") << "２０分" << 14 << every(20);
    QTest::newRow("30 min") << "３０分" << 14 << every(30);
    QTest::newRow("1 hour") << "１時間" << 15 << QList<int>{0};
    QTest::newRow("2 hours, even hour") << "２時間" << 14 << QList<int>{0};
    QTest::newRow("2 hours, odd hour") << "２時間" << 15 << QList<int>{};
    QTest::newRow("half-width digits never") << "5分" << 14 << QList<int>{};
    QTest::newRow("other text never") << "" << 14 << QList<int>{};
}

void TestTick::slideshowInterval()
{
    QFETCH(QString, label);
    QFETCH(int, hour);
    QFETCH(QList<int>, dueMinutes);
    QList<int> due;
    for (int m = 0; m < 60; ++m)
        if (slideDue(label, hour, m))
            due << m;
    QCOMPARE(due, dueMinutes);
}

QTEST_GUILESS_MAIN(TestTick)
#include "tst_tick.moc"
