// SPDX-License-Identifier: GPL-3.0-or-later
// What the settings dialogs accept, and the unsaved-change rows in order.

#include "dialogs/Checks.h"

#include <QtTest>

#include <functional>

using namespace dv;
using Edit = std::function<void(Settings &)>;

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
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QString>("key"); // empty: nothing differs
    // A row named by the key that differs.
    const auto differs = [](const char *key, const Edit &edit) {
        QTest::newRow(key) << edit << QString::fromLatin1(key);
    };
    QTest::newRow("nothing") << Edit([](Settings &) {}) << "";
    // Not compared: the offset, which only the command line sets.
    QTest::newRow("OffsetTime") << Edit([](Settings &s) { s.timeOffset = 9; }) << "";
    // The messages have fields in the dialog now: an edit is asked about.
    differs("AlarmMessage3", [](Settings &s) { s.alarmMessage3 = "x"; });
    // A box compares ticked with True: 1 and -1 are both ticked.
    QTest::newRow("box 1 is True") << Edit([](Settings &s) { s.secondHand = 1; }) << "";
    differs("FormTop", [](Settings &s) { s.topTwips += 15; });
    differs("FormLeft", [](Settings &s) { s.leftTwips -= 15; });
    differs("BackImage", [](Settings &s) { s.boardPicture = "/a.BMP"; });
    differs("DrawSecond", [](Settings &s) { s.secondHand = false; });
    differs("TopMost", [](Settings &s) { s.onTop = true; });
    differs("Jihou", [](Settings &s) { s.hourChime = false; });
    differs("HourColor", [](Settings &s) { s.hourColour = 1; });
    differs("MinuteColor", [](Settings &s) { s.minuteColour = 1; });
    differs("SecondColor", [](Settings &s) { s.secondColour = 1; });
    differs("CharColor", [](Settings &s) { s.marksColour = 1; });
    differs("BoardColor", [](Settings &s) { s.boardColour = 1; });
    differs("FrameColor", [](Settings &s) { s.frameColour = 1; });
    differs("AlarmTime1", [](Settings &s) { s.alarmTime1 = "07:30"; });
    differs("AlarmTime2", [](Settings &s) { s.alarmTime2 = "07:30"; });
    differs("AlarmTime3", [](Settings &s) { s.alarmTime3 = "07:30"; });
    differs("AlarmSound1", [](Settings &s) { s.alarmSound1 = "/a.wav"; });
    differs("AlarmSound2", [](Settings &s) { s.alarmSound2 = "/a.wav"; });
    differs("AlarmSound3", [](Settings &s) { s.alarmSound3 = "/a.wav"; });
    differs("ShutDownTime", [](Settings &s) { s.shutdownTime = "23:00"; });
    differs("MustShutDown", [](Settings &s) { s.forceShutdown = true; });
    differs("Transparent", [](Settings &s) { s.transparentBoard = true; });
    differs("ShadowFlag", [](Settings &s) { s.shadows = true; });
    differs("DrawChar", [](Settings &s) { s.hourMarks = false; });
    differs("SlideBmp", [](Settings &s) { s.slideshow = true; });
    differs("BmpDirectory", [](Settings &s) { s.slideshowFolder = "/"; });
    differs("SlideTime", [](Settings &s) { s.slideInterval = "１分"; });
    differs("OnMouseToHide", [](Settings &s) { s.hideUnderPointer = true; });
    differs("Mag2Flag", [](Settings &s) { s.freeSize = true; });
    differs("DrawFrameFlag", [](Settings &s) { s.frameRing = false; });
    differs("ClockSize", [](Settings &s) { s.clockSize = 360; });
    differs("FormPlace", [](Settings &s) { s.corner = Corner::BottomRight; });
    differs("CharPattern", [](Settings &s) { s.romanNumerals = StoredTrue; });
    differs("SlideGrafix", [](Settings &s) { s.slideshowFormats = 5; });
    differs("Jihou00File", [](Settings &s) { s.hourChimeFile = "/b.wav"; });
    differs("Jihou30File", [](Settings &s) { s.halfHourChimeFile = "/b.wav"; });
    differs("Jihou30", [](Settings &s) { s.halfHourChime = true; });
    // The first difference counts.
    QTest::newRow("Jihou30 and FormTop") << Edit([](Settings &s) {
        s.halfHourChime = true;
        s.topTwips = 1;
    }) << "FormTop";
}

void TestChecks::unsavedRows()
{
    QFETCH(Edit, edit);
    QFETCH(QString, key);
    const Settings saved = Settings::defaults(QStringLiteral("/opt/dialvane"));
    Settings present = saved;
    edit(present);
    QCOMPARE(firstDifference(present, saved).value_or(QString()), key);
}

QTEST_GUILESS_MAIN(TestChecks)
#include "tst_checks.moc"
