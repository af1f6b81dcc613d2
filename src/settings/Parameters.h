// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The working settings and their saved copies: what the clock runs on, and
// the store as it was last loaded or saved.

#include "platform/Platform.h"
#include "settings/DaysOff.h"
#include "settings/Settings.h"

#include <array>

namespace dv {

class Parameters {
public:
    Parameters(SettingsStore &store, const QString &appDir);

    Settings &working() { return m_working; }
    const Settings &working() const { return m_working; }
    const Settings &saved() const { return m_saved; }

    // Every key from the store; a text that does not convert leaves its own key
    // at the default. The program's own time signal and folder, stored while
    // it ran from another folder that is gone, follow it here. The saved
    // copies follow.
    void load();
    // Every key to the store at once. False when it could not be written:
    // nothing changed on disk and the saved copies stay, so the quit still
    // sees the unsaved change.
    bool save();
    // One setting's working value to the store at once, as the clock changes
    // it itself; the saved copy follows when it was written.
    bool saveField(const SettingMember &member);
    // A save or a field's save did not go through since the last that did:
    // the next save writes every key again.
    bool unsaved() const { return m_unsaved; }
    // The saved copies take the working values.
    void backup() { m_saved = m_working; }
    // Start-up empties a path whose file is missing (on a drive not mounted,
    // say) for this run only: while the field stays empty, a save writes the
    // stored path back rather than losing it.
    void keepStored(QString Settings::*field, const QString &stored);
    // The path kept for `field`, or nothing.
    QString kept(QString Settings::*field) const;
    // Settings edited in the dialog, whose fields show the kept paths: a field
    // that still shows its kept path stays empty in use and keeps the path; a
    // field emptied or given another path lets the kept one go.
    void settleKept(Settings &edited);
    QString location() const { return m_store.location(); }

private:
    SettingsStore &m_store;
    QString m_appDir;
    Settings m_working;
    Settings m_saved;
    QList<QPair<QString Settings::*, QString>> m_kept;
    QStringList m_newerStored; // the newer keys the store holds
    bool m_unsaved = false;
};

// A time field as typed: four characters get a leading zero ("7:30" -> "07:30").
QString completeTime(const QString &text);
// True when the text is not a time of day hh:mm (two ASCII digits each, 00:00
// to 23:59). The empty text is accepted: it switches the alarm off.
bool timeRejected(const QString &text);

// The alarm and shutdown compare texts ("hh:mm:00") the schedule looks for.
struct AlarmTimes {
    int check = 0;                                // bit i set: alarm i + 1 has a time and days
    std::array<QString, kAlarmCount> alarm;       // empty: no time, or off (no days)
    std::array<quint8, kAlarmCount> days{};       // Monday bit 0 ... Sunday bit 6
    std::array<bool, kAlarmCount> wake{};         // wakes a suspended machine for its time
    std::array<bool, kAlarmCount> skipHolidays{}; // quiet on national holidays and the days off
    DaysOff daysOff;
    QStringList badDaysOff; // each stored day off that does not read, ignored
    QString shutdown;
    QStringList neverRing; // "key=value" of each stored time that is no time of day
    bool operator==(const AlarmTimes &) const = default;
};
AlarmTimes deriveAlarmTimes(const Settings &s);

} // namespace dv
