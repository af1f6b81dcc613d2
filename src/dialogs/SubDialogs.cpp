// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/SubDialogs.h"

#include "alarm/Schedule.h"
#include "dialogs/Checks.h"
#include "dialogs/DialogParts.h"
#include "face/Slideshow.h"
#include "platform/WakeReason.h"
#include "platform/WindowCentre.h"
#include "resources/ObjectNames.h"
#include "resources/Product.h"
#include "resources/Texts.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace dv {

SubDialog::SubDialog(const char *name, const QString &caption, Settings &working, Platform &platform)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_working(working)
    , sys(platform)
{
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);
}

SubDialog::~SubDialog()
{
    emit closed();
}

QHBoxLayout *SubDialog::okCancelRow(const QString &okCaption)
{
    m_ok = newButton(this, id::okButton, okCaption);
    m_ok->setDefault(true);
    auto *cancel = newButton(this, id::cancelButton, text::Cancel);
    connect(m_ok, &QPushButton::clicked, this, [this] {
        if (!acceptable())
            return;
        applyFields(m_working);
        close();
    });
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(m_ok);
    row->addWidget(cancel);
    return row;
}

void SubDialog::keyPressEvent(QKeyEvent *e)
{
    // QDialog would only hide it: CANCEL closes, deletes and gives the settings back.
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QDialog::keyPressEvent(e);
}

// ---- slideshow ----

namespace {
struct Format {
    const char *box;
    const text::Text &caption;
};
// Bit i of slideshowFormats is box i. PNG and WebP came last, on bits 6 and 7, so
// that stored masks keep their meaning.
const Format kFormats[8] = {
    {id::formatBmp, text::FormatBmp}, {id::formatGif, text::FormatGif},   {id::formatJpeg, text::FormatJpeg},
    {id::formatRle, text::FormatRle}, {id::formatDib, text::FormatDib},   {id::formatIco, text::FormatIco},
    {id::formatPng, text::FormatPng}, {id::formatWebp, text::FormatWebp},
};
} // namespace

SlideshowDialog::SlideshowDialog(Settings &working, Platform &platform)
    : SubDialog(id::slideshowDialog, text::SlideshowCaption, working, platform)
{
    m_folder = newField(this, id::slideshowFolder, &Settings::slideshowFolder);
    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_model->setRootPath(QStringLiteral("/"));
    m_tree = new QTreeView(this);
    m_tree->setObjectName(QString::fromLatin1(id::folderTree));
    m_tree->setModel(m_model);
    for (int c = 1; c < m_model->columnCount(); ++c)
        m_tree->hideColumn(c);
    m_tree->header()->hide();
    m_tree->setMinimumSize(220, 160);
    m_interval = newField(this, id::slideInterval, &Settings::slideInterval);
    m_intervals = new QListWidget(this);
    m_intervals->setObjectName(QString::fromLatin1(id::slideIntervals));
    for (const QString &label : slideIntervalLabels())
        m_intervals->addItem(slideIntervalShown(label));
    auto *formats = new QGroupBox(text::SlideFormatsFrame, this);
    auto *grid = new QGridLayout(formats);
    for (int i = 0; i < 8; ++i) {
        m_formats[size_t(i)] = new QCheckBox(kFormats[i].caption, formats);
        m_formats[size_t(i)]->setObjectName(QString::fromLatin1(kFormats[i].box));
        // BMP, GIF, JPEG left; RLE, DIB, icon beside them; PNG and WebP last.
        grid->addWidget(m_formats[size_t(i)], i % 3, i / 3);
    }

    auto *columns = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(newLabel(this, text::SlideFolderLabel));
    left->addWidget(m_folder);
    left->addWidget(m_tree);
    auto *right = new QVBoxLayout;
    right->addWidget(newLabel(this, text::SlideIntervalLabel));
    right->addWidget(m_interval);
    right->addWidget(m_intervals);
    columns->addLayout(left, 2);
    columns->addLayout(right, 1);
    auto *all = new QVBoxLayout(this);
    all->addLayout(columns);
    all->addWidget(formats);
    all->addLayout(okCancelRow(text::OkWide));

    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &i) { m_folder->setText(m_model->filePath(i)); });
    connect(m_intervals, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { m_interval->setText(item->text()); });
    // The tree fills in as the folders are read, and sorts itself after: once
    // the stored folder's parent is read and sorted, it is scrolled to, once.
    connect(m_model, &QFileSystemModel::directoryLoaded, this, [this](const QString &path) {
        if (!m_scrollTo.isEmpty() && QFileInfo(m_scrollTo).path() == path)
            m_parentRead = true;
    });
    connect(m_model, &QAbstractItemModel::layoutChanged, this, [this] {
        if (!m_parentRead || m_scrollTo.isEmpty())
            return;
        m_tree->scrollTo(m_model->index(m_scrollTo), QAbstractItemView::PositionAtCenter);
        m_scrollTo.clear();
    });
    fill();
    fitToScreen(this);
    centreOnScreen(this);
}

