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

namespace dv {

QImage grabUncovered(const QRect &area, const QImage &ownFace)
{
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    QCoreApplication::processEvents();
    const QImage ours = ownFace.isNull() ? QImage()
                                         : ownFace.scaled(area.size()).convertToFormat(QImage::Format_RGB32);
    QImage grab;
    QElapsedTimer t;
    t.start();
    for (int attempt = 0;; ++attempt) {
        QThread::msleep(attempt == 0 ? 5 : 25);
        QCoreApplication::processEvents();
        grab = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height()).toImage()
                   .convertToFormat(QImage::Format_RGB32);
        if (ours.isNull() || grab.size() != ours.size())
            break;
        // Compare a sparse grid of pixels inside the circle.
        int same = 0, total = 0;
        for (int y = area.height() / 4; y < area.height() * 3 / 4; y += 3)
            for (int x = area.width() / 4; x < area.width() * 3 / 4; x += 3, ++total)
                same += grab.pixel(x, y) == ours.pixel(x, y);
        if (total == 0 || same * 10 < total * 9 || t.elapsed() > 400)
            break;
    }
    return grab;
}

namespace {
// Without a window manager the window follows the pointer itself.
class FollowPointer final : public QObject {
public:
    FollowPointer(QWidget *w, QEventLoop &loop)
        : m_w(w), m_loop(loop), m_offset(QCursor::pos() - w->pos())
    {
        w->installEventFilter(this);
        w->grabMouse();
    }
    ~FollowPointer() override
    {
        m_w->releaseMouse();
        m_w->removeEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::MouseMove) {
            m_w->move(static_cast<QMouseEvent *>(e)->globalPosition().toPoint() - m_offset);
            return true;
        }
        if (e->type() == QEvent::MouseButtonRelease
            && static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton) {
            m_loop.quit();
            return true;
        }
        return false;
    }
private:
    QWidget *m_w;
    QEventLoop &m_loop;
    QPoint m_offset;
};
} // namespace

QPoint moveUnderPointer(QWidget *w)
{
    QWindow *win = w->windowHandle();
    QEventLoop loop;
    if (win && win->startSystemMove()) {
        // The window manager moves us; wait until the button is let go.
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&loop] {
            if (!x11::leftButtonDown())
                loop.quit();
        });
        poll.start(15);
        loop.exec();
    } else {
        FollowPointer follow(w, loop);
        loop.exec();
    }
    return x11::windowPos(w->windowHandle(), w->pos());
}

} // namespace dv
