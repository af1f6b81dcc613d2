#pragma once

#include "face/Face.h"

#include <QColor>
#include <QImage>
#include <QRegion>

namespace dv {

inline QColor colorFromBgr(quint32 c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

// Paints the face into an image of face.size x face.size logical pixels at the
// given device pixel ratio (drawn at device resolution, not scaled up).
QImage paintFace(const Face &face, qreal dpr = 1.0);
void paintFace(const Face &face, QImage &target);

// The device pixels a stroke can touch, antialiasing included: a few small
// rectangles along a line rather than its whole bounding box.
QRegion strokeCover(const Stroke &s, qreal dpr);

// Paints faces one after the other, drawing the fixed layer (board, dial,
// ring) only when it changed: most seconds only the hands are new, and only
// the pixels under the hands' old and new places are painted again.
class FaceRenderer {
public:
    const QImage &render(const Face &face, qreal dpr);
    const QImage &image() const { return m_out; } // the last face rendered
    // The device pixels the last render changed: all of them after a new
    // dial, none when the face was the same.
    const QRegion &changed() const { return m_changed; }
    int fixedRepaints() const { return m_fixedRepaints; }
private:
    Face m_fixed;
    std::vector<Stroke> m_moving; // the hands now in m_out
    QRegion m_changed;
    bool m_valid = false;
    qreal m_dpr = 0;
    QImage m_fixedImage;
    QImage m_out;
    int m_fixedRepaints = 0;
};

} // namespace dv
