// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowCentre.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace dv {

void centreOnScreen(QWidget *w)
{
    w->adjustSize();
    const QScreen *s = QGuiApplication::primaryScreen();
    if (!s)
        return;
    const QRect area = s->availableGeometry();
    // A window's move places its frame, caption included, where there is one.
    // Before its first show the frame is not known yet: allow for a caption.
    QSize outer = w->frameGeometry().size();
    if (outer == w->size() && !w->testAttribute(Qt::WA_WState_Visible))
        outer += QSize(0, 2 * w->fontMetrics().height());
    w->move(area.x() + std::max(0, (area.width() - outer.width()) / 2),
            area.y() + std::max(0, (area.height() - outer.height()) / 2));
}

} // namespace dv
