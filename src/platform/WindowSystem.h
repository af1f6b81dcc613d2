// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the clock window asks of the window system beyond Qt's widget calls.

#include "platform/Platform.h"
#include "platform/X11.h"

#include <QImage>
#include <QPoint>
#include <QRect>

class QWidget;
class QWindow;

namespace dv {

// Faces put straight into the window, and whether a compositor lets the
// window be see-through: X11 is the only window system with them.
using WindowPainter = x11::DirectPainter;
using CompositorWatch = x11::CompositorWatch;

// The window in front; `own` is the clock's window, to know it when it is.
ActiveWindow activeWindowFor(const QWindow *own);
// A sub-dialog or box stays with the window it belongs to: the window
// manager keeps it above that window, and it has no taskbar entry of its own.
// Call once it is shown: Qt's show makes a parentless dialog transient for
// its hidden group leader.
void belongTo(QWidget *window, QWidget *owner);
// Whether the X display named by the environment can be opened, asked before
// any window-system plugin is loaded (which would abort when it cannot).
bool xDisplayReachable();

// The screen's pixels in `area`, the caller's window already out of the way.
// The window behind may take a while to repaint what was uncovered, and some
// window managers hand back our own face at first. So grab until two grabs in
// a row agree and no longer show `ownFace` (the last frame we showed) where it
// differs from its `ownBoard` (the picture under its dial and hands), for at
// most 400 ms; not steady when it gave up, and no image when it gave up on
// our own face.
ScreenGrab grabUncovered(const QRect &area, const QImage &ownFace, const QImage &ownBoard);
// Whether `grab` is our own face: at the sampled pixels where the face differs
// from its board, nine in ten match the face.
bool looksLikeOwnFace(const QImage &grab, const QImage &ownFace, const QImage &ownBoard);

// Moves the top-level `w`, pressed at `pressedAt` (screen pixels), with the
// pointer until the left button is up. A click without motion moves nothing.
// Returns where the window was sent.
QPoint moveUnderPointer(QWidget *w, QPoint pressedAt);

} // namespace dv
