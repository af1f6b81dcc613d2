// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every text the user sees, in one place.
//
// Japanese is the program's own language; a text that has translations is a
// Text, looked up in the user's language each time it is shown. To add one:
//
//     inline constexpr Text Name = QT_TRANSLATE_NOOP("dv::text", "日本語の文");
//
// then `cmake --build build --target update_translations` adds it to every
// src/resources/translations/dialvane_*.ts, where its English is filled in
// (tst_language fails until it is). A text with a part filled in at run time
// is a function that calls QCoreApplication::translate("dv::text", ...) itself
// (see alarmWasDue below). A plain QString is a text shown alike in every
// language, or one that is stored or compared with the store, which is never
// translated (the slideshow intervals: the dialog shows them through
// slideIntervalShown()).

#include "resources/Product.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QPair>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <utility>

namespace dv::text {

inline constexpr const char *kContext = "dv::text";
// A text in the user's language: converts to a QString when it is used (for
// QString's other members, toString() first; arg() is here for "%1" texts).
class Text {
public:
    constexpr Text(const char *source)
        : m_source(source)
    {
    }
    QString toString() const { return QCoreApplication::translate(kContext, m_source); }
    operator QString() const { return toString(); }
    template <typename... Args>
    QString arg(Args &&...args) const
    {
        return toString().arg(std::forward<Args>(args)...);
    }
    constexpr const char *source() const { return m_source; }

private:
    const char *m_source;
};
inline QString operator+(const Text &a, const Text &b)
{
    return a.toString() + b.toString();
}
template <typename T>
QString operator+(const Text &a, const T &b)
{
    return a.toString() + b;
}
template <typename T>
QString operator+(const T &a, const Text &b)
{
    return a + b.toString();
}

inline const QString CRLF = QStringLiteral("\r\n");
inline const QString AppTitle = QStringLiteral("Dialvane Ver.") + QLatin1String(kVersion);
// What window lists and taskbars show for the clock window.
inline const QString ClockWindowTitle = QStringLiteral("Dialvane");
inline constexpr Text Subtitle = QT_TRANSLATE_NOOP("dv::text", "丸いアナログ時計");
// The tray icon's tip: the name and the date as MM-dd-yyyy.
// The days of the week, Monday first, as the alarm's days show them.
inline constexpr Text Weekdays[7] = {
    QT_TRANSLATE_NOOP("dv::text", "月"), QT_TRANSLATE_NOOP("dv::text", "火"), QT_TRANSLATE_NOOP("dv::text", "水"),
    QT_TRANSLATE_NOOP("dv::text", "木"), QT_TRANSLATE_NOOP("dv::text", "金"), QT_TRANSLATE_NOOP("dv::text", "土"),
    QT_TRANSLATE_NOOP("dv::text", "日"),
};
// The days an alarm keeps quiet on, with why (a holiday's name or the day off).
using RestDays = QList<QPair<QDate, QString>>;
// A holiday's name (below) or the day off, in the user's language.
inline QString holidayShown(const QString &name)
{
    return QCoreApplication::translate(kContext, name.toUtf8().constData());
}
// The first three as "MM-dd name", then "…" for the rest.
inline QString restDaysNamed(const RestDays &skipped)
{
    constexpr qsizetype kNamed = 3;
    QStringList days;
    for (qsizetype i = 0; i < std::min(skipped.size(), kNamed); ++i)
        days.append(skipped[i].first.toString(QStringLiteral("MM-dd ")) + holidayShown(skipped[i].second));
    return days.join(QStringLiteral("  ")) + (skipped.size() > kNamed ? QStringLiteral(" …") : QString());
}
inline QString restDaysPassed(const QString &days)
{
    return QCoreApplication::translate("dv::text", "鳴らさない日  %1").arg(days);
}
// A second line gives the next alarm's day and time (wall clock), when one is
// on, and `wake`: what it says of waking the machine, if anything; a third the
// first rest days it keeps quiet on before then.
inline QString trayTip(const QDate &date, const QDateTime &nextAlarm = {}, const QString &wake = {},
                       const RestDays &skipped = {})
{
    QString tip = QStringLiteral("Dialvane  ") + date.toString(QStringLiteral("MM-dd-yyyy"));
    if (nextAlarm.isValid())
        tip += QLatin1Char('\n')
               + QCoreApplication::translate("dv::text", "次のアラーム  %1（%2）%3")
                     .arg(nextAlarm.toString(QStringLiteral("MM-dd")),
                          Weekdays[nextAlarm.date().dayOfWeek() - 1].toString(),
                          nextAlarm.toString(QStringLiteral("HH:mm")))
               + (wake.isEmpty() ? QString() : QStringLiteral("  ") + wake);
    if (nextAlarm.isValid() && !skipped.isEmpty())
        tip += QLatin1Char('\n') + restDaysPassed(restDaysNamed(skipped));
    return tip;
}
// Waking a suspended machine for an alarm: the tip's words, and why it cannot.
inline constexpr Text TipWakes = QT_TRANSLATE_NOOP("dv::text", "スリープから起こします");
inline QString tipCannotWake(const QString &why)
{
    return QCoreApplication::translate("dv::text", "スリープから起こせません（%1）").arg(why);
}
inline constexpr Text WakeNoPermission = QT_TRANSLATE_NOOP("dv::text", "権限がありません");
inline constexpr Text WakeNoClock = QT_TRANSLATE_NOOP("dv::text", "起こせる時計がありません");
inline constexpr Text WakeNotArmed = QT_TRANSLATE_NOOP("dv::text", "タイマーを設定できません");
// What logind lists as the reason the clock holds a suspend back a moment.
inline constexpr Text SleepDelayReason = QT_TRANSLATE_NOOP("dv::text", "アラームで起こすタイマーを設定します");

// The national holidays by the law's names, and the user's own days off: kept
// in Japanese (--holidays and --next print them so), shown through holidayShown().
namespace holiday {
inline const QString NewYear = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "元日"));
inline const QString ComingOfAge = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "成人の日"));
inline const QString Foundation = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "建国記念の日"));
inline const QString EmperorsBirthday = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "天皇誕生日"));
inline const QString VernalEquinox = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "春分の日"));
inline const QString Showa = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "昭和の日"));
inline const QString Greenery = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "みどりの日"));
inline const QString Constitution = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "憲法記念日"));
inline const QString Children = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "こどもの日"));
inline const QString Marine = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "海の日"));
inline const QString Mountain = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "山の日"));
inline const QString RespectForAged = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "敬老の日"));
inline const QString AutumnalEquinox = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "秋分の日"));
inline const QString HealthSports = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "体育の日"));
inline const QString Sports = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "スポーツの日"));
inline const QString Culture = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "文化の日"));
inline const QString LabourThanksgiving = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "勤労感謝の日"));
inline const QString Substitute = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "振替休日"));
inline const QString Between = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "国民の休日"));
inline const QString Wedding1959 = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "皇太子明仁親王の結婚の儀"));
inline const QString Funeral1989 = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "昭和天皇の大喪の礼"));
inline const QString Enthronement = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "即位礼正殿の儀"));
inline const QString Wedding1993 = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "皇太子徳仁親王の結婚の儀"));
inline const QString Accession2019 = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "天皇の即位の日"));
inline const QString DayOff = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "お休みの日"));
} // namespace holiday

