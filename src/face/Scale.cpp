#include "face/Scale.h"

#include <algorithm>
#include <cmath>

namespace dv {

static int floorInt(double v)
{
    return int(std::floor(v));
}

Scale computeScale(qint32 ClockSize, VBool Mag2Flag, double MulX, double MulY, int screenHeightPx)
{
    Scale s;
    s.Magnitude = float(double(ClockSize) / 120.0);
    s.Mag = Mag2Flag ? s.Magnitude : 1.0f;
    if (Mag2Flag) {
        // Only a store edited by hand holds such sizes: keep the window visible and
        // its image of a sane size rather than empty or larger than the screen.
        const int maxPx = screenHeightPx > 0 ? std::max(screenHeightPx, 60) : 0;
        if (ClockSize < kMinClockPx)
            s.Mag = float(double(kMinClockPx) / 120.0);
        else if (maxPx > 0 && ClockSize > maxPx)
            s.Mag = float(double(maxPx) / 120.0);
    }
    s.widthTwips = floorInt(double(float(s.Mag * 120.0f)) * MulX + 0.5);
    s.heightTwips = floorInt(double(float(s.Mag * 120.0f)) * MulY + 0.5);
    s.OrgX = basePx(60, s.Mag);
    s.OrgY = basePx(60, s.Mag);
    s.side = basePx(120, s.Mag);
    return s;
}

int basePx(double v, float Mag)
{
    return floorInt(double(float(float(v) * Mag)) + 0.5);
}

int widthPx(double units, float Mag)
{
    return std::max(1, basePx(units, Mag));
}

int ringWidthPx(float Mag)
{
    return std::max(1, floorInt(double(float(7.0f * Mag))));
}

qint32 twipsToWhole(double twips)
{
    return qint32(std::nearbyint(twips));
}

} // namespace dv
