// SPDX-License-Identifier: GPL-3.0-or-later
// The command line's offset: whatever is typed, the face's time stays a time.
#include "app/CommandLine.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const dv::CommandLine c = dv::parseCommandLine(text);
    if (!std::isfinite(c.offset) || std::fabs(c.offset) > dv::kOffsetLimitHours)
        std::abort();
    // Any single at all, as a hand-edited value might give.
    float raw = 0;
    if (size >= sizeof raw)
        std::memcpy(&raw, data, sizeof raw);
    for (float offset : {c.offset, raw}) {
        for (int h : {0, 12, 23}) {
            const dv::ShownTime t = dv::displayedTime(h, 59, offset);
            if (t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59)
                std::abort();
        }
    }
    return 0;
}
