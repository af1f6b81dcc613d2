// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtPlatform.h"

#include "platform/WindowSystem.h"
#include "platform/X11.h"
#include "resources/Texts.h"
#include "settings/Colour.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include <ctime>
#include <memory>
#include <utility>

namespace dv {

qint64 SystemTime::monotonicMsecs() const
{
    timespec ts{};
    clock_gettime(CLOCK_BOOTTIME, &ts);
    return qint64(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

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

QList<QRect> QtScreen::workAreasPx() const
{
    // Follows _NET_WORKAREA, which the window manager keeps from the panels' struts.
    QList<QRect> rects;
    for (const QScreen *s : QGuiApplication::screens())
        rects.append(s->availableGeometry());
    return rects.isEmpty() ? monitorsPx() : rects;
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
    QString lines = text;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (const QString &line : lines.split(QLatin1Char('\n')))
        longest = qMax(longest, fm.horizontalAdvance(line));
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const int limit = area.width() * 3 / 4;
    // At least as wide as the caption, with room for the frame's buttons.
    const int caption = fm.horizontalAdvance(text::AppTitle) + 8 * fm.height();
    if (longest <= limit) {
        label->setMinimumWidth(qMax(longest, caption));
        return box;
    }
    // A line wider than most of the screen wraps, and may break anywhere: a
    // path has no spaces, and some of its names no separators either.
    QString breakable;
    breakable.reserve(text.size() * 2);
    for (const QChar c : text) {
        breakable += c;
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            breakable += QChar(0x200B);
    }
    label->setText(breakable);
    label->setWordWrap(true);
    label->setMinimumWidth(limit);
    // Taller than the screen: the text scrolls, the buttons stay on the screen.
    const int tallest = area.height() * 2 / 3;
    if (label->heightForWidth(limit) > tallest) {
        auto *grid = qobject_cast<QGridLayout *>(box->layout());
        const int at = grid ? grid->indexOf(label) : -1;
        if (at >= 0) {
            int row = 0, column = 0, rows = 0, columns = 0;
            grid->getItemPosition(at, &row, &column, &rows, &columns);
            grid->removeWidget(label);
            auto *scroll = new QScrollArea(box);
            scroll->setObjectName(QStringLiteral("messageScroll"));
            scroll->setWidgetResizable(true);
            scroll->setFrameShape(QFrame::NoFrame);
            scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            label->setMinimumWidth(0);
            scroll->setWidget(label);
            scroll->setMinimumSize(limit + scroll->verticalScrollBar()->sizeHint().width(), tallest);
            grid->addWidget(scroll, row, column, rows, columns);
        }
    }
    return box;
}

void QtMessageBoxes::informAndWait(const QString &text, int closeAfterMs)
{
    std::unique_ptr<QMessageBox> box(newMessageBox(QMessageBox::NoIcon, text, QMessageBox::Ok));
    QTimer::singleShot(closeAfterMs, box.get(), &QMessageBox::accept);
    box->exec();
}

QtMessageBoxes::~QtMessageBoxes()
{
    // Nobody is left to hear an answer.
    m_queue.clear();
    if (m_box) {
        m_box->disconnect();
        delete m_box.data();
    }
}

void QtMessageBoxes::inform(const QString &text)
{
    m_queue.push_back({text, QMessageBox::NoIcon, QMessageBox::Ok, false, {}});
    showNext();
}

void QtMessageBoxes::ask(const QString &text, std::function<void(Answer)> answered, bool exclamation, bool closable)
{
    m_queue.push_back({text, exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
                       QMessageBox::Yes | QMessageBox::No, closable, std::move(answered)});
    showNext();
}

void QtMessageBoxes::whenAllClosed(std::function<void()> then)
{
    if (!m_box && m_queue.empty()) {
        then();
        return;
    }
    m_whenClosed.push_back(std::move(then));
}

void QtMessageBoxes::keepClearOf(const QRect &area)
{
    m_clear = area;
    place();
}

void QtMessageBoxes::showNext()
{
    if (m_box)
        return;
    if (m_queue.empty()) {
        for (auto &then : std::exchange(m_whenClosed, {}))
            then();
        return;
    }
    Box next = std::move(m_queue.front());
    m_queue.pop_front();
    // A box asked from a dialog belongs to it: kept above it, with no taskbar
    // entry of its own. The clock's own boxes stand alone, on top.
    QWidget *owner = qobject_cast<QDialog *>(QApplication::activeWindow());
    QMessageBox *box = newMessageBox(next.icon, next.text, next.buttons);
    // Not modal: the stop window and the clock answer while it is open.
    box->setWindowModality(Qt::NonModal);
    if (next.closable) {
        // Escape and the close box: a third answer, with no button of its own.
        QPushButton *close = box->addButton(QMessageBox::Cancel);
        close->hide();
        box->setEscapeButton(close);
    }
    m_box = box;
    QObject::connect(box, &QMessageBox::finished, box, [this, box, answered = std::move(next.answered)] {
        const QMessageBox::StandardButton b = box->standardButton(box->clickedButton());
        const Answer a = b == QMessageBox::Yes ? Answer::Yes : b == QMessageBox::No ? Answer::No : Answer::Closed;
        box->disconnect();
        box->deleteLater();
        if (m_box == box)
            m_box = nullptr;
        if (answered)
            answered(a);
        showNext();
    });
    place();
    box->show();
    if (owner && owner != box && owner->isVisible())
        belongTo(box, owner);
}

void QtMessageBoxes::place()
{
    // Centred, as boxes are, unless that is over the stop window: then above
    // it, or below it when there is no room above.
    if (!m_box)
        return;
    m_box->adjustSize();
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    QRect r(QPoint(0, 0), m_box->frameGeometry().size().expandedTo(m_box->sizeHint()));
    r.moveCenter(area.center());
    const QRect clear = m_clear.adjusted(-8, -8, 8, 8);
    if (!m_clear.isEmpty() && r.intersects(clear)) {
        if (clear.top() - r.height() >= area.top())
            r.moveBottom(clear.top() - 1);
        else
            r.moveTop(clear.bottom() + 1);
    }
    m_box->move(r.topLeft());
}

void QtMessageBoxes::beep()
{
    QApplication::beep();
}

std::optional<quint32> QtChoosers::color()
{
    // Modal to the dialog it serves only: the stop window answers meanwhile.
    QColorDialog d(Qt::white, QApplication::activeWindow());
    d.setWindowModality(Qt::WindowModal);
    if (d.exec() != QDialog::Accepted)
        return std::nullopt;
    const QColor c = d.selectedColor();
    if (!c.isValid())
        return std::nullopt;
    return bgrFromColor(c);
}

QFileDialog *QtChoosers::newFileDialog(const FileChoice &choice)
{
    // Modal to the dialog it serves only: the stop window answers meanwhile.
    auto *d = new QFileDialog(QApplication::activeWindow(), choice.title, choice.folder);
    d->setWindowModality(Qt::WindowModal);
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

// NOLINTNEXTLINE(performance-unnecessary-value-param)
void ProcessLauncher::openFile(const QString &path, std::function<void(bool)> opened)
{
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        const bool ok = QDesktopServices::openUrl(QUrl::fromLocalFile(path));
        QTimer::singleShot(0, [opened, ok] { opened(ok); });
        return;
    }
    // xdg-open ends at once with an error when nothing is registered for the
    // file; a viewer it starts may keep it running, which counts as opened.
    // Nothing waits for it: the answer comes once, from whichever is first.
    auto *p = new QProcess;
    p->setProgram(opener);
    p->setArguments({path});
    p->setStandardOutputFile(QProcess::nullDevice());
    p->setStandardErrorFile(QProcess::nullDevice());
    auto answer = std::make_shared<std::function<void(bool)>>(std::move(opened));
    auto tell = [answer](bool ok) {
        if (*answer)
            std::exchange(*answer, nullptr)(ok);
    };
    QObject::connect(p, &QProcess::finished, p, [p, tell](int code, QProcess::ExitStatus status) {
        tell(status == QProcess::NormalExit && code == 0);
        p->deleteLater();
    });
    QObject::connect(p, &QProcess::errorOccurred, p, [p, tell](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart) {
            tell(false);
            p->deleteLater();
        }
    });
    QObject::connect(p, &QProcess::started, p,
                     [p, tell] { QTimer::singleShot(kOpenerSettleMs, p, [tell] { tell(true); }); });
    p->start();
}

} // namespace dv
