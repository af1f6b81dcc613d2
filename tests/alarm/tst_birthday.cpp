// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fakes.h"
#include "alarm/Birthday.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace dv;
using namespace dv::test;

class TestBirthday : public QObject {
    Q_OBJECT
private slots:
    void lines_data();
    void lines();
    void lineEnds_data();
    void lineEnds();
    void key();
    void shiftJisFile();
    void randomBytes();
    void atStartUp();
    void fileOfAnyKindIsSafe_data();
    void fileOfAnyKindIsSafe();
};

void TestBirthday::lines_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("messages");
    const QString bd = QStringLiteral(" の誕生日です");
    QTest::newRow("empty") << "" << QStringList();
    QTest::newRow("no match") << "03/06,Taro,1" << QStringList();
    QTest::newRow("birthday") << "03/05,Taro,1" << QStringList{"今日は Taro" + bd};
    QTest::newRow("other day") << "03/05,Taro,2" << QStringList{"今日は Taro です"};
    QTest::newRow("second comma last") << "03/05,Taro," << QStringList();
    QTest::newRow("no second comma") << "03/05,Taro:" << QStringList();
    QTest::newRow("no comma") << "03/05 Taro 1" << QStringList();
    QTest::newRow("empty name") << "03/05,,1" << QStringList{"今日は " + bd};
    QTest::newRow("last character counts") << "03/05,Taro,note 1" << QStringList{"今日は Taro" + bd};
    QTest::newRow("12 is kind 2") << "03/05,Taro,12" << QStringList{"今日は Taro です"};
    QTest::newRow("kind 3") << "03/05,Taro,3" << QStringList();
    QTest::newRow("kind letter") << "03/05,Taro,x" << QStringList();
    QTest::newRow("short date never matches") << "3/5,Taro,1" << QStringList();
    QTest::newRow("name keeps spaces") << "03/05, 花子 ,1" << QStringList{"今日は  花子 " + bd};
    QTest::newRow("third comma in the rest") << "03/05,Taro,a,b,2" << QStringList{"今日は Taro です"};
    QTest::newRow("two matches in order") << "03/05,A,1\r\n01/01,X,1\r\n03/05,B,2\r\n"
                                          << QStringList{"今日は A" + bd, "今日は B です"};
}

void TestBirthday::lines()
{
    QFETCH(QString, file);
    QFETCH(QStringList, messages);
    QCOMPARE(birthdayMessages(file, QStringLiteral("03/05")), messages);
}

void TestBirthday::lineEnds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR LF") << "a\r\nb\r\n" << QStringList{"a", "b"};
    QTest::newRow("LF") << "a\nb" << QStringList{"a", "b"};
    QTest::newRow("CR") << "a\rb\r" << QStringList{"a", "b"};
    QTest::newRow("mixed, empty line") << "a\r\rb\nc" << QStringList{"a", "", "b", "c"};
    QTest::newRow("none") << "" << QStringList();
}

void TestBirthday::lineEnds()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(splitLines(text), lines);
}

void TestBirthday::key()
{
    QCOMPARE(birthdayKey(QDate(2026, 3, 5)), QStringLiteral("03/05"));
    QCOMPARE(birthdayKey(QDate(2026, 12, 31)), QStringLiteral("12/31"));
}

void TestBirthday::shiftJisFile()
{
    // "12/07,結婚記念日,2\r\n" in Shift_JIS.
    const QByteArray sjis = QByteArray("12/07,") + QByteArray::fromHex("8C8B8DA58B4C944F93FA") + ",2\r\n";
    QCOMPARE(decodeBirthdayFile(sjis), QStringLiteral("12/07,結婚記念日,2\r\n"));
    QCOMPARE(decodeBirthdayFile(QStringLiteral("12/07,花子,1").toUtf8()), QStringLiteral("12/07,花子,1"));
}

void TestBirthday::randomBytes()
{
    // Garbage without digits holds no greeting, and a good line amid garbage
    // still greets exactly once, whichever way the bytes decode.
    QRandomGenerator rng(7);
    for (int round = 0; round < 50; ++round) {
        QByteArray junk;
        const int n = int(rng.bounded(1, 4000));
        while (junk.size() < n) {
            const char c = char(rng.bounded(256));
            if (c < '0' || c > '9')
                junk += c;
        }
        junk += 'x'; // plain ASCII: no multi-byte sequence runs on into the line
        QVERIFY(birthdayMessages(decodeBirthdayFile(junk), QStringLiteral("12/07")).isEmpty());
        const QByteArray withLine = junk + "\r\n12/07,Taro,1\r\n" + junk;
        QCOMPARE(birthdayMessages(decodeBirthdayFile(withLine), QStringLiteral("12/07")),
                 QStringList{QStringLiteral("今日は Taro の誕生日です")});
    }
}

