// SPDX-License-Identifier: GPL-3.0-or-later
#include "interaction/AboutBox.h"

#include "resources/Art.h"
#include "resources/Texts.h"
#include "platform/WindowCentre.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace dv {

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
    QFont big = label("Label2", text::aboutName())->font();
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
    centreOnScreen(this);
}

} // namespace dv
