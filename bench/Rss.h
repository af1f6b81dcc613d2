// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A process's resident memory, as the benchmarks report it.

#include <QByteArray>
#include <QFile>
#include <QString>

// Resident set size in MB of `pid` ("self" for this process); -1 when unreadable.
inline double rssMb(const QString &pid = QStringLiteral("self"))
{
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}
