// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/Checks.h"

#include "resources/Texts.h"

#include <cmath>
#include <limits>

namespace dv {

std::optional<QString> firstDifference(const Settings &p, const Settings &o)
{
    for (const SettingField &f : settingFields()) {
        if (!f.quitCompares)
            continue;
        const bool differs = std::visit(
            [&p, &o](auto member) {
                if constexpr (std::is_same_v<decltype(member), StoredBool Settings::*>)
                    return (p.*member != 0) != (o.*member != 0);
                else
                    return p.*member != o.*member;
            },
            f.member);
        if (differs)
            return QString::fromLatin1(f.key);
    }
    return std::nullopt;
}

QStringList clockSizeEntries(double screenHeightPx)
{
    QStringList entries;
    double f = 0.5;
    for (int s = 60; s < screenHeightPx; s += 60, f += 0.5)
        entries << (QStringLiteral("  ") + QString::number(s)).right(4) + text::SizeEntryPixel
                       + QString::number(f, 'f', 1) + text::SizeEntryTimes;
    entries << text::ScreenSizeEntry;
    return entries;
}

QString pickedSize(const QString &entry, double screenHeightPx)
{
    if (entry.left(4) == text::ScreenSizeEntry.left(4))
        return QString::number(screenHeightPx);
    return QString::number(entry.left(4).trimmed().toInt());
}

bool sizeAccepted(const QString &text, double screenHeightPx)
{
    const auto v = parseNumber(text);
    return v && *v >= 60 && *v <= screenHeightPx;
}

std::optional<qint32> sizeFromText(const QString &text)
{
    const auto v = parseNumber(text);
    if (!v || std::fabs(*v) > double(std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return qint32(std::nearbyint(*v));
}

} // namespace dv
