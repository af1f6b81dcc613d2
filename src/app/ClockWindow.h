#pragma once
// The round, borderless clock window.

#include "face/Face.h"
#include "face/FacePainter.h"
#include "platform/Platform.h"
#include "platform/X11.h"

#include <QElapsedTimer>
#include <QImage>
#include <QWidget>
#include <functional>

namespace dv {

class ClockWindow final : public QWidget, public ClockWindowOps {
    Q_OBJECT
public:
    explicit ClockWindow(QWidget *parent = nullptr);

    void setCaption(const QString &text) override;
    void setSizePx(int w, int h) override;
    void setCircleShape(int side) override;
    void movePx(int x, int y) override;
    QRect screenRect() const override;
    bool isShown() const override;
    void showNoActivate(bool raise) override;
    void hideNoActivate() override;
    void setTopMost(bool on) override;
    void present(const Face &face) override;
    QImage grabScreen(const QRect &area) override;
    void dragMove() override;
    ActiveWindow activeWindow() const override;

    QImage image() const { return m_renderer.image(); } // the face shown now
    // Milliseconds since we last showed or uncovered the window ourselves;
    // exposes that soon after are our own, not the system asking for a repaint.
    qint64 msecsSinceOwnShow() const { return m_ownShow.isValid() ? m_ownShow.elapsed() : 1 << 30; }

    std::function<void(Qt::MouseButtons buttons)> mousePressed;
    std::function<void()> systemExpose;
    std::function<void()> pointerEntered;
    std::function<void()> closeRequested;                  // the system asks the window to close
    std::function<void(const QStringList &)> filesDropped; // local files, in the drop's order

    QPaintEngine *paintEngine() const override;

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void moveEvent(QMoveEvent *e) override;
    void enterEvent(QEnterEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dropEvent(QDropEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    void prepareNative();
    void putDirect(const QRegion &area); // device pixels
    void showOwn();

    Face m_face;
    bool m_hasFace = false;
    FaceRenderer m_renderer;
    x11::DirectPainter m_direct;
    bool m_native = false; // painted straight to the X window, no backing store
    QPoint m_pos;
    int m_side = 120;
    bool m_topMost = false;
    bool m_dragging = false;
    QPoint m_pressedAt;
    QElapsedTimer m_ownShow;
    QWindow *m_filtered = nullptr;
    bool m_secondLook = false; // the capture under way is the follow-up of another
};

} // namespace dv
