// Loading, saving and deriving the clock's settings.

#include "app/Clock.h"
#include "resources/Texts.h"

namespace dv {

void Clock::LoadParameter()
{
    const Settings d = Settings::defaults(p.appDir);
    settings = d;
    for (const SettingField &f : settingFields()) {
        const std::optional<QString> stored = p.store.read(QString::fromLatin1(f.key));
        // A text that does not convert leaves only its own key at the default.
        if (stored)
            setFieldFromText(settings, f, *stored);
    }
    BackVariable();
}

bool Clock::SaveParameter()
{
    QList<QPair<QString, QString>> values;
    for (const SettingField &f : settingFields())
        values.append({QString::fromLatin1(f.key), fieldText(settings, f)});
    if (!p.store.writeAll(values)) {
        // Nothing was stored, so the saved copies stay as they were and the
        // quit will offer to save again.
        showMessage(text::SaveFailed + text::CRLF + text::CRLF + text::PathArrow + p.store.location());
        return false;
    }
    BackVariable();
    return true;
}

void Clock::BackVariable()
{
    Org_ = settings;
}

void Clock::SetParameter()
{
    AlarmCheck = 0;
    const QString *times[] = {&settings.AlarmTime1, &settings.AlarmTime2, &settings.AlarmTime3};
    QString *alarms[] = {&Alarm1, &Alarm2, &Alarm3};
    for (int i = 0; i < 3; ++i) {
        if (!times[i]->isEmpty()) {
            *alarms[i] = *times[i] + QStringLiteral(":00");
            AlarmCheck += 1 << i;
        } else {
            alarms[i]->clear();
        }
    }
    ShutDown = settings.ShutDownTime.isEmpty() ? QString() : settings.ShutDownTime + QStringLiteral(":00");
}

} // namespace dv
