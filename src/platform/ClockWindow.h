// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The round, borderless clock window.

#include "face/Face.h"
#include "face/FacePainter.h"
#include "platform/Platform.h"
#include "platform/WindowSystem.h"

#include <QImage>
#include <QWidget>

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
    void showNoActivate(bool raise) override;
    void hideNoActivate() override;
    void setTopMost(bool on) override;
    void present(const Face &face) override;
    ScreenGrab grabScreen(const QRect &area) override;
    void dragMove() override;
    ActiveWindow activeWindow() const override;
    bool windowShown(quint64 id) const override { return x11::isViewable(id); }
    bool canSeeThrough() const override { return m_compositor.running(); }
    void setSeeThrough(bool on) override;
    qreal pixelRatio() const override { return devicePixelRatioF(); }

    QImage image() const { return m_renderer.image(); } // the face shown now

    QPaintEngine *paintEngine() const override;

signals:
    void mousePressed(Qt::MouseButtons buttons);
    void systemExpose(); // an expose: the system's, or one our show brought
    void shownByUs();    // we mapped the window ourselves
    void pointerEntered();
    void closeRequested(); // the system asks the window to close
    // Local files, in the drop's order. The drop goes back to its source as
    // refused unless the receiver sets *taken.
    void filesDropped(const QStringList &files, bool *taken);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void moveEvent(QMoveEvent *e) override;
    void enterEvent(QEnterEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dragMoveEvent(QDragMoveEvent *e) override;
    void dropEvent(QDropEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    void prepareNative();
    void putDirect(const QRegion &area); // device pixels
    void showOwn();

    Face m_face;
    bool m_hasFace = false;
    FaceRenderer m_renderer;
    WindowPainter m_direct;
    CompositorWatch m_compositor;
    bool m_seeThrough = false; // an alpha visual, the board's clear pixels showing what is behind
    bool m_native = false;     // painted straight to the X window, no backing store
    QPoint m_pos;
    int m_side = 120;
    bool m_topMost = false;
    bool m_dragging = false;
    QPoint m_pressedAt;
    QWindow *m_filtered = nullptr;
};

} // namespace dv