// Start-up
inline constexpr Text RegistryNone = QT_TRANSLATE_NOOP("dv::text", "レジストリ情報はありません");
inline constexpr Text RegistryDeleted = QT_TRANSLATE_NOOP("dv::text", "レジストリ情報を削除しました");
inline constexpr Text BoardPictureMissing = QT_TRANSLATE_NOOP("dv::text",
                                                              "ファイルが見付かりません（文字盤の画像ﾌｧｲﾙ）");
inline constexpr Text PictureFolderMissing = QT_TRANSLATE_NOOP("dv::text", "画像ファイルのフォルダが存在しません");
inline constexpr Text AlarmSoundMissing1 = QT_TRANSLATE_NOOP("dv::text", "ファイルが見付かりません（ｱﾗｰﾑｻｳﾝﾄﾞﾌｧｲﾙ１）");
inline constexpr Text AlarmSoundMissing2 = QT_TRANSLATE_NOOP("dv::text", "ファイルが見付かりません（ｱﾗｰﾑｻｳﾝﾄﾞﾌｧｲﾙ２）");
inline constexpr Text AlarmSoundMissing3 = QT_TRANSLATE_NOOP("dv::text", "ファイルが見付かりません（ｱﾗｰﾑｻｳﾝﾄﾞﾌｧｲﾙ３）");
inline const QString PathArrow = QStringLiteral("-> ");
// A message about a file or folder: the message, a blank line, then "-> " and the path.
inline QString withPath(const QString &message, const QString &path)
{
    return message + CRLF + CRLF + PathArrow + path;
}
// The store could not be written; the quit will offer to save again.
inline constexpr Text SaveFailed = QT_TRANSLATE_NOOP("dv::text", "設定を保存できませんでした");
// The store's file is no regular file of sane size: the defaults run instead.
inline constexpr Text StoreUnreadable = QT_TRANSLATE_NOOP("dv::text",
                                                          "設定ファイルを読めません。標準の設定で起動します");
