#include "dialogs/SubDialogs.h"

#include "dialogs/Checks.h"
#include "dialogs/DialogParts.h"
#include "face/Slideshow.h"
#include "resources/Texts.h"

#include <QCheckBox>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace dv {

namespace {
QHBoxLayout *buttonRow(QPushButton *ok, QPushButton *cancel)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}
} // namespace

SubDialog::SubDialog(Settings &working, Platform &platform, std::function<void()> closed)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_working(working)
    , sys(platform)
    , m_closed(std::move(closed))
{
    setAttribute(Qt::WA_DeleteOnClose);
}

SubDialog::~SubDialog()
{
    if (m_closed)
        m_closed();
}

void SubDialog::finish()
{
    close();
}

// ---- slideshow ----

SlideshowDialog::SlideshowDialog(Settings &working, Platform &platform, std::function<void()> closed)
    : SubDialog(working, platform, std::move(closed))
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(text::SlideshowCaption);
    m_folder = newField(this, "Text1");
    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_model->setRootPath(QStringLiteral("/"));
    m_tree = new QTreeView(this);
    m_tree->setObjectName(QStringLiteral("Dir1"));
    m_tree->setModel(m_model);
    for (int c = 1; c < m_model->columnCount(); ++c)
        m_tree->hideColumn(c);
    m_tree->header()->hide();
    m_tree->setMinimumSize(220, 220);
    m_interval = newField(this, "Text2");
    m_intervals = new QListWidget(this);
    m_intervals->setObjectName(QStringLiteral("List1"));
    m_intervals->addItems(slideIntervals());
    auto *formats = new QGroupBox(text::SlideFormatsFrame, this);
    formats->setObjectName(QStringLiteral("Frame1"));
    auto *grid = new QGridLayout(formats);
    const QString captions[] = {text::FormatBmp, text::FormatGif, text::FormatJpeg,
                                text::FormatRle, text::FormatDib, text::FormatIco};
    for (int i = 0; i < 6; ++i) {
        m_formats[size_t(i)] = new QCheckBox(captions[i], formats);
        m_formats[size_t(i)]->setObjectName(QStringLiteral("Check%1").arg(i + 1));
        grid->addWidget(m_formats[size_t(i)], i % 3, i / 3); // BMP, GIF, JPEG left; RLE, DIB, icon right
    }
    auto *ok = newButton(this, "Command1", text::OkWide);
    auto *cancel = newButton(this, "Command2", text::Cancel);

    auto *columns = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(newLabel(this, "Label1", text::SlideFolderLabel));
    left->addWidget(m_folder);
    left->addWidget(m_tree);
    auto *right = new QVBoxLayout;
    right->addWidget(newLabel(this, "Label2", text::SlideIntervalLabel));
    right->addWidget(m_interval);
    right->addWidget(m_intervals);
    columns->addLayout(left, 2);
    columns->addLayout(right, 1);
    auto *all = new QVBoxLayout(this);
    all->addLayout(columns);
    all->addWidget(formats);
    all->addLayout(buttonRow(ok, cancel));

    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &i) { m_folder->setText(m_model->filePath(i)); });
    connect(m_intervals, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { m_interval->setText(item->text()); });
    connect(ok, &QPushButton::clicked, this, &SlideshowDialog::ok);
    connect(cancel, &QPushButton::clicked, this, [this] { finish(); });
    fill();
    centreOnScreen(this);
}

void SlideshowDialog::fill()
{
    m_interval->setText(m_working.SlideTime);
    m_folder->setText(m_working.BmpDirectory);
    // A folder that is gone leaves the tree where it is and shows the stored text.
    const QModelIndex at = m_model->index(m_working.BmpDirectory);
    if (at.isValid()) {
        m_tree->setCurrentIndex(at);
        m_tree->scrollTo(at);
    }
    m_folder->setText(m_working.BmpDirectory);
    for (int i = 0; i < 6; ++i)
        m_formats[size_t(i)]->setChecked(m_working.SlideGrafix & (1 << i));
}

void SlideshowDialog::applyFields(Settings &s) const
{
    s.BmpDirectory = m_folder->text();
    s.SlideTime = m_interval->text();
    quint8 mask = 0;
    for (int i = 0; i < 6; ++i)
        mask |= m_formats[size_t(i)]->isChecked() ? quint8(1 << i) : 0;
    s.SlideGrafix = mask;
}

void SlideshowDialog::ok()
{
    applyFields(m_working);
    finish();
}

// ---- size ----

