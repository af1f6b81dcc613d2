// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The picture files the clock takes, in one list: what a drop accepts, what
// the picture chooser offers and what the slideshow looks for.

#include <QIODevice>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

namespace dv {

struct PictureFormat {
    const char *suffix; // lower case, without the dot
    int slideBit;       // its bit in the slideshow formats; 0: not a slideshow format
    int chooserGroup;   // which of the chooser's filters lists it
};

// In the slideshow's scan order. PNG and WebP came after the stored six, so
// they have the next bits and a stored value without them keeps the files it
// always had; the longer JPEG endings go with the JPEG bit.
inline constexpr PictureFormat kPictureFormats[] = {
    {"bmp", 1, 0},  {"gif", 2, 0},  {"jpg", 4, 0},  {"jpeg", 4, 0},   {"jfif", 4, 0}, {"rle", 8, 1},
    {"dib", 16, 1}, {"ico", 32, 2}, {"png", 64, 0}, {"webp", 128, 0}, {"pcx", 0, -1}, // a drop takes it by name; the picture loader says whether it reads
};

// A drop's name test: the name ends in one of the endings, in any case.
bool isDroppablePicture(const QString &path);
// The chooser's filters, "description (*.a *.b)" each.
QStringList pictureFilters();
// The picture a file or device holds, decoded by its content whatever its
// name, no larger than `fit` (a board is stretched to the face: more pixels
// than the face's would only cost memory); null when it is no regular file,
// cannot be read or cannot be decoded.
QImage decodePicture(QIODevice *device, QSize fit);
// Enough to tell whether a picture decodes at all.
inline constexpr QSize kPictureCheckSize{120, 120};
QImage readPictureFile(const QString &path, QSize fit);
// The slideshow's patterns ("*.bmp") for the bits set, in scan order.
QStringList slidePatterns(int formats);

} // namespace dv
