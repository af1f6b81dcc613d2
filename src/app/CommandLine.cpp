// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace dv {

double numericPrefix(const QString &text)
{
    // Blanks, an optional sign, digits, an optional point and digits; the point is
    // always "." whatever the locale. Anything else ends the number. Read by
    // hand: no regular-expression engine resident all day for one option.
    const qsizetype n = text.size();
    auto digitAt = [&](qsizetype i) { return i < n && text[i] >= u'0' && text[i] <= u'9'; };
    qsizetype i = 0;
    while (i < n && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r')))
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    const qsizetype whole = i;
    while (digitAt(i))
        ++i;
    if (i == whole && !(i < n && text[i] == u'.' && digitAt(i + 1)))
        return 0.0;
    if (i < n && text[i] == u'.')
        ++i;
    while (digitAt(i))
        ++i;
    return text.mid(start, i - start).toDouble();
}

bool isOffsetForm(const QString &text)
{
    // An optional sign, digits, an optional point and digits; a digit at least.
    const qsizetype n = text.size();
    qsizetype i = n > 0 && (text[0] == u'+' || text[0] == u'-') ? 1 : 0;
    int digits = 0;
    bool point = false;
    for (; i < n; ++i) {
        if (text[i] >= u'0' && text[i] <= u'9')
            ++digits;
        else if (text[i] == u'.' && !point)
            point = true;
        else
            return false;
    }
    return digits > 0;
}

CommandLine parseCommandLine(const QString &text)
{
    CommandLine c;
    const QString t = text.trimmed().toLower();
    c.delreg = t.contains(QLatin1String("-delreg"));
    const QString opt = QStringLiteral("-offset=");
    const qsizetype pos = t.indexOf(opt);
    if (pos >= 0) {
        const qsizetype start = pos + opt.size();
        qsizetype end = t.indexOf(QLatin1Char(' '), pos);
        if (end < 0)
            end = t.size();
        const QString given = t.mid(start, qMax<qsizetype>(0, end - start));
        const double v = numericPrefix(given);
        // A number and nothing else: "9h", "1:30", "0x10" or "nan" read as a
        // prefix would give an offset nobody asked for, or none without a word.
        if (isOffsetForm(given) && std::isfinite(v) && std::fabs(v) <= kOffsetLimitHours)
            c.offset = float(v);
        else
            c.badOffset = given;
    }
    return c;
}

void splitOffset(float offsetHours, int &hours, int &minutes)
{
    // Take the digits of the float's shortest decimal text so that 1.30 gives
    // exactly 30 minutes (1.3 is 1.2999999 in binary) and 1.305 gives 30.
    hours = minutes = 0;
    if (!std::isfinite(offsetHours))
        return;
    char buf[64];
    const float a = std::fabs(offsetHours);
    auto r = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::fixed);
    const std::string text(buf, r.ptr);
    const auto dot = text.find('.');
    const std::string whole = text.substr(0, dot);
    std::string frac = dot == std::string::npos ? std::string() : text.substr(dot + 1);
    frac.resize(2, '0');
    const double h = std::strtod(whole.c_str(), nullptr);
    hours = int(std::fmod(h, 24.0)); // whole days do not move the face
    minutes = (frac[0] - '0') * 10 + (frac[1] - '0');
    if (offsetHours < 0) {
        hours = -hours;
        minutes = -minutes;
    }
}

ShownTime displayedTime(int sysHour, int sysMinute, float offsetHours)
{
    int H = 0, M = 0;
    splitOffset(offsetHours, H, M);
    // Carried in whole minutes of the day: the same as the one-step carry for
    // offsets in the hours.minutes form, and still in range for 1.75 or 30.
    const long long total = static_cast<long long>(sysHour + H) * 60 + sysMinute + M;
    const long long inDay = ((total % 1440) + 1440) % 1440;
    return {int(inDay / 60), int(inDay % 60), 0};
}

} // namespace dv
