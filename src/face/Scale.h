// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The clock's scale: everything is designed on a 120 x 120 base face and drawn
// after multiplying by one factor.

#include "settings/Settings.h"

namespace dv {

struct Scale {
    float sizeFactor = 1.0f; // clockSize / 120, always computed
    float factor = 1.0f;     // what is drawn with
    int widthTwips = 1800;
    int heightTwips = 1800;
    int centreX = 60;
    int centreY = 60;
    int side = 120; // the window's side in pixels
};

// Smallest side we let a hand-edited clock size give the window (the screen
// height bounds the largest, see computeScale).
inline constexpr int kMinClockPx = 16;

// screenHeightPx bounds the size a hand-edited store can ask for; 0 means no bound.
Scale computeScale(qint32 clockSize, bool freeSize, double MulX, double MulY, int screenHeightPx = 0);

// Base-face coordinate v drawn at pixel floor(v * factor + 0.5).
int basePx(double v, float factor);
// Widths follow the scale but never drop below one pixel.
int widthPx(double units, float factor); // floor(units * factor + 0.5)
int ringWidthPx(float factor);           // floor(7 * factor), no rounding term

// Twips to a stored whole number, halves to even.
qint32 twipsToWhole(double twips);

} // namespace dv
