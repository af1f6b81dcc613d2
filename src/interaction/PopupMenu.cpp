// SPDX-License-Identifier: GPL-3.0-or-later
#include "interaction/PopupMenu.h"

#include "resources/ObjectNames.h"
#include "resources/Texts.h"

namespace dv {

PopupMenu::PopupMenu(QObject *parent)
    : QObject(parent)
    , m_menu(std::make_unique<QMenu>())
{
    auto add = [this](QMenu *to, const char *name, const QString &caption, void (PopupMenu::*chosen)()) {
        QAction *a = to->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, chosen);
        return a;
    };

    QAction *setup = add(m_menu.get(), id::settingsAction, text::MenuSetup, &PopupMenu::setupChosen);
    m_menu->setDefaultAction(setup); // drawn bold
    add(m_menu.get(), id::helpAction, text::MenuHelp, &PopupMenu::helpChosen);
    add(m_menu.get(), id::aboutAction, text::MenuAbout, &PopupMenu::aboutChosen);
    m_menu->addSeparator();
    add(m_menu.get(), id::dateTimeAction, text::MenuTimeSet, &PopupMenu::timeSetChosen);
    m_menu->addSeparator();
    QMenu *place = m_menu->addMenu(text::MenuPlace);
    place->menuAction()->setObjectName(QString::fromLatin1(id::placeAction));
    const char *names[] = {id::placeFree, id::placeTopLeft, id::placeBottomLeft, id::placeTopRight,
                           id::placeBottomRight};
    const QString captions[] = {text::MenuOld, text::MenuLeftTop, text::MenuLeftBottom, text::MenuRightTop,
                                text::MenuRightBottom};
    for (int i = 0; i < 5; ++i) {
        QAction *a = place->addAction(captions[i]);
        a->setObjectName(QString::fromLatin1(names[i]));
        a->setCheckable(true);
        // The marks follow the setting only; a click must not toggle one itself.
        connect(a, &QAction::triggered, this, [this, i] {
            setPlaceChecks(m_placeShown);
            emit placeChosen(i);
        });
        m_place[size_t(i)] = a;
    }
    m_menu->addSeparator();
    add(m_menu.get(), id::quitAction, text::MenuEnd, &PopupMenu::endChosen);
}

void PopupMenu::setPlaceChecks(int place)
{
    m_placeShown = place;
    for (int i = 0; i < 5; ++i)
        m_place[size_t(i)]->setChecked(i == place);
}

} // namespace dv
