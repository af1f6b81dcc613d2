// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One clock per user and display: a name on the session bus where there is
// one, and a lock in the user's runtime folder in any case.

#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>
#include <optional>

namespace dv {

class SingleInstance final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "jp.moku.Dialvane")
public:
    // `display`: the display the clock shows on ("" for none).
    explicit SingleInstance(const QString &display, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this process is now the clock of this display; false when
    // another one runs. Holds the claim until destroyed.
    bool claim();
    // Asks the running clock to open its settings; false when it cannot be asked.
    bool askRunningToOpenSettings();
    // Calls `method` (Stop, Snooze, Next) on the running clock of this display
    // without claiming anything: its answer, or nothing when there is no clock
    // to ask or it does not answer within a few seconds.
    std::optional<QVariant> askRunning(const QString &method) const;

    // What the command line asks of this clock, answered by its owner: true
    // when an alarm rang and was stopped or snoozed; the next alarm's lines.
    std::function<bool()> onStop, onSnooze;
    std::function<QString()> onNext;

    QString busName() const { return m_busName; }
    QString lockPath() const { return m_lockPath; }
    // The lock could not be made (a folder or a link in its place, no runtime
    // folder) and no name on a bus stands in for it: nothing keeps a second clock out.
    bool lockNotTaken() const { return m_lockNotTaken && !m_onBus; }

    // Without a session bus address the D-Bus library would start a bus of
    // its own for the display, which outlives the clock: this process (and
    // what it starts) is told there is none, unless the user's bus is at its
    // usual place. Call before anything connects.
    static void keepFromStartingABus();

signals:
    // A second start asked for the settings; emitted from the event loop.
    void openSettingsRequested();

public slots:
    Q_SCRIPTABLE void OpenSettings();
    Q_SCRIPTABLE bool Stop();
    Q_SCRIPTABLE bool Snooze();
    Q_SCRIPTABLE QString Next();

private:
    bool takeBusName();
    bool takeLock();

    QString m_busName;
    QString m_lockName; // in the runtime folder
    QString m_lockPath;
    int m_lockFd = -1;
    bool m_lockNotTaken = false;
    bool m_onBus = false;
};

} // namespace dv
