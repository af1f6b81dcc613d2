// SPDX-License-Identifier: GPL-3.0-or-later
// Power-off through logind, against python3-dbusmock's logind on a private
// system bus that this test starts and stops. Nothing here can reach the real
// system bus: the address is replaced before the first connection.

#include "Fakes.h"
#include "platform/LogindPower.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>

using namespace dv;

class TestPower : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void powerOff_data();
    void powerOff();
    void resumeRingsAMissedAlarmAtOnce();
    void sleepLockHeldUntilLetGo();
    void sleepDelayLetGoOnlyOnceArmed();
    void sleepDelayOneDescriptorOverStarts();

private:
    void startMock(const QString &canPowerOff);
    void stopMock();
    struct Answer {
        bool got = false;
        bool early = false;
        bool ok = false;
        QString error;
    };
    Answer request();
    QStringList powerOffCalls() const;

    QTemporaryDir m_dir;
    QString m_address;
    qint64 m_busPid = 0;
    QProcess m_mock;
    QProcess m_monitor;
};

void TestPower::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QFile conf(m_dir.filePath(QStringLiteral("bus.conf")));
    QVERIFY(conf.open(QIODevice::WriteOnly));
    conf.write(
        QStringLiteral(
            "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
            " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
            "<busconfig><type>system</type><listen>unix:dir=%1</listen><auth>EXTERNAL</auth>\n"
            "<policy context=\"default\"><allow user=\"*\"/><allow own=\"*\"/>\n"
            "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/></policy></busconfig>\n")
            .arg(m_dir.path())
            .toUtf8());
    conf.close();
    QProcess bus;
    bus.start(QStringLiteral("dbus-daemon"),
              {QStringLiteral("--config-file=") + conf.fileName(), QStringLiteral("--fork"),
               QStringLiteral("--print-address=1"), QStringLiteral("--print-pid=1")});
    QVERIFY(bus.waitForFinished(10000));
    const QStringList out = QString::fromUtf8(bus.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(out.size(), 2);
    m_address = out.at(0).trimmed();
    m_busPid = out.at(1).trimmed().toLongLong();
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", m_address.toUtf8());
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    QVERIFY(QDBusConnection::systemBus().isConnected());

    // Watch the wire for PowerOff calls; the mock's own log cannot tell a bool from an int.
    m_monitor.start(
        QStringLiteral("dbus-monitor"),
        {QStringLiteral("--address"), m_address,
         QStringLiteral("type='method_call',interface='org.freedesktop.login1.Manager',member='PowerOff'")});
    QVERIFY(m_monitor.waitForStarted());
    QTest::qWait(300);
}

void TestPower::cleanupTestCase()
{
    stopMock();
    m_monitor.kill();
    m_monitor.waitForFinished();
    if (m_busPid > 0)
        QProcess::execute(QStringLiteral("kill"), {QString::number(m_busPid)});
}

void TestPower::cleanup()
{
    stopMock();
}

void TestPower::startMock(const QString &canPowerOff)
{
    m_mock.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_mock.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--template"),
                  QStringLiteral("logind"), QStringLiteral("-p"),
                  QStringLiteral("{\"CanPowerOff\": \"%1\"}").arg(canPowerOff)});
    QVERIFY(m_mock.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(
        QDBusConnection::systemBus().interface()->isServiceRegistered(QStringLiteral("org.freedesktop.login1")), 10000);
}

void TestPower::stopMock()
{
    if (m_mock.state() != QProcess::NotRunning) {
        m_mock.terminate();
        m_mock.waitForFinished(5000);
    }
}

TestPower::Answer TestPower::request()
{
    LogindPower power;
    Answer a;
    QObject::connect(&power, &LogindPower::done, [&a](bool ok, const QString &error) {
        a.got = true;
        a.ok = ok;
        a.error = error;
    });
    power.requestPowerOff();
    a.early = a.got; // an answer must wait until the caller is back in the event loop
    QElapsedTimer t;
    t.start();
    while (!a.got && t.elapsed() < 15000)
        QTest::qWait(20);
    return a;
}

QStringList TestPower::powerOffCalls() const
{
    QTest::qWait(300);
    const_cast<QProcess &>(m_monitor).waitForReadyRead(200);
    static QString seen;
    seen += QString::fromUtf8(const_cast<QProcess &>(m_monitor).readAllStandardOutput());
    QStringList calls;
    const QStringList lines = seen.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i)
        if (lines[i].contains(QLatin1String("member=PowerOff")))
            calls << (i + 1 < lines.size() ? lines[i + 1].trimmed() : QString());
    seen.clear();
    return calls;
}