SizeDialog::SizeDialog(Settings &working, Platform &platform, std::function<void()> closed)
    : SubDialog(working, platform, std::move(closed))
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(text::SizeCaption);
    m_size = newField(this, "Text1");
    m_sizes = new QListWidget(this);
    m_sizes->setObjectName(QStringLiteral("List1"));
    QFont mono = m_sizes->font();
    mono.setStyleHint(QFont::Monospace);
    mono.setFamily(QStringLiteral("monospace"));
    m_sizes->setFont(mono); // the sizes are right-aligned with spaces
    auto *ok = newButton(this, "Command1", text::OkWide);
    auto *cancel = newButton(this, "Command2", text::Cancel);
    auto *top = new QHBoxLayout;
    top->addWidget(m_size);
    top->addWidget(newLabel(this, "Label2", text::Pixel));
    auto *all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(m_sizes);
    all->addLayout(buttonRow(ok, cancel));

    m_size->setText(QString::number(m_working.ClockSize));
    onFieldLeft(m_size, [this] {
        if (!m_size->text().isEmpty() && !sizeAccepted(m_size->text(), screenHeight()))
            m_size->setFocus();
    });
    connect(m_sizes, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { m_size->setText(pickedSize(item->text(), screenHeight())); });
    connect(ok, &QPushButton::clicked, this, &SizeDialog::ok);
    connect(cancel, &QPushButton::clicked, this, [this] { finish(); });
    addClockSize();
    centreOnScreen(this);
}

double SizeDialog::screenHeight() const
{
    return sys.screen.sizePx().height();
}

void SizeDialog::addClockSize()
{
    m_sizes->clear();
    m_sizes->addItems(clockSizeEntries(screenHeight()));
}

void SizeDialog::applyFields(Settings &s) const
{
    if (const auto size = sizeFromText(m_size->text()))
        s.ClockSize = *size;
}

void SizeDialog::ok()
{
    // An empty field, or one that is no number, keeps the dialog open.
    if (!sizeFromText(m_size->text())) {
        m_size->setFocus();
        return;
    }
    applyFields(m_working);
    finish();
}

// ---- time signal ----

ChimeDialog::ChimeDialog(Settings &working, Platform &platform, std::function<void()> closed)
    : SubDialog(working, platform, std::move(closed))
{
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(text::ChimeCaption);
    m_hourFile = newField(this, "Text1");
    m_halfFile = newField(this, "Text2");
    m_halfFile->setMinimumWidth(280);
    m_halfHour = new QCheckBox(text::ChimeHalfHour, this);
    m_halfHour->setObjectName(QStringLiteral("Check2"));
    auto *hourBrowse = newButton(this, "Command1", text::Browse);
    m_halfBrowse = newButton(this, "Command2", text::Browse);
    auto *ok = newButton(this, "Command3", text::OkWide);
    auto *cancel = newButton(this, "Command4", text::Cancel);
    auto *grid = new QGridLayout;
    grid->addWidget(newLabel(this, "Label2", text::ChimeHourLabel), 0, 0);
    grid->addWidget(m_hourFile, 0, 1);
    grid->addWidget(hourBrowse, 0, 2);
    grid->addWidget(m_halfHour, 1, 0);
    grid->addWidget(m_halfFile, 1, 1);
    grid->addWidget(m_halfBrowse, 1, 2);
    auto *all = new QVBoxLayout(this);
    all->addWidget(newLabel(this, "Label1", text::ChimeFileLabel));
    all->addLayout(grid);
    all->addLayout(buttonRow(ok, cancel));

    m_hourFile->setText(m_working.Jihou00File);
    m_halfFile->setText(m_working.Jihou30File);
    m_halfHour->setChecked(m_working.Jihou30 != 0);
    followHalfHour();
    connect(m_halfHour, &QCheckBox::toggled, this, &ChimeDialog::followHalfHour);
    connect(hourBrowse, &QPushButton::clicked, this,
            [this] { chooseInto(sys.choose, soundChoice(sys.appDir), m_hourFile); });
    connect(m_halfBrowse, &QPushButton::clicked, this,
            [this] { chooseInto(sys.choose, soundChoice(sys.appDir), m_halfFile); });
    connect(ok, &QPushButton::clicked, this, &ChimeDialog::ok);
    connect(cancel, &QPushButton::clicked, this, [this] { finish(); });
    centreOnScreen(this);
}

void ChimeDialog::followHalfHour()
{
    m_halfFile->setEnabled(m_halfHour->isChecked());
    m_halfBrowse->setEnabled(m_halfHour->isChecked());
}

void ChimeDialog::applyFields(Settings &s) const
{
    s.Jihou00File = m_hourFile->text();
    s.Jihou30File = m_halfFile->text();
    s.Jihou30 = m_halfHour->isChecked() ? StoredTrue : StoredFalse;
}

void ChimeDialog::ok()
{
    applyFields(m_working);
    finish();
}

} // namespace dv
