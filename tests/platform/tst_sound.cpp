// SPDX-License-Identifier: GPL-3.0-or-later
// Real playback through the player process into SDL's silent driver, a player
// that misbehaves, and the alarm stop window around it.

#include "Fakes.h"
#include "FileBytes.h"
#include "SoundFiles.h"
#include "alarm/AlarmWindow.h"
#include "app/ClockApp.h"
#include "platform/SoundProcess.h"
#include "player/SoundFile.h"
#include "resources/Art.h"
#include "resources/ObjectNames.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace dv;
using namespace dv::test;

namespace {

// One note of a quarter second.
QByteArray midi()
{
    QByteArray track = QByteArray::fromHex("00C000 00903C64 8340803C00 00FF2F00");
    QByteArray m = QByteArray::fromHex("4D546864000000060000000100C0") + "MTrk";
    char len[4];
    qToBigEndian(quint32(track.size()), len);
    return m + QByteArray(len, 4) + track;
}

// A standard MIDI file of one track.
QByteArray smf(const QByteArray &track, quint16 division)
{
    char len[4], div[2];
    qToBigEndian(quint32(track.size()), len);
    qToBigEndian(division, div);
    return QByteArray::fromHex("4D546864000000060000 0001") + QByteArray(div, 2) + "MTrk" + QByteArray(len, 4) + track;
}

// This process's resident memory in KB, and its CPU time in ms.
long residentKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    f.open(QIODevice::ReadOnly);
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}
qint64 cpuMs()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000LL + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000;
}
// No live process is left in the process group of this player.
bool groupGone(pid_t group)
{
    const QStringList procs = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &p : procs) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(p));
        if (p.toInt() <= 0 || !stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const QList<QByteArray> f = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (f.value(2).toInt() == group && f.value(0) != "Z")
            return false;
    }
    return true;
}

std::string_view view(const QByteArray &data)
{
    return {data.constData(), size_t(data.size())};
}

QString playerPath()
{
    return qEnvironmentVariable("DIALVANE_BUILD_DIR") + QLatin1Char('/') + QLatin1String(kSoundPlayer);
}

QStringList soundLibraries()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    maps.open(QIODevice::ReadOnly);
    QStringList found;
    for (const QByteArray &line : maps.readAll().split('\n'))
        if (line.contains("libSDL2") || line.contains("fluidsynth") || line.contains("libinstpatch"))
            found << QString::fromUtf8(line.mid(line.lastIndexOf(' ') + 1));
    found.removeDuplicates();
    return found;
}

QString write(const QTemporaryDir &dir, const QString &name, const QByteArray &data)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(data);
    return path;
}
} // namespace

class TestSound : public QObject {
    Q_OBJECT
private slots:
    void sniff_data();
    void sniff();
    void wavCompletesAfterItsLength();
    void midiPlaysAndCompletes();
    void stoppedPlayGivesNoCompletion();
    void staleEndIsNotTheCurrentOne();
    void brokenOrEmptySounds_data();
    void brokenOrEmptySounds();
    void hostileFiles_data();
    void hostileFiles();
    void noDeviceIsSilentAndTriedAgain();
    void levelReachesTheSamples_data();
    void levelReachesTheSamples();
    void midiFacts_data();
    void midiFacts();
    void misbehavingPlayer_data();
    void misbehavingPlayer();
    void playerOfAGoneClockPlaysNothing();
    void stripes();
    void alarmWindowFlashesAndStops();
    void alarmWindowShowsTheWholeMessage_data();
    void alarmWindowShowsTheWholeMessage();
    void boxesHoldNothingBack();
    void defaultTimeSignal();
    void defaultTimeSignalPlaysOutOfTheBox();

private:
    QTemporaryDir m_dir;
};

void TestSound::sniff_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<int>("kind");
    QTest::newRow("wave") << QByteArray("RIFF\x10\0\0\0WAVEfmt ", 16) << int(SoundKind::Wave);
    QTest::newRow("riff not wave") << QByteArray("RIFF\x10\0\0\0AVI LIST", 16) << int(SoundKind::Unknown);
    QTest::newRow("midi") << QByteArray("MThd\0\0\0\x06", 8) << int(SoundKind::Midi);
    QTest::newRow("short") << QByteArray("RIF") << int(SoundKind::Unknown);
    QTest::newRow("text") << QByteArray("hello world!") << int(SoundKind::Unknown);
}

void TestSound::sniff()
{
    QFETCH(QByteArray, head);
    QFETCH(int, kind);
    QCOMPARE(int(sniffSound(view(head))), kind);
}

