// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fakes.h"
#include "FileBytes.h"
#include "platform/QSettingsStore.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <linux/capability.h>
#include <optional>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace dv;
using namespace dv::test;

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void init();
    void storedTexts_data();
    void storedTexts();
    void keyNames();
    void emptyStoreGivesDefaults();
    void unconvertibleKeyTakesItsDefaultOnly();
    void everyFieldRoundTripsThroughTheIniFile();
    void iniFileHoldsTheTexts();
    void storeReadsAndWritesBackAsBefore();
    void unwritableStoreIsReported();
    void lockedStore_data();
    void othersInTheStore_data();
    void othersInTheStore();
    void lockedStore();
    void setParameter();
    void movedProgram_data();
    void movedProgram();
    void oddStores_data();
    void oddStores();
    void fileExists_data();
    void fileExists();

private:
    QTemporaryDir m_config;
};

static bool writeFile(const QString &path, const QByteArray &b)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(b) == b.size();
}

void TestSettings::init()
{
    // A private XDG config folder per case: QSettings' per-user INI file lives there.
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_config.path());
    QFile::remove(m_config.path() + QStringLiteral("/MOKU/DIALVANE.conf"));
    QFile::remove(m_config.path() + QStringLiteral("/MOKU")); // a plain file an earlier case left there
    if (!QFileInfo::exists(m_config.filePath("fifo")))
        QCOMPARE(::mkfifo(QFile::encodeName(m_config.filePath("fifo")).constData(), 0600), 0);
}

// Field key, stored text, whether it converts, and the text it saves back as.
void TestSettings::storedTexts_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("converts");
    QTest::addColumn<QString>("saved");

    auto row = [](const char *name, const char *key, const char *stored, bool converts, const char *saved) {
        QTest::newRow(name) << QString(key) << QString(stored) << converts << QString(saved);
    };
    row("bool True", "DrawSecond", "True", true, "True");
    row("bool False", "DrawSecond", "False", true, "False");
    row("bool lower case", "TopMost", "true", true, "True");
    row("bool -1", "TopMost", "-1", true, "True");
    row("bool 0", "TopMost", "0", true, "False");
    row("bool 5", "TopMost", "5", true, "True");
    row("bool letters", "TopMost", "yes", false, "");
    row("colour white", "BoardColor", "16777215", true, "16777215");
    row("int negative", "FormTop", "-300", true, "-300");
    row("int half to even", "FormTop", "12.5", true, "12");
    row("int letters", "ClockSize", "abc", false, "");
    row("int overflow", "ClockSize", "4294967296", false, "");
    row("byte 255", "SlideGrafix", "255", true, "255");
    row("byte 256", "SlideGrafix", "256", false, "");
    row("byte -1", "FormPlace", "-1", false, "");
    row("float 0", "OffsetTime", "0", true, "0");
    row("float 1.3", "OffsetTime", "1.3", true, "1.3");
    row("float -0.45", "OffsetTime", "-0.45", true, "-0.45");
    row("float 9", "OffsetTime", "9", true, "9");
    row("float letters", "OffsetTime", "x", false, "");
    row("string empty", "BackImage", "", true, "");
    row("string full-width", "SlideTime", "２時間", true, "２時間");
}

void TestSettings::storedTexts()
{
    QFETCH(QString, key);
    QFETCH(QString, stored);
    QFETCH(bool, converts);
    QFETCH(QString, saved);
    const auto &fields = settingFields();
    auto it = std::find_if(fields.begin(), fields.end(),
                           [&](const SettingField &f) { return key == QLatin1String(f.key); });
    QVERIFY(it != fields.end());
    Settings s;
    const Settings before = s;
    QCOMPARE(setFieldFromText(s, *it, stored), converts);
    if (converts)
        QCOMPARE(fieldText(s, *it), saved);
    else
        QVERIFY(s == before);
}

