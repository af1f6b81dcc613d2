// SPDX-License-Identifier: GPL-3.0-or-later
// The holiday calendar against the published lists, the rules of each period
// of the holiday law, and the days-off list.
//
// Sources of the dates below:
// - 2019, 2020, 2021, 2026, 2027: the Cabinet Office's list of national
//   holidays, 内閣府「国民の祝日について」(https://www8.cao.go.jp/chosei/shukujitsu/gaiyou.html),
//   as announced each year, with its notes on the substitute holidays (e.g.
//   2026-05-06, 2027-03-22) and the days between two holidays (2026-09-22); for
//   2019 the law that made 2019-05-01 and 10-22 holidays counted as national
//   ones, and for 2020 and 2021 the Olympic special measures law's moves of
//   海の日, スポーツの日 and 山の日.
// - 2009 and 2015 (the first silver weeks, 09-22 a day between two holidays):
//   the same list of past years.
// - The single days: the text of 国民の祝日に関する法律 (昭和23年法律第178号)
//   and its amendments: 昭和41年 (敬老の日, 体育の日, 建国記念の日), 昭和48年
//   法律第10号 (振替休日, from 1973-04-12), 昭和60年 (国民の休日, from
//   1985-12-27), 平成元年 (みどりの日, 天皇誕生日 12-23), 平成7年 (海の日),
//   平成10年 and 平成13年 (the Monday holidays), 平成17年 (昭和の日, 振替休日
//   on the next day that is no holiday, from 2007), 平成26年 (山の日); and the
//   laws of the one-off days of 1959, 1989, 1990 and 1993.
#include "alarm/Holidays.h"
#include "settings/DaysOff.h"

#include <QtTest>

using namespace dv;

class TestHolidays : public QObject {
    Q_OBJECT
private slots:
    void years_data();
    void years();
    void days_data();
    void days();
    void daysOff_data();
    void daysOff();
};