// The store has lines that do not read (a hand edit gone wrong): the rest is used.
inline constexpr Text StoreDamaged = QT_TRANSLATE_NOOP("dv::text",
                                                       "設定ファイルに読めない行があります。読めた設定で起動します");
// The store is there but may not be read: the defaults run, and no save replaces it.
inline constexpr Text StoreNoPermission = QT_TRANSLATE_NOOP(
    "dv::text", "設定ファイルを読む権限がありません。標準の設定で起動し、このファイルには保存しません");
// The unreadable store was renamed (a damaged one copied) rather than written over.
inline constexpr Text StoreSetAside = QT_TRANSLATE_NOOP("dv::text", "元の設定ファイルは次の名前で残してあります");
// Others' keys in the store (another tool's group, notes) would have made it
// larger than a start reads: the whole store as it was to be saved is kept
// under this name, the store keeps the clock's own settings.
inline constexpr Text StoreOthersMoved = QT_TRANSLATE_NOOP(
    "dv::text", "設定ファイルが大きくなりすぎるため、設定以外の内容を含めた全体を次の名前で別に保存しました");
// -offset= held no usable number.
inline constexpr Text BadOffset = QT_TRANSLATE_NOOP("dv::text",
                                                    "時刻のずれ（-offset=）の値が正しくないため、無視します");
// -delreg could not remove the stored settings.
inline constexpr Text DeleteFailed = QT_TRANSLATE_NOOP("dv::text", "設定を削除できませんでした");
// Our own: stored alarm or shutdown times that are no time of day, listed below this as key=value.
inline constexpr Text TimesNeverRing = QT_TRANSLATE_NOOP("dv::text", "次の時刻は正しくないため、鳴りません");

// Board picture and slideshow
inline constexpr Text NoPicturesInFolder = QT_TRANSLATE_NOOP("dv::text", "このフォルダには、画像ファイルがありません");
inline constexpr Text CannotShowPicture = QT_TRANSLATE_NOOP("dv::text", "この画像は表示できません");

// Schedule
inline constexpr Text ShutdownTime = QT_TRANSLATE_NOOP("dv::text", "シャットダウン時刻です");
inline constexpr Text ShutdownAsk = QT_TRANSLATE_NOOP("dv::text", "終了しますか？");
// Our own: the system refused or could not be asked to power off.
inline constexpr Text ShutdownFailed = QT_TRANSLATE_NOOP("dv::text", "シャットダウンできませんでした");

// Alarm stop window
inline constexpr Text StopAlarm = QT_TRANSLATE_NOOP("dv::text", "アラームを止める");
// Our own: ring again after the alarm's snooze minutes.
inline constexpr Text Snooze = QT_TRANSLATE_NOOP("dv::text", "スヌーズ");
// Our own: an alarm that rings late says when it was due ("07:30").
inline QString alarmWasDue(const QString &when)
{
    return QCoreApplication::translate("dv::text", "%1 に鳴る予定でした").arg(when);
}
// Our own: alarms too late to ring, listed below this.
inline constexpr Text MissedAlarms = QT_TRANSLATE_NOOP("dv::text",
                                                       "時計が止まっていた間に、次のアラームの時刻が過ぎました");
