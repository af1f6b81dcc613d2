// SPDX-License-Identifier: GPL-3.0-or-later
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
    m_tip = tip;
    m_wanted = true;
    if (!m_held)
        make();
}

void SystemTray::hold(bool on)
{
    m_held = on;
    if (!on && m_wanted)
        make();
}

void SystemTray::make()
{
    if (!m_icon) {
        m_icon = new QSystemTrayIcon(clockIcon(), this);
        m_icon->setObjectName(QStringLiteral("trayIcon"));
        connect(m_icon, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason r) { emit activated(eventFor(r)); });
    }
    m_icon->setToolTip(m_tip);
    // Shown even before a tray host runs: it docks when one starts.
    m_icon->show();
}

void SystemTray::modify(const QString &tip)
{
    m_tip = tip;
    if (m_icon)
        m_icon->setToolTip(tip);
}

void SystemTray::remove()
{
    m_wanted = false;
    if (m_icon) {
        m_icon->hide();
        delete m_icon;
        m_icon = nullptr;
    }
}

} // namespace dv
