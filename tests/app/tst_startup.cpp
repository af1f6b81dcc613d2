// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fakes.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>
#include <sys/stat.h>

using namespace dv;
using namespace dv::test;

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void commandLine_data();
    void commandLine();
    void delreg_data();
    void delreg();
    void offsetReplacesStoredValue();
    void storedPositionIsPulledOntoTheScreen_data();
    void storedPositionIsPulledOntoTheScreen();
    void freeSizeOffKeepsBaseSize();
    void missingFilesAreReportedInOrder();
    void specialFilesAreMissingFiles();
    void plainStartTellsNothingAndEnablesTheTimerLast();
};

void TestStartup::commandLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("delreg");
    QTest::addColumn<float>("offset");
    QTest::addColumn<bool>("told"); // ignored, and said at start-up
    QTest::newRow("none") << "" << false << 0.0f << false;
    QTest::newRow("delreg") << "-delreg" << true << 0.0f << false;
    QTest::newRow("DELREG") << "  -DELREG " << true << 0.0f << false;
    QTest::newRow("offset then delreg") << "-offset=1.30 -delreg" << true << 1.3f << false;
    QTest::newRow("offset negative") << "-offset=-0.45" << false << -0.45f << false;
    QTest::newRow("offset nine") << "-OFFSET=9" << false << 9.0f << false;
    QTest::newRow("plus sign") << "-offset=+0.45" << false << 0.45f << false;
    QTest::newRow("point only") << "-offset=-.30" << false << -0.3f << false;
    QTest::newRow("point last") << "-offset=2." << false << 2.0f << false;
    QTest::newRow("9999 hours") << "-offset=-9999" << false << -9999.0f << false;
    QTest::newRow("inside other text") << "x-offset=3 y" << false << 3.0f << false;
    // No number of that form, or none a clock could mean.
    for (const char *junk : {"abc", "nan", "inf", "1e309", "9h", "1:30", "0x10", "2.15x", "1.2.3", "--1", "+", ".",
                             "1,30", "\xef\xbc\x91\xef\xbc\x92"})
        QTest::newRow(junk) << QStringLiteral("-offset=%1 -delreg").arg(QString::fromUtf8(junk)) << true << 0.0f
                            << true;
    QTest::newRow("empty number") << "-offset= -delreg" << true << 0.0f << true;
    QTest::newRow("400 nines") << "-offset=" + QString(400, '9') << false << 0.0f << true;
    QTest::newRow("beyond 9999 hours") << "-offset=10000" << false << 0.0f << true;
}

void TestStartup::commandLine()
{
    QFETCH(QString, text);
    QFETCH(bool, delreg);
    QFETCH(float, offset);
    QFETCH(bool, told);
    const CommandLine c = parseCommandLine(text);
    QCOMPARE(c.delreg, delreg);
    QCOMPARE(c.offset, offset);
    Rig rig;
    rig.clock.start(text);
    QCOMPARE(rig.msg.shown.filter("-offset=").size(), told ? 1 : 0);
    QCOMPARE(rig.clock.settings().timeOffset, offset);
}

void TestStartup::delreg_data()
{
    QTest::addColumn<bool>("stored");
    QTest::addColumn<bool>("fails");
    QTest::addColumn<QString>("message");
    QTest::newRow("nothing stored") << false << false << "レジストリ情報はありません";
    QTest::newRow("settings stored") << true << false << "レジストリ情報を削除しました";
    QTest::newRow("cannot delete") << true << true << "設定を削除できませんでした\r\n\r\n-> /memory/DIALVANE.conf";
}

void TestStartup::delreg()
{
    QFETCH(bool, stored);
    QFETCH(bool, fails);
    QFETCH(QString, message);
    Rig rig;
    rig.store.failRemove = fails;
    if (stored)
        rig.store.values = {{"ClockSize", "360"}, {"Mag2Flag", "True"}, {"BoardColor", "255"}};
    rig.clock.start(QStringLiteral("-DelReg"));
    QCOMPARE(rig.msg.shown, QStringList{message});
    // The clock goes on with the defaults, or what could not be deleted.
    QCOMPARE(rig.clock.settings().boardColour, fails ? 255 : 16777215);
    QVERIFY(rig.timer.on);
}

