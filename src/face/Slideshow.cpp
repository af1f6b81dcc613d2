// SPDX-License-Identifier: GPL-3.0-or-later
#include "face/Slideshow.h"

#include "face/PictureFiles.h"
#include "resources/Texts.h"

#include <QDir>

namespace dv {

const std::array<SlideInterval, 10> &slideIntervals()
{
    static const std::array<SlideInterval, 10> intervals{{
        {text::Slide1Min, 1},
        {text::Slide2Min, 2},
        {text::Slide3Min, 3},
        {text::Slide5Min, 5},
        {text::Slide10Min, 10},
        {text::Slide15Min, 15},
        {text::Slide20Min, 20},
        {text::Slide30Min, 30},
        {text::Slide1Hour, 60},
        {text::Slide2Hours, 120},
    }};
    return intervals;
}

QStringList slideIntervalLabels()
{
    QStringList labels;
    for (const SlideInterval &i : slideIntervals())
        labels << i.label;
    return labels;
}

QString slideIntervalShown(const QString &stored)
{
    for (const SlideInterval &i : slideIntervals())
        if (stored == i.label)
            return QCoreApplication::translate(text::kContext, i.label.toUtf8().constData());
    return stored;
}

QString slideIntervalStored(const QString &shown)
{
    for (const SlideInterval &i : slideIntervals())
        if (shown == slideIntervalShown(i.label))
            return i.label;
    return shown;
}

bool slideDue(const QString &interval, int hour, int minute)
{
    for (const SlideInterval &i : slideIntervals())
        if (interval == i.label)
            return (hour * 60 + minute) % i.minutes == 0;
    return false;
}

QStringList bmpFileList(const QString &folder, int formats)
{
    const QDir dir(folder);
    QStringList names;
    // Normal files only; the patterns match in any case.
    for (const QString &pattern : slidePatterns(formats))
        names += dir.entryList({pattern}, QDir::Files, QDir::Unsorted);
    return names;
}

} // namespace dv
