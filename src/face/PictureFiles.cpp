// SPDX-License-Identifier: GPL-3.0-or-later
#include "face/PictureFiles.h"

#include "resources/Texts.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

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

QImage decodePicture(QIODevice *device, QSize fit)
{
    QImageReader reader(device);
    reader.setDecideFormatFromContent(true);
    // JPEG shrinks while it decodes; other formats are shrunk once read, and
    // one too large for the reader's limit even then gives no picture.
    const QSize full = reader.size();
    if (full.isValid() && (full.width() > fit.width() || full.height() > fit.height()))
        reader.setScaledSize(full.boundedTo(fit));
    return reader.read();
}

QImage readPictureFile(const QString &path, QSize fit)
{
    // A FIFO would block the read for good, a device never end it.
    if (!QFileInfo(path).isFile())
        return {};
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return decodePicture(&f, fit);
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
