#include "platform/X11.h"

#include <QGuiApplication>
#include <QWindow>
#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <xcb/xcb.h>
// xkb.h names a field `explicit`.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

#include <cstdlib>

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
    auto cookie = xcb_intern_atom(c, 0, uint16_t(strlen(name)), name);
    xcb_intern_atom_reply_t *r = xcb_intern_atom_reply(c, cookie, nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(r);
    return a;
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
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        xcb_client_message_event_t ev{};
        ev.response_type = XCB_CLIENT_MESSAGE;
        ev.format = 32;
        ev.window = win;
        ev.type = state;
        ev.data.data32[0] = 1; // add
        ev.data.data32[1] = skip[0];
        ev.data.data32[2] = skip[1];
        ev.data.data32[3] = 1;
        xcb_send_event(c, 0, screen->root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char *>(&ev));
    }
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
    Filter(ModifierWatch *w, uint8_t firstEvent) : m_watch(w), m_first(firstEvent) {}
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        auto *ev = static_cast<xcb_generic_event_t *>(message);
        if ((ev->response_type & 0x7f) != m_first)
            return false;
        auto *any = reinterpret_cast<const xcb_xkb_state_notify_event_t *>(ev);
        if (any->xkbType == XCB_XKB_STATE_NOTIFY) {
            m_watch->m_shift = any->mods & XCB_MOD_MASK_SHIFT;
            m_watch->m_ctrl = any->mods & XCB_MOD_MASK_CONTROL;
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
    m_filter = new Filter(this, ext->first_event);
    QCoreApplication::instance()->installNativeEventFilter(m_filter);
    m_live = true;
}

ModifierWatch::~ModifierWatch()
{
    if (m_filter && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(m_filter);
    delete m_filter;
}

Active activeWindow()
{
    Active a;
    xcb_connection_t *c = connection();
    if (!c)
        return a;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t prop = atom(c, "_NET_ACTIVE_WINDOW");
    auto *r = xcb_get_property_reply(c, xcb_get_property(c, 0, root, prop, XCB_ATOM_WINDOW, 0, 1), nullptr);
    if (!r)
        return a;
    xcb_window_t win = r->value_len == 1 ? *static_cast<xcb_window_t *>(xcb_get_property_value(r)) : 0;
    free(r);
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

bool leftButtonDown()
{
    return queryPointer().leftButton;
}

} // namespace dv::x11
