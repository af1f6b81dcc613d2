#include "face/Slideshow.h"

#include "face/PictureFiles.h"

#include <QDir>

namespace dv {

const QStringList &slideIntervals()
{
    static const QStringList intervals{QStringLiteral("１分"),   QStringLiteral("２分"),   QStringLiteral("３分"),
                                       QStringLiteral("５分"),   QStringLiteral("１０分"), QStringLiteral("１５分"),
                                       QStringLiteral("２０分"), QStringLiteral("３０分"), QStringLiteral("１時間"),
                                       QStringLiteral("２時間")};
    return intervals;
}

bool slideDue(const QString &SlideTime, int hour, int minute)
{
    const int last = minute % 10;
    if (SlideTime == QStringLiteral("１分"))
        return true;
    if (SlideTime == QStringLiteral("２分"))
        return minute % 2 == 0;
    if (SlideTime == QStringLiteral("３分"))
        return minute % 3 == 0;
    if (SlideTime == QStringLiteral("５分"))
        return last == 0 || last == 5;
    if (SlideTime == QStringLiteral("１０分"))
        return last == 0;
    if (SlideTime == QStringLiteral("１５分"))
        return minute % 15 == 0;
    if (SlideTime == QStringLiteral("２０分"))
        return minute % 20 == 0;
    if (SlideTime == QStringLiteral("３０分"))
        return minute % 30 == 0;
    if (SlideTime == QStringLiteral("１時間"))
        return minute == 0;
    if (SlideTime == QStringLiteral("２時間"))
        return minute == 0 && hour % 2 == 0;
    return false;
}

QStringList bmpFileList(const QString &folder, int SlideGrafix)
{
    const QDir dir(folder);
    QStringList names;
    // Normal files only; the patterns match in any case.
    for (const QString &pattern : slidePatterns(SlideGrafix))
        names += dir.entryList({pattern}, QDir::Files, QDir::Unsorted);
    return names;
}

} // namespace dv
