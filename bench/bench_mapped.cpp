// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up as the X server sees it: starts a program and waits, without
// polling (a poll loop steals the processor from the program it times), for the
// first top-level window mapped after the start. The program keeps running.
//   bench_mapped PROGRAM [ARG...]      prints "PID MILLISECONDS WINDOW-ID"

#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>

extern char **environ;

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_mapped PROGRAM [ARG...]\n");
        return 2;
    }
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 1;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_request_check(c, xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &mask));
    const auto t0 = std::chrono::steady_clock::now();
    // Our output is the timing alone.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[1], &quiet, nullptr, argv + 1, environ) != 0)
        return 1;
    while (xcb_generic_event_t *e = xcb_wait_for_event(c)) {
        const bool mapped = (e->response_type & 0x7f) == XCB_MAP_NOTIFY;
        const auto *map = reinterpret_cast<xcb_map_notify_event_t *>(e);
        if (mapped && map->event == root && !map->override_redirect) {
            const auto ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
            std::printf("%d %.0f %u\n", int(pid), ms, unsigned(map->window));
            return 0;
        }
        std::free(e);
    }
    return 1;
}