void SlideshowDialog::fill()
{
    m_interval->setText(slideIntervalShown(m_working.slideInterval));
    // A folder that is gone leaves the tree where it is and shows the stored text.
    const QModelIndex at = m_model->index(m_working.slideshowFolder);
    if (at.isValid()) {
        m_tree->setCurrentIndex(at);
        m_tree->scrollTo(at, QAbstractItemView::PositionAtCenter);
        m_scrollTo = m_model->filePath(at);
    }
    m_folder->setText(m_working.slideshowFolder);
    for (int i = 0; i < 8; ++i)
        m_formats[size_t(i)]->setChecked(m_working.slideshowFormats & (1 << i));
}

void SlideshowDialog::applyFields(Settings &s) const
{
    s.slideshowFolder = m_folder->text();
    s.slideInterval = slideIntervalStored(m_interval->text());
    quint8 mask = 0;
    for (int i = 0; i < 8; ++i)
        mask |= m_formats[size_t(i)]->isChecked() ? quint8(1 << i) : 0;
    s.slideshowFormats = mask;
}

// ---- size ----

SizeDialog::SizeDialog(Settings &working, Platform &platform)
    : SubDialog(id::sizeDialog, text::SizeCaption, working, platform)
{
    m_size = new QLineEdit(this);
    m_size->setObjectName(QString::fromLatin1(id::clockSize));
    m_size->setMaxLength(12);
    m_sizes = new QListWidget(this);
    m_sizes->setObjectName(QString::fromLatin1(id::clockSizes));
    QFont mono = m_sizes->font();
    mono.setStyleHint(QFont::Monospace);
    mono.setFamily(QStringLiteral("monospace"));
    m_sizes->setFont(mono); // the sizes are right-aligned with spaces
    // Wide enough for the longest entry, the screen's own, with the scroll bar beside it.
    const QFontMetrics fm(mono);
    int widest = fm.horizontalAdvance(text::ScreenSizeEntry);
    for (const QString &e : clockSizeEntries(screenHeight()))
        widest = qMax(widest, fm.horizontalAdvance(e));
    m_sizes->setMinimumWidth(widest + m_sizes->verticalScrollBar()->sizeHint().width() + 4 * m_sizes->frameWidth()
                             + 12);
    auto *top = new QHBoxLayout;
    top->addWidget(m_size);
    top->addWidget(newLabel(this, text::Pixel));
    auto *all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(m_sizes);
    all->addLayout(okCancelRow(text::OkWide));

    m_size->setText(QString::number(m_working.clockSize));
    onFieldLeft(m_size, [this] {
        // On the way to OK, OK itself checks (without checking twice).
        if (QApplication::focusWidget() == okButton())
            return;
        if (!m_size->text().isEmpty() && !sizeAccepted(m_size->text(), screenHeight()))
            m_size->setFocus();
    });
    connect(m_sizes, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { m_size->setText(pickedSize(item->text(), workAreaHeight())); });
    addClockSize();
    fitToScreen(this);
    centreOnScreen(this);
}

double SizeDialog::screenHeight() const
{
    return sys.screen.sizePx().height();
}

double SizeDialog::workAreaHeight() const
{
    // The screen's own size puts the clock's lower part under a panel: the
    // screen entry means the height a clock can show whole.
    return sys.screen.workAreasPx().value(0, QRect(QPoint(0, 0), sys.screen.sizePx())).height();
}

void SizeDialog::addClockSize()
{
    m_sizes->clear();
    m_sizes->addItems(clockSizeEntries(screenHeight()));
}

void SizeDialog::focusSizeField()
{
    m_size->setFocus();
}

bool SizeDialog::acceptable()
{
    // An empty field, a text that is no number, or a size the clock cannot
    // take (below 60, above the screen) keeps the dialog open.
    if (sizeAccepted(m_size->text(), screenHeight()))
        return true;
    m_size->setFocus();
    return false;
}

