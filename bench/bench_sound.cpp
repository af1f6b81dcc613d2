// SPDX-License-Identifier: GPL-3.0-or-later
// The clock's memory around its sounds, and how soon a time signal sounds.
// The clock itself (offscreen unless a display is given) plays the hourly
// signal from a MIDI file PLAYS times: its resident memory before any sound,
// during the first play and after the last, whether a sound library is mapped
// in it, and the player's own memory during a play. Then a WAV and a MIDI
// file, each played ROUNDS times: from the call to play to the first sample
// mixed.
//   bench_sound [PLAYS [ROUNDS]]      (run with SDL_AUDIODRIVER=dummy)

#include "app/ClockApp.h"
#if __has_include("platform/SoundProcess.h") // the same figures can be taken of a clock that plays in itself
#include "Rss.h"
#include "platform/SoundProcess.h"
#define DV_SOUND_PROCESS
#endif

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <algorithm>
#include <cstdio>

namespace {

// The resident memory of this process's sound player, if one runs.
double playerRssMb()
{
    const QByteArray parent = QByteArray::number(QCoreApplication::applicationPid());
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        if (line.mid(line.lastIndexOf(')') + 4).split(' ').value(0) == parent)
            return rssMb(pid);
    }
    return 0;
}

QStringList soundLibraries()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    maps.open(QIODevice::ReadOnly);
    QStringList found;
    for (const QByteArray &line : maps.readAll().split('\n'))
        if (line.contains("libSDL2") || line.contains("fluidsynth") || line.contains("libinstpatch"))
            found << QString::fromUtf8(line.mid(line.lastIndexOf('/') + 1));
    found.removeDuplicates();
    return found;
}

QByteArray midiNote()
{
    const QByteArray track = QByteArray::fromHex("00C000"
                                                 "00903C64"
                                                 "8340803C00"
                                                 "00FF2F00");
    char len[4];
    qToBigEndian(quint32(track.size()), len);
    return QByteArray::fromHex("4D546864000000060000000100C0") + "MTrk" + QByteArray(len, 4) + track;
}

QByteArray wavTone(double seconds, int rate = 22050)
{
    QByteArray d(int(seconds * rate) * 2, '\0');
    for (int i = 0; i < d.size() / 2; ++i)
        qToLittleEndian<qint16>(qint16((i / 25) % 2 ? 8000 : -8000), d.data() + 2 * i);
    QByteArray h = "RIFF" + QByteArray(4, 0) + "WAVEfmt "
                   + QByteArray::fromHex("10000000"
                                         "0100"
                                         "0100");
    char b[4];
    qToLittleEndian(quint32(rate), b);
    h.append(b, 4);
    qToLittleEndian(quint32(rate * 2), b);
    h.append(b, 4);
    h += QByteArray::fromHex("0200"
                             "1000")
         + "data";
    qToLittleEndian(quint32(d.size()), b);
    h.append(b, 4);
    qToLittleEndian(quint32(h.size() - 8 + d.size()), b);
    h.replace(4, 4, QByteArray(b, 4));
    return h + d;
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &data)
{
    QFile f(dir.filePath(name));
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write(data);
    return f.fileName();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit()); // no stored settings of the user's
    QApplication app(argc, argv);
    const int plays = argc > 1 ? std::atoi(argv[1]) : 10;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 20;
    const QString midi = writeFile(dir, QStringLiteral("note.mid"), midiNote());
    const QString wav = writeFile(dir, QStringLiteral("pip.wav"), wavTone(0.1));

    dv::ClockApp clockApp(QCoreApplication::applicationDirPath() + QStringLiteral("/.."));
    dv::Clock &clock = clockApp.clock();
    clock.settings().hourChime = true;
    clock.settings().hourChimeFile = midi;
    app.processEvents();
    std::printf("the clock's resident memory\n  %-28s %6.1f MB\n", "before any sound", rssMb());
    const QDate day(2026, 12, 7);
    for (int i = 0; i < plays; ++i) {
        clock.schedule().run(QDateTime(day, QTime(i % 24, 59, 56)).addDays(i / 24));
        if (!clock.schedule().playing() || clock.schedule().sounding() == dv::Sounding::None) {
            std::printf("the signal did not sound\n");
            return 1;
        }
        QElapsedTimer t;
        t.start();
        bool measured = i > 0;
        while (clock.schedule().sounding() != dv::Sounding::None) {
            app.processEvents(QEventLoop::AllEvents, 50);
            if (!measured && t.elapsed() > 500) {
                measured = true;
                std::printf("  %-28s %6.1f MB   (its player: %.1f MB)\n", "during a MIDI play", rssMb(), playerRssMb());
            }
        }
    }
    app.processEvents();
    std::printf("  after %-22d %6.1f MB\n", plays, rssMb());
    const QStringList libs = soundLibraries();
    std::printf("  sound libraries mapped:      %s\n",
                libs.isEmpty() ? "none" : qPrintable(libs.join(QLatin1Char(' '))));

#ifdef DV_SOUND_PROCESS
    dv::SoundProcess sound(QCoreApplication::applicationDirPath() + QStringLiteral("/../")
                           + QLatin1String(dv::kSoundPlayer));
    for (const QString &file : {wav, midi}) {
        std::vector<qint64> ms;
        for (int i = 0; i < rounds; ++i) {
            if (!sound.play(file, QString())) {
                std::printf("cannot play: %s\n", qPrintable(sound.lastError()));
                return 1;
            }
            // The player reports its start while the clock goes on: wait for the word.
            QElapsedTimer waited;
            waited.start();
            while (sound.isPlaying() && !sound.hasBegun() && waited.elapsed() < 10000)
                app.processEvents(QEventLoop::AllEvents, 5);
            if (!sound.hasBegun()) {
                std::printf("cannot play: %s\n", qPrintable(sound.lastError()));
                return 1;
            }
            ms.push_back(sound.msecsToFirstSample());
            sound.stop();
            app.processEvents();
        }
        std::sort(ms.begin(), ms.end());
        std::printf("%s from play to its first sample mixed, %d plays: median %lld ms, p95 %lld ms, max %lld ms\n",
                    file == wav ? "a WAV " : "a MIDI", rounds, ms[ms.size() / 2],
                    ms[std::min(ms.size() - 1, ms.size() * 95 / 100)], ms.back());
    }
#else
    (void)rounds;
    (void)wav;
#endif
    return 0;
}
