#include "platform/QtPlatform.h"

#include "platform/X11.h"
#include "resources/Texts.h"

#include <QApplication>
#include <QDesktopServices>
#include <QColorDialog>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <memory>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>

namespace dv {

QSize QtScreen::sizePx() const
{
    const QScreen *s = QGuiApplication::primaryScreen();
    return s ? s->geometry().size() : QSize(1024, 768);
}

QList<QRect> QtScreen::monitorsPx() const
{
    QList<QRect> rects;
    for (const QScreen *s : QGuiApplication::screens())
        rects.append(s->geometry());
    if (rects.isEmpty())
        rects.append(QRect(QPoint(0, 0), sizePx()));
    return rects;
}

double QtScreen::twipsPerPixelX() const
{
    const QScreen *s = QGuiApplication::primaryScreen();
    return s && s->logicalDotsPerInchX() > 0 ? 1440.0 / s->logicalDotsPerInchX() : 15.0;
}

double QtScreen::twipsPerPixelY() const
{
    const QScreen *s = QGuiApplication::primaryScreen();
    return s && s->logicalDotsPerInchY() > 0 ? 1440.0 / s->logicalDotsPerInchY() : 15.0;
}

QMessageBox *newMessageBox(QMessageBox::Icon icon, const QString &text, QMessageBox::StandardButtons buttons)
{
    auto *box = new QMessageBox(icon, text::AppTitle, text, buttons);
    box->setWindowFlag(Qt::WindowStaysOnTopHint);
    box->setTextFormat(Qt::PlainText);
    auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    if (!label)
        return box;
    const QFontMetrics fm(label->font());
    int longest = 0;
    for (const QString &line : text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r"))))
        longest = qMax(longest, fm.horizontalAdvance(line));
    const QScreen *screen = QGuiApplication::primaryScreen();
    const int limit = screen ? screen->availableGeometry().width() * 3 / 4 : 768;
    if (longest <= limit) {
        label->setMinimumWidth(longest);
    } else {
        // A long path has no spaces: let it break after each separator.
        QString breakable = text;
        breakable.replace(QLatin1Char('/'), QStringLiteral("/\u200B"));
        label->setText(breakable);
        label->setWordWrap(true);
        label->setMinimumWidth(limit);
    }
    return box;
}

static int runBox(QMessageBox::Icon icon, const QString &text, QMessageBox::StandardButtons buttons)
{
    std::unique_ptr<QMessageBox> box(newMessageBox(icon, text, buttons));
    return box->exec();
}

void QtMessageBoxes::inform(const QString &text)
{
    runBox(QMessageBox::NoIcon, text, QMessageBox::Ok);
}

bool QtMessageBoxes::ask(const QString &text, bool exclamation)
{
    return runBox(exclamation ? QMessageBox::Warning : QMessageBox::NoIcon, text, QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}

void QtMessageBoxes::beep()
{
    QApplication::beep();
}

std::optional<quint32> QtChoosers::color()
{
    const QColor c = QColorDialog::getColor(Qt::white, nullptr, QString());
    if (!c.isValid())
        return std::nullopt;
    return quint32(c.red()) | quint32(c.green()) << 8 | quint32(c.blue()) << 16;
}

QFileDialog *QtChoosers::newFileDialog(const FileChoice &choice)
{
    auto *d = new QFileDialog(nullptr, choice.title, choice.folder);
    // Qt's own dialog: its name filters follow the filter flags below, not the
    // file system, so "*.bmp" finds PHOTO.BMP too.
    d->setOption(QFileDialog::DontUseNativeDialog);
    d->setFileMode(QFileDialog::ExistingFile);
    d->setAcceptMode(QFileDialog::AcceptOpen);
    d->setNameFilters(choice.filters);
    d->setDefaultSuffix(choice.defaultSuffix);
    d->setFilter(QDir::AllEntries | QDir::AllDirs | QDir::NoDotAndDotDot);
    return d;
}

std::optional<QString> QtChoosers::openFile(const FileChoice &choice)
{
    std::unique_ptr<QFileDialog> d(newFileDialog(choice));
    if (d->exec() != QDialog::Accepted || d->selectedFiles().isEmpty())
        return std::nullopt;
    return d->selectedFiles().first();
}

void QtEventPump::yield()
{
    QCoreApplication::processEvents();
}

bool ProcessLauncher::startFirst(const QList<QStringList> &commandLines)
{
    for (const QStringList &cl : commandLines) {
        if (cl.isEmpty() || QStandardPaths::findExecutable(cl.first()).isEmpty())
            continue;
        if (QProcess::startDetached(cl.first(), cl.mid(1)))
            return true;
    }
    return false;
}

bool ProcessLauncher::openDateTimeSettings()
{
    // Whichever desktop's own date and time settings are installed.
    return startFirst({
        {QStringLiteral("gnome-control-center"), QStringLiteral("datetime")},
        {QStringLiteral("systemsettings"), QStringLiteral("kcm_clock")},
        {QStringLiteral("kcmshell6"), QStringLiteral("kcm_clock")},
        {QStringLiteral("kcmshell5"), QStringLiteral("clock")},
        {QStringLiteral("cinnamon-settings"), QStringLiteral("calendar")},
        {QStringLiteral("mate-time-admin")},
        {QStringLiteral("time-admin")},
        {QStringLiteral("lxqt-admin-time")},
        {QStringLiteral("xfce4-datetime-settings")},
    });
}

bool ProcessLauncher::openFile(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace dv
