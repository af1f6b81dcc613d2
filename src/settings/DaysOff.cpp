// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/DaysOff.h"

namespace dv {

namespace {
// Exactly yyyy-MM-dd: QDate alone would take "2026-5-6" and years of five digits.
QDate strictDate(const QString &text)
{
    if (text.size() != 10)
        return {};
    return QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
}
QString dateText(const QDate &d)
{
    return d.toString(QStringLiteral("yyyy-MM-dd"));
}
} // namespace

DaysOffRead readDaysOff(const QString &text)
{
    DaysOffRead read;
    const QStringList entries = text.split(QLatin1Char(','));
    for (const QString &raw : entries) {
        const QString entry = raw.trimmed();
        if (entry.isEmpty())
            continue;
        const qsizetype dots = entry.indexOf(QLatin1String(".."));
        const QDate first = strictDate(dots < 0 ? entry : entry.left(dots).trimmed());
        const QDate last = dots < 0 ? first : strictDate(entry.mid(dots + 2).trimmed());
        if (!first.isValid() || !last.isValid() || last < first)
            read.bad.append(entry);
        else
            read.days.append({first, last});
    }
    return read;
}

QString daysOffText(const DaysOff &days)
{
    QStringList entries;
    for (const DayRange &r : days)
        entries.append(r.first == r.last ? dateText(r.first)
                                         : dateText(r.first) + QLatin1String("..") + dateText(r.last));
    return entries.join(QLatin1Char(','));
}

bool isDayOff(const DaysOff &days, const QDate &date)
{
    for (const DayRange &r : days)
        if (date >= r.first && date <= r.last)
            return true;
    return false;
}

} // namespace dv