// Our own: alarms too late to ring because the clock was not running (quit, or
// not started yet) at their time, listed below this.
inline constexpr Text MissedAlarmsWhileAway = QT_TRANSLATE_NOOP(
    "dv::text", "時計が動いていなかった間に、次のアラームの時刻が過ぎました");
// Our own: alarms too late to ring because another alarm rang unanswered, listed below this.
inline constexpr Text MissedAlarmsWhileRinging = QT_TRANSLATE_NOOP(
    "dv::text", "ほかのアラームが鳴っていた間に、次のアラームの時刻が過ぎました");
// Our own: a second start finds the clock running and cannot ask it to open its settings.
inline constexpr Text AlreadyRunning = QT_TRANSLATE_NOOP(
    "dv::text",
    "時計はすでに動いています。設定は、時計を右クリックするか、トレイのメニューの「Dialvaneの設定」から開けます");
// Our own: the lock that keeps a second clock out could not be made (then its path and why).
inline constexpr Text LockNotTaken = QT_TRANSLATE_NOOP(
    "dv::text", "時計を一つだけ動かすためのロックを作れません。二つ目の時計が起動しても止められません");
// Our own: a second start finds the clock running.
inline constexpr Text AlreadyRunningDelreg = QT_TRANSLATE_NOOP(
    "dv::text", "時計はすでに動いています。設定を削除するには、時計を終了してから -delreg を付けて起動してください");

// Birthday greetings
inline constexpr Text TodayIs = QT_TRANSLATE_NOOP("dv::text", "今日は ");
inline constexpr Text BirthdaySuffix = QT_TRANSLATE_NOOP("dv::text", " の誕生日です");
inline constexpr Text DaySuffix = QT_TRANSLATE_NOOP("dv::text", " です");
// Our own: a file with more greetings for today than boxes worth clicking through.
inline QString moreGreetings(int count)
{
    return QCoreApplication::translate("dv::text", "今日のお知らせは、ほかに %n 件あります", nullptr, count);
}

// Quit
inline constexpr Text ChangedQuestion1 = QT_TRANSLATE_NOOP("dv::text",
                                                           "パラメータ または 時計の位置 が変更されています");
inline constexpr Text ChangedQuestion2 = QT_TRANSLATE_NOOP("dv::text", "保存しますか？");

