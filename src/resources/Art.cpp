// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/Art.h"

#include <QPainter>
#include <QPen>

#include <cmath>

namespace dv {

QImage clockIconImage(int side)
{
    QImage img(side, side, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = side;
    const QPointF c(s / 2, s / 2);
    p.setPen(QPen(Qt::black, qMax(1.0, s / 16)));
    p.setBrush(Qt::white);
    p.drawEllipse(c, s / 2 - s / 16, s / 2 - s / 16);
    // Ten past ten, the clock-maker's smile.
    auto hand = [&](qreal deg, qreal len, qreal w) {
        const qreal r = deg * M_PI / 180.0;
        p.setPen(QPen(Qt::black, w, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c, c + QPointF(std::cos(r) * len, -std::sin(r) * len));
    };
    hand(150, s * 0.25, qMax(1.5, s / 11));
    hand(30, s * 0.36, qMax(1.0, s / 16));
    return img;
}

QIcon clockIcon()
{
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(clockIconImage(16)));
    icon.addPixmap(QPixmap::fromImage(clockIconImage(32)));
    icon.addPixmap(QPixmap::fromImage(clockIconImage(48)));
    return icon;
}

QImage stripeFrame(bool frameB, QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    const QRgb yellow = qRgb(255, 255, 0), black = qRgb(0, 0, 0);
    const int half = kStripePeriod / 2;
    const int shift = frameB ? half : 0;
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            // x + y is constant along a line rising to the upper right.
            const int band = ((x + y + shift) / half) % 2;
            line[x] = band ? black : yellow;
        }
    }
    return img;
}

} // namespace dv
