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

// Moves the top-level `w` under the pointer until the left button is up: by
// the window manager where there is one, else by following the pointer.
// Returns where X has the window afterwards.
QPoint moveUnderPointer(QWidget *w);

} // namespace dv