void TestSound::wavCompletesAfterItsLength()
{
    SoundProcess s(playerPath());
    QSignalSpy done(&s, &SoundProcess::finished);
    // Named .mid on purpose: the content decides.
    const QString f = write(m_dir, QStringLiteral("one-second.mid"), wav(1.0));
    QElapsedTimer t;
    t.start();
    QVERIFY2(s.play(f, QStringLiteral("Sequencer")), qPrintable(s.lastError()));
    QVERIFY(s.isPlaying());
    QTRY_VERIFY(s.hasBegun());
    QCOMPARE(s.driver(), QStringLiteral("dummy"));
    const pid_t pid = s.playerPid();
    QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 5000);
    const qint64 ms = t.elapsed();
    qInfo("a 1.000 s WAV ended after %lld ms", ms);
    QVERIFY2(ms > 900 && ms < 1800, qPrintable(QString::number(ms)));
    QVERIFY(!s.isPlaying());
    QTRY_VERIFY(processGone(pid)); // the player and its device are let go between sounds
    QTest::qWait(300);
    QCOMPARE(done.count(), 1); // exactly one
}

void TestSound::midiPlaysAndCompletes()
{
    SoundProcess s(playerPath());
    QSignalSpy done(&s, &SoundProcess::finished);
    const QString f = write(m_dir, QStringLiteral("note.MID"), midi());
    QElapsedTimer t;
    t.start();
    QVERIFY2(s.play(f, QStringLiteral("Sequencer")), qPrintable(s.lastError()));
    QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 10000);
    qInfo("a MIDI note ended after %lld ms", t.elapsed());
    QVERIFY(!s.endedAtOnce());
    // The synthesiser and SDL lived in the player only.
    QCOMPARE(soundLibraries(), QStringList());
}

void TestSound::stoppedPlayGivesNoCompletion()
{
    SoundProcess s(playerPath());
    QSignalSpy done(&s, &SoundProcess::finished);
    QVERIFY(s.play(write(m_dir, QStringLiteral("a.wav"), wav(3.0)), QString()));
    QTest::qWait(100);
    const pid_t pid = s.playerPid();
    s.stop();
    QVERIFY(!s.isPlaying());
    QTRY_VERIFY_WITH_TIMEOUT(processGone(pid), 1000);                            // well before its sound would end
    QVERIFY(s.play(write(m_dir, QStringLiteral("b.wav"), wav(0.3)), QString())); // cut off by a new one
    QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 3000);
    QTest::qWait(700);
    QCOMPARE(done.count(), 1); // only the last play ends
}

void TestSound::brokenOrEmptySounds_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("heard"); // ends as a sound, not as a file that holds none
    QTest::newRow("missing") << "missing" << false;
    QTest::newRow("empty") << "empty" << false;
    QTest::newRow("folder") << "folder" << false;
    QTest::newRow("garbage named .wav") << "garbage" << false;
    QTest::newRow("unknown kind") << "noise.ogg" << false; // played with no device type
    QTest::newRow("a WAV of no channels") << "channels0" << false;
    QTest::newRow("a WAV of rate 0") << "rate0" << false;
    QTest::newRow("a WAV cut after its header") << "truncated" << false;
    QTest::newRow("a FIFO") << "fifo" << false;
    QTest::newRow("a MIDI file with no notes") << "silent.mid" << false;
    QTest::newRow("a MIDI note of velocity 0") << "mute.mid" << false;
    QTest::newRow("a MIDI file of 5 MB with no notes") << "long silent.mid" << false;
    QTest::newRow("a sound") << "ok" << true;
    QTest::newRow("a sound of 0.1 s") << "short" << true;
}

