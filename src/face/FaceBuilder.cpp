// SPDX-License-Identifier: GPL-3.0-or-later
#include "face/FaceBuilder.h"

#include "face/PictureFiles.h"
#include "face/Slideshow.h"
#include "face/Strokes.h"
#include "resources/Texts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QRandomGenerator>
#include <QTime>

#include <algorithm>
#include <cmath>

namespace dv {

void FaceBuilder::setScale(const Settings &s, double mulX, double mulY)
{
    m_scale = computeScale(s.clockSize, s.freeSize, mulX, mulY, sys.screen.sizePx().height());
}

int FaceBuilder::pictureSide() const
{
    // factor x 120 to a whole number, halves to even.
    return int(std::nearbyint(double(m_scale.factor) * 120.0));
}

int FaceBuilder::pictureFit() const
{
    return std::max(1, int(std::lround(pictureSide() * sys.window.pixelRatio())));
}

void FaceBuilder::folderMissing(Settings &s)
{
    sys.msg.inform(text::PictureFolderMissing + text::CRLF + text::PathArrow + s.slideshowFolder);
    s.slideshowFolder = sys.appDir;
    s.slideshow = false;
}

void FaceBuilder::loadBoard(Settings &s)
{
    if (!s.boardPicture.isEmpty() && !pathExists(s.boardPicture, PathKind::File)) {
        sys.msg.inform(text::withPath(text::BoardPictureMissing, s.boardPicture));
        s.boardPicture.clear();
    }
    m_noBoardPicture = s.boardPicture.isEmpty();
    // A stored picture that no longer decodes is told once (unless the
    // slideshow stands in for it); the face shows the board colour, and the
    // setting stays for the file to come right.
    if (!m_noBoardPicture && !loadPicture(s.boardPicture)) {
        if (!s.slideshow)
            sys.msg.inform(text::withPath(text::CannotShowPicture, s.boardPicture));
        m_noBoardPicture = true;
        m_picture = QImage();
    }
    followRound(); // the window's first show is already the round one
    if (s.transparentBoard)
        captureDesktop();
    // The pick tells of a missing folder; with the slideshow off it does not
    // matter (a stick not plugged in today) and is kept as it is.
    if (s.slideshow)
        pickSlide(s);
    m_slidePicked = false;
}

void FaceBuilder::beforeSecond(Settings &s, int hour, int minute, int second)
{
    if (second == 1 && s.slideshow && !m_slidePicked && slideDue(s.slideInterval, hour, minute))
        pickSlide(s);
    if (second == 15)
        m_slidePicked = false;
    followCompositor(s);
    if (s.transparentBoard && !m_live) {
        updateCapture();
        if (m_tracker.secondLookDue(sys.time.msecsSinceEpoch()))
            m_captureRequest = true;
    }
    if (m_captureRequest) {
        captureDesktop();
        m_captureRequest = false;
    }
}

const Face &FaceBuilder::build(const Settings &s, int hour, int minute, int second, bool hands)
{
    m_face.clear(m_scale.side, quint32(s.boardColour));
    m_face.roundEdge = m_round;
    // A new size or screen: the file is read again at the face's new side.
    if (!m_pictureFile.isEmpty() && m_pictureFit != pictureFit() && !readPicture(m_pictureFile))
        m_pictureFit = pictureFit(); // gone meanwhile: the old one stretches, and is not asked for again
    if (s.transparentBoard && m_live && m_seeThrough) {
        m_face.seeThrough = true;
    } else if ((!m_noBoardPicture || s.transparentBoard || s.slideshow) && !m_picture.isNull()) {
        m_face.picture = m_picture;
        const int side = pictureSide();
        m_face.strokes.push_back({Stroke::Kind::Picture, 0, 0, side, side, 0, 0});
    }
    // Only True itself picks the numerals; any other value, 1 included, the bars.
    if (s.romanNumerals == StoredTrue)
        appendTimeChar(m_face, s, m_scale.factor);
    else
        appendTimePoint(m_face, s, m_scale.factor);
    appendFrame(m_face, s, m_scale.factor, m_scale.side, m_scale.side);
    if (hands) {
        m_face.markFixed();
        appendHands(m_face, s, m_scale, hour, minute, second);
    }
    return m_face;
}

bool FaceBuilder::readPicture(const QString &file)
{
    const int fit = pictureFit();
    QImage img = readPictureFile(file, QSize(fit, fit));
    if (img.isNull())
        return false;
    m_picture = img;
    m_pictureFile = file;
    m_pictureFit = fit;
    return true;
}

bool FaceBuilder::loadPicture(const QString &file)
{
    if (!readPicture(file))
        return false;
    m_seeThrough = false;
    return true;
}

void FaceBuilder::setBoardPicture(const QString &file)
{
    m_noBoardPicture = file.isEmpty() || !loadPicture(file);
    if (m_noBoardPicture) {
        m_picture = QImage();
        m_pictureFile.clear();
    }
    // A missing file the dialog has told of already.
    if (m_noBoardPicture && pathExists(file, PathKind::File))
        sys.msg.inform(text::withPath(text::CannotShowPicture, file));
}

void FaceBuilder::setLive(bool on)
{
    m_live = on;
    sys.window.setSeeThrough(on || m_round);
}

void FaceBuilder::followRound()
{
    // Under a compositor the window has an alpha channel whatever its board,
    // for the round edge; without one its shape cuts it, one bit deep.
    if (sys.window.canSeeThrough() != m_round) {
        m_round = sys.window.canSeeThrough();
        sys.window.setSeeThrough(m_round || m_live);
    }
}

void FaceBuilder::followCompositor(const Settings &s)
{
    // A compositor started or stopped, or the board was switched: the window
    // follows, and the board is taken the way that now works.
    followRound();
    const bool live = s.transparentBoard && sys.window.canSeeThrough();
    if (live == m_live)
        return;
    setLive(live);
    if (!s.transparentBoard)
        return;
    // The copy about to be taken shows the window in front where it is now.
    if (!live)
        m_tracker.update(sys.window.activeWindow(), sys.window.screenRect());
    captureDesktop();
}

void FaceBuilder::captureDesktop()
{
    // Under a compositor the board is simply clear: nothing to hide, nothing to copy.
    if (sys.window.canSeeThrough()) {
        if (!m_live)
            setLive(true);
        m_seeThrough = true;
        return;
    }
    if (m_live)
        setLive(false);
    const int side = pictureSide();
    const QRect r = sys.window.screenRect();
    // The grab lets events through while the clock is out of the way. A capture
    // one of them asks for would put the clock back under this one's grabs,
    // which would then copy our own face; the capture under way already sees
    // the desktop as it is now.
    if (m_capturing)
        return;
    m_capturing = true;
    const ScreenGrab grab = sys.window.grabScreen(QRect(r.topLeft(), QSize(side, side)));
    m_capturing = false;
    const qint64 now = sys.time.msecsSinceEpoch();
    // Uncovering the clock again exposes it: that is ours.
    m_tracker.ownShow(now);
    m_tracker.captured(grab.steady, now, !grab.image.isNull());
    if (!grab.image.isNull()) {
        m_picture = grab.image;
        m_pictureFile.clear();
    }
    m_seeThrough = false;
}

void FaceBuilder::updateCapture()
{
    const ActiveWindow active = sys.window.activeWindow();
    const quint64 last = m_tracker.lastWindow();
    const bool lastGone = last != 0 && last != active.id && !sys.window.windowShown(last);
    if (m_tracker.update(active, sys.window.screenRect(), lastGone))
        m_captureRequest = true;
}

FaceBuilder::Drop FaceBuilder::takeDroppedPicture(const QString &file)
{
    const bool hadNoImage = m_noBoardPicture;
    m_noBoardPicture = false;
    if (!pathExists(file, PathKind::File))
        return Drop::NotRead;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return Drop::NotRead;
    f.close();
    if (loadPicture(file))
        return Drop::Shown;
    // The face stays as it was: the settings keep the old picture too.
    m_noBoardPicture = hadNoImage;
    return Drop::Undecodable;
}

void FaceBuilder::pickSlide(Settings &s, bool holdMinute)
{
    if (!pathExists(s.slideshowFolder, PathKind::Folder)) {
        folderMissing(s);
        return;
    }
    const QStringList names = bmpFileList(s.slideshowFolder, s.slideshowFormats);
    if (names.isEmpty()) {
        // Once, not at every due switch: again when the folder, what is in it
        // or the formats looked for change.
        const QStringList seen =
            QStringList{s.slideshowFolder, QString::number(s.slideshowFormats)}
            + QDir(s.slideshowFolder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        if (seen != m_emptyFolderSeen)
            sys.msg.inform(text::NoPicturesInFolder + text::CRLF + text::PathArrow + s.slideshowFolder);
        m_emptyFolderSeen = seen;
    } else {
        m_emptyFolderSeen.clear();
        // Seeded from the time of day, so each pick starts a new sequence.
        QRandomGenerator rng(quint32(sys.time.now().time().msecsSinceStartOfDay() / 1000));
        const QString &name = names.at(pickIndex(int(names.size()), rng.generateDouble()));
        // A file that cannot be decoded leaves the previous picture.
        loadPicture(s.slideshowFolder + QLatin1Char('/') + name);
    }
    m_slidePicked = holdMinute;
}

} // namespace dv
