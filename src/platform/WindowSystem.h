#pragma once
// What the clock window asks of the window system beyond Qt's widget calls.

#include <QImage>
#include <QPoint>
#include <QRect>

class QWidget;

namespace dv {

// The screen's pixels in `area`, the caller's window already out of the way.
// The window behind may take a while to repaint what was uncovered, and some
// window managers hand back our own face at first. So grab until two grabs in
// a row agree and no longer show `ownFace` (the last frame we showed) where it
// differs from its `ownBoard` (the picture under its dial and hands), for at
// most 400 ms.
QImage grabUncovered(const QRect &area, const QImage &ownFace, const QImage &ownBoard);
// Whether `grab` is our own face: at the sampled pixels where the face differs
// from its board, nine in ten match the face.
bool looksLikeOwnFace(const QImage &grab, const QImage &ownFace, const QImage &ownBoard);

// Moves the top-level `w`, pressed at `pressedAt` (screen pixels), with the
// pointer until the left button is up. A click without motion moves nothing.
// Returns where the window was sent.
QPoint moveUnderPointer(QWidget *w, QPoint pressedAt);

} // namespace dv
