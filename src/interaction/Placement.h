// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the clock window stands: free at a stored place or pinned to a screen
// corner, in pixels on the screen and in twips in the settings.

#include "face/Scale.h"
#include "platform/Platform.h"

namespace dv {

// The menu's placement items, which show the mode in force.
class PlaceMarks {
public:
    virtual ~PlaceMarks() = default;
    virtual void setPlaceChecks(int place) = 0; // exactly one check mark
};

class Placement {
public:
    Placement(Platform &platform, PlaceMarks &placeMarks)
        : sys(platform)
        , marks(placeMarks)
    {
    }

    void setTwipsPerPixel(double x, double y)
    {
        m_mulX = x;
        m_mulY = y;
    }
    double mulX() const { return m_mulX; }
    double mulY() const { return m_mulY; }

    // Start-up: a stored position in the work area's last 32 pixels or beyond
    // is pulled back onto it, one that no monitor shows (off any side) comes
    // onto the nearest work area, and the window goes there.
    void restore(Settings &s, const Scale &sc);
    // holdPlace: a pinned clock goes to its corner of the work area (panels
    // left free); either way the settings
    // record where the window is. An unknown mode becomes free.
    void hold(Settings &s, int side);
    // The window's place after a drag, into the settings.
    void record(Settings &s);
    // The window's rectangle as the hide test sees it, taken again.
    void updateRect();
    // The pointer over the clock, both bounds inclusive.
    bool contains(QPoint pos) const { return m_rect.contains(pos); }
    QRect rect() const { return m_rect; }

private:
    QRect workAreaAt(QPoint p) const; // of the monitor under p, or the nearest
    Platform &sys;                    // the outside world
    PlaceMarks &marks;
    double m_mulX = 15.0, m_mulY = 15.0; // twips per pixel
    // One past the last pixel on the right and bottom, as the system's
    // rectangles end; the hide test includes both.
    QRect m_rect;
};

} // namespace dv
