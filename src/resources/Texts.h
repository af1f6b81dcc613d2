// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every text the user sees, in one place.

#include <QString>

namespace dv::text {

inline const QString CRLF = QStringLiteral("\r\n");
inline const QString AppTitle = QStringLiteral("Dialvane Ver.2.00");
// What window lists and taskbars show for the clock window.
inline const QString ClockWindowTitle = QStringLiteral("Dialvane");
inline const QString Subtitle = QStringLiteral("丸いアナログ時計");
inline const QString TrayTipPrefix = QStringLiteral("Dialvane  ");

// Start-up
inline const QString RegistryNone = QStringLiteral("レジストリ情報はありません");
inline const QString RegistryDeleted = QStringLiteral("レジストリ情報を削除しました");
inline const QString BoardPictureMissing = QStringLiteral("ファイルが見付かりません（文字盤の画像ﾌｧｲﾙ）");
inline const QString PictureFolderMissing = QStringLiteral("画像ファイルのフォルダが存在しません");
inline const QString AlarmSoundMissing1 = QStringLiteral("ファイルが見付かりません（ｱﾗｰﾑｻｳﾝﾄﾞﾌｧｲﾙ１）");
inline const QString AlarmSoundMissing2 = QStringLiteral("ファイルが見付かりません（ｱﾗｰﾑｻｳﾝﾄﾞﾌｧｲﾙ２）");
inline const QString AlarmSoundMissing3 = QStringLiteral("ファイルが見付かりません（ｱﾗｰﾑｻｳﾝﾄﾞﾌｧｲﾙ３）");
inline const QString PathArrow = QStringLiteral("-> ");
// A message about a file or folder: the message, a blank line, then "-> " and the path.
inline QString withPath(const QString &message, const QString &path)
{
    return message + CRLF + CRLF + PathArrow + path;
}
// The store could not be written; the quit will offer to save again.
inline const QString SaveFailed = QStringLiteral("設定を保存できませんでした");
// The store's file is no regular file of sane size: the defaults run instead.
inline const QString StoreUnreadable = QStringLiteral("設定ファイルを読めません。標準の設定で起動します");
// The unreadable store was renamed rather than written over.
inline const QString StoreSetAside = QStringLiteral("元の設定ファイルは次の名前で残してあります");
// -offset= held no usable number.
inline const QString BadOffset = QStringLiteral("時刻のずれ（-offset=）の値が正しくないため、無視します");
// -delreg could not remove the stored settings.
inline const QString DeleteFailed = QStringLiteral("設定を削除できませんでした");

// Board picture and slideshow
inline const QString NoPicturesInFolder = QStringLiteral("このフォルダには、画像ファイルがありません");
inline const QString CannotShowPicture = QStringLiteral("この画像は表示できません");

// Schedule
inline const QString ShutdownTime = QStringLiteral("シャットダウン時刻です");
inline const QString ShutdownAsk = QStringLiteral("終了しますか？");
// Our own: the system refused or could not be asked to power off.
inline const QString ShutdownFailed = QStringLiteral("シャットダウンできませんでした");

// Alarm stop window
inline const QString StopAlarm = QStringLiteral("アラームを止める");
// Our own: ring again in five minutes.
inline const QString Snooze = QStringLiteral("スヌーズ");
// Our own: an alarm that rings late says when it was due ("07:30").
inline QString alarmWasDue(const QString &when)
{
    return when + QStringLiteral(" に鳴る予定でした");
}
// Our own: alarms too late to ring, listed below this.
inline const QString MissedAlarms = QStringLiteral("時計が止まっていた間に、次のアラームの時刻が過ぎました");
// Our own: a second start finds the clock running.
inline const QString AlreadyRunningDelreg = QStringLiteral(
    "時計はすでに動いています。設定を削除するには、時計を終了してから -delreg を付けて起動してください");

// Birthday greetings
inline const QString TodayIs = QStringLiteral("今日は ");
inline const QString BirthdaySuffix = QStringLiteral(" の誕生日です");
inline const QString DaySuffix = QStringLiteral(" です");
// Our own: a file with more greetings for today than boxes worth clicking through.
inline QString moreGreetings(int count)
{
    return QStringLiteral("今日のお知らせは、ほかに %1 件あります").arg(count);
}

// Quit
inline const QString ChangedQuestion1 = QStringLiteral("パラメータ または 時計の位置 が変更されています");
inline const QString ChangedQuestion2 = QStringLiteral("保存しますか？");

// Settings dialog
inline const QString SettingsCaption = QStringLiteral("時計の設定");
inline const QString FacePictureLabel = QStringLiteral("文字盤の画像ファイル");
inline const QString Browse = QStringLiteral("参照");
inline const QString CheckDrawSecond = QStringLiteral("秒針の表示");
inline const QString CheckTopMost = QStringLiteral("常に最前面に表示");
inline const QString CheckJihou = QStringLiteral("時報を鳴らす ------>");
inline const QString CheckMustShutDown = QStringLiteral("強制シャットダウンさせる");
inline const QString CheckTransparent = QStringLiteral("文字盤の背景を透過");
inline const QString CheckShadow = QStringLiteral("針の影を表示");
inline const QString CheckDrawChar = QStringLiteral("時刻文字の表示");
inline const QString CheckSlideBmp = QStringLiteral("時間毎に文字盤のを画像ファイルを変える   ->");
inline const QString CheckOnMouseToHide = QStringLiteral("カーソルが重なると消える");
inline const QString CheckMag2 = QStringLiteral("時計の大きさを任意の大きさに変える   ----->");
inline const QString CheckDrawFrame = QStringLiteral("時計の枠の表示");
inline const QString CheckRoman = QStringLiteral("時刻文字をローマ数字にする");
inline const QString ColourFrame = QStringLiteral("色の設定");
inline const QString ColourHour = QStringLiteral("時針");
inline const QString ColourMinute = QStringLiteral("分針");
inline const QString ColourSecond = QStringLiteral("秒針");
inline const QString ColourChar = QStringLiteral("文字");
inline const QString ColourBoard = QStringLiteral("文字盤");
inline const QString ColourFrameRing = QStringLiteral("時計枠");
inline const QString AlarmFrame = QStringLiteral("アラーム および シャットダウン の時刻設定");
inline const QString AlarmTimeLabel = QStringLiteral("設定時刻");
inline const QString AlarmSoundLabel = QStringLiteral("アラームサウンドファイル");
inline const QString AlarmRow1 = QStringLiteral("１");
inline const QString AlarmRow2 = QStringLiteral("２");
inline const QString AlarmRow3 = QStringLiteral("３");
// Our own: the column of the alarms' messages, shown when they ring.
inline const QString AlarmMessageLabel = QStringLiteral("メッセージ");
inline const QString ShutdownTimeLabel = QStringLiteral("シャットダウン時刻");
inline const QString SlideshowButton = QStringLiteral("スライドショー設定");
inline const QString SizeButton = QStringLiteral("サイズ設定");
inline const QString ChimeButton = QStringLiteral("設定");
inline const QString QuitClock = QStringLiteral("時計の終了");
inline const QString CheckAutostart = QStringLiteral("ログイン時に起動");
inline const QString AutostartFailed = QStringLiteral("ログイン時の起動を設定できませんでした");
inline const QString Ok = QStringLiteral("OK");
inline const QString OkWide = QStringLiteral("ＯＫ");
inline const QString Cancel = QStringLiteral("CANCEL");
inline const QString About = QStringLiteral("About");
inline const QString OpenPicture = QStringLiteral("画像ファイルを開く");
inline const QString OpenSound = QStringLiteral("サウンドファイルを開く");
// %1: the patterns of one group of picture formats.
inline const QString PictureFilter = QStringLiteral("Background Image (%1)");
inline const QString SoundFilter = QStringLiteral("AlarmSound (*.wav *.mid)");

// Slideshow, size and time signal dialogs
inline const QString SlideshowCaption = QStringLiteral("文字盤のスライドショー設定");
inline const QString SlideFolderLabel = QStringLiteral("画像ファイルフォルダ");
inline const QString SlideIntervalLabel = QStringLiteral("表示画像の切り替え時間");
inline const QString SlideFormatsFrame = QStringLiteral("スライドショーに使用する画像フォーマット");
inline const QString FormatBmp = QStringLiteral("BMPフォーマット(*.bmp)");
inline const QString FormatGif = QStringLiteral("GIFフォーマット(*.gif)");
inline const QString FormatJpeg = QStringLiteral("JPEGフォーマット(*.jpg)");
inline const QString FormatRle = QStringLiteral("RLEフォーマット(*.rle)");
inline const QString FormatDib = QStringLiteral("DIBフォーマット(*.dib)");
inline const QString FormatIco = QStringLiteral("アイコンフォーマット(*.ico)");
inline const QString FormatPng = QStringLiteral("PNGフォーマット(*.png)");
inline const QString FormatWebp = QStringLiteral("WebPフォーマット(*.webp)");
// The slideshow intervals, in the order the dialog lists them.
inline const QString Slide1Min = QStringLiteral("１分");
inline const QString Slide2Min = QStringLiteral("２分");
inline const QString Slide3Min = QStringLiteral("３分");
inline const QString Slide5Min = QStringLiteral("５分");
inline const QString Slide10Min = QStringLiteral("１０分");
inline const QString Slide15Min = QStringLiteral("１５分");
inline const QString Slide20Min = QStringLiteral("２０分");
inline const QString Slide30Min = QStringLiteral("３０分");
inline const QString Slide1Hour = QStringLiteral("１時間");
inline const QString Slide2Hours = QStringLiteral("２時間");
inline const QString SlideTimeDefault = Slide5Min;
// The size list: "  60 pixel ( 0.5倍 )" ... and the screen's own height.
inline const QString SizeEntryPixel = QStringLiteral(" pixel ( ");
inline const QString SizeEntryTimes = QStringLiteral("倍 )");
inline const QString ScreenSizeEntry = QStringLiteral("ScreenSize (Height)");
inline const QString SizeCaption = QStringLiteral("時計のサイズ設定");
inline const QString Pixel = QStringLiteral("pixel");
inline const QString ChimeCaption = QStringLiteral("時報の設定");
inline const QString ChimeFileLabel = QStringLiteral("時報サウンドファイル名");
inline const QString ChimeHourLabel = QStringLiteral("    毎時００分");
inline const QString ChimeHalfHour = QStringLiteral("毎時３０分");

// Popup menu and About box
inline const QString MenuSetup = QStringLiteral("Dialvaneの設定");
inline const QString MenuHelp = QStringLiteral("Dialvaneのヘルプ");
inline const QString MenuAbout = QStringLiteral("Dialvaneについて");
inline const QString MenuTimeSet = QStringLiteral("日付と時刻の調整");
inline const QString MenuPlace = QStringLiteral("時計の位置");
inline const QString MenuOld = QStringLiteral("位置を固定しない");
inline const QString MenuLeftTop = QStringLiteral("常にデスクトップ左上");
inline const QString MenuLeftBottom = QStringLiteral("常にデスクトップ左下");
inline const QString MenuRightTop = QStringLiteral("常にデスクトップ右上");
inline const QString MenuRightBottom = QStringLiteral("常にデスクトップ右下");
inline const QString MenuEnd = QStringLiteral("Dialvane終了");
// Our own: nothing could show the help page, or set the date and time.
inline const QString HelpNotOpened = QStringLiteral(
    "ヘルプを開くプログラムが見付かりません。次のファイルを開いてください");
inline const QString NoDateTimeTool = QStringLiteral("日付と時刻を設定するプログラムが見付かりません");
inline const QString AboutCaption = QStringLiteral("About Dialvane");
inline const QString AboutName = QStringLiteral("Ｄｉａｌｖａｎｅ  Version 2.00");
inline const QString AboutDate = QStringLiteral("1998/02/16");

// The command line's own answers, on standard output and error.
inline const QString VersionLine = QStringLiteral("Dialvane 2.00\n");
inline const QString Usage = QStringLiteral(
    "Usage: dialvane [-delreg] [-offset=H.MM]\n"
    "       dialvane --snapshot FILE.png --at HH:MM:SS\n"
    "A round analog desktop clock.\n"
    "  -delreg           delete the stored settings, then start with the defaults\n"
    "  -offset=H.MM      show the time shifted by hours and minutes (-offset=-1.30)\n"
    "  --snapshot FILE   write the face the clock would show at --at to a PNG file\n"
    "  --help            show this help and exit\n"
    "  --version         show the version and exit\n");
inline QString noDisplay(const QString &display)
{
    return display.isEmpty()
               ? QStringLiteral("dialvane: no X display to open (DISPLAY is not set); the clock needs X11 or XWayland")
               : QStringLiteral("dialvane: cannot open the X display %1; the clock needs X11 or XWayland").arg(display);
}

} // namespace dv::text

namespace dv::text {
// Our own: why the system did not power off.
inline const QString PowerNoBus = QStringLiteral("システムバスに接続できません。");
inline const QString PowerRefused = QStringLiteral("電源を切ることが許可されていません。");
inline const QString PowerNoAnswer = QStringLiteral("電源管理サービス（logind）から応答がありません。");
} // namespace dv::text
