// SPDX-License-Identifier: GPL-3.0-or-later
#include "face/FacePainter.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace dv {

namespace {

// Centre a stroke of this width so that it covers whole pixel rows: an odd
// width sits on the pixel centre, an even one on the edge below it (the extra
// row goes below, as the face's stroke tables assume).
qreal centreOffset(int width)
{
    return (width % 2) ? 0.5 : 1.0;
}

// Antialiasing reaches a pixel past the geometry; one more for rounding.
constexpr qreal kAntialiasReach = 2.0;

QRect deviceBox(qreal l, qreal t, qreal r, qreal b, qreal dpr)
{
    return QRect(QPoint(int(std::floor(l * dpr)), int(std::floor(t * dpr))),
                 QPoint(int(std::ceil(r * dpr)) - 1, int(std::ceil(b * dpr)) - 1));
}

// The whole stroke's box in device pixels, with everything it can touch.
QRect strokeBounds(const Stroke &s, qreal dpr)
{
    const qreal r = (s.width + 2) / 2.0 + 1.0 + kAntialiasReach / dpr;
    return deviceBox(qMin(s.x1, s.x2) - r, qMin(s.y1, s.y2) - r, qMax(s.x1, s.x2) + r, qMax(s.y1, s.y2) + r, dpr);
}

// The changed pixels in fewer, larger rectangles: rows in bands, and pieces
// of a band less than a gap apart joined. Each rectangle costs a request and
// its clipping on the server, a few more pixels cost next to nothing; a
// slanted hand's cover comes in a rectangle for every few rows otherwise.
constexpr int kBand = 32, kGap = 32;

QRegion coarsened(const QRegion &fine)
{
    if (fine.rectCount() <= 1)
        return fine;
    QRegion out;
    const QRect bounds = fine.boundingRect();
    std::vector<std::pair<int, int>> spans;
    for (int top = bounds.top(); top <= bounds.bottom(); top += kBand) {
        const QRegion band = fine & QRect(bounds.left(), top, bounds.width(), kBand);
        if (band.isEmpty())
            continue;
        const QRect rows = band.boundingRect();
        spans.clear();
        for (const QRect &r : band)
            spans.emplace_back(r.left(), r.right());
        std::sort(spans.begin(), spans.end());
        int l = spans.front().first, r = spans.front().second;
        for (const auto &[sl, sr] : spans) {
            if (sl > r + kGap) {
                out += QRect(QPoint(l, rows.top()), QPoint(r, rows.bottom()));
                l = sl;
            }
            r = qMax(r, sr);
        }
        out += QRect(QPoint(l, rows.top()), QPoint(r, rows.bottom()));
    }
    return out;
}

} // namespace

