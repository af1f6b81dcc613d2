// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pictures we draw ourselves: the clock's icon and the alarm window's stripes.

#include <QIcon>
#include <QImage>

namespace dv {

QImage clockIconImage(int side);
QIcon clockIcon(); // 16, 32 and 48 px

inline constexpr int kStripeWidth = 160;
inline constexpr int kStripeHeight = 80;
inline constexpr int kStripePeriod = 24; // pixels along x, one yellow and one black band
// Yellow and black stripes rising from lower left to upper right; frame B is
// frame A moved by half a period. Any size: the same stripes, cut larger.
QImage stripeFrame(bool frameB, QSize size = {kStripeWidth, kStripeHeight});

} // namespace dv
