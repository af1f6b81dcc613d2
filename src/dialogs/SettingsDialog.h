#pragma once
// "時計の設定": every setting of the clock in one dialog, with the slideshow,
// size and time signal dialogs and the About box behind its buttons.

#include "dialogs/DialogParts.h"
#include "settings/Parameters.h"

#include <QDialog>
#include <QPointer>
#include <array>

class QCheckBox;
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
};

class SettingsDialog final : public QDialog {
    Q_OBJECT
public:
    SettingsDialog(Parameters &params, Platform &sys, SettingsHost &host, QWidget *parent = nullptr);
    ~SettingsDialog() override;

    // start: centres the dialog and shows the working settings.
    void fill();
    // The settings as the fields (and an open sub-dialog) have them, over the
    // working ones, with the clock window's place.
    Settings present() const;
    // check_param: true when nothing differs from what was last saved.
    bool unchanged() const;
    // The quit's question: when something differs, ask, and save on Yes.
    void askToSave();
    // A dropped picture's path goes into the face picture field.
    void setFacePicture(const QString &path);
    QString facePicture() const;
    // A slideshow, size or time signal dialog is up: this one waits for it.
    bool subDialogOpen() const { return !m_sub.isNull(); }

protected:
    void closeEvent(QCloseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void build();
    void applyClickRules();
    void ok();
    void cancel();
    void quit();
    void openSub(SubDialog *d);
    void openAbout();
    void timeLeft(QLineEdit *f);
    void fileLeft(QLineEdit *f, const QString &message);

    Parameters &m_params;
    Platform &sys;
    SettingsHost &m_host;
    QLineEdit *m_picture = nullptr;         // Text1
    std::array<QCheckBox *, 12> m_checks{}; // Check1 ... Check12
    std::array<Swatch *, 6> m_swatches{};   // Picture1 ... Picture6
    std::array<QLineEdit *, 3> m_times{};   // Text2 ... Text4
    std::array<QLineEdit *, 3> m_sounds{};  // Text5 ... Text7
    QLineEdit *m_shutdown = nullptr;        // Text8
    QPushButton *m_pictureBrowse = nullptr; // Command4
    QPushButton *m_slideshow = nullptr;     // Command13
    QPushButton *m_size = nullptr;          // Command15
    QPushButton *m_chime = nullptr;         // Command17
    QPointer<SubDialog> m_sub;
    bool m_closing = false;
};

} // namespace dv
