// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user settings, their defaults, stored texts and the per-user store.

#include "resources/Texts.h"

#include <QList>
#include <QPair>
#include <QString>

#include <algorithm>
#include <array>
#include <optional>
#include <variant>

namespace dv {

// A stored Boolean is 16-bit, true -1 and false 0, so that settings files
// written by earlier versions read the same; any non-zero value tests true.
// The settings hold plain bools, except the numerals' choice, which only
// StoredTrue itself makes.
using StoredBool = qint16;
inline constexpr StoredBool StoredTrue = -1;
inline constexpr StoredBool StoredFalse = 0;

// Where the clock is pinned. Another stored number stays as stored until the
// placement reads it as Free.
enum class Corner : quint8 { Free = 0, TopLeft = 1, BottomLeft = 2, TopRight = 3, BottomRight = 4 };

inline constexpr quint8 kEveryDay = 127;
inline constexpr qint32 kSnoozeMinutesDefault = 5;
inline constexpr qint32 kRingMinutesDefault = 10;
inline constexpr qint32 kAlarmMinutesMax = 60; // snooze and ring length: 1 to 60 minutes
inline constexpr qint32 kVolumeMax = 100;      // an alarm's volume in percent, 0 to 100
inline constexpr qint32 kFadeInSecsMax = 300;  // its rise from silence: 0 (none) to 5 minutes

struct Settings {
    // The window's top left in twips, as stored: the placement converts them
    // with each screen axis's own factor, and the store saves back the number
    // it read, off the 15 grid or not.
    qint32 topTwips = 0;
    qint32 leftTwips = 0;
    QString boardPicture;
    bool secondHand = true;
    bool onTop = false;
    bool hourChime = true;
    bool transparentBoard = false;
    bool shadows = false;
    bool hourMarks = true;
    bool slideshow = false;
    QString slideshowFolder; // default: the program's folder
    QString slideInterval = text::SlideTimeDefault;
    bool hideUnderPointer = false;
    bool freeSize = false; // clockSize holds; otherwise 120 pixels
    bool frameRing = true;
    qint32 clockSize = 240;                 // pixels
    StoredBool romanNumerals = StoredFalse; // only StoredTrue picks them
    Corner corner = Corner::Free;
    quint8 slideshowFormats = 7; // bit mask of picture formats
    qint32 hourColour = 0;       // colours are 0x00BBGGRR
    qint32 minuteColour = 0;
    qint32 secondColour = 0;
    qint32 marksColour = 0;
    qint32 boardColour = 16777215;
    qint32 frameColour = 0;
    QString alarmTime1;
    QString alarmTime2;
    QString alarmTime3;
    QString alarmSound1;
    QString alarmSound2;
    QString alarmSound3;
    QString alarmMessage1;
    QString alarmMessage2;
    QString alarmMessage3;
    QString shutdownTime;
    bool forceShutdown = false;
    float timeOffset = 0.0f; // hours.minutes
    QString hourChimeFile;   // default: kChimeFile in the program's folder
    QString halfHourChimeFile;
    bool halfHourChime = false;
    // Each alarm's days (Monday 1 ... Sunday 64; 0: off, its time kept), whether
    // it rings only once, its snooze and its ring length in minutes.
    quint8 alarmDays1 = kEveryDay;
    quint8 alarmDays2 = kEveryDay;
    quint8 alarmDays3 = kEveryDay;
    bool alarmOnce1 = false;
    bool alarmOnce2 = false;
    bool alarmOnce3 = false;
    qint32 alarmSnooze1 = kSnoozeMinutesDefault;
    qint32 alarmSnooze2 = kSnoozeMinutesDefault;
    qint32 alarmSnooze3 = kSnoozeMinutesDefault;
    qint32 alarmRingMinutes1 = kRingMinutesDefault;
    qint32 alarmRingMinutes2 = kRingMinutesDefault;
    qint32 alarmRingMinutes3 = kRingMinutesDefault;
    // Each alarm's volume in percent and the seconds its sound takes to rise to it.
    qint32 alarmVolume1 = kVolumeMax;
    qint32 alarmVolume2 = kVolumeMax;
    qint32 alarmVolume3 = kVolumeMax;
    qint32 alarmFadeIn1 = 0;
    qint32 alarmFadeIn2 = 0;
    qint32 alarmFadeIn3 = 0;
    // Whether each alarm wakes a suspended machine for its time.
    bool alarmWake1 = false;
    bool alarmWake2 = false;
    bool alarmWake3 = false;
    // Whether each alarm keeps quiet on national holidays and the days off,
    // and those days off, one list for all alarms (see DaysOff.h).
    bool alarmSkipHolidays1 = false;
    bool alarmSkipHolidays2 = false;
    bool alarmSkipHolidays3 = false;
    QString daysOff;

    bool operator==(const Settings &) const = default;

