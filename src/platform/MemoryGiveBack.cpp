// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MemoryGiveBack.h"

#include <QCoreApplication>
#include <QFont>
#include <QPixmapCache>
#include <QWidget>

#include <malloc.h>

namespace dv {

MemoryGiveBack::MemoryGiveBack(const QWidget *clockWindow, int delayMs, QObject *parent)
    : QObject(parent)
    , m_clockWindow(clockWindow)
{
    m_wait.setSingleShot(true);
    m_wait.setInterval(delayMs);
    connect(&m_wait, &QTimer::timeout, this, &MemoryGiveBack::release);
    QCoreApplication::instance()->installEventFilter(this);
}

MemoryGiveBack::~MemoryGiveBack()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool MemoryGiveBack::eventFilter(QObject *watched, QEvent *event)
{
    // Only a window going counts; every other event passes at the cost of one compare.
    if (event->type() == QEvent::Hide && watched != m_clockWindow && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->isWindow())
        m_wait.start();
    return false;
}

void MemoryGiveBack::release()
{
    // The font cache goes with the engines no window holds any more (and
    // their open font files); a window still up keeps the engines it holds.
    QFont::cleanup();
    QPixmapCache::clear();
    malloc_trim(0);
    ++m_released;
}

} // namespace dv
