<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>dv::text</name>
    <message>
        <source>丸いアナログ時計</source>
        <translation>Round analog clock</translation>
    </message>
    <message>
        <source>レジストリ情報はありません</source>
        <translation>There are no stored settings</translation>
    </message>
    <message>
        <source>レジストリ情報を削除しました</source>
        <translation>The stored settings have been deleted</translation>
    </message>
    <message>
        <source>ファイルが見付かりません（文字盤の画像ﾌｧｲﾙ）</source>
        <translation>File not found (face picture file)</translation>
    </message>
    <message>
        <source>画像ファイルのフォルダが存在しません</source>
        <translation>The picture folder does not exist</translation>
    </message>
    <message>
        <source>ファイルが見付かりません（ｱﾗｰﾑｻｳﾝﾄﾞﾌｧｲﾙ１）</source>
        <translation>File not found (alarm sound file 1)</translation>
    </message>
    <message>
        <source>ファイルが見付かりません（ｱﾗｰﾑｻｳﾝﾄﾞﾌｧｲﾙ２）</source>
        <translation>File not found (alarm sound file 2)</translation>
    </message>
    <message>
        <source>ファイルが見付かりません（ｱﾗｰﾑｻｳﾝﾄﾞﾌｧｲﾙ３）</source>
        <translation>File not found (alarm sound file 3)</translation>
    </message>
    <message>
        <source>設定を保存できませんでした</source>
        <translation>The settings could not be saved</translation>
    </message>
    <message>
        <source>設定ファイルを読めません。標準の設定で起動します</source>
        <translation>The settings file cannot be read. Starting with the default settings</translation>
    </message>
    <message>
        <source>元の設定ファイルは次の名前で残してあります</source>
        <translation>The settings file as it was has been kept under this name</translation>
    </message>
    <message>
        <source>設定ファイルが大きくなりすぎるため、設定以外の内容を含めた全体を次の名前で別に保存しました</source>
        <translation>The settings file would have grown too large: all of it, with what is not a setting, has been saved separately under this name</translation>
    </message>
    <message>
        <source>時刻のずれ（-offset=）の値が正しくないため、無視します</source>
        <translation>The time offset (-offset=) is not valid and is ignored</translation>
    </message>
    <message>
        <source>設定を削除できませんでした</source>
        <translation>The settings could not be deleted</translation>
    </message>
    <message>
        <source>このフォルダには、画像ファイルがありません</source>
        <translation>There are no picture files in this folder</translation>
    </message>
    <message>
        <source>この画像は表示できません</source>
        <translation>This picture cannot be shown</translation>
    </message>
    <message>
        <source>シャットダウン時刻です</source>
        <translation>It is time to shut down</translation>
    </message>
    <message>
        <source>終了しますか？</source>
        <translation>Shut down now?</translation>
    </message>
    <message>
        <source>シャットダウンできませんでした</source>
        <translation>The computer could not be shut down</translation>
    </message>
    <message>
        <source>アラームを止める</source>
        <translation>Stop alarm</translation>
    </message>
    <message>
        <source>スヌーズ</source>
        <translation>Snooze</translation>
    </message>
    <message>
        <source>%1 に鳴る予定でした</source>
        <translation>Due at %1</translation>
    </message>
    <message>
        <source>時計が動いていなかった間に、次のアラームの時刻が過ぎました</source>
        <translation>While the clock was not running, the times of these alarms went by</translation>
    </message>
    <message>
        <source>時計が止まっていた間に、次のアラームの時刻が過ぎました</source>
        <translation>While the clock was stopped, the times of these alarms went by</translation>
    </message>
    <message>
        <source>時計はすでに動いています。設定を削除するには、時計を終了してから -delreg を付けて起動してください</source>
        <translation>The clock is already running. To delete the settings, quit the clock, then start it with -delreg</translation>
    </message>
    <message>
        <source>今日は </source>
        <translation>Today is </translation>
    </message>
    <message>
        <source> の誕生日です</source>
        <translation>&apos;s birthday.</translation>
    </message>
    <message>
        <source> です</source>
        <translation>.</translation>
    </message>
    <message numerus="yes">
        <source>今日のお知らせは、ほかに %n 件あります</source>
        <translation>
            <numerusform>There is %n more notice for today</numerusform>
            <numerusform>There are %n more notices for today</numerusform>
        </translation>
    </message>
    <message>
        <source>パラメータ または 時計の位置 が変更されています</source>
        <translation>The settings or the clock&apos;s position have changed</translation>
    </message>
    <message>
        <source>保存しますか？</source>
        <translation>Save them?</translation>
    </message>
    <message>
        <source>時計の設定</source>
        <translation>Clock Settings</translation>
    </message>
    <message>
        <source>文字盤の画像ファイル</source>
        <translation>Face picture file</translation>
    </message>
    <message>
        <source>参照</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>秒針の表示</source>
        <translation>Show the second hand</translation>
    </message>
    <message>
        <source>常に最前面に表示</source>
        <translation>Always on top</translation>
    </message>
    <message>
        <source>時報を鳴らす ------&gt;</source>
        <translation>Time signal ------&gt;</translation>
    </message>
    <message>
        <source>強制シャットダウンさせる</source>
        <translation>Shut down without asking</translation>
    </message>
    <message>
        <source>文字盤の背景を透過</source>
        <translation>Transparent background</translation>
    </message>
    <message>
        <source>針の影を表示</source>
        <translation>Show hand shadows</translation>
    </message>
    <message>
        <source>時刻文字の表示</source>
        <translation>Show the hour marks</translation>
    </message>
    <message>
        <source>時間毎に文字盤のを画像ファイルを変える   -&gt;</source>
        <translation>Change the picture at intervals   -&gt;</translation>
    </message>
    <message>
        <source>カーソルが重なると消える</source>
        <translation>Hide under the pointer</translation>
    </message>
    <message>
        <source>時計の大きさを任意の大きさに変える   -----&gt;</source>
        <translation>Any clock size   -----&gt;</translation>
    </message>
    <message>
        <source>時計の枠の表示</source>
        <translation>Show the clock frame</translation>
    </message>
    <message>
        <source>時刻文字をローマ数字にする</source>
        <translation>Roman numerals</translation>
    </message>
    <message>
        <source>色の設定</source>
        <translation>Colours</translation>
    </message>
    <message>
        <source>時針</source>
        <translation>Hour</translation>
    </message>
    <message>
        <source>分針</source>
        <translation>Minute</translation>
    </message>
    <message>
        <source>秒針</source>
        <translation>Second</translation>
    </message>
    <message>
        <source>文字</source>
        <translation>Marks</translation>
    </message>
    <message>
        <source>文字盤</source>
        <translation>Face</translation>
    </message>
    <message>
        <source>時計枠</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>アラーム および シャットダウン の時刻設定</source>
        <translation>Alarm and shutdown times</translation>
    </message>
    <message>
        <source>設定時刻</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>アラームサウンドファイル</source>
        <translation>Alarm sound file</translation>
    </message>
    <message>
        <source>１</source>
        <translation>1</translation>
    </message>
    <message>
        <source>２</source>
        <translation>2</translation>
    </message>
    <message>
        <source>３</source>
        <translation>3</translation>
    </message>
    <message>
        <source>メッセージ</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>シャットダウン時刻</source>
        <translation>Shutdown time</translation>
    </message>
    <message>
        <source>スライドショー設定</source>
        <translation>Slideshow settings</translation>
    </message>
    <message>
        <source>サイズ設定</source>
        <translation>Size settings</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>時計の終了</source>
        <translation>Quit the clock</translation>
    </message>
    <message>
        <source>ＯＫ</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>画像ファイルを開く</source>
        <translation>Open a picture file</translation>
    </message>
    <message>
        <source>サウンドファイルを開く</source>
        <translation>Open a sound file</translation>
    </message>
    <message>
        <source>文字盤のスライドショー設定</source>
        <translation>Face Slideshow Settings</translation>
    </message>
    <message>
        <source>画像ファイルフォルダ</source>
        <translation>Picture folder</translation>
    </message>
    <message>
        <source>表示画像の切り替え時間</source>
        <translation>Change the picture every</translation>
    </message>
    <message>
        <source>スライドショーに使用する画像フォーマット</source>
        <translation>Picture formats for the slideshow</translation>
    </message>
    <message>
        <source>BMPフォーマット(*.bmp)</source>
        <translation>BMP format (*.bmp)</translation>
    </message>
    <message>
        <source>GIFフォーマット(*.gif)</source>
        <translation>GIF format (*.gif)</translation>
    </message>
    <message>
        <source>JPEGフォーマット(*.jpg)</source>
        <translation>JPEG format (*.jpg)</translation>
    </message>
    <message>
        <source>RLEフォーマット(*.rle)</source>
        <translation>RLE format (*.rle)</translation>
    </message>
    <message>
        <source>DIBフォーマット(*.dib)</source>
        <translation>DIB format (*.dib)</translation>
    </message>
    <message>
        <source>アイコンフォーマット(*.ico)</source>
        <translation>Icon format (*.ico)</translation>
    </message>
    <message>
        <source>PNGフォーマット(*.png)</source>
        <translation>PNG format (*.png)</translation>
    </message>
    <message>
        <source>１分</source>
        <translation>1 minute</translation>
    </message>
    <message>
        <source>２分</source>
        <translation>2 minutes</translation>
    </message>
    <message>
        <source>３分</source>
        <translation>3 minutes</translation>
    </message>
    <message>
        <source>５分</source>
        <translation>5 minutes</translation>
    </message>
    <message>
        <source>１０分</source>
        <translation>10 minutes</translation>
    </message>
    <message>
        <source>１５分</source>
        <translation>15 minutes</translation>
    </message>
    <message>
        <source>２０分</source>
        <translation>20 minutes</translation>
    </message>
    <message>
        <source>３０分</source>
        <translation>30 minutes</translation>
    </message>
    <message>
        <source>１時間</source>
        <translation>1 hour</translation>
    </message>
    <message>
        <source>２時間</source>
        <translation>2 hours</translation>
    </message>
    <message>
        <source>倍 )</source>
        <translation>x )</translation>
    </message>
    <message>
        <source>時計のサイズ設定</source>
        <translation>Clock Size</translation>
    </message>
    <message>
        <source>時報の設定</source>
        <translation>Time Signal Settings</translation>
    </message>
    <message>
        <source>時報サウンドファイル名</source>
        <translation>Time signal sound file</translation>
    </message>
    <message>
        <source>    毎時００分</source>
        <translation>    On the hour</translation>
    </message>
    <message>
        <source>毎時３０分</source>
        <translation>On the half hour</translation>
    </message>
    <message>
        <source>Dialvaneの設定</source>
        <translation>Dialvane Settings</translation>
    </message>
    <message>
        <source>Dialvaneのヘルプ</source>
        <translation>Dialvane Help</translation>
    </message>
    <message>
        <source>Dialvaneについて</source>
        <translation>About Dialvane</translation>
    </message>
    <message>
        <source>日付と時刻の調整</source>
        <translation>Adjust Date and Time</translation>
    </message>
    <message>
        <source>時計の位置</source>
        <translation>Clock Position</translation>
    </message>
    <message>
        <source>位置を固定しない</source>
        <translation>Not fixed</translation>
    </message>
    <message>
        <source>常にデスクトップ左上</source>
        <translation>Always at the top left</translation>
    </message>
    <message>
        <source>常にデスクトップ左下</source>
        <translation>Always at the bottom left</translation>
    </message>
    <message>
        <source>常にデスクトップ右上</source>
        <translation>Always at the top right</translation>
    </message>
    <message>
        <source>常にデスクトップ右下</source>
        <translation>Always at the bottom right</translation>
    </message>
    <message>
        <source>Dialvane終了</source>
        <translation>Quit Dialvane</translation>
    </message>
    <message>
        <source>DIALVANE.html</source>
        <extracomment>The file name of the help page in this language (DIALVANE_en.html).</extracomment>
        <translation>DIALVANE_en.html</translation>
    </message>
    <message>
        <source>ヘルプを開くプログラムが見付かりません。次のファイルを開いてください</source>
        <translation>No program was found to open the help. Please open this file</translation>
    </message>
    <message>
        <source>日付と時刻を設定するプログラムが見付かりません</source>
        <translation>No program was found to set the date and time</translation>
    </message>
    <message>
        <source>Ｄｉａｌｖａｎｅ  Version %1</source>
        <translation>Dialvane  Version %1</translation>
    </message>
    <message>
        <source>システムバスに接続できません。</source>
        <translation>Cannot connect to the system bus.</translation>
    </message>
    <message>
        <source>電源を切ることが許可されていません。</source>
        <translation>Powering off is not permitted.</translation>
    </message>
    <message>
        <source>電源管理サービス（logind）から応答がありません。</source>
        <translation>No answer from the power management service (logind).</translation>
    </message>
    <message>
        <source>設定ファイルに読めない行があります。読めた設定で起動します</source>
        <translation>Some lines of the settings file cannot be read. Starting with the settings that could be read</translation>
    </message>
    <message>
        <source>設定ファイルを読む権限がありません。標準の設定で起動し、このファイルには保存しません</source>
        <translation>You have no permission to read the settings file. Starting with the default settings; nothing will be saved to that file</translation>
    </message>
    <message>
        <source>時計はすでに動いています。設定は、時計を右クリックするか、トレイのメニューの「Dialvaneの設定」から開けます</source>
        <translation>The clock is already running. Open its settings by right-clicking the clock, or with “Dialvane Settings” in its tray menu</translation>
    </message>
    <message>
        <source>時計を一つだけ動かすためのロックを作れません。二つ目の時計が起動しても止められません</source>
        <translation>The lock that keeps a second clock from starting cannot be made. A second clock started now will not be stopped</translation>
    </message>
    <message>
        <source>次の時刻は正しくないため、鳴りません</source>
        <translation>These times are not valid and will not ring</translation>
    </message>
    <message>
        <source>ほかのアラームが鳴っていた間に、次のアラームの時刻が過ぎました</source>
        <translation>While another alarm was ringing, the times of these alarms went by</translation>
    </message>
    <message>
        <source>ログイン時に起動</source>
        <translation>Start at login</translation>
    </message>
    <message>
        <source>ログイン時の起動を設定できませんでした</source>
        <translation>Could not set the clock to start at login</translation>
    </message>
    <message>
        <source>WebPフォーマット(*.webp)</source>
        <translation>WebP format (*.webp)</translation>
    </message>
    <message>
        <source>月</source>
        <translation>Mon</translation>
    </message>
    <message>
        <source>火</source>
        <translation>Tue</translation>
    </message>
    <message>
        <source>水</source>
        <translation>Wed</translation>
    </message>
    <message>
        <source>木</source>
        <translation>Thu</translation>
    </message>
    <message>
        <source>金</source>
        <translation>Fri</translation>
    </message>
    <message>
        <source>土</source>
        <translation>Sat</translation>
    </message>
    <message>
        <source>日</source>
        <translation>Sun</translation>
    </message>
    <message>
        <source>次のアラーム  %1（%2）%3</source>
        <translation>Next alarm  %1 (%2) %3</translation>
    </message>
    <message>
        <source>詳細</source>
        <translation>More</translation>
    </message>
    <message>
        <source>アラーム%1の詳細</source>
        <translation>Alarm %1 details</translation>
    </message>
    <message>
        <source>鳴らす曜日（すべて外すとオフ）</source>
        <translation>Days to ring (none: off)</translation>
    </message>
    <message>
        <source>一度だけ鳴らす</source>
        <translation>Ring once only</translation>
    </message>
    <message>
        <source>スヌーズ（分）</source>
        <translation>Snooze (minutes)</translation>
    </message>
    <message>
        <source>鳴らす長さ（分）</source>
        <translation>Ring for (minutes)</translation>
    </message>
    <message>
        <source>音量（％）</source>
        <translation>Volume (%)</translation>
    </message>
    <message>
        <source>だんだん大きく（秒）</source>
        <translation>Fade in (seconds)</translation>
    </message>
    <message>
        <source>試聴</source>
        <translation>Try</translation>
    </message>
    <message>
        <source>アラームが鳴っています</source>
        <translation>An alarm is ringing</translation>
    </message>
    <message>
        <source>スリープから起こします</source>
        <translation>wakes the machine</translation>
    </message>
    <message>
        <source>スリープから起こせません（%1）</source>
        <translation>cannot wake the machine (%1)</translation>
    </message>
    <message>
        <source>権限がありません</source>
        <translation>no permission</translation>
    </message>
    <message>
        <source>起こせる時計がありません</source>
        <translation>no wake-up clock</translation>
    </message>
    <message>
        <source>タイマーを設定できません</source>
        <translation>the timer could not be set</translation>
    </message>
    <message>
        <source>アラームで起こすタイマーを設定します</source>
        <translation>Setting the wake-up timer for an alarm</translation>
    </message>
    <message>
        <source>スリープから起こす</source>
        <translation>Wake from sleep</translation>
    </message>
    <message>
        <source>使えません：%1</source>
        <translation>unavailable: %1</translation>
    </message>
    <message>
        <source>鳴らさない日  %1</source>
        <translation>Skipped  %1</translation>
    </message>
    <message>
        <source>祝日は鳴らさない</source>
        <translation>Not on holidays or days off</translation>
    </message>
    <message>
        <source>お休みの日（全アラーム共通、例：2026-12-29..2027-01-03,2027-05-06）</source>
        <translation>Days off (for all alarms, e.g. 2026-12-29..2027-01-03,2027-05-06)</translation>
    </message>
    <message>
        <source>お休みの日に読めない日付があります。日付は 2026-05-06、期間は 2026-12-29..2027-01-03 のように書き、カンマで区切ってください</source>
        <translation>Some days off cannot be read. Write a date as 2026-05-06 and a range as 2026-12-29..2027-01-03, separated by commas</translation>
    </message>
    <message>
        <source>次は %1（%2）%3 に鳴ります。鳴らさない日：%4</source>
        <translation>Rings next on %1 (%2) %3. Skipped: %4</translation>
    </message>
    <message>
        <source>次のお休みの日は読めないため、無視します</source>
        <translation>These days off cannot be read and are ignored</translation>
    </message>
    <message>
        <source>元日</source>
        <translation>New Year&apos;s Day</translation>
    </message>
    <message>
        <source>成人の日</source>
        <translation>Coming of Age Day</translation>
    </message>
    <message>
        <source>建国記念の日</source>
        <translation>National Foundation Day</translation>
    </message>
    <message>
        <source>天皇誕生日</source>
        <translation>The Emperor&apos;s Birthday</translation>
    </message>
    <message>
        <source>春分の日</source>
        <translation>Vernal Equinox Day</translation>
    </message>
    <message>
        <source>昭和の日</source>
        <translation>Showa Day</translation>
    </message>
    <message>
        <source>みどりの日</source>
        <translation>Greenery Day</translation>
    </message>
    <message>
        <source>憲法記念日</source>
        <translation>Constitution Memorial Day</translation>
    </message>
    <message>
        <source>こどもの日</source>
        <translation>Children&apos;s Day</translation>
    </message>
    <message>
        <source>海の日</source>
        <translation>Marine Day</translation>
    </message>
    <message>
        <source>山の日</source>
        <translation>Mountain Day</translation>
    </message>
    <message>
        <source>敬老の日</source>
        <translation>Respect for the Aged Day</translation>
    </message>
    <message>
        <source>秋分の日</source>
        <translation>Autumnal Equinox Day</translation>
    </message>
    <message>
        <source>体育の日</source>
        <translation>Health and Sports Day</translation>
    </message>
    <message>
        <source>スポーツの日</source>
        <translation>Sports Day</translation>
    </message>
    <message>
        <source>文化の日</source>
        <translation>Culture Day</translation>
    </message>
    <message>
        <source>勤労感謝の日</source>
        <translation>Labour Thanksgiving Day</translation>
    </message>
    <message>
        <source>振替休日</source>
        <translation>Substitute holiday</translation>
    </message>
    <message>
        <source>国民の休日</source>
        <translation>Citizens&apos; holiday</translation>
    </message>
    <message>
        <source>皇太子明仁親王の結婚の儀</source>
        <translation>Wedding of Crown Prince Akihito</translation>
    </message>
    <message>
        <source>昭和天皇の大喪の礼</source>
        <translation>Funeral of Emperor Showa</translation>
    </message>
    <message>
        <source>即位礼正殿の儀</source>
        <translation>Enthronement ceremony</translation>
    </message>
    <message>
        <source>皇太子徳仁親王の結婚の儀</source>
        <translation>Wedding of Crown Prince Naruhito</translation>
    </message>
    <message>
        <source>天皇の即位の日</source>
        <translation>The Emperor&apos;s accession</translation>
    </message>
    <message>
        <source>お休みの日</source>
        <translation>Day off</translation>
    </message>
</context>
</TS>
