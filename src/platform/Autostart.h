// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Starting the clock at login: the desktop's autostart entry for it,
// $XDG_CONFIG_HOME/autostart/dialvane.desktop (~/.config/autostart when unset).

#include <QString>

namespace dv {

QString autostartPath();
// Whether the entry is there: the option shows as set.
bool autostartOn();
// Writes the entry, or removes it. The entry is the desktop entry installed
// with the program (found from `appDir`, the program's folder) with its
// command the program at `program`; false when the file could not be
// written or removed.
bool setAutostart(bool on, const QString &appDir, const QString &program);
// The entry's text for the program at `program`, from the desktop entry `entry`.
QString autostartEntry(const QString &entry, const QString &program);

} // namespace dv
