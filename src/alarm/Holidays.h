// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Japan's national holidays, computed from the holiday law (in force since
// 1948-07-20) and its amendments, for 1948 to 2099: the law's own days, the
// substitute holidays, the days between two holidays and the one-off days.

#include "settings/DaysOff.h"

#include <QDate>
#include <QList>
#include <QString>

namespace dv {

inline constexpr int kFirstHolidayYear = 1948;
inline constexpr int kLastHolidayYear = 2099; // the equinox formula holds this far

// The holiday's name on `date`, or empty on a working day (and outside the years above).
QString holidayName(const QDate &date);

struct Holiday {
    QDate date;
    QString name;
};
// Every holiday of `year`, in date order; none outside the years above.
QList<Holiday> holidaysOf(int year);
// "yyyy-MM-dd name", one line each.
QString holidayLines(int year);

// Why an alarm that rests on holidays keeps quiet on `date`: the holiday's
// name, the user's day off, or empty when it is a working day.
QString restDayName(const QDate &date, const DaysOff &daysOff);

} // namespace dv