// Settings dialog
inline constexpr Text SettingsCaption = QT_TRANSLATE_NOOP("dv::text", "時計の設定");
inline constexpr Text FacePictureLabel = QT_TRANSLATE_NOOP("dv::text", "文字盤の画像ファイル");
inline constexpr Text Browse = QT_TRANSLATE_NOOP("dv::text", "参照");
inline constexpr Text BoxSecondHand = QT_TRANSLATE_NOOP("dv::text", "秒針の表示");
inline constexpr Text BoxOnTop = QT_TRANSLATE_NOOP("dv::text", "常に最前面に表示");
inline constexpr Text BoxTimeSignal = QT_TRANSLATE_NOOP("dv::text", "時報を鳴らす ------>");
inline constexpr Text BoxForceShutdown = QT_TRANSLATE_NOOP("dv::text", "強制シャットダウンさせる");
inline constexpr Text BoxTransparentBoard = QT_TRANSLATE_NOOP("dv::text", "文字盤の背景を透過");
inline constexpr Text BoxShadows = QT_TRANSLATE_NOOP("dv::text", "針の影を表示");
inline constexpr Text BoxHourMarks = QT_TRANSLATE_NOOP("dv::text", "時刻文字の表示");
inline constexpr Text BoxSlideshow = QT_TRANSLATE_NOOP("dv::text", "時間毎に文字盤のを画像ファイルを変える   ->");
inline constexpr Text BoxHideUnderPointer = QT_TRANSLATE_NOOP("dv::text", "カーソルが重なると消える");
inline constexpr Text BoxFreeSize = QT_TRANSLATE_NOOP("dv::text", "時計の大きさを任意の大きさに変える   ----->");
inline constexpr Text BoxFrameRing = QT_TRANSLATE_NOOP("dv::text", "時計の枠の表示");
inline constexpr Text BoxRomanNumerals = QT_TRANSLATE_NOOP("dv::text", "時刻文字をローマ数字にする");
inline constexpr Text ColourFrame = QT_TRANSLATE_NOOP("dv::text", "色の設定");
inline constexpr Text ColourHour = QT_TRANSLATE_NOOP("dv::text", "時針");
inline constexpr Text ColourMinute = QT_TRANSLATE_NOOP("dv::text", "分針");
inline constexpr Text ColourSecond = QT_TRANSLATE_NOOP("dv::text", "秒針");
inline constexpr Text ColourChar = QT_TRANSLATE_NOOP("dv::text", "文字");
inline constexpr Text ColourBoard = QT_TRANSLATE_NOOP("dv::text", "文字盤");
inline constexpr Text ColourFrameRing = QT_TRANSLATE_NOOP("dv::text", "時計枠");
inline constexpr Text AlarmFrame = QT_TRANSLATE_NOOP("dv::text", "アラーム および シャットダウン の時刻設定");
inline constexpr Text AlarmTimeLabel = QT_TRANSLATE_NOOP("dv::text", "設定時刻");
inline constexpr Text AlarmSoundLabel = QT_TRANSLATE_NOOP("dv::text", "アラームサウンドファイル");
inline constexpr Text AlarmRow1 = QT_TRANSLATE_NOOP("dv::text", "１");
inline constexpr Text AlarmRow2 = QT_TRANSLATE_NOOP("dv::text", "２");
inline constexpr Text AlarmRow3 = QT_TRANSLATE_NOOP("dv::text", "３");
// Our own: the column of the alarms' messages, shown when they ring.
inline constexpr Text AlarmMessageLabel = QT_TRANSLATE_NOOP("dv::text", "メッセージ");
inline constexpr Text ShutdownTimeLabel = QT_TRANSLATE_NOOP("dv::text", "シャットダウン時刻");
inline constexpr Text SlideshowButton = QT_TRANSLATE_NOOP("dv::text", "スライドショー設定");
inline constexpr Text SizeButton = QT_TRANSLATE_NOOP("dv::text", "サイズ設定");
inline constexpr Text ChimeButton = QT_TRANSLATE_NOOP("dv::text", "設定");
inline constexpr Text QuitClock = QT_TRANSLATE_NOOP("dv::text", "時計の終了");
inline constexpr Text BoxStartAtLogin = QT_TRANSLATE_NOOP("dv::text", "ログイン時に起動");
inline constexpr Text AutostartFailed = QT_TRANSLATE_NOOP("dv::text", "ログイン時の起動を設定できませんでした");
inline const QString Ok = QStringLiteral("OK");
inline constexpr Text OkWide = QT_TRANSLATE_NOOP("dv::text", "ＯＫ");
inline constexpr Text Cancel = QT_TRANSLATE_NOOP("dv::text", "CANCEL");
inline const QString About = QStringLiteral("About");
inline constexpr Text OpenPicture = QT_TRANSLATE_NOOP("dv::text", "画像ファイルを開く");
inline constexpr Text OpenSound = QT_TRANSLATE_NOOP("dv::text", "サウンドファイルを開く");
// %1: the patterns of one group of picture formats.
inline const QString PictureFilter = QStringLiteral("Background Image (%1)");
inline const QString SoundFilter = QStringLiteral("AlarmSound (*.wav *.mid)");

// Slideshow, size and time signal dialogs
// Our own: one alarm's days, once-only, snooze and ring length.
inline constexpr Text AlarmDetailButton = QT_TRANSLATE_NOOP("dv::text", "詳細");
inline QString alarmDetailCaption(int alarm)
{
    return QCoreApplication::translate("dv::text", "アラーム%1の詳細").arg(alarm);
}
inline constexpr Text AlarmDaysLabel = QT_TRANSLATE_NOOP("dv::text", "鳴らす曜日（すべて外すとオフ）");
inline constexpr Text AlarmOnceBox = QT_TRANSLATE_NOOP("dv::text", "一度だけ鳴らす");
inline constexpr Text AlarmSnoozeLabel = QT_TRANSLATE_NOOP("dv::text", "スヌーズ（分）");
inline constexpr Text AlarmRingMinutesLabel = QT_TRANSLATE_NOOP("dv::text", "鳴らす長さ（分）");
inline constexpr Text AlarmVolumeLabel = QT_TRANSLATE_NOOP("dv::text", "音量（％）");
inline constexpr Text AlarmFadeInLabel = QT_TRANSLATE_NOOP("dv::text", "だんだん大きく（秒）");
inline constexpr Text AlarmTrialButton = QT_TRANSLATE_NOOP("dv::text", "試聴");
inline constexpr Text AlarmWakeBox = QT_TRANSLATE_NOOP("dv::text", "スリープから起こす");
// Our own: rest on national holidays and the user's days off.
inline constexpr Text AlarmSkipHolidaysBox = QT_TRANSLATE_NOOP("dv::text", "祝日は鳴らさない");
inline constexpr Text DaysOffLabel = QT_TRANSLATE_NOOP(
    "dv::text", "お休みの日（全アラーム共通、例：2026-12-29..2027-01-03,2027-05-06）");
