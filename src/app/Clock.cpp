#include "app/Clock.h"

#include "face/Slideshow.h"
#include "resources/Texts.h"

#include <QRegularExpression>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace dv {

double numericPrefix(const QString &text)
{
    // Blanks, an optional sign, digits, an optional point and digits; the point is
    // always "." whatever the locale. Anything else ends the number.
    static const QRegularExpression re(QStringLiteral("^\\s*([+-]?(\\d+\\.?\\d*|\\.\\d+))"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return 0.0;
    return m.captured(1).toDouble();
}

CommandLine parseCommandLine(const QString &text)
{
    CommandLine c;
    const QString t = text.trimmed().toLower();
    c.delreg = t.contains(QLatin1String("-delreg"));
    const QString opt = QStringLiteral("-offset=");
    const int pos = t.indexOf(opt);
    if (pos >= 0) {
        const int start = pos + opt.size();
        int end = t.indexOf(QLatin1Char(' '), pos);
        if (end < 0)
            end = t.size();
        c.offset = float(numericPrefix(t.mid(start, qMax(0, end - start))));
    }
    return c;
}

void splitOffset(float OffsetTime, int &hours, int &minutes)
{
    // Take the digits of the single's shortest decimal text so that 1.30 gives
    // exactly 30 minutes (1.3 is 1.2999999 in binary) and 1.305 gives 30.
    char buf[64];
    const float a = std::fabs(OffsetTime);
    auto r = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::fixed);
    const std::string text(buf, r.ptr);
    const auto dot = text.find('.');
    const std::string whole = text.substr(0, dot);
    std::string frac = dot == std::string::npos ? std::string() : text.substr(dot + 1);
    frac.resize(2, '0');
    const double h = std::strtod(whole.c_str(), nullptr);
    hours = int(std::fmod(h, 24.0)); // whole days do not move the face
    minutes = (frac[0] - '0') * 10 + (frac[1] - '0');
    if (OffsetTime < 0) {
        hours = -hours;
        minutes = -minutes;
    }
}

HourMinute displayedTime(int sysHour, int sysMinute, float OffsetTime)
{
    int H = 0, M = 0;
    splitOffset(OffsetTime, H, M);
    // Carried in whole minutes of the day: the same as the one-step carry for
    // offsets in the hours.minutes form, and still in range for 1.75 or 30.
    const long long total = (long long)(sysHour + H) * 60 + sysMinute + M;
    const long long inDay = ((total % 1440) + 1440) % 1440;
    return {int(inDay / 60), int(inDay % 60)};
}

QString trayTip(const QDate &date)
{
    return text::TrayTipPrefix + date.toString(QStringLiteral("MM-dd-yyyy"));
}

Clock::Clock(Platform &platform, ClockUi &clockUi)
    : p(platform), ui(clockUi)
{
    p.sound.finished = [this] { MMControl1_Done(); };
    p.power.done = [this](bool ok, const QString &error) { onPowerOffAnswer(ok, error); };
    settings = Settings::defaults(p.appDir);
    Org_ = settings;
}

int Clock::faceSide() const
{
    // S: Mag x 120 to a whole number, halves to even.
    return int(std::nearbyint(double(scale.Mag) * 120.0));
}

void Clock::Form_Load(const QString &commandLine)
{
    // Watch the system's repaints; the caption is only the window's text.
    ui.hookWindowProc();
    p.window.setCaption(QString::number(quintptr(this), 16).toUpper() + QStringLiteral(" lpOrg:")
                        + QString::number(quintptr(&ui), 16).toUpper());

    // The command line.
    const CommandLine cl = parseCommandLine(commandLine);
    if (cl.delreg) {
        switch (p.store.removeAll()) {
        case SettingsStore::RemoveResult::NothingStored: showMessage(text::RegistryNone); break;
        case SettingsStore::RemoveResult::Removed: showMessage(text::RegistryDeleted); break;
        case SettingsStore::RemoveResult::Failed:
            showMessage(text::SaveFailed + text::CRLF + text::CRLF + text::PathArrow + p.store.location());
            break;
        }
    }
    commandLineOffset = cl.offset;

    // Greetings and the tray icon come before the settings.
    CaptureRequest = false;
    ReqCaptureDbl = VFalse;
    PopupFlag = VFalse;
    FormHideFlag = VFalse;
    MsgBirthDay();
    p.tray.add(trayTip(p.time.now().date()));
    p.pump.yield();

    // The stored offset never counts: only the command line's.
    LoadParameter();
    settings.OffsetTime = 0.0f;
    if (commandLineOffset != 0.0f)
        settings.OffsetTime = commandLineOffset;

    // Scale and window size; the window gets its shape further down.
    MulX = p.screen.twipsPerPixelX();
    MulY = p.screen.twipsPerPixelY();
    scale = computeScale(settings.ClockSize, settings.Mag2Flag, MulX, MulY, p.screen.sizePx().height());
    p.window.setSizePx(scale.d, scale.d);

    SetParameter();

    // A stored position in the last 32 pixels or beyond is pulled back onto the screen.
    const QSize screen = p.screen.sizePx();
    const double screenW = screen.width() * MulX, screenH = screen.height() * MulY;
    if (screenH - 32 * MulY < settings.FormTop)
        settings.FormTop = qint32(screenH - scale.heightTwips);
    if (screenW - 32 * MulX < settings.FormLeft)
        settings.FormLeft = qint32(screenW - scale.widthTwips);
    p.window.movePx(int(std::lround(settings.FormLeft / MulX)), int(std::lround(settings.FormTop / MulY)));
    SetFormPlace();

    // The board colour clears the face.
    Cls();

    // The board picture, the desktop behind, the slideshow: the last one wins.
    if (!settings.BackImage.isEmpty() && !FileExists(settings.BackImage, 0)) {
        showMessage(text::BoardPictureMissing + text::CRLF + text::CRLF + text::PathArrow + settings.BackImage);
        settings.BackImage.clear();
    }
    NoImage = settings.BackImage.isEmpty() ? VTrue : VFalse;
    if (!NoImage && loadPicture(settings.BackImage))
        ImageCopy();
    if (settings.Transparent) {
        GetDesktopImage();
        ImageCopy();
    }
    if (settings.SlideBmp) {
        SetSlidePicture();
        ImageCopy();
    }

    // The slideshow folder is checked whether or not the slideshow is on.
    if (!FileExists(settings.BmpDirectory, 1)) {
        showMessage(text::PictureFolderMissing + text::CRLF + text::PathArrow + settings.BmpDirectory);
        settings.BmpDirectory = p.appDir;
        settings.SlideBmp = VFalse;
    }

    // The first face, without hands: they come with the first tick.
    BmpChangeFlag = VFalse;
    DrawDial();
    DrawFrame();
    PlayingFlag = VFalse;

    // Missing alarm sounds are cleared in memory only.
    QString *sounds[] = {&settings.AlarmSound1, &settings.AlarmSound2, &settings.AlarmSound3};
    const QString *missing[] = {&text::AlarmSoundMissing1, &text::AlarmSoundMissing2, &text::AlarmSoundMissing3};
    for (int i = 0; i < 3; ++i) {
        if (!sounds[i]->isEmpty() && !FileExists(*sounds[i], 0)) {
            showMessage(*missing[i] + text::CRLF + text::CRLF + text::PathArrow + *sounds[i]);
            sounds[i]->clear();
        }
    }

    // Shape, z-order and where the window is.
    p.window.setCircleShape(scale.d);
    p.window.setTopMost(settings.TopMost != 0);
    p.window.showNoActivate(settings.TopMost != 0);
    SetFormRect();
    SavedActRect = p.window.screenRect();

    // Show the first face; the tick starts last of all.
    p.pump.yield();
    p.window.present(frame);
    p.pump.yield();
    p.timer.setEnabled(true);
}

void Clock::Timer1_Timer()
{
    // Hide test, every tick; both bounds inclusive. The pointer is asked for
    // only when its answer counts.
    ShiftKeyOnFlag = p.input.shiftHeld() ? VTrue : VFalse;
    CtrlKeyOnFlag = p.input.ctrlHeld() ? VTrue : VFalse;
    auto over = [this] {
        const QPoint c = p.input.cursorPos();
        return FormX1 <= c.x() && c.x() <= FormX2 && FormY1 <= c.y() && c.y() <= FormY2;
    };
    if ((settings.OnMouseToHide && !ShiftKeyOnFlag && over()) || CtrlKeyOnFlag) {
        p.window.hideNoActivate();
        FormHideFlag = VTrue;
    } else {
        p.window.showNoActivate(settings.TopMost && FormHideFlag);
        FormHideFlag = VFalse;
    }

    // Second test, four times a second: cheap, without the local time.
    const qint64 ms = p.time.msecsSinceEpoch();
    Sec = int(((ms / 1000) % 60 + 60) % 60);
    if (Sec == Old_Sec)
        return;
    Old_Sec = Sec;
    const QDateTime now = p.time.now();
    Sec = now.time().second(); // the same, barring a second boundary in between
    Old_Sec = Sec;
    const int sysMinute = now.time().minute();

    // Displayed time: the offset moves the face only.
    const HourMinute shown = displayedTime(now.time().hour(), sysMinute, settings.OffsetTime);
    Hr = shown.Hr;
    Min = shown.Min;

    Cls();
    if (Sec == 1 && settings.SlideBmp && !BmpChangeFlag && slideDue(settings.SlideTime, Hr, Min))
        SetSlidePicture();
    if (Sec == 15)
        BmpChangeFlag = VFalse;
    if (settings.Transparent)
        UpdateCapture();
    if (CaptureRequest) {
        GetDesktopImage();
        CaptureRequest = false;
    }
    if (!NoImage || settings.Transparent || settings.SlideBmp)
        ImageCopy();
    DrawDial();
    DrawFrame();
    SetFormPlace();
    frame.markFixed();
    DrawHands();
    p.window.present(frame);

    PaintGuard = true;
    p.pump.yield();
    PaintGuard = false;

    if (Sec == 0 || Sec == 56 || Sec == 59)
        Schedule(sysMinute, Sec, now.time().toString(QStringLiteral("HH:mm:ss")));
}

void Clock::trayActivated(int reason)
{
    if (reason == 517) { // right button released over the icon
        ui.popupMenu();
        p.pump.yield();
    } else if (reason == 515) { // left double-click
        mnuPopupTimeSet();
    }
}

void Clock::onSystemRepaint()
{
    if (InCallback)
        return;
    InCallback = true;
    if (!PaintGuard && settings.Transparent) {
        p.timer.setEnabled(false);
        p.pump.yield();
        GetDesktopImage();
        p.timer.setEnabled(true);
    }
    InCallback = false;
}

void Clock::Form_Unload()
{
    if (unloading)
        return;
    unloading = true;
    ui.unhookWindowProc();
    p.tray.remove();
    p.pump.yield();
    ui.quitCommand();
}

} // namespace dv