void TestBirthday::atStartUp()
{
    QTemporaryDir app, config;
    auto write = [](const QString &dir, const QByteArray &text) {
        QFile f(dir + QStringLiteral("/BirthDay.Txt"));
        return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
    };
    // A clock started on 12/07, with its settings in the user's folder or not.
    auto start = [&](Rig &r, bool userFolder) {
        if (userFolder)
            r.store.where = config.filePath(QStringLiteral("DIALVANE.conf"));
        r.time.t = QDateTime(QDate(2026, 12, 7), QTime(9, 0, 0));
        r.clock.start(QString());
    };
    QVERIFY(write(app.path(), QStringLiteral("12/07,太郎,1\n12/08,次郎,1\n12/07,記念日,2\n").toUtf8()));
    Rig rig(app.path());
    start(rig, false);
    QCOMPARE(rig.msg.shown, QStringList({"今日は 太郎 の誕生日です", "今日は 記念日 です"}));
    // Before the settings are loaded and before the window shows.
    QVERIFY(rig.log.indexOf("msg:") < rig.log.indexOf("tray.add"));
    QVERIFY(rig.log.indexOf("msg:") < rig.log.indexOf("present"));

    // The user's own file beside the settings wins over the program's.
    QVERIFY(write(config.path(), "12/07,Hanako,1\r\n"));
    Rig user(app.path());
    start(user, true);
    QCOMPARE(user.msg.shown, QStringList{"今日は Hanako の誕生日です"});

    // A file with thousands for today: a handful of boxes, then one with the count.
    QVERIFY(write(config.path(), QByteArray("12/07,Hanako,1\n").repeated(100000)));
    Rig many(app.path());
    start(many, true);
    QCOMPARE(many.msg.shown.size(), 6);
    // As many as the first megabyte holds, less the five shown.
    const qint64 rest = kBirthdayFileLimit / qint64(sizeof "12/07,Hanako,1\n" - 1) - 5;
    QCOMPARE(many.msg.shown.last(), QStringLiteral("今日のお知らせは、ほかに %1 件あります").arg(rest));
}

void TestBirthday::fileOfAnyKindIsSafe_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("shown");
    const QString longName(5000, QChar(u'長'));
    QTest::newRow("a folder of that name") << "folder" << QStringList{};
    QTest::newRow("FIFO") << "fifo" << QStringList{};
    QTest::newRow("a link to /dev/zero") << "zero" << QStringList{};
    QTest::newRow("beyond the first megabyte") << "huge" << QStringList{"今日は Early です"};
    QTest::newRow("a long greeting is cut") << "long" << QStringList{("今日は " + longName).left(199) + QChar(0x2026)};
}

void TestBirthday::fileOfAnyKindIsSafe()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, shown);
    QTemporaryDir app;
    const QString path = app.filePath(QStringLiteral("BirthDay.Txt"));
    if (kind == "folder") {
        QVERIFY(QDir(app.path()).mkdir(QStringLiteral("BirthDay.Txt")));
    } else if (kind == "fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == "zero") {
        QVERIFY(QFile::link("/dev/zero", path));
    } else {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        if (kind == "huge") {
            f.write("12/07,Early,2\n");
            f.write(QByteArray(2 * 1024 * 1024, 'x'));
            f.write("\n12/07,Late,2\n");
        } else {
            f.write(("12/07," + QString(5000, QChar(u'長')) + ",2\n").toUtf8());
        }
    }
    Rig rig(app.path());
    rig.time.t = QDateTime(QDate(2026, 12, 7), QTime(9, 0, 0));
    QElapsedTimer t;
    t.start();
    rig.clock.start(QString());
    QVERIFY(t.elapsed() < 2000);
    QCOMPARE(rig.msg.shown, shown);
}

QTEST_GUILESS_MAIN(TestBirthday)
#include "tst_birthday.moc"
