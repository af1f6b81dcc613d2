// SPDX-License-Identifier: GPL-3.0-or-later
#include "interaction/AboutBox.h"

#include "platform/WindowCentre.h"
#include "resources/Art.h"
#include "resources/ObjectNames.h"
#include "resources/Texts.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace dv {

AboutBox::AboutBox(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
{
    setObjectName(QString::fromLatin1(id::aboutBox));
    setWindowTitle(text::AboutCaption);
    setWindowIcon(clockIcon());
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
    label(id::aboutSubtitle, text::Subtitle);
    QLabel *name = label(id::aboutName, text::aboutName());
    QFont big = name->font();
    big.setBold(true);
    name->setFont(big);
    label(id::aboutDate, text::AboutDate);
    label(id::aboutCopyright, text::AboutCopyright);
    label(id::aboutLicence, text::aboutLicence())->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label(id::aboutWarranty, text::NoWarranty);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QString::fromLatin1(id::okButton));
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