static void drawStroke(QPainter &p, const QImage &picture, const Stroke &s)
{
    switch (s.kind) {
    case Stroke::Kind::Picture:
        if (!picture.isNull())
            p.drawImage(QRectF(s.x1, s.y1, s.x2 - s.x1, s.y2 - s.y1), picture);
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

static void paintStrokes(const Face &face, QImage &target, size_t from, size_t to)
{
    // Scaled by hand on a 1:1 device, as a composed piece of a face is.
    const qreal dpr = target.devicePixelRatio();
    target.setDevicePixelRatio(1.0);
    QPainter p(&target);
    p.scale(dpr, dpr);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (size_t i = from; i < to; ++i)
        drawStroke(p, face.picture, face.strokes[i]);
    p.end();
    target.setDevicePixelRatio(dpr);
}

// The board: its colour, or nothing at all where the desktop shows through.
static QColor boardFill(const Face &face)
{
    return face.seeThrough ? QColor(Qt::transparent) : colorFromBgr(face.board);
}

static void paintFixed(const Face &face, QImage &target, size_t count)
{
    target.fill(boardFill(face));
    paintStrokes(face, target, 0, count);
    if (!face.roundEdge)
        return;
    // Kept: the disc, its edge pixels as much as the circle covers them.
    QImage disc(target.size(), QImage::Format_ARGB32_Premultiplied);
    disc.fill(Qt::transparent);
    QPainter d(&disc);
    d.setRenderHint(QPainter::Antialiasing, true);
    d.setPen(Qt::NoPen);
    d.setBrush(Qt::black);
    d.drawEllipse(QRectF(disc.rect()));
    d.end();
    const qreal dpr = target.devicePixelRatio();
    target.setDevicePixelRatio(1.0);
    QPainter p(&target);
    p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    p.drawImage(0, 0, disc);
    p.end();
    target.setDevicePixelRatio(dpr);
}

void paintFace(const Face &face, QImage &target)
{
    paintFixed(face, target, face.strokes.size());
}

QRegion strokeCover(const Stroke &s, qreal dpr)
{
    auto box = [dpr](qreal l, qreal t, qreal r, qreal b) { return deviceBox(l, t, r, b, dpr); };
    const qreal pad = kAntialiasReach / dpr;
    switch (s.kind) {
    case Stroke::Kind::Line: {
        const qreal o = centreOffset(s.width);
        const qreal r = s.width / 2.0 + pad;
        const QPointF a(s.x1 + o, s.y1 + o), b(s.x2 + o, s.y2 + o);
        // Pieces about as long as the pen is wide cover a slanted hand closely.
        const qreal length = std::hypot(b.x() - a.x(), b.y() - a.y());
        const int pieces = qMax(1, int(std::ceil(length / qMax<qreal>(8.0, 2 * r))));
        QRegion cover;
        for (int i = 0; i < pieces; ++i) {
            const QPointF p = a + (b - a) * (qreal(i) / pieces), q = a + (b - a) * (qreal(i + 1) / pieces);
            cover += box(qMin(p.x(), q.x()) - r, qMin(p.y(), q.y()) - r, qMax(p.x(), q.x()) + r,
                         qMax(p.y(), q.y()) + r);
        }
        return cover;
    }
    case Stroke::Kind::Dot: {
        const qreal r = (s.width + 2) / 2.0 + pad;
        return box(s.x1 + 0.5 - r, s.y1 + 0.5 - r, s.x1 + 0.5 + r, s.y1 + 0.5 + r);
    }
    case Stroke::Kind::Ring:
    case Stroke::Kind::Picture: break;
    }
    return box(qMin(s.x1, s.x2) - pad, qMin(s.y1, s.y2) - pad, qMax(s.x1, s.x2) + pad, qMax(s.y1, s.y2) + pad);
}

const QRegion &FaceRenderer::render(const Face &face, qreal dpr)
{
    const int side = qMax(1, qRound(face.size * dpr));
    const auto firstMoving = face.strokes.begin() + std::ptrdiff_t(face.fixedCount());
    if (!m_valid || dpr != m_dpr || !face.sameFixedLayer(m_fixed)) {
        m_fixedImage = QImage(side, side, QImage::Format_ARGB32_Premultiplied);
        m_fixedImage.setDevicePixelRatio(dpr);
        paintFixed(face, m_fixedImage, face.fixedCount());
        m_fixed = face;
        m_fixed.strokes.resize(face.fixedCount());
        m_dpr = dpr;
        m_valid = true;
        ++m_fixedRepaints;
        m_changed = QRegion(0, 0, side, side);
        m_moving.assign(firstMoving, face.strokes.end());
        return m_changed;
    }
    // Where a hand was and where it is now, for each hand that moved.
    const size_t count = size_t(face.strokes.end() - firstMoving);
    const bool sameHands = count == m_moving.size();
    QRegion dirty;
    for (size_t i = 0; i < m_moving.size(); ++i)
        if (!sameHands || !(m_moving[i] == firstMoving[std::ptrdiff_t(i)]))
            dirty += strokeCover(m_moving[i], dpr);
    for (size_t i = 0; i < count; ++i)
        if (!sameHands || !(m_moving[i] == firstMoving[std::ptrdiff_t(i)]))
            dirty += strokeCover(firstMoving[std::ptrdiff_t(i)], dpr);
    m_changed = coarsened(dirty & QRect(0, 0, side, side));
    m_moving.assign(firstMoving, face.strokes.end());
    return m_changed;
}

void FaceRenderer::paintHands(QImage &out, const QRect &area) const
{
    // The dial there, and every hand that reaches in painted over it (they
    // overlap), shifted by whole device pixels: the same pixels as a whole frame.
    out.setDevicePixelRatio(1.0);
    QPainter p(&out);
    p.translate(-area.topLeft());
    p.scale(m_dpr, m_dpr);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (const Stroke &s : m_moving)
        if (area.intersects(strokeBounds(s, m_dpr)))
            drawStroke(p, m_fixed.picture, s);
    p.end();
    out.setDevicePixelRatio(m_dpr);
}

QImage FaceRenderer::compose(const QRect &wanted) const
{
    const QRect area = wanted & m_fixedImage.rect();
    if (area.isEmpty())
        return QImage();
    QImage out = m_fixedImage.copy(area);
    paintHands(out, area);
    return out;
}

const QImage &FaceRenderer::composeKept(const QRect &wanted)
{
    const QRect area = wanted & m_fixedImage.rect();
    if (area.isEmpty()) {
        m_kept = QImage();
        return m_kept;
    }
    // A whole face (an expose, a new dial) in an image of its own, given back
    // with the next call: the kept buffer stays the size of a second's box.
    if (qint64(area.width()) * area.height() > qint64(m_fixedImage.width()) * m_fixedImage.height() / 4) {
        m_kept = compose(area);
        return m_kept;
    }
    // Rows one after the other, as the window system takes them; the buffer
    // only grows, so a second's box brings no fresh pages.
    const size_t rowBytes = size_t(area.width()) * 4;
    if (m_keptBuffer.size() < size_t(area.width()) * size_t(area.height()))
        m_keptBuffer.resize(size_t(area.width()) * size_t(area.height()));
    uchar *bits = reinterpret_cast<uchar *>(m_keptBuffer.data());
    m_kept = QImage(bits, area.width(), area.height(), qsizetype(rowBytes), m_fixedImage.format());
    for (int y = 0; y < area.height(); ++y)
        std::memcpy(m_kept.scanLine(y), m_fixedImage.constScanLine(area.top() + y) + size_t(area.left()) * 4, rowBytes);
    paintHands(m_kept, area);
    return m_kept;
}

QImage FaceRenderer::image() const
{
    return compose(m_fixedImage.rect());
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