void SizeDialog::applyFields(Settings &s) const
{
    if (const auto size = sizeFromText(m_size->text()))
        s.clockSize = *size;
}

// ---- time signal ----

ChimeDialog::ChimeDialog(Settings &working, Platform &platform)
    : SubDialog(id::chimeDialog, text::ChimeCaption, working, platform)
{
    m_hourFile = newField(this, id::hourChimeFile, &Settings::hourChimeFile);
    auto *hourBrowse = newButton(this, id::hourChimeBrowse, text::Browse);
    m_halfHour = new QCheckBox(text::ChimeHalfHour, this);
    m_halfHour->setObjectName(QString::fromLatin1(id::halfHourChime));
    m_halfFile = newField(this, id::halfHourChimeFile, &Settings::halfHourChimeFile);
    m_halfFile->setMinimumWidth(280);
    m_halfBrowse = newButton(this, id::halfHourChimeBrowse, text::Browse);
    auto *grid = new QGridLayout;
    grid->addWidget(newLabel(this, text::ChimeHourLabel), 0, 0);
    grid->addWidget(m_hourFile, 0, 1);
    grid->addWidget(hourBrowse, 0, 2);
    grid->addWidget(m_halfHour, 1, 0);
    grid->addWidget(m_halfFile, 1, 1);
    grid->addWidget(m_halfBrowse, 1, 2);
    auto *all = new QVBoxLayout(this);
    all->addWidget(newLabel(this, text::ChimeFileLabel));
    all->addLayout(grid);
    all->addLayout(okCancelRow(text::OkWide));

    m_hourFile->setText(m_working.hourChimeFile);
    m_halfFile->setText(m_working.halfHourChimeFile);
    m_halfHour->setChecked(m_working.halfHourChime);
    followHalfHour();
    connect(m_halfHour, &QCheckBox::toggled, this, &ChimeDialog::followHalfHour);
    connect(hourBrowse, &QPushButton::clicked, this,
            [this] { chooseInto(sys.choose, soundChoice(m_hourFile->text()), m_hourFile); });
    connect(m_halfBrowse, &QPushButton::clicked, this,
            [this] { chooseInto(sys.choose, soundChoice(m_halfFile->text()), m_halfFile); });
    fitToScreen(this);
    centreOnScreen(this);
}

void ChimeDialog::followHalfHour()
{
    m_halfFile->setEnabled(m_halfHour->isChecked());
    m_halfBrowse->setEnabled(m_halfHour->isChecked());
}

void ChimeDialog::applyFields(Settings &s) const
{
    s.hourChimeFile = m_hourFile->text();
    s.halfHourChimeFile = m_halfFile->text();
    s.halfHourChime = m_halfHour->isChecked();
}

// ---- one alarm ----

