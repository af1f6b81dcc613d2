#pragma once
// The few things Qt does not say about an X11 window.

#include <QPoint>
#include <QRect>

class QWindow;

namespace dv::x11 {

bool available();
// Keep the window out of taskbars and pagers. Call before each first show of a
// native window (Qt makes a new one when the stays-on-top hint changes).
void setSkipTaskbar(QWindow *w);
// Where X has the window, which under some window managers Qt misreports.
QPoint windowPos(QWindow *w, QPoint fallback);
// _NET_ACTIVE_WINDOW of the root, with the rectangle of its top-level frame;
// id 0 when there is none.
struct Active {
    quint64 id = 0;
    QRect rect;
};
Active activeWindow();

// Whether the left button is down, asked of the server.
bool leftButtonDown();

// Pointer position and modifier keys in one round trip to the server.
struct PointerState {
    bool ok = false;
    QPoint pos;
    bool shift = false;
    bool ctrl = false;
    bool leftButton = false;
};
PointerState queryPointer();

// Shift and Ctrl as the server pushes them, whichever window has the focus:
// no round trip a tick just to learn that no key is held.
class ModifierWatch {
public:
    ModifierWatch();
    ~ModifierWatch();
    bool live() const { return m_live; }
    bool shift() const { return m_shift; }
    bool ctrl() const { return m_ctrl; }
private:
    class Filter;
    Filter *m_filter = nullptr;
    bool m_live = false;
    bool m_shift = false;
    bool m_ctrl = false;
    friend class Filter;
};

} // namespace dv::x11
