#include "settings/Parameters.h"

namespace dv {

Parameters::Parameters(SettingsStore &store, const QString &appDir)
    : m_store(store)
    , m_appDir(appDir)
    , m_working(Settings::defaults(appDir))
    , m_lastWindowRect(m_working)
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
    backup();
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
    backup();
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