void TestSettings::keyNames()
{
    // Written out here, not taken from the table: a misspelt key loses a setting
    // that every earlier settings file holds.
    const QStringList keys{"FormTop",           "FormLeft",          "BackImage",
                           "DrawSecond",        "TopMost",           "Jihou",
                           "Transparent",       "ShadowFlag",        "DrawChar",
                           "SlideBmp",          "BmpDirectory",      "SlideTime",
                           "OnMouseToHide",     "Mag2Flag",          "DrawFrameFlag",
                           "ClockSize",         "CharPattern",       "FormPlace",
                           "SlideGrafix",       "Jihou00File",       "Jihou30File",
                           "Jihou30",           "HourColor",         "MinuteColor",
                           "SecondColor",       "CharColor",         "BoardColor",
                           "FrameColor",        "AlarmTime1",        "AlarmTime2",
                           "AlarmTime3",        "AlarmSound1",       "AlarmSound2",
                           "AlarmSound3",       "AlarmMessage1",     "AlarmMessage2",
                           "AlarmMessage3",     "ShutDownTime",      "MustShutDown",
                           "OffsetTime",        "AlarmDays1",        "AlarmDays2",
                           "AlarmDays3",        "AlarmOnce1",        "AlarmOnce2",
                           "AlarmOnce3",        "AlarmSnooze1",      "AlarmSnooze2",
                           "AlarmSnooze3",      "AlarmRingMinutes1", "AlarmRingMinutes2",
                           "AlarmRingMinutes3", "AlarmVolume1",      "AlarmVolume2",
                           "AlarmVolume3",      "AlarmFadeIn1",      "AlarmFadeIn2",
                           "AlarmFadeIn3",      "AlarmWake1",        "AlarmWake2",
                           "AlarmWake3"};
    const QStringList restKeys{"AlarmSkipHolidays1", "AlarmSkipHolidays2", "AlarmSkipHolidays3", "DaysOff"};
    QStringList table;
    for (const SettingField &f : settingFields())
        table << QString::fromLatin1(f.key);
    QCOMPARE(table, keys + restKeys);
}

void TestSettings::emptyStoreGivesDefaults()
{
    Rig rig(QStringLiteral("/opt/dialvane"));
    rig.clock.loadSettings();
    const Settings &s = rig.clock.settings();
    QCOMPARE(s.topTwips, 0);
    QCOMPARE(s.freeSize, false);
    QCOMPARE(s.clockSize, 240);
    QCOMPARE(s.boardColour, 16777215);
    QCOMPARE(s.hourColour, 0);
    QCOMPARE(s.secondHand, true);
    QCOMPARE(s.hourChime, true);
    QCOMPARE(s.hourChimeFile, QStringLiteral("/opt/dialvane/JIHOU.WAV"));
    QCOMPARE(s.slideshowFolder, QStringLiteral("/opt/dialvane"));
    QCOMPARE(s.slideshow, false);
    QCOMPARE(s.slideInterval, QStringLiteral("５分"));
    QCOMPARE(int(s.slideshowFormats), 7);
    QCOMPARE(s.frameRing, true);
    QCOMPARE(s.hourMarks, true);
    QCOMPARE(s.romanNumerals, StoredFalse);
    QVERIFY(rig.clock.parameters().saved() == s);
    QCOMPARE(rig.store.writes, 0); // reading never writes
}

void TestSettings::unconvertibleKeyTakesItsDefaultOnly()
{
    Rig rig;
    rig.store.values = {{"ClockSize", "abc"},  {"Mag2Flag", "True"}, {"CharPattern", "True"}, {"BoardColor", "255"},
                        {"OffsetTime", "1.3"}, {"FormTop", "300"},   {"FormPlace", "9"}};
    rig.clock.loadSettings();
    const Settings &s = rig.clock.settings();
    QCOMPARE(s.clockSize, 240); // its own default
    QCOMPARE(s.freeSize, true); // before it
    QCOMPARE(s.topTwips, 300);
    QCOMPARE(s.romanNumerals, StoredTrue); // after it: still loaded
    QCOMPARE(s.boardColour, 255);
    QCOMPARE(s.timeOffset, 1.3f);
    QCOMPARE(int(s.corner), 9);                   // a corner out of range loads as it is
    QVERIFY(rig.clock.parameters().saved() == s); // and the saved copies refreshed
}

