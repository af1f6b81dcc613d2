// SPDX-License-Identifier: GPL-3.0-or-later
#include "interaction/Placement.h"

#include <algorithm>
#include <cmath>

namespace dv {

namespace {
// The monitor under `p`, else the nearest one: its index.
qsizetype monitorFor(const QList<QRect> &monitors, QPoint p)
{
    qsizetype best = 0;
    long long bestDistance = -1;
    for (qsizetype i = 0; i < monitors.size(); ++i) {
        const QRect &m = monitors[i];
        const int dx = p.x() < m.left() ? m.left() - p.x() : p.x() > m.right() ? p.x() - m.right() : 0;
        const int dy = p.y() < m.top() ? m.top() - p.y() : p.y() > m.bottom() ? p.y() - m.bottom() : 0;
        const long long d = static_cast<long long>(dx) * dx + static_cast<long long>(dy) * dy;
        if (bestDistance < 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}
} // namespace

QRect Placement::workAreaAt(QPoint p) const
{
    // A panel along an edge would cover a clock put against it.
    const QList<QRect> monitors = sys.screen.monitorsPx();
    const qsizetype i = monitorFor(monitors, p);
    return sys.screen.workAreasPx().value(i, monitors.value(i));
}

void Placement::restore(Settings &s, const Scale &sc)
{
    const QList<QRect> monitors = sys.screen.monitorsPx();
    if (monitors.size() == 1) {
        // The right and bottom edges of the work area (of the whole screen when no panel is there).
        const QRect area = workAreaAt({0, 0});
        const double screenW = (area.right() + 1) * m_mulX, screenH = (area.bottom() + 1) * m_mulY;
        if (screenH - 32 * m_mulY < s.topTwips)
            s.topTwips = qint32(screenH - sc.heightTwips);
        if (screenW - 32 * m_mulX < s.leftTwips)
            s.leftTwips = qint32(screenW - sc.widthTwips);
    }
    // A clock of which no monitor shows as much as the edges leave (a monitor
    // unplugged on the left or above, a store from a larger desktop) comes
    // back onto the nearest work area: started invisible, it could not be dragged back.
    QRect w(int(std::lround(s.leftTwips / m_mulX)), int(std::lround(s.topTwips / m_mulY)), sc.side, sc.side);
    const bool shows = std::any_of(monitors.begin(), monitors.end(), [&w](const QRect &m) {
        const QRect seen = m & w;
        return seen.width() >= 32 && seen.height() >= 32;
    });
    if (!shows) {
        const QRect m = workAreaAt(w.center());
        w.moveTo(std::clamp(w.x(), m.left(), std::max(m.left(), m.right() + 1 - sc.side)),
                 std::clamp(w.y(), m.top(), std::max(m.top(), m.bottom() + 1 - sc.side)));
        s.leftTwips = twipsToWhole(w.x() * m_mulX);
        s.topTwips = twipsToWhole(w.y() * m_mulY);
    }
    sys.window.movePx(w.x(), w.y());
}

void Placement::hold(Settings &s, int side)
{
    const QRect before = sys.window.screenRect();
    // Corners of the work area of the monitor the clock is on; the window is square.
    const QRect m = workAreaAt(before.center());
    const int left = m.left(), top = m.top();
    const int right = m.left() + m.width() - side;
    const int bottom = m.top() + m.height() - side;
    switch (s.corner) {
    case Corner::Free: break;
    case Corner::TopLeft: sys.window.movePx(left, top); break;
    case Corner::BottomLeft: sys.window.movePx(left, bottom); break;
    case Corner::TopRight: sys.window.movePx(right, top); break;
    case Corner::BottomRight: sys.window.movePx(right, bottom); break;
    default: s.corner = Corner::Free; break;
    }
    marks.setPlaceChecks(int(s.corner));
    const QRect now = s.corner == Corner::Free ? before : sys.window.screenRect();
    s.topTwips = twipsToWhole(now.top() * m_mulY);
    s.leftTwips = twipsToWhole(now.left() * m_mulX);
    updateRect();
}

void Placement::record(Settings &s)
{
    const QRect r = sys.window.screenRect();
    s.topTwips = twipsToWhole(r.top() * m_mulY);
    s.leftTwips = twipsToWhole(r.left() * m_mulX);
    updateRect();
}

void Placement::updateRect()
{
    const QRect r = sys.window.screenRect();
    m_rect = QRect(r.topLeft(), QSize(r.width() + 1, r.height() + 1));
}

} // namespace dv