void TestSound::brokenOrEmptySounds()
{
    QFETCH(QString, kind);
    QFETCH(bool, heard);
    QByteArray data = wav(kind == "short" ? 0.1 : 0.5);
    if (kind == "empty")
        data.clear();
    else if (kind == "garbage" || kind == "noise.ogg")
        data = QByteArray(5000, 'x');
    else if (kind == "channels0")
        data[22] = 0;
    else if (kind == "rate0")
        data[24] = data[25] = data[26] = data[27] = 0;
    else if (kind == "truncated")
        data.truncate(44);
    else if (kind == "silent.mid")
        data = QByteArray::fromHex("4D546864000000060000000100C0 4D54726B00000004 00FF2F00");
    else if (kind == "mute.mid") // a program change, then a note-on of velocity 0 in running status
        data = QByteArray::fromHex("4D546864000000060000000100C0 4D54726B0000000B 00C000 00903C00 00FF2F00");
    else if (kind == "long silent.mid") // 5 MB of text, then the end of the track
        data = QByteArray::fromHex("4D546864000000060000000100C0 4D54726B004C4B4B 00FF0182B19640")
               + QByteArray(5000000, 't') + QByteArray::fromHex("00FF2F00");
    QString file = m_dir.filePath("does-not-exist.wav");
    if (kind == "folder") {
        file = m_dir.path();
    } else if (kind == "fifo") {
        file = m_dir.filePath("sound-fifo.wav");
        QFile::remove(file);
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    } else if (kind != "missing") {
        file = write(m_dir, kind == "noise.ogg" ? kind : kind + ".wav", data);
    }
    SoundProcess s(playerPath());
    QSignalSpy done(&s, &SoundProcess::finished);
    QElapsedTimer t;
    t.start();
    QVERIFY(s.play(file, kind == "noise.ogg" ? QString() : QStringLiteral("WaveAudio"))); // its word comes later
    QVERIFY(t.elapsed() < 200); // the player's start waits for nobody
    QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 5000);
    qInfo("%s: ended after %lld ms", qPrintable(kind), t.elapsed());
    QCOMPARE(s.endedAtOnce(), !heard);
    QVERIFY(!s.isPlaying());
    // The next sound still plays.
    QVERIFY(s.play(write(m_dir, QStringLiteral("short.wav"), wav(0.2)), QStringLiteral("WaveAudio")));
    QTRY_COMPARE_WITH_TIMEOUT(done.count(), 2, 3000);
    QVERIFY(!s.endedAtOnce());
}

void TestSound::hostileFiles_data()
{
    // Files that crashed the decoder, and what the player makes of them now.
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("first"); // the start of its first report
    QTest::newRow("an AIFF of no channels named .wav") << "aiff" << QByteArray("error neither a WAV nor a MIDI");
    QTest::newRow("a loop table of 0xFFFFFFFF loops") << "loops" << QByteArray("started 500 ");
    QTest::newRow("a second fmt chunk") << "two fmt" << QByteArray("error unplayable WAV header");
    QTest::newRow("cut short while it plays") << "cut" << QByteArray("started 1500 ");
    QTest::newRow("3 GiB") << "huge" << QByteArray("error too large to play");
    // Sounds that would hold the player, and the time signal waiting on it.
    QTest::newRow("six minutes: played five") << "six minutes" << QByteArray("started 300000 ");
    QTest::newRow("a MIDI note of 142 years") << "years.mid" << QByteArray("error too long to play");
    QTest::newRow("100,000 MIDI notes") << "notes.mid" << QByteArray("error too many events");
    QTest::newRow("200,000 MIDI tempo changes") << "tempos.mid" << QByteArray("error too many events");
}

