// SPDX-License-Identifier: GPL-3.0-or-later
// What the settings dialogs accept, and the unsaved-change rows in order.

#include "dialogs/Checks.h"

#include <QtTest>

#include <functional>

using namespace dv;

class TestChecks : public QObject {
    Q_OBJECT
private slots:
    void time_data();
    void time();
    void sizeList_data();
    void sizeList();
    void sizeField_data();
    void sizeField();
    void unsavedRows_data();
    void unsavedRows();
};

void TestChecks::time_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("completed");
    QTest::addColumn<bool>("rejected");
    // Named by what is typed, unless the row says more; most are kept as typed.
    const auto row = [](const char *name, const char *typed, const char *completed, bool rejected) {
        QTest::newRow(name) << QString::fromUtf8(typed) << QString::fromUtf8(completed) << rejected;
    };
    const auto kept = [&](const char *typed, bool rejected) { row(typed, typed, typed, rejected); };
    kept("07:30", false);
    kept("00:00", false);
    kept("23:59", false);
    row("empty is off", "", "", false);
    row("7:30 gets its zero", "7:30", "07:30", false);
    kept("24:00", true);
    kept("23:60", true);
    kept("29:00", true);
    kept("7:3", true);
    kept("730", true);
    row("0730 becomes 00730", "0730", "00730", true);
    kept("07.30", true);
    kept("07:30:00", true);
    row("leading space", " 7:30", " 7:30", true);
    row("full-width", "０７：３０", "０７：３０", true);
}

void TestChecks::time()
{
    QFETCH(QString, typed);
    QFETCH(QString, completed);
    QFETCH(bool, rejected);
    QCOMPARE(completeTime(typed), completed);
    QCOMPARE(timeRejected(completeTime(typed)), rejected);
}

void TestChecks::sizeList_data()
{
    QTest::addColumn<double>("screen");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("last");
    QTest::newRow("768") << 768.0 << 13 << " 720 pixel ( 6.0倍 )";
    QTest::newRow("780: not strictly below") << 780.0 << 13 << " 720 pixel ( 6.0倍 )";
    QTest::newRow("480") << 480.0 << 8 << " 420 pixel ( 3.5倍 )";
    QTest::newRow("1080") << 1080.0 << 18 << "1020 pixel ( 8.5倍 )";
}

void TestChecks::sizeList()
{
    QFETCH(double, screen);
    QFETCH(int, count);
    QFETCH(QString, last);
    const QStringList e = clockSizeEntries(screen);
    QCOMPARE(e.size(), count);
    QCOMPARE(e.at(0), QStringLiteral("  60 pixel ( 0.5倍 )"));
    QCOMPARE(e.at(1), QStringLiteral(" 120 pixel ( 1.0倍 )"));
    QCOMPARE(e.at(count - 2), last);
    QCOMPARE(e.last(), QStringLiteral("ScreenSize (Height)"));
    QCOMPARE(pickedSize(e.last(), screen), QString::number(screen));
    QCOMPARE(pickedSize(e.at(1), screen), QStringLiteral("120"));
}

void TestChecks::sizeField_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("stored"); // -1: no number
    QTest::newRow("59") << "59" << false << 59;
    QTest::newRow("60") << "60" << true << 60;
    QTest::newRow("screen height") << "768" << true << 768;
    QTest::newRow("769") << "769" << false << 769;
    QTest::newRow("100.5 to even") << "100.5" << true << 100;
    QTest::newRow("101.5 to even") << "101.5" << true << 102;
    QTest::newRow("not a number") << "abc" << false << -1;
    QTest::newRow("empty") << "" << false << -1;
}

void TestChecks::sizeField()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(int, stored);
    QCOMPARE(sizeAccepted(typed, 768), accepted);
    QCOMPARE(sizeFromText(typed).value_or(-1), stored);
}

