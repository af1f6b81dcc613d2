// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line's calls on the clock that runs on this display: --stop,
// --snooze and --next, answered without a window or a clock of their own.

#include "alarm/Schedule.h"
#include "settings/Settings.h"

#include <QString>

namespace dv {

enum class RemoteCommand { None, Stop, Snooze, Next };
// The first of --stop, --snooze and --next on the command line.
RemoteCommand remoteCommand(int argc, char **argv);
// Asks the clock of `display`, prints its answer and returns the exit status:
// 1 when --stop or --snooze finds no clock to ask. --next with no clock to
// ask reads the store. Needs a QCoreApplication.
int runRemoteCommand(RemoteCommand command, const QString &display, const QString &appDir);

// What --next prints of the alarms that ring next, from the settings in force.
QString nextAlarmReport(const Settings &s, const NextAlarm &next);
// Whether alarm `i` wakes the machine from sleep: not yet, while no alarm can.
bool alarmWakes(const Settings &s, int i);

} // namespace dv
