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
    // A picture from its bytes, by what they are, not by the name; null when none.
    static QImage decode(QIODevice *device);
    // The settings dialog's face picture: none for an empty name, and none for
    // a file that cannot be read as a picture.
    void setBoardPicture(const QString &file);
    void captureDesktop(); // GetDesktopImage
    // SetSlidePicture; `holdMinute` keeps the tick from picking again this minute.
    void pickSlide(Settings &s, bool holdMinute = true);
    const QImage &picture() const { return m_picture; }
    bool hasBoardPicture() const { return !m_noBoardPicture; }

    // Start-up: the transparent board follows the windows in front from here.
    void resetCapture(const QRect &clock) { m_tracker.reset(clock); }

    // A dropped picture file becomes the board picture.
    enum class Drop {
        Shown,       // decoded and in the buffer
        NotRead,     // the file could not be opened: the buffer stays as it was
        Undecodable, // no picture in it: no board picture, the old `noImage` back
    };
    Drop takeDroppedPicture(const QString &file);

private:
    void updateCapture();
    void folderMissing(Settings &s);
    int pictureSide() const;

    Platform &sys; // the outside world
    Scale m_scale;
    Face m_face;
    QImage m_picture;             // the one board picture, stretched onto every face
    bool m_noBoardPicture = true; // no board picture file
    bool m_slidePicked = false;   // this minute's slideshow pick is done
    QString m_emptyFolderTold;    // the empty slideshow folder last told of, as it was then
    bool m_captureRequest = false;
    CaptureTracker m_tracker;
};

} // namespace dv
