#pragma once
// When the transparent board must be captured again: the window in front of
// the clock came, moved or went away from it. Seen once each displayed second.

#include "platform/Platform.h"

namespace dv {

class CaptureTracker {
public:
    // Start-up: nothing remembered; the saved rectangle is the clock's own.
    void reset(const QRect &clock);
    // True when a capture is due this second.
    bool update(const ActiveWindow &active, const QRect &clock);

private:
    quint64 m_lastWindow = 0; // the window last captured for
    QRect m_lastWindowRect;   // its rectangle then
    bool m_skipNext = false;  // a second capture is due: skip the next new window once
};

} // namespace dv
