#pragma once

#include "platform/Platform.h"

#include <QObject>
#include <QSystemTrayIcon>
#include <functional>

namespace dv {

// The notification-area icon. Its clicks reach the clock as the mouse messages
// of the stored program: 517 right button released, 515 left double-click.
class SystemTray final : public QObject, public Tray {
    Q_OBJECT
public:
    explicit SystemTray(QObject *parent = nullptr);
    void add(const QString &tip) override;
    void modify(const QString &tip) override;
    void remove() override;
    QSystemTrayIcon *icon() const { return m_icon; }

    static int mouseMessage(QSystemTrayIcon::ActivationReason reason);
    std::function<void(int)> activated;

private:
    QSystemTrayIcon *m_icon = nullptr;
};

} // namespace dv
