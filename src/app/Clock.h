#pragma once
// The clock window's state and procedures, free of any widget: start-up, the
// tick, the schedule, placement and the orderly end. The widgets and the
// system are reached through the interfaces of platform/ and ClockUi.

#include "face/Face.h"
#include "face/Scale.h"
#include "face/Strokes.h"
#include "platform/Platform.h"
#include "settings/Settings.h"

#include <QImage>
#include <QRect>
#include <QString>

namespace dv {

// The widgets that belong to the clock but live outside this class.
class ClockUi {
public:
    virtual ~ClockUi() = default;
    virtual void hookWindowProc() = 0;              // start watching system repaints
    virtual void unhookWindowProc() = 0;
    virtual void setPlaceChecks(int formPlace) = 0;   // the one check mark of the placement items
    virtual void popupMenu() = 0;
    virtual void showAbout() = 0;
    virtual void openSettings(bool refill) = 0;
    // The settings dialog's quit command; ends the program.
    virtual void quitCommand() = 0;
    virtual void showAlarmWindow(bool beepEachFlash) = 0;
    virtual bool alarmWindowLoaded() const = 0;
    virtual void unloadAlarmWindow() = 0;
    virtual void endProgramNow() = 0;               // no unload, no save
};

struct Platform {
    TimeSource &time;
    InputState &input;
    ScreenInfo &screen;
    MessageBoxes &msg;
    ClockWindowOps &window;
    TickTimer &timer;
    EventPump &pump;
    SettingsStore &store;
    Launcher &launcher;
    Tray &tray;
    SoundOutput &sound;
    PowerControl &power;
    QString appDir; // the program's folder
};

// -offset= and -delreg, found anywhere in the command line in any case.
struct CommandLine {
    bool delreg = false;
    float offset = 0.0f;
};
CommandLine parseCommandLine(const QString &text);
// The numeric prefix of a text: blanks, sign, digits, point, digits; else 0.
double numericPrefix(const QString &text);

// The displayed hour and minute for a system time and an hours.minutes offset.
struct HourMinute {
    int Hr;
    int Min;
};
void splitOffset(float OffsetTime, int &hours, int &minutes);
HourMinute displayedTime(int sysHour, int sysMinute, float OffsetTime);

// "Dialvane  " and the date as mm-dd-yyyy.
QString trayTip(const QDate &date);

class Clock {
public:
    Clock(Platform &p, ClockUi &ui);

    // ---- start-up and command line ----
    void Form_Load(const QString &commandLine);

    // ---- the tick ----
    void Timer1_Timer();

    // ---- settings ----
    void LoadParameter();
    bool SaveParameter();
    void BackVariable();
    void SetParameter();

    // ---- face ----
    void ApplyScale();
    void SetFormRect();
    void Cls();
    void DrawFrame();
    void DrawHands();
    void DrawTimePoint();
    void DrawTimeChar();
    void DrawDial(); // the numerals or the bars
    void ImageCopy();
    void GetDesktopImage();
    void UpdateCapture();
    void SetSlidePicture();
    bool loadPicture(const QString &file);
    // The face as it would be shown at this displayed time (snapshot command).
    Face faceAt(int hour, int minute, int second);

    // ---- schedule, sound, greetings ----
    void MsgBirthDay();
    void Schedule(int m, int second, const QString &T);
    bool PlayAlarmSound(const QString &FileName);
    void shutdownSequence();
    void MMControl1_Done();
    void AlarmWindowUnloaded(); // the stop window's own unload
    void onPowerOffAnswer(bool ok, const QString &error);

    // ---- placement, pointer, menu ----
    void SetFormPlace();
    void Form_MouseDown(int Button);
    void menuPlace(int place);
    void mnuPopupHelp();
    void mnuPopupTimeSet();
    void trayActivated(int reason); // 517 right button up, 515 left double-click
    void Form_Unload();
    void onSystemRepaint();         // an expose the system asked for

    // ---- state, named as the clock window's fields ----
    Settings settings;
    Settings Org_;
    float commandLineOffset = 0.0f;
    Scale scale;
    double MulX = 15.0, MulY = 15.0;
    int FormX1 = 0, FormY1 = 0, FormX2 = 0, FormY2 = 0;
    int Hr = 0, Min = 0, Sec = 0, Old_Sec = 0;
    VBool FormHideFlag = VFalse, ShiftKeyOnFlag = VFalse, CtrlKeyOnFlag = VFalse;
    VBool BmpChangeFlag = VFalse, PlayingFlag = VFalse, ReqCaptureDbl = VFalse, PopupFlag = VFalse;
    VBool NoImage = VTrue;
    bool CaptureRequest = false, PaintGuard = false, InCallback = false;
    int Same = 0;
    int AlarmCheck = 0;
    QString Alarm1, Alarm2, Alarm3, ShutDown;
    QString DeviceType; // "WaveAudio" or "Sequencer", from the file name's ending
    double Min_Degree = 0, Sec_Degree = 0;
    QImage Picture1;
    QRect SavedActRect;
    Face frame;        // the face being built this second
    bool unloading = false;

    Platform &p;
    ClockUi &ui;

private:
    void showMessage(const QString &text) { p.msg.inform(text); }
    int faceSide() const;
};

} // namespace dv
