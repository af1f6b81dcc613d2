#include "dialogs/SettingsDialog.h"

#include "dialogs/Checks.h"
#include "dialogs/SubDialogs.h"
#include "interaction/AboutBox.h"
#include "resources/Texts.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dv {

namespace {
// The settings each check box shows, Check1 ... Check12.
constexpr StoredBool Settings::*kChecked[12] = {
    &Settings::DrawSecond,    &Settings::TopMost,    &Settings::Jihou,         &Settings::MustShutDown,
    &Settings::Transparent,   &Settings::ShadowFlag, &Settings::DrawChar,      &Settings::SlideBmp,
    &Settings::OnMouseToHide, &Settings::Mag2Flag,   &Settings::DrawFrameFlag, &Settings::CharPattern};
// The colours of the swatches, Picture1 ... Picture6.
constexpr qint32 Settings::*kColours[6] = {&Settings::HourColor, &Settings::MinuteColor, &Settings::SecondColor,
                                           &Settings::CharColor, &Settings::BoardColor,  &Settings::FrameColor};
constexpr QString Settings::*kTimes[3] = {&Settings::AlarmTime1, &Settings::AlarmTime2, &Settings::AlarmTime3};
constexpr QString Settings::*kSounds[3] = {&Settings::AlarmSound1, &Settings::AlarmSound2, &Settings::AlarmSound3};
} // namespace

SettingsDialog::SettingsDialog(Parameters &params, Platform &platform, SettingsHost &host, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_params(params)
    , sys(platform)
    , m_host(host)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(text::SettingsCaption);
    build();
    fill();
}

SettingsDialog::~SettingsDialog()
{
    m_closing = true; // the fields lose the focus as they go: no checks then
    delete m_sub.data();
}

