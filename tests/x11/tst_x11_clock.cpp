// The built program in a real X session (Xvfb, openbox, tint2).

#include "XTools.h"

using namespace dv::xt;

class TestX11Clock : public QObject {
    Q_OBJECT
private slots:
    void appearsAtStoredPositionWithoutWriting_data();
    void appearsAtStoredPositionWithoutWriting();
};

void TestX11Clock::appearsAtStoredPositionWithoutWriting_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QPoint>("pos");
    QTest::newRow("empty store") << QString() << QPoint(0, 0);
    QTest::newRow("stored position") << "FormLeft=3000\nFormTop=1500\nClockSize=480\n" << QPoint(200, 100);
}

void TestX11Clock::appearsAtStoredPositionWithoutWriting()
{
    QFETCH(QString, ini);
    QFETCH(QPoint, pos);
    ClockProcess clock;
    if (!ini.isEmpty())
        clock.writeSettings(ini);
    clock.start();
    const QString win = clock.clockWindow();
    QVERIFY2(!win.isEmpty(), "no 120 x 120 clock window");
    QVERIFY(waitFor([&] { return geometry(win).topLeft() == pos; }, 3000));
    QCOMPARE(geometry(win), QRect(pos, QSize(120, 120)));
    QThread::msleep(2500); // a few ticks
    if (ini.isEmpty()) {
        QVERIFY(!QFile::exists(clock.confPath()));
    } else {
        QFile f(clock.confPath());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(f.readAll()), QStringLiteral("[General]\n") + ini);
    }
}

QTEST_GUILESS_MAIN(TestX11Clock)
#include "tst_x11_clock.moc"
