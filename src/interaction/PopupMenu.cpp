#include "interaction/PopupMenu.h"

#include "resources/Art.h"
#include "resources/Texts.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace dv {

PopupMenu::PopupMenu(QObject *parent)
    : QObject(parent), m_menu(new QMenu)
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

void PopupMenu::setPlaceChecks(int formPlace)
{
    m_placeShown = formPlace;
    for (int i = 0; i < 5; ++i)
        m_place[size_t(i)]->setChecked(i == formPlace);
}

AboutBox::AboutBox(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(text::AboutCaption);
    setWindowIcon(clockIcon());
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto *layout = new QVBoxLayout(this);
    auto label = [&](const char *name, const QString &t) {
        auto *l = new QLabel(t, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setAlignment(Qt::AlignHCenter);
        layout->addWidget(l, 0, Qt::AlignHCenter);
        return l;
    };
    auto *icon = new QLabel(this);
    icon->setPixmap(QPixmap::fromImage(clockIconImage(32)));
    layout->addWidget(icon, 0, Qt::AlignHCenter);
    label("Label1", text::Subtitle);
    QFont big = label("Label2", text::AboutName)->font();
    big.setBold(true);
    findChild<QLabel *>(QStringLiteral("Label2"))->setFont(big);
    label("Label4", text::AboutDate);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutBox::centre()
{
    adjustSize();
    if (const QScreen *s = QGuiApplication::primaryScreen()) {
        const QRect g = s->geometry();
        move(g.x() + (g.width() - width()) / 2, g.y() + (g.height() - height()) / 2);
    }
}

} // namespace dv
