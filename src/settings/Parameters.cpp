// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/Parameters.h"

#include <QFileInfo>

namespace dv {

Parameters::Parameters(SettingsStore &store, const QString &appDir)
    : m_store(store)
    , m_appDir(appDir)
    , m_working(Settings::defaults(appDir))
    , m_saved(m_working)
{
}

void Parameters::load()
{
    m_kept.clear();
    m_newerStored.clear();
    m_working = Settings::defaults(m_appDir);
    for (const SettingField &f : settingFields()) {
        const QString key = QString::fromLatin1(f.key);
        if (const std::optional<QString> stored = m_store.read(key)) {
            setFieldFromText(m_working, f, *stored);
            if (f.newer)
                m_newerStored.append(key);
        }
    }
    // The defaults name files beside the program. Run from a clone and then
    // installed, the store still points into the clone: once that is gone, the
    // program's own files are the ones where it runs now. A path the user
    // chose elsewhere, or one still there, stays as it is.
    const Settings here = Settings::defaults(m_appDir);
    const QString signal = QFileInfo(here.hourChimeFile).fileName();
    const QString oldDir = QFileInfo(m_working.hourChimeFile).path();
    if (QFileInfo(m_working.hourChimeFile).fileName() == signal && oldDir != m_appDir
        && !pathExists(m_working.hourChimeFile, PathKind::File)) {
        if (m_working.slideshowFolder == oldDir && !pathExists(oldDir, PathKind::Folder))
            m_working.slideshowFolder = here.slideshowFolder;
        m_working.hourChimeFile = here.hourChimeFile;
    }
    backup();
}

QString Parameters::kept(QString Settings::*field) const
{
    for (const auto &[f, stored] : m_kept)
        if (f == field)
            return stored;
    return {};
}

void Parameters::settleKept(Settings &edited)
{
    m_kept.removeIf([&edited](const auto &k) {
        if (edited.*k.first != k.second)
            return true;
        edited.*k.first = QString(); // still missing: not in use this run
        return false;
    });
}

void Parameters::keepStored(QString Settings::*field, const QString &stored)
{
    m_kept.append({field, stored});
}

bool Parameters::save()
{
    Settings out = m_working;
    // A field given a new value lets go of its stored path for good.
    m_kept.removeIf([this](const auto &k) { return !(m_working.*k.first).isEmpty(); });
    for (const auto &[field, stored] : m_kept)
        out.*field = stored;
    const Settings defaults = Settings::defaults(m_appDir);
    QList<QPair<QString, QString>> values;
    QStringList newer;
    for (const SettingField &f : settingFields()) {
        const QString key = QString::fromLatin1(f.key);
        const QString text = fieldText(out, f);
        if (f.newer) {
            if (!m_newerStored.contains(key) && text == fieldText(defaults, f))
                continue; // absent reads as this default: the store stays as it was
            newer.append(key);
        }
        values.append({key, text});
    }
    m_unsaved = !m_store.writeAll(values);
    if (m_unsaved)
        return false;
    m_newerStored = newer;
    m_saved = out; // the store's values, kept paths included
    return true;
}

bool Parameters::saveField(const SettingMember &member)
{
    const SettingField &f = settingField(member);
    const QString key = QString::fromLatin1(f.key);
    if (!m_store.writeAll({{key, fieldText(m_working, f)}})) {
        m_unsaved = true;
        return false;
    }
    if (f.newer && !m_newerStored.contains(key))
        m_newerStored.append(key);
    std::visit([this](auto m) { m_saved.*m = m_working.*m; }, member);
    return true;
}

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

AlarmTimes deriveAlarmTimes(const Settings &s)
{
    // Read as the dialog reads a field: "7:30" is 07:30; what it would refuse
    // can never ring, and is said so rather than kept silently.
    AlarmTimes t;
    auto take = [&t, &s](QString Settings::*field) {
        const QString &stored = s.*field;
        const QString time = completeTime(stored);
        if (time.isEmpty())
            return QString();
        if (timeRejected(time)) {
            t.neverRing.append(QString::fromLatin1(settingField(field).key) + QLatin1Char('=') + stored);
            return QString();
        }
        return time + QStringLiteral(":00");
    };
    for (size_t i = 0; i < kAlarmSettings.size(); ++i) {
        t.alarm[i] = take(kAlarmSettings[i].time);
        t.days[i] = alarmDays(s, int(i));
        t.wake[i] = s.*kAlarmSettings[i].wake;
        t.skipHolidays[i] = s.*kAlarmSettings[i].skipHolidays;
        if (t.days[i] == 0)
            t.alarm[i].clear(); // off: the stored time stays for when it is on again
        if (!t.alarm[i].isEmpty())
            t.check += 1 << i;
    }
    t.shutdown = take(&Settings::shutdownTime);
    DaysOffRead off = readDaysOff(s.daysOff);
    t.daysOff = std::move(off.days);
    t.badDaysOff = std::move(off.bad);
    return t;
}

} // namespace dv
