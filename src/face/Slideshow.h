#pragma once

#include <QString>
#include <QStringList>

namespace dv {

// The interval labels, in the order the slideshow dialog lists them.
const QStringList &slideIntervals();

// Whether the slideshow interval label asks for a switch at this displayed time.
bool slideDue(const QString &SlideTime, int hour, int minute);

// Picture names of the folder for the format bits (1 bmp, 2 gif, 4 jpg, 8 rle,
// 16 dib, 32 ico, 64 png), in pattern order then the file system's order.
QStringList bmpFileList(const QString &folder, int SlideGrafix);

// Index of the pick for a uniform r in [0, 1).
inline int pickIndex(int count, double r)
{
    return int(count * r);
}

} // namespace dv
