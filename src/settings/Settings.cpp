// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/Settings.h"

#include "resources/Product.h"

#include <QFileInfo>
#include <QStringList>

#include <charconv>
#include <cmath>
#include <limits>

namespace dv {

Settings Settings::defaults(const QString &appDir)
{
    Settings s;
    s.slideshowFolder = appDir;
    s.hourChimeFile = appDir + QLatin1Char('/') + QLatin1String(kChimeFile);
    return s;
}

const std::array<SettingField, kSettingCount> &settingFields()
{
    using S = Settings;
    static const std::array<SettingField, kSettingCount> fields{{
        {"FormTop", &S::topTwips},
        {"FormLeft", &S::leftTwips},
        {"BackImage", &S::boardPicture, kPathChars},
        {"DrawSecond", &S::secondHand},
        {"TopMost", &S::onTop},
        {"Jihou", &S::hourChime},
        {"Transparent", &S::transparentBoard},
        {"ShadowFlag", &S::shadows},
        {"DrawChar", &S::hourMarks},
        {"SlideBmp", &S::slideshow},
        {"BmpDirectory", &S::slideshowFolder, kPathChars},
        {"SlideTime", &S::slideInterval, kIntervalChars},
        {"OnMouseToHide", &S::hideUnderPointer},
        {"Mag2Flag", &S::freeSize},
        {"DrawFrameFlag", &S::frameRing},
        {"ClockSize", &S::clockSize},
        {"CharPattern", &S::romanNumerals},
        {"FormPlace", &S::corner},
        {"SlideGrafix", &S::slideshowFormats},
        {"Jihou00File", &S::hourChimeFile, kPathChars},
        {"Jihou30File", &S::halfHourChimeFile, kPathChars},
        {"Jihou30", &S::halfHourChime},
        {"HourColor", &S::hourColour},
        {"MinuteColor", &S::minuteColour},
        {"SecondColor", &S::secondColour},
        {"CharColor", &S::marksColour},
        {"BoardColor", &S::boardColour},
        {"FrameColor", &S::frameColour},
        {"AlarmTime1", &S::alarmTime1, kTimeChars},
        {"AlarmTime2", &S::alarmTime2, kTimeChars},
        {"AlarmTime3", &S::alarmTime3, kTimeChars},
        {"AlarmSound1", &S::alarmSound1, kPathChars},
        {"AlarmSound2", &S::alarmSound2, kPathChars},
        {"AlarmSound3", &S::alarmSound3, kPathChars},
        {"AlarmMessage1", &S::alarmMessage1, kMessageChars},
        {"AlarmMessage2", &S::alarmMessage2, kMessageChars},
        {"AlarmMessage3", &S::alarmMessage3, kMessageChars},
        {"ShutDownTime", &S::shutdownTime, kTimeChars},
        {"MustShutDown", &S::forceShutdown},
        // Only the command line sets the offset: the quit does not ask for it.
        {"OffsetTime", &S::timeOffset, 0, false},
        {"AlarmDays1", &S::alarmDays1, 0, true, true},
        {"AlarmDays2", &S::alarmDays2, 0, true, true},
        {"AlarmDays3", &S::alarmDays3, 0, true, true},
        {"AlarmOnce1", &S::alarmOnce1, 0, true, true},
        {"AlarmOnce2", &S::alarmOnce2, 0, true, true},
        {"AlarmOnce3", &S::alarmOnce3, 0, true, true},
        {"AlarmSnooze1", &S::alarmSnooze1, 0, true, true},
        {"AlarmSnooze2", &S::alarmSnooze2, 0, true, true},
        {"AlarmSnooze3", &S::alarmSnooze3, 0, true, true},
        {"AlarmRingMinutes1", &S::alarmRingMinutes1, 0, true, true},
        {"AlarmRingMinutes2", &S::alarmRingMinutes2, 0, true, true},
        {"AlarmRingMinutes3", &S::alarmRingMinutes3, 0, true, true},
        {"AlarmVolume1", &S::alarmVolume1, 0, true, true},
        {"AlarmVolume2", &S::alarmVolume2, 0, true, true},
        {"AlarmVolume3", &S::alarmVolume3, 0, true, true},
        {"AlarmFadeIn1", &S::alarmFadeIn1, 0, true, true},
        {"AlarmFadeIn2", &S::alarmFadeIn2, 0, true, true},
        {"AlarmFadeIn3", &S::alarmFadeIn3, 0, true, true},
        {"AlarmWake1", &S::alarmWake1, 0, true, true},
        {"AlarmWake2", &S::alarmWake2, 0, true, true},
        {"AlarmWake3", &S::alarmWake3, 0, true, true},
        {"AlarmSkipHolidays1", &S::alarmSkipHolidays1, 0, true, true},
        {"AlarmSkipHolidays2", &S::alarmSkipHolidays2, 0, true, true},
        {"AlarmSkipHolidays3", &S::alarmSkipHolidays3, 0, true, true},
        {"DaysOff", &S::daysOff, kDaysOffChars, true, true},
    }};
    return fields;
}

const SettingField &settingField(const SettingMember &member)
{
    for (const SettingField &f : settingFields())
        if (f.member == member)
            return f;
    Q_UNREACHABLE();
}

QString boolText(StoredBool v)
{
    return v ? QStringLiteral("True") : QStringLiteral("False");
}

QString floatText(float v)
{
    // Shortest text that reads back as the same float: 0, 1.3, -0.45.
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return QString::fromLatin1(buf, int(r.ptr - buf));
}

std::optional<double> parseNumber(const QString &text)
{
    bool ok = false;
    const double d = text.trimmed().toDouble(&ok); // C locale: the point is always "."
    if (!ok || !std::isfinite(d))
        return std::nullopt;
    return d;
}

std::optional<StoredBool> parseBool(const QString &text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return StoredTrue;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return StoredFalse;
    if (auto d = parseNumber(t))
        return *d != 0.0 ? StoredTrue : StoredFalse;
    return std::nullopt;
}

// Whole numbers may also come as decimals from a hand-edited store; they round
// halves to even, as the clock rounds the twips it stores.
static std::optional<double> parseWhole(const QString &text)
{
    auto d = parseNumber(text);
    if (!d)
        return std::nullopt;
    return std::nearbyint(*d);
}

std::optional<qint32> parseInt32(const QString &text)
{
    auto d = parseWhole(text);
    if (!d || *d < std::numeric_limits<qint32>::min() || *d > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(*d);
}

std::optional<quint8> parseByte(const QString &text)
{
    auto d = parseWhole(text);
    if (!d || *d < 0 || *d > 255)
        return std::nullopt;
    return quint8(*d);
}

std::optional<float> parseFloat(const QString &text)
{
    auto d = parseNumber(text);
    if (!d || std::fabs(*d) > std::numeric_limits<float>::max())
        return std::nullopt;
    return float(*d);
}

QString fieldText(const Settings &s, const SettingField &f)
{
    return std::visit(
        [&s](auto member) -> QString {
            using T = std::remove_cvref_t<decltype(s.*member)>;
            if constexpr (std::is_same_v<T, QString>)
                return s.*member;
            else if constexpr (std::is_same_v<T, bool>)
                return boolText(s.*member ? StoredTrue : StoredFalse);
            else if constexpr (std::is_same_v<T, StoredBool>)
                return boolText(s.*member);
            else if constexpr (std::is_same_v<T, Corner>)
                return QString::number(quint8(s.*member));
            else if constexpr (std::is_same_v<T, float>)
                return floatText(s.*member);
            else
                return QString::number(s.*member);
        },
        f.member);
}

bool setFieldFromText(Settings &s, const SettingField &f, const QString &text)
{
    return std::visit(
        [&s, &text](auto member) -> bool {
            using T = std::remove_cvref_t<decltype(s.*member)>;
            std::optional<T> v;
            if constexpr (std::is_same_v<T, QString>)
                v = text;
            else if constexpr (std::is_same_v<T, bool>) {
                if (const auto b = parseBool(text))
                    v = *b != StoredFalse;
            } else if constexpr (std::is_same_v<T, StoredBool>)
                v = parseBool(text);
            else if constexpr (std::is_same_v<T, Corner>) {
                if (const auto b = parseByte(text))
                    v = Corner(*b);
            } else if constexpr (std::is_same_v<T, float>)
                v = parseFloat(text);
            else if constexpr (std::is_same_v<T, quint8>)
                v = parseByte(text);
            else
                v = parseInt32(text);
            if (!v)
                return false;
            s.*member = *v;
            return true;
        },
        f.member);
}

bool pathExists(const QString &path, PathKind kind)
{
    if (path.isEmpty())
        return false;
    const QFileInfo fi(path);
    if (!fi.exists())
        return false;
    // A file is a regular one: a FIFO or a device would block or never end when read.
    return kind == PathKind::Folder ? fi.isDir() : fi.isFile();
}

} // namespace dv
