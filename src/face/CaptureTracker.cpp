// SPDX-License-Identifier: GPL-3.0-or-later
#include "face/CaptureTracker.h"

#include <algorithm>

namespace dv {

bool seenThroughCircle(const QRect &r, const QRect &clock)
{
    if (!r.intersects(clock))
        return false;
    // The point of the rectangle nearest the circle's centre, in pixel edges.
    const double radius = clock.width() / 2.0;
    const double cx = clock.x() + radius, cy = clock.y() + clock.height() / 2.0;
    const double nx = std::clamp(cx, double(r.x()), double(r.x() + r.width()));
    const double ny = std::clamp(cy, double(r.y()), double(r.y() + r.height()));
    return (nx - cx) * (nx - cx) + (ny - cy) * (ny - cy) < radius * radius;
}

void CaptureTracker::reset(const QRect &clock)
{
    m_lastWindow = 0;
    m_lastWindowRect = clock;
    m_secondLookAt = -1;
    m_lookingAgain = false;
    m_unseenLooks = 0;
}

bool CaptureTracker::update(const ActiveWindow &active, const QRect &clock, bool lastGone)
{
    // Closed or minimised while another window had the focus: what was behind it shows now.
    const bool gone = lastGone && m_lastWindow != 0 && active.id != m_lastWindow;
    if (gone)
        m_lastWindow = 0;
    if (active.isClock || active.id == 0)
        return gone;
    const bool seen = seenThroughCircle(active.rect, clock);
    const bool known = active.id == m_lastWindow;
    // Still the same in the same place over the clock: the capture holds.
    if (known && active.rect == m_lastWindowRect && seen)
        return gone;
    // A window the clock's circle does not show needs no picture of it.
    if (!known && !seen)
        return gone;
    // It came, moved, or left the circle (or the clock left it).
    m_lastWindow = seen ? active.id : 0;
    m_lastWindowRect = active.rect;
    return true;
}

void CaptureTracker::captured(bool steady, qint64 now, bool seen)
{
    // A window behind that has not repainted yet: the board still wants it.
    if (!seen && m_unseenLooks < 3) {
        ++m_unseenLooks;
        m_lookingAgain = false;
        m_secondLookAt = now + 1000;
        return;
    }
    m_unseenLooks = 0;
    // The second look asks for no third.
    const bool again = m_lookingAgain;
    m_lookingAgain = false;
    m_secondLookAt = steady || again ? -1 : now + 1000;
}

bool CaptureTracker::secondLookDue(qint64 now)
{
    if (m_secondLookAt < 0 || now < m_secondLookAt)
        return false;
    m_secondLookAt = -1;
    m_lookingAgain = true;
    return true;
}

} // namespace dv
