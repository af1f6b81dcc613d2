// SPDX-License-Identifier: GPL-3.0-or-later
// How late after the start of each second a window shows it, seen from the
// X server: the DAMAGE extension reports each drawing into the window (and
// its subwindows) as the server makes it, and each first report of a second
// is timed against the wall clock. The same probe serves any clock, so the
// figures of two clocks compare.
//   bench_shown WINDOW-ID SECONDS      prints "median p95 count" in ms

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <poll.h>
#include <vector>

static double nowSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return double(t.tv_sec) + t.tv_nsec / 1e9;
}

static void watch(xcb_connection_t *c, xcb_window_t win, int depth = 0)
{
    xcb_damage_create(c, xcb_generate_id(c), win, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
    auto *tree = xcb_query_tree_reply(c, xcb_query_tree(c, win), nullptr);
    if (!tree)
        return;
    const xcb_window_t *kids = xcb_query_tree_children(tree);
    for (int i = 0; i < xcb_query_tree_children_length(tree) && depth < 4; ++i)
        watch(c, kids[i], depth + 1);
    free(tree);
}

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_shown WINDOW-ID SECONDS\n");
        return 2;
    }
    const xcb_window_t win = xcb_window_t(std::strtoul(argv[1], nullptr, 0));
    const double seconds = std::atof(argv[2]);
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 1;
    const xcb_query_extension_reply_t *ext = xcb_get_extension_data(c, &xcb_damage_id);
    if (!ext || !ext->present)
        return 1;
    free(xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), nullptr));
    watch(c, win);
    xcb_flush(c);

    std::vector<double> lateMs;
    // Whatever was drawn before the watch began is reported at once: not a second.
    double lastCounted = nowSeconds() + 0.2;
    const double end = nowSeconds() + seconds;
    pollfd pfd{xcb_get_file_descriptor(c), POLLIN, 0};
    while (nowSeconds() < end) {
        xcb_generic_event_t *ev = xcb_poll_for_event(c);
        if (!ev) {
            poll(&pfd, 1, 100);
            continue;
        }
        const double t = nowSeconds();
        if ((ev->response_type & 0x7f) == ext->first_event + XCB_DAMAGE_NOTIFY) {
            auto *d = reinterpret_cast<xcb_damage_notify_event_t *>(ev);
            // A clock draws its second once; more drawing within the same
            // second (a second paint, an expose) does not count again.
            if (t - lastCounted > 0.5) {
                lateMs.push_back((t - double(long(t))) * 1000.0);
                lastCounted = t;
            }
            xcb_damage_subtract(c, d->damage, XCB_NONE, XCB_NONE); // report the next drawing too
            xcb_flush(c);
        }
        free(ev);
    }
    xcb_disconnect(c);
    if (lateMs.size() < 3) {
        std::printf("- - 0\n");
        return 0;
    }
    if (std::getenv("SHOWN_ALL"))
        for (double ms : lateMs)
            std::fprintf(stderr, "%.2f ", ms);
    std::sort(lateMs.begin(), lateMs.end());
    std::printf("%.2f %.2f %zu\n", lateMs[lateMs.size() / 2],
                lateMs[std::min(lateMs.size() - 1, lateMs.size() * 95 / 100)], lateMs.size());
    return 0;
}
