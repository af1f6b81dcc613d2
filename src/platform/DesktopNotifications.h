// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's notification service (org.freedesktop.Notifications on the
// session bus): an alarm that rings, and a list of missed alarms, are told
// there too, so that they are seen over a full-screen window or on another
// screen. Where no such service runs, nothing is shown and nothing waits.

#include <QObject>
#include <QString>

namespace dv {

class DesktopNotifications final : public QObject {
    Q_OBJECT
public:
    explicit DesktopNotifications(QObject *parent = nullptr);

    // Critical, until dismissed, with the stop and snooze actions; it
    // replaces the alarm's notification still shown.
    void alarm(const QString &summary, const QString &body);
    // Critical, without actions.
    void missed(const QString &body);
    // The alarm's notification goes: the alarm was stopped or snoozed here.
    void withdrawAlarm();

    quint32 alarmId() const { return m_alarmId; }

signals:
    // An action of the alarm's notification was chosen: true for snooze.
    void actionChosen(bool snooze);

private slots:
    void onActionInvoked(quint32 id, const QString &action);
    void onClosed(quint32 id, quint32 reason);

private:
    void send(const QString &summary, const QString &body, bool withActions);

    quint32 m_alarmId = 0;
    quint64 m_sent = 0; // alarm notifications sent; a late reply for an older one is closed at once
    bool m_connected = false;
};

} // namespace dv
