// SPDX-License-Identifier: GPL-3.0-or-later
// The local time read with the zone file looked at once a minute: right
// across summer time, and the new zone within a minute of the file changing.

#include "platform/LocalZone.h"

#include <QTemporaryDir>
#include <QTimeZone>
#include <QtTest>

using namespace dv;

class TestLocalZone : public QObject {
    Q_OBJECT
private slots:
    void followsTheZoneFile();
    void userTzLeftAlone();
};

namespace {
qint64 utc(int month, int day, int h, int m, int s)
{
    return QDateTime(QDate(2026, month, day), QTime(h, m, s), Qt::UTC).toMSecsSinceEpoch();
}
QString zoned(qint64 ms, const char *zone)
{
    return QDateTime::fromMSecsSinceEpoch(ms, QTimeZone(zone)).toString(Qt::ISODate).left(19);
}
QString shown(LocalZone &z, qint64 ms)
{
    return z.at(ms).toString(Qt::ISODate).left(19);
}
bool place(const QString &to, const char *zone)
{
    QFile::remove(to); // a new file, as a zone change makes one
    return QFile::copy(QStringLiteral("/usr/share/zoneinfo/") + zone, to);
}
} // namespace

void TestLocalZone::followsTheZoneFile()
{
    qunsetenv("TZ");
    QTemporaryDir dir;
    const QString file = dir.filePath("localtime");
    QVERIFY(place(file, "Europe/Berlin"));
    LocalZone z(QFile::encodeName(file));
    // Summer time begins at 01:00 UTC on 29 March: 01:59:59 is followed by 03:00:00.
    for (const qint64 ms : {utc(3, 29, 0, 59, 59), utc(3, 29, 1, 0, 0), utc(10, 25, 0, 59, 59), utc(10, 25, 1, 0, 0)})
        QCOMPARE(shown(z, ms), zoned(ms, "Europe/Berlin"));
    QCOMPARE(shown(z, utc(3, 29, 1, 0, 0)), QStringLiteral("2026-03-29T03:00:00"));
    QCOMPARE(z.at(utc(3, 29, 1, 0, 0)).offsetFromUtc(), 7200);
    // The zone changed: the next minute shows it, and so does a clock set back.
    QVERIFY(place(file, "Asia/Tokyo"));
    QCOMPARE(shown(z, utc(10, 25, 1, 1, 0)), QStringLiteral("2026-10-25T10:01:00"));
    QVERIFY(place(file, "America/New_York"));
    QCOMPARE(shown(z, utc(3, 8, 6, 59, 59)), QStringLiteral("2026-03-08T01:59:59"));
    QCOMPARE(shown(z, utc(3, 8, 7, 0, 0)), QStringLiteral("2026-03-08T03:00:00"));
}

void TestLocalZone::userTzLeftAlone()
{
    qputenv("TZ", "Asia/Tokyo");
    QTemporaryDir dir;
    const QString file = dir.filePath("localtime");
    QVERIFY(place(file, "Europe/Berlin"));
    LocalZone z(QFile::encodeName(file));
    QCOMPARE(qgetenv("TZ"), QByteArray("Asia/Tokyo"));
    QCOMPARE(shown(z, utc(3, 29, 1, 0, 0)), QStringLiteral("2026-03-29T10:00:00"));
    qunsetenv("TZ");
}

QTEST_GUILESS_MAIN(TestLocalZone)
#include "tst_localzone.moc"