void SettingsDialog::build()
{
    auto button = [this](const char *name, const QString &caption) { return newButton(this, name, caption); };
    auto field = [this](const char *name, int width) {
        QLineEdit *f = newField(this, name);
        f->setMinimumWidth(width);
        return f;
    };
    auto label = [this](const char *name, const QString &caption) { return newLabel(this, name, caption); };

    // The face picture row.
    m_picture = field("Text1", 320);
    m_pictureBrowse = button("Command4", text::Browse);
    auto *pictureRow = new QHBoxLayout;
    pictureRow->addWidget(label("Label1", text::FacePictureLabel));
    pictureRow->addWidget(m_picture, 1);
    pictureRow->addWidget(m_pictureBrowse);

    // The check boxes, their buttons to the right, the colours beside the lower ones.
    const QString captions[12] = {text::CheckDrawSecond,   text::CheckTopMost,     text::CheckJihou,
                                  text::CheckMustShutDown, text::CheckTransparent, text::CheckShadow,
                                  text::CheckDrawChar,     text::CheckSlideBmp,    text::CheckOnMouseToHide,
                                  text::CheckMag2,         text::CheckDrawFrame,   text::CheckRoman};
    for (int i = 0; i < 12; ++i) {
        m_checks[size_t(i)] = new QCheckBox(captions[i], this);
        m_checks[size_t(i)]->setObjectName(QStringLiteral("Check%1").arg(i + 1));
    }
    m_slideshow = button("Command13", text::SlideshowButton);
    m_size = button("Command15", text::SizeButton);
    m_chime = button("Command17", text::ChimeButton);

    auto *colours = new QGroupBox(text::ColourFrame, this);
    colours->setObjectName(QStringLiteral("Frame1"));
    auto *colourGrid = new QGridLayout(colours);
    const char *labelNames[6] = {"Label2", "Label3", "Label4", "Label11", "Label12", "Label13"};
    const QString labelTexts[6] = {text::ColourHour, text::ColourMinute, text::ColourSecond,
                                   text::ColourChar, text::ColourBoard,  text::ColourFrameRing};
    const char *pickNames[6] = {"Command5", "Command6", "Command7", "Command11", "Command12", "Command16"};
    for (int i = 0; i < 6; ++i) {
        auto *sw = new Swatch(colours);
        sw->setObjectName(QStringLiteral("Picture%1").arg(i + 1));
        m_swatches[size_t(i)] = sw;
        auto *pick = button(pickNames[i], text::Browse);
        auto choose = [this, sw] {
            // Cancelled: the swatch keeps its colour.
            if (const std::optional<quint32> c = sys.choose.color())
                sw->setColor(*c);
        };
        connect(sw, &Swatch::clicked, this, choose);
        connect(pick, &QPushButton::clicked, this, choose);
        auto *l = new QLabel(labelTexts[i], colours);
        l->setObjectName(objectNamed(labelNames[i]));
        colourGrid->addWidget(l, i, 0);
        colourGrid->addWidget(sw, i, 1);
        colourGrid->addWidget(pick, i, 2);
    }

    // Check8, Check10, Check2, Check1, Check6, Check7, Check11, Check9, Check12, Check5, Check3.
    const int order[11] = {8, 10, 2, 1, 6, 7, 11, 9, 12, 5, 3};
    auto *middle = new QGridLayout;
    for (int row = 0; row < 11; ++row)
        middle->addWidget(m_checks[size_t(order[row] - 1)], row, 0);
    middle->addWidget(m_slideshow, 0, 1);
    middle->addWidget(m_size, 1, 1);
    middle->addWidget(m_chime, 10, 1);
    middle->addWidget(colours, 2, 1, 8, 1);

    // Alarms and the shutdown.
    auto *alarms = new QGroupBox(text::AlarmFrame, this);
    alarms->setObjectName(QStringLiteral("Frame2"));
    auto *alarmGrid = new QGridLayout(alarms);
    alarmGrid->addWidget(label("Label5", text::AlarmTimeLabel), 0, 1);
    alarmGrid->addWidget(label("Label6", text::AlarmSoundLabel), 0, 2);
    const char *rowNames[3] = {"Label7", "Label8", "Label9"};
    const QString rowTexts[3] = {text::AlarmRow1, text::AlarmRow2, text::AlarmRow3};
    const char *timeNames[3] = {"Text2", "Text3", "Text4"};
    const char *soundNames[3] = {"Text5", "Text6", "Text7"};
    const char *browseNames[3] = {"Command8", "Command9", "Command10"};
    const QString *missing[3] = {&text::AlarmSoundMissing1, &text::AlarmSoundMissing2, &text::AlarmSoundMissing3};
    const int timeWidth = fontMetrics().horizontalAdvance(QStringLiteral("00:00")) * 2;
    for (int i = 0; i < 3; ++i) {
        m_times[size_t(i)] = field(timeNames[i], 60);
        m_times[size_t(i)]->setMaximumWidth(timeWidth);
        m_sounds[size_t(i)] = field(soundNames[i], 280);
        auto *browse = button(browseNames[i], text::Browse);
        alarmGrid->addWidget(label(rowNames[i], rowTexts[i]), i + 1, 0);
        alarmGrid->addWidget(m_times[size_t(i)], i + 1, 1);
        alarmGrid->addWidget(m_sounds[size_t(i)], i + 1, 2);
        alarmGrid->addWidget(browse, i + 1, 3);
        QLineEdit *sound = m_sounds[size_t(i)];
        connect(browse, &QPushButton::clicked, this,
                [this, sound] { chooseInto(sys.choose, soundChoice(sys.appDir), sound); });
        QLineEdit *time = m_times[size_t(i)];
        onFieldLeft(time, [this, time] { timeLeft(time); });
        const QString message = *missing[i];
        onFieldLeft(sound, [this, sound, message] { fileLeft(sound, message); });
    }
    alarmGrid->setColumnStretch(2, 1);
    m_shutdown = field("Text8", 60);
    m_shutdown->setMaximumWidth(timeWidth);
    onFieldLeft(m_shutdown, [this] { timeLeft(m_shutdown); });
    auto *shutdownRow = new QHBoxLayout;
    shutdownRow->addWidget(label("Label10", text::ShutdownTimeLabel));
    shutdownRow->addWidget(m_shutdown);
    shutdownRow->addWidget(m_checks[3]);
    shutdownRow->addStretch();
    alarmGrid->addLayout(shutdownRow, 4, 0, 1, 4);

    // OK, CANCEL, About and the quit.
    auto *ok = button("Command1", text::Ok);
    auto *cancel = button("Command2", text::Cancel);
    auto *about = button("Command14", text::About);
    auto *quit = button("Command3", text::QuitClock);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    bottom->addWidget(about);
    bottom->addStretch();
    bottom->addWidget(quit);

    auto *all = new QVBoxLayout(this);
    all->addLayout(pictureRow);
    all->addLayout(middle);
    all->addWidget(alarms);
    all->addLayout(bottom);
    all->setSizeConstraint(QLayout::SetMinimumSize);

    // Tab goes as the eye reads: down the boxes with their buttons, the
    // colours, the alarms, then OK ... the quit, and round to the top.
    QList<QWidget *> chain{m_picture, m_pictureBrowse};
    for (int n : order) {
        chain << m_checks[size_t(n - 1)];
        if (n == 8)
            chain << m_slideshow;
        if (n == 10)
            chain << m_size;
        if (n == 3)
            chain << m_chime;
    }
    for (const char *pick : pickNames)
        chain << findChild<QPushButton *>(objectNamed(pick));
    for (int i = 0; i < 3; ++i)
        chain << m_times[size_t(i)] << m_sounds[size_t(i)] << findChild<QPushButton *>(objectNamed(browseNames[i]));
    chain << m_shutdown << m_checks[3] << ok << cancel << about << quit;
    for (qsizetype i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);

    onFieldLeft(m_picture, [this] { fileLeft(m_picture, text::BoardPictureMissing); });
    connect(m_pictureBrowse, &QPushButton::clicked, this,
            [this] { chooseInto(sys.choose, pictureChoice(sys.appDir), m_picture); });
    for (QCheckBox *c : {m_checks[2], m_checks[7], m_checks[9]})
        connect(c, &QCheckBox::toggled, this, &SettingsDialog::applyClickRules);
    connect(ok, &QPushButton::clicked, this, &SettingsDialog::ok);
    connect(cancel, &QPushButton::clicked, this, &SettingsDialog::cancel);
    connect(quit, &QPushButton::clicked, this, &SettingsDialog::quit);
    connect(about, &QPushButton::clicked, this, &SettingsDialog::openAbout);
    // Each sub-dialog gives the dialog back, with the focus on its button.
    Settings &w = m_params.working();
    auto back = [this](QPushButton *opener) {
        return [this, opener] {
            setEnabled(true);
            raise();
            activateWindow();
            opener->setFocus();
        };
    };
    connect(m_slideshow, &QPushButton::clicked, this,
            [this, &w, back] { openSub(new SlideshowDialog(w, sys, back(m_slideshow))); });
    connect(m_size, &QPushButton::clicked, this, [this, &w, back] {
        auto *d = new SizeDialog(w, sys, back(m_size));
        openSub(d);
        sys.pump.yield();
        d->addClockSize();
        d->findChild<QLineEdit *>(QStringLiteral("Text1"))->setFocus();
    });
    connect(m_chime, &QPushButton::clicked, this,
            [this, &w, back] { openSub(new ChimeDialog(w, sys, back(m_chime))); });
}

