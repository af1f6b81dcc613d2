// SPDX-License-Identifier: GPL-3.0-or-later
#include "interaction/PopupMenu.h"

#include "resources/Texts.h"

namespace dv {

PopupMenu::PopupMenu(QObject *parent)
    : QObject(parent)
    , m_menu(new QMenu)
{
    m_menu->setObjectName(QStringLiteral("mnuPopup"));
    auto add = [this](QMenu *to, const char *name, const QString &caption, std::function<void()> *slot) {
        QAction *a = to->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, [slot] {
            if (*slot)
                (*slot)();
        });
        return a;
    };
    auto sep = [](QMenu *to, const char *name) { to->addSeparator()->setObjectName(QString::fromLatin1(name)); };

    QAction *setup = add(m_menu, "mnuPopupSetup", text::MenuSetup, &onSetup);
    m_menu->setDefaultAction(setup); // drawn bold
    add(m_menu, "mnuPopupHelp", text::MenuHelp, &onHelp);
    add(m_menu, "mnuPopupAbout", text::MenuAbout, &onAbout);
    sep(m_menu, "mnuPopupSep1");
    add(m_menu, "mnuPopupTimeSet", text::MenuTimeSet, &onTimeSet);
    sep(m_menu, "mnuPopupSep2");
    QMenu *place = m_menu->addMenu(text::MenuPlace);
    place->setObjectName(QStringLiteral("mnuPopupPlaceMenu"));
    place->menuAction()->setObjectName(QStringLiteral("mnuPopupPlace"));
    const char *names[] = {"mnuPopupOld", "mnuPopupLeftTop", "mnuPopupLeftBottom", "mnuPopupRightTop",
                           "mnuPopupRightBottom"};
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
    sep(m_menu, "mnuPopupSep3");
    add(m_menu, "mnuPopupEnd", text::MenuEnd, &onEnd);
}

PopupMenu::~PopupMenu()
{
    delete m_menu;
}

void PopupMenu::setPlaceChecks(int place)
{
    m_placeShown = place;
    for (int i = 0; i < 5; ++i)
        m_place[size_t(i)]->setChecked(i == place);
}

} // namespace dv
