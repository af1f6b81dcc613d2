// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/X11.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QList>
#include <QWindow>

#include <xcb/xcb.h>

#include <initializer_list>
// xkb.h names a field `explicit`.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit
#include <xcb/xfixes.h>
#include <xcb/xinput.h>

#include <cstdlib>
#include <cstring>
#include <sys/socket.h>

namespace dv::x11 {

static xcb_connection_t *connection()
{
    if (auto *x = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr)
        return x->connection();
    return nullptr;
}

bool available()
{
    return connection() != nullptr;
}

static xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    // Asked of the server once: the transparent board looks at the active
    // window every second, and each round trip wakes two threads.
    static QHash<QByteArray, xcb_atom_t> known;
    const QByteArray key(name);
    if (const auto it = known.constFind(key); it != known.constEnd())
        return it.value();
    auto cookie = xcb_intern_atom(c, 0, uint16_t(strlen(name)), name);
    xcb_intern_atom_reply_t *r = xcb_intern_atom_reply(c, cookie, nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(r);
    if (a != XCB_ATOM_NONE)
        known.insert(key, a);
    return a;
}

// A mapped window's state is the window manager's: ask it through the root window.
static void askWindowManager(xcb_connection_t *c, xcb_window_t win, xcb_atom_t type,
                             std::initializer_list<quint32> data)
{
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    xcb_client_message_event_t ev{};
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = win;
    ev.type = type;
    int i = 0;
    for (const quint32 d : data)
        ev.data.data32[i++] = d;
    xcb_send_event(c, 0, screen->root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&ev));
}

void setSkipTaskbar(QWindow *w)
{
    xcb_connection_t *c = connection();
    if (!c || !w)
        return;
    const xcb_window_t win = xcb_window_t(w->winId());
    const xcb_atom_t state = atom(c, "_NET_WM_STATE");
    const xcb_atom_t skip[2] = {atom(c, "_NET_WM_STATE_SKIP_TASKBAR"), atom(c, "_NET_WM_STATE_SKIP_PAGER")};
    if (!w->isVisible()) {
        // Unmapped: the window manager reads the property when it maps the window.
        xcb_change_property(c, XCB_PROP_MODE_APPEND, win, state, XCB_ATOM_ATOM, 32, 2, skip);
    } else {
        askWindowManager(c, win, state, {1 /* add */, skip[0], skip[1], 1 /* from an application */});
    }
    xcb_flush(c);
}

void setAllDesktops(QWindow *w)
{
    xcb_connection_t *c = connection();
    if (!c || !w)
        return;
    const xcb_window_t win = xcb_window_t(w->winId());
    const xcb_atom_t desktop = atom(c, "_NET_WM_DESKTOP");
    const quint32 all = 0xFFFFFFFF;
    if (!w->isVisible()) {
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, win, desktop, XCB_ATOM_CARDINAL, 32, 1, &all);
    } else {
        askWindowManager(c, win, desktop, {all, 1 /* from an application */});
    }
    xcb_flush(c);
}

void refuseFocus(QWindow *w)
{
    xcb_connection_t *c = connection();
    if (!c || !w || w->isVisible())
        return;
    // Input false in WM_HINTS alone still leaves WM_TAKE_FOCUS, which ICCCM
    // reads as a window that takes the focus itself: a compositor that goes by
    // the input model (sway) then gives it the focus when it maps.
    const xcb_window_t win = xcb_window_t(w->winId());
    const xcb_atom_t protocols = atom(c, "WM_PROTOCOLS"), takeFocus = atom(c, "WM_TAKE_FOCUS");
    xcb_get_property_reply_t *r = xcb_get_property_reply(
        c, xcb_get_property(c, 0, win, protocols, XCB_ATOM_ATOM, 0, 32), nullptr);
    if (!r)
        return;
    const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(r));
    const int n = xcb_get_property_value_length(r) / int(sizeof(xcb_atom_t));
    QList<xcb_atom_t> kept;
    for (int i = 0; i < n; ++i)
        if (atoms[i] != takeFocus)
            kept.append(atoms[i]);
    if (kept.size() != n)
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, win, protocols, XCB_ATOM_ATOM, 32, uint32_t(kept.size()),
                            kept.constData());
    free(r);
    xcb_flush(c);
}

