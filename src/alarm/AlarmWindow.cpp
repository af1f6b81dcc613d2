#include "alarm/AlarmWindow.h"

#include "resources/Art.h"
#include "resources/Texts.h"
#include "platform/WindowCentre.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

namespace dv {

AlarmWindow::AlarmWindow(QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::Tool | Qt::WindowStaysOnTopHint)
    , m_image(new QLabel(this))
    , m_button(new QPushButton(text::StopAlarm, this))
    , m_frameA(stripeFrame(false))
    , m_frameB(stripeFrame(true))
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(text::StopAlarm);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(160, 72);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setGeometry(0, 0, 161, 81);
    m_image->setPixmap(QPixmap::fromImage(m_frameA));
    m_button->setObjectName(QStringLiteral("Command1"));
    m_button->setGeometry(16, 24, 129, 25);
    QFont f = m_button->font();
    f.setBold(true);
    f.setPointSize(9);
    m_button->setFont(f);
    m_button->setFocusPolicy(Qt::NoFocus);
    connect(m_button, &QPushButton::clicked, this, [this] {
        m_timer.stop();
        unload();
        deleteLater(); // the next alarm makes a fresh window
    });
    m_timer.setObjectName(QStringLiteral("Timer1"));
    connect(&m_timer, &QTimer::timeout, this, &AlarmWindow::flash);
}

AlarmWindow::~AlarmWindow()
{
    unload();
}

void AlarmWindow::showAlarm(bool beepEachFlash)
{
    m_beep = beepEachFlash;
    m_image->setPixmap(QPixmap::fromImage(m_frameA));
    m_showingB = false;
    m_timer.start(500);
    centreOnScreen(this);
    show();
    raise();
}

void AlarmWindow::flash()
{
    m_showingB = !m_toggle;
    m_image->setPixmap(QPixmap::fromImage(m_toggle ? m_frameA : m_frameB));
    m_toggle = !m_toggle;
    if (m_beep && beep)
        beep();
}

void AlarmWindow::unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_timer.stop();
    hide();
    if (onUnload)
        onUnload();
}

void AlarmWindow::closeEvent(QCloseEvent *e)
{
    unload();
    e->accept();
}

} // namespace dv
