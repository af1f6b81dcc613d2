// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tray's popup menu.

#include <QAction>
#include <QMenu>
#include <array>
#include <functional>

namespace dv {

class PopupMenu final : public QObject {
    Q_OBJECT
public:
    explicit PopupMenu(QObject *parent = nullptr);
    ~PopupMenu() override;

    QMenu *menu() const { return m_menu; }
    // Exactly one placement item carries the check mark.
    void setPlaceChecks(int place);
    QAction *placeAction(int place) const { return m_place.at(size_t(place)); }

    std::function<void()> onSetup, onHelp, onAbout, onTimeSet, onEnd;
    std::function<void(int)> onPlace;

private:
    QMenu *m_menu;
    std::array<QAction *, 5> m_place{};
    int m_placeShown = 0;
};

} // namespace dv
