// How late after the start of each second a window shows it, seen from
// outside: the window's pixels read back through the X server in a tight
// loop, and each change timed against the wall clock. The same probe serves
// any clock, so the figures of two clocks compare.
//   bench_shown WINDOW-ID SECONDS

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

static double nowSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return double(t.tv_sec) + t.tv_nsec / 1e9;
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
    auto *g = xcb_get_geometry_reply(c, xcb_get_geometry(c, win), nullptr);
    if (!g)
        return 1;
    const uint16_t w = g->width, h = g->height;
    free(g);

    std::vector<double> lateMs;
    std::string last;
    double lastChange = 0;
    const double end = nowSeconds() + seconds;
    while (nowSeconds() < end) {
        auto *img = xcb_get_image_reply(
            c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, win, 0, 0, w, h, ~0u), nullptr);
        const double t = nowSeconds();
        if (!img)
            break;
        const std::string pixels(reinterpret_cast<const char *>(xcb_get_image_data(img)),
                                 size_t(xcb_get_image_data_length(img)));
        free(img);
        // One change a second is the new second; a second change within the
        // same second (a slow clock's second paint) does not count again.
        if (!last.empty() && pixels != last && t - lastChange > 0.5) {
            lateMs.push_back((t - double(long(t))) * 1000.0);
            lastChange = t;
        }
        last = pixels;
        timespec pause{0, 100'000}; // 0.1 ms between looks
        nanosleep(&pause, nullptr);
    }
    xcb_disconnect(c);
    if (lateMs.size() < 3) {
        std::printf("- -\n");
        return 0;
    }
    // A change late in the second is a clock running behind, not early.
    std::sort(lateMs.begin(), lateMs.end());
    std::printf("%.2f %.2f\n", lateMs[lateMs.size() / 2], lateMs[std::min(lateMs.size() - 1, lateMs.size() * 95 / 100)]);
    return 0;
}
