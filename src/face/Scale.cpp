// SPDX-License-Identifier: GPL-3.0-or-later
#include "face/Scale.h"

#include <algorithm>
#include <cmath>

namespace dv {

static int floorInt(double v)
{
    return int(std::floor(v));
}

Scale computeScale(qint32 clockSize, bool freeSize, double MulX, double MulY, int screenHeightPx)
{
    Scale s;
    s.sizeFactor = float(double(clockSize) / 120.0);
    s.factor = freeSize ? s.sizeFactor : 1.0f;
    if (freeSize) {
        // Only a store edited by hand holds such sizes: keep the window visible and
        // its image of a sane size rather than empty or larger than the screen.
        const int maxPx = screenHeightPx > 0 ? std::max(screenHeightPx, 60) : 0;
        if (clockSize < kMinClockPx)
            s.factor = float(double(kMinClockPx) / 120.0);
        else if (maxPx > 0 && clockSize > maxPx)
            s.factor = float(double(maxPx) / 120.0);
    }
    s.widthTwips = floorInt(double(float(s.factor * 120.0f)) * MulX + 0.5);
    s.heightTwips = floorInt(double(float(s.factor * 120.0f)) * MulY + 0.5);
    s.centreX = basePx(60, s.factor);
    s.centreY = basePx(60, s.factor);
    s.side = basePx(120, s.factor);
    return s;
}

int basePx(double v, float factor)
{
    return floorInt(double(float(float(v) * factor)) + 0.5);
}

int widthPx(double units, float factor)
{
    return std::max(1, basePx(units, factor));
}

int ringWidthPx(float factor)
{
    return std::max(1, floorInt(double(float(7.0f * factor))));
}

qint32 twipsToWhole(double twips)
{
    return qint32(std::nearbyint(twips));
}

} // namespace dv