void TestPower::powerOff_data()
{
    QTest::addColumn<QString>("can"); // CanPowerOff of the mock; none: no logind at all
    QTest::addColumn<bool>("deny");   // PowerOff itself raises AccessDenied
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("errorHas");
    QTest::addColumn<QStringList>("calls");
    const QStringList once{QStringLiteral("boolean true")};
    QTest::newRow("accepted") << "yes" << false << true << "" << once;
    QTest::newRow("no") << "no" << false << false << "no" << QStringList();
    QTest::newRow("na") << "na" << false << false << "na" << QStringList();
    QTest::newRow("access denied") << "challenge" << true << false << "not allowed" << once; // asked once, refused
    QTest::newRow("no logind") << "" << false << false << "org.freedesktop.login1" << QStringList();
}

void TestPower::powerOff()
{
    QFETCH(QString, can);
    QFETCH(bool, deny);
    QFETCH(bool, ok);
    QFETCH(QString, errorHas);
    QFETCH(QStringList, calls);
    if (!can.isEmpty())
        startMock(can);
    if (deny) {
        auto add = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
            QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("AddMethod"));
        add << QStringLiteral("org.freedesktop.login1.Manager") << QStringLiteral("PowerOff") << QStringLiteral("b")
            << QString()
            << QStringLiteral("raise dbus.exceptions.DBusException('not allowed', "
                              "name='org.freedesktop.DBus.Error.AccessDenied')");
        const QDBusMessage r = QDBusConnection::systemBus().call(add);
        QVERIFY2(r.type() == QDBusMessage::ReplyMessage, qPrintable(r.errorMessage()));
    }
    const Answer a = request();
    QVERIFY(a.got && !a.early);
    QVERIFY2(a.ok == ok, qPrintable(a.error));
    QVERIFY2(a.error.contains(errorHas), qPrintable(a.error));
    QCOMPARE(powerOffCalls(), calls);
}

// The mock's logind says the machine goes to sleep (or woke).
static void emitSleep(bool sleeping)
{
    auto m = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.login1"),
                                            QStringLiteral("/org/freedesktop/login1"),
                                            QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("EmitSignal"));
    m << QStringLiteral("org.freedesktop.login1.Manager") << QStringLiteral("PrepareForSleep") << QStringLiteral("b")
      << QVariantList{sleeping};
    const QDBusMessage r = QDBusConnection::systemBus().call(m);
    QVERIFY2(r.type() == QDBusMessage::ReplyMessage, qPrintable(r.errorMessage()));
}

// The clock's locks of this kind and mode that the mock's logind holds.
static int locksHeld(const QString &want, const QString &wantMode)
{
    const QDBusMessage r = QDBusConnection::systemBus().call(QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("ListInhibitors")));
    if (r.type() != QDBusMessage::ReplyMessage)
        return -1;
    const QDBusArgument list = r.arguments().value(0).value<QDBusArgument>();
    int n = 0;
    list.beginArray();
    while (!list.atEnd()) {
        QString what, who, why, mode;
        uint uid = 0, pid = 0;
        list.beginStructure();
        list >> what >> who >> why >> mode >> uid >> pid;
        list.endStructure();
        n += what == want && who == "Dialvane" && mode == wantMode && !why.isEmpty();
    }
    list.endArray();
    return n;
}

void TestPower::resumeRingsAMissedAlarmAtOnce()
{
    startMock(QStringLiteral("yes"));
    LogindPower power;
    test::Rig rig;
    QObject::connect(&power, &LogindPower::resumed, &power, [&rig] { rig.clock.resumed(); });
    rig.clock.start(QString());
    rig.set({{"AlarmTime1", "07:30"}, {"AlarmSound1", "/s/1.wav"}});
    rig.time.t = QDateTime(QDate(2026, 12, 7), QTime(7, 29, 55));
    rig.run(2000);
    // Asleep from 07:29:57 to 07:40; logind tells, and no tick comes.
    emitSleep(true);
    rig.time.t = QDateTime(QDate(2026, 12, 7), QTime(7, 40, 0), Qt::UTC);
    QTest::qWait(300);
    QCOMPARE(rig.sound.played.size(), 0); // going to sleep rings nothing
    emitSleep(false);
    QTRY_COMPARE_WITH_TIMEOUT(rig.sound.played, QStringList{"/s/1.wav"}, 3000);
    QCOMPARE(rig.ui.notice.dueAt, QStringLiteral("07:30"));
}

