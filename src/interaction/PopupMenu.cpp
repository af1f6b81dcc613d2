// SPDX-License-Identifier: GPL-3.0-or-later
#include "interaction/PopupMenu.h"

#include "resources/ObjectNames.h"
#include "resources/Texts.h"

namespace dv {

PopupMenu::PopupMenu(QObject *parent)
    : QObject(parent)
    , m_menu(new QMenu)
{
    auto add = [this](QMenu *to, const char *name, const QString &caption, std::function<void()> *slot) {
        QAction *a = to->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, [slot] {
            if (*slot)
                (*slot)();
        });
        return a;
    };

    QAction *setup = add(m_menu, id::settingsAction, text::MenuSetup, &onSetup);
    m_menu->setDefaultAction(setup); // drawn bold
    add(m_menu, id::helpAction, text::MenuHelp, &onHelp);
    add(m_menu, id::aboutAction, text::MenuAbout, &onAbout);
    m_menu->addSeparator();
    add(m_menu, id::dateTimeAction, text::MenuTimeSet, &onTimeSet);
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
            if (onPlace)
                onPlace(i);
        });
        m_place[size_t(i)] = a;
    }
    m_menu->addSeparator();
    add(m_menu, id::quitAction, text::MenuEnd, &onEnd);
}

PopupMenu::~PopupMenu()
{
    delete m_menu;
}

void PopupMenu::setPlaceChecks(int formPlace)
{
    m_placeShown = formPlace;
    for (int i = 0; i < 5; ++i)
        m_place[size_t(i)]->setChecked(i == formPlace);
}

} // namespace dv
