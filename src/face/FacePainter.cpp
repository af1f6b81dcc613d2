#include "face/FacePainter.h"

#include <QPainter>
#include <QPen>
#include <cstring>

namespace dv {

namespace {

// Centre a stroke of this width so that it covers whole pixel rows: an odd
// width sits on the pixel centre, an even one on the edge below it (the extra
// row goes below, as the face's stroke tables assume).
qreal centreOffset(int width)
{
    return (width % 2) ? 0.5 : 1.0;
}

} // namespace

static void paintStrokes(const Face &face, QImage &target, size_t from, size_t to)
{
    QPainter p(&target);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (size_t i = from; i < to; ++i) {
        const Stroke &s = face.strokes[i];
        switch (s.kind) {
        case Stroke::Kind::Picture:
            if (!face.picture.isNull())
                p.drawImage(QRectF(s.x1, s.y1, s.x2 - s.x1, s.y2 - s.y1), face.picture);
            break;
        case Stroke::Kind::Line: {
            QPen pen(colorFromBgr(s.color), s.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
            p.setPen(pen);
            const qreal o = centreOffset(s.width);
            if (s.x1 == s.x2 && s.y1 == s.y2)
                p.drawPoint(QPointF(s.x1 + o, s.y1 + o));
            else
                p.drawLine(QPointF(s.x1 + o, s.y1 + o), QPointF(s.x2 + o, s.y2 + o));
            break;
        }
        case Stroke::Kind::Dot: {
            // A filled disc W + 2 px across around the dot's pixel: a pen drawn
            // round a 1 px circle leaves a hollow ring at most widths.
            p.setPen(Qt::NoPen);
            p.setBrush(colorFromBgr(s.color));
            const qreal r = (s.width + 2) / 2.0;
            p.drawEllipse(QPointF(s.x1 + 0.5, s.y1 + 0.5), r, r);
            p.setBrush(Qt::NoBrush);
            break;
        }
        case Stroke::Kind::Ring: {
            // The pen lies entirely inside the box.
            p.setPen(QPen(colorFromBgr(s.color), s.width));
            p.setBrush(Qt::NoBrush);
            const qreal h = s.width / 2.0;
            p.drawEllipse(QRectF(s.x1 + h, s.y1 + h, s.x2 - s.x1 - s.width, s.y2 - s.y1 - s.width));
            break;
        }
        }
    }
}

void paintFace(const Face &face, QImage &target)
{
    target.fill(colorFromBgr(face.board));
    paintStrokes(face, target, 0, face.strokes.size());
}

const QImage &FaceRenderer::render(const Face &face, qreal dpr)
{
    const int side = qMax(1, qRound(face.size * dpr));
    if (!m_valid || dpr != m_dpr || !face.sameFixedLayer(m_fixed)) {
        m_fixedImage = QImage(side, side, QImage::Format_ARGB32_Premultiplied);
        m_fixedImage.setDevicePixelRatio(dpr);
        m_fixedImage.fill(colorFromBgr(face.board));
        paintStrokes(face, m_fixedImage, 0, face.fixedCount());
        m_fixed = face;
        m_dpr = dpr;
        m_valid = true;
        ++m_fixedRepaints;
    }
    // Into the same buffer every second: nobody else holds it.
    if (m_out.size() != m_fixedImage.size())
        m_out = QImage(m_fixedImage.size(), m_fixedImage.format());
    std::memcpy(m_out.bits(), m_fixedImage.constBits(), size_t(m_fixedImage.sizeInBytes()));
    m_out.setDevicePixelRatio(dpr);
    paintStrokes(face, m_out, face.fixedCount(), face.strokes.size());
    return m_out;
}

QImage paintFace(const Face &face, qreal dpr)
{
    const int side = qMax(1, qRound(face.size * dpr));
    QImage img(side, side, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    paintFace(face, img);
    return img;
}

} // namespace dv
