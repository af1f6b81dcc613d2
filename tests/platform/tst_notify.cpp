// SPDX-License-Identifier: GPL-3.0-or-later
// Alarms on the desktop's notification service, against python3-dbusmock's
// notification daemon on the private session bus that dbus-run-session gives
// this test (see tests/CMakeLists.txt).

#include "alarm/AlarmWindow.h"
#include "app/ClockApp.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace dv;

class TestNotify : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void actionsStopOrSnooze_data();
    void actionsStopOrSnooze();
    void endedBeforeTheIdCameIsClosed_data();
    void endedBeforeTheIdCameIsClosed();
    void noServiceBreaksNothing();

private:
    QString log() const;
    QTemporaryDir m_dir;
    QProcess m_mock;
};

void TestNotify::initTestCase()
{
    QVERIFY(m_dir.isValid());
    qputenv("XDG_CONFIG_HOME", m_dir.path().toLocal8Bit());
    QVERIFY(QDBusConnection::sessionBus().isConnected());
    m_mock.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_mock.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--template"),
                  QStringLiteral("notification_daemon"), QStringLiteral("-l"), m_dir.filePath(QStringLiteral("log"))});
    QVERIFY(m_mock.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(
        QDBusConnection::sessionBus().interface()->isServiceRegistered(QStringLiteral("org.freedesktop.Notifications")),
        10000);
}

void TestNotify::cleanupTestCase()
{
    if (m_mock.state() != QProcess::NotRunning) {
        m_mock.terminate();
        m_mock.waitForFinished(5000);
    }
}

QString TestNotify::log() const
{
    QFile f(m_dir.filePath(QStringLiteral("log")));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void TestNotify::actionsStopOrSnooze_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("stop") << "stop";
    QTest::newRow("snooze") << "snooze";
}

void TestNotify::actionsStopOrSnooze()
{
    QFETCH(QString, action);
    ClockApp app(qEnvironmentVariable("DIALVANE_BUILD_DIR"));
    Clock &c = app.clock();
    // An alarm of this very minute falls due and rings.
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime at(now.date(), QTime(now.time().hour(), now.time().minute()));
    c.settings().alarmTime1 = at.toString(QStringLiteral("HH:mm"));
    c.settings().alarmMessage1 = QStringLiteral("朝会");
    c.applyAlarmTimes();
    c.schedule().alarmsDue(QDateTime(), at);
    c.schedule().serve();
    QCOMPARE(c.schedule().sounding(), Sounding::Alarm1);
    QTRY_VERIFY_WITH_TIMEOUT(app.notifications().alarmId() != 0, 5000);
    const QString told = log();
    QVERIFY2(told.contains(QStringLiteral("\"stop\", \"アラームを止める\", \"snooze\", \"スヌーズ\"")),
             qPrintable(told));
    QVERIFY2(told.contains(QStringLiteral("\"urgency\": 2")), qPrintable(told));
    QVERIFY(told.contains(QStringLiteral("朝会")));

    // The desktop's button acts like the window's own button of that name.
    AlarmWindow *window = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        window = window ? window : qobject_cast<AlarmWindow *>(w);
    QVERIFY(window);
    QSignalSpy stopped(window, &AlarmWindow::stopped), snoozed(window, &AlarmWindow::snoozed);
    QDBusMessage invoke = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("EmitSignal"));
    invoke << QStringLiteral("org.freedesktop.Notifications") << QStringLiteral("ActionInvoked") << QStringLiteral("us")
           << QVariantList{QVariant::fromValue(app.notifications().alarmId()), QVariant::fromValue(action)};
    const QDBusMessage reply = QDBusConnection::sessionBus().call(invoke);
    QVERIFY2(reply.type() != QDBusMessage::ErrorMessage, qPrintable(reply.errorMessage()));
    QTRY_COMPARE_WITH_TIMEOUT(c.schedule().sounding(), Sounding::None, 5000);
    QCOMPARE(stopped.count(), action == "stop" ? 1 : 0);
    QCOMPARE(snoozed.count(), action == "snooze" ? 1 : 0);

    // The missed alarms' message goes there too.
    app.missedAlarmsTold(QStringLiteral("missed 07:30"));
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(QStringLiteral("missed 07:30")), 5000);
}

void TestNotify::endedBeforeTheIdCameIsClosed_data()
{
    QTest::addColumn<int>("answerAfterSecs"); // how long the service takes over each Notify
    QTest::newRow("at once") << 0;
    QTest::newRow("slow service") << 6;
}

void TestNotify::endedBeforeTheIdCameIsClosed()
{
    QFETCH(int, answerAfterSecs);
    // The template's own Notify, answering late: ids still count up from 1.
    QDBusMessage notify = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("AddMethod"));
    notify << QStringLiteral("org.freedesktop.Notifications") << QStringLiteral("Notify")
           << QStringLiteral("susssasa{sv}i") << QStringLiteral("u")
           << QStringLiteral("time.sleep(%1)\nret = self.next_id\nself.next_id += 1").arg(answerAfterSecs);
    const QDBusMessage added = QDBusConnection::sessionBus().call(notify);
    QVERIFY2(added.type() == QDBusMessage::ReplyMessage, qPrintable(added.errorMessage()));

    // Its id is the count of notifications so far, earlier tests' included.
    const QString id = QString::number(log().count(QStringLiteral(" Notify ")) + 1);
    DesktopNotifications desktop;
    desktop.alarm(QStringLiteral("07:30"), QStringLiteral("朝会"));
    desktop.withdrawAlarm(); // stopped before the event loop ran
    QTRY_VERIFY2_WITH_TIMEOUT(log().contains(QStringLiteral("CloseNotification ") + id), qPrintable(log()),
                              (answerAfterSecs + 5) * 1000);
    QCOMPARE(desktop.alarmId(), 0u);
}

void TestNotify::noServiceBreaksNothing()
{
    m_mock.terminate();
    QVERIFY(m_mock.waitForFinished(5000));
    ClockApp app(qEnvironmentVariable("DIALVANE_BUILD_DIR"));
    QElapsedTimer t;
    t.start();
    app.showAlarmWindow({QStringLiteral("07:30"), QString(), QString(), false});
    app.missedAlarmsTold(QStringLiteral("missed"));
    QVERIFY(t.elapsed() < 500);
    QTest::qWait(300);
    QCOMPARE(app.notifications().alarmId(), 0u);
}

QTEST_MAIN(TestNotify)
#include "tst_notify.moc"
