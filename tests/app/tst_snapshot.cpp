// SPDX-License-Identifier: GPL-3.0-or-later
// The snapshot command of the built program: no display, stored settings.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class TestSnapshot : public QObject {
    Q_OBJECT
private slots:
    void writesTheFace_data();
    void writesTheFace();
    void refusesBadInput_data();
    void refusesBadInput();
    void hugeSizeIsBounded();
    void commandLine_data();
    void commandLine();

private:
    int run(const QStringList &args, const QString &ini, QString *err = nullptr, QString *out = nullptr);
    QTemporaryDir m_dir;
};

int TestSnapshot::run(const QStringList &args, const QString &ini, QString *err, QString *out)
{
    QTemporaryDir config;
    QDir().mkpath(config.path() + QStringLiteral("/MOKU"));
    QFile f(config.path() + QStringLiteral("/MOKU/DIALVANE.conf"));
    if (f.open(QIODevice::WriteOnly)) {
        f.write("[General]\n" + ini.toUtf8());
        f.close(); // before the clock reads it
    }
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    for (const char *display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(display));
    const QString program = qEnvironmentVariable("DIALVANE_BUILD_DIR") + QStringLiteral("/dialvane");
    // Through the shell for bytes a QString cannot carry: "sh", "-c", "exec \"$DIALVANE\" ..."
    env.insert(QStringLiteral("DIALVANE"), program);
    p.setProcessEnvironment(env);
    if (args.value(0) == QLatin1String("sh"))
        p.start(QStringLiteral("/bin/sh"), args.mid(1));
    else
        p.start(program, args);
    p.waitForFinished(20000);
    if (err)
        *err = QString::fromUtf8(p.readAllStandardError());
    if (out)
        *out = QString::fromUtf8(p.readAllStandardOutput());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

void TestSnapshot::writesTheFace_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QString>("at");
    QTest::addColumn<int>("side");
    QTest::addColumn<QPoint>("handPixel");
    QTest::addColumn<QColor>("handColor");
    QTest::addColumn<QColor>("board");
    // At 3:00:15 on the plain face the second hand's tip is black at (111, 60).
    const auto row = [](const char *name, const QString &ini, const QColor &board, const char *at = "03:00:15",
                        int side = 120, QPoint hand = {111, 60}, const QColor &handColor = Qt::black) {
        QTest::newRow(name) << ini << QString::fromLatin1(at) << side << hand << handColor << board;
    };
    row("defaults", "", Qt::white);
    row("240 px, red second hand", "Mag2Flag=True\nClockSize=240\nSecondColor=255\n", Qt::white, "09:00:45", 240,
        {30, 120}, Qt::red);
    row("free size off", "Mag2Flag=False\nClockSize=240\n", Qt::white, "3:00:15");
    // A picture board, and a slideshow of one picture.
    QDir().mkpath(m_dir.filePath(QStringLiteral("slides")));
    QImage green(40, 30, QImage::Format_RGB32), blue(40, 30, QImage::Format_RGB32);
    green.fill(Qt::green);
    blue.fill(Qt::blue);
    QVERIFY(green.save(m_dir.filePath(QStringLiteral("board.bmp"))));
    QVERIFY(blue.save(m_dir.filePath(QStringLiteral("slides/only.BMP")), "BMP"));
    const QString board = "BackImage=" + m_dir.filePath("board.bmp") + "\n";
    row("board picture", board, Qt::green);
    row("slideshow", board + "SlideBmp=True\nBmpDirectory=" + m_dir.filePath("slides") + "\n", Qt::blue);
}

void TestSnapshot::writesTheFace()
{
    QFETCH(QString, ini);
    QFETCH(QString, at);
    QFETCH(int, side);
    QFETCH(QPoint, handPixel);
    QFETCH(QColor, handColor);
    QFETCH(QColor, board);
    const QString out = m_dir.filePath(QStringLiteral("face.png"));
    QFile::remove(out);
    QString err;
    QCOMPARE(run({QStringLiteral("--snapshot"), out, QStringLiteral("--at"), at}, ini, &err), 0);
    QVERIFY2(err.isEmpty(), qPrintable(err));
    const QImage img(out);
    QCOMPARE(img.size(), QSize(side, side));
    QCOMPARE(QColor(img.pixel(handPixel)), handColor);
    QCOMPARE(qAlpha(img.pixel(0, 0)), 0); // outside the circle
    QCOMPARE(qAlpha(img.pixel(side / 2, side / 2)), 255);
    QCOMPARE(QColor(img.pixel(side / 4, side * 3 / 4)), board);
}

