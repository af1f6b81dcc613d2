// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// When the transparent board must be captured again, as long as the desktop
// behind is copied rather than shown live: the window in front of the clock
// came, moved or went away from it; a capture that was not steady is looked
// at again; an expose the system asks for, not one our own show brings.

#include "platform/Platform.h"

namespace dv {

class CaptureTracker {
public:
    // Start-up: nothing remembered; the saved rectangle is the clock's own.
    void reset(const QRect &clock);
    // Once each displayed second: true when the window in front asks for a
    // capture, or the window last copied has gone from the screen (`lastGone`)
    // without coming to the front.
    bool update(const ActiveWindow &active, const QRect &clock, bool lastGone = false);
    quint64 lastWindow() const { return m_lastWindow; }

    // A capture was taken at `now` (ms). One that never came steady (the
    // window behind still painting) is taken once more a second later. One
    // that saw only our own face (`seen` false) is looked at again a second
    // later, up to three times in a row, before that rule.
    void captured(bool steady, qint64 now, bool seen = true);
    bool secondLookDue(qint64 now);

    // The clock showed or uncovered itself: the exposes that brings in the
    // next half second are ours, not the system asking for a repaint.
    void ownShow(qint64 now) { m_ownShowAt = now; }
    bool exposeIsSystems(qint64 now) const { return m_ownShowAt < 0 || now - m_ownShowAt > 500 || now < m_ownShowAt; }

private:
    quint64 m_lastWindow = 0;   // the window in front last captured for
    QRect m_lastWindowRect;     // its rectangle then
    qint64 m_secondLookAt = -1; // when an unsteady capture is looked at again
    bool m_lookingAgain = false;
    int m_unseenLooks = 0; // captures in a row that saw only our own face
    qint64 m_ownShowAt = -1;
};

// Whether any of `r` lies inside the circle inscribed in `clock`: the only
// part of the clock a window behind can show through.
bool seenThroughCircle(const QRect &r, const QRect &clock);

} // namespace dv
