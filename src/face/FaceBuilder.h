// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Builds the face the clock shows: the scale, the board picture (a file, the
// desktop behind the clock or a slideshow pick) and each second's strokes.

#include "face/CaptureTracker.h"
#include "face/Face.h"
#include "face/Scale.h"
#include "platform/Platform.h"

class QIODevice;

namespace dv {

class FaceBuilder {
public:
    explicit FaceBuilder(Platform &platform)
        : sys(platform)
    {
    }

    // applyScale's arithmetic: the window's side follows from the settings.
    void setScale(const Settings &s, double mulX, double mulY);
    const Scale &scale() const { return m_scale; }

    // Start-up's board: the picture file, then the desktop behind, then a
    // slideshow pick (the last one wins); missing files and folders are reported
    // and switched off for this run.
    void loadBoard(Settings &s);
    // The desktop behind the clock, or a slideshow pick, as the second that is
    // about to be drawn asks for.
    void beforeSecond(Settings &s, int hour, int minute, int second);
    // The face at this displayed time; without hands for the first one.
    const Face &build(const Settings &s, int hour, int minute, int second, bool hands = true);

    bool loadPicture(const QString &file);
    // A picture from its bytes, by what they are, not by the name; null when
    // none. One larger than `fit` is shrunk to it as it is read, so a camera's
    // picture on a small clock costs the face's pixels, not the camera's.
    // The settings dialog's face picture: none for an empty name, and none
    // (told) for a file that cannot be read as a picture.
    void setBoardPicture(const QString &file);
    // The desktop behind the clock becomes the board: live under a compositor,
    // else a copy taken with the clock out of the way.
    void captureDesktop();
    // The next slideshow picture becomes the board; `holdMinute` keeps the tick
    // from picking again this minute.
    void pickSlide(Settings &s, bool holdMinute = true);
    const QImage &picture() const { return m_picture; }
    bool hasBoardPicture() const { return !m_noBoardPicture; }

    // Start-up: the transparent board follows the windows in front from here.
    void resetCapture(const QRect &clock) { m_tracker.reset(clock); }
    // The clock showed itself: the exposes that follow are not the system's.
    void noteOwnShow() { m_tracker.ownShow(sys.time.msecsSinceEpoch()); }
    // Whether an expose now is the system asking for a repaint.
    bool exposeIsSystems() const { return m_tracker.exposeIsSystems(sys.time.msecsSinceEpoch()); }

    // A dropped picture file becomes the board picture.
    enum class Drop {
        Shown,       // decoded and in the buffer
        NotRead,     // the file could not be opened: the buffer stays as it was
        Undecodable, // no picture in it: the board and its picture stay as they were
    };
    Drop takeDroppedPicture(const QString &file);

private:
    void updateCapture();
    void followCompositor(const Settings &s);
    void followRound();
    void setLive(bool on);
    void folderMissing(Settings &s);
    int pictureSide() const;
    int pictureFit() const; // the picture's side in device pixels
    bool readPicture(const QString &file);

    Platform &sys; // the outside world
    Scale m_scale;
    Face m_face;
    QImage m_picture;              // the one board picture, stretched onto every face
    QString m_pictureFile;         // the file it was read from; empty for a copy of the desktop
    int m_pictureFit = 0;          // the side it was read for: read again when the face's differs
    bool m_noBoardPicture = true;  // no board picture file
    bool m_slidePicked = false;    // this minute's slideshow pick is done
    QStringList m_emptyFolderSeen; // the folder last found without pictures, with what was in it
    bool m_captureRequest = false;
    bool m_capturing = false; // a grab is under way, the clock out of the way
    CaptureTracker m_tracker;
    bool m_live = false;       // the window is see-through: a compositor shows what is behind
    bool m_round = false;      // a compositor shows the window's alpha: a smooth round edge
    bool m_seeThrough = false; // the desktop was the board's last source, not a picture
};

} // namespace dv