void setTransientFor(QWindow *w, QWindow *owner)
{
    xcb_connection_t *c = connection();
    if (!c || !w || !owner)
        return;
    const xcb_window_t ownerId = xcb_window_t(owner->winId());
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, xcb_window_t(w->winId()), XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW,
                        32, 1, &ownerId);
    xcb_flush(c);
}

QPoint windowPos(QWindow *w, QPoint fallback)
{
    xcb_connection_t *c = connection();
    if (!c || !w || !w->handle())
        return fallback;
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    auto cookie = xcb_translate_coordinates(c, xcb_window_t(w->winId()), screen->root, 0, 0);
    xcb_translate_coordinates_reply_t *r = xcb_translate_coordinates_reply(c, cookie, nullptr);
    if (!r)
        return fallback;
    const QPoint p(r->dst_x, r->dst_y);
    free(r);
    return p;
}

PointerState queryPointer()
{
    PointerState st;
    xcb_connection_t *c = connection();
    if (!c)
        return st;
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    xcb_query_pointer_reply_t *r = xcb_query_pointer_reply(c, xcb_query_pointer(c, screen->root), nullptr);
    if (!r)
        return st;
    st.ok = true;
    st.pos = QPoint(r->root_x, r->root_y);
    st.shift = r->mask & XCB_MOD_MASK_SHIFT;
    st.ctrl = r->mask & XCB_MOD_MASK_CONTROL;
    st.leftButton = r->mask & XCB_BUTTON_MASK_1;
    free(r);
    return st;
}

class ModifierWatch::Filter final : public QAbstractNativeEventFilter {
public:
    Filter(ModifierWatch *w, uint8_t firstEvent)
        : m_watch(w)
        , m_first(firstEvent)
    {
    }
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        auto *ev = static_cast<xcb_generic_event_t *>(message);
        if ((ev->response_type & 0x7f) != m_first)
            return false;
        auto *any = reinterpret_cast<const xcb_xkb_state_notify_event_t *>(ev);
        if (any->xkbType == XCB_XKB_STATE_NOTIFY) {
            const bool shift = any->mods & XCB_MOD_MASK_SHIFT, ctrl = any->mods & XCB_MOD_MASK_CONTROL;
            if (shift == m_watch->m_shift && ctrl == m_watch->m_ctrl)
                return false;
            m_watch->m_shift = shift;
            m_watch->m_ctrl = ctrl;
            if (m_watch->changed)
                m_watch->changed();
        }
        return false; // Qt keeps its own keyboard state from the same events
    }

private:
    ModifierWatch *m_watch;
    uint8_t m_first;
};

ModifierWatch::ModifierWatch()
{
    xcb_connection_t *c = connection();
    if (!c)
        return;
    const xcb_query_extension_reply_t *ext = xcb_get_extension_data(c, &xcb_xkb_id);
    if (!ext || !ext->present)
        return;
    xcb_xkb_use_extension_reply_t *use = xcb_xkb_use_extension_reply(c, xcb_xkb_use_extension(c, 1, 0), nullptr);
    const bool usable = use && use->supported;
    free(use);
    if (!usable)
        return;
    // Ask for every state part: a superset of what Qt selects on this connection,
    // so its own keyboard handling keeps all it had.
    xcb_xkb_select_events_details_t details{};
    details.affectState = 0x3fff;
    details.stateDetails = 0x3fff;
    const xcb_void_cookie_t cookie = xcb_xkb_select_events_aux_checked(
        c, XCB_XKB_ID_USE_CORE_KBD, XCB_XKB_EVENT_TYPE_STATE_NOTIFY, 0, 0, 0, 0, &details);
    if (xcb_generic_error_t *err = xcb_request_check(c, cookie)) {
        free(err);
        return;
    }
    const PointerState now = queryPointer();
    m_shift = now.shift;
    m_ctrl = now.ctrl;
    m_filter = std::make_unique<Filter>(this, ext->first_event);
    QCoreApplication::instance()->installNativeEventFilter(m_filter.get());
    m_live = true;
}

