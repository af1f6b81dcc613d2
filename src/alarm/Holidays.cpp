// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/Holidays.h"

#include "resources/Texts.h"

namespace dv {

namespace {
namespace h = text::holiday;

// The day of March or September of the equinox, by the formula the
// calendar's publishers use for 1900 to 2099; in millionths of a day so that
// no rounding of a double moves it. C's division truncates, as the formula's INT.
int equinoxDay(int year, qint64 base1900, qint64 base1980)
{
    const int y = year - 1980;
    const qint64 base = year < 1980 ? base1900 : base1980;
    const int leaps = year < 1980 ? (year - 1983) / 4 : y / 4;
    return int((base + qint64{242194} * y - qint64{1000000} * leaps) / 1000000);
}
int vernalEquinox(int year)
{
    return equinoxDay(year, 20835700, 20843100);
}
int autumnalEquinox(int year)
{
    return equinoxDay(year, 23258800, 23248800);
}

// The n-th Monday of its month.
bool nthMonday(const QDate &d, int n)
{
    return d.dayOfWeek() == 1 && (d.day() - 1) / 7 == n - 1;
}

// A "national holiday" in the law's sense: the days it names, and the two of
// 2019 that their own law counts as such. Substitutes and days between are
// built on these alone.
QString lawHoliday(const QDate &d)
{
    const int y = d.year(), day = d.day();
    switch (d.month()) {
    case 1:
        if (day == 1 && y >= 1949)
            return h::NewYear;
        if (y >= 1949 && (y < 2000 ? day == 15 : nthMonday(d, 2)))
            return h::ComingOfAge;
        break;
    case 2:
        if (day == 11 && y >= 1967)
            return h::Foundation;
        if (day == 23 && y >= 2020)
            return h::EmperorsBirthday;
        break;
    case 3:
        if (y >= 1949 && day == vernalEquinox(y))
            return h::VernalEquinox;
        break;
    case 4:
        if (day == 29 && y >= 1949)
            return y >= 2007 ? h::Showa : y >= 1989 ? h::Greenery : h::EmperorsBirthday;
        break;
    case 5:
        if (y == 2019 && day == 1)
            return h::Accession2019;
        if (day == 3 && y >= 1949)
            return h::Constitution;
        if (day == 4 && y >= 2007)
            return h::Greenery;
        if (day == 5 && y >= 1949)
            return h::Children;
        break;
    case 7:
        // Moved for the Olympic Games of Tokyo, and again when they were put off.
        if (y == 2020)
            return day == 23 ? h::Marine : day == 24 ? h::Sports : QString();
        if (y == 2021)
            return day == 22 ? h::Marine : day == 23 ? h::Sports : QString();
        if (y >= 1996 && (y < 2003 ? day == 20 : nthMonday(d, 3)))
            return h::Marine;
        break;
    case 8:
        if (y == 2020 || y == 2021)
            return day == (y == 2020 ? 10 : 8) ? h::Mountain : QString();
        if (day == 11 && y >= 2016)
            return h::Mountain;
        break;
    case 9:
        if (y >= 1966 && (y < 2003 ? day == 15 : nthMonday(d, 3)))
            return h::RespectForAged;
        if (day == autumnalEquinox(y))
            return h::AutumnalEquinox;
        break;
    case 10:
        if (y == 2019 && day == 22)
            return h::Enthronement;
        if (y >= 1966 && y < 2000 && day == 10)
            return h::HealthSports;
        if (y >= 2000 && y != 2020 && y != 2021 && nthMonday(d, 2))
            return y < 2020 ? h::HealthSports : h::Sports;
        break;
    case 11:
        if (day == 3)
            return h::Culture;
        if (day == 23)
            return h::LabourThanksgiving;
        break;
    case 12:
        if (day == 23 && y >= 1989 && y <= 2018)
            return h::EmperorsBirthday;
        break;
    default: break;
    }
    return {};
}

// Days their own laws made holidays, counted as no national holiday.
QString oneOffDay(const QDate &d)
{
    if (d == QDate(1959, 4, 10))
        return h::Wedding1959;
    if (d == QDate(1989, 2, 24))
        return h::Funeral1989;
    if (d == QDate(1990, 11, 12))
        return h::Enthronement;
    if (d == QDate(1993, 6, 9))
        return h::Wedding1993;
    return {};
}

// The substitute holiday: since 1973-04-12 a holiday on a Sunday gives the
// Monday after; since 2007 the first day after it that is no holiday.
bool substitute(const QDate &d)
{
    QDate sunday = d.addDays(-1);
    if (d.year() >= 2007)
        while (sunday.dayOfWeek() != 7 && !lawHoliday(sunday).isEmpty())
            sunday = sunday.addDays(-1);
    return sunday.dayOfWeek() == 7 && sunday >= QDate(1973, 4, 12) && !lawHoliday(sunday).isEmpty();
}
} // namespace

QString holidayName(const QDate &d)
{
    if (!d.isValid() || d < QDate(1948, 7, 20) || d.year() > kLastHolidayYear)
        return {};
    if (QString name = lawHoliday(d); !name.isEmpty())
        return name;
    if (QString name = oneOffDay(d); !name.isEmpty())
        return name;
    if (substitute(d))
        return h::Substitute;
    // A day between two national holidays, since 1985-12-27; until 2006 never a Sunday.
    if (d >= QDate(1985, 12, 27) && (d.year() >= 2007 || d.dayOfWeek() != 7) && !lawHoliday(d.addDays(-1)).isEmpty()
        && !lawHoliday(d.addDays(1)).isEmpty())
        return h::Between;
    return {};
}

QList<Holiday> holidaysOf(int year)
{
    QList<Holiday> days;
    if (year < kFirstHolidayYear || year > kLastHolidayYear)
        return days;
    for (QDate d(year, 1, 1); d.year() == year; d = d.addDays(1))
        if (QString name = holidayName(d); !name.isEmpty())
            days.append({d, name});
    return days;
}

QString holidayLines(int year)
{
    QString lines;
    for (const Holiday &day : holidaysOf(year))
        lines += day.date.toString(QStringLiteral("yyyy-MM-dd ")) + day.name + QLatin1Char('\n');
    return lines;
}

QString restDayName(const QDate &date, const DaysOff &daysOff)
{
    if (QString name = holidayName(date); !name.isEmpty())
        return name;
    return isDayOff(daysOff, date) ? text::holiday::DayOff : QString();
}

} // namespace dv