void TestStartup::offsetReplacesStoredValue()
{
    Rig rig;
    rig.store.values = {{"OffsetTime", "5"}};
    rig.clock.start(QStringLiteral("-offset=1.30 -delreg"));
    QCOMPARE(rig.clock.settings().timeOffset, 1.3f);
    QCOMPARE(rig.msg.shown, QStringList{QStringLiteral("レジストリ情報を削除しました")});

    Rig plain;
    plain.store.values = {{"OffsetTime", "5"}};
    plain.clock.start(QString());
    QCOMPARE(plain.clock.settings().timeOffset, 0.0f); // the stored offset never takes effect
}

void TestStartup::storedPositionIsPulledOntoTheScreen_data()
{
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("left");
    QTest::addColumn<QPoint>("pixels");
    QTest::addColumn<int>("topAfter");
    QTest::addColumn<int>("leftAfter");
    // 1024 x 768 at 15 twips per pixel: 15360 x 11520 twips; the window is 1800.
    QTest::newRow("on screen") << 1500 << 3000 << QPoint(200, 100) << 1500 << 3000;
    QTest::newRow("below") << 20000 << 0 << QPoint(0, 648) << 9720 << 0;
    QTest::newRow("right") << 0 << 99999 << QPoint(904, 0) << 0 << 13560;
    QTest::newRow("last 32 px") << 11520 - 31 * 15 << 0 << QPoint(0, 648) << 9720 << 0;
    QTest::newRow("just before them") << 11520 - 32 * 15 << 0 << QPoint(0, 736) << 11040 << 0;
    QTest::newRow("last 32 px on the right") << 0 << 15360 - 31 * 15 << QPoint(904, 0) << 0 << 13560;
    QTest::newRow("just before them on the right") << 0 << 15360 - 32 * 15 << QPoint(992, 0) << 0 << 14880;
    QTest::newRow("negative kept") << -300 << -150 << QPoint(-10, -20) << -300 << -150;
    // Wholly off the screen on any side: back onto it.
    QTest::newRow("left of it") << 1500 << -30000 << QPoint(0, 100) << 1500 << 0;
    QTest::newRow("above it") << -30000 << 3000 << QPoint(200, 0) << 0 << 3000;
    QTest::newRow("above and left") << -2000 << -2000 << QPoint(0, 0) << 0 << 0;
    QTest::newRow("below and left") << 99999 << -99999 << QPoint(0, 648) << 9720 << 0;
}

void TestStartup::storedPositionIsPulledOntoTheScreen()
{
    QFETCH(int, top);
    QFETCH(int, left);
    QFETCH(QPoint, pixels);
    QFETCH(int, topAfter);
    QFETCH(int, leftAfter);
    Rig rig;
    rig.store.values = {{"FormTop", QString::number(top)}, {"FormLeft", QString::number(left)}};
    rig.clock.start(QString());
    QCOMPARE(rig.window.rect.topLeft(), pixels);
    QCOMPARE(rig.clock.settings().topTwips, topAfter);
    QCOMPARE(rig.clock.settings().leftTwips, leftAfter);
}

void TestStartup::freeSizeOffKeepsBaseSize()
{
    Rig rig;
    rig.store.values = {{"ClockSize", "480"}, {"Mag2Flag", "False"}};
    rig.clock.start(QString());
    QCOMPARE(rig.clock.face().scale().sizeFactor, 4.0f);
    QCOMPARE(rig.clock.face().scale().factor, 1.0f);
    QCOMPARE(rig.window.rect.size(), QSize(120, 120));
    QCOMPARE(rig.window.shapeD, 120);
}

