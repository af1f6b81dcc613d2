#pragma once
// Every text the user sees, in one place.

#include <QString>

namespace dv::text {

inline const QString CRLF = QStringLiteral("\r\n");
inline const QString AppTitle = QStringLiteral("Dialvane Ver.2.00");
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
// The store could not be written; the quit will offer to save again.
inline const QString SaveFailed = QStringLiteral("設定を保存できませんでした");
// -delreg could not remove the stored settings.
inline const QString DeleteFailed = QStringLiteral("設定を削除できませんでした");

// Board picture and slideshow
inline const QString NoPicturesInFolder = QStringLiteral("このフォルダには、画像ファイルがありません");

// Schedule
inline const QString ShutdownTime = QStringLiteral("シャットダウン時刻です");
inline const QString ShutdownAsk = QStringLiteral("終了しますか？");
// Our own: the system refused or could not be asked to power off.
inline const QString ShutdownFailed = QStringLiteral("シャットダウンできませんでした");

// Alarm stop window
inline const QString StopAlarm = QStringLiteral("アラームを止める");

// Birthday greetings
inline const QString TodayIs = QStringLiteral("今日は ");
inline const QString BirthdaySuffix = QStringLiteral(" の誕生日です");
inline const QString DaySuffix = QStringLiteral(" です");

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
inline const QString AboutCaption = QStringLiteral("About Dialvane");
inline const QString AboutName = QStringLiteral("Ｄｉａｌｖａｎｅ  Version 2.00");
inline const QString AboutDate = QStringLiteral("1998/02/16");

} // namespace dv::text

namespace dv::text {
// Our own: why the system did not power off.
inline const QString PowerNoBus = QStringLiteral("システムバスに接続できません。");
inline const QString PowerRefused = QStringLiteral("電源を切ることが許可されていません。");
inline const QString PowerNoAnswer = QStringLiteral("電源管理サービス（logind）から応答がありません。");
} // namespace dv::text
