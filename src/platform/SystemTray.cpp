#include "platform/SystemTray.h"

#include "resources/Art.h"

namespace dv {

SystemTray::SystemTray(QObject *parent)
    : QObject(parent)
{
}

TrayEvent SystemTray::eventFor(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Context: return TrayEvent::MenuRequest;
    case QSystemTrayIcon::DoubleClick: return TrayEvent::DateTimeRequest;
    default: return TrayEvent::None; // single clicks do nothing
    }
}

void SystemTray::add(const QString &tip)
{
    if (!m_icon) {
        m_icon = new QSystemTrayIcon(clockIcon(), this);
        m_icon->setObjectName(QStringLiteral("trayIcon"));
        connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
            if (activated)
                activated(eventFor(r));
        });
    }
    m_icon->setToolTip(tip);
    // Shown even before a tray host runs: it docks when one starts.
    m_icon->show();
}

void SystemTray::modify(const QString &tip)
{
    if (m_icon)
        m_icon->setToolTip(tip);
}

void SystemTray::remove()
{
    if (m_icon) {
        m_icon->hide();
        delete m_icon;
        m_icon = nullptr;
    }
}

} // namespace dv
