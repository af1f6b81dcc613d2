// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Remote.h"

#include "platform/QSettingsStore.h"
#include "platform/SingleInstance.h"
#include "platform/XdgStateFile.h"
#include "resources/Texts.h"
#include "settings/Parameters.h"

#include <cstdio>
#include <cstring>

namespace dv {

RemoteCommand remoteCommand(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--stop") == 0)
            return RemoteCommand::Stop;
        if (std::strcmp(argv[i], "--snooze") == 0)
            return RemoteCommand::Snooze;
        if (std::strcmp(argv[i], "--next") == 0)
            return RemoteCommand::Next;
    }
    return RemoteCommand::None;
}

QString nextAlarmReport(const Settings &s, const NextAlarm &next, std::optional<bool> armed)
{
    QStringList messages;
    bool asks = false; // one of them asks to wake the machine
    for (int i = 0; i < kAlarmCount; ++i) {
        if (!(next.alarms & (1 << i)))
            continue;
        const QString message = s.*kAlarmSettings[size_t(i)].message;
        if (!message.isEmpty())
            messages << message;
        asks = asks || s.*kAlarmSettings[size_t(i)].wake;
    }
    // Only a running clock's armed timer wakes the machine: never claimed otherwise.
    using W = text::NextWake;
    const W wakes = !asks ? W::No : !armed ? W::NoClock : *armed ? W::Yes : W::NotArmed;
    return text::nextAlarmLines(next.at, messages, wakes, next.skipped);
}

int runRemoteCommand(RemoteCommand command, const QString &display, const QString &appDir)
{
    const SingleInstance clock(display);
    const QString method = command == RemoteCommand::Stop     ? QStringLiteral("Stop")
                           : command == RemoteCommand::Snooze ? QStringLiteral("Snooze")
                                                              : QStringLiteral("Next");
    const std::optional<QVariant> answer = clock.askRunning(method);
    if (command == RemoteCommand::Next) {
        QString lines = answer ? answer->toString() : QString();
        if (lines.isEmpty()) {
            // No clock (or one still starting): what the store says, as a clock would read it.
            QSettingsStore store;
            Parameters params(store, appDir);
            params.load();
            const Settings &s = params.working();
            const AlarmTimes times = deriveAlarmTimes(s);
            const QDateTime now = QDateTime::currentDateTime();
            NextAlarm next = nextAlarm(times, now);
            // A snooze the clock left when it ended is rung by its next start.
            QString problem;
            const std::optional<QByteArray> kept = XdgStateFile().read(problem);
            if (const std::optional<AlarmState> state = kept ? readAlarmState(*kept) : std::nullopt)
                takeSnoozes(next, *state, times, now.toSecsSinceEpoch());
            lines = nextAlarmReport(s, next, std::nullopt);
        }
        std::fputs(lines.toUtf8().constData(), stdout);
        return 0;
    }
    if (!answer) {
        std::fprintf(stderr, "%s\n", text::NoClockToAsk.toUtf8().constData());
        return 1;
    }
    if (!answer->toBool())
        std::fputs(text::NoAlarmRings.toUtf8().constData(), stdout);
    return 0;
}

} // namespace dv
