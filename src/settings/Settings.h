// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The forty user settings, their defaults, stored texts and the per-user store.

#include "resources/Texts.h"

#include <QString>
#include <QList>
#include <QPair>
#include <array>
#include <optional>
#include <variant>

namespace dv {

// A stored Boolean keeps the number it was read as: 16-bit, true -1 and false 0,
// so that settings files written by earlier versions read the same; any non-zero
// value tests true. Only `CharPattern` is ever compared with StoredTrue itself.
using StoredBool = qint16;
inline constexpr StoredBool StoredTrue = -1;
inline constexpr StoredBool StoredFalse = 0;

struct Settings {
    qint32 FormTop = 0;  // twips
    qint32 FormLeft = 0; // twips
    QString BackImage;
    StoredBool DrawSecond = StoredTrue;
    StoredBool TopMost = StoredFalse;
    StoredBool Jihou = StoredTrue;
    StoredBool Transparent = StoredFalse;
    StoredBool ShadowFlag = StoredFalse;
    StoredBool DrawChar = StoredTrue;
    StoredBool SlideBmp = StoredFalse;
    QString BmpDirectory; // default: the program's folder
    QString SlideTime = text::SlideTimeDefault;
    StoredBool OnMouseToHide = StoredFalse;
    StoredBool Mag2Flag = StoredFalse;
    StoredBool DrawFrameFlag = StoredTrue;
    qint32 ClockSize = 240; // pixels
    StoredBool CharPattern = StoredFalse;
    quint8 FormPlace = 0;
    quint8 SlideGrafix = 7;
    qint32 HourColor = 0; // colours are 0x00BBGGRR
    qint32 MinuteColor = 0;
    qint32 SecondColor = 0;
    qint32 CharColor = 0;
    qint32 BoardColor = 16777215;
    qint32 FrameColor = 0;
    QString AlarmTime1;
    QString AlarmTime2;
    QString AlarmTime3;
    QString AlarmSound1;
    QString AlarmSound2;
    QString AlarmSound3;
    QString AlarmMessage1;
    QString AlarmMessage2;
    QString AlarmMessage3;
    QString ShutDownTime;
    StoredBool MustShutDown = StoredFalse;
    float OffsetTime = 0.0f; // hours.minutes
    QString Jihou00File;     // default: kChimeFile in the program's folder
    QString Jihou30File;
    StoredBool Jihou30 = StoredFalse;

    bool operator==(const Settings &) const = default;

    // The record an empty store gives; two defaults depend on the program's folder.
    static Settings defaults(const QString &appDir);
};

// The three alarms' settings, in alarm order: the one table every part of the
// clock walks instead of naming AlarmTime1..3 and their sounds and messages.
struct AlarmSettings {
    QString Settings::*time;
    QString Settings::*sound;
    QString Settings::*message;
};
inline constexpr std::array<AlarmSettings, 3> kAlarmSettings = {{
    {&Settings::AlarmTime1, &Settings::AlarmSound1, &Settings::AlarmMessage1},
    {&Settings::AlarmTime2, &Settings::AlarmSound2, &Settings::AlarmMessage2},
    {&Settings::AlarmTime3, &Settings::AlarmSound3, &Settings::AlarmMessage3},
}};

using SettingMember = std::variant<qint32 Settings::*, StoredBool Settings::*, QString Settings::*, quint8 Settings::*,
                                   float Settings::*>;
// The longest text each kind of field takes: a time hh:mm, a path as long as
// the system allows, a short alarm message, an interval label as typed. The
// store must read back whatever the dialogs let through.
inline constexpr int kTimeChars = 5;
inline constexpr int kPathChars = 4096;
inline constexpr int kMessageChars = 80;
inline constexpr int kIntervalChars = 16;

struct SettingField {
    const char *key;
    SettingMember member;
    int maxChars = 0;         // texts only: the longest the dialogs let through
    bool quitCompares = true; // the quit's question asks when it differs from the saved copy
};

// All forty keys in the order in which they are loaded and saved.
const std::array<SettingField, 40> &settingFields();
// The row of one setting.
const SettingField &settingField(QString Settings::*member);

// Stored texts.
QString boolText(StoredBool v);
QString floatText(float v);
std::optional<StoredBool> parseBool(const QString &text);
std::optional<qint32> parseInt32(const QString &text);
std::optional<quint8> parseByte(const QString &text);
std::optional<float> parseFloat(const QString &text);

QString fieldText(const Settings &s, const SettingField &f);
// Converts `text` into the field; false (and the field untouched) when it cannot.
bool setFieldFromText(Settings &s, const SettingField &f, const QString &text);

// The one file or folder test. Empty names and wildcards are never found.
enum class PathKind { File, Folder };
bool pathExists(const QString &path, PathKind kind);

} // namespace dv
