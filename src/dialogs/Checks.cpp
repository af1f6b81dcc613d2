#include "dialogs/Checks.h"

#include <cmath>
#include <limits>

namespace dv {

QString completeTime(const QString &text)
{
    return text.size() == 4 ? (QLatin1Char('0') + text).right(5) : text;
}

bool timeRejected(const QString &t)
{
    if (t.isEmpty())
        return false;
    if (t.size() != 5)
        return true;
    auto in = [](QChar c, char lo, char hi) { return c.unicode() >= lo && c.unicode() <= hi; };
    bool fault = false;
    fault |= !in(t[0], '0', '2');
    fault |= !in(t[1], '0', '9');
    if (in(t[0], '0', '9') && in(t[1], '0', '9'))
        fault |= (t[0].unicode() - '0') * 10 + (t[1].unicode() - '0') > 23;
    fault |= t[2] != QLatin1Char(':');
    fault |= !in(t[3], '0', '5');
    fault |= !in(t[4], '0', '9');
    return fault;
}

int firstDifference(const Settings &p, const Settings &o)
{
    // A check box shows a Boolean as ticked or clear: any non-zero is ticked.
    auto box = [](StoredBool a, StoredBool b) { return (a != 0) != (b != 0); };
    const bool differs[] = {
        p.FormTop != o.FormTop,
        p.FormLeft != o.FormLeft,
        p.BackImage != o.BackImage,
        box(p.DrawSecond, o.DrawSecond),
        box(p.TopMost, o.TopMost),
        box(p.Jihou, o.Jihou),
        p.HourColor != o.HourColor,
        p.MinuteColor != o.MinuteColor,
        p.SecondColor != o.SecondColor,
        p.CharColor != o.CharColor,
        p.BoardColor != o.BoardColor,
        p.FrameColor != o.FrameColor,
        p.AlarmTime1 != o.AlarmTime1,
        p.AlarmTime2 != o.AlarmTime2,
        p.AlarmTime3 != o.AlarmTime3,
        p.AlarmSound1 != o.AlarmSound1,
        p.AlarmSound2 != o.AlarmSound2,
        p.AlarmSound3 != o.AlarmSound3,
        p.ShutDownTime != o.ShutDownTime,
        box(p.MustShutDown, o.MustShutDown),
        box(p.Transparent, o.Transparent),
        box(p.ShadowFlag, o.ShadowFlag),
        box(p.DrawChar, o.DrawChar),
        box(p.SlideBmp, o.SlideBmp),
        p.BmpDirectory != o.BmpDirectory,
        p.SlideTime != o.SlideTime,
        box(p.OnMouseToHide, o.OnMouseToHide),
        box(p.Mag2Flag, o.Mag2Flag),
        box(p.DrawFrameFlag, o.DrawFrameFlag),
        p.ClockSize != o.ClockSize,
        p.FormPlace != o.FormPlace,
        box(p.CharPattern, o.CharPattern),
        p.SlideGrafix != o.SlideGrafix,
        p.Jihou00File != o.Jihou00File,
        p.Jihou30File != o.Jihou30File,
        box(p.Jihou30, o.Jihou30),
    };
    for (size_t i = 0; i < std::size(differs); ++i)
        if (differs[i])
            return int(i) + 1;
    return 0;
}

QStringList clockSizeEntries(double screenHeightPx)
{
    QStringList entries;
    double f = 0.5;
    for (int s = 60; s < screenHeightPx; s += 60, f += 0.5)
        entries << (QStringLiteral("  ") + QString::number(s)).right(4) + QStringLiteral(" pixel ( ")
                       + QString::number(f, 'f', 1) + QStringLiteral("倍 )");
    entries << kScreenSizeEntry;
    return entries;
}

QString pickedSize(const QString &entry, double screenHeightPx)
{
    if (entry.left(4) == QLatin1String("Scre"))
        return QString::number(screenHeightPx);
    return QString::number(entry.left(4).trimmed().toInt());
}

static std::optional<double> sizeNumber(const QString &text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

bool sizeAccepted(const QString &text, double screenHeightPx)
{
    const auto v = sizeNumber(text);
    return v && *v >= 60 && *v <= screenHeightPx;
}

std::optional<qint32> sizeFromText(const QString &text)
{
    const auto v = sizeNumber(text);
    if (!v || std::fabs(*v) > double(std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return qint32(std::nearbyint(*v));
}

} // namespace dv
