// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The strokes of the dial, the frame ring and the hands.

#include "face/Face.h"
#include "face/Scale.h"
#include "settings/Settings.h"

namespace dv {

struct HandAngles {
    double hour = 0;   // radians
    double minute = 0; // radians
    double second = 0; // radians
};

HandAngles handAngles(int hour, int minute, int second);
// Tip of a hand of `length` base units at angle r: floor, no rounding term.
QPoint handTip(double length, double r, float factor);

// Hour, minute and second hands (each after its shadow when shadows are on).
HandAngles appendHands(Face &face, const Settings &s, const Scale &sc, int hour, int minute, int second);
// Bar marks with the eight hour dots.
void appendTimePoint(Face &face, const Settings &s, float factor);
// Roman numerals XII, III, VI, IX with the eight hour dots.
void appendTimeChar(Face &face, const Settings &s, float factor);
// The frame ring for a window of w x h pixels.
void appendFrame(Face &face, const Settings &s, float factor, int w, int h);

} // namespace dv
