// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sound files the sound tests write, and a look at a player's process.

#include <QByteArray>
#include <QDataStream>
#include <QFile>
#include <QIODevice>
#include <QString>

namespace dv::test {

// A mono 16-bit WAV of `seconds` of a square wave.
inline QByteArray wav(double seconds, int rate = 22050)
{
    const quint32 n = quint32(seconds * rate);
    QByteArray out;
    QDataStream d(&out, QIODevice::WriteOnly);
    d.setByteOrder(QDataStream::LittleEndian);
    d.writeRawData("RIFF", 4);
    d << quint32(36 + n * 2);
    d.writeRawData("WAVEfmt ", 8);
    d << quint32(16) << quint16(1) << quint16(1) << quint32(rate) << quint32(rate * 2) << quint16(2) << quint16(16);
    d.writeRawData("data", 4);
    d << quint32(n * 2);
    for (quint32 i = 0; i < n; ++i)
        d << qint16((i / 25) % 2 ? 8000 : -8000);
    return out;
}

// Gone, or a zombie that nobody has collected yet: either way it plays nothing.
inline bool processGone(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.readAll();
    return line.mid(line.lastIndexOf(')') + 2, 1) == "Z";
}

} // namespace dv::test
