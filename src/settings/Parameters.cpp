#include "settings/Parameters.h"

namespace dv {

Parameters::Parameters(SettingsStore &store, const QString &appDir)
    : m_store(store), m_appDir(appDir), m_working(Settings::defaults(appDir)), m_saved(m_working)
{
}

void Parameters::load()
{
    m_working = Settings::defaults(m_appDir);
    for (const SettingField &f : settingFields()) {
        if (const std::optional<QString> stored = m_store.read(QString::fromLatin1(f.key)))
            setFieldFromText(m_working, f, *stored);
    }
    backup();
}

bool Parameters::save()
{
    QList<QPair<QString, QString>> values;
    for (const SettingField &f : settingFields())
        values.append({QString::fromLatin1(f.key), fieldText(m_working, f)});
    if (!m_store.writeAll(values))
        return false;
    backup();
    return true;
}

AlarmTimes deriveAlarmTimes(const Settings &s)
{
    AlarmTimes t;
    const QString *times[] = {&s.AlarmTime1, &s.AlarmTime2, &s.AlarmTime3};
    for (int i = 0; i < 3; ++i) {
        if (!times[i]->isEmpty()) {
            t.alarm[size_t(i)] = *times[i] + QStringLiteral(":00");
            t.check += 1 << i;
        }
    }
    if (!s.ShutDownTime.isEmpty())
        t.shutdown = s.ShutDownTime + QStringLiteral(":00");
    return t;
}

} // namespace dv