void TestSnapshot::refusesBadInput_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("hour 25") << QStringList{"--snapshot", "x.png", "--at", "25:00:00"};
    QTest::newRow("letters") << QStringList{"--snapshot", "x.png", "--at", "noon"};
    QTest::newRow("second 60") << QStringList{"--snapshot", "x.png", "--at", "10:10:60"};
    QTest::newRow("no seconds") << QStringList{"--snapshot", "x.png", "--at", "10:10"};
    QTest::newRow("no time") << QStringList{"--snapshot", "x.png"};
    QTest::newRow("unwritable") << QStringList{"--snapshot", "/nonexistent/dir/x.png", "--at", "10:10:00"};
    QTest::newRow("an option for the file") << QStringList{"--snapshot", "--at", "12:00:00"};
    QTest::newRow("a full disk") << QStringList{"--snapshot", "/dev/full", "--at", "10:10:00"};
    QTest::newRow("a FIFO") << QStringList{"--snapshot", m_dir.filePath("fifo"), "--at", "10:10:00"};
    QTest::newRow("a name that is not UTF-8") << QStringList{
        "sh", "-c",
        "exec \"$DIALVANE\" --snapshot \"$(printf '" + m_dir.filePath("bad\\377.png") + "')\" --at 10:10:00"};
}

void TestSnapshot::refusesBadInput()
{
    QFETCH(QStringList, args);
    if (!QFileInfo::exists(m_dir.filePath("fifo")))
        QCOMPARE(::mkfifo(QFile::encodeName(m_dir.filePath("fifo")).constData(), 0600), 0);
    QString err;
    const int rc = run(args, QString(), &err);
    QVERIFY(rc > 0);
    QCOMPARE(err.count(QLatin1Char('\n')), 1);
    QVERIFY2(err.startsWith(QStringLiteral("dialvane: ")), qPrintable(err));
    QVERIFY(!QFile::exists("--at"));
    QVERIFY(QFileInfo(m_dir.filePath("fifo")).isFile() == false);
    QCOMPARE(QDir(m_dir.path()).entryList({"bad*"}), QStringList()); // under no name at all
}

void TestSnapshot::hugeSizeIsBounded()
{
    const QString out = m_dir.filePath(QStringLiteral("huge.png"));
    QCOMPARE(run({"--snapshot", out, "--at", "10:10:10"}, "Mag2Flag=True\nClockSize=2147483647\n"), 0);
    QCOMPARE(QImageReader(out).size(), QSize(2160, 2160));
}

