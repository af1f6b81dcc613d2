// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/SettingsDialog.h"

#include "dialogs/Checks.h"
#include "dialogs/SubDialogs.h"
#include "face/PictureFiles.h"
#include "interaction/AboutBox.h"
#include "platform/Autostart.h"
#include "platform/WindowCentre.h"
#include "platform/WindowSystem.h"
#include "resources/ObjectNames.h"
#include "resources/Texts.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace dv {

namespace {
// The colour rows: label, swatch and chooser button, and the colour they edit.
struct ColourRow {
    const text::Text &caption;
    const char *swatch;
    const char *pick;
    qint32 Settings::*setting;
};
const ColourRow kColourRows[6] = {
    {text::ColourHour, id::hourColour, id::hourColourPick, &Settings::hourColour},
    {text::ColourMinute, id::minuteColour, id::minuteColourPick, &Settings::minuteColour},
    {text::ColourSecond, id::secondColour, id::secondColourPick, &Settings::secondColour},
    {text::ColourChar, id::marksColour, id::marksColourPick, &Settings::marksColour},
    {text::ColourBoard, id::boardColour, id::boardColourPick, &Settings::boardColour},
    {text::ColourFrameRing, id::frameRingColour, id::frameRingColourPick, &Settings::frameColour},
};

// The alarm rows' controls, in kAlarmSettings order.
struct AlarmNames {
    const text::Text &caption;
    const char *time, *sound, *browse, *message;
    const text::Text &missing;
    const char *detail;
};
const AlarmNames kAlarmNames[kAlarmCount] = {
    {text::AlarmRow1, id::alarmTime1, id::alarmSound1, id::alarmSoundBrowse1, id::alarmMessage1,
     text::AlarmSoundMissing1, id::alarmDetail1},
    {text::AlarmRow2, id::alarmTime2, id::alarmSound2, id::alarmSoundBrowse2, id::alarmMessage2,
     text::AlarmSoundMissing2, id::alarmDetail2},
    {text::AlarmRow3, id::alarmTime3, id::alarmSound3, id::alarmSoundBrowse3, id::alarmMessage3,
     text::AlarmSoundMissing3, id::alarmDetail3},
};

// A "参照" button no wider than its caption: the rows fit a small screen.
QPushButton *newBrowse(QWidget *parent, const char *name)
{
    QPushButton *b = newButton(parent, name, text::Browse);
    const QFontMetrics fm(b->font());
    b->setMaximumWidth(fm.horizontalAdvance(text::Browse) + 2 * fm.height());
    return b;
}

QCheckBox *newBox(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QCheckBox(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}
} // namespace

const std::array<SettingsDialog::Box, 11> &SettingsDialog::boxes()
{
    using D = SettingsDialog;
    using S = Settings;
    static const std::array<Box, 11> table{{
        {&D::m_drawSecond, &S::secondHand},
        {&D::m_topMost, &S::onTop},
        {&D::m_jihou, &S::hourChime},
        {&D::m_mustShutDown, &S::forceShutdown},
        {&D::m_transparent, &S::transparentBoard},
        {&D::m_shadow, &S::shadows},
        {&D::m_drawChar, &S::hourMarks},
        {&D::m_slideshowOn, &S::slideshow},
        {&D::m_hideUnderCursor, &S::hideUnderPointer},
        {&D::m_freeSize, &S::freeSize},
        {&D::m_drawFrame, &S::frameRing},
    }};
    return table;
}

SettingsDialog::SettingsDialog(Parameters &params, Platform &platform, SettingsHost &host, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_params(params)
    , sys(platform)
    , m_host(host)
{
    setObjectName(QString::fromLatin1(id::settingsDialog));
    setWindowTitle(text::SettingsCaption);
    // Created in the order Tab visits them: as the eye reads, and round to the top.
    auto *all = new QVBoxLayout(this);
    all->addLayout(buildPictureRow());
    all->addLayout(buildBoxes());
    all->addWidget(buildAlarms());
    all->addLayout(buildButtons());
    // Small screens and large fonts: rows close together rather than off the screen.
    all->setSpacing(2);
    all->setContentsMargins(8, 4, 8, 4);
    fitToScreen(this);
    openSubDialogs();
    fill();
}

SettingsDialog::~SettingsDialog()
{
    m_closing = true; // the fields lose the focus as they go: no checks then
    delete m_sub.data();
    delete m_about.data();
}

QLayout *SettingsDialog::buildPictureRow()
{
    m_picture = newField(this, id::facePicture, &Settings::boardPicture);
    m_picture->setMinimumWidth(240);
    m_pictureBrowse = newBrowse(this, id::facePictureBrowse);
    onFieldLeft(m_picture, [this] { fileLeft(m_picture, &Settings::boardPicture, text::BoardPictureMissing); });
    connect(m_pictureBrowse, &QPushButton::clicked, this,
            [this] { chooseInto(sys.choose, pictureChoice(m_picture->text()), m_picture); });
    auto *row = new QHBoxLayout;
    row->addWidget(newLabel(this, text::FacePictureLabel));
    row->addWidget(m_picture, 1);
    row->addWidget(m_pictureBrowse);
    return row;
}

QLayout *SettingsDialog::buildBoxes()
{
    // The left column, top to bottom; the buttons the arrows point at sit to
    // the right of their boxes, the colours beside the lower boxes.
    m_slideshowOn = newBox(this, id::slideshowOn, text::BoxSlideshow);
    m_slideshow = newButton(this, id::slideshowButton, text::SlideshowButton);
    m_freeSize = newBox(this, id::freeSize, text::BoxFreeSize);
    m_size = newButton(this, id::sizeButton, text::SizeButton);
    m_topMost = newBox(this, id::topMost, text::BoxOnTop);
    m_drawSecond = newBox(this, id::drawSecond, text::BoxSecondHand);
    m_shadow = newBox(this, id::handShadows, text::BoxShadows);
    m_drawChar = newBox(this, id::drawMarks, text::BoxHourMarks);
    m_drawFrame = newBox(this, id::frameRing, text::BoxFrameRing);
    m_hideUnderCursor = newBox(this, id::hideUnderPointer, text::BoxHideUnderPointer);
    m_roman = newBox(this, id::romanNumerals, text::BoxRomanNumerals);
    m_transparent = newBox(this, id::transparentBoard, text::BoxTransparentBoard);
    m_jihou = newBox(this, id::timeSignal, text::BoxTimeSignal);
    m_chime = newButton(this, id::chimeButton, text::ChimeButton);

    auto *grid = new QGridLayout;
    grid->setVerticalSpacing(0);
    QCheckBox *const column[] = {m_slideshowOn, m_freeSize,        m_topMost, m_drawSecond,  m_shadow, m_drawChar,
                                 m_drawFrame,   m_hideUnderCursor, m_roman,   m_transparent, m_jihou};
    int row = 0;
    for (QCheckBox *b : column)
        grid->addWidget(b, row++, 0);
    grid->addWidget(m_slideshow, 0, 1);
    grid->addWidget(m_size, 1, 1);
    grid->addWidget(buildColours(), 2, 1, 8, 1);
    grid->addWidget(m_chime, 10, 1);
    for (QCheckBox *c : {m_jihou, m_slideshowOn, m_freeSize})
        connect(c, &QCheckBox::toggled, this, &SettingsDialog::applyClickRules);
    return grid;
}

QGroupBox *SettingsDialog::buildColours()
{
    auto *frame = new QGroupBox(text::ColourFrame, this);
    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setVerticalSpacing(2);
    // Two columns of three: hour, minute, second; marks, board, frame.
    for (int i = 0; i < 6; ++i) {
        const ColourRow &c = kColourRows[i];
        auto *swatch = new Swatch(frame);
        swatch->setObjectName(QString::fromLatin1(c.swatch));
        m_colours[size_t(i)] = swatch;
        auto *pick = newBrowse(frame, c.pick);
        auto choose = [this, swatch] {
            // Cancelled: the swatch keeps its colour.
            if (const std::optional<quint32> colour = sys.choose.color(swatch->color()))
                swatch->setColor(*colour);
        };
        connect(swatch, &Swatch::clicked, this, choose);
        connect(pick, &QPushButton::clicked, this, choose);
        const int r = i % 3, col = i / 3 * 3;
        grid->addWidget(newLabel(frame, c.caption), r, col);
        grid->addWidget(swatch, r, col + 1);
        grid->addWidget(pick, r, col + 2);
    }
    return frame;
}

QGroupBox *SettingsDialog::buildAlarms()
{
    auto *frame = new QGroupBox(text::AlarmFrame, this);
    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 0, 6, 2);
    grid->setVerticalSpacing(1);
    grid->addWidget(newLabel(frame, text::AlarmTimeLabel), 0, 1);
    grid->addWidget(newLabel(frame, text::AlarmSoundLabel), 0, 2);
    grid->addWidget(newLabel(frame, text::AlarmMessageLabel), 0, 4);
    const int timeWidth = fontMetrics().horizontalAdvance(QStringLiteral("00:00")) * 2;
    for (int i = 0; i < kAlarmCount; ++i) {
        const AlarmNames &n = kAlarmNames[i];
        const AlarmSettings &a = kAlarmSettings[size_t(i)];
        AlarmRow &row = m_alarms[size_t(i)];
        row.time = newField(frame, n.time, a.time);
        row.time->setMaximumWidth(timeWidth);
        row.sound = newField(frame, n.sound, a.sound);
        row.sound->setMinimumWidth(150);
        auto *browse = newBrowse(frame, n.browse);
        row.message = newField(frame, n.message, a.message);
        row.message->setMinimumWidth(90);
        grid->addWidget(newLabel(frame, n.caption), i + 1, 0);
        grid->addWidget(row.time, i + 1, 1);
        grid->addWidget(row.sound, i + 1, 2);
        grid->addWidget(browse, i + 1, 3);
        grid->addWidget(row.message, i + 1, 4);
        row.detail = newButton(frame, n.detail, text::AlarmDetailButton);
        grid->addWidget(row.detail, i + 1, 5);
        QLineEdit *sound = row.sound, *time = row.time;
        connect(browse, &QPushButton::clicked, this,
                [this, sound] { chooseInto(sys.choose, soundChoice(sound->text()), sound); });
        onFieldLeft(time, [this, time] { timeLeft(time); });
        onFieldLeft(sound, [this, sound, field = a.sound, &n] { fileLeft(sound, field, n.missing); });
    }
    grid->setColumnStretch(2, 3);
    grid->setColumnStretch(4, 2);
    m_shutdown = newField(frame, id::shutdownTime, &Settings::shutdownTime);
    m_shutdown->setMaximumWidth(timeWidth);
    onFieldLeft(m_shutdown, [this] { timeLeft(m_shutdown); });
    m_mustShutDown = newBox(frame, id::mustShutDown, text::BoxForceShutdown);
    auto *shutdownRow = new QHBoxLayout;
    shutdownRow->addWidget(newLabel(frame, text::ShutdownTimeLabel));
    shutdownRow->addWidget(m_shutdown);
    shutdownRow->addWidget(m_mustShutDown);
    shutdownRow->addStretch();
    grid->addLayout(shutdownRow, 4, 0, 1, 6);
    return frame;
}

QLayout *SettingsDialog::buildButtons()
{
    // OK is the default button: Enter is OK, after the same checks as a click.
    m_ok = newButton(this, id::okButton, text::Ok);
    m_ok->setDefault(true);
    auto *cancel = newButton(this, id::cancelButton, text::Cancel);
    auto *about = newButton(this, id::aboutButton, text::About);
    m_autostart = newBox(this, id::startAtLogin, text::BoxStartAtLogin);
    auto *quit = newButton(this, id::quitButton, text::QuitClock);
    connect(m_ok, &QPushButton::clicked, this, &SettingsDialog::ok);
    connect(cancel, &QPushButton::clicked, this, &SettingsDialog::cancel);
    connect(quit, &QPushButton::clicked, this, &SettingsDialog::quit);
    connect(about, &QPushButton::clicked, this, &SettingsDialog::openAbout);
    auto *row = new QHBoxLayout;
    row->addWidget(m_ok);
    row->addWidget(cancel);
    row->addWidget(about);
    row->addStretch();
    row->addWidget(m_autostart);
    row->addWidget(quit);
    return row;
}

void SettingsDialog::openSubDialogs()
{
    Settings &w = m_params.working();
    connect(m_slideshow, &QPushButton::clicked, this,
            [this, &w] { openSub(new SlideshowDialog(w, sys), m_slideshow); });
    connect(m_size, &QPushButton::clicked, this, [this, &w] {
        auto *d = new SizeDialog(w, sys);
        openSub(d, m_size);
        d->addClockSize();
        d->focusSizeField();
    });
    connect(m_chime, &QPushButton::clicked, this, [this, &w] { openSub(new ChimeDialog(w, sys), m_chime); });
    for (int i = 0; i < kAlarmCount; ++i) {
        QPushButton *detail = m_alarms[size_t(i)].detail;
        connect(detail, &QPushButton::clicked, this, [this, &w, i, detail] {
            AlarmTrial trial{m_host.trialSound(), [this] { return m_host.alarmRings(); },
                             m_alarms[size_t(i)].sound->text(), m_alarms[size_t(i)].time->text()};
            openSub(new AlarmDialog(w, sys, i, std::move(trial)), detail);
        });
    }
}

void SettingsDialog::applyClickRules()
{
    m_chime->setEnabled(m_jihou->isChecked());
    m_slideshow->setEnabled(m_slideshowOn->isChecked());
    m_pictureBrowse->setEnabled(!m_slideshowOn->isChecked());
    m_picture->setEnabled(!m_slideshowOn->isChecked());
    m_size->setEnabled(m_freeSize->isChecked());
}

void SettingsDialog::fill()
{
    const Settings &s = m_params.working();
    // A path start-up keeps for a missing file shows, so that it can be let go.
    auto shown = [this, &s](QString Settings::*field) {
        return (s.*field).isEmpty() ? m_params.kept(field) : s.*field;
    };
    m_picture->setText(shown(&Settings::boardPicture));
    for (const Box &b : boxes())
        (this->*b.box)->setChecked(s.*b.setting);
    m_roman->setChecked(s.romanNumerals != StoredFalse);
    for (int i = 0; i < 6; ++i)
        m_colours[size_t(i)]->setColor(quint32(s.*kColourRows[i].setting));
    for (size_t i = 0; i < kAlarmCount; ++i) {
        m_alarms[i].time->setText(s.*kAlarmSettings[i].time);
        m_alarms[i].sound->setText(shown(kAlarmSettings[i].sound));
        m_alarms[i].message->setText(s.*kAlarmSettings[i].message);
    }
    m_shutdown->setText(s.shutdownTime);
    m_autostart->setChecked(autostartOn());
    applyClickRules();
    centreOnScreen(this);
    raise();
}

Settings SettingsDialog::present() const
{
    Settings s = m_params.working();
    const QPoint at = m_host.windowTwips();
    s.leftTwips = at.x();
    s.topTwips = at.y();
    s.boardPicture = m_picture->text();
    for (const Box &b : boxes())
        s.*b.setting = (this->*b.box)->isChecked();
    s.romanNumerals = m_roman->isChecked() ? StoredTrue : StoredFalse;
    for (int i = 0; i < 6; ++i)
        s.*kColourRows[i].setting = qint32(m_colours[size_t(i)]->color());
    for (size_t i = 0; i < kAlarmCount; ++i) {
        s.*kAlarmSettings[i].time = m_alarms[i].time->text();
        s.*kAlarmSettings[i].sound = m_alarms[i].sound->text();
        s.*kAlarmSettings[i].message = m_alarms[i].message->text();
    }
    s.shutdownTime = m_shutdown->text();
    // An open sub-dialog counts with its fields as the user has them.
    if (m_sub)
        m_sub->applyFields(s);
    return s;
}

bool SettingsDialog::unchanged() const
{
    return !firstDifference(present(), m_params.saved());
}

void SettingsDialog::askToSave(std::function<void(bool goOn)> then)
{
    if (unchanged()) {
        then(true);
        return;
    }
    // Yes saves, No does not; Escape and the close box take the quit back.
    sys.msg.ask(
        text::ChangedQuestion1 + text::CRLF + text::CRLF + text::ChangedQuestion2,
        [this, guard = QPointer<SettingsDialog>(this), &msg = sys.msg, then = std::move(then)](MessageBoxes::Answer a) {
            if (a == MessageBoxes::Answer::Closed) {
                then(false);
                return;
            }
            if (a == MessageBoxes::Answer::Yes && guard && !saveAsShown()) {
                // The failure's message is read before the program ends.
                msg.whenAllClosed([then] { then(true); });
                return;
            }
            then(true);
        },
        true, true);
}

bool SettingsDialog::saveAsShown()
{
    Settings s = present();
    m_params.settleKept(s);
    // The quit cannot stay for a fix: a time is completed as on leaving its
    // field, and one that could never ring keeps the time saved before.
    for (QString Settings::*time :
         {kAlarmSettings[0].time, kAlarmSettings[1].time, kAlarmSettings[2].time, &Settings::shutdownTime}) {
        s.*time = completeTime(s.*time);
        if (timeRejected(s.*time))
            s.*time = m_params.saved().*time;
    }
    m_params.working() = s;
    return m_host.saveSettings();
}

void SettingsDialog::setFacePicture(const QString &path)
{
    m_picture->setText(path);
}

QString SettingsDialog::facePicture() const
{
    return m_picture->text();
}

void SettingsDialog::bringToFront()
{
    QWidget *front = m_sub ? static_cast<QWidget *>(m_sub.data()) : m_about ? m_about.data() : this;
    front->raise();
    front->activateWindow();
}

bool SettingsDialog::timesCanRing()
{
    // A time that is no hh:mm would be stored and never ring: as on leaving
    // the field, a beep and the focus back, and the dialog stays.
    QLineEdit *const times[] = {m_alarms[0].time, m_alarms[1].time, m_alarms[2].time, m_shutdown};
    for (QLineEdit *f : times) {
        f->setText(completeTime(f->text()));
        if (timeRejected(f->text())) {
            sys.msg.beep();
            f->setFocus();
            return false;
        }
    }
    return true;
}

bool SettingsDialog::pictureCanShow()
{
    // A typed picture the face cannot show is refused as a drop of it is:
    // saved, it would leave the face without its board at every start. The
    // stored one is let through, told of at start-up already.
    const QString typed = m_picture->text();
    if (!m_picture->isEnabled() || typed.isEmpty() || typed == m_params.saved().boardPicture
        || !pathExists(typed, PathKind::File) || !readPictureFile(typed, kPictureCheckSize).isNull())
        return true;
    sys.msg.inform(text::CannotShowPicture);
    m_picture->setFocus();
    return false;
}

void SettingsDialog::ok()
{
    if (!timesCanRing() || !pictureCanShow())
        return;
    Settings s = present();
    m_params.settleKept(s);
    // Not one of the stored settings: the autostart entry is there or not.
    if (m_autostart->isChecked() != autostartOn()
        && !setAutostart(m_autostart->isChecked(), sys.appDir, sys.appDir + QStringLiteral("/dialvane")))
        sys.msg.inform(text::withPath(text::AutostartFailed, autostartPath()));
    m_host.settingsAccepted(s);
    putAway();
}

void SettingsDialog::cancel()
{
    // The fields keep what was typed: the tray's opening shows it again.
    m_host.settingsClosed();
    putAway();
}

void SettingsDialog::putAway()
{
    // The field with the focus loses it as the dialog goes: that is no leaving
    // it, so no check, no message and no emptied field after OK or CANCEL.
    const QScopedValueRollback<bool> going(m_closing, true);
    setEnabled(false);
    hide();
}

void SettingsDialog::quit()
{
    askToSave([this](bool goOn) {
        if (!goOn)
            return; // the dialog stays as it was
        m_closing = true;
        m_host.quitClock();
    });
}

void SettingsDialog::openSub(SubDialog *d, QPushButton *opener)
{
    // Each sub-dialog gives the dialog back, with the focus on its button.
    connect(d, &SubDialog::closed, this, [this, opener] {
        setEnabled(true);
        raise();
        activateWindow();
        opener->setFocus();
    });
    delete m_sub.data();
    m_sub = d;
    setEnabled(false);
    d->show();
    belongTo(d, this);
    d->raise();
    d->activateWindow();
}

void SettingsDialog::openAbout()
{
    auto *about = new AboutBox;
    about->setAttribute(Qt::WA_DeleteOnClose);
    m_about = about;
    connect(about, &QObject::destroyed, this, [this] {
        setEnabled(true);
        raise();
    });
    about->centre();
    about->show();
    belongTo(about, this);
    about->raise();
    about->activateWindow(); // the keyboard with it: Escape and Enter close it
    setEnabled(false);
}

void SettingsDialog::timeLeft(QLineEdit *f)
{
    // On the way to OK, OK itself checks (and beeps once).
    if (m_closing || !isVisible() || QApplication::focusWidget() == m_ok)
        return;
    f->setText(completeTime(f->text()));
    if (timeRejected(f->text())) {
        sys.msg.beep();
        f->setFocus();
    }
}

void SettingsDialog::fileLeft(QLineEdit *f, QString Settings::*field, const QString &message)
{
    if (m_closing || f->text().isEmpty() || pathExists(f->text(), PathKind::File))
        return;
    // A kept path still shown as it was: start-up has told of it, and only the
    // user emptying or changing the field lets it go, not a click elsewhere.
    if (f->text() == m_params.kept(field))
        return;
    sys.msg.inform(text::withPath(message, f->text()));
    f->clear();
    if (isVisible())
        f->setFocus();
}

void SettingsDialog::closeEvent(QCloseEvent *e)
{
    // The close box: the dialog goes, the clock comes back.
    m_closing = true;
    e->accept();
    setAttribute(Qt::WA_DeleteOnClose);
    m_host.settingsClosed();
}

void SettingsDialog::keyPressEvent(QKeyEvent *e)
{
    // Escape is CANCEL: QDialog would hide the dialog without bringing the clock back.
    if (e->key() == Qt::Key_Escape) {
        cancel();
        return;
    }
    QDialog::keyPressEvent(e);
}

} // namespace dv
