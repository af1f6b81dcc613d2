// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the clock's own windows (dialogs, boxes) first stand.

class QWidget;

namespace dv {

// Sizes a top-level window to its content and centres it on the work area of
// the primary screen. A window larger than the work area keeps its top-left
// corner on it, so that its caption and first rows can be reached.
void centreOnScreen(QWidget *w);

} // namespace dv
