// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line's calls on the clock that runs on this display: --stop,
// --snooze and --next, answered without a window or a clock of their own.

#include "alarm/Schedule.h"
#include "settings/Settings.h"

#include <QString>

#include <optional>

namespace dv {

enum class RemoteCommand { None, Stop, Snooze, Next };
// The first of --stop, --snooze and --next on the command line.
RemoteCommand remoteCommand(int argc, char **argv);
// Asks the clock of `display`, prints its answer and returns the exit status:
// 1 when --stop or --snooze finds no clock to ask. --next with no clock to
// ask reads the store. Needs a QCoreApplication.
int runRemoteCommand(RemoteCommand command, const QString &display, const QString &appDir);

// What --next prints of the alarms that ring next, from the settings in force.
// `armed`: a running clock's wake-up is armed for them; nullopt: no clock runs.
QString nextAlarmReport(const Settings &s, const NextAlarm &next, std::optional<bool> armed);

} // namespace dv
