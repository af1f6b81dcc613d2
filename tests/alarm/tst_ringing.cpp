// An alarm rings until stopped: the real schedule and the real player on SDL's
// dummy driver, with the rig's simulated wall clock.

#include "Fakes.h"
#include "platform/SdlSound.h"

#include <QtEndian>
#include <QtTest>

using namespace dv;
using namespace dv::test;

namespace {
// A mono 16-bit WAV of `seconds` of a quiet square wave.
QByteArray wav(double seconds, int rate = 22050)
{
    const quint32 n = quint32(seconds * rate);
    QByteArray out(44 + int(n * 2), '\0');
    char *p = out.data();
    auto put = [&p](const char *s) { std::memcpy(std::exchange(p, p + 4), s, 4); };
    auto u32 = [&p](quint32 v) { qToLittleEndian(v, std::exchange(p, p + 4)); };
    auto u16 = [&p](quint16 v) { qToLittleEndian(v, std::exchange(p, p + 2)); };
    put("RIFF"), u32(36 + n * 2), put("WAVE"), put("fmt "), u32(16), u16(1), u16(1);
    u32(quint32(rate)), u32(quint32(rate * 2)), u16(2), u16(16), put("data"), u32(n * 2);
    for (quint32 i = 0; i < n; ++i)
        qToLittleEndian<qint16>(qint16((i / 25) % 2 ? 2000 : -2000), p + 2 * i);
    return out;
}
} // namespace

class TestRinging : public QObject {
    Q_OBJECT
private slots:
    void repeatsSnoozesAndStopsAfterTenMinutes();
};

void TestRinging::repeatsSnoozesAndStopsAfterTenMinutes()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("short.wav"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(wav(0.3));
    f.close();

    SdlSound player;
    Rig rig({}, nullptr, &player);
    int ends = 0;
    const auto toSchedule = player.finished;
    player.finished = [&] {
        ++ends;
        toSchedule();
    };
    rig.clock.start(QString());
    rig.set({{"AlarmTime1", "07:00"}, {"AlarmSound1", file}});
    rig.time.t = QDateTime(QDate(2026, 12, 7), QTime(6, 59, 59));
    rig.run(1000);
    QVERIFY(rig.ui.alarmOpen);
    QVERIFY2(player.isPlaying(), qPrintable(player.lastError()));

    // The 0.3 s sound ends and starts again, and again.
    QTRY_VERIFY_WITH_TIMEOUT(ends >= 3, 5000);
    QVERIFY(player.isPlaying());
    QCOMPARE(rig.clock.schedule().sounding(), Sounding::Alarm1);

    // Ten minutes on the wall clock: the sound stops, the window stays.
    rig.run(10 * 60 * 1000);
    QVERIFY(!player.isPlaying());
    const int endsAtLimit = ends;
    QTest::qWait(700);
    QVERIFY(!player.isPlaying());
    QCOMPARE(ends, endsAtLimit);
    QVERIFY(rig.ui.alarmOpen);

    // Snoozed: quiet for five minutes, then it rings again in the same way.
    rig.ui.pressSnooze();
    QVERIFY(!player.isPlaying());
    rig.run(5 * 60 * 1000 - 1000);
    QVERIFY(!player.isPlaying());
    rig.run(1000);
    QVERIFY(player.isPlaying());
    QVERIFY(rig.ui.alarmOpen);
    QTRY_VERIFY_WITH_TIMEOUT(ends >= endsAtLimit + 2, 5000);
    QVERIFY(player.isPlaying());

    rig.ui.pressStop();
    QVERIFY(!player.isPlaying());
    QCOMPARE(rig.clock.schedule().sounding(), Sounding::None);
}

QTEST_MAIN(TestRinging)
#include "tst_ringing.moc"
