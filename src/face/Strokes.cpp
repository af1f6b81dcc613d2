// SPDX-License-Identifier: GPL-3.0-or-later
#include "face/Strokes.h"

#include <cmath>
#include <span>

namespace dv {

namespace {

constexpr double kPi = 3.1415926535; // the clock's own constant; the tips depend on it

// One row of a stroke table: a base-face line whose radial coordinate moves
// inward by the inset i when the ring is shown. ix and iy give the sign of i.
struct Row {
    int x1, y1, x2, y2;
    int ix, iy;
};

// Bar marks: double bar at 12, single bars at 3, 6 and 9.
constexpr Row kBars[] = {
    {58, 2, 58, 13, 0, +1},    {62, 2, 62, 13, 0, +1}, {105, 60, 116, 60, -1, 0},
    {60, 106, 60, 117, 0, -1}, {2, 60, 13, 60, +1, 0},
};

// Roman numerals: main strokes (W2) ...
constexpr Row kRomanMain[] = {
    {55, 3, 61, 14, 0, +1},                                                          // XII: X falling
    {61, 3, 55, 14, 0, +1},                                                          // XII: X rising
    {64, 3, 64, 14, 0, +1},                                                          // XII: I
    {68, 3, 68, 14, 0, +1},                                                          // XII: I
    {107, 54, 107, 65, -1, 0},                                                       // III
    {111, 54, 111, 65, -1, 0}, {115, 54, 115, 65, -1, 0}, {56, 105, 59, 116, 0, -1}, // VI: V left
    {62, 105, 59, 116, 0, -1},                                                       // VI: V right
    {65, 105, 65, 116, 0, -1},                                                       // VI: I
    {4, 54, 4, 65, +1, 0},                                                           // IX: I
    {7, 54, 13, 65, +1, 0},                                                          // IX: X falling
    {13, 54, 7, 65, +1, 0},                                                          // IX: X rising
};
// ... and serif bars (W1).
constexpr Row kRomanSerifs[] = {
    {52, 2, 70, 2, 0, +1},     {52, 15, 70, 15, 0, +1},   {105, 53, 117, 53, -1, 0},
    {105, 66, 117, 66, -1, 0}, {54, 104, 67, 104, 0, -1}, {63, 117, 67, 117, 0, -1}, // VI: under the I only
    {2, 53, 15, 53, +1, 0},    {2, 66, 15, 66, +1, 0},
};

struct Pt {
    int x, y;
};
// Hour dots at 1, 2, 4, 5, 7, 8, 10, 11 o'clock; fixed values, not computed.
constexpr Pt kDots[] = {{88, 11}, {108, 32}, {107, 87}, {86, 107}, {31, 108}, {11, 87}, {11, 31}, {32, 11}};
constexpr Pt kDotsRing[] = {{85, 16}, {103, 35}, {102, 84}, {83, 102}, {34, 103}, {16, 84}, {16, 34}, {35, 16}};

void appendRows(Face &face, std::span<const Row> rows, int i, int k, int width, quint32 color, float factor)
{
    for (const Row &r : rows) {
        const int dx = r.ix * i, dy = r.iy * i;
        face.strokes.push_back({Stroke::Kind::Line, basePx(r.x1 + dx + k, factor), basePx(r.y1 + dy + k, factor),
                                basePx(r.x2 + dx + k, factor), basePx(r.y2 + dy + k, factor), width, color});
    }
}

void appendDots(Face &face, bool ring, int k, int width, quint32 color, float factor)
{
    for (const Pt &p : ring ? std::span<const Pt>(kDotsRing) : std::span<const Pt>(kDots))
        face.strokes.push_back({Stroke::Kind::Dot, basePx(p.x + k, factor), basePx(p.y + k, factor),
                                basePx(p.x + k, factor), basePx(p.y + k, factor), width, color});
}

void appendDial(Face &face, const Settings &s, float factor, std::span<const Row> main, std::span<const Row> serifs)
{
    const int i = s.frameRing ? 5 : 0;
    if (!s.hourMarks)
        return;
    const int w2 = widthPx(2, factor);
    const int w1 = widthPx(1, factor);
    auto pass = [&](int k, quint32 color) {
        appendRows(face, main, i, k, w2, color, factor);
        appendRows(face, serifs, i, k, w1, color, factor);
        appendDots(face, s.frameRing, k, w2, color, factor);
    };
    if (s.shadows)
        pass(1, 0);
    pass(0, quint32(s.marksColour));
}

} // namespace

HandAngles handAngles(int hour, int minute, int second)
{
    const int h12 = hour >= 12 ? hour - 12 : hour;
    const float p = float(h12) + float(minute) / 60.0f;
    float hourDeg = 450.0f - 30.0f * p;
    if (p <= 3.0f)
        hourDeg -= 360.0f;
    int minDeg = 450 - 6 * minute;
    if (minute <= 15)
        minDeg -= 360;
    int secDeg = 450 - 6 * second;
    if (second <= 15)
        secDeg -= 360;
    return {double(hourDeg) * kPi / 180.0, double(minDeg) * kPi / 180.0, double(secDeg) * kPi / 180.0};
}

QPoint handTip(double length, double r, float factor)
{
    const double ml = double(float(factor * float(length)));
    const double m60 = double(float(factor * 60.0f));
    return {int(std::floor(ml * std::cos(r) + m60)), int(std::floor(m60 - ml * std::sin(r)))};
}

HandAngles appendHands(Face &face, const Settings &s, const Scale &sc, int hour, int minute, int second)
{
    const HandAngles a = handAngles(hour, minute, second);
    const float factor = sc.factor;
    const int shadow = basePx(3, factor);
    auto hand = [&](double length, double r, int width, qint32 color) {
        const QPoint tip = handTip(length, r, factor);
        if (s.shadows)
            face.strokes.push_back(
                {Stroke::Kind::Line, sc.centreX, sc.centreY + shadow, tip.x(), tip.y() + shadow, width, 0});
        face.strokes.push_back({Stroke::Kind::Line, sc.centreX, sc.centreY, tip.x(), tip.y(), width, quint32(color)});
    };
    hand(35, a.hour, widthPx(3, factor), s.hourColour);
    hand(46, a.minute, widthPx(2, factor), s.minuteColour);
    if (s.secondHand)
        hand(51, a.second, widthPx(1, factor), s.secondColour);
    return a;
}

void appendTimePoint(Face &face, const Settings &s, float factor)
{
    appendDial(face, s, factor, kBars, {});
}

void appendTimeChar(Face &face, const Settings &s, float factor)
{
    appendDial(face, s, factor, kRomanMain, kRomanSerifs);
}

void appendFrame(Face &face, const Settings &s, float factor, int w, int h)
{
    if (!s.frameRing)
        return;
    face.strokes.push_back({Stroke::Kind::Ring, -1, -1, w + 1, h + 1, ringWidthPx(factor), quint32(s.frameColour)});
}

} // namespace dv