static Settings unusual()
{
    Settings s = Settings::defaults(QStringLiteral("/x"));
    s.topTwips = -15;
    s.leftTwips = 13560;
    s.boardPicture = QStringLiteral("/pics/a, b.jpg");
    s.secondHand = false;
    s.onTop = true;
    s.hourChime = false;
    s.transparentBoard = true;
    s.shadows = true;
    s.hourMarks = false;
    s.slideshow = true;
    s.slideshowFolder = QStringLiteral("/写真");
    s.slideInterval = QStringLiteral("２時間");
    s.hideUnderPointer = true;
    s.freeSize = true;
    s.frameRing = false;
    s.clockSize = 360;
    s.romanNumerals = StoredTrue;
    s.corner = Corner::BottomRight;
    s.slideshowFormats = 63;
    s.hourColour = 255;
    s.minuteColour = 65280;
    s.secondColour = 16711680;
    s.marksColour = 8421504;
    s.boardColour = 0;
    s.frameColour = 16777215;
    s.alarmTime1 = QStringLiteral("07:30");
    s.alarmTime2 = QString();
    s.alarmTime3 = QStringLiteral("23:59");
    s.alarmSound1 = QStringLiteral("/s/a.wav");
    s.alarmSound3 = QStringLiteral("/s/c.MID");
    s.alarmMessage2 = QStringLiteral("起きて");
    s.shutdownTime = QStringLiteral("22:00");
    s.forceShutdown = true;
    s.timeOffset = -0.45f;
    s.hourChimeFile = QString();
    s.halfHourChimeFile = QStringLiteral("/s/half.wav");
    s.halfHourChime = true;
    s.alarmSkipHolidays2 = true;
    s.daysOff = QStringLiteral("2026-12-29..2027-01-03,2027-05-06");
    return s;
}

void TestSettings::everyFieldRoundTripsThroughTheIniFile()
{
    QSettingsStore store;
    {
        Rig writer(QStringLiteral("/x"), &store);
        writer.clock.settings() = unusual();
        QVERIFY(writer.clock.saveSettings());
        QVERIFY(writer.clock.parameters().saved() == writer.clock.settings());
    }
    Rig reader(QStringLiteral("/x"), &store);
    reader.clock.loadSettings();
    QVERIFY(reader.clock.settings() == unusual());
    QVERIFY(reader.msg.shown.isEmpty());
}

void TestSettings::iniFileHoldsTheTexts()
{
    QSettingsStore store;
    QVERIFY(
        store.writeAll({{"DrawSecond", "False"}, {"OffsetTime", "-0.45"}, {"SlideTime", "５分"}, {"BackImage", ""}}));
    QCOMPARE(store.location(), m_config.path() + QStringLiteral("/MOKU/DIALVANE.conf"));
    const QString ini = QString::fromUtf8(readFile(store.location()));
    QVERIFY2(ini.startsWith(QStringLiteral("[General]")), qPrintable(ini));
    QVERIFY(ini.contains(QStringLiteral("DrawSecond=False")));
    QVERIFY(ini.contains(QStringLiteral("OffsetTime=-0.45")));
    QVERIFY(ini.contains(QStringLiteral("BackImage=\n")));
    QCOMPARE(store.read(QStringLiteral("SlideTime")).value_or(QString()), QStringLiteral("５分"));
    QVERIFY(!store.read(QStringLiteral("Missing")).has_value());
}

