// SPDX-License-Identifier: GPL-3.0-or-later
#include "face/PictureFiles.h"

#include "resources/Texts.h"

namespace dv {

bool isDroppablePicture(const QString &path)
{
    for (const PictureFormat &f : kPictureFormats) {
        const QLatin1String suffix(f.suffix);
        if (path.right(suffix.size()).compare(suffix, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QStringList pictureFilters()
{
    QStringList patterns;
    for (const PictureFormat &f : kPictureFormats) {
        if (f.chooserGroup < 0)
            continue;
        if (patterns.size() <= f.chooserGroup)
            patterns.resize(f.chooserGroup + 1);
        QString &group = patterns[f.chooserGroup];
        group += (group.isEmpty() ? QString() : QStringLiteral(" ")) + QStringLiteral("*.") + QLatin1String(f.suffix);
    }
    QStringList filters;
    for (const QString &p : patterns)
        filters << text::PictureFilter.arg(p);
    return filters;
}

QStringList slidePatterns(int formats)
{
    QStringList patterns;
    for (const PictureFormat &f : kPictureFormats)
        if (formats & f.slideBit)
            patterns << QStringLiteral("*.") + QLatin1String(f.suffix);
    return patterns;
}

} // namespace dv
