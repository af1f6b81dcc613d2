// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ClockWindow.h"

#include "face/FacePainter.h"
#include "face/PictureFiles.h"
#include "resources/ObjectNames.h"

#include <QCloseEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QSurfaceFormat>
#include <QWindow>

#include <cmath>

namespace dv {

ClockWindow::ClockWindow(QWidget *parent)
    // Never the keyboard's: a click or a drag leaves the focus where the user was typing.
    : QWidget(parent, Qt::FramelessWindowHint | Qt::Tool | Qt::NoDropShadowWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QString::fromLatin1(id::clockWindow));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setAcceptDrops(true);
    // On X the face goes straight to the window: no backing store of a whole
    // frame beside the two the renderer keeps.
    m_native = WindowPainter::usable();
    setAttribute(Qt::WA_PaintOnScreen, m_native);
}

QPaintEngine *ClockWindow::paintEngine() const
{
    return m_native ? nullptr : QWidget::paintEngine();
}

// A dropped file is only read: take it as a copy or a link, never as a move,
// which a drag source may finish by deleting the user's picture.
static bool acceptCopyOrLink(QDropEvent *e)
{
    // Files only; dropped text is not for the clock.
    const Qt::DropActions allowed = e->possibleActions() & (Qt::CopyAction | Qt::LinkAction);
    if (!e->mimeData()->hasUrls() || !allowed)
        return false;
    const Qt::DropAction proposed = e->proposedAction();
    e->setDropAction((allowed & proposed) ? proposed : (allowed & Qt::CopyAction) ? Qt::CopyAction : Qt::LinkAction);
    e->accept();
    return true;
}

// Only a first file named as a picture is taken: anything else is refused
// while it is dragged, so the source never takes it for delivered.
static bool offersPicture(QDropEvent *e)
{
    const QList<QUrl> urls = e->mimeData()->urls();
    return !urls.isEmpty() && urls.first().isLocalFile() && isDroppablePicture(urls.first().toLocalFile());
}

void ClockWindow::dragEnterEvent(QDragEnterEvent *e)
{
    if (offersPicture(e))
        acceptCopyOrLink(e);
}

void ClockWindow::dragMoveEvent(QDragMoveEvent *e)
{
    if (offersPicture(e))
        acceptCopyOrLink(e);
    else
        e->ignore();
}

void ClockWindow::dropEvent(QDropEvent *e)
{
    if (!offersPicture(e) || !acceptCopyOrLink(e)) {
        e->ignore();
        return;
    }
    QStringList files;
    for (const QUrl &u : e->mimeData()->urls())
        files << (u.isLocalFile() ? u.toLocalFile() : QString());
    // The clock could not show it: the source keeps its file as not delivered.
    bool taken = false;
    emit filesDropped(files, &taken);
    if (!taken) {
        e->setDropAction(Qt::IgnoreAction);
        e->ignore();
    }
}

ActiveWindow ClockWindow::activeWindow() const
{
    return activeWindowFor(windowHandle());
}

void ClockWindow::setCaption(const QString &text)
{
    setWindowTitle(text);
}

void ClockWindow::setSizePx(int w, int h)
{
    m_side = w;
    setFixedSize(w, h);
}

void ClockWindow::setCircleShape(int side)
{
    // With an alpha channel the face's own edge is the smooth one: the shape,
    // a pixel wider all round, only keeps clicks off the corners.
    setMask(m_seeThrough ? QRegion(-1, -1, side + 2, side + 2, QRegion::Ellipse)
                         : QRegion(0, 0, side, side, QRegion::Ellipse));
}

void ClockWindow::movePx(int x, int y)
{
    m_pos = QPoint(x, y);
    // Always: a window never moved gets no position hint, and the window
    // manager would place it where it likes.
    move(m_pos);
}

QRect ClockWindow::screenRect() const
{
    return QRect(m_pos, size());
}

void ClockWindow::prepareNative()
{
    // Each native window must be told before it is mapped.
    winId();
    if (windowHandle() != m_filtered) {
        m_filtered = windowHandle();
        m_filtered->installEventFilter(this);
    }
    x11::setSkipTaskbar(windowHandle());
    x11::setAllDesktops(windowHandle());
    x11::refuseFocus(windowHandle());
    m_direct.attach(windowHandle());
}

void ClockWindow::showOwn()
{
    prepareNative();
    emit shownByUs();
    show();
    move(m_pos); // some window managers place a tool window first
}

void ClockWindow::showNoActivate(bool raiseIt)
{
    if (!isVisible())
        showOwn();
    if (raiseIt)
        raise();
}

void ClockWindow::hideNoActivate()
{
    if (isVisible())
        hide();
}

