// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/DialogParts.h"

#include "face/FacePainter.h"
#include "face/PictureFiles.h"
#include "resources/Texts.h"

#include <QDialog>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>

namespace dv {

namespace {
class LeaveWatch final : public QObject {
public:
    LeaveWatch(QLineEdit *field, std::function<void()> left)
        : QObject(field)
        , m_left(std::move(left))
    {
        field->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::FocusOut) {
            const Qt::FocusReason r = static_cast<QFocusEvent *>(e)->reason();
            if (r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason && r != Qt::MenuBarFocusReason)
                m_left();
        }
        return false;
    }

private:
    std::function<void()> m_left;
};
} // namespace

void onFieldLeft(QLineEdit *field, std::function<void()> left)
{
    new LeaveWatch(field, std::move(left));
}

Swatch::Swatch(QWidget *parent)
    : QFrame(parent)
{
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    setMinimumSize(40, 20);
    setCursor(Qt::PointingHandCursor);
}

void Swatch::setColor(quint32 bgr)
{
    m_color = bgr & 0xFFFFFF;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colorFromBgr(m_color));
    setPalette(pal);
}

QString chooserFolder(const QString &current, QStandardPaths::StandardLocation fallback)
{
    if (!current.isEmpty()) {
        const QFileInfo file(current);
        if (file.isAbsolute() && file.dir().exists())
            return file.absolutePath();
    }
    // Without an XDG entry Qt names ~/Pictures or ~/Music whether or not it is there.
    const QString xdg = QStandardPaths::writableLocation(fallback);
    return !xdg.isEmpty() && QFileInfo(xdg).isDir() ? xdg : QDir::homePath();
}

FileChoice pictureChoice(const QString &current)
{
    return {text::OpenPicture, pictureFilters(), QStringLiteral("bmp"),
            chooserFolder(current, QStandardPaths::PicturesLocation)};
}

FileChoice soundChoice(const QString &current)
{
    return {text::OpenSound,
            {text::SoundFilter},
            QStringLiteral("wav"),
            chooserFolder(current, QStandardPaths::MusicLocation)};
}

void chooseInto(Choosers &choose, const FileChoice &choice, QLineEdit *field)
{
    if (const std::optional<QString> f = choose.openFile(choice))
        field->setText(*f);
}

void fitToScreen(QDialog *d)
{
    QLayout *content = d->layout();
    if (!content)
        return;
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    // Room for the window manager's frame and caption, and for a panel.
    const QSize room(area.width() - 16, area.height() - 2 * d->fontMetrics().height() - 30);
    const QSize want = content->sizeHint().expandedTo(content->minimumSize());
    if (want.width() <= room.width() && want.height() <= room.height()) {
        content->setSizeConstraint(QLayout::SetFixedSize);
        return;
    }
    // The content moves, with its widgets, into the scroll area's page.
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("dialogPage"));
    page->setLayout(content);
    auto *scroll = new QScrollArea(d);
    scroll->setObjectName(QStringLiteral("dialogScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(page);
    const int bar = scroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll);
    scroll->setFixedSize(std::min(want.width() + bar, room.width()), std::min(want.height() + bar, room.height()));
    auto *outer = new QVBoxLayout(d);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    outer->setSizeConstraint(QLayout::SetFixedSize);
}

QPushButton *newButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QLineEdit *newField(QWidget *parent, const char *name, QString Settings::*setting)
{
    auto *f = new QLineEdit(parent);
    f->setObjectName(QString::fromLatin1(name));
    f->setMaxLength(settingField(setting).maxChars);
    return f;
}

QLabel *newLabel(QWidget *parent, const QString &caption)
{
    return new QLabel(caption, parent);
}

} // namespace dv