// OK refused: the days-off field has entries that are no date or range (listed below it).
inline constexpr Text DaysOffRefused = QT_TRANSLATE_NOOP(
    "dv::text", "お休みの日に読めない日付があります。日付は 2026-05-06、期間は 2026-12-29..2027-01-03 "
                "のように書き、カンマで区切ってください");
// The details dialog: the alarm's next ring passes over rest days.
inline QString alarmWaits(const QDateTime &at, const RestDays &skipped)
{
    return QCoreApplication::translate("dv::text", "次は %1（%2）%3 に鳴ります。鳴らさない日：%4")
        .arg(at.toString(QStringLiteral("MM-dd")), Weekdays[at.date().dayOfWeek() - 1].toString(),
             at.toString(QStringLiteral("HH:mm")), restDaysNamed(skipped));
}
// Told once at start: stored days off that do not read, ignored.
inline constexpr Text DaysOffIgnored = QT_TRANSLATE_NOOP("dv::text", "次のお休みの日は読めないため、無視します");
inline QString wakeUnavailable(const QString &why)
{
    return QCoreApplication::translate("dv::text", "使えません：%1").arg(why);
}
inline constexpr Text SlideshowCaption = QT_TRANSLATE_NOOP("dv::text", "文字盤のスライドショー設定");
inline constexpr Text SlideFolderLabel = QT_TRANSLATE_NOOP("dv::text", "画像ファイルフォルダ");
inline constexpr Text SlideIntervalLabel = QT_TRANSLATE_NOOP("dv::text", "表示画像の切り替え時間");
inline constexpr Text SlideFormatsFrame = QT_TRANSLATE_NOOP("dv::text", "スライドショーに使用する画像フォーマット");
inline constexpr Text FormatBmp = QT_TRANSLATE_NOOP("dv::text", "BMPフォーマット(*.bmp)");
inline constexpr Text FormatGif = QT_TRANSLATE_NOOP("dv::text", "GIFフォーマット(*.gif)");
inline constexpr Text FormatJpeg = QT_TRANSLATE_NOOP("dv::text", "JPEGフォーマット(*.jpg)");
inline constexpr Text FormatRle = QT_TRANSLATE_NOOP("dv::text", "RLEフォーマット(*.rle)");
inline constexpr Text FormatDib = QT_TRANSLATE_NOOP("dv::text", "DIBフォーマット(*.dib)");
inline constexpr Text FormatIco = QT_TRANSLATE_NOOP("dv::text", "アイコンフォーマット(*.ico)");
inline constexpr Text FormatPng = QT_TRANSLATE_NOOP("dv::text", "PNGフォーマット(*.png)");
inline constexpr Text FormatWebp = QT_TRANSLATE_NOOP("dv::text", "WebPフォーマット(*.webp)");
// The slideshow intervals, in the order the dialog lists them.
inline const QString Slide1Min = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "１分"));
inline const QString Slide2Min = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "２分"));
inline const QString Slide3Min = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "３分"));
inline const QString Slide5Min = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "５分"));
inline const QString Slide10Min = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "１０分"));
inline const QString Slide15Min = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "１５分"));
inline const QString Slide20Min = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "２０分"));
inline const QString Slide30Min = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "３０分"));
inline const QString Slide1Hour = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "１時間"));
inline const QString Slide2Hours = QStringLiteral(QT_TRANSLATE_NOOP("dv::text", "２時間"));
inline const QString SlideTimeDefault = Slide5Min;
// The size list: "  60 pixel ( 0.5倍 )" ... and the screen's own height.
inline const QString SizeEntryPixel = QStringLiteral(" pixel ( ");
inline constexpr Text SizeEntryTimes = QT_TRANSLATE_NOOP("dv::text", "倍 )");
inline const QString ScreenSizeEntry = QStringLiteral("ScreenSize (Height)");
inline constexpr Text SizeCaption = QT_TRANSLATE_NOOP("dv::text", "時計のサイズ設定");
inline const QString Pixel = QStringLiteral("pixel");
inline constexpr Text ChimeCaption = QT_TRANSLATE_NOOP("dv::text", "時報の設定");
inline constexpr Text ChimeFileLabel = QT_TRANSLATE_NOOP("dv::text", "時報サウンドファイル名");
inline constexpr Text ChimeHourLabel = QT_TRANSLATE_NOOP("dv::text", "    毎時００分");
inline constexpr Text ChimeHalfHour = QT_TRANSLATE_NOOP("dv::text", "毎時３０分");