void TestSound::hostileFiles()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, first);
    QByteArray data = wav(kind == "cut" ? 1.5 : kind == "six minutes" ? 360 : 0.5);
    auto le32 = [](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        return QByteArray(b, 4);
    };
    if (kind == "aiff") {
        const QByteArray comm = QByteArray::fromHex("0000 00002B11 0010 400DAC44000000000000");
        const QByteArray body = "AIFFCOMM" + QByteArray::fromHex("00000012") + comm + "SSND"
                                + QByteArray::fromHex("00000408") + QByteArray(1032, '\0');
        data = "FORM" + QByteArray::fromHex("00000436") + body;
    } else if (kind == "loops") {
        data.insert(36, "smpl" + le32(60) + QByteArray(28, '\0') + le32(0xFFFFFFFF) + QByteArray(28, '\0'));
    } else if (kind == "two fmt") {
        data.insert(36, data.mid(12, 24));
        // A sane rate of its own: only the rule of one "fmt " chunk refuses it.
        data.replace(36 + 12, 4, le32(8000));
    }
    data.replace(4, 4, le32(quint32(data.size() - 8)));
    const QByteArray note = QByteArray::fromHex("00903C64 00803C00");
    if (kind == "years.mid") // the slowest tempo, one tick a quarter note, the longest delta
        data = smf(QByteArray::fromHex("00FF5103FFFFFF 00903C64 FFFFFF7F803C00 00FF2F00"), 1);
    else if (kind == "notes.mid")
        data = smf(note.repeated(100'000) + QByteArray::fromHex("00FF2F00"), 192);
    else if (kind == "tempos.mid")
        data = smf(QByteArray::fromHex("00FF510307A120").repeated(200'000) + note + QByteArray::fromHex("00FF2F00"),
                   192);
    const QString file = write(m_dir, kind + ".wav", data);
    if (kind == "huge")
        QVERIFY(QFile::resize(file, qint64(3) << 30)); // sparse: nothing is written
    QProcess player;
    player.start(playerPath(), {QString::number(QCoreApplication::applicationPid()), "WaveAudio", file});
    QVERIFY(player.waitForReadyRead(5000));
    const QByteArray report = player.readLine();
    QVERIFY2(report.startsWith(first), report.constData());
    if (kind == "six minutes")
        player.kill();
    QVERIFY(player.waitForFinished(5000));
    return;
    if (kind == "cut")
        QVERIFY(QFile::resize(file, 44));
    QVERIFY(player.waitForFinished(10000));
    // Refused or played to its end, never a signal.
    QCOMPARE(player.exitStatus(), QProcess::NormalExit);
    QCOMPARE(player.exitCode(), first.startsWith("error") ? 1 : 0);
    QCOMPARE(player.readAll().left(6), QByteArray(first.startsWith("error") ? "" : "ended "));
    QFile::remove(file);
}

void TestSound::staleEndIsNotTheCurrentOne()
{
    SoundProcess s(playerPath());
    QSignalSpy done(&s, &SoundProcess::finished);
    QVERIFY(s.play(write(m_dir, QStringLiteral("short.wav"), wav(0.05)), QString()));
    // The short sound ends while the GUI thread is busy: its end waits in the queue.
    QThread::msleep(400);
    QVERIFY(s.play(write(m_dir, QStringLiteral("long.wav"), wav(1.0)), QString()));
    QTest::qWait(400);
    QCOMPARE(done.count(), 0); // the old end must not end the new play
    QVERIFY(s.isPlaying());
    QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 3000);
}

void TestSound::noDeviceIsSilentAndTriedAgain()
{
    const QByteArray saved = qgetenv("SDL_AUDIODRIVER");
    qputenv("SDL_AUDIODRIVER", "no-such-device");
    {
        SoundProcess s(playerPath());
        QVERIFY(s.play(write(m_dir, QStringLiteral("a.wav"), wav(0.2)), QString()));
        QTRY_VERIFY(s.isSilent());
        QCOMPARE(s.driver(), QStringLiteral("dummy"));
        // The device the user chose is the one tried first at the next play.
        QCOMPARE(qgetenv("SDL_AUDIODRIVER"), QByteArray("no-such-device"));
        s.stop();
    }
    qputenv("SDL_AUDIODRIVER", saved);
    SoundProcess chosen(playerPath()); // the silent driver by choice, as in these tests: not a stand-in
    QVERIFY(chosen.play(write(m_dir, QStringLiteral("b.wav"), wav(0.2)), QString()));
    QTRY_VERIFY(chosen.hasBegun());
    QVERIFY(!chosen.isSilent());
}

// What SDL's disk driver wrote (16-bit stereo at 44.1 kHz) for a 1.6 s
// square wave of ±8000 played at a level: the mean loudness, as a share of the
// full 8000, in 0.2 s windows from 0, 0.4 and 1.2 s after the first sound.
void TestSound::levelReachesTheSamples_data()
{
    QTest::addColumn<SoundLevel>("level");
    QTest::addColumn<QList<double>>("heard");
    QTest::newRow("full") << SoundLevel{} << QList<double>{1, 1, 1};
    QTest::newRow("half") << SoundLevel{50, 0, 0} << QList<double>{0.5, 0.5, 0.5};
    QTest::newRow("1 s rise") << SoundLevel{100, 1000, 0} << QList<double>{0.1, 0.5, 1};
    // A repeat half way up the rise, at half volume.
    QTest::newRow("repeat of a rise") << SoundLevel{50, 1000, 500} << QList<double>{0.3, 0.49, 0.5};
}

void TestSound::levelReachesTheSamples()
{
    QFETCH(SoundLevel, level);
    QFETCH(QList<double>, heard);
    const QString out = m_dir.filePath(QStringLiteral("disk.raw"));
    QFile::remove(out);
    const QByteArray saved = qgetenv("SDL_AUDIODRIVER");
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", out.toLocal8Bit());
    SoundProcess s(playerPath());
    QSignalSpy done(&s, &SoundProcess::finished);
    const bool played = s.play(write(m_dir, QStringLiteral("level.wav"), wav(1.6)), QString(), level);
    qputenv("SDL_AUDIODRIVER", saved);
    QVERIFY(played);
    QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 8000);
    QVERIFY2(!s.endedAtOnce(), qPrintable(s.lastError()));
    QFile f(out);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray raw = f.readAll();
    const auto *pcm = reinterpret_cast<const qint16 *>(raw.constData());
    const qsizetype frames = raw.size() / 4;
    qsizetype onset = 0;
    while (onset < frames && pcm[onset * 2] == 0)
        ++onset;
    constexpr int kRate = 44100, kWindow = kRate / 5;
    QVERIFY2(onset + qsizetype(1.4 * kRate) <= frames, qPrintable(QString::number(frames)));
    const double starts[] = {0, 0.4, 1.2};
    for (int w = 0; w < 3; ++w) {
        double sum = 0;
        const qsizetype from = onset + qsizetype(starts[w] * kRate);
        for (qsizetype i = from; i < from + kWindow; ++i)
            sum += std::abs(pcm[i * 2]) + std::abs(pcm[i * 2 + 1]);
        const double share = sum / (2.0 * kWindow * 8000);
        QVERIFY2(std::abs(share - heard[w]) <= 0.04 + 0.08 * heard[w],
                 qPrintable(QStringLiteral("window %1: %2, not %3").arg(w).arg(share).arg(heard[w])));
    }
}

