// Memory the sound player holds before, during and after MIDI plays: the
// synthesiser and its sound font should be there only while a file plays.
//   bench_sound [PLAYS]

#include "platform/SdlSound.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>
#include <cstdio>

// Resident pages of files (libraries, data) apart from the rest (heap, stacks).
static void breakdown()
{
    QFile f(QStringLiteral("/proc/self/smaps"));
    if (!f.open(QIODevice::ReadOnly))
        return;
    bool fromFile = false;
    double anon = 0, files = 0;
    for (const QByteArray &line : f.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() >= 5 && fields[0].contains('-') && fields[1].size() == 4) // a mapping's first line
            fromFile = fields.size() >= 6 && fields[5].startsWith('/');
        else if (line.startsWith("Rss:"))
            (fromFile ? files : anon) += fields.value(1).toDouble() / 1024.0;
    }
    std::printf("    of which files %.1f MB, the rest %.1f MB\n", files, anon);
}

static double rssMb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int plays = argc > 1 ? std::atoi(argv[1]) : 3;
    QTemporaryDir dir;
    // One note of a quarter second.
    const QByteArray track = QByteArray::fromHex("00C000"
                                                 "00903C64"
                                                 "8340803C00"
                                                 "00FF2F00");
    char len[4];
    qToBigEndian(quint32(track.size()), len);
    const QString file = dir.filePath(QStringLiteral("note.mid"));
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly))
        return 1;
    f.write(QByteArray::fromHex("4D546864000000060000000100C0") + "MTrk" + QByteArray(len, 4) + track);
    f.close();

    dv::SdlSound player;
    std::printf("%-24s %8.1f MB\n", "before any sound", rssMb());
    breakdown();
    for (int i = 1; i <= plays; ++i) {
        bool ended = false;
        player.finished = [&] { ended = true; };
        if (!player.play(file, QString())) {
            std::printf("cannot play: %s\n", qPrintable(player.lastError()));
            return 1;
        }
        const double during = rssMb();
        while (!ended)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        std::printf("play %d: %-16s %8.1f MB, after %.1f MB\n", i, "during", during, rssMb());
        breakdown();
    }
    return 0;
}