// Popup menu and About box
inline constexpr Text MenuSetup = QT_TRANSLATE_NOOP("dv::text", "Dialvaneの設定");
inline constexpr Text MenuHelp = QT_TRANSLATE_NOOP("dv::text", "Dialvaneのヘルプ");
inline constexpr Text MenuAbout = QT_TRANSLATE_NOOP("dv::text", "Dialvaneについて");
inline constexpr Text MenuTimeSet = QT_TRANSLATE_NOOP("dv::text", "日付と時刻の調整");
inline constexpr Text MenuPlace = QT_TRANSLATE_NOOP("dv::text", "時計の位置");
inline constexpr Text MenuOld = QT_TRANSLATE_NOOP("dv::text", "位置を固定しない");
inline constexpr Text MenuLeftTop = QT_TRANSLATE_NOOP("dv::text", "常にデスクトップ左上");
inline constexpr Text MenuLeftBottom = QT_TRANSLATE_NOOP("dv::text", "常にデスクトップ左下");
inline constexpr Text MenuRightTop = QT_TRANSLATE_NOOP("dv::text", "常にデスクトップ右上");
inline constexpr Text MenuRightBottom = QT_TRANSLATE_NOOP("dv::text", "常にデスクトップ右下");
inline constexpr Text MenuEnd = QT_TRANSLATE_NOOP("dv::text", "Dialvane終了");
// The help page beside the program, in the user's language.
//: The file name of the help page in this language (DIALVANE_en.html).
inline constexpr Text HelpPage = QT_TRANSLATE_NOOP("dv::text", "DIALVANE.html");
// Our own: nothing could show the help page, or set the date and time.
inline constexpr Text HelpNotOpened = QT_TRANSLATE_NOOP(
    "dv::text", "ヘルプを開くプログラムが見付かりません。次のファイルを開いてください");
inline constexpr Text NoDateTimeTool = QT_TRANSLATE_NOOP("dv::text", "日付と時刻を設定するプログラムが見付かりません");
inline const QString AboutCaption = QStringLiteral("About Dialvane");
// %1: the version ("2.00").
inline QString aboutName()
{
    return QCoreApplication::translate("dv::text", "Ｄｉａｌｖａｎｅ  Version %1").arg(QLatin1String(kVersion));
}
inline const QString AboutDate = QStringLiteral("1998/02/16");

// The command line's own answers, on standard output and error.
inline const QString VersionLine = QStringLiteral("Dialvane %1\n").arg(QLatin1String(kVersion));
inline const QString Usage = QStringLiteral(
    "Usage: dialvane [-delreg] [-offset=H.MM]\n"
    "       dialvane --snapshot FILE.png --at HH:MM:SS\n"
    "       dialvane --stop | --snooze | --next\n"
    "       dialvane --holidays [YEAR]\n"
    "A round analog desktop clock.\n"
    "  -delreg           delete the stored settings, then start with the defaults\n"
    "  -offset=H.MM      show the time shifted by hours and minutes (-offset=-1.30);\n"
    "                    an optional sign, digits, a point and digits (9, +0.45,\n"
    "                    .30), up to 9999 hours; anything else is told and ignored\n"
    "  --snapshot FILE   write the face the clock would show at --at to a PNG file\n"
    "  --stop            stop the alarm that rings on the clock of this display\n"
    "  --snooze          snooze that alarm for its own snooze minutes\n"
    "  --next            print the next alarm: its date and time, its message and\n"
    "                    whether it wakes the machine (from the stored settings\n"
    "                    when no clock runs on this display)\n"
    "  --holidays [YEAR] print Japan's national holidays of that year (1948 to\n"
    "                    2099; default: this year), one per line\n"
    "  --help            show this help and exit\n"
    "  --version         show the version and exit\n");
