// SPDX-License-Identifier: GPL-3.0-or-later
// The running clock's memory through a day, in a few seconds: the clock of
// this process is shown at 120 px, idles, then lives a day on a wall clock of
// its own (the bench's clock_gettime and gettimeofday below): every time signal, three alarms
// each rung, snoozed, rung again and stopped, and the settings dialog opened
// and closed. Prints the resident memory at idle, the most seen during the day,
// at its end, and before and after the first alarm window and the first
// dialog (each measured once the clock has settled after it closed). Run it under X (tests/x11/with-x.sh) with SDL_AUDIODRIVER=dummy.
//   bench_day [IDLE-SECONDS]

#include "Rss.h"
#include "app/ClockApp.h"
#include "resources/ObjectNames.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sys/syscall.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

// The wall clock the program reads: the real one until the day starts, then
// the bench's own, which moves only when the bench moves it.
std::atomic<long long> g_fakeNs{0};

} // namespace

// Seen by Qt before the C library's (the program's own symbols come first).
extern "C" int clock_gettime(clockid_t id, struct timespec *ts)
{
    const long long fake = g_fakeNs.load();
    if (fake != 0 && (id == CLOCK_REALTIME || id == CLOCK_REALTIME_COARSE)) {
        ts->tv_sec = time_t(fake / 1'000'000'000);
        ts->tv_nsec = long(fake % 1'000'000'000);
        return 0;
    }
    return int(syscall(SYS_clock_gettime, id, ts));
}

extern "C" int gettimeofday(struct timeval *tv, void *)
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    tv->tv_sec = ts.tv_sec;
    tv->tv_usec = ts.tv_nsec / 1000;
    return 0;
}

namespace {

QByteArray wavTone(double seconds, int rate = 22050)
{
    QByteArray d(int(seconds * rate) * 2, '\0');
    for (int i = 0; i < d.size() / 2; ++i)
        qToLittleEndian<qint16>(qint16((i / 25) % 2 ? 8000 : -8000), d.data() + 2 * i);
    QByteArray h = "RIFF" + QByteArray(4, 0) + "WAVEfmt " + QByteArray::fromHex("10000000010001002256000044AC00000200")
                   + QByteArray::fromHex("1000") + "data";
    char b[4];
    qToLittleEndian(quint32(d.size()), b);
    h.append(b, 4);
    qToLittleEndian(quint32(h.size() - 8 + d.size()), b);
    h.replace(4, 4, QByteArray(b, 4));
    return h + d;
}

void settle(int ms)
{
    for (int i = 0; i < ms / 50; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(50);
    }
}

// Long enough for the clock to give back what a closed window brought in.
constexpr int kGiveBackMs = 4000;

template <typename W>
W *shown()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *x = qobject_cast<W *>(w); x && x->isVisible())
            return x;
    return nullptr;
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit()); // no stored settings of the user's
    qputenv("XDG_STATE_HOME", dir.path().toLocal8Bit());  // nor alarm state
    const int idleSecs = argc > 1 ? std::atoi(argv[1]) : 10;
    QFile wav(dir.filePath(QStringLiteral("ring.wav")));
    if (!wav.open(QIODevice::WriteOnly) || wav.write(wavTone(0.3)) <= 0)
        return 1;
    wav.close();
    QDir().mkpath(dir.filePath(QStringLiteral("MOKU")));
    QFile conf(dir.filePath(QStringLiteral("MOKU/DIALVANE.conf")));
    if (!conf.open(QIODevice::WriteOnly))
        return 1;
    // The day starts now, on the next whole minute: the wall clock never jumps,
    // so no alarm is passed over. The alarms ring 2, 8 and 14 hours into it.
    const QDateTime dayStart = QDateTime::fromSecsSinceEpoch(
        (QDateTime::currentSecsSinceEpoch() + qint64(idleSecs) + 60) / 60 * 60);
    conf.write("[General]\nClockSize=120\nFormLeft=1500\nFormTop=1500\nJihou=True\nJihou00File="
               + wav.fileName().toUtf8() + "\n");
    for (int i = 1; i <= 3; ++i)
        conf.write(QStringLiteral("AlarmTime%1=%2:00\nAlarmSound%1=%3\nAlarmMessage%1=alarm %1\n")
                       .arg(i)
                       .arg((dayStart.time().hour() + i * 6 - 4) % 24, 2, 10, QLatin1Char('0'))
                       .arg(wav.fileName())
                       .toUtf8());
    conf.close();

    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("MOKU"));
    QCoreApplication::setApplicationName(QStringLiteral("DIALVANE"));
    dv::ClockApp clockApp(QCoreApplication::applicationDirPath() + QStringLiteral("/.."));
    clockApp.start(QString(), QDateTime::currentMSecsSinceEpoch());
    settle(2000);
    const double started = rssMb();
    settle(qMax(0, idleSecs * 1000 - 2000));
    const double idle = rssMb();

    // The day: a second at a time round every event, a minute at a time between.
    qint64 at = dayStart.toSecsSinceEpoch();
    double most = idle, beforeAlarm = -1, afterAlarm = -1, beforeDialog = -1, afterDialog = -1;
    int alarmsShown = 0, stops = 0;
    auto tick = [&](qint64 secs) {
        at = secs;
        g_fakeNs = static_cast<long long>(at) * 1'000'000'000 + 1000;
        const double beforeTick = rssMb();
        clockApp.clock().onTick();
        QCoreApplication::processEvents();
        // A time signal plays to its end, and the clock ticks on alone a while, as in an hour.
        if (clockApp.clock().schedule().sounding() == dv::Sounding::TimeSignal) {
            for (int i = 0; i < 40 && clockApp.clock().schedule().sounding() == dv::Sounding::TimeSignal; ++i)
                settle(50);
            most = qMax(most, rssMb());
            settle(kGiveBackMs);
        }
        if (dv::AlarmWindow *w = shown<dv::AlarmWindow>()) {
            if (alarmsShown++ == 0)
                beforeAlarm = beforeTick;
            settle(300); // it flashes a little
            most = qMax(most, rssMb());
            // Snoozed the first time it rings, stopped the second.
            const bool snooze = alarmsShown % 2 == 1;
            if (auto *b = w->findChild<QPushButton *>(
                    QString::fromLatin1(snooze ? dv::id::snoozeButton : dv::id::stopButton)))
                b->click();
            settle(200);
            most = qMax(most, rssMb());
            if (alarmsShown == 1) {
                settle(kGiveBackMs);
                afterAlarm = rssMb();
            }
            stops += snooze ? 0 : 1;
        }
        most = qMax(most, rssMb());
    };
    const qint64 end = at + 24 * 3600;
    bool dialogDone = false;
    while (at < end) {
        // Each second of an hour's last minute and first five, a minute at a time between.
        const int s = int(at % 3600);
        tick(s >= 3540 || s < 5 ? at + 1 : at + 60 - at % 60);
        if (!dialogDone && at >= dayStart.toSecsSinceEpoch() + 18 * 3600) {
            dialogDone = true;
            beforeDialog = rssMb();
            clockApp.openSettings(true);
            settle(500);
            most = qMax(most, rssMb());
            if (QWidget *d = shown<dv::SettingsDialog>())
                d->close();
            settle(200);
            most = qMax(most, rssMb());
            settle(kGiveBackMs);
            afterDialog = rssMb();
        }
    }
    settle(kGiveBackMs);
    const double last = rssMb();
    std::printf(
        "resident memory, MB: 2 s after start %.1f  idle %.1f  most in the day %.1f (+%.1f)  at its end %.1f (+%.1f)\n",
        started, idle, most, most - idle, last, last - idle);
    std::printf("first alarm window: %.1f before, %.1f after it closed (+%.1f); "
                "settings dialog: %.1f before, %.1f after (+%.1f)\n",
                beforeAlarm, afterAlarm, afterAlarm - beforeAlarm, beforeDialog, afterDialog,
                afterDialog - beforeDialog);
    std::printf("alarm windows shown %d, stopped %d (3 alarms, each snoozed once: 6 and 3)\n", alarmsShown, stops);
    std::printf("DAY %.1f %.1f %.1f %.2f %.2f\n", idle, most, last, afterAlarm - beforeAlarm,
                afterDialog - beforeDialog);
    return alarmsShown == 6 && stops == 3 ? 0 : 1;
}
