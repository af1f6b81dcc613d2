#pragma once

#include "platform/Platform.h"

#include <QObject>
#include <QSystemTrayIcon>
#include <functional>

namespace dv {

// The notification-area icon; its clicks reach the clock as tray events.
class SystemTray final : public QObject, public Tray {
    Q_OBJECT
public:
    explicit SystemTray(QObject *parent = nullptr);
    void add(const QString &tip) override;
    void modify(const QString &tip) override;
    void remove() override;
    QSystemTrayIcon *icon() const { return m_icon; }

    static TrayEvent eventFor(QSystemTrayIcon::ActivationReason reason);
    std::function<void(TrayEvent)> activated;

private:
    QSystemTrayIcon *m_icon = nullptr;
};

} // namespace dv