void TestSound::midiFacts_data()
{
    QTest::addColumn<QByteArray>("track");
    QTest::addColumn<QByteArray>("division");
    QTest::addColumn<bool>("notes");
    QTest::addColumn<double>("seconds");
    const QByteArray note = QByteArray::fromHex("00903C64 8340803C00 00FF2F00"); // 448 ticks
    const QByteArray q192 = QByteArray::fromHex("00C0");                         // 192 ticks a quarter note
    QTest::newRow("a note") << note << q192 << true << 448 / 192.0 * 0.5;
    QTest::newRow("twice the tempo") << QByteArray::fromHex("00FF510303D090") + note << q192 << true
                                     << 448 / 192.0 * 0.25;
    QTest::newRow("the tempo halved halfway") << QByteArray::fromHex("00903C64 8160FF51030F4240 8160803C00 00FF2F00")
                                              << q192 << true << 224 / 192.0 * 0.5 + 224 / 192.0 * 1.0;
    QTest::newRow("25 frames of 40 ticks") << note << QByteArray::fromHex("E728") << true << 0.448;
    QTest::newRow("velocity 0") << QByteArray::fromHex("00903C00 00FF2F00") << q192 << false << 0.0;
    const QByteArray text = QByteArray::fromHex("00FF0182B19640") + QByteArray(5000000, 't');
    QTest::newRow("a note after 5 MB of text") << text + note << q192 << true << 448 / 192.0 * 0.5;
    QTest::newRow("a track cut short") << note.left(6) << q192 << true << 0.0;
}

void TestSound::midiFacts()
{
    QFETCH(QByteArray, track);
    QFETCH(QByteArray, division);
    QFETCH(bool, notes);
    QFETCH(double, seconds);
    // The cut track claims 20 bytes more than the file holds.
    const bool cut = QTest::currentDataTag() == QByteArray("a track cut short");
    char len[4];
    qToBigEndian(quint32(track.size() + (cut ? 20 : 0)), len);
    const QByteArray file = QByteArray::fromHex("4D5468640000000600000001") + division + "MTrk" + QByteArray(len, 4)
                            + track;
    const MidiFacts facts = readMidi(view(file));
    QCOMPARE(facts.hasNotes, notes);
    QVERIFY2(qAbs(facts.seconds - seconds) < 0.001, qPrintable(QString::number(facts.seconds)));
}

void TestSound::misbehavingPlayer_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("starts");
    QTest::addColumn<bool>("unplayable"); // once it has ended
    QTest::addColumn<bool>("chatty");     // writes more to its standard error than the clock passes on
    QTest::newRow("cannot start") << "" << false << false << false;
    QTest::newRow("ends without a word") << "exit" << true << true << false;
    QTest::newRow("crashes before it plays") << "crash" << true << true << false;
    QTest::newRow("hangs before it plays") << "hang" << true << true << false;
    QTest::newRow("cannot play") << "error" << true << true << false;
    QTest::newRow("crashes while it plays") << "crash playing" << true << true << false;
    QTest::newRow("hangs while it plays") << "hang playing" << true << true << false;
    QTest::newRow("stops reporting while it plays") << "close playing" << true << true << false;
    QTest::newRow("plays to the end") << "play" << true << false << false;
    QTest::newRow("says garbage") << "garbage" << true << true << false;
    QTest::newRow("a line of 50 MB") << "long line" << true << true << false;
    QTest::newRow("a flood of lines") << "flood" << true << true << false;
    QTest::newRow("leaves a child behind") << "fork" << true << false << false;
    // The player's own count of its sound: the clock may read both reports at once.
    QTest::newRow("claims to last a year") << "claims a year" << true << true << false;
    QTest::newRow("reports its start and end together") << "together" << true << false << false;
    QTest::newRow("warns 100 KB on its standard error") << "chatter" << true << false << true;
    QTest::newRow("floods its standard error") << "chatter flood" << true << true << true;
}

