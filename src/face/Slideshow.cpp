#include "face/Slideshow.h"

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

bool slideDue(const QString &SlideTime, int hour, int minute)
{
    for (const SlideInterval &i : slideIntervals())
        if (SlideTime == i.label)
            return (hour * 60 + minute) % i.minutes == 0;
    return false;
}

QStringList bmpFileList(const QString &folder, int SlideGrafix)
{
    static const char *const patterns[] = {"*.bmp", "*.gif", "*.jpg", "*.rle", "*.dib", "*.ico"};
    const QDir dir(folder);
    QStringList names;
    for (int i = 0; i < 6; ++i) {
        if (!(SlideGrafix & (1 << i)))
            continue;
        // Normal files only; the patterns match in any case.
        names += dir.entryList({QString::fromLatin1(patterns[i])}, QDir::Files, QDir::Unsorted);
    }
    return names;
}

} // namespace dv