void TestHolidays::years_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<QStringList>("days"); // "MM-dd name"
    const auto list = [](const char *days) { return QString::fromUtf8(days).split('|'); };
    QTest::newRow("2009, the first silver week")
        << 2009
        << list("01-01 元日|01-12 成人の日|02-11 建国記念の日|03-20 春分の日|04-29 昭和の日|05-03 憲法記念日|"
                "05-04 みどりの日|05-05 こどもの日|05-06 振替休日|07-20 海の日|09-21 敬老の日|09-22 国民の休日|"
                "09-23 秋分の日|10-12 体育の日|11-03 文化の日|11-23 勤労感謝の日|12-23 天皇誕生日");
    QTest::newRow("2015, silver week again")
        << 2015
        << list("01-01 元日|01-12 成人の日|02-11 建国記念の日|03-21 春分の日|04-29 昭和の日|05-03 憲法記念日|"
                "05-04 みどりの日|05-05 こどもの日|05-06 振替休日|07-20 海の日|09-21 敬老の日|09-22 国民の休日|"
                "09-23 秋分の日|10-12 体育の日|11-03 文化の日|11-23 勤労感謝の日|12-23 天皇誕生日");
    QTest::newRow("2019, the accession")
        << 2019
        << list("01-01 元日|01-14 成人の日|02-11 建国記念の日|03-21 春分の日|04-29 昭和の日|04-30 国民の休日|"
                "05-01 天皇の即位の日|05-02 国民の休日|05-03 憲法記念日|05-04 みどりの日|05-05 こどもの日|"
                "05-06 振替休日|07-15 海の日|08-11 山の日|08-12 振替休日|09-16 敬老の日|09-23 秋分の日|"
                "10-14 体育の日|10-22 即位礼正殿の儀|11-03 文化の日|11-04 振替休日|11-23 勤労感謝の日");
    QTest::newRow("2020, the Olympic moves")
        << 2020
        << list("01-01 元日|01-13 成人の日|02-11 建国記念の日|02-23 天皇誕生日|02-24 振替休日|03-20 春分の日|"
                "04-29 昭和の日|05-03 憲法記念日|05-04 みどりの日|05-05 こどもの日|05-06 振替休日|07-23 海の日|"
                "07-24 スポーツの日|08-10 山の日|09-21 敬老の日|09-22 秋分の日|11-03 文化の日|11-23 勤労感謝の日");
    QTest::newRow("2021, moved again")
        << 2021
        << list("01-01 元日|01-11 成人の日|02-11 建国記念の日|02-23 天皇誕生日|03-20 春分の日|04-29 昭和の日|"
                "05-03 憲法記念日|05-04 みどりの日|05-05 こどもの日|07-22 海の日|07-23 スポーツの日|08-08 山の日|"
                "08-09 振替休日|09-20 敬老の日|09-23 秋分の日|11-03 文化の日|11-23 勤労感謝の日");
    QTest::newRow("2026, Golden and silver week")
        << 2026
        << list("01-01 元日|01-12 成人の日|02-11 建国記念の日|02-23 天皇誕生日|03-20 春分の日|04-29 昭和の日|"
                "05-03 憲法記念日|05-04 みどりの日|05-05 こどもの日|05-06 振替休日|07-20 海の日|08-11 山の日|"
                "09-21 敬老の日|09-22 国民の休日|09-23 秋分の日|10-12 スポーツの日|11-03 文化の日|11-23 勤労感謝の日");
    QTest::newRow("2027")
        << 2027
        << list("01-01 元日|01-11 成人の日|02-11 建国記念の日|02-23 天皇誕生日|03-21 春分の日|03-22 振替休日|"
                "04-29 昭和の日|05-03 憲法記念日|05-04 みどりの日|05-05 こどもの日|07-19 海の日|08-11 山の日|"
                "09-20 敬老の日|09-23 秋分の日|10-11 スポーツの日|11-03 文化の日|11-23 勤労感謝の日");
    QTest::newRow("1948, from the law's day on") << 1948 << list("09-23 秋分の日|11-03 文化の日|11-23 勤労感謝の日");
    QTest::newRow("1947, before the law") << 1947 << QStringList();
    QTest::newRow("2100, beyond the formula") << 2100 << QStringList();
}

void TestHolidays::years()
{
    QFETCH(int, year);
    QFETCH(QStringList, days);
    QStringList computed;
    for (const Holiday &h : holidaysOf(year)) {
        QCOMPARE(h.date.year(), year);
        computed << h.date.toString("MM-dd ") + h.name;
    }
    QCOMPARE(computed, days);
    QString lines;
    for (const QString &d : days)
        lines += QString::number(year) + '-' + d + '\n';
    QCOMPARE(holidayLines(year), lines);
}