ModifierWatch::~ModifierWatch()
{
    if (m_filter && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(m_filter.get());
}

class PointerWatch::Filter final : public QAbstractNativeEventFilter {
public:
    explicit Filter(PointerWatch *w)
        : m_watch(w)
    {
    }
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        auto *ev = static_cast<xcb_ge_generic_event_t *>(message);
        if ((ev->response_type & 0x7f) != XCB_GE_GENERIC || ev->extension != m_watch->m_opcode
            || ev->event_type != XCB_INPUT_RAW_MOTION)
            return false;
        if (m_watch->m_on) {
            m_watch->setOn(false);
            if (m_watch->moved)
                m_watch->moved();
        }
        return true; // ours alone: Qt selected no raw events
    }

private:
    PointerWatch *m_watch;
};

PointerWatch::PointerWatch()
{
    xcb_connection_t *c = connection();
    if (!c)
        return;
    const xcb_query_extension_reply_t *ext = xcb_get_extension_data(c, &xcb_input_id);
    if (!ext || !ext->present)
        return;
    // Raw events need XInput 2, whose version Qt has already agreed with the
    // server (asking again for a lower one is refused). Reading this
    // connection's selection on the root is an XInput 2 request: it answers
    // only where XInput 2 is in use. Keep whatever else is selected there.
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    auto *r = xcb_input_xi_get_selected_events_reply(c, xcb_input_xi_get_selected_events(c, root), nullptr);
    if (!r)
        return;
    for (auto it = xcb_input_xi_get_selected_events_masks_iterator(r); it.rem; xcb_input_event_mask_next(&it))
        if (it.data->deviceid == XCB_INPUT_DEVICE_ALL_MASTER && it.data->mask_len >= 1)
            m_keep = xcb_input_event_mask_mask(it.data)[0] & ~uint32_t(XCB_INPUT_XI_EVENT_MASK_RAW_MOTION);
    free(r);
    m_opcode = ext->major_opcode;
    m_filter = std::make_unique<Filter>(this);
    QCoreApplication::instance()->installNativeEventFilter(m_filter.get());
}

