#pragma once
// What the clock window asks of the window system beyond Qt's widget calls.

#include <QImage>
#include <QPoint>
#include <QRect>

class QWidget;

namespace dv {

// The screen's pixels in `area`, the caller's window already out of the way.
// The window behind may take a while to repaint what was uncovered, and some
// window managers hand back our own face at first: grab until the picture no
// longer looks like `ownFace` (the last frame we showed), for at most 400 ms.
QImage grabUncovered(const QRect &area, const QImage &ownFace);

// Moves the top-level `w`, pressed at `pressedAt` (screen pixels), with the
// pointer until the left button is up. A click without motion moves nothing.
// Returns where the window was sent.
QPoint moveUnderPointer(QWidget *w, QPoint pressedAt);

} // namespace dv