void ClockWindow::setTopMost(bool on)
{
    if (on == m_topMost && testAttribute(Qt::WA_WState_Created))
        return;
    m_topMost = on;
    const bool wasVisible = isVisible();
    // Changing this hint hides the window, and its next show makes a new
    // native window, after we told the old one to stay out of the taskbar.
    // Let the old one go now: the next show's window is told before it is mapped.
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (QWindow *w = windowHandle())
        w->destroy();
    if (wasVisible)
        showOwn();
}

void ClockWindow::setSeeThrough(bool on)
{
    if (on == m_seeThrough)
        return;
    m_seeThrough = on;
    const bool wasVisible = isVisible();
    if (wasVisible)
        hide();
    // Sets the format's alpha channel; the window's visual is chosen when its
    // native window is made, so make a new one.
    setAttribute(Qt::WA_TranslucentBackground, on);
    setAttribute(Qt::WA_NoSystemBackground); // the face covers every pixel, clear or not
    if (QWindow *w = windowHandle()) {
        QSurfaceFormat format = w->format();
        format.setAlphaBufferSize(on ? 8 : -1);
        w->destroy();
        w->setFormat(format);
    }
    setCircleShape(m_side);
    if (wasVisible)
        showOwn();
}

void ClockWindow::present(const Face &face)
{
    // Nothing changed, nothing to send to the server: most seconds without a
    // second hand, and every second of a hidden clock's redraws.
    if (m_hasFace && face == m_face)
        return;
    m_face = face;
    m_hasFace = true;
    m_renderer.render(face, devicePixelRatioF());
    if (m_renderer.changed().isEmpty())
        return;
    // Straight to the window, only where the hands were and are: the second's
    // whole cost on both sides of the connection. A hidden window gets its
    // face whole from the paint that its next show brings.
    if (isVisible() && m_direct.attach(windowHandle()))
        putDirect(m_renderer.changed());
    else
        update();
}

void ClockWindow::putDirect(const QRegion &area)
{
    const QRect box = area.boundingRect();
    m_direct.put(m_renderer.composeKept(box), area, box.topLeft());
}

void ClockWindow::paintEvent(QPaintEvent *e)
{
    if (m_native) {
        if (m_hasFace && m_direct.attach(windowHandle())) {
            const qreal dpr = devicePixelRatioF();
            QRegion device;
            for (const QRect &r : e->region())
                device += QRect(
                    QPoint(int(std::floor(r.left() * dpr)), int(std::floor(r.top() * dpr))),
                    QPoint(int(std::ceil((r.right() + 1) * dpr)) - 1, int(std::ceil((r.bottom() + 1) * dpr)) - 1));
            putDirect(device);
        }
        return;
    }
    QPainter p(this);
    if (m_hasFace)
        p.drawImage(QPoint(0, 0), image());
}

ScreenGrab ClockWindow::grabScreen(const QRect &area)
{
    // Out of the way without unmapping: a window mapped again goes on top of
    // the others, and the clock would jump over the window that came in front
    // of it. Cut down to one corner pixel, outside the face, the clock keeps its
    // place in the stacking order while the windows behind show through.
    const bool wasVisible = isVisible();
    if (wasVisible)
        setMask(QRegion(0, 0, 1, 1));
    ScreenGrab grab = grabUncovered(area, image(), m_face.picture);
    if (wasVisible)
        setCircleShape(m_side);
    return grab;
}

void ClockWindow::dragMove()
{
    m_dragging = true;
    m_pos = moveUnderPointer(this, m_pressedAt);
    m_dragging = false;
}

void ClockWindow::mousePressEvent(QMouseEvent *e)
{
    m_pressedAt = e->globalPosition().toPoint();
    const Qt::MouseButtons buttons = e->buttons() & (Qt::LeftButton | Qt::RightButton);
    if (buttons)
        emit mousePressed(buttons);
}

void ClockWindow::moveEvent(QMoveEvent *e)
{
    // Only a move we did not make ourselves (a window manager's) changes where we are.
    if (!m_dragging && e->pos() != m_pos && isVisible())
        m_pos = x11::windowPos(windowHandle(), e->pos());
}

void ClockWindow::enterEvent(QEnterEvent *e)
{
    // Also a pointer put onto the face by a program, which moves no device.
    QWidget::enterEvent(e);
    emit pointerEntered();
}

void ClockWindow::closeEvent(QCloseEvent *e)
{
    // Closing is the program's end, which runs its own order.
    e->ignore();
    emit closeRequested();
}

bool ClockWindow::eventFilter(QObject *o, QEvent *e)
{
    if (o == m_filtered && e->type() == QEvent::Expose) {
        // A backing store missed the faces put straight to the window: paint
        // the exposed window from the current face, not from what it kept.
        if (!m_native)
            update();
        if (isVisible())
            emit systemExpose();
    }
    return QWidget::eventFilter(o, e);
}

} // namespace dv
