// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowSystem.h"

#include "platform/X11.h"

#include <QCoreApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <functional>

namespace dv {

bool looksLikeOwnFace(const QImage &grab, const QImage &ownFace, const QImage &ownBoard)
{
    if (ownFace.isNull() || grab.isNull())
        return false;
    const QSize size = grab.size();
    const QImage face = ownFace.scaled(size).convertToFormat(QImage::Format_RGB32);
    const QImage board = ownBoard.isNull() ? QImage() : ownBoard.scaled(size).convertToFormat(QImage::Format_RGB32);
    const QImage g = grab.convertToFormat(QImage::Format_RGB32);
    int marked = 0, same = 0;
    // The dial and the hands are thin: sample every pixel of the middle half's
    // rows, every other row.
    for (int y = size.height() / 8; y < size.height() * 7 / 8; y += 2) {
        for (int x = size.width() / 8; x < size.width() * 7 / 8; ++x) {
            const QRgb f = face.pixel(x, y);
            if (!board.isNull() && board.pixel(x, y) == f)
                continue; // the board itself says nothing: it is what we want
            ++marked;
            same += g.pixel(x, y) == f;
        }
    }
    return marked > 0 && same * 10 >= marked * 9;
}

ActiveWindow activeWindowFor(const QWindow *own)
{
    const x11::Active a = x11::activeWindow();
    return {a.id, a.rect, own && a.id == quint64(own->winId())};
}

void belongTo(QWidget *window, QWidget *owner)
{
    if (!window || !owner)
        return;
    window->winId();
    owner->winId();
    x11::setTransientFor(window->windowHandle(), owner->windowHandle());
    x11::setSkipTaskbar(window->windowHandle());
}

bool xDisplayReachable()
{
    xcb_connection_t *x = xcb_connect(nullptr, nullptr);
    const bool reached = x && !xcb_connection_has_error(x);
    if (x)
        xcb_disconnect(x);
    return reached;
}

ScreenGrab grabUncovered(const QRect &area, const QImage &ownFace, const QImage &ownBoard)
{
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {{}, false};
    QImage grab, previous;
    QElapsedTimer t;
    t.start();
    for (int attempt = 0;; ++attempt) {
        // Let the windows we uncovered have their expose events and repaint.
        QThread::msleep(attempt == 0 ? 5 : 25);
        QCoreApplication::processEvents();
        grab = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                   .toImage()
                   .convertToFormat(QImage::Format_RGB32);
        // Still our own face: a window behind that has not repainted at all.
        // Taken as the board, it would be copied into every later look.
        if (t.elapsed() > 400)
            return {looksLikeOwnFace(grab, ownFace, ownBoard) ? QImage() : grab, false};
        // A window that has not repainted yet shows its bare background for a
        // moment: take the picture once two grabs agree, and it is not ours.
        if (grab == previous && !looksLikeOwnFace(grab, ownFace, ownBoard))
            return {grab, true};
        previous = grab;
    }
}

namespace {
bool leftButtonUp()
{
    const x11::PointerState x = x11::queryPointer();
    return x.ok ? !x.leftButton : !(QGuiApplication::mouseButtons() & Qt::LeftButton);
}

// Follows the press's own queue of pointer events: they say, in order, where
// the pointer went and where the button came up, however late we read them.
// The window moves itself, with or without a window manager: one asked to
// move us once the button is already up would leave the clock stuck to the
// pointer, and one that starts late loses the pointer's first steps.
class DragFollower final : public QObject {
public:
    DragFollower(QWidget *w, QPoint pressedAt)
        : m_w(w)
        , m_pressedAt(pressedAt)
        , m_start(x11::windowPos(w->windowHandle(), w->pos()))
        , m_target(m_start)
    {
        w->installEventFilter(this);
    }
    ~DragFollower() override { m_w->removeEventFilter(this); }

    QPoint run()
    {
        // A release we are never told of (the grab lost) must not hold us forever.
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &m_loop, [this] {
            m_upFor = leftButtonUp() ? m_upFor + 1 : 0;
            if (m_upFor > 10)
                m_loop.quit();
        });
        poll.start(50);
        m_loop.exec();
        // Where we sent it, not where X has it yet: a window manager applies
        // the last move a moment later.
        return m_target;
    }

    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::MouseMove) {
            const QPoint at = static_cast<QMouseEvent *>(e)->globalPosition().toPoint();
            if (!m_following && at != m_pressedAt) {
                m_following = true;
                m_w->grabMouse();
            }
            if (m_following)
                moveTo(m_start + at - m_pressedAt);
            return true;
        }
        if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton) {
            const QPoint at = static_cast<QMouseEvent *>(e)->globalPosition().toPoint();
            if (at != m_pressedAt)
                moveTo(m_start + at - m_pressedAt);
            if (m_following)
                m_w->releaseMouse();
            m_loop.quit();
            return true;
        }
        return false;
    }

private:
    void moveTo(QPoint p)
    {
        m_target = p;
        m_w->move(p);
    }

    QWidget *m_w;
    QPoint m_pressedAt;
    QPoint m_start;
    QPoint m_target;
    QEventLoop m_loop;
    bool m_following = false;
    int m_upFor = 0;
};
} // namespace

QPoint moveUnderPointer(QWidget *w, QPoint pressedAt)
{
    DragFollower follow(w, pressedAt);
    return follow.run();
}

} // namespace dv
