// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tray's popup menu.

#include <QAction>
#include <QMenu>

#include <array>
#include <memory>

namespace dv {

class PopupMenu final : public QObject {
    Q_OBJECT
public:
    explicit PopupMenu(QObject *parent = nullptr);

    QMenu *menu() const { return m_menu.get(); }
    // Exactly one placement item carries the check mark.
    void setPlaceChecks(int place);
    QAction *placeAction(int place) const { return m_place.at(size_t(place)); }

signals:
    void setupChosen();
    void helpChosen();
    void aboutChosen();
    void timeSetChosen();
    void placeChosen(int place);
    void endChosen();

private:
    std::unique_ptr<QMenu> m_menu; // a top-level widget: no QObject parent to own it
    std::array<QAction *, 5> m_place{};
    int m_placeShown = 0;
};

} // namespace dv
