#include "interaction/Placement.h"

#include <cmath>

namespace dv {

void Placement::restore(Settings &s, const Scale &sc)
{
    const QSize screen = sys.screen.sizePx();
    const double screenW = screen.width() * m_mulX, screenH = screen.height() * m_mulY;
    if (screenH - 32 * m_mulY < s.FormTop)
        s.FormTop = qint32(screenH - sc.heightTwips);
    if (screenW - 32 * m_mulX < s.FormLeft)
        s.FormLeft = qint32(screenW - sc.widthTwips);
    sys.window.movePx(int(std::lround(s.FormLeft / m_mulX)), int(std::lround(s.FormTop / m_mulY)));
}

void Placement::hold(Settings &s, int side)
{
    const QSize screen = sys.screen.sizePx();
    const QRect before = sys.window.screenRect();
    // Corners of the whole screen, in pixels; the window is square.
    const int right = screen.width() - side;
    const int bottom = screen.height() - side;
    switch (s.FormPlace) {
    case 0: break;
    case 1: sys.window.movePx(0, 0); break;
    case 2: sys.window.movePx(0, bottom); break;
    case 3: sys.window.movePx(right, 0); break;
    case 4: sys.window.movePx(right, bottom); break;
    default: s.FormPlace = 0; break;
    }
    marks.setPlaceChecks(s.FormPlace);
    const QRect now = s.FormPlace == 0 ? before : sys.window.screenRect();
    s.FormTop = twipsToWhole(now.top() * m_mulY);
    s.FormLeft = twipsToWhole(now.left() * m_mulX);
    updateRect();
}

void Placement::record(Settings &s)
{
    const QRect r = sys.window.screenRect();
    s.FormTop = twipsToWhole(r.top() * m_mulY);
    s.FormLeft = twipsToWhole(r.left() * m_mulX);
    updateRect();
}

void Placement::updateRect()
{
    const QRect r = sys.window.screenRect();
    m_rect = QRect(r.topLeft(), QSize(r.width() + 1, r.height() + 1));
}

} // namespace dv
