// The clock's face procedures: scale, board, dial, frame, hands and pictures.

#include "app/Clock.h"
#include "face/Slideshow.h"
#include "resources/Texts.h"

#include <QImageReader>
#include <QRandomGenerator>
#include <QTime>

namespace dv {

void Clock::ApplyScale()
{
    scale = computeScale(settings.ClockSize, settings.Mag2Flag, MulX, MulY, p.screen.sizePx().height());
    p.window.setSizePx(scale.d, scale.d);
    // The window takes the new shape and lets go of the old one itself.
    p.window.setCircleShape(scale.d);
}

void Clock::SetFormRect()
{
    const QRect r = p.window.screenRect();
    FormX1 = r.left();
    FormY1 = r.top();
    FormX2 = r.left() + r.width(); // the system's rectangles end one past the last pixel
    FormY2 = r.top() + r.height();
}

void Clock::Cls()
{
    frame.clear(scale.d, quint32(settings.BoardColor));
}

void Clock::DrawFrame()
{
    appendFrame(frame, settings, scale.Mag, scale.d, scale.d);
}

void Clock::DrawHands()
{
    const HandAngles a = appendHands(frame, settings, scale, Hr, Min, Sec);
    Min_Degree = a.minute;
    Sec_Degree = a.second;
}

void Clock::DrawTimePoint()
{
    appendTimePoint(frame, settings, scale.Mag);
}

void Clock::DrawTimeChar()
{
    appendTimeChar(frame, settings, scale.Mag);
}

void Clock::DrawDial()
{
    // Only True itself picks the numerals; any other value, 1 included, the bars.
    if (settings.CharPattern == VTrue)
        DrawTimeChar();
    else
        DrawTimePoint();
}

void Clock::ImageCopy()
{
    if (Picture1.isNull())
        return; // nothing to lay on the board
    const int S = faceSide();
    frame.picture = Picture1;
    frame.strokes.push_back({Stroke::Kind::Picture, 0, 0, S, S, 0, 0});
}

bool Clock::loadPicture(const QString &file)
{
    QImageReader reader(file);
    reader.setDecideFormatFromContent(true);
    QImage img = reader.read();
    if (img.isNull())
        return false;
    Picture1 = img;
    return true;
}

void Clock::GetDesktopImage()
{
    const int S = faceSide();
    const QRect r = p.window.screenRect();
    const QImage grab = p.window.grabScreen(QRect(r.topLeft(), QSize(S, S)));
    if (!grab.isNull())
        Picture1 = grab;
}

void Clock::UpdateCapture()
{
    // Following the window in front of the clock needs the window system's
    // stacking information; until that lands, repaints and drags re-capture.
}

void Clock::SetSlidePicture()
{
    if (FileExists(settings.BmpDirectory, 1)) {
        const QStringList names = bmpFileList(settings.BmpDirectory, settings.SlideGrafix);
        if (names.isEmpty()) {
            showMessage(text::NoPicturesInFolder + text::CRLF + text::PathArrow + settings.BmpDirectory);
        } else {
            const QTime t = p.time.now().time();
            QRandomGenerator rng(quint32(t.msecsSinceStartOfDay() / 1000));
            const QString name = names.at(pickIndex(int(names.size()), rng.generateDouble()));
            // A file that cannot be decoded leaves the previous picture.
            loadPicture(settings.BmpDirectory + QLatin1Char('/') + name);
        }
        BmpChangeFlag = VTrue;
    } else {
        showMessage(text::PictureFolderMissing + text::CRLF + text::PathArrow + settings.BmpDirectory);
        settings.BmpDirectory = p.appDir;
        settings.SlideBmp = VFalse;
    }
}

Face Clock::faceAt(int hour, int minute, int second)
{
    Hr = hour;
    Min = minute;
    Sec = second;
    Cls();
    if (!NoImage || settings.Transparent || settings.SlideBmp)
        ImageCopy();
    DrawDial();
    DrawFrame();
    frame.markFixed();
    DrawHands();
    return frame;
}

} // namespace dv
