// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace dv {

// dialvane --snapshot FILE.png --at HH:MM:SS: the face the running clock would
// show at that displayed time, with the stored settings. Returns the exit code;
// `error` gets the one-line reason on failure. `rawArgs` are the same arguments
// as the system gave them: the file is written under exactly that name.
int runSnapshot(const QStringList &args, const QList<QByteArray> &rawArgs, const QString &appDir, QString &error);
bool isSnapshotCommand(int argc, char **argv);

} // namespace dv
