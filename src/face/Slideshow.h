// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace dv {

// The interval labels, in the order the slideshow dialog lists them, each with
// its rule: a new picture whenever the displayed minute of the day is a
// multiple of `minutes` (on the hour for "１時間", at even hours for "２時間").
struct SlideInterval {
    const QString &label;
    int minutes;
};
const std::array<SlideInterval, 10> &slideIntervals();
QStringList slideIntervalLabels();
// The dialog shows an interval in the user's language; the store keeps its
// label whatever the language. Any other text passes as it stands.
QString slideIntervalShown(const QString &stored);
QString slideIntervalStored(const QString &shown);

// Whether the slideshow interval label asks for a switch at this displayed
// time. A label not in the table never does.
bool slideDue(const QString &interval, int hour, int minute);

// Picture names of the folder for the format bits (1 bmp, 2 gif, 4 jpg, 8 rle,
// 16 dib, 32 ico, 64 png), in pattern order then the file system's order.
QStringList bmpFileList(const QString &folder, int formats);

// Index of the pick for a uniform r in [0, 1).
inline int pickIndex(int count, double r)
{
    return int(count * r);
}

} // namespace dv