void TestSnapshot::commandLine_data()
{
    // Run with no display at all, so with no clock to ask.
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("ini");
    QTest::addColumn<int>("code");
    QTest::addColumn<QStringList>("out"); // each in standard output
    QTest::addColumn<QString>("err");     // the start of standard error, its lines but the last whole
    QTest::newRow("--help") << QStringList{"--help"} << "" << 0
                            << QStringList{"-delreg",  "-offset=H.MM", "--snapshot", "--stop",
                                           "--snooze", "--next",       "--holidays"}
                            << "";
    QTest::newRow("--version") << QStringList{"--version"} << "" << 0 << QStringList{"Dialvane 2.00\n"} << "";
    QTest::newRow("no display") << QStringList{} << "" << 1 << QStringList{} << "dialvane: no X display to open";
    QTest::newRow("no display, with an offset")
        << QStringList{"-offset=1.30"} << "" << 1 << QStringList{} << "dialvane: no X display to open";
    QTest::newRow("no display, with a junk offset")
        << QStringList{"-offset=9h"} << "" << 1 << QStringList{}
        << "dialvane: -offset=9h is no offset of the form H.MM (9, -1.30, +0.45, .30); the clock runs without one\n"
           "dialvane: no X display to open";
    QTest::newRow("--stop, no clock") << QStringList{"--stop"} << "" << 1 << QStringList{} << "dialvane: no clock";
    QTest::newRow("--snooze, no clock") << QStringList{"--snooze"} << "" << 1 << QStringList{} << "dialvane: no clock";
    // Alarm 2 is off, alarm 3 has its days; an alarm of every day comes within the day.
    QTest::newRow("--next from the store")
        << QStringList{"--next"}
        << "AlarmTime2=06:15\nAlarmDays2=0\nAlarmTime3=07:30\nAlarmMessage3=朝会\nAlarmDays3=127\n"
        << 0 << QStringList{" 07:30\nmessage: 朝会\nwakes the machine: no\n"} << "";
    QTest::newRow("--next, asks to wake, no clock")
        << QStringList{"--next"} << "AlarmTime1=07:30\nAlarmWake1=True\n"
        << 0 << QStringList{" 07:30\nwakes the machine: no (no clock runs to arm the wake-up)\n"} << "";
    // The days off from today on: whatever today is, tomorrow is passed over (a holiday tomorrow is named as one).
    const QDate today = QDate::currentDate();
    QTest::newRow("--next skips the days off")
        << QStringList{"--next"}
        << "AlarmTime1=07:30\nAlarmSkipHolidays1=True\nDaysOff=" + today.toString(Qt::ISODate) + ".."
               + today.addDays(2).toString(Qt::ISODate) + "\n"
        << 0 << QStringList{"\nskipped: " + today.addDays(1).toString(Qt::ISODate) + " "} << "";
    QTest::newRow("--holidays 2026") << QStringList{"--holidays", "2026"} << "" << 0
                                     << QStringList{"2026-01-01 元日\n2026-01-12 成人の日\n",
                                                    "2026-05-06 振替休日\n2026-07-20 海の日\n",
                                                    "2026-11-23 勤労感謝の日\n"}
                                     << "";
    QTest::newRow("--holidays, this year")
        << QStringList{"--holidays"} << "" << 0
        << QStringList{QString::number(QDate::currentDate().year()) + "-01-01 元日\n"} << "";
    QTest::newRow("--holidays 1947") << QStringList{"--holidays", "1947"} << "" << 2 << QStringList{}
                                     << "dialvane: --holidays takes a year from 1948 to 2099";
    QTest::newRow("--holidays 2100") << QStringList{"--holidays", "2100"} << "" << 2 << QStringList{}
                                     << "dialvane: --holidays takes a year";
    QTest::newRow("--holidays abc") << QStringList{"--holidays", "abc"} << "" << 2 << QStringList{}
                                    << "dialvane: --holidays takes a year";
    QTest::newRow("a window system that cannot load")
        << QStringList{"sh", "-c", "QT_QPA_PLATFORM=nonsense exec \"$DIALVANE\""} << "" << 1 << QStringList{}
        << "dialvane: cannot load the window system \"nonsense\"";
    // An answer that cannot be written is no success.
    for (const char *answer : {"--help", "--version", "--next", "--holidays 2026"})
        QTest::newRow(qPrintable(QStringLiteral("%1 into a full disk").arg(answer)))
            << QStringList{"sh", "-c", QStringLiteral("exec \"$DIALVANE\" %1 >/dev/full").arg(answer)} << "" << 1
            << QStringList{} << "dialvane: cannot write the answer: No space left on device";
    QTest::newRow("--next, none on") << QStringList{"--next"} << "AlarmTime2=06:15\nAlarmDays2=0\n"
                                     << 0 << QStringList{"no alarm is on\n"} << "";
}

void TestSnapshot::commandLine()
{
    QFETCH(QStringList, args);
    QFETCH(QString, ini);
    QFETCH(int, code);
    QFETCH(QStringList, out);
    QFETCH(QString, err);
    QString stdErr, stdOut;
    QCOMPARE(run(args, ini, &stdErr, &stdOut), code);
    for (const QString &o : out)
        QVERIFY2(stdOut.contains(o), qPrintable(stdOut));
    QVERIFY2(err.isEmpty() ? stdErr.isEmpty() : stdErr.startsWith(err), qPrintable(stdErr));
    QCOMPARE(stdErr.count(QLatin1Char('\n')), err.isEmpty() ? 0 : err.count(QLatin1Char('\n')) + 1);
}

QTEST_GUILESS_MAIN(TestSnapshot)
#include "tst_snapshot.moc"
