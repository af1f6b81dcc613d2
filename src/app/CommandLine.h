// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line's options, and the displayed time that -offset= shifts.

#include <QString>

#include <optional>

namespace dv {

// -offset= and -delreg, found anywhere in the command line in any case.
struct CommandLine {
    bool delreg = false;
    float offset = 0.0f;
    std::optional<QString> badOffset; // an offset of another form or too large, ignored
};
// Offsets beyond this many hours are no time zone and lose their minutes in a float.
inline constexpr double kOffsetLimitHours = 9999;
CommandLine parseCommandLine(const QString &text);
// The numeric prefix of a text: blanks, sign, digits, point, digits; else 0.
double numericPrefix(const QString &text);
// The one form -offset= takes: an optional sign, digits, a point and digits
// (9, -1.30, +0.45, .30, 2.), and nothing else.
bool isOffsetForm(const QString &text);

// The displayed time: hour and minute with the offset, the system's second.
struct ShownTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
};
void splitOffset(float offsetHours, int &hours, int &minutes);
ShownTime displayedTime(int sysHour, int sysMinute, float offsetHours);

} // namespace dv
