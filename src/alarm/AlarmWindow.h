// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The flashing alarm stop window: the alarm's time and message, a stop button
// and a snooze button.

#include "alarm/Schedule.h"

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

namespace dv {

class AlarmWindow final : public QWidget {
    Q_OBJECT
public:
    explicit AlarmWindow(QWidget *parent = nullptr);
    ~AlarmWindow() override;

    // Shows it centred and on top without taking the focus; again, with what
    // has changed, if already open.
    void showAlarm(const AlarmNotice &notice);
    bool showingFrameB() const { return m_showingB; }
    QPushButton *button() const { return m_stop; }
    QPushButton *snoozeButton() const { return m_snooze; }
    QString shownText() const { return m_text->text(); }

signals:
    // Exactly one of these when the window goes: the button pressed, or the
    // window closed (a stop).
    void stopped();
    void snoozed();
    void beep();

protected:
    void closeEvent(QCloseEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    void flash();
    void keepAboveFullScreen();
    void fitHeight(int textHeight);
    void unload(bool snooze);

    QLabel *m_text;
    QPushButton *m_stop;
    QPushButton *m_snooze;
    QTimer m_timer;
    QImage m_frameA, m_frameB;
    bool m_showingB = false;
    bool m_beep = false;
    bool m_unloaded = false;
};

} // namespace dv
