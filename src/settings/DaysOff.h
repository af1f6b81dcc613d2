// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user's own days off (`DaysOff`): dates and ranges, one list for all
// alarms, stored as "2026-12-29..2027-01-03,2027-05-06".

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace dv {

struct DayRange {
    QDate first;
    QDate last; // the same as first for a single day
    bool operator==(const DayRange &) const = default;
};
using DaysOff = QList<DayRange>;

struct DaysOffRead {
    DaysOff days;
    QStringList bad; // each entry that is no date or range, as written
};
// Entries are separated by commas, blanks around them allowed; an empty
// entry is none. A range runs from its first day to its last, both included,
// and never backwards.
DaysOffRead readDaysOff(const QString &text);
// The stored form of a list: "yyyy-MM-dd" or "yyyy-MM-dd..yyyy-MM-dd", by commas.
QString daysOffText(const DaysOff &days);
bool isDayOff(const DaysOff &days, const QDate &date);

} // namespace dv
