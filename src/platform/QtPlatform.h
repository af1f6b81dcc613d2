// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real implementations of the small platform interfaces.

#include "platform/AlignedTickTimer.h"
#include "platform/LocalZone.h"
#include "platform/Platform.h"
#include "platform/QtInput.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QObject>
#include <QPointer>

#include <deque>
#include <vector>

namespace dv {

class SystemTime final : public TimeSource {
public:
    QDateTime now() const override { return m_zone.at(QDateTime::currentMSecsSinceEpoch()); }
    qint64 msecsSinceEpoch() const override { return QDateTime::currentMSecsSinceEpoch(); }
    // CLOCK_BOOTTIME: on through a suspend, deaf to the wall clock being set.
    qint64 monotonicMsecs() const override;

private:
    mutable LocalZone m_zone; // made first: it sets TZ before anything reads the time
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

// Where a box of `size` goes in the work area `area`: centred, unless that is
// over one of `clearOf` (the clock's face, the stop window); then above, below,
// left or right of it, the first place that is in the area and over none of
// them; where none is, centred (the box is on top).
QRect boxPlace(QSize size, const QRect &area, const QList<QRect> &clearOf);

// One box on the screen at a time, the others waiting their turn; none is
// modal, so the clock's windows answer while a box is open.
class QtMessageBoxes final : public MessageBoxes {
public:
    ~QtMessageBoxes() override;
    void inform(const QString &text) override;
    void ask(const QString &text, std::function<void(Answer)> answered, bool exclamation, bool closable) override;
    void whenAllClosed(std::function<void()> then) override;
    void keepClearOf(const QRect &area) override;
    void beep() override;
    // The clock's window, which boxes keep clear of.
    void keepClearOfWindow(QWidget *clock) { m_clock = clock; }
    // The box on the screen now, if any.
    QMessageBox *current() const { return m_box; }
    int waiting() const { return int(m_queue.size()); }
    // Before the event loop runs, or after it: shows the box and waits for its
    // OK, `closeAfterMs` at most: a second start nobody answers ends by itself.
    static constexpr int kLongestWaitMs = 60'000;
    static void informAndWait(const QString &text, int closeAfterMs = kLongestWaitMs);

private:
    struct Box {
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        bool closable = false;
        std::function<void(Answer)> answered;
    };
    void showNext();
    void place();

    std::deque<Box> m_queue;
    QPointer<QMessageBox> m_box;
    QRect m_clear;
    QPointer<QWidget> m_clock;
    std::vector<std::function<void()>> m_whenClosed;
};

// Qt's own colour chooser, and its file chooser matching the patterns in any case.
class QtChoosers final : public Choosers {
public:
    std::optional<quint32> color(quint32 current) override;
    std::optional<QString> openFile(const FileChoice &choice) override;
    // The file chooser as openFile shows it, for a look at its set-up.
    static QFileDialog *newFileDialog(const FileChoice &choice);
};

class ProcessLauncher final : public Launcher {
public:
    bool openDateTimeSettings() override;
    void openFile(const QString &path, std::function<void(bool)> opened) override;
    // How long xdg-open may run before a viewer it started counts as the answer.
    static constexpr int kOpenerSettleMs = 1500;
    // Starts the first program of the list that is installed; false when none could start.
    static bool startFirst(const QList<QStringList> &commandLines);
};

} // namespace dv
