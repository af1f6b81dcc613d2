// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Platform.h"

#include <QObject>
#include <QSystemTrayIcon>

namespace dv {

// The notification-area icon; its clicks reach the clock as tray events.
class SystemTray final : public QObject, public Tray {
    Q_OBJECT
public:
    explicit SystemTray(QObject *parent = nullptr);
    void add(const QString &tip) override;
    void modify(const QString &tip) override;
    void remove() override;
    bool hosted() const override { return QSystemTrayIcon::isSystemTrayAvailable(); }
    QSystemTrayIcon *icon() const { return m_icon; }
    // While held, an added icon is made only when let go. Making it asks the
    // session bus for a tray host and waits for the answer: the clock's
    // window goes up first.
    void hold(bool on);

    static TrayEvent eventFor(QSystemTrayIcon::ActivationReason reason);

signals:
    void activated(dv::TrayEvent event);

private:
    void make();
    QSystemTrayIcon *m_icon = nullptr;
    bool m_held = false;
    bool m_wanted = false; // added and not removed
    QString m_tip;
};

} // namespace dv
