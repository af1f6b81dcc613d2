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
    m_working = Settings::defaults(m_appDir);
    for (const SettingField &f : settingFields()) {
        if (const std::optional<QString> stored = m_store.read(QString::fromLatin1(f.key)))
            setFieldFromText(m_working, f, *stored);
    }
    // The defaults name files beside the program. Run from a clone and then
    // installed, the store still points into the clone: once that is gone, the
    // program's own files are the ones where it runs now. A path the user
    // chose elsewhere, or one still there, stays as it is.
    const Settings here = Settings::defaults(m_appDir);
    const QString signal = QFileInfo(here.Jihou00File).fileName();
    const QString oldDir = QFileInfo(m_working.Jihou00File).path();
    if (QFileInfo(m_working.Jihou00File).fileName() == signal && oldDir != m_appDir
        && !pathExists(m_working.Jihou00File, PathKind::File)) {
        if (m_working.BmpDirectory == oldDir && !pathExists(oldDir, PathKind::Folder))
            m_working.BmpDirectory = here.BmpDirectory;
        m_working.Jihou00File = here.Jihou00File;
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
    QList<QPair<QString, QString>> values;
    for (const SettingField &f : settingFields())
        values.append({QString::fromLatin1(f.key), fieldText(out, f)});
    if (!m_store.writeAll(values))
        return false;
    m_saved = out; // the store's values, kept paths included
    return true;
}

AlarmTimes deriveAlarmTimes(const Settings &s)
{
    AlarmTimes t;
    for (size_t i = 0; i < kAlarmSettings.size(); ++i) {
        const QString &time = s.*kAlarmSettings[i].time;
        if (!time.isEmpty()) {
            t.alarm[i] = time + QStringLiteral(":00");
            t.check += 1 << i;
        }
    }
    if (!s.ShutDownTime.isEmpty())
        t.shutdown = s.ShutDownTime + QStringLiteral(":00");
    return t;
}

} // namespace dv