void TestSound::misbehavingPlayer()
{
    QFETCH(QString, command);
    QFETCH(bool, starts);
    QFETCH(bool, unplayable);
    QFETCH(bool, chatty);
    // The clock's standard error, where the player's messages go, into a file for the while.
    const QString errPath = m_dir.filePath(QStringLiteral("stderr"));
    const int errFile = ::open(QFile::encodeName(errPath).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const int clockErr = ::dup(STDERR_FILENO);
    QVERIFY(errFile >= 0 && clockErr >= 0 && ::dup2(errFile, STDERR_FILENO) == STDERR_FILENO);
    const auto restoreErr = qScopeGuard([&] {
        ::dup2(clockErr, STDERR_FILENO);
        ::close(clockErr);
        ::close(errFile);
    });
    SoundProcess s(command.isEmpty() ? m_dir.filePath(QStringLiteral("no-such-player"))
                                     : QStringLiteral(DV_FAKE_PLAYER));
    s.setPatience(1500, 1000, 1000);
    QSignalSpy done(&s, &SoundProcess::finished);
    const long rssBefore = residentKb();
    const qint64 cpuBefore = cpuMs();
    QElapsedTimer t;
    t.start();
    QCOMPARE(s.play(write(m_dir, QStringLiteral("command.wav"), command.toUtf8()), QString()), starts);
    QVERIFY(t.elapsed() < 200); // whatever the player does, the clock goes on at once
    const pid_t pid = s.playerPid();
    if (starts) {
        QVERIFY(pid > 0);
        QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 4000); // a hung start: 1500 ms; a hung sound: 200 + 1000 ms
        QCOMPARE(s.endedAtOnce(), unplayable);
        QVERIFY(!s.isPlaying());
        // The player and all it started are gone; what it said cost little and is let go.
        QTRY_VERIFY_WITH_TIMEOUT(groupGone(pid), 2000);
        const qint64 cpu = cpuMs() - cpuBefore;
        const long grown = residentKb() - rssBefore;
        qInfo("%s: %lld ms of CPU, %ld KB more", qPrintable(s.lastError()), cpu, grown);
        QVERIFY2(cpu < 300, qPrintable(QString::number(cpu)));
#ifdef __SANITIZE_ADDRESS__
        // The sanitizer holds freed memory back for a while (10 MB and more here).
        const long growthLimitKb = 32 * 1024;
#else
        const long growthLimitKb = 4096;
#endif
        QVERIFY2(grown < growthLimitKb, qPrintable(QString::number(grown)));
    } else {
        QVERIFY(!s.lastError().isEmpty());
        QVERIFY(!s.isPlaying());
    }
    QTest::qWait(100);
    QCOMPARE(done.count(), starts ? 1 : 0);
    // A few KB of what it said, then one line of how much more there was.
    const QByteArray said = readFile(errPath);
    QVERIFY2(said.size() <= SoundProcess::kMostMessageBytes + 100, qPrintable(QString::number(said.size())));
    QCOMPARE(said.contains(" more bytes of its messages dropped\n"), chatty);
}

void TestSound::playerOfAGoneClockPlaysNothing()
{
    // Its parent is not the clock it was started for: that clock has ended.
    QProcess player;
    player.start(playerPath(), {QString::number(getpid() + 1000000), QStringLiteral("WaveAudio"),
                                write(m_dir, QStringLiteral("a.wav"), wav(0.2))});
    QVERIFY(player.waitForFinished(5000));
    QCOMPARE(player.readAllStandardOutput(), QByteArray());
    QVERIFY(player.exitCode() != 0);
}

void TestSound::stripes()
{
    const QImage a = stripeFrame(false), b = stripeFrame(true);
    QCOMPARE(a.size(), QSize(160, 80));
    QSet<QRgb> colours;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 160; ++x) {
            colours.insert(a.pixel(x, y));
            // Rising to the upper right: one step right and one up is the same stripe.
            if (x + 1 < 160 && y > 0)
                QCOMPARE(a.pixel(x + 1, y - 1), a.pixel(x, y));
            // Frame B is frame A moved by half a period.
            if (x + kStripePeriod / 2 < 160)
                QCOMPARE(b.pixel(x, y), a.pixel(x + kStripePeriod / 2, y));
        }
    QCOMPARE(colours, QSet<QRgb>({qRgb(255, 255, 0), qRgb(0, 0, 0)}));
    QVERIFY(a != b);
}

