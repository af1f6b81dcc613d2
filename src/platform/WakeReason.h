// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Why the machine cannot be woken, in the words the tip, the dialog and the
// clock's one line on standard error share.

#include "platform/Platform.h"
#include "resources/Texts.h"

namespace dv {

// Empty when a wake timer can be had.
inline QString wakeUnavailableReason(WakeTimer::Availability a)
{
    switch (a) {
    case WakeTimer::Availability::NoPermission: return text::WakeNoPermission;
    case WakeTimer::Availability::NoWakeClock: return text::WakeNoClock;
    case WakeTimer::Availability::Available: break;
    }
    return QString();
}

} // namespace dv
