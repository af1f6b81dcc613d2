// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DesktopNotifications.h"

#include "resources/Texts.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QVariantMap>

#include <limits>

namespace dv {

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
const QString kStop = QStringLiteral("stop");
const QString kSnooze = QStringLiteral("snooze");
constexpr int kNoTimeout = std::numeric_limits<int>::max(); // the bus library's "wait for ever"
} // namespace

DesktopNotifications::DesktopNotifications(QObject *parent)
    : QObject(parent)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    m_connected = true;
    bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                SLOT(onActionInvoked(quint32, QString)));
    bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                SLOT(onClosed(quint32, quint32)));
}

void DesktopNotifications::alarm(const QString &summary, const QString &body)
{
    withdrawAlarm();
    send(summary, body, true);
}

void DesktopNotifications::missed(const QString &body)
{
    send(text::AppTitle, body, false);
}

void DesktopNotifications::send(const QString &summary, const QString &body, bool withActions)
{
    if (!m_connected)
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    const QStringList actions = withActions ? QStringList{kStop, text::StopAlarm, kSnooze, text::Snooze}
                                            : QStringList();
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(2))); // critical
    call << QStringLiteral("Dialvane") << quint32(0) << QStringLiteral("dialvane") << summary << body << actions
         << hints << qint32(0);
    // Asked without waiting: a service that is slow or missing holds nothing
    // up. Nor is it given up on: a notification shown after a time-out would
    // never be closed, and an alarm's is critical and stays until it is.
    auto *watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call, kNoTimeout), this);
    const quint64 sent = withActions ? ++m_sent : 0;
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, sent] {
        watcher->deleteLater();
        const QDBusPendingReply<quint32> reply = *watcher;
        if (reply.isError() || !sent)
            return;
        if (sent == m_sent) {
            m_alarmId = reply.value();
            return;
        }
        // The alarm was stopped before the service answered.
        QDBusMessage close = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                            QStringLiteral("CloseNotification"));
        close << reply.value();
        QDBusConnection::sessionBus().asyncCall(close);
    });
}

void DesktopNotifications::withdrawAlarm()
{
    ++m_sent; // one still on its way is closed when it arrives
    if (!m_connected || m_alarmId == 0)
        return;
    QDBusMessage close = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                        QStringLiteral("CloseNotification"));
    close << m_alarmId;
    m_alarmId = 0;
    QDBusConnection::sessionBus().asyncCall(close);
}

void DesktopNotifications::onActionInvoked(quint32 id, const QString &action)
{
    if (id == 0 || id != m_alarmId || (action != kStop && action != kSnooze))
        return;
    m_alarmId = 0;
    emit actionChosen(action == kSnooze);
}

void DesktopNotifications::onClosed(quint32 id, quint32)
{
    // Dismissed on the desktop: the stop window still stands.
    if (id == m_alarmId)
        m_alarmId = 0;
}

} // namespace dv