void TestChecks::unsavedRows_data()
{
    using Edit = std::function<void(Settings &)>;
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QString>("key"); // empty: nothing differs
    const QList<QPair<const char *, Edit>> rows{
        {"FormTop", [](Settings &s) { s.topTwips += 15; }},
        {"FormLeft", [](Settings &s) { s.leftTwips -= 15; }},
        {"BackImage", [](Settings &s) { s.boardPicture = "/a.BMP"; }},
        {"DrawSecond", [](Settings &s) { s.secondHand = false; }},
        {"TopMost", [](Settings &s) { s.onTop = true; }},
        {"Jihou", [](Settings &s) { s.hourChime = false; }},
        {"HourColor", [](Settings &s) { s.hourColour = 1; }},
        {"MinuteColor", [](Settings &s) { s.minuteColour = 1; }},
        {"SecondColor", [](Settings &s) { s.secondColour = 1; }},
        {"CharColor", [](Settings &s) { s.marksColour = 1; }},
        {"BoardColor", [](Settings &s) { s.boardColour = 1; }},
        {"FrameColor", [](Settings &s) { s.frameColour = 1; }},
        {"AlarmTime1", [](Settings &s) { s.alarmTime1 = "07:30"; }},
        {"AlarmTime2", [](Settings &s) { s.alarmTime2 = "07:30"; }},
        {"AlarmTime3", [](Settings &s) { s.alarmTime3 = "07:30"; }},
        {"AlarmSound1", [](Settings &s) { s.alarmSound1 = "/a.wav"; }},
        {"AlarmSound2", [](Settings &s) { s.alarmSound2 = "/a.wav"; }},
        {"AlarmSound3", [](Settings &s) { s.alarmSound3 = "/a.wav"; }},
        {"ShutDownTime", [](Settings &s) { s.shutdownTime = "23:00"; }},
        {"MustShutDown", [](Settings &s) { s.forceShutdown = true; }},
        {"Transparent", [](Settings &s) { s.transparentBoard = true; }},
        {"ShadowFlag", [](Settings &s) { s.shadows = true; }},
        {"DrawChar", [](Settings &s) { s.hourMarks = false; }},
        {"SlideBmp", [](Settings &s) { s.slideshow = true; }},
        {"BmpDirectory", [](Settings &s) { s.slideshowFolder = "/"; }},
        {"SlideTime", [](Settings &s) { s.slideInterval = "１分"; }},
        {"OnMouseToHide", [](Settings &s) { s.hideUnderPointer = true; }},
        {"Mag2Flag", [](Settings &s) { s.freeSize = true; }},
        {"DrawFrameFlag", [](Settings &s) { s.frameRing = false; }},
        {"ClockSize", [](Settings &s) { s.clockSize = 360; }},
        {"FormPlace", [](Settings &s) { s.corner = Corner::BottomRight; }},
        {"CharPattern", [](Settings &s) { s.romanNumerals = StoredTrue; }},
        {"SlideGrafix", [](Settings &s) { s.slideshowFormats = 5; }},
        {"Jihou00File", [](Settings &s) { s.hourChimeFile = "/b.wav"; }},
        {"Jihou30File", [](Settings &s) { s.halfHourChimeFile = "/b.wav"; }},
        {"Jihou30", [](Settings &s) { s.halfHourChime = true; }},
    };
    QTest::newRow("nothing") << Edit([](Settings &) {}) << "";
    // Not compared: the offset, which only the command line sets.
    QTest::newRow("OffsetTime") << Edit([](Settings &s) { s.timeOffset = 9; }) << "";
    // The messages have fields in the dialog now: an edit is asked about.
    QTest::newRow("AlarmMessage3") << Edit([](Settings &s) { s.alarmMessage3 = "x"; }) << "AlarmMessage3";
    // A box compares ticked with True: 1 and -1 are both ticked.
    QTest::newRow("box 1 is True") << Edit([](Settings &s) { s.secondHand = 1; }) << "";
    for (int i = 0; i < rows.size(); ++i)
        QTest::newRow(rows[i].first) << rows[i].second << rows[i].first;
    // The first difference counts.
    QTest::newRow("Jihou30 and FormTop") << Edit([](Settings &s) {
        s.halfHourChime = true;
        s.topTwips = 1;
    }) << "FormTop";
}

void TestChecks::unsavedRows()
{
    using Edit = std::function<void(Settings &)>;
    QFETCH(Edit, edit);
    QFETCH(QString, key);
    const Settings saved = Settings::defaults(QStringLiteral("/opt/dialvane"));
    Settings present = saved;
    edit(present);
    QCOMPARE(firstDifference(present, saved).value_or(QString()), key);
}

QTEST_GUILESS_MAIN(TestChecks)
#include "tst_checks.moc"