// A store written before, with every key and some odd but accepted values (a
// Boolean as 1 or in lower case, twips off the 15 grid, an unknown corner),
// saves back as these bytes.
void TestSettings::storeReadsAndWritesBackAsBefore()
{
    const QByteArray before = "[General]\nAlarmMessage1=Get up\nAlarmMessage2=\nAlarmMessage3=\xe6\xac\xa1\n"
                              "AlarmSound1=/s/1.wav\nAlarmSound2=\nAlarmSound3=/s/3.wav\nAlarmTime1=07:30\n"
                              "AlarmTime2=\nAlarmTime3=7:5\nBackImage=/p/board.bmp\nBmpDirectory=/p\n"
                              "BoardColor=16711935\nCharColor=255\nCharPattern=1\nClockSize=301\n"
                              "DrawChar=true\nDrawFrameFlag=0\nDrawSecond=-1\nFormLeft=3001\nFormPlace=9\n"
                              "FormTop=-17\nFrameColor=65280\nHourColor=1\nJihou=False\nJihou00File=/s/bell.wav\n"
                              "Jihou30=5\nJihou30File=/s/half.wav\nMag2Flag=True\nMinuteColor=2\n"
                              "MustShutDown=True\nOffsetTime=1.30\nOnMouseToHide=False\nSecondColor=3\n"
                              "ShadowFlag=True\nShutDownTime=23:59\nSlideBmp=False\nSlideGrafix=255\n"
                              "SlideTime=\xef\xbc\x95\xe5\x88\x86\nTopMost=True\nTransparent=False\n";
    // Booleans save as True or False, the offset as its shortest text.
    const QByteArray after = QByteArray(before)
                                 .replace("CharPattern=1", "CharPattern=True")
                                 .replace("DrawChar=true", "DrawChar=True")
                                 .replace("DrawFrameFlag=0", "DrawFrameFlag=False")
                                 .replace("DrawSecond=-1", "DrawSecond=True")
                                 .replace("Jihou30=5", "Jihou30=True")
                                 .replace("OffsetTime=1.30", "OffsetTime=1.3");
    QSettingsStore store;
    QDir().mkpath(QFileInfo(store.location()).path());
    QVERIFY(writeFile(store.location(), before));
    Parameters p(store, QStringLiteral("/x"));
    p.load();
    QVERIFY(p.save());
    QCOMPARE(readFile(store.location()), after);
    // A newer key is written once it differs from its default, and stays
    // written when it returns to it; the others stay out.
    p.working().alarmSnooze2 = 9;
    QVERIFY(p.save());
    p.load();
    p.working().alarmSnooze2 = kSnoozeMinutesDefault;
    QVERIFY(p.save());
    QCOMPARE(readFile(store.location()), QByteArray(after).replace("AlarmSound1=", "AlarmSnooze2=5\nAlarmSound1="));
}

