// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One face frame as a list of strokes, built from the settings and the
// displayed time, then painted. Coordinates are window pixels.

#include <QImage>
#include <QtGlobal>

#include <algorithm>
#include <vector>

namespace dv {

struct Stroke {
    enum class Kind {
        Line,    // (x1, y1) to (x2, y2)
        Dot,     // filled disc of width + 2 px around the pixel (x1, y1)
        Ring,    // ellipse whose pen lies inside the box (x1, y1)-(x2, y2)
        Picture, // the face's picture stretched to the box (x1, y1)-(x2, y2)
    };
    Kind kind = Kind::Line;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int width = 1;
    quint32 color = 0; // 0x00BBGGRR

    bool operator==(const Stroke &) const = default;
};

struct Face {
    int size = 120;           // the window's side in pixels
    quint32 board = 0xFFFFFF; // cleared to this first
    bool seeThrough = false;  // cleared to nothing instead: what is behind shows
    bool roundEdge = false;   // nothing outside the circle, its edge smoothed (a compositor shows the window's alpha)
    std::vector<Stroke> strokes;
    QImage picture; // used by a Picture stroke
    // The leading strokes that do not move with the time (board, dial, ring);
    // the painter keeps them as one image. Everything is fixed until marked.
    size_t fixedStrokes = size_t(-1);

    size_t fixedCount() const { return std::min(fixedStrokes, strokes.size()); }
    void markFixed() { fixedStrokes = strokes.size(); }
    bool sameFixedLayer(const Face &o) const
    {
        return size == o.size && board == o.board && seeThrough == o.seeThrough && roundEdge == o.roundEdge
               && picture.cacheKey() == o.picture.cacheKey() && fixedCount() == o.fixedCount()
               && std::equal(strokes.begin(), strokes.begin() + std::ptrdiff_t(fixedCount()), o.strokes.begin());
    }

    void clear(int sizePx, quint32 boardColor)
    {
        size = sizePx;
        board = boardColor;
        seeThrough = false;
        roundEdge = false;
        strokes.clear();
        picture = QImage();
        fixedStrokes = size_t(-1);
    }
    bool operator==(const Face &o) const
    {
        return size == o.size && board == o.board && seeThrough == o.seeThrough && roundEdge == o.roundEdge
               && strokes == o.strokes && picture.cacheKey() == o.picture.cacheKey() && fixedCount() == o.fixedCount();
    }
};

} // namespace dv
