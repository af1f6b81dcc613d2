// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/AlarmWindow.h"

#include "platform/WindowCentre.h"
#include "platform/WindowSystem.h"
#include "resources/Art.h"
#include "resources/ObjectNames.h"
#include "resources/Texts.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTextLayout>

namespace dv {

namespace {
// Room for the time, a line of message, the late note and both buttons; a
// longer message makes the window taller, never wider.
constexpr int kWidth = 240;
constexpr int kHeight = 112;
constexpr int kTextTop = 10;
constexpr int kTextHeight = 52;
constexpr int kMostLines = 8; // keeps the window small whatever a store holds

// The text broken into lines that fit the width: between words where it can,
// anywhere in a long run of letters, so that nothing is cut at the edge.
QStringList linesToFit(const QString &text, const QFont &font, int width)
{
    QStringList lines;
    for (const QString &paragraph : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines.append(paragraph.mid(line.textStart(), line.textLength()).trimmed());
        }
        layout.endLayout();
    }
    return lines;
}
} // namespace

AlarmWindow::AlarmWindow(QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::Tool | Qt::WindowStaysOnTopHint)
    , m_text(new QLabel(this))
    , m_stop(new QPushButton(text::StopAlarm, this))
    , m_snooze(new QPushButton(text::Snooze, this))
    , m_frameA(stripeFrame(false, {kWidth, kHeight}))
    , m_frameB(stripeFrame(true, {kWidth, kHeight}))
{
    setObjectName(QString::fromLatin1(id::alarmWindow));
    setWindowTitle(text::StopAlarm);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(kWidth, kHeight);
    // A plain panel over the stripes, so the words stay readable as they move.
    m_text->setObjectName(QString::fromLatin1(id::alarmText));
    m_text->setGeometry(12, kTextTop, kWidth - 24, kTextHeight);
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setAutoFillBackground(true);
    m_text->setStyleSheet(QStringLiteral("background: white; color: black;"));
    m_text->setTextFormat(Qt::PlainText);
    m_stop->setObjectName(QString::fromLatin1(id::stopButton));
    m_stop->setGeometry(12, 72, 132, 28);
    m_snooze->setObjectName(QString::fromLatin1(id::snoozeButton));
    m_snooze->setGeometry(152, 72, 76, 28);
    for (QPushButton *b : {m_stop, m_snooze}) {
        QFont f = b->font();
        f.setBold(true);
        f.setPointSize(9);
        b->setFont(f);
        // Tab and Space reach them; no default button, so a stray Enter meant
        // for another window presses nothing.
        b->setFocusPolicy(Qt::StrongFocus);
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    setTabOrder(m_stop, m_snooze);
    connect(m_stop, &QPushButton::clicked, this, [this] {
        unload(false);
        deleteLater(); // the next alarm makes a fresh window
    });
    connect(m_snooze, &QPushButton::clicked, this, [this] {
        unload(true);
        deleteLater();
    });
    connect(&m_timer, &QTimer::timeout, this, &AlarmWindow::flash);
}

AlarmWindow::~AlarmWindow()
{
    unload(false);
}

void AlarmWindow::showAlarm(const AlarmNotice &notice)
{
    m_beep = notice.beep;
    // The time and the whole message, the late note below: a message too long
    // for the window is cut, the late note never.
    QString shown = notice.time;
    if (!notice.message.isEmpty())
        shown += QStringLiteral("  ") + notice.message;
    const QFontMetrics metrics = m_text->fontMetrics();
    QStringList lines = linesToFit(shown, m_text->font(), m_text->width() - 8);
    const QStringList due = notice.dueAt.isEmpty()
                                ? QStringList()
                                : linesToFit(text::alarmWasDue(notice.dueAt), m_text->font(), m_text->width() - 8);
    const int room = kMostLines - int(due.size());
    if (lines.size() > room) {
        lines = lines.mid(0, room);
        lines.last() = metrics.elidedText(lines.last() + QStringLiteral("…"), Qt::ElideRight, m_text->width() - 8);
    }
    lines += due;
    m_text->setText(lines.join(QLatin1Char('\n')));
    fitHeight(qMax(kTextHeight, int(lines.size()) * metrics.lineSpacing() + 8));
    m_showingB = false;
    update();
    m_timer.start(500);
    centreOnScreen(this);
    if (!isVisible() && x11::activeWindowFullScreen())
        setWindowFlag(Qt::X11BypassWindowManagerHint);
    // Wherever the user goes while it rings, the stop button is there.
    if (!isVisible()) {
        winId();
        x11::setAllDesktops(windowHandle());
    }
    show();
    raise();
}

// The window manager keeps a full-screen window that has the focus above every
// window it keeps on top, and would hide the stop window while the sound
// plays. So while one is in front, the window goes past the window manager and
// raises itself: above the video or game, and the focus stays where it was.
void AlarmWindow::keepAboveFullScreen()
{
    if (!(windowFlags() & Qt::X11BypassWindowManagerHint)) {
        if (!x11::activeWindowFullScreen())
            return;
        setWindowFlag(Qt::X11BypassWindowManagerHint); // a new native window, hidden
        show();
    }
    raise();
}

void AlarmWindow::mousePressEvent(QMouseEvent *e)
{
    // Past the window manager, a click no longer gives it the focus: take it,
    // so that Tab and Space reach the buttons as they do otherwise.
    if (windowFlags() & Qt::X11BypassWindowManagerHint)
        activateWindow();
    QWidget::mousePressEvent(e);
}

void AlarmWindow::fitHeight(int textHeight)
{
    const int buttonsTop = kTextTop + textHeight + 10;
    const QSize size(kWidth, buttonsTop + 28 + 12);
    m_text->resize(m_text->width(), textHeight);
    m_stop->move(m_stop->x(), buttonsTop);
    m_snooze->move(m_snooze->x(), buttonsTop);
    if (size == this->size())
        return;
    setFixedSize(size);
    m_frameA = stripeFrame(false, size);
    m_frameB = stripeFrame(true, size);
}

void AlarmWindow::flash()
{
    m_showingB = !m_showingB;
    update();
    keepAboveFullScreen();
    if (m_beep)
        emit beep();
}

void AlarmWindow::paintEvent(QPaintEvent *)
{
    QPainter(this).drawImage(0, 0, m_showingB ? m_frameB : m_frameA);
}

void AlarmWindow::unload(bool snooze)
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_timer.stop();
    hide();
    if (snooze)
        emit snoozed();
    else
        emit stopped();
}

void AlarmWindow::closeEvent(QCloseEvent *e)
{
    unload(false);
    e->accept();
}

} // namespace dv