PointerWatch::~PointerWatch()
{
    setOn(false);
    if (m_filter && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(m_filter.get());
}

void PointerWatch::setOn(bool on)
{
    xcb_connection_t *c = connection();
    if (!c || !live() || on == m_on)
        return;
    m_on = on;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const uint32_t mask = on ? m_keep | XCB_INPUT_XI_EVENT_MASK_RAW_MOTION : m_keep;
    struct {
        xcb_input_event_mask_t head;
        uint32_t bits;
    } sel{{XCB_INPUT_DEVICE_ALL_MASTER, 1}, mask};
    xcb_input_xi_select_events(c, root, 1, &sel.head);
    xcb_flush(c);
}

static xcb_window_t activeId(xcb_connection_t *c)
{
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t prop = atom(c, "_NET_ACTIVE_WINDOW");
    auto *r = xcb_get_property_reply(c, xcb_get_property(c, 0, root, prop, XCB_ATOM_WINDOW, 0, 1), nullptr);
    if (!r)
        return 0;
    const xcb_window_t win = r->value_len == 1 ? *static_cast<xcb_window_t *>(xcb_get_property_value(r)) : 0;
    free(r);
    return win;
}

Active activeWindow()
{
    Active a;
    xcb_connection_t *c = connection();
    if (!c)
        return a;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_window_t win = activeId(c);
    if (!win)
        return a;
    a.id = win;
    // The frame a window manager put round it is what covers the screen.
    for (int depth = 0; depth < 16; ++depth) {
        auto *t = xcb_query_tree_reply(c, xcb_query_tree(c, win), nullptr);
        if (!t)
            return a;
        const xcb_window_t parent = t->parent;
        free(t);
        if (parent == root || parent == XCB_WINDOW_NONE)
            break;
        win = parent;
    }
    auto *g = xcb_get_geometry_reply(c, xcb_get_geometry(c, win), nullptr);
    if (g) {
        a.rect = QRect(g->x, g->y, g->width + 2 * g->border_width, g->height + 2 * g->border_width);
        free(g);
    }
    return a;
}

bool activeWindowFullScreen()
{
    xcb_connection_t *c = connection();
    const xcb_window_t window = c ? activeId(c) : 0;
    if (!window)
        return false;
    const xcb_atom_t prop = atom(c, "_NET_WM_STATE"), full = atom(c, "_NET_WM_STATE_FULLSCREEN");
    auto *r = xcb_get_property_reply(c, xcb_get_property(c, 0, window, prop, XCB_ATOM_ATOM, 0, 32), nullptr);
    bool found = false;
    if (r && r->format == 32) {
        const auto *states = static_cast<const xcb_atom_t *>(xcb_get_property_value(r));
        for (int i = 0; i < xcb_get_property_value_length(r) / 4; ++i)
            found |= states[i] == full;
    }
    free(r);
    return found;
}

class CompositorWatch::Filter final : public QAbstractNativeEventFilter {
public:
    Filter(CompositorWatch *w, uint8_t firstEvent)
        : m_watch(w)
        , m_notify(uint8_t(firstEvent + XCB_XFIXES_SELECTION_NOTIFY))
    {
    }
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        auto *ev = static_cast<xcb_xfixes_selection_notify_event_t *>(message);
        if ((ev->response_type & 0x7f) != m_notify || ev->selection != m_watch->m_selection)
            return false;
        m_watch->m_running = ev->owner != XCB_WINDOW_NONE;
        return false; // Qt follows the same selection for itself
    }

private:
    CompositorWatch *m_watch;
    uint8_t m_notify;
};

CompositorWatch::CompositorWatch()
{
    xcb_connection_t *c = connection();
    if (!c)
        return;
    // Qt has agreed the XFixes version on this connection already.
    const xcb_query_extension_reply_t *ext = xcb_get_extension_data(c, &xcb_xfixes_id);
    if (!ext || !ext->present)
        return;
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    for (auto d = xcb_screen_allowed_depths_iterator(screen); d.rem; xcb_depth_next(&d))
        for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
            m_alphaVisual |= d.data->depth == 32 && v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR;
    m_selection = atom(c, "_NET_WM_CM_S0");
    xcb_xfixes_select_selection_input(c, screen->root, m_selection,
                                      XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER
                                          | XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY
                                          | XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
    auto *owner = xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, m_selection), nullptr);
    m_running = owner && owner->owner != XCB_WINDOW_NONE;
    free(owner);
    m_filter = std::make_unique<Filter>(this, ext->first_event);
    QCoreApplication::instance()->installNativeEventFilter(m_filter.get());
}

CompositorWatch::~CompositorWatch()
{
    if (m_filter && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(m_filter.get());
}

bool isViewable(quint64 window)
{
    xcb_connection_t *c = connection();
    if (!c || !window)
        return false;
    auto *r = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, xcb_window_t(window)), nullptr);
    const bool viewable = r && r->map_state == XCB_MAP_STATE_VIEWABLE;
    free(r);
    return viewable;
}

DirectPainter::~DirectPainter()
{
    release();
}

void DirectPainter::release()
{
    if (xcb_connection_t *c = m_gc ? connection() : nullptr)
        xcb_free_gc(c, m_gc);
    m_gc = 0;
    m_window = 0;
}

