// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

class QWidget;

namespace dv {

// A clock lives for days, with a window or box now and then. What the first
// one brings in (fonts opened for its words, their glyph caches, the style's
// cached pieces, the heap they grew) would otherwise stay all day: once every
// window but the clock's own has gone and stayed gone a while, it is let go.
class MemoryGiveBack final : public QObject {
    Q_OBJECT
public:
    // `clockWindow` stays up all day and is no reason to keep anything.
    explicit MemoryGiveBack(const QWidget *clockWindow, int delayMs = 2000, QObject *parent = nullptr);
    ~MemoryGiveBack() override;
    // How many times it let go (for the tests and the bench).
    int released() const { return m_released; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void release();
    const QWidget *m_clockWindow;
    QTimer m_wait;
    int m_released = 0;
};

} // namespace dv
