#include "platform/X11.h"

#include <QGuiApplication>
#include <QWindow>
#include <xcb/xcb.h>

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

bool leftButtonDown()
{
    return queryPointer().leftButton;
}

} // namespace dv::x11