void SettingsDialog::applyClickRules()
{
    m_chime->setEnabled(m_checks[2]->isChecked());
    m_slideshow->setEnabled(m_checks[7]->isChecked());
    m_pictureBrowse->setEnabled(!m_checks[7]->isChecked());
    m_picture->setEnabled(!m_checks[7]->isChecked());
    m_size->setEnabled(m_checks[9]->isChecked());
}

void SettingsDialog::fill()
{
    const Settings &s = m_params.working();
    m_picture->setText(s.BackImage);
    for (int i = 0; i < 12; ++i)
        m_checks[size_t(i)]->setChecked(s.*kChecked[i] != 0);
    for (int i = 0; i < 6; ++i)
        m_swatches[size_t(i)]->setColor(quint32(s.*kColours[i]));
    for (int i = 0; i < 3; ++i) {
        m_times[size_t(i)]->setText(s.*kTimes[i]);
        m_sounds[size_t(i)]->setText(s.*kSounds[i]);
    }
    m_shutdown->setText(s.ShutDownTime);
    applyClickRules();
    centreOnScreen(this);
    raise();
}

Settings SettingsDialog::present() const
{
    Settings s = m_params.working();
    const QPoint at = m_host.windowTwips();
    s.FormLeft = at.x();
    s.FormTop = at.y();
    s.BackImage = m_picture->text();
    for (int i = 0; i < 12; ++i)
        s.*kChecked[i] = m_checks[size_t(i)]->isChecked() ? StoredTrue : StoredFalse;
    for (int i = 0; i < 6; ++i)
        s.*kColours[i] = qint32(m_swatches[size_t(i)]->color());
    for (int i = 0; i < 3; ++i) {
        s.*kTimes[i] = m_times[size_t(i)]->text();
        s.*kSounds[i] = m_sounds[size_t(i)]->text();
    }
    s.ShutDownTime = m_shutdown->text();
    // An open sub-dialog counts with its fields as the user has them.
    if (m_sub)
        m_sub->applyFields(s);
    return s;
}