    // The record an empty store gives; two defaults depend on the program's folder.
    static Settings defaults(const QString &appDir);
};

inline constexpr int kAlarmCount = 3;

// The three alarms' settings, in alarm order: the one table every part of the
// clock walks instead of naming each alarm's time, sound and message.
struct AlarmSettings {
    QString Settings::*time;
    QString Settings::*sound;
    QString Settings::*message;
    quint8 Settings::*days;
    bool Settings::*once;
    qint32 Settings::*snooze;
    qint32 Settings::*ringMinutes;
    qint32 Settings::*volume;
    qint32 Settings::*fadeIn;
    bool Settings::*wake;
    bool Settings::*skipHolidays;
};
inline constexpr std::array<AlarmSettings, kAlarmCount> kAlarmSettings = {{
    {&Settings::alarmTime1, &Settings::alarmSound1, &Settings::alarmMessage1, &Settings::alarmDays1,
     &Settings::alarmOnce1, &Settings::alarmSnooze1, &Settings::alarmRingMinutes1, &Settings::alarmVolume1,
     &Settings::alarmFadeIn1, &Settings::alarmWake1, &Settings::alarmSkipHolidays1},
    {&Settings::alarmTime2, &Settings::alarmSound2, &Settings::alarmMessage2, &Settings::alarmDays2,
     &Settings::alarmOnce2, &Settings::alarmSnooze2, &Settings::alarmRingMinutes2, &Settings::alarmVolume2,
     &Settings::alarmFadeIn2, &Settings::alarmWake2, &Settings::alarmSkipHolidays2},
    {&Settings::alarmTime3, &Settings::alarmSound3, &Settings::alarmMessage3, &Settings::alarmDays3,
     &Settings::alarmOnce3, &Settings::alarmSnooze3, &Settings::alarmRingMinutes3, &Settings::alarmVolume3,
     &Settings::alarmFadeIn3, &Settings::alarmWake3, &Settings::alarmSkipHolidays3},
}};

// The days an alarm rings on; bits above Sunday's, set by hand, mean nothing.
inline quint8 alarmDays(const Settings &s, int i)
{
    return s.*kAlarmSettings[size_t(i)].days & kEveryDay;
}
// Snooze and ring length as used: a stored number out of 1 to 60 (edited by
// hand) is taken as the nearest end of that range, and saved back as it was.
inline qint32 alarmSnoozeMinutes(const Settings &s, int i)
{
    return std::clamp(s.*kAlarmSettings[size_t(i)].snooze, 1, kAlarmMinutesMax);
}
inline qint32 alarmRingMinutes(const Settings &s, int i)
{
    return std::clamp(s.*kAlarmSettings[size_t(i)].ringMinutes, 1, kAlarmMinutesMax);
}
// Volume and fade-in as used: a stored number out of range (edited by hand) is
// taken as the nearest end, and saved back as it was, like the minutes.
inline qint32 alarmVolume(const Settings &s, int i)
{
    return std::clamp(s.*kAlarmSettings[size_t(i)].volume, 0, kVolumeMax);
}
inline qint32 alarmFadeInSecs(const Settings &s, int i)
{
    return std::clamp(s.*kAlarmSettings[size_t(i)].fadeIn, 0, kFadeInSecsMax);
}

using SettingMember = std::variant<qint32 Settings::*, bool Settings::*, StoredBool Settings::*, QString Settings::*,
                                   quint8 Settings::*, Corner Settings::*, float Settings::*>;
// The longest text each kind of field takes: a time hh:mm, a path as long as
// the system allows, a short alarm message, an interval label as typed. The
// store must read back whatever the dialogs let through.
inline constexpr int kTimeChars = 5;
inline constexpr int kPathChars = 4096;
inline constexpr int kMessageChars = 80;
inline constexpr int kIntervalChars = 16;
inline constexpr int kDaysOffChars = 2000; // a year of single days, and more

struct SettingField {
    const char *key;
    SettingMember member;
    int maxChars = 0;         // texts only: the longest the dialogs let through
    bool quitCompares = true; // the quit's question asks when it differs from the saved copy
    // A key newer than the first stores: saved only when the store holds it or
    // its value is not the default, so that an older store writes back as it was.
    bool newer = false;
};

inline constexpr size_t kSettingCount = 65;
// All keys in the order in which they are loaded and saved.
const std::array<SettingField, kSettingCount> &settingFields();
// The row of one setting.
const SettingField &settingField(const SettingMember &member);

// Stored texts.
// A number as the store and the typed size take it: C locale, blanks around
// it allowed, finite only.
std::optional<double> parseNumber(const QString &text);
QString boolText(StoredBool v);
QString floatText(float v);
std::optional<StoredBool> parseBool(const QString &text);
std::optional<qint32> parseInt32(const QString &text);
std::optional<quint8> parseByte(const QString &text);
std::optional<float> parseFloat(const QString &text);

QString fieldText(const Settings &s, const SettingField &f);
// Converts `text` into the field; false (and the field untouched) when it cannot.
bool setFieldFromText(Settings &s, const SettingField &f, const QString &text);

// The one file or folder test. An empty name is never found; `?`, `*` and
// `[` are characters of the name like any other, no pattern.
enum class PathKind { File, Folder };
bool pathExists(const QString &path, PathKind kind);

} // namespace dv