void TestHolidays::days_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("name"); // empty: a working day
    const auto row = [](const char *tag, QDate d, const char *name) {
        QTest::newRow(tag) << d << QString::fromUtf8(name);
    };
    row("1948-07-19, the day before the law", {1948, 7, 19}, "");
    row("1949-01-15, coming of age on the 15th", {1949, 1, 15}, "成人の日");
    row("1959 wedding", {1959, 4, 10}, "皇太子明仁親王の結婚の儀");
    row("1966-02-11, not yet", {1966, 2, 11}, "");
    row("1966-09-15, from 1966", {1966, 9, 15}, "敬老の日");
    row("1966-10-10", {1966, 10, 10}, "体育の日");
    row("1967-02-11", {1967, 2, 11}, "建国記念の日");
    // Substitutes from 1973-04-12: the Monday after a Sunday holiday.
    row("1973-02-12, before the substitutes", {1973, 2, 12}, "");
    row("1973-04-30, the first substitute", {1973, 4, 30}, "振替休日");
    row("1986-05-04, a Sunday between: no", {1986, 5, 4}, "");
    row("1987-05-04, the Monday after 05-03", {1987, 5, 4}, "振替休日");
    row("1988-05-04, the first day between", {1988, 5, 4}, "国民の休日");
    row("1989 state funeral", {1989, 2, 24}, "昭和天皇の大喪の礼");
    row("1989-04-29", {1989, 4, 29}, "みどりの日");
    row("1988-12-23, not yet", {1988, 12, 23}, "");
    row("1989-12-23", {1989, 12, 23}, "天皇誕生日");
    row("1990 enthronement", {1990, 11, 12}, "即位礼正殿の儀");
    row("1992-05-04, the Monday after 05-03", {1992, 5, 4}, "振替休日");
    row("1992-05-06, no later than the day after", {1992, 5, 6}, "");
    row("1993 wedding", {1993, 6, 9}, "皇太子徳仁親王の結婚の儀");
    row("1996-07-20", {1996, 7, 20}, "海の日");
    row("2000-01-10, second Monday", {2000, 1, 10}, "成人の日");
    row("2000-01-15, no more", {2000, 1, 15}, "");
    row("2003-09-15, third Monday", {2003, 9, 15}, "敬老の日");
    row("2006-01-02, Monday after New Year's Sunday", {2006, 1, 2}, "振替休日");
    // Since 2007: the next day that is no holiday.
    row("2008-05-06, after a Sunday 05-04", {2008, 5, 6}, "振替休日");
    row("2015-08-11, not yet", {2015, 8, 11}, "");
    row("2016-08-11", {2016, 8, 11}, "山の日");
    row("2018-12-24, the last birthday's substitute", {2018, 12, 24}, "振替休日");
    row("2019-12-23, no more", {2019, 12, 23}, "");
    row("2022-10-10", {2022, 10, 10}, "スポーツの日");
}

void TestHolidays::days()
{
    QFETCH(QDate, date);
    QFETCH(QString, name);
    QCOMPARE(holidayName(date), name);
}

void TestHolidays::daysOff_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored"); // as printed back
    QTest::addColumn<QStringList>("bad");
    QTest::addColumn<QDate>("probe");
    QTest::addColumn<QString>("why"); // restDayName at the probe
    QTest::newRow("empty") << ""
                           << "" << QStringList() << QDate(2026, 5, 7) << "";
    QTest::newRow("a range over New Year, its last day")
        << "2026-12-29..2027-01-03"
        << "2026-12-29..2027-01-03" << QStringList() << QDate(2027, 1, 3) << "お休みの日";
    QTest::newRow("and the day after") << "2026-12-29..2027-01-03"
                                       << "2026-12-29..2027-01-03" << QStringList() << QDate(2027, 1, 4) << "";
    QTest::newRow("a holiday in it keeps its name")
        << "2026-12-29..2027-01-03"
        << "2026-12-29..2027-01-03" << QStringList() << QDate(2027, 1, 1) << "元日";
    QTest::newRow("blanks, a single day, an empty entry")
        << " 2026-08-13 .. 2026-08-16 ,, 2027-05-06 "
        << "2026-08-13..2026-08-16,2027-05-06" << QStringList() << QDate(2027, 5, 6) << "お休みの日";
    QTest::newRow("malformed entries are ignored")
        << "2026-8-13,2026-02-30,2027-01-03..2026-12-29,2026-13-01,x..y,2027-05-06"
        << "2027-05-06" << QStringList{"2026-8-13", "2026-02-30", "2027-01-03..2026-12-29", "2026-13-01", "x..y"}
        << QDate(2026, 12, 30) << "";
}

void TestHolidays::daysOff()
{
    QFETCH(QString, text);
    QFETCH(QString, stored);
    QFETCH(QStringList, bad);
    QFETCH(QDate, probe);
    QFETCH(QString, why);
    const DaysOffRead read = readDaysOff(text);
    QCOMPARE(daysOffText(read.days), stored);
    QCOMPARE(read.bad, bad);
    QCOMPARE(restDayName(probe, read.days), why);
}

QTEST_GUILESS_MAIN(TestHolidays)
#include "tst_holidays.moc"
