// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/AlarmState.h"

#include "alarm/Schedule.h"

#include <QList>

namespace dv {

static const char kHeader[] = "dialvane alarm state 1";
static constexpr char kWallFormat[] = "yyyy-MM-ddTHH:mm:ss";

// Fields never hold a blank: an empty one is written as "-".
static QByteArray field(const QString &s)
{
    return s.isEmpty() ? QByteArrayLiteral("-") : s.toLatin1();
}
static QString unfield(const QByteArray &b)
{
    return b == "-" ? QString() : QString::fromLatin1(b);
}

QByteArray writeAlarmState(const AlarmState &state)
{
    QByteArray out = QByteArray(kHeader) + '\n';
    out += "watched " + QByteArray::number(state.watchedFrom) + '\n';
    for (int i = 0; i < kAlarmCount; ++i) {
        const AlarmState::Alarm &a = state.alarms[size_t(i)];
        QString rang = a.rang;
        rang.replace(QLatin1Char(' '), QLatin1Char('T'));
        out += "alarm " + QByteArray::number(i + 1) + ' ' + field(a.time) + ' ' + QByteArray::number(a.days) + ' '
               + field(rang) + '\n';
    }
    for (const AlarmState::Pending &p : state.pending)
        out += "pending " + QByteArray::number(p.alarm + 1) + ' ' + QByteArray::number(p.at) + ' '
               + p.wall.toString(QLatin1String(kWallFormat)).toLatin1() + (p.snooze ? " snooze" : " due") + '\n';
    return out;
}

std::optional<AlarmState> readAlarmState(const QByteArray &text)
{
    const QList<QByteArray> lines = text.split('\n');
    if (lines.value(0) != kHeader || !text.endsWith('\n'))
        return std::nullopt; // not ours, or cut short
    AlarmState state;
    bool watched = false;
    std::array<bool, kAlarmCount> seen{};
    auto number = [](const QByteArray &b, qint64 lo, qint64 hi, qint64 &out) {
        bool ok = false;
        out = b.toLongLong(&ok);
        return ok && out >= lo && out <= hi && !b.startsWith('+');
    };
    for (qsizetype n = 1; n < lines.size() - 1; ++n) {
        const QList<QByteArray> f = lines.at(n).split(' ');
        qint64 i = 0, v = 0;
        if (f.size() == 2 && f.at(0) == "watched" && !watched) {
            if (!number(f.at(1), 0, qint64{1} << 40, state.watchedFrom))
                return std::nullopt;
            watched = true;
        } else if (f.size() == 5 && f.at(0) == "alarm" && number(f.at(1), 1, kAlarmCount, i) && !seen[size_t(i - 1)]) {
            AlarmState::Alarm &a = state.alarms[size_t(i - 1)];
            seen[size_t(i - 1)] = true;
            a.time = unfield(f.at(2));
            QString rang = unfield(f.at(4));
            rang.replace(QLatin1Char('T'), QLatin1Char(' '));
            a.rang = rang;
            if (!number(f.at(3), 0, 127, v) || (!a.time.isEmpty() && !QTime::fromString(a.time, u"HH:mm:ss").isValid())
                || (!rang.isEmpty() && !QDateTime::fromString(rang, u"yyyy-MM-dd HH:mm:ss").isValid()))
                return std::nullopt;
            a.days = quint8(v);
        } else if (f.size() == 5 && f.at(0) == "pending" && number(f.at(1), 1, kAlarmCount, i)
                   && number(f.at(2), 0, qint64{1} << 40, v) && (f.at(4) == "snooze" || f.at(4) == "due")) {
            AlarmState::Pending p;
            p.alarm = int(i - 1);
            p.at = v;
            p.wall = QDateTime::fromString(QString::fromLatin1(f.at(3)), QLatin1String(kWallFormat));
            p.snooze = f.at(4) == "snooze";
            if (!p.wall.isValid())
                return std::nullopt;
            state.pending.push_back(p);
        } else {
            return std::nullopt;
        }
    }
    if (!watched)
        return std::nullopt;
    return state;
}

void takeSnoozes(NextAlarm &next, const AlarmState &state, const AlarmTimes &times, qint64 now)
{
    for (const AlarmState::Pending &p : state.pending)
        if (p.snooze && p.at > now && state.sameAlarm(p.alarm, times))
            takeSooner(next, QDateTime::fromSecsSinceEpoch(p.at), p.alarm);
}

void takeSooner(NextAlarm &next, const QDateTime &at, int alarm)
{
    if (!next.at.isValid() || at < next.at)
        next = {at, 0, {}};
    if (at == next.at)
        next.alarms |= 1 << alarm;
}

} // namespace dv
