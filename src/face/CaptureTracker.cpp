#include "face/CaptureTracker.h"

namespace dv {

void CaptureTracker::reset(const QRect &clock)
{
    m_lastWindow = 0;
    m_lastWindowRect = clock;
    m_skipNext = false;
}

bool CaptureTracker::update(const ActiveWindow &active, const QRect &clock)
{
    if (active.isClock || active.id == 0)
        return false;
    if (active.id == m_lastWindow) {
        // Still the same in the same place over the clock: the capture holds.
        if (active.rect == m_lastWindowRect && active.rect.intersects(clock))
            return false;
        // It moved, or the clock moved away from it.
        m_lastWindow = 0;
        m_lastWindowRect = active.rect;
        m_skipNext = true;
        return true;
    }
    if (!active.rect.intersects(clock))
        return false;
    if (m_skipNext) {
        m_skipNext = false;
        return false;
    }
    m_lastWindow = active.id;
    m_lastWindowRect = active.rect;
    return true;
}

} // namespace dv
