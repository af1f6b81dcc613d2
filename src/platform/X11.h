// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The few things Qt does not say about an X11 window.

#include <QPoint>
#include <QRect>
#include <QRegion>

#include <functional>
#include <memory>
#include <vector>

class QImage;
class QWindow;

namespace dv::x11 {

bool available();
// Keep the window out of taskbars and pagers. Call before each first show of a
// native window: a new one comes with every change of the stays-on-top hint or
// of the see-through visual.
void setSkipTaskbar(QWindow *w);
// On every workspace (_NET_WM_DESKTOP 0xFFFFFFFF), as a desktop clock is; like
// the above, before each first show.
void setAllDesktops(QWindow *w);
// WM_TRANSIENT_FOR: `w` belongs to `owner`, whose window manager keeps it above.
void setTransientFor(QWindow *w, QWindow *owner);
// Not mapped yet: no window manager or compositor is to give it the focus.
void refuseFocus(QWindow *w);
// Where X has the window, which some window managers' moves leave Qt misreporting.
QPoint windowPos(QWindow *w, QPoint fallback);
// _NET_ACTIVE_WINDOW of the root, with the rectangle of its top-level frame;
// id 0 when there is none.
struct Active {
    quint64 id = 0;
    QRect rect;
};
Active activeWindow();
// Whether the active window asks to be full-screen (_NET_WM_STATE_FULLSCREEN):
// a video, a game, which window managers keep above all others while it has the focus.
bool activeWindowFullScreen();
// Whether the window exists and is mapped, its parents too.
bool isViewable(quint64 window);

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
    ModifierWatch(const ModifierWatch &) = delete;
    ModifierWatch &operator=(const ModifierWatch &) = delete;
    bool live() const { return m_live; }
    bool shift() const { return m_shift; }
    bool ctrl() const { return m_ctrl; }
    std::function<void()> changed; // Shift or Ctrl went down or up
private:
    class Filter;
    std::unique_ptr<Filter> m_filter;
    bool m_live = false;
    bool m_shift = false;
    bool m_ctrl = false;
    friend class Filter;
};

// Pointer motion anywhere on the screen, as XInput 2 raw events: the clock
// learns that the pointer moved without asking where it is four times a second.
class PointerWatch {
public:
    PointerWatch();
    ~PointerWatch();
    PointerWatch(const PointerWatch &) = delete;
    PointerWatch &operator=(const PointerWatch &) = delete;
    bool live() const { return m_opcode != 0; }
    // While on, `moved` is called once for the first motion after each setOn;
    // the events stop until setOn(true) again, so a moving pointer costs one
    // wake-up per check rather than one per motion.
    void setOn(bool on);
    std::function<void()> moved;

private:
    class Filter;
    std::unique_ptr<Filter> m_filter;
    quint8 m_opcode = 0;
    quint32 m_keep = 0; // other events selected on the root for the master devices
    bool m_on = false;
    friend class Filter;
};

// Whether a compositing manager draws the screen (it owns _NET_WM_CM_S0) and
// a window can have an alpha channel. The server tells us when the compositor
// starts or stops, so asking costs no round trip.
class CompositorWatch {
public:
    CompositorWatch();
    ~CompositorWatch();
    CompositorWatch(const CompositorWatch &) = delete;
    CompositorWatch &operator=(const CompositorWatch &) = delete;
    bool running() const { return m_running && m_alphaVisual; }

private:
    class Filter;
    std::unique_ptr<Filter> m_filter;
    quint32 m_selection = 0;
    bool m_running = false;
    bool m_alphaVisual = false;
    friend class Filter;
};

// Puts parts of an image straight into a window, past Qt's backing store:
// the few pixels that changed, with no shared-memory round trip and no
// completion event to wake the program again.
class DirectPainter {
public:
    DirectPainter() = default;
    DirectPainter(const DirectPainter &) = delete;
    DirectPainter &operator=(const DirectPainter &) = delete;
    ~DirectPainter();
    // Whether the screen's own visual, which an opaque window gets, takes
    // 32-bit xRGB pixels as they are.
    static bool usable();
    // Follows the window's current native window; false when its visual does
    // not take 32-bit xRGB pixels as they are (then nothing is put). A 32-bit
    // window with alpha takes premultiplied ARGB, as the face is painted.
    bool attach(QWindow *w);
    bool ready() const { return m_gc != 0; }
    // The window's pixels in `area`, from an image whose top left corner
    // lies at `origin` in the window (device pixels).
    void put(const QImage &image, const QRegion &area, QPoint origin = QPoint(0, 0));

private:
    void release();
    quint32 m_window = 0;
    quint32 m_gc = 0;
    quint8 m_depth = 0;
    std::vector<quint32> m_rows; // one rectangle's pixels, row after row
};

} // namespace dv::x11
