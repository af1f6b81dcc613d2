// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Colours as the settings hold them: 0x00BBGGRR, red in the low byte.

#include <QColor>

namespace dv {

inline QColor colorFromBgr(quint32 c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

inline quint32 bgrFromColor(const QColor &c)
{
    return quint32(c.red()) | quint32(c.green()) << 8 | quint32(c.blue()) << 16;
}

} // namespace dv
