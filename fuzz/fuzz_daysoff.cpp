// SPDX-License-Identifier: GPL-3.0-or-later
// The days-off list: every entry is read or named as bad, and what is read
// prints back as a list that reads the same, with nothing bad.
#include "settings/DaysOff.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const dv::DaysOffRead read = dv::readDaysOff(text);
    qsizetype entries = 0;
    for (const QString &e : text.split(QLatin1Char(',')))
        entries += e.trimmed().isEmpty() ? 0 : 1;
    if (read.days.size() + read.bad.size() != entries)
        std::abort();
    for (const dv::DayRange &r : read.days)
        if (!r.first.isValid() || r.last < r.first || !dv::isDayOff(read.days, r.last))
            std::abort();
    const dv::DaysOffRead again = dv::readDaysOff(dv::daysOffText(read.days));
    if (!again.bad.isEmpty() || again.days != read.days)
        std::abort();
    return 0;
}
