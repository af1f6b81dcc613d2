// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "face/Face.h"
#include "settings/Colour.h"

#include <QColor>
#include <QImage>
#include <QRegion>

#include <vector>

namespace dv {

// Paints the face into an image of face.size x face.size logical pixels at the
// given device pixel ratio (drawn at device resolution, not scaled up).
QImage paintFace(const Face &face, qreal dpr = 1.0);
void paintFace(const Face &face, QImage &target);

// The device pixels a stroke can touch, antialiasing included: a few small
// rectangles along a line rather than its whole bounding box.
QRegion strokeCover(const Stroke &s, qreal dpr);

// Paints faces one after the other. It keeps the fixed layer (board, dial,
// ring), drawn only when it changes, and the hands of the last face; a
// frame's pixels are composed when asked for, and only round the hands that
// moved: most seconds, the second hand's old and new places.
class FaceRenderer {
public:
    // Takes the next face; returns the device pixels that differ from the last
    // face's: all of them after a new dial, none when the face is the same.
    const QRegion &render(const Face &face, qreal dpr);
    const QRegion &changed() const { return m_changed; }
    // The current face's pixels in `area` (device pixels), in an image of
    // the area's size.
    QImage compose(const QRect &area) const;
    // The same pixels, in a buffer kept from one call to the next (a large
    // face's box each second brings no fresh pages); good until the next call.
    const QImage &composeKept(const QRect &area);
    QImage image() const; // the whole current face
    QRect rect() const { return m_fixedImage.rect(); }
    int fixedRepaints() const { return m_fixedRepaints; }

private:
    void paintHands(QImage &out, const QRect &area) const;

    Face m_fixed;
    std::vector<Stroke> m_moving; // the hands of the last face
    QRegion m_changed;
    bool m_valid = false;
    qreal m_dpr = 0;
    QImage m_fixedImage;
    int m_fixedRepaints = 0;
    std::vector<quint32> m_keptBuffer;
    QImage m_kept; // over m_keptBuffer
};

} // namespace dv