void TestStartup::missingFilesAreReportedInOrder()
{
    QTemporaryDir app;
    Rig rig(app.path());
    const QString gone = app.path() + QStringLiteral("/gone");
    rig.store.values = {{"BackImage", gone + "/board.jpg"}, {"BmpDirectory", gone},
                        {"AlarmSound1", gone + "/1.wav"},   {"AlarmSound2", ""},
                        {"AlarmSound3", gone + "/3.mid"},   {"SlideBmp", "True"}};
    rig.clock.start(QString());
    const QString br = QStringLiteral("\r\n");
    QCOMPARE(rig.msg.shown, QStringList({
                                "ファイルが見付かりません（文字盤の画像ﾌｧｲﾙ）" + br + br + "-> " + gone + "/board.jpg",
                                "画像ファイルのフォルダが存在しません" + br + "-> " + gone,
                                "ファイルが見付かりません（ｱﾗｰﾑｻｳﾝﾄﾞﾌｧｲﾙ１）" + br + br + "-> " + gone + "/1.wav",
                                "ファイルが見付かりません（ｱﾗｰﾑｻｳﾝﾄﾞﾌｧｲﾙ３）" + br + br + "-> " + gone + "/3.mid",
                            }));
    const Settings &s = rig.clock.settings();
    QVERIFY(s.boardPicture.isEmpty());
    QCOMPARE(rig.clock.face().hasBoardPicture(), false);
    QCOMPARE(s.slideshowFolder, app.path());
    QCOMPARE(s.slideshow, false);
    QVERIFY(s.alarmSound1.isEmpty() && s.alarmSound3.isEmpty());
    // Cleared for this run only: a save keeps the stored paths (a drive not
    // mounted today) until the field gets a new value.
    QVERIFY(rig.clock.saveSettings());
    QCOMPARE(rig.store.values.value("AlarmSound1"), gone + "/1.wav");
    QCOMPARE(rig.store.values.value("BackImage"), gone + "/board.jpg");
    rig.clock.settings().alarmSound1 = QStringLiteral("/new.wav");
    QVERIFY(rig.clock.saveSettings());
    rig.clock.settings().alarmSound1.clear();
    QVERIFY(rig.clock.saveSettings());
    QCOMPARE(rig.store.values.value("AlarmSound1"), QString());
    QCOMPARE(rig.store.values.value("AlarmSound3"), gone + "/3.mid");
}

void TestStartup::specialFilesAreMissingFiles()
{
    // A FIFO as the board picture or an alarm sound would block the clock for good.
    QTemporaryDir app;
    const QString fifo = app.filePath("fifo");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    Rig rig(app.path());
    rig.store.values = {{"BackImage", fifo}, {"AlarmSound2", "/dev/zero"}};
    rig.clock.start(QString());
    QCOMPARE(rig.msg.shown, QStringList({"ファイルが見付かりません（文字盤の画像ﾌｧｲﾙ）\r\n\r\n-> " + fifo,
                                         "ファイルが見付かりません（ｱﾗｰﾑｻｳﾝﾄﾞﾌｧｲﾙ２）\r\n\r\n-> /dev/zero"}));
    QVERIFY(rig.timer.on);
    int h = 1, m = 1;
    splitOffset(std::numeric_limits<float>::infinity(), h, m);
    QCOMPARE(h + m, 0);
}

void TestStartup::plainStartTellsNothingAndEnablesTheTimerLast()
{
    Rig rig;
    rig.clock.start(QString());
    QVERIFY(rig.msg.shown.isEmpty()); // no picture set is nothing missing
    QCOMPARE(rig.clock.settings().timeOffset, 0.0f);
    QCOMPARE(rig.clock.face().hasBoardPicture(), false);
    const QStringList &e = rig.log.events;
    QCOMPARE(e.value(e.size() - 1), QStringLiteral("timer.on"));
    QCOMPARE(rig.log.count("timer.on"), 1);
    QVERIFY(rig.log.indexOf("hook") < rig.log.indexOf("tray.add"));
    QVERIFY(rig.log.indexOf("tray.add") < rig.log.indexOf("window.shape"));
    QVERIFY(rig.log.indexOf("window.shape") < rig.log.indexOf("present"));
    QCOMPARE(rig.log.count("store.write"), 0);
    // The first face has the dial but no hands yet.
    QCOMPARE(rig.window.lastFace.strokes.size(), size_t(5 + 8 + 1)); // bars, dots, ring
    QVERIFY(rig.window.shown);
    // Window lists show the program's name, never an address.
    QCOMPARE(rig.window.caption, QStringLiteral("Dialvane"));
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