bool SettingsDialog::unchanged() const
{
    return firstDifference(present(), m_params.saved()) == 0;
}

void SettingsDialog::askToSave()
{
    if (unchanged())
        return;
    if (!sys.msg.ask(text::ChangedQuestion1 + text::CRLF + text::CRLF + text::ChangedQuestion2, true))
        return;
    m_params.working() = present();
    m_host.saveSettings();
}

void SettingsDialog::setFacePicture(const QString &path)
{
    m_picture->setText(path);
}

QString SettingsDialog::facePicture() const
{
    return m_picture->text();
}

void SettingsDialog::ok()
{
    m_host.settingsAccepted(present());
    setEnabled(false);
    hide();
}

void SettingsDialog::cancel()
{
    // The fields keep what was typed: the tray's opening shows it again.
    m_host.settingsClosed();
    setEnabled(false);
    hide();
}

void SettingsDialog::quit()
{
    askToSave();
    m_closing = true;
    m_host.quitClock();
}

void SettingsDialog::openSub(SubDialog *d)
{
    delete m_sub.data();
    m_sub = d;
    setEnabled(false);
    d->show();
    d->raise();
    d->activateWindow();
}

void SettingsDialog::openAbout()
{
    auto *about = new AboutBox;
    about->setAttribute(Qt::WA_DeleteOnClose);
    connect(about, &QObject::destroyed, this, [this] {
        setEnabled(true);
        raise();
    });
    about->centre();
    about->show();
    about->raise();
    setEnabled(false);
}

void SettingsDialog::timeLeft(QLineEdit *f)
{
    if (m_closing || !isVisible())
        return;
    f->setText(completeTime(f->text()));
    if (timeRejected(f->text())) {
        sys.msg.beep();
        f->setFocus();
    }
}

void SettingsDialog::fileLeft(QLineEdit *f, const QString &message)
{
    if (m_closing || f->text().isEmpty() || pathExists(f->text(), PathKind::File))
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
    // Escape would hide the dialog without bringing the clock back.
    if (e->key() == Qt::Key_Escape) {
        cancel();
        return;
    }
    QDialog::keyPressEvent(e);
}

} // namespace dv
