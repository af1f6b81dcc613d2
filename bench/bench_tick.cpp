// How late after the start of a second the running clock shows it: the real
// clock program in this process (an X display is needed), its window's paints
// timed against the wall clock. Beside it, in the same run, a plain 250 ms
// QTimer that notices the new second on its next tick, as a naive clock does.

#include "app/ClockApp.h"

#include <QApplication>
#include <QDateTime>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
struct PaintProbe : QObject {
    std::vector<int> lateMs;
    int lastSecond = -1;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint) {
            const QTime t = QTime::currentTime();
            if (t.second() != lastSecond) {
                lastSecond = t.second();
                lateMs.push_back(t.msec());
            }
        }
        return false;
    }
};

void report(const char *name, std::vector<int> v)
{
    if (v.size() < 3) {
        std::printf("%-24s not enough samples\n", name);
        return;
    }
    v.erase(v.begin()); // the first second is start-up
    std::sort(v.begin(), v.end());
    std::printf("%-24s seconds %3zu  median %4d ms  worst %4d ms\n", name, v.size(), v[v.size() / 2], v.back());
}
} // namespace

int main(int argc, char **argv)
{
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 20;
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    dv::ClockApp clock(QCoreApplication::applicationDirPath());
    PaintProbe probe;
    clock.window().installEventFilter(&probe);
    clock.start(QString());

    std::vector<int> naive;
    int naiveLast = QTime::currentTime().second();
    QTimer plain;
    QObject::connect(&plain, &QTimer::timeout, [&] {
        const QTime t = QTime::currentTime();
        if (t.second() != naiveLast) {
            naiveLast = t.second();
            naive.push_back(t.msec());
        }
    });
    plain.start(250);
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    app.exec();
    report("dialvane (aligned tick)", probe.lateMs);
    report("plain 250 ms timer", naive);
    return 0;
}