void TestPower::sleepLockHeldUntilLetGo()
{
    startMock(QStringLiteral("yes"));
    LogindPower power;
    power.holdOffSleep(true);
    power.holdOffSleep(true); // asked twice while ringing: one lock
    QTRY_VERIFY_WITH_TIMEOUT(power.sleepHeldOff(), 5000);
    QTest::qWait(200);
    QCOMPARE(locksHeld("sleep:idle", "block"), 1);
    power.holdOffSleep(false);
    QTRY_COMPARE_WITH_TIMEOUT(locksHeld("sleep:idle", "block"), 0, 3000);
    // The ring ended before logind answered: the lock goes as soon as it comes.
    power.holdOffSleep(true);
    power.holdOffSleep(false);
    QTest::qWait(500);
    QVERIFY(!power.sleepHeldOff());
    QCOMPARE(locksHeld("sleep:idle", "block"), 0);
}

void TestPower::sleepDelayLetGoOnlyOnceArmed()
{
    startMock(QStringLiteral("yes"));
    LogindPower power;
    test::Rig rig({}, nullptr, nullptr, &power);
    QObject::connect(&power, &LogindPower::goingToSleep, &power, [&rig] { rig.clock.goingToSleep(); });
    QObject::connect(&power, &LogindPower::resumed, &power, [&rig] { rig.clock.resumed(); });
    int heldWhenArmed = -1;
    rig.wake.onArm = [&heldWhenArmed, &power] { heldWhenArmed = power.holdsSleepDelay(); };
    rig.clock.start(QString());
    QTest::qWait(300);
    QCOMPARE(locksHeld("sleep", "delay"), 0); // no alarm wakes the machine: nothing held
    rig.set({{"AlarmTime1", "07:30"}, {"AlarmWake1", "True"}});
    QTRY_COMPARE_WITH_TIMEOUT(locksHeld("sleep", "delay"), 1, 5000);
    heldWhenArmed = -1;
    emitSleep(true);
    QTRY_COMPARE_WITH_TIMEOUT(locksHeld("sleep", "delay"), 0, 5000);
    QCOMPARE(heldWhenArmed, 1); // armed anew while the suspend still waited
    emitSleep(false);
    QTRY_COMPARE_WITH_TIMEOUT(locksHeld("sleep", "delay"), 1, 5000);
    rig.set({{"AlarmWake1", "False"}});
    QTRY_COMPARE_WITH_TIMEOUT(locksHeld("sleep", "delay"), 0, 5000);
}

// Runs the event loop, as the program does once started, until `done` or
// `ms` pass. Not QTest::qWait: that also deletes what was let go with
// deleteLater() anywhere, which the program's loop does not.
static bool runLoopUntil(const std::function<bool()> &done, int ms)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start(10);
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

// This process's descriptors that write into a pipe, by pipe: a lock from the
// mock's logind is the write end of a pipe, held while any copy is open.
static QMap<ino_t, int> pipeWriters()
{
    QMap<ino_t, int> writers;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString &name : fds.entryList(QDir::NoDotAndDotDot | QDir::System | QDir::Files)) {
        const int fd = name.toInt();
        struct stat st { };
        if (fstat(fd, &st) == 0 && S_ISFIFO(st.st_mode) && (fcntl(fd, F_GETFL) & O_ACCMODE) == O_WRONLY)
            ++writers[st.st_ino];
    }
    return writers;
}

void TestPower::sleepDelayOneDescriptorOverStarts()
{
    startMock(QStringLiteral("yes"));
    const QMap<ino_t, int> own = pipeWriters(); // standard output, the helpers' pipes
    for (int start = 0; start < 50; ++start) {
        LogindPower power;
        test::Rig rig({}, nullptr, nullptr, &power);
        QObject::connect(&power, &LogindPower::goingToSleep, &power, [&rig] { rig.clock.goingToSleep(); });
        rig.store.values = {{"AlarmTime1", "07:30"}, {"AlarmWake1", "True"}};
        rig.clock.start(QString());
        // logind answers inside a nested loop (a window manager's move, say),
        // where what was let go with deleteLater() stays.
        QElapsedTimer t;
        t.start();
        while (!power.holdsSleepDelay() && t.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QVERIFY2(power.holdsSleepDelay(), qPrintable(QString::number(start)));
        QCOMPARE(locksHeld("sleep", "delay"), 1);
        QMap<ino_t, int> lock = pipeWriters();
        for (auto it = own.begin(); it != own.end(); ++it)
            lock.remove(it.key());
        QVERIFY2(lock.values() == QList<int>{1}, qPrintable(QStringLiteral("start %1: descriptors of the lock: %2")
                                                                .arg(start)
                                                                .arg(lock.isEmpty() ? 0 : lock.first())));
        emitSleep(true);
        QVERIFY2(runLoopUntil([] { return locksHeld("sleep", "delay") == 0; }, 3000),
                 qPrintable(QStringLiteral("start %1: still listed after PrepareForSleep").arg(start)));
        QVERIFY(!power.holdsSleepDelay());
    }
}

QTEST_GUILESS_MAIN(TestPower)
#include "tst_power.moc"