void TestSound::alarmWindowFlashesAndStops()
{
    auto *w = new AlarmWindow;
    QPointer<AlarmWindow> guard(w);
    int unloads = 0, beeps = 0;
    QObject::connect(w, &AlarmWindow::stopped, [&] { ++unloads; });
    QObject::connect(w, &AlarmWindow::beep, [&] { ++beeps; });
    w->showAlarm({QStringLiteral("07:30"), QStringLiteral("朝会"), QStringLiteral("07:28"), true});
    QCOMPARE(w->shownText(), QStringLiteral("07:30  朝会\n07:28 に鳴る予定でした"));
    // Both buttons side by side inside the window.
    const QRect stop = w->button()->geometry(), snooze = w->snoozeButton()->geometry();
    QVERIFY(w->rect().contains(stop) && w->rect().contains(snooze) && !stop.intersects(snooze));
    QCOMPARE(w->snoozeButton()->text(), QStringLiteral("スヌーズ"));
    QCOMPARE(w->windowTitle(), QStringLiteral("アラームを止める"));
    QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(w->testAttribute(Qt::WA_ShowWithoutActivating));
    QCOMPARE(w->button()->text(), QStringLiteral("アラームを止める"));
    QVERIFY(w->button()->font().bold());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QVERIFY(qAbs(w->geometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(!w->showingFrameB());
    QTRY_VERIFY_WITH_TIMEOUT(w->showingFrameB(), 800);
    QTRY_VERIFY_WITH_TIMEOUT(!w->showingFrameB(), 800);
    QVERIFY(beeps >= 2);
    w->button()->click();
    QCOMPARE(unloads, 1);
    QTRY_VERIFY(guard.isNull()); // a fresh one for the next alarm
}

void TestSound::alarmWindowShowsTheWholeMessage_data()
{
    QTest::addColumn<QString>("message");
    QTest::newRow("Japanese, the longest kept") << QString(kMessageChars, QChar(0x4F1A));
    QTest::newRow("one long word") << QString(kMessageChars, QLatin1Char('W'));
    QTest::newRow("words") << QStringLiteral("Call the office about the quarterly budget before ten");
    // From a hand-edited store: cut, and the late note still shown.
    QTest::newRow("too long for the window") << QString(1000, QLatin1Char('W'));
}

void TestSound::alarmWindowShowsTheWholeMessage()
{
    QFETCH(QString, message);
    AlarmWindow w;
    w.showAlarm({QStringLiteral("07:30"), message, QStringLiteral("07:28"), false});
    auto *label = w.findChild<QLabel *>(id::alarmText);
    const QStringList lines = label->text().split(QLatin1Char('\n'));
    QString joined = lines.join(QString());
    QCOMPARE(lines.last(), QStringLiteral("07:28 に鳴る予定でした"));
    if (message.size() < 1000)
        QVERIFY2(joined.remove(QLatin1Char(' ')).contains(QString(message).remove(QLatin1Char(' '))),
                 qPrintable(label->text()));
    for (const QString &line : lines)
        QVERIFY2(label->fontMetrics().horizontalAdvance(line) <= label->width(), qPrintable(line));
    QVERIFY(lines.size() * label->fontMetrics().lineSpacing() <= label->height());
    // The buttons below the text, all inside the window.
    for (QPushButton *b : {w.button(), w.snoozeButton()})
        QVERIFY(w.rect().contains(b->geometry()) && b->y() >= label->geometry().bottom());
    w.button()->click();
}

void TestSound::defaultTimeSignal()
{
    // The generated JIHOU.WAV: pips at +1, +2, +3 s and the long tone from +4 s.
    QFile f(qEnvironmentVariable("DIALVANE_BUILD_DIR") + QStringLiteral("/JIHOU.WAV"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray data = f.readAll();
    QCOMPARE(sniffSound(view(data.left(12))), SoundKind::Wave);
    const int rate = qFromLittleEndian<quint32>(data.constData() + 24);
    const QByteArray pcm = data.mid(44);
    auto loud = [&](double sec) {
        const int i = int(sec * rate) * 2;
        int peak = 0;
        for (int k = 0; k < 400 && i + 2 * k + 1 < pcm.size(); ++k)
            peak = qMax(peak, qAbs(int(qFromLittleEndian<qint16>(pcm.constData() + i + 2 * k))));
        return peak > 4000;
    };
    for (double s : {0.5, 1.5, 2.5, 3.5})
        QVERIFY2(!loud(s), qPrintable(QString::number(s)));
    for (double s : {1.05, 2.05, 3.05, 4.2, 5.0})
        QVERIFY2(loud(s), qPrintable(QString::number(s)));
    const double seconds = double(pcm.size()) / 2 / rate;
    QVERIFY(seconds > 5.5 && seconds < 6.0);
}

void TestSound::defaultTimeSignalPlaysOutOfTheBox()
{
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    ClockApp app(qEnvironmentVariable("DIALVANE_BUILD_DIR")); // the program's folder
    Clock &c = app.clock();
    c.loadSettings(); // an empty store: the defaults
    QVERIFY(c.settings().hourChime);
    QVERIFY(c.settings().hourChimeFile.endsWith(QStringLiteral("/JIHOU.WAV")));
    c.schedule().run(QDateTime(QDate(2026, 12, 7), QTime(7, 59, 56)));
    QCOMPARE(c.schedule().sounding(), Sounding::TimeSignal);
    QVERIFY(c.schedule().playing());
    QTRY_COMPARE_WITH_TIMEOUT(c.schedule().sounding(), Sounding::None, 10000); // about 5.7 s
    QVERIFY(!c.schedule().playing());
}

void TestSound::boxesHoldNothingBack()
{
    // A missing picture: start-up's message is open, and the clock runs under it.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    qputenv("XDG_STATE_HOME", config.path().toLocal8Bit());
    QDir(config.path()).mkpath(QStringLiteral("MOKU"));
    const QString storePath = config.path() + QStringLiteral("/MOKU/DIALVANE.conf");
    QFile store(storePath);
    QVERIFY(store.open(QIODevice::WriteOnly));
    store.write("[General]\nBackImage=/nonexistent/picture.bmp\n");
    store.close();
    ClockApp app(qEnvironmentVariable("DIALVANE_BUILD_DIR"));
    app.start(QString(), QDateTime::currentMSecsSinceEpoch());
    QtMessageBoxes &boxes = app.messages();
    QVERIFY(boxes.current() && boxes.current()->isVisible());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QVERIFY(app.window().isVisible());

    // An alarm rings: the box steps aside, and the stop window answers the keyboard.
    app.showAlarmWindow({QStringLiteral("07:30"), QStringLiteral("朝会"), QString(), false});
    QPointer<AlarmWindow> alarm;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *a = qobject_cast<AlarmWindow *>(w))
            alarm = a;
    QVERIFY(alarm && alarm->isVisible());
    QVERIFY(!boxes.current()->frameGeometry().intersects(alarm->frameGeometry()));
    alarm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(alarm));
    QTest::keyClick(alarm, Qt::Key_Tab);
    if (alarm->focusWidget() == alarm->snoozeButton())
        QTest::keyClick(alarm, Qt::Key_Tab);
    QCOMPARE(alarm->focusWidget(), alarm->button());
    QTest::keyClick(alarm->button(), Qt::Key_Return); // no default button: a stray Enter presses nothing
    QVERIFY(alarm->isVisible());
    QTest::keyClick(alarm->button(), Qt::Key_Space);
    QTRY_VERIFY(alarm.isNull());

    // A second start during the message: the settings, the clock hidden under them.
    app.openSettingsOnRequest();
    QVERIFY(app.settingsDialog().isVisible());
    QVERIFY(!app.window().isVisible());
    QVERIFY(app.timer().isEnabled()); // the alarms keep their times under the dialog
    app.settingsDialog().close();
    boxes.current()->done(QMessageBox::Ok);
    QTRY_COMPARE(boxes.current(), nullptr);

    // The quit's question closed with Escape: nothing saved, and the clock runs on.
    app.settingsDialog().findChild<QLineEdit *>(id::alarmTime1)->setText(QStringLiteral("06:45"));
    app.clock().quit();
    QVERIFY(boxes.current());
    QCOMPARE(boxes.current()->text(),
             QStringLiteral("パラメータ または 時計の位置 が変更されています\r\n\r\n保存しますか？"));
    QTest::keyClick(boxes.current(), Qt::Key_Escape);
    QTRY_COMPARE(boxes.current(), nullptr);
    QVERIFY(store.open(QIODevice::ReadOnly));
    QCOMPARE(store.readAll(), QByteArray("[General]\nBackImage=/nonexistent/picture.bmp\n"));
    store.close();
    app.clock().quit(); // asked again: the first quit was taken back
    QVERIFY(boxes.current());
    boxes.current()->disconnect(); // not an end of this test program
    boxes.current()->done(QMessageBox::No);
}

QTEST_MAIN(TestSound)
#include "tst_sound.moc"
