// SPDX-License-Identifier: GPL-3.0-or-later
// Time to build and paint one face frame, against a bare fill of the same image
// in the same run (the ratio survives a noisy machine better than the time).

#include "face/FaceBuilder.h"
#include "face/FacePainter.h"
#include "platform/Headless.h"
#include "platform/QtPlatform.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace dv;

namespace {
double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

template <typename F>
double medianUs(F f, int runs)
{
    std::vector<double> t;
    t.reserve(size_t(runs));
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        timer.start();
        f(i);
        t.push_back(timer.nsecsElapsed() / 1000.0);
    }
    return median(t);
}

} // namespace

int main()
{
    // The clock's own face builder, on a platform that has nothing to show.
    HeadlessPlatform headless{QString()};
    FaceBuilder builder(headless.platform);
    auto build = [&builder](const Settings &s, int i) {
        return builder.build(s, (i / 3600) % 24, (i / 60) % 60, i % 60);
    };

    std::printf("%-6s %-22s %12s %14s %10s %12s\n", "size", "style", "frame us", "cached us", "fill us", "frame/fill");
    for (int size : {120, 480, 1080}) {
        for (int style = 0; style < 3; ++style) {
            Settings s = Settings::defaults(QStringLiteral("/x"));
            s.freeSize = true;
            s.clockSize = size;
            s.shadows = style >= 1;
            s.romanNumerals = style == 2 ? StoredTrue : StoredFalse;
            builder.setScale(s, 15, 15);
            const Scale &sc = builder.scale();
            const int runs = size >= 1080 ? 60 : 400;
            QImage img(sc.side, sc.side, QImage::Format_ARGB32_Premultiplied);
            const double fill = medianUs([&](int) { img.fill(Qt::white); }, runs);
            const double frame = medianUs([&](int i) { paintFace(build(s, i), img); }, runs);
            FaceRenderer r;
            const double cached = medianUs([&](int i) { r.compose(r.render(build(s, i), 1.0).boundingRect()); }, runs);
            const char *name = style == 0 ? "bars" : style == 1 ? "bars, shadows" : "Roman, shadows";
            std::printf("%-6d %-22s %12.1f %14.1f %10.1f %12.1f\n", size, name, frame, cached, fill, frame / fill);
        }
    }
    std::printf("frame: build and paint everything; cached: the running clock's way, the dial kept between\n"
                "seconds and only the pixels round the moved hands composed\n");
    return 0;
}
