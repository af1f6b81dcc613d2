#pragma once
// The flashing alarm stop window.

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace dv {

class AlarmWindow final : public QWidget {
    Q_OBJECT
public:
    explicit AlarmWindow(QWidget *parent = nullptr);
    ~AlarmWindow() override;

    // Shows it centred and on top without taking the focus; again if already open.
    void showAlarm(bool beepEachFlash);
    bool showingFrameB() const { return m_showingB; }
    QPushButton *button() const { return m_button; }

    std::function<void()> onUnload; // stop the sound, allow the next alarm
    std::function<void()> beep;

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    void flash();
    void unload();

    QLabel *m_image;
    QPushButton *m_button;
    QTimer m_timer;
    QImage m_frameA, m_frameB;
    bool m_toggle = false;
    bool m_showingB = false;
    bool m_beep = false;
    bool m_unloaded = false;
};

} // namespace dv
