#pragma once
// The real implementations of the small platform interfaces.

#include "platform/Platform.h"
#include "platform/X11.h"

#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

namespace dv {

class SystemTime final : public TimeSource {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    qint64 msecsSinceEpoch() const override { return QDateTime::currentMSecsSinceEpoch(); }
};

// Pointer and keys as the server has them (the clock never has the focus).
// The keys come pushed by the server where it can; otherwise one round trip
// serves the three questions of a tick.
class QtInput final : public InputState {
public:
    QtInput();
    ~QtInput() override;
    QPoint cursorPos() const override;
    bool shiftHeld() const override;
    bool ctrlHeld() const override;
    bool pushesChanges(bool pointer) const override;
    void watchPointer(bool on) override;

private:
    struct State {
        QPoint pos;
        bool shift = false, ctrl = false;
    };
    const State &state() const;
    void settled();
    mutable State m_state;
    mutable QElapsedTimer m_age;
    x11::ModifierWatch *m_keys = nullptr;
    x11::PointerWatch *m_pointer = nullptr;
    bool m_watching = false;
    QTimer m_settle; // a change is told once the X event that brought it is done
};

class QtScreen final : public ScreenInfo {
public:
    QSize sizePx() const override;
    QList<QRect> monitorsPx() const override;
    QList<QRect> workAreasPx() const override;
    double twipsPerPixelX() const override;
    double twipsPerPixelY() const override;
};

// The clock's message box: its caption, on top, at least as wide as the
// caption and wide enough for every line of `text`; a line wider than most of
// the screen wraps (anywhere: paths have no spaces), and a text taller than
// most of the screen scrolls.
QMessageBox *newMessageBox(QMessageBox::Icon icon, const QString &text, QMessageBox::StandardButtons buttons);

class QtMessageBoxes final : public MessageBoxes {
public:
    void inform(const QString &text) override;
    bool ask(const QString &text, bool exclamation) override;
    void beep() override;
};

// Qt's own colour chooser, and its file chooser matching the patterns in any case.
class QtChoosers final : public Choosers {
public:
    std::optional<quint32> color() override;
    std::optional<QString> openFile(const FileChoice &choice) override;
    // The file chooser as openFile shows it, for a look at its set-up.
    static QFileDialog *newFileDialog(const FileChoice &choice);
};

class QtEventPump final : public EventPump {
public:
    void yield() override;
};

class ProcessLauncher final : public Launcher {
public:
    bool openDateTimeSettings() override;
    bool openFile(const QString &path) override;
    // Starts the first program of the list that is installed; false when none could start.
    static bool startFirst(const QList<QStringList> &commandLines);
};

// Fires at the very start of each wall-clock second (and quarter, when asked):
// a timer on the real-time clock itself, which also fires at once when the
// system's time is set.
class AlignedTickTimer final : public QObject, public TickTimer {
    Q_OBJECT
public:
    explicit AlignedTickTimer(QObject *parent = nullptr);
    ~AlignedTickTimer() override;
    void setEnabled(bool on) override;
    bool isEnabled() const override { return m_enabled; }
    void setQuarters(bool on) override;
    void tickSoon() override;
signals:
    void tick();

private:
    void arm();
    void expired();
    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
    QTimer m_fallback; // where there is no such timer
    QTimer m_soon;
    bool m_enabled = false;
    bool m_quarters = false;
};

} // namespace dv