// Whether pixels of this visual are the bytes of a 32-bit xRGB word as they
// lie in memory here.
static bool takesXrgb32(xcb_connection_t *c, xcb_visualid_t visual, uint8_t depth)
{
    const xcb_setup_t *setup = xcb_get_setup(c);
    if (setup->image_byte_order
        != (QSysInfo::ByteOrder == QSysInfo::LittleEndian ? XCB_IMAGE_ORDER_LSB_FIRST : XCB_IMAGE_ORDER_MSB_FIRST))
        return false;
    bool bpp32 = false;
    for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f))
        if (f.data->depth == depth)
            bpp32 = f.data->bits_per_pixel == 32;
    if (!bpp32)
        return false;
    for (auto s = xcb_setup_roots_iterator(setup); s.rem; xcb_screen_next(&s))
        for (auto d = xcb_screen_allowed_depths_iterator(s.data); d.rem; xcb_depth_next(&d))
            for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
                if (v.data->visual_id == visual)
                    return d.data->depth == depth && v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR
                           && v.data->red_mask == 0xff0000 && v.data->green_mask == 0xff00 && v.data->blue_mask == 0xff;
    return false;
}

bool DirectPainter::usable()
{
    xcb_connection_t *c = connection();
    if (!c)
        return false;
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    return takesXrgb32(c, screen->root_visual, screen->root_depth);
}

// Room for the pixels of several seconds of the largest clock.
constexpr int kSendRoom = 1 << 20;

bool DirectPainter::attach(QWindow *w)
{
    xcb_connection_t *c = connection();
    if (!c || !w || !w->handle())
        return false;
    const xcb_window_t win = xcb_window_t(w->winId());
    if (win == m_window)
        return ready();
    release();
    m_window = win;
    auto *attrs = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, win), nullptr);
    auto *geo = xcb_get_geometry_reply(c, xcb_get_geometry(c, win), nullptr);
    const bool fits = attrs && geo && takesXrgb32(c, attrs->visual, geo->depth);
    m_depth = geo ? geo->depth : 0;
    free(attrs);
    free(geo);
    if (!fits)
        return false;
    m_gc = xcb_generate_id(c);
    const uint32_t noExposures = 0;
    xcb_create_gc(c, m_gc, win, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
    // A large clock's second is some 100 KB of pixels. A local connection
    // stops taking more once a quarter of its send buffer waits for the
    // server, and the program sleeps and wakes again within the second: give
    // it room for a second's pixels (the system caps what it grants).
    int room = 0;
    socklen_t size = sizeof room;
    const int fd = xcb_get_file_descriptor(c);
    if (getsockopt(fd, SOL_SOCKET, SO_SNDBUF, &room, &size) == 0 && room < kSendRoom)
        setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &kSendRoom, sizeof kSendRoom);
    return true;
}

void DirectPainter::put(const QImage &image, const QRegion &area, QPoint origin)
{
    xcb_connection_t *c = connection();
    if (!c || !m_gc || image.depth() != 32)
        return;
    // A request may not be longer than the server takes; a large rectangle goes in bands.
    const size_t maxBytes = size_t(xcb_get_maximum_request_length(c)) * 4 - 64;
    for (const QRect &inWindow : area &QRect(origin, image.size())) {
        const QRect r = inWindow.translated(-origin); // in the image
        const size_t rowBytes = size_t(r.width()) * 4;
        const int band = int(qMax<size_t>(1, maxBytes / rowBytes));
        for (int y = r.top(); y <= r.bottom(); y += band) {
            const int h = qMin(band, r.bottom() + 1 - y);
            const uint8_t *data;
            if (r.width() == image.width()) {
                data = image.constScanLine(y); // whole rows lie together
            } else {
                m_rows.resize(size_t(r.width()) * size_t(h));
                for (int i = 0; i < h; ++i)
                    std::memcpy(m_rows.data() + size_t(i) * size_t(r.width()),
                                image.constScanLine(y + i) + ptrdiff_t(r.left()) * 4, rowBytes);
                data = reinterpret_cast<const uint8_t *>(m_rows.data());
            }
            xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, m_window, m_gc, uint16_t(r.width()), uint16_t(h),
                          int16_t(r.left() + origin.x()), int16_t(y + origin.y()), 0, m_depth,
                          uint32_t(rowBytes * size_t(h)), data);
        }
    }
    xcb_flush(c);
}

} // namespace dv::x11