AlarmDialog::AlarmDialog(Settings &working, Platform &platform, int alarm, AlarmTrial trial)
    : SubDialog(id::alarmDialog, text::alarmDetailCaption(alarm + 1), working, platform)
    , m_alarm(alarm)
    , m_trial(std::move(trial))
{
    const AlarmSettings &a = kAlarmSettings[size_t(alarm)];
    auto *days = new QHBoxLayout;
    for (size_t d = 0; d < m_days.size(); ++d) {
        m_days[d] = new QCheckBox(text::Weekdays[d], this);
        m_days[d]->setObjectName(QLatin1String(id::alarmDay) + QString::number(d + 1));
        m_days[d]->setChecked(alarmDays(m_working, alarm) & (1 << d));
        days->addWidget(m_days[d]);
    }
    m_once = new QCheckBox(text::AlarmOnceBox, this);
    m_once->setObjectName(QString::fromLatin1(id::alarmOnce));
    m_once->setChecked(m_working.*a.once);
    auto number = [this](const char *name, int low, int high, qint32 value) {
        auto *box = new QSpinBox(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setRange(low, high);
        box->setValue(value);
        return box;
    };
    m_snooze = number(id::alarmSnooze, 1, kAlarmMinutesMax, alarmSnoozeMinutes(m_working, alarm));
    m_ringMinutes = number(id::alarmRingMinutes, 1, kAlarmMinutesMax, alarmRingMinutes(m_working, alarm));
    auto *grid = new QGridLayout;
    grid->addWidget(newLabel(this, text::AlarmSnoozeLabel), 0, 0);
    grid->addWidget(m_snooze, 0, 1);
    grid->addWidget(newLabel(this, text::AlarmRingMinutesLabel), 1, 0);
    grid->addWidget(m_ringMinutes, 1, 1);
    grid->setColumnStretch(2, 1);

    // How it is heard, and a trial of it.
    m_volume = number(id::alarmVolume, 0, kVolumeMax, alarmVolume(m_working, alarm));
    m_fadeIn = number(id::alarmFadeIn, 0, kFadeInSecsMax, alarmFadeInSecs(m_working, alarm));
    m_trialButton = newButton(this, id::alarmTrial, text::AlarmTrialButton);
    m_trialButton->setCheckable(true); // pressed in while it plays
    m_trialButton->setEnabled(m_trial.sound && !alarmRings());
    connect(m_trialButton, &QPushButton::clicked, this, &AlarmDialog::trialPressed);
    m_trialWatch = new QTimer(this);
    m_trialWatch->setInterval(200);
    connect(m_trialWatch, &QTimer::timeout, this, &AlarmDialog::watchTrial);
    if (m_trial.sound)
        m_trialWatch->start();
    grid->addWidget(newLabel(this, text::AlarmVolumeLabel), 2, 0);
    grid->addWidget(m_volume, 2, 1);
    grid->addWidget(newLabel(this, text::AlarmFadeInLabel), 3, 0);
    grid->addWidget(m_fadeIn, 3, 1);
    grid->addWidget(m_trialButton, 3, 2, Qt::AlignLeft);

    auto *all = new QVBoxLayout(this);
    all->addWidget(newLabel(this, text::AlarmDaysLabel));
    all->addLayout(days);
    all->addWidget(m_once);
    all->addLayout(grid);
    all->addLayout(wakeRow());
    addRestDays(all);
    all->addLayout(okCancelRow(text::OkWide));
    fitToScreen(this);
    centreOnScreen(this);
}

AlarmDialog::~AlarmDialog()
{
    endTrial(); // deleted with the settings dialog, never shown or hidden
}

void AlarmDialog::hideEvent(QHideEvent *e)
{
    // Its deletion comes later; the trial ends as the dialog goes.
    endTrial();
    SubDialog::hideEvent(e);
}

void AlarmDialog::trialPressed()
{
    if (m_trialStarted >= 0) {
        endTrial();
    } else if (m_trial.sound && !alarmRings()) {
        m_trialStarted = sys.time.monotonicMsecs();
        playTrial();
    }
    m_trialButton->setChecked(m_trialStarted >= 0);
}

void AlarmDialog::playTrial()
{
    // As the alarm rings: its file, or the built-in tone when it has none, at
    // the volume and rise shown now, a repeat going on up the rise.
    const QString file = m_trial.file.isEmpty() ? sys.appDir + QLatin1Char('/') + QLatin1String(kAlarmTone)
                                                : m_trial.file;
    SoundLevel level;
    level.volume = m_volume->value();
    level.fadeInMs = m_fadeIn->value() * 1000;
    level.fadeDoneMs = int(std::clamp<qint64>(sys.time.monotonicMsecs() - m_trialStarted, 0, level.fadeInMs));
    const bool midi = file.right(3).compare(QLatin1String("mid"), Qt::CaseInsensitive) == 0;
    if (!m_trial.sound->play(file, midi ? QStringLiteral("Sequencer") : QStringLiteral("WaveAudio"), level))
        endTrial();
}

void AlarmDialog::watchTrial()
{
    const bool rings = alarmRings();
    m_trialButton->setEnabled(!rings);
    if (m_trialStarted < 0)
        return;
    // An alarm that begins has the speaker to itself; a file with nothing to
    // hear ends the trial (the alarm would fall back to its tone).
    const bool over = rings || sys.time.monotonicMsecs() - m_trialStarted >= kTrialMs;
    if (over || (!m_trial.sound->isPlaying() && m_trial.sound->endedAtOnce()))
        endTrial();
    else if (!m_trial.sound->isPlaying())
        playTrial(); // a short sound repeats
}

void AlarmDialog::endTrial()
{
    if (m_trialStarted >= 0 && m_trial.sound)
        m_trial.sound->stop();
    m_trialStarted = -1;
    if (m_trialButton)
        m_trialButton->setChecked(false);
}

QHBoxLayout *AlarmDialog::wakeRow()
{
    m_wake = new QCheckBox(text::AlarmWakeBox, this);
    m_wake->setObjectName(QString::fromLatin1(id::alarmWake));
    m_wake->setChecked(m_working.*kAlarmSettings[size_t(m_alarm)].wake);
    auto *row = new QHBoxLayout;
    row->addWidget(m_wake);
    // Where this machine cannot be woken by the clock, the box says so beside it.
    const QString reason = wakeUnavailableReason(sys.wake.availability());
    if (!reason.isEmpty()) {
        QLabel *why = newLabel(this, text::wakeUnavailable(reason));
        why->setObjectName(QString::fromLatin1(id::alarmWakeState));
        row->addWidget(why);
    }
    row->addStretch(1);
    return row;
}

void AlarmDialog::addRestDays(QVBoxLayout *all)
{
    m_skipHolidays = new QCheckBox(text::AlarmSkipHolidaysBox, this);
    m_skipHolidays->setObjectName(QString::fromLatin1(id::alarmSkipHolidays));
    m_skipHolidays->setChecked(m_working.*kAlarmSettings[size_t(m_alarm)].skipHolidays);
    m_daysOff = newField(this, id::daysOff, &Settings::daysOff);
    m_daysOff->setText(m_working.daysOff);
    m_restNote = newLabel(this, QString());
    m_restNote->setObjectName(QString::fromLatin1(id::alarmRestNote));
    m_restNote->setWordWrap(true);
    all->addWidget(m_skipHolidays);
    all->addWidget(newLabel(this, text::DaysOffLabel));
    all->addWidget(m_daysOff);
    all->addWidget(m_restNote);
    for (QCheckBox *box : m_days)
        connect(box, &QCheckBox::toggled, this, &AlarmDialog::showRestNote);
    connect(m_once, &QCheckBox::toggled, this, &AlarmDialog::showRestNote);
    connect(m_skipHolidays, &QCheckBox::toggled, this, &AlarmDialog::showRestNote);
    connect(m_daysOff, &QLineEdit::textChanged, this, &AlarmDialog::showRestNote);
    showRestNote();
}

void AlarmDialog::showRestNote()
{
    // When its next ring passes over holidays or days off (a once-only alarm
    // set for a holiday waits for the working day), the dialog says when it rings.
    Settings shown = m_working;
    applyFields(shown);
    if (!m_trial.time.isNull())
        shown.*kAlarmSettings[size_t(m_alarm)].time = m_trial.time;
    AlarmTimes times = deriveAlarmTimes(shown);
    for (int i = 0; i < kAlarmCount; ++i)
        if (i != m_alarm)
            times.alarm[size_t(i)].clear();
    const NextAlarm next = nextAlarm(times, sys.time.now());
    m_restNote->setText(next.skipped.isEmpty() ? QString() : text::alarmWaits(next.at, next.skipped));
    m_restNote->setVisible(!next.skipped.isEmpty());
}

bool AlarmDialog::acceptable()
{
    const QStringList bad = readDaysOff(m_daysOff->text()).bad;
    if (bad.isEmpty())
        return true;
    sys.msg.inform(text::DaysOffRefused + text::CRLF + text::CRLF + bad.join(text::CRLF));
    m_daysOff->setFocus();
    return false;
}

void AlarmDialog::applyFields(Settings &s) const
{
    const AlarmSettings &a = kAlarmSettings[size_t(m_alarm)];
    quint8 days = 0;
    for (size_t d = 0; d < m_days.size(); ++d)
        if (m_days[d]->isChecked())
            days |= quint8(1 << d);
    // Bits above Sunday's, set by hand, stay as they were stored.
    s.*a.days = quint8((s.*a.days & ~kEveryDay) | days);
    s.*a.once = m_once->isChecked();
    // A stored number out of range shows as its nearest end: kept unless changed.
    if (m_snooze->value() != alarmSnoozeMinutes(s, m_alarm))
        s.*a.snooze = m_snooze->value();
    if (m_ringMinutes->value() != alarmRingMinutes(s, m_alarm))
        s.*a.ringMinutes = m_ringMinutes->value();
    if (m_volume->value() != alarmVolume(s, m_alarm))
        s.*a.volume = m_volume->value();
    if (m_fadeIn->value() != alarmFadeInSecs(s, m_alarm))
        s.*a.fadeIn = m_fadeIn->value();
    s.*a.wake = m_wake->isChecked();
    s.*a.skipHolidays = m_skipHolidays->isChecked();
    // Kept as stored unless edited; an edited list is stored in its own form.
    if (m_daysOff->text() != s.daysOff)
        s.daysOff = daysOffText(readDaysOff(m_daysOff->text()).days);
}

} // namespace dv
