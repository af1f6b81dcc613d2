#include "platform/SystemTray.h"

#include "resources/Art.h"

namespace dv {

SystemTray::SystemTray(QObject *parent)
    : QObject(parent)
{
}

int SystemTray::mouseMessage(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Context: return 517;
    case QSystemTrayIcon::DoubleClick: return 515;
    default: return 0; // single clicks do nothing
    }
}

void SystemTray::add(const QString &tip)
{
    if (!m_icon) {
        m_icon = new QSystemTrayIcon(clockIcon(), this);
        m_icon->setObjectName(QStringLiteral("trayIcon"));
        connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
            if (activated)
                activated(mouseMessage(r));
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
