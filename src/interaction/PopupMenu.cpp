// SPDX-License-Identifier: GPL-3.0-or-later
#include "interaction/PopupMenu.h"

#include "resources/Texts.h"

namespace dv {

PopupMenu::PopupMenu(QObject *parent)
    : QObject(parent)
    , m_menu(std::make_unique<QMenu>())
{
    m_menu->setObjectName(QStringLiteral("mnuPopup"));
    auto add = [this](QMenu *to, const char *name, const QString &caption, void (PopupMenu::*chosen)()) {
        QAction *a = to->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, chosen);
        return a;
    };
    auto sep = [](QMenu *to, const char *name) { to->addSeparator()->setObjectName(QString::fromLatin1(name)); };

    QAction *setup = add(m_menu.get(), "mnuPopupSetup", text::MenuSetup, &PopupMenu::setupChosen);
    m_menu->setDefaultAction(setup); // drawn bold
    add(m_menu.get(), "mnuPopupHelp", text::MenuHelp, &PopupMenu::helpChosen);
    add(m_menu.get(), "mnuPopupAbout", text::MenuAbout, &PopupMenu::aboutChosen);
    sep(m_menu.get(), "mnuPopupSep1");
    add(m_menu.get(), "mnuPopupTimeSet", text::MenuTimeSet, &PopupMenu::timeSetChosen);
    sep(m_menu.get(), "mnuPopupSep2");
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
            emit placeChosen(i);
        });
        m_place[size_t(i)] = a;
    }
    sep(m_menu.get(), "mnuPopupSep3");
    add(m_menu.get(), "mnuPopupEnd", text::MenuEnd, &PopupMenu::endChosen);
}

void PopupMenu::setPlaceChecks(int place)
{
    m_placeShown = place;
    for (int i = 0; i < 5; ++i)
        m_place[size_t(i)]->setChecked(i == place);
}

} // namespace dv