// --help, --version or an answer of the running clock could not be written.
inline QString answerNotWritten(const QString &why)
{
    return QStringLiteral("dialvane: cannot write the answer: %1").arg(why);
}
// -offset= with no number of the accepted form: the clock runs without one.
inline QString offsetIgnored(const QString &given)
{
    return QStringLiteral("dialvane: -offset=%1 is no offset of the form H.MM (9, -1.30, +0.45, .30); "
                          "the clock runs without one")
        .arg(given);
}
// No window system plugin of those QT_QPA_PLATFORM names could be loaded.
inline QString noPlatformPlugin(const QString &names)
{
    return QStringLiteral("dialvane: cannot load the window system \"%1\" (QT_QPA_PLATFORM); "
                          "the clock needs X11 or XWayland")
        .arg(names);
}
// --holidays given a year it knows no holidays of.
inline QString holidayYearRefused(const QString &year)
{
    return QStringLiteral("dialvane: --holidays takes a year from 1948 to 2099, not %1").arg(year);
}
// --stop and --snooze with no clock of this display to ask.
inline const QString NoClockToAsk = QStringLiteral("dialvane: no clock runs on this display to ask");
inline const QString NoAlarmRings = QStringLiteral("no alarm is ringing\n");
// --next: the next alarm's date and time, one line for each message, whether
// it wakes the machine (and why not, when it asks to but is not armed); or
// that no alarm is on.
enum class NextWake { No, Yes, NotArmed, NoClock };
// A `skipped:` line for each rest day it keeps quiet on before then.
inline QString nextAlarmLines(const QDateTime &at, const QStringList &messages, NextWake wakes,
                              const RestDays &skipped = {})
{
    if (!at.isValid())
        return QStringLiteral("no alarm is on\n");
    QString lines = QStringLiteral("next alarm: ") + at.toString(QStringLiteral("yyyy-MM-dd "))
                    + QLocale::c().dayName(at.date().dayOfWeek(), QLocale::ShortFormat)
                    + at.toString(QStringLiteral(" HH:mm")) + QLatin1Char('\n');
    for (const auto &[day, why] : skipped)
        lines += QStringLiteral("skipped: ") + day.toString(QStringLiteral("yyyy-MM-dd ")) + why + QLatin1Char('\n');
    for (const QString &m : messages)
        lines += QStringLiteral("message: ") + m + QLatin1Char('\n');
    const char *const said[] = {"no", "yes", "no (the wake-up could not be armed)",
                                "no (no clock runs to arm the wake-up)"};
    return lines + QStringLiteral("wakes the machine: ") + QLatin1String(said[int(wakes)]) + QLatin1Char('\n');
}
inline QString noDisplay(const QString &display)
{
    return display.isEmpty()
               ? QStringLiteral("dialvane: no X display to open (DISPLAY is not set); the clock needs X11 or XWayland")
               : QStringLiteral("dialvane: cannot open the X display %1; the clock needs X11 or XWayland").arg(display);
}

} // namespace dv::text

namespace dv::text {
// Our own: why the system did not power off.
inline constexpr Text PowerNoBus = QT_TRANSLATE_NOOP("dv::text", "システムバスに接続できません。");
inline constexpr Text PowerRefused = QT_TRANSLATE_NOOP("dv::text", "電源を切ることが許可されていません。");
// What the system's list of sleep locks says of the clock's while an alarm rings.
inline constexpr Text SleepHeldOff = QT_TRANSLATE_NOOP("dv::text", "アラームが鳴っています");
inline constexpr Text PowerNoAnswer = QT_TRANSLATE_NOOP("dv::text", "電源管理サービス（logind）から応答がありません。");
} // namespace dv::text
