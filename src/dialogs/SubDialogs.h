// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The slideshow, size and time signal dialogs opened from the settings
// dialog. Each writes its settings straight into the working settings on OK;
// CANCEL, Escape and the close box leave them. Closing by any way deletes the
// dialog and calls `closed` (the settings dialog comes back).

#include "platform/Platform.h"
#include "settings/Settings.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QFileSystemModel;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTimer;
class QTreeView;
class QVBoxLayout;

namespace dv {

class SubDialog : public QDialog {
    Q_OBJECT
public:
    SubDialog(const char *name, const QString &caption, Settings &working, Platform &sys);
    ~SubDialog() override;
    // Its fields as the user has them, over `s`: what the quit compares and saves.
    virtual void applyFields(Settings &s) const = 0;

signals:
    void closed(); // it is going, however it was closed

protected:
    // OK and CANCEL, bottom right. OK is the default button (Enter): it takes
    // the fields when `acceptable` lets it, then closes. CANCEL closes.
    QHBoxLayout *okCancelRow(const QString &okCaption);
    // OK's own check; a refusal leaves the dialog open.
    virtual bool acceptable() { return true; }
    void keyPressEvent(QKeyEvent *e) override; // Escape is CANCEL
    QPushButton *okButton() const { return m_ok; }
    Settings &m_working;
    Platform &sys;

private:
    QPushButton *m_ok = nullptr;
};

// "文字盤のスライドショー設定": the slideshow's folder, interval and formats.
class SlideshowDialog final : public SubDialog {
    Q_OBJECT
public:
    SlideshowDialog(Settings &working, Platform &sys);
    void applyFields(Settings &s) const override;

private:
    void fill();
    QLineEdit *m_folder;
    QTreeView *m_tree;
    QFileSystemModel *m_model;
    QLineEdit *m_interval;
    QListWidget *m_intervals;
    std::array<QCheckBox *, 8> m_formats{}; // bit i of slideshowFormats
    QString m_scrollTo;                     // the stored folder, until the tree shows it
    bool m_parentRead = false;              // the folders beside it are in the tree
};

// "時計のサイズ設定": the clock's size in pixels.
class SizeDialog final : public SubDialog {
    Q_OBJECT
public:
    SizeDialog(Settings &working, Platform &sys);
    void applyFields(Settings &s) const override;
    void addClockSize(); // the list for this screen
    void focusSizeField();

private:
    bool acceptable() override;
    double screenHeight() const;
    double workAreaHeight() const; // of the primary screen, panels left free
    QLineEdit *m_size;
    QListWidget *m_sizes;
};

// "時報の設定": the time signal's files and the half-hour signal.
class ChimeDialog final : public SubDialog {
    Q_OBJECT
public:
    ChimeDialog(Settings &working, Platform &sys);
    void applyFields(Settings &s) const override;

private:
    void followHalfHour();
    QLineEdit *m_hourFile;
    QLineEdit *m_halfFile;
    QCheckBox *m_halfHour;
    QPushButton *m_halfBrowse;
};

// What the alarm dialog's trial plays with. Its own sound output, never the
// one alarms ring on: a trial must neither cut off an alarm or a time signal
// nor leave the clock waiting for the end of a sound it no longer plays.
struct AlarmTrial {
    SoundOutput *sound = nullptr;     // none: no trial
    std::function<bool()> alarmRings; // an alarm rings now: no trial over it
    QString file;                     // the alarm's sound as the settings dialog has it
    QString time;                     // and its time, for the note on the days it rests (null: the working one)
};

// "アラームNの詳細": one alarm's days, once-only, snooze and ring minutes,
// volume and fade-in, and "試聴", which plays it as it will ring for a few seconds.
class AlarmDialog final : public SubDialog {
    Q_OBJECT
public:
    AlarmDialog(Settings &working, Platform &sys, int alarm, AlarmTrial trial = {});
    ~AlarmDialog() override;
    void applyFields(Settings &s) const override;
    // How long a trial plays, repeating a short sound as the alarm would.
    static constexpr int kTrialMs = 8000;

protected:
    void hideEvent(QHideEvent *e) override; // closed by any way: no trial plays on

private:
    void trialPressed();
    void playTrial();
    void watchTrial();
    void endTrial();
    bool alarmRings() const { return m_trial.alarmRings && m_trial.alarmRings(); }

    QHBoxLayout *wakeRow();
    void addRestDays(QVBoxLayout *all);
    void showRestNote();
    bool acceptable() override;
    int m_alarm;
    std::array<QCheckBox *, 7> m_days{}; // Monday first: bit i of the alarm's days
    QCheckBox *m_once;
    QSpinBox *m_snooze;
    QSpinBox *m_ringMinutes;
    QSpinBox *m_volume = nullptr;
    QSpinBox *m_fadeIn = nullptr;
    QPushButton *m_trialButton = nullptr;
    AlarmTrial m_trial;
    QTimer *m_trialWatch = nullptr;
    qint64 m_trialStarted = -1; // monotonic ms; -1: no trial plays
    QCheckBox *m_wake = nullptr;
    QCheckBox *m_skipHolidays = nullptr;
    QLineEdit *m_daysOff = nullptr;
    QLabel *m_restNote = nullptr;
};

} // namespace dv
