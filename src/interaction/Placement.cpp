// Placement, dragging and the tray menu's own actions.

#include "app/Clock.h"

#include <cmath>

namespace dv {

void Clock::SetFormPlace()
{
    const QSize screen = p.screen.sizePx();
    const QRect r = p.window.screenRect();
    // Corners of the whole screen, in pixels; the window is square.
    const int right = screen.width() - scale.d;
    const int bottom = screen.height() - scale.d;
    switch (settings.FormPlace) {
    case 0: break;
    case 1: p.window.movePx(0, 0); break;
    case 2: p.window.movePx(0, bottom); break;
    case 3: p.window.movePx(right, 0); break;
    case 4: p.window.movePx(right, bottom); break;
    default: settings.FormPlace = 0; break;
    }
    ui.setPlaceChecks(settings.FormPlace);
    const QRect now = settings.FormPlace == 0 ? r : p.window.screenRect();
    settings.FormTop = twipsToWhole(now.top() * MulY);
    settings.FormLeft = twipsToWhole(now.left() * MulX);
    SetFormRect();
}

void Clock::Form_MouseDown(int Button)
{
    if (Button & 1) {
        if (settings.FormPlace != 0)
            return; // pinned to a corner
        p.window.dragMove();
        if (settings.Transparent) {
            p.timer.setEnabled(false);
            p.pump.yield();
            GetDesktopImage();
            p.timer.setEnabled(true);
        }
        const QRect r = p.window.screenRect();
        settings.FormTop = twipsToWhole(r.top() * MulY);
        settings.FormLeft = twipsToWhole(r.left() * MulX);
        SetFormRect();
        SaveParameter();
    } else if (Button & 2) {
        ui.openSettings(true);
    }
}

void Clock::menuPlace(int place)
{
    settings.FormPlace = quint8(place);
    if (place != 0)
        p.window.hideNoActivate(); // the next tick shows it in its corner
    SetFormPlace();
    SaveParameter();
}

void Clock::mnuPopupHelp()
{
    p.launcher.openFile(p.appDir + QStringLiteral("/DIALVANE.html"));
}

void Clock::mnuPopupTimeSet()
{
    // The desktop's own date and time settings, whichever is installed.
    p.launcher.startFirst({
        {QStringLiteral("gnome-control-center"), QStringLiteral("datetime")},
        {QStringLiteral("systemsettings"), QStringLiteral("kcm_clock")},
        {QStringLiteral("kcmshell6"), QStringLiteral("kcm_clock")},
        {QStringLiteral("kcmshell5"), QStringLiteral("clock")},
        {QStringLiteral("cinnamon-settings"), QStringLiteral("calendar")},
        {QStringLiteral("mate-time-admin")},
        {QStringLiteral("time-admin")},
        {QStringLiteral("lxqt-admin-time")},
        {QStringLiteral("xfce4-datetime-settings")},
    });
}

} // namespace dv