void TestSettings::unwritableStoreIsReported()
{
    // A plain file where the MOKU folder belongs cannot be replaced, even by root.
    QDir(m_config.path() + QStringLiteral("/MOKU")).removeRecursively();
    QFile blocker(m_config.path() + QStringLiteral("/MOKU"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    QSettingsStore store;
    Rig rig(QStringLiteral("/x"), &store);
    Clock &c = rig.clock;
    c.loadSettings();
    const Settings saved = c.parameters().saved();
    c.settings().topTwips = 4500;
    QVERIFY(!c.saveSettings());
    QCOMPARE(rig.msg.shown.size(), 1);
    QVERIFY(rig.msg.shown.first().startsWith(QStringLiteral("設定を保存できませんでした\r\n\r\n-> ")));
    QVERIFY(c.parameters().saved() == saved); // the quit still sees the change
}

void TestSettings::lockedStore_data()
{
    QTest::addColumn<QByteArray>("lock"); // empty: a folder
    QTest::newRow("a folder in the lock's place") << QByteArray();
    QTest::newRow("a fresh lock of another machine") << QByteArray("4242\ndialvane\nelsewhere.example\n");
}

// QSettings waits on its lock without a bound: the save is refused at once
// and told, the clock ticks on, and a later tick saves once the lock is gone.
void TestSettings::lockedStore()
{
    QFETCH(QByteArray, lock);
    QSettingsStore store;
    const QString loc = store.location(), lockPath = loc + ".lock";
    QDir().mkpath(QFileInfo(loc).path());
    QVERIFY(writeFile(loc, "[General]\nClockSize=360\n"));
    QDir().rmdir(lockPath);
    QVERIFY(lock.isEmpty() ? QDir().mkdir(lockPath) : writeFile(lockPath, lock));
    Rig rig(m_config.path(), &store);
    Clock &c = rig.clock;
    c.start(QString());
    rig.set({{"AlarmMessage1", "Up"}});
    QVERIFY(!c.saveSettings());
    rig.set({{"AlarmMessage2", "Now"}});
    QVERIFY(!c.saveSettings()); // a second save: told once
    QCOMPARE(rig.msg.shown, QStringList{"設定を保存できませんでした\r\n\r\n-> " + loc});
    rig.run(60'000);
    QVERIFY(!readFile(loc).contains("AlarmMessage1"));
    QVERIFY(lock.isEmpty() ? QDir().rmdir(lockPath) : QFile::remove(lockPath));
    rig.run(30'000);
    QVERIFY(readFile(loc).contains("AlarmMessage1=Up\nAlarmMessage2=Now\n"));
    QVERIFY(!c.parameters().unsaved() && !QFileInfo::exists(lockPath));
    QCOMPARE(rig.msg.shown.size(), 1);
    QFile::remove(loc);
}

void TestSettings::othersInTheStore_data()
{
    // Another tool's group as it stands in the file, raw; whether a save moves it aside.
    QTest::addColumn<QByteArray>("others");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("movedAside");
    QTest::newRow("a small group kept") << QByteArray("[Notes]\ntext=a\tb\x01"
                                                      "c\\\\d\n")
                                        << "Notes/text" << false;
    QTest::newRow("180 KB of notes with tabs") << "[Notes]\ntext=" + QByteArray("a\t").repeated(90'000) + '\n'
                                               << "Notes/text" << true;
    QTest::newRow("control bytes before hex digits in General") << "[General]\nnote="
                                                                       + QByteArray("\x1f"
                                                                                    "a")
                                                                             .repeated(50'000)
                                                                       + '\n'
                                                                << "note" << true;
}

// The clock's own save never makes a store the next start refuses: the fields
// at their longest, each character one written as an escape at worst, beside
// what others keep in the file.
void TestSettings::othersInTheStore()
{
    QFETCH(QByteArray, others);
    QFETCH(QString, key);
    QFETCH(bool, movedAside);
    QSettingsStore store;
    const QString loc = store.location();
    QDir().mkpath(QFileInfo(loc).path());
    QVERIFY(writeFile(loc, "[General]\nClockSize=360\n" + others));
    const QVariant before = QSettings(loc, QSettings::IniFormat).value(key);
    QVERIFY(before.isValid());
    Rig writer(m_config.path(), &store);
    writer.clock.start(QString());
    QVERIFY2(writer.msg.shown.isEmpty(), qPrintable(writer.msg.shown.join("|")));
    for (const SettingField &f : settingFields())
        if (f.maxChars > kTimeChars)
            QVERIFY(setFieldFromText(writer.clock.settings(), f, QString(f.maxChars, QChar(0x1f))));
    QVERIFY(writer.clock.saveSettings());
    QVERIFY(QFileInfo(loc).size() <= QSettingsStore::kStoreLimit);
    const QString aside = loc + ".unreadable";
    QCOMPARE(writer.msg.shown,
             movedAside ? QStringList{"設定ファイルが大きくなりすぎるため、設定以外の内容を含めた全体を次の名前で別に"
                                      "保存しました\r\n\r\n-> "
                                      + aside}
                        : QStringList());
    {
        // Nothing of theirs is lost: in the store, or whole in the copy aside.
        const QSettings kept(movedAside ? aside : loc, QSettings::IniFormat);
        QCOMPARE(kept.value(key), before);
        QCOMPARE(kept.value("BackImage").toString(), writer.clock.settings().boardPicture);
    }
    // Read as a store at the next start (the sounds named are missing, and told).
    QCOMPARE(store.condition(), SettingsStore::Condition::Fine);
    Rig reader(m_config.path(), &store);
    reader.clock.start(QString());
    QVERIFY(reader.clock.parameters().saved() == writer.clock.parameters().saved());
    QFile::remove(loc);
    QFile::remove(aside);
}

void TestSettings::setParameter()
{
    Settings s = Settings::defaults(QStringLiteral("/x"));
    s.alarmTime2 = QStringLiteral("07:30");
    AlarmTimes t = deriveAlarmTimes(s);
    QCOMPARE(t.check, 2);
    QCOMPARE(t.alarm[1], QStringLiteral("07:30:00"));
    QVERIFY(t.alarm[0].isEmpty() && t.alarm[2].isEmpty() && t.shutdown.isEmpty());
    s.alarmTime1 = QStringLiteral("06:00");
    s.alarmTime3 = QStringLiteral("21:15");
    s.shutdownTime = QStringLiteral("23:00");
    t = deriveAlarmTimes(s);
    QCOMPARE(t.check, 7);
    QCOMPARE(t.alarm[0], QStringLiteral("06:00:00"));
    QCOMPARE(t.alarm[2], QStringLiteral("21:15:00"));
    QCOMPARE(t.shutdown, QStringLiteral("23:00:00"));
    QCOMPARE(t.days, (std::array<quint8, kAlarmCount>{127, 127, 127}));
    s.alarmDays2 = 0;       // off: no compare text, and the time stays stored
    s.alarmDays3 = 128 + 1; // a bit above Sunday's means nothing
    t = deriveAlarmTimes(s);
    QCOMPARE(t.check, 5);
    QVERIFY(t.alarm[1].isEmpty());
    QCOMPARE(s.alarmTime2, QStringLiteral("07:30"));
    QCOMPARE(t.days[2], quint8(1));
    QCOMPARE(deriveAlarmTimes(Settings::defaults(QStringLiteral("/x"))).check, 0);
}

void TestSettings::movedProgram_data()
{
    // The clock ran from folder "old", saved, and now runs from "new".
    QTest::addColumn<bool>("oldThere");  // the old folder and its time signal still exist
    QTest::addColumn<QString>("signal"); // stored Jihou00File; OLD stands for the old folder
    QTest::addColumn<QString>("folder"); // stored BmpDirectory
    QTest::addColumn<QString>("signalNow");
    QTest::addColumn<QString>("folderNow");
    auto row = [](const char *name, bool oldThere, const char *signal, const char *folder, const char *signalNow,
                  const char *folderNow) {
        QTest::newRow(name) << oldThere << QString(signal) << QString(folder) << QString(signalNow)
                            << QString(folderNow);
    };
    row("old folder gone: both follow", false, "OLD/JIHOU.WAV", "OLD", "NEW/JIHOU.WAV", "NEW");
    row("old folder still there: both stay", true, "OLD/JIHOU.WAV", "OLD", "OLD/JIHOU.WAV", "OLD");
    row("a folder the user chose stays", false, "OLD/JIHOU.WAV", "/home/me/pictures", "NEW/JIHOU.WAV",
        "/home/me/pictures");
    row("a sound the user chose stays", false, "/home/me/bell.wav", "OLD", "/home/me/bell.wav", "OLD");
}

void TestSettings::movedProgram()
{
    QFETCH(bool, oldThere);
    QFETCH(QString, signal);
    QFETCH(QString, folder);
    QFETCH(QString, signalNow);
    QFETCH(QString, folderNow);
    QTemporaryDir oldDir, newDir;
    const QString oldPath = oldDir.path();
    if (oldThere)
        QFile(oldPath + "/JIHOU.WAV").open(QIODevice::WriteOnly);
    else
        oldDir.remove();
    auto place = [&](QString t) { return t.replace("OLD", oldPath).replace("NEW", newDir.path()); };
    Rig rig(newDir.path());
    rig.store.values = {{"Jihou00File", place(signal)}, {"BmpDirectory", place(folder)}};
    rig.clock.loadSettings();
    QCOMPARE(rig.clock.settings().hourChimeFile, place(signalNow));
    QCOMPARE(rig.clock.settings().slideshowFolder, place(folderNow));
}

void TestSettings::fileExists_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("folder");
    QTest::addColumn<bool>("expected");
    const QString dir = QDir::tempPath();
    const QString file = QCoreApplication::applicationFilePath();
    QTest::newRow("file as file") << file << false << true;
    QTest::newRow("file as folder") << file << true << false;
    QTest::newRow("folder as file") << dir << false << false;
    QTest::newRow("folder as folder") << dir << true << true;
    QTest::newRow("star") << dir + QStringLiteral("/*") << true << false;
    QTest::newRow("question mark") << file.left(file.size() - 1) + QLatin1Char('?') << false << false;
    QTest::newRow("empty") << QString() << false << false;
    QTest::newRow("empty folder") << QString() << true << false;
    QTest::newRow("missing") << dir + QStringLiteral("/no/such/file") << false << false;
    QTest::newRow("device") << "/dev/zero" << false << false;
    QTest::newRow("FIFO") << m_config.filePath("fifo") << false << false;
    // Names, not patterns: each is there under exactly that name.
    for (const char *name : {"what?.png", "*.wav", "[ab].mid"}) {
        QVERIFY(writeFile(m_config.filePath(name), "x"));
        QTest::newRow(name) << m_config.filePath(name) << false << true;
    }
    QTest::newRow("a folder named [x]*") << m_config.filePath("[x]*") << true
                                         << QDir().mkpath(m_config.filePath("[x]*"));
}

// Root reads anything: for one case, the two capabilities that let it are
// dropped from the effective set (and given back after).
class AsPlainUser {
public:
    AsPlainUser()
    {
        if (::syscall(SYS_capget, &m_head, m_caps) != 0)
            return;
        __user_cap_data_struct less[2] = {m_caps[0], m_caps[1]};
        less[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        m_dropped = ::syscall(SYS_capset, &m_head, less) == 0;
    }
    ~AsPlainUser()
    {
        if (m_dropped)
            ::syscall(SYS_capset, &m_head, m_caps);
    }

private:
    __user_cap_header_struct m_head{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_caps[2]{};
    bool m_dropped = false;
};

void TestSettings::oddStores_data()
{
    // What stands at the store's place; what the user is told at start (STORE
    // and ASIDE for the paths); the size read; whether a save then goes through.
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("told");
    QTest::addColumn<int>("clockSize");
    QTest::addColumn<bool>("saves");
    const QString unreadable = "設定ファイルを読めません。標準の設定で起動します\r\n\r\n-> STORE";
    const QString kept = "\r\n\r\n元の設定ファイルは次の名前で残してあります\r\n\r\n-> ASIDE";
    QTest::newRow("clean store") << QString("clean") << "" << 360 << true;
    QTest::newRow("a store behind a link") << QString("store link") << "" << 360 << true;
    QTest::newRow("one stray line") << "stray"
                                    << "設定ファイルに読めない行があります。読めた設定で起動します\r\n\r\n-> STORE"
                                           + kept
                                    << 360 << true;
    QTest::newRow("binary junk") << "junk" << unreadable + kept << 240 << true;
    QTest::newRow("huge") << "huge" << unreadable + kept << 240 << true;
    QTest::newRow("a notes file behind a link") << "notes link" << unreadable + kept << 240 << true;
    QTest::newRow("a dangling link") << "dangling link" << unreadable + kept << 240 << true;
    QTest::newRow("a link to a pseudo-file") << "pseudo link" << unreadable + kept << 240 << true;
    QTest::newRow("FIFO") << "fifo" << unreadable << 240 << false;
    QTest::newRow("no read permission")
        << "no read"
        << "設定ファイルを読む権限がありません。標準の設定で起動し、このファイルには保存しません\r\n\r\n-> STORE" << 240
        << false;
}

void TestSettings::oddStores()
{
    QFETCH(QString, kind);
    QFETCH(QString, told);
    QFETCH(int, clockSize);
    QFETCH(bool, saves);
    QSettingsStore store;
    const QString loc = store.location(), aside = loc + ".unreadable";
    const QString target = kind == "pseudo link" ? "/proc/self/environ" : m_config.filePath("elsewhere");
    QDir(m_config.path() + "/MOKU").removeRecursively();
    QDir().mkpath(m_config.path() + "/MOKU");
    if (kind != "pseudo link")
        QFile::remove(target);
    QByteArray bytes = "[General]\nClockSize=360\nDrawSecond=False\n";
    if (kind == "stray")
        bytes.insert(10, "ClockSize 480 please\n");
    else if (kind == "junk")
        bytes = QByteArray::fromHex("89504e470d0a1a0a00") + QByteArray(10240, '\xfe');
    else if (kind == "huge")
        bytes += QByteArray(400 * 1024, '#');
    else if (kind == "notes link")
        bytes = "Shopping\n- milk\n- eggs\n";
    if (kind == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(loc).constData(), 0600), 0);
    else if (kind.endsWith("link"))
        QVERIFY(QFile::link(target, loc)
                && (kind == "dangling link" || kind == "pseudo link" || writeFile(target, bytes)));
    else
        QVERIFY(writeFile(loc, bytes));
    if (kind == "no read")
        QVERIFY(QFile::setPermissions(loc, {}));

    std::optional<AsPlainUser> plain;
    if (kind == "no read")
        plain.emplace();
    Rig rig(QString(), &store);
    rig.clock.start(QString());
    QCOMPARE(rig.msg.shown,
             told.isEmpty() ? QStringList() : QStringList{QString(told).replace("STORE", loc).replace("ASIDE", aside)});
    QCOMPARE(rig.clock.settings().clockSize, clockSize);
    rig.clock.settings().topTwips = 4321;
    QCOMPARE(rig.clock.saveSettings(), saves);
    plain.reset();

    // A link set aside is the link itself; whatever it led to is as it was.
    if (told.contains("ASIDE"))
        QCOMPARE(kind.endsWith("link") ? QFileInfo(aside).symLinkTarget() : QString(readFile(aside)),
                 kind.endsWith("link") ? target : QString(bytes));
    else
        QVERIFY(!QFileInfo::exists(aside));
    if (kind == "notes link")
        QCOMPARE(readFile(target), bytes);
    QVERIFY(kind != "dangling link" || !QFileInfo::exists(target));
    QCOMPARE(QFileInfo(loc).isSymLink(), kind == "store link");
    if (saves)
        QVERIFY(readFile(loc).contains("FormTop=4321") && !readFile(loc).contains("please"));
    else if (kind == "fifo")
        QVERIFY(!QFileInfo(loc).isFile() && QFileInfo::exists(loc));
    else
        QCOMPARE(readFile(loc), bytes);
    QFile::remove(loc);
}

void TestSettings::fileExists()
{
    QFETCH(QString, name);
    QFETCH(bool, folder);
    QFETCH(bool, expected);
    QCOMPARE(pathExists(name, folder ? PathKind::Folder : PathKind::File), expected);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
