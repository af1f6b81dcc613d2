// SPDX-License-Identifier: GPL-3.0-or-later
// The picture loader: any bytes give a picture or none, and a picture stretches onto the face.
#include "face/PictureFiles.h"

#include <QBuffer>
#include <QImageReader>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QImageReader::setAllocationLimit(64); // megabytes: a header may claim any size
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const QImage img = dv::decodePicture(&buffer, QSize(120, 120));
    if (!img.isNull()) {
        if (img.width() <= 0 || img.height() <= 0)
            std::abort();
        if (img.scaled(120, 120).size() != QSize(120, 120))
            std::abort();
    }
    return 0;
}
