// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "時計の設定": every setting of the clock in one dialog, with the slideshow,
// size and time signal dialogs and the About box behind its buttons.

#include "dialogs/DialogParts.h"
#include "settings/Parameters.h"

#include <QDialog>
#include <QPointer>

#include <array>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLayout;
class QLineEdit;
class QPushButton;

namespace dv {

class SubDialog;

// What the dialog asks of the clock.
class SettingsHost {
public:
    virtual ~SettingsHost() = default;
    // OK: the clock takes these settings, reshapes, re-places, saves and runs again.
    virtual void settingsAccepted(const Settings &edited) = 0;
    // CANCEL or the close box: the clock shows again and ticks on.
    virtual void settingsClosed() = 0;
    // The quit's save; false when the store could not be written.
    virtual bool saveSettings() = 0;
    // The clock window's left and top, in whole twips.
    virtual QPoint windowTwips() const = 0;
    // The quit after its question: the program ends.
    virtual void quitClock() = 0;
    // A sound output apart from the alarms', for the alarm dialog's trial; none: no trial.
    virtual SoundOutput *trialSound() { return nullptr; }
    // An alarm rings now (its sound, or its beeps): no trial talks over it.
    virtual bool alarmRings() const { return false; }
};

class SettingsDialog final : public QDialog {
    Q_OBJECT
public:
    SettingsDialog(Parameters &params, Platform &sys, SettingsHost &host, QWidget *parent = nullptr);
    ~SettingsDialog() override;

    // Centres the dialog and shows the working settings (and the paths start-up
    // keeps for files that are missing).
    void fill();
    // The settings as the fields (and an open sub-dialog) have them, over the
    // working ones, with the clock window's place.
    Settings present() const;
    // True when nothing the quit asks about differs from what was last saved.
    bool unchanged() const;
    // The quit's question: when something differs, ask, and save on Yes.
    // `then` comes with the answer: false when Escape or the close box took
    // the quit back (nothing saved, the clock runs on).
    void askToSave(std::function<void(bool goOn)> then);
    // A dropped picture's path goes into the face picture field.
    void setFacePicture(const QString &path);
    QString facePicture() const;
    // A slideshow, size or time signal dialog, or the About box, is up: this
    // one waits for it.
    bool subDialogOpen() const { return !m_sub.isNull() || !m_about.isNull(); }
    // The window the user works in comes to the front: the open sub-dialog or
    // About box when there is one, else this dialog.
    void bringToFront();

protected:
    void closeEvent(QCloseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    // One row of the alarm frame.
    struct AlarmRow {
        QLineEdit *time = nullptr;
        QLineEdit *sound = nullptr;
        QLineEdit *message = nullptr;
        QPushButton *detail = nullptr;
    };
    // A check box and the Boolean setting it shows; the numerals' box is
    // apart, as its setting keeps the stored number.
    struct Box {
        QCheckBox *SettingsDialog::*box;
        bool Settings::*setting;
    };
    static const std::array<Box, 11> &boxes();

    QLayout *buildPictureRow();
    QLayout *buildBoxes(); // the check boxes with their buttons, and the colours
    QGroupBox *buildColours();
    QGroupBox *buildAlarms();
    QLayout *buildButtons();
    void openSubDialogs();
    void applyClickRules();
    bool timesCanRing();
    bool pictureCanShow();
    bool saveAsShown();
    void ok();
    void putAway();
    void cancel();
    void quit();
    void openSub(SubDialog *d, QPushButton *opener);
    void openAbout();
    void timeLeft(QLineEdit *f);
    void fileLeft(QLineEdit *f, QString Settings::*field, const QString &message);

    Parameters &m_params;
    Platform &sys;
    SettingsHost &m_host;
    QLineEdit *m_picture = nullptr;
    QPushButton *m_pictureBrowse = nullptr;
    QCheckBox *m_drawSecond = nullptr;
    QCheckBox *m_topMost = nullptr;
    QCheckBox *m_jihou = nullptr;
    QCheckBox *m_mustShutDown = nullptr;
    QCheckBox *m_transparent = nullptr;
    QCheckBox *m_shadow = nullptr;
    QCheckBox *m_drawChar = nullptr;
    QCheckBox *m_slideshowOn = nullptr;
    QCheckBox *m_hideUnderCursor = nullptr;
    QCheckBox *m_freeSize = nullptr;
    QCheckBox *m_drawFrame = nullptr;
    QCheckBox *m_roman = nullptr;
    QPushButton *m_slideshow = nullptr; // its dialog
    QPushButton *m_size = nullptr;
    QPushButton *m_chime = nullptr;
    std::array<Swatch *, 6> m_colours{};          // hour, minute, second, marks, board, frame
    std::array<AlarmRow, kAlarmCount> m_alarms{}; // in kAlarmSettings order
    QLineEdit *m_shutdown = nullptr;
    QPushButton *m_ok = nullptr;
    QCheckBox *m_autostart = nullptr; // the desktop's autostart entry, not a stored setting
    QPointer<SubDialog> m_sub;
    QPointer<QDialog> m_about;
    bool m_closing = false;
};

} // namespace dv
