// SPDX-License-Identifier: GPL-3.0-or-later
// The settings dialogs as a user drives them: fields found by object name,
// focus moved with Tab, buttons clicked; the clock behind them is the test rig's.

#include "Fakes.h"
#include "dialogs/SettingsDialog.h"
#include "dialogs/SubDialogs.h"
#include "platform/Autostart.h"
#include "platform/QSettingsStore.h"
#include "platform/QtPlatform.h"
#include "resources/ObjectNames.h"
#include "resources/Texts.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

using namespace dv;
using namespace dv::test;

namespace {
struct Host final : SettingsHost {
    explicit Host(Rig &r)
        : rig(r)
    {
    }
    Rig &rig;
    int accepted = 0, closed = 0, quits = 0;
    void settingsAccepted(const Settings &e) override
    {
        ++accepted;
        rig.clock.settingsOk(e);
    }
    void settingsClosed() override
    {
        ++closed;
        rig.clock.settingsClosed();
    }
    bool saveSettings() override { return rig.clock.saveSettings(); }
    QPoint windowTwips() const override { return rig.clock.windowTwips(); }
    void quitClock() override { ++quits; }
    FakeSound trial{rig.log};
    bool rings = false;
    SoundOutput *trialSound() override { return &trial; }
    bool alarmRings() const override { return rings; }
};

template <typename T>
T *topLevel(const char *name)
{
    for (QWidget *t : QApplication::topLevelWidgets())
        if (t->objectName() == QLatin1String(name) && t->isVisible())
            return qobject_cast<T *>(t);
    return nullptr;
}

// A started clock and its settings dialog, shown and active.
struct DialogRig {
    Rig rig;
    Host host{rig};
    std::unique_ptr<SettingsDialog> d;
    explicit DialogRig(const QMap<QString, QString> &stored = {}, SettingsStore *store = nullptr)
        : rig(QString(), store)
    {
        rig.store.values = stored;
        rig.clock.start(QString());
        d = std::make_unique<SettingsDialog>(rig.clock.parameters(), rig.platform, host);
        d->show();
        d->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(d.get()));
    }
    template <typename T = QWidget>
    T *w(const char *name) const
    {
        return d->findChild<T *>(QString::fromLatin1(name));
    }
    void click(const char *name) { w<QPushButton>(name)->click(); }
    // The sub-dialog that a button opens, and its OK with the settings dialog back.
    template <typename T>
    T *open(const char *button, const char *dialog)
    {
        click(button);
        return topLevel<T>(dialog);
    }
    void ok(QWidget *sub)
    {
        sub->findChild<QPushButton *>(id::okButton)->click();
        QTRY_VERIFY(d->isEnabled());
    }
    // OK as a user gives it: a mouse click (the focus goes to the button
    // first), or Enter in the field that has the focus.
    static void press(QWidget *focused, QPushButton *ok, bool enter)
    {
        if (enter)
            QTest::keyClick(focused, Qt::Key_Return);
        else
            QTest::mouseClick(ok, Qt::LeftButton);
    }
    // Type into a field and leave it with Tab.
    void typeAndLeave(const char *name, const QString &text)
    {
        auto *f = w<QLineEdit>(name);
        f->setFocus(Qt::OtherFocusReason);
        f->setText(text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
};

} // namespace

class TestSettingsDialog : public QObject {
    Q_OBJECT
private slots:
    void startAtLogin();
    void fillAndClickRules_data();
    void fillAndClickRules();
    void timeFieldLeft_data();
    void timeFieldLeft();
    void fileFieldLeft_data();
    void fileFieldLeft();
    void okRefusesATimeThatCannotRing_data();
    void okRefusesATimeThatCannotRing();
    void sizeOkKeepsToTheRange_data();
    void sizeOkKeepsToTheRange();
    void enterAndEscape();
    void longestFieldsSurviveARestart_data();
    void longestFieldsSurviveARestart();
    void okAppliesReshapesAndSaves();
    void reopeningFrontsTheOpenSubDialog();
    void folderTreeShowsTheStoredFolder();
    void keptPaths_data();
    void keptPaths();
    void keptPathLeftQuietly_data();
    void keptPathLeftQuietly();
    void fitsTheScreen_data();
    void fitsTheScreen();
    void okBringsAnOffscreenClockBack();
    void cancelKeepsTheEditsUntilRefilled();
    void choosers();
    void quitAsksOnlyWhenSomethingDiffers_data();
    void quitAsksOnlyWhenSomethingDiffers();
    void slideshowDialog();
    void sizeDialog();
    void chimeDialog();
    void alarmDialog_data();
    void alarmDialog();
    void alarmLevelAndTrial();
    void alarmDialogWake_data();
    void alarmDialogWake();
    void alarmDialogRestDays();
};

void TestSettingsDialog::fillAndClickRules_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("enabled");
    QTest::addColumn<QStringList>("disabled");
    using L = QStringList;
    const L picture{id::facePicture, id::facePictureBrowse};
    QTest::newRow("defaults") << QString() << "" << picture + L{id::chimeButton}
                              << L{id::slideshowButton, id::sizeButton};
    QTest::newRow("slideshow on") << QString("SlideBmp") << "True" << L{id::slideshowButton} << picture;
    QTest::newRow("signal off") << QString("Jihou") << "False" << L{} << L{id::chimeButton};
    QTest::newRow("free size") << QString("Mag2Flag") << "True" << L{id::sizeButton} << L{};
}

void TestSettingsDialog::fillAndClickRules()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QStringList, enabled);
    QFETCH(QStringList, disabled);
    DialogRig r(key.isEmpty() ? QMap<QString, QString>{} : QMap<QString, QString>{{key, value}});
    for (const QString &n : enabled)
        QVERIFY2(r.d->findChild<QWidget *>(n)->isEnabled(), qPrintable(n));
    for (const QString &n : disabled)
        QVERIFY2(!r.d->findChild<QWidget *>(n)->isEnabled(), qPrintable(n));
    // The rules follow every click.
    r.w<QCheckBox>(id::slideshowOn)->click();
    QCOMPARE(r.w(id::slideshowButton)->isEnabled(), !r.w(id::facePicture)->isEnabled());
    r.w<QCheckBox>(id::timeSignal)->click();
    QCOMPARE(r.w(id::chimeButton)->isEnabled(), r.w<QCheckBox>(id::timeSignal)->isChecked());
}

void TestSettingsDialog::timeFieldLeft_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("refused"); // a beep and the focus back in the field
    // The accepted forms themselves are tst_checks' table; here the field's behaviour.
    QTest::newRow("7:30") << QString("7:30") << "07:30" << false;
    QTest::newRow("empty") << QString() << "" << false;
    QTest::newRow("0730") << QString("0730") << "00730" << true;
}

void TestSettingsDialog::timeFieldLeft()
{
    QFETCH(QString, typed);
    QFETCH(QString, after);
    QFETCH(bool, refused);
    for (const char *field : {id::alarmTime1, id::shutdownTime}) {
        DialogRig r;
        r.typeAndLeave(field, typed);
        QCOMPARE(r.w<QLineEdit>(field)->text(), after);
        QCOMPARE(r.rig.msg.beeps, refused ? 1 : 0);
        QCOMPARE(QApplication::focusWidget() == r.w(field), refused);
        QVERIFY(r.rig.msg.shown.isEmpty());
    }
}

void TestSettingsDialog::fileFieldLeft_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QString>("name"); // under a folder with a.xyz in it
    QTest::addColumn<QString>("message");
    const QByteArray picture(id::facePicture);
    const QString noPicture = "ファイルが見付かりません（文字盤の画像ﾌｧｲﾙ）";
    QTest::newRow("picture missing") << picture << "gone.bmp" << noPicture;
    QTest::newRow("picture is a folder") << picture << "" << noPicture;
    QTest::newRow("picture with a star") << picture << "*.xyz" << noPicture;
    QTest::newRow("any extension is fine") << picture << "a.xyz" << QString();
    QTest::newRow("alarm sound 2") << QByteArray(id::alarmSound2) << "gone.wav"
                                   << "ファイルが見付かりません（ｱﾗｰﾑｻｳﾝﾄﾞﾌｧｲﾙ２）";
}

void TestSettingsDialog::fileFieldLeft()
{
    QFETCH(QByteArray, field);
    QFETCH(QString, name);
    QFETCH(QString, message);
    DialogRig r;
    QFile(r.rig.appDir + "/a.xyz").open(QIODevice::WriteOnly);
    const QString typed = r.rig.appDir + "/" + name;
    r.typeAndLeave(field.constData(), typed);
    if (message.isEmpty()) {
        QVERIFY(r.rig.msg.shown.isEmpty());
        QCOMPARE(r.w<QLineEdit>(field.constData())->text(), typed);
        return;
    }
    QCOMPARE(r.rig.msg.shown, QStringList{message + "\r\n\r\n-> " + typed});
    QVERIFY(r.w<QLineEdit>(field.constData())->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), r.w(field.constData()));
}

void TestSettingsDialog::okRefusesATimeThatCannotRing_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("enter"); // else a click on OK
    const auto row = [](const char *name, const char *field, const char *key, const QString &typed, bool enter) {
        QTest::newRow(name) << QByteArray(field) << QString(key) << typed << enter;
    };
    row("alarm 1, 7:3, click", id::alarmTime1, "AlarmTime1", "7:3", false);
    row("alarm 2, 99:99, Enter", id::alarmTime2, "AlarmTime2", "99:99", true);
    row("alarm 3, 24:00, click", id::alarmTime3, "AlarmTime3", "24:00", false);
    row("shutdown, 7:3, Enter", id::shutdownTime, "ShutDownTime", "7:3", true);
    // A long paste: the field keeps five characters, still no time.
    row("pasted", id::alarmTime1, "AlarmTime1", QString(32767, QLatin1Char('1')), true);
}

void TestSettingsDialog::okRefusesATimeThatCannotRing()
{
    QFETCH(QByteArray, field);
    QFETCH(QString, key);
    QFETCH(QString, typed);
    QFETCH(bool, enter);
    DialogRig r;
    auto *f = r.w<QLineEdit>(field.constData());
    f->setFocus();
    f->setText(typed);
    DialogRig::press(f, r.w<QPushButton>(id::okButton), enter);
    QCOMPARE(r.host.accepted, 0);
    QVERIFY(r.d->isVisible());
    QCOMPARE(QApplication::focusWidget(), f);
    QCOMPARE(r.rig.msg.beeps, 1);
    QCOMPARE(r.rig.store.writes, 0);
    // Put right, the same press goes through.
    f->setText(QStringLiteral("7:30"));
    DialogRig::press(f, r.w<QPushButton>(id::okButton), enter);
    QCOMPARE(r.host.accepted, 1);
    QCOMPARE(r.rig.store.values.value(key), QStringLiteral("07:30"));
}

void TestSettingsDialog::sizeOkKeepsToTheRange_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("enter"); // else a click on OK
    QTest::newRow("0") << "0" << false;
    QTest::newRow("59") << "59" << true;
    QTest::newRow("-100") << "-100" << false;
    QTest::newRow("5000") << "5000" << true;
    QTest::newRow("769, one above the screen") << "769" << false;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("no number") << "abc" << false;
}

void TestSettingsDialog::sizeOkKeepsToTheRange()
{
    QFETCH(QString, typed);
    QFETCH(bool, enter);
    DialogRig r({{"Mag2Flag", "True"}, {"ClockSize", "240"}});
    auto *s = r.open<SizeDialog>(id::sizeButton, id::sizeDialog);
    QVERIFY(s);
    s->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(s));
    auto *size = s->findChild<QLineEdit *>(id::clockSize);
    size->setFocus();
    size->setText(typed);
    DialogRig::press(size, s->findChild<QPushButton *>(id::okButton), enter);
    QVERIFY(s->isVisible());
    QCOMPARE(QApplication::focusWidget(), size);
    QCOMPARE(r.rig.clock.settings().clockSize, 240);
    size->setText(QStringLiteral("768"));
    DialogRig::press(size, s->findChild<QPushButton *>(id::okButton), enter);
    QTRY_VERIFY(r.d->isEnabled());
    QCOMPARE(r.rig.clock.settings().clockSize, 768);
}

void TestSettingsDialog::enterAndEscape()
{
    DialogRig r;
    // Escape in a sub-dialog is its CANCEL: closed, nothing taken, the settings
    // back. Enter is its OK.
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Enter}) {
        auto *c = r.open<ChimeDialog>(id::chimeButton, id::chimeDialog);
        QVERIFY(c);
        auto *hourFile = c->findChild<QLineEdit *>(id::hourChimeFile);
        hourFile->setText(QStringLiteral("/typed.wav"));
        QTest::keyClick(hourFile, key);
        QTRY_VERIFY(r.d->isEnabled());
        QCOMPARE(r.rig.clock.settings().hourChimeFile == QStringLiteral("/typed.wav"), key == Qt::Key_Enter);
    }
    // Escape in the settings dialog is CANCEL: the clock comes back, nothing saved.
    QTest::keyClick(r.w(id::shutdownTime), Qt::Key_Escape);
    QCOMPARE(r.host.closed, 1);
    QVERIFY(!r.d->isVisible());
    QCOMPARE(r.rig.store.writes, 0);
}

void TestSettingsDialog::longestFieldsSurviveARestart_data()
{
    // What the store writes longest for a character: UTF-8, or an escape.
    QTest::addColumn<QChar>("fill");
    QTest::newRow("Japanese") << QChar(0x3042);
    QTest::newRow("control character") << QChar(0x01);
    QTest::newRow("backslash") << QChar('\\');
}

void TestSettingsDialog::longestFieldsSurviveARestart()
{
    QFETCH(QChar, fill);
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
    QSettingsStore store;
    DialogRig r({}, &store);
    // Everything pasted at once, far longer than any field keeps.
    const QString paste(40000, fill);
    auto pasteInto = [&paste](QWidget *dialog) {
        for (QLineEdit *f : dialog->findChildren<QLineEdit *>())
            if (f->maxLength() != 5) // the times must ring to pass OK
                f->setText(paste);
    };
    for (const char *opener : {id::slideshowButton, id::chimeButton}) {
        r.w<QCheckBox>(opener == QByteArray(id::slideshowButton) ? id::slideshowOn : id::timeSignal)->setChecked(true);
        r.click(opener);
        auto *sub = topLevel<QDialog>(opener == QByteArray(id::slideshowButton) ? id::slideshowDialog
                                                                                : id::chimeDialog);
        QVERIFY(sub);
        pasteInto(sub);
        QTest::keyClick(sub, Qt::Key_Return);
        QTRY_VERIFY(r.d->isEnabled());
    }
    pasteInto(r.d.get());
    r.click(id::okButton);
    QCOMPARE(r.host.accepted, 1);
    // Missing files are told of (they do not exist); a failed save is not.
    QVERIFY(!r.rig.msg.shown.join(QString()).contains(text::SaveFailed));
    const Settings written = r.rig.clock.parameters().saved();
    QVERIFY(written.halfHourChimeFile.size() >= 4096 && written.alarmMessage3.size() >= 80);
    // The next start reads every one of them back.
    Rig next(QString(), &store);
    next.clock.loadSettings();
    QVERIFY(store.readable());
    for (const SettingField &f : settingFields())
        QCOMPARE(fieldText(next.clock.settings(), f), fieldText(written, f));
}

void TestSettingsDialog::reopeningFrontsTheOpenSubDialog()
{
    DialogRig r;
    for (const char *opener : {id::chimeButton, id::aboutButton}) { // the time signal dialog, the About box
        r.click(opener);
        QWidget *sub = topLevel<QWidget>(opener == QByteArray(id::chimeButton) ? id::chimeDialog : id::aboutBox);
        QVERIFY(sub);
        QVERIFY(r.d->subDialogOpen());
        // The settings asked for again (the tray's menu): the one the user works in comes up.
        r.d->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), r.d.get());
        r.d->bringToFront();
        QTRY_COMPARE(QApplication::activeWindow(), sub);
        sub->close();
        QTRY_VERIFY(r.d->isEnabled());
    }
}

void TestSettingsDialog::folderTreeShowsTheStoredFolder()
{
    // The folder tree scrolled to the stored folder, deep in a long list.
    const QStringList docs = QDir("/usr/share/doc").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QVERIFY(docs.size() > 20);
    const QString folder = "/usr/share/doc/" + docs.last();
    DialogRig r({{"SlideBmp", "True"}, {"BmpDirectory", folder}, {"Mag2Flag", "True"}});
    auto *s = r.open<SlideshowDialog>(id::slideshowButton, id::slideshowDialog);
    auto *tree = s->findChild<QTreeView *>(id::folderTree);
    auto *model = static_cast<QFileSystemModel *>(tree->model());
    const QModelIndex at = model->index(folder);
    // Once the folders around it are read (they come in the background), it is in view.
    QTRY_COMPARE(model->rowCount(at.parent()), docs.size());
    QTest::qWait(50);
    QVERIFY(tree->viewport()->rect().contains(tree->visualRect(model->index(folder))));
}

void TestSettingsDialog::keptPaths_data()
{
    // Start-up keeps a stored path whose file is missing; the field shows it.
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QString>("edit"); // "" leaves the field, "-" empties it, else a file to put in it
    QTest::addColumn<QString>("stored");
    const auto row = [](const char *name, const char *key, const char *field, const char *edit, const char *stored) {
        QTest::newRow(name) << QString(key) << QByteArray(field) << QString(edit) << QString(stored);
    };
    row("picture kept", "BackImage", id::facePicture, "", "/gone/face.bmp");
    row("picture let go", "BackImage", id::facePicture, "-", "");
    row("picture replaced", "BackImage", id::facePicture, "new.bmp", "new.bmp");
    row("sound kept", "AlarmSound2", id::alarmSound2, "", "/gone/face.bmp");
    row("sound let go", "AlarmSound2", id::alarmSound2, "-", "");
}

void TestSettingsDialog::keptPaths()
{
    QFETCH(QString, key);
    QFETCH(QByteArray, field);
    QFETCH(QString, edit);
    QFETCH(QString, stored);
    const QString gone = QStringLiteral("/gone/face.bmp");
    DialogRig r({{key, gone}});
    QCOMPARE(r.rig.msg.shown.size(), 1); // told once at start-up
    auto *f = r.w<QLineEdit>(field.constData());
    QCOMPARE(f->text(), gone);
    QVERIFY(r.d->unchanged()); // shown as kept: nothing to ask about
    const QString other = r.rig.appDir + "/" + edit;
    if (edit == "-")
        f->clear();
    else if (!edit.isEmpty()) {
        // A picture that shows: one that does not is told at every start.
        if (key == "BackImage")
            QVERIFY(QImage(4, 4, QImage::Format_RGB32).save(other, "BMP"));
        else
            QFile(other).open(QIODevice::WriteOnly);
        f->setText(other);
    }
    r.click(id::okButton);
    QCOMPARE(r.rig.store.values.value(key), stored == gone || stored.isEmpty() ? stored : other);
    // Kept, it is not in use this run; let go, the next start says nothing.
    const QString inUse = stored == gone || stored.isEmpty() ? QString() : other;
    QCOMPARE(r.rig.clock.settings().*(key == "BackImage" ? &Settings::boardPicture : &Settings::alarmSound2), inUse);
    Rig next;
    next.store.values = r.rig.store.values;
    next.clock.start(QString());
    QCOMPARE(next.msg.shown.size(), stored == gone ? 1 : 0);
}

void TestSettingsDialog::keptPathLeftQuietly_data()
{
    QTest::addColumn<int>("key"); // 0: a click on a box instead
    QTest::newRow("Escape") << int(Qt::Key_Escape);
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("a click elsewhere") << 0;
}

void TestSettingsDialog::keptPathLeftQuietly()
{
    // The focus in a field showing a kept, missing path: going elsewhere or
    // closing neither tells of it again nor empties the field.
    QFETCH(int, key);
    const QString gone = QStringLiteral("/gone/face.bmp");
    DialogRig r({{QStringLiteral("BackImage"), gone}});
    auto *picture = r.w<QLineEdit>(id::facePicture);
    picture->setFocus(Qt::OtherFocusReason);
    if (key)
        QTest::keyClick(picture, Qt::Key(key));
    else
        QTest::mouseClick(r.w(id::topMost), Qt::LeftButton);
    QCOMPARE(r.d->isVisible(), key == 0);
    QCOMPARE(r.rig.msg.shown.size(), 1); // the start-up message only
    QCOMPARE(picture->text(), gone);
}

void TestSettingsDialog::startAtLogin()
{
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    const QString entry = config.path() + QStringLiteral("/autostart/dialvane.desktop");
    DialogRig r;
    // The desktop entry beside the program, as the build puts it.
    QFile beside(r.rig.appDir + QStringLiteral("/dialvane.desktop"));
    QVERIFY(beside.open(QIODevice::WriteOnly));
    beside.write("[Desktop Entry]\nName=Dialvane\nExec=dialvane\nIcon=dialvane\n");
    beside.close();
    auto *box = r.w<QCheckBox>(id::startAtLogin);
    auto reopen = [&r] {
        r.d->setEnabled(true);
        r.d->fill();
        r.d->show();
    };
    QVERIFY(!box->isChecked());
    box->click();
    r.click(id::cancelButton); // CANCEL writes nothing
    QVERIFY(!QFile::exists(entry));
    reopen();
    box->click();
    r.click(id::okButton);
    QFile f(entry);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(f.readAll()),
             QStringLiteral("[Desktop Entry]\nName=Dialvane\nExec=%1/dialvane\nIcon=dialvane\n").arg(r.rig.appDir));
    reopen(); // the file there: shown as set
    QVERIFY(box->isChecked());
    box->click();
    r.click(id::okButton);
    QVERIFY(!QFile::exists(entry));
    QCOMPARE(r.rig.clock.parameters().saved().boardPicture, r.rig.clock.settings().boardPicture);
    // A program whose path has a space is one argument.
    QCOMPARE(autostartEntry(QStringLiteral("Exec=x"), QStringLiteral("/my apps/dialvane")),
             QStringLiteral("Exec=x")); // not under [Desktop Entry]
    QCOMPARE(autostartEntry(QStringLiteral("[Desktop Entry]\nExec=x"), QStringLiteral("/my apps/100%/dialvane")),
             QStringLiteral("[Desktop Entry]\nExec=\"/my apps/100%%/dialvane\""));
    qunsetenv("XDG_CONFIG_HOME");
}

void TestSettingsDialog::fitsTheScreen_data()
{
    QTest::addColumn<QByteArray>("opener"); // empty: the settings dialog itself
    QTest::addColumn<QByteArray>("dialog");
    QTest::newRow("settings") << QByteArray() << QByteArray(id::settingsDialog);
    QTest::newRow("slideshow") << QByteArray(id::slideshowButton) << QByteArray(id::slideshowDialog);
    QTest::newRow("size") << QByteArray(id::sizeButton) << QByteArray(id::sizeDialog);
    QTest::newRow("time signal") << QByteArray(id::chimeButton) << QByteArray(id::chimeDialog);
}

// Run again on a 640 x 480 screen and with fonts half as large again.
void TestSettingsDialog::fitsTheScreen()
{
    QFETCH(QByteArray, opener);
    QFETCH(QByteArray, dialog);
    DialogRig r({{"SlideBmp", "True"}, {"Mag2Flag", "True"}});
    if (!opener.isEmpty())
        r.click(opener.constData());
    QWidget *d = topLevel<QWidget>(dialog.constData());
    QVERIFY(d);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect frame = d->frameGeometry();
    qInfo() << dialog << frame << "on" << area;
    QVERIFY(area.contains(frame));
    // With room to spare for a panel along one edge, as most desktops have.
    QVERIFY2(frame.width() <= area.width() && frame.height() <= area.height() - 30,
             qPrintable(QStringLiteral("%1x%2").arg(frame.width()).arg(frame.height())));
    // It keeps its size: no resizing, no maximising.
    QCOMPARE(d->minimumSize(), d->maximumSize());
    // Whole: nothing squeezed below the size its content asks for.
    QVERIFY(d->width() >= d->minimumSizeHint().width() && d->height() >= d->minimumSizeHint().height());
}

void TestSettingsDialog::okAppliesReshapesAndSaves()
{
    DialogRig r({{"ClockSize", "240"}, {"BackImage", ""}});
    r.rig.choose.colors = {0x0000FF};
    r.w<QCheckBox>(id::freeSize)->click();
    r.w<QCheckBox>(id::topMost)->click();
    r.click(id::boardColourPick);
    r.typeAndLeave(id::alarmTime2, "6:05");
    r.typeAndLeave(id::alarmMessage2, "会議");
    r.click(id::okButton);
    QCOMPARE(r.host.accepted, 1);
    QVERIFY(!r.d->isVisible());
    QCOMPARE(r.rig.window.rect.size(), QSize(240, 240));
    QCOMPARE(r.rig.window.shapeD, 240);
    QCOMPARE(r.rig.clock.face().scale().centreX, 120);
    QVERIFY(r.rig.window.topMost);
    QVERIFY(r.rig.window.shown);
    QVERIFY(r.rig.timer.on);
    QVERIFY(!r.rig.clock.face().hasBoardPicture());
    QCOMPARE(r.rig.store.values.value("Mag2Flag"), QStringLiteral("True"));
    QCOMPARE(r.rig.store.values.value("BoardColor"), QStringLiteral("255"));
    QCOMPARE(r.rig.store.values.value("AlarmTime2"), QStringLiteral("06:05"));
    QCOMPARE(r.rig.store.values.value("AlarmMessage2"), QStringLiteral("会議"));
    QCOMPARE(r.rig.clock.schedule().times().alarm[1], QStringLiteral("06:05:00"));
    QVERIFY(r.d->unchanged()); // OK saved everything
    r.rig.time.t = r.rig.time.t.addSecs(1);
    r.rig.clock.onTick();
    QCOMPARE(r.rig.window.lastFace.board, 0x0000FFu);
}

void TestSettingsDialog::okBringsAnOffscreenClockBack()
{
    DialogRig r({{"FormLeft", "1500"}, {"FormTop", "1500"}});
    r.rig.window.rect.moveTo(-130, -200); // dragged off the top-left corner
    r.click(id::okButton);
    QCOMPARE(r.rig.window.rect.topLeft(), QPoint(0, 0));
    QCOMPARE(r.rig.store.values.value("FormLeft"), QStringLiteral("0"));
}

void TestSettingsDialog::cancelKeepsTheEditsUntilRefilled()
{
    DialogRig r;
    r.w<QLineEdit>(id::shutdownTime)->setText(QStringLiteral("23:00"));
    r.click(id::cancelButton);
    QCOMPARE(r.host.closed, 1);
    QVERIFY(r.rig.window.shown && r.rig.timer.on);
    QVERIFY(r.rig.clock.settings().shutdownTime.isEmpty());
    QCOMPARE(r.rig.store.writes, 0);
    r.d->show(); // the tray's opening: as left
    QCOMPARE(r.w<QLineEdit>(id::shutdownTime)->text(), QStringLiteral("23:00"));
    QVERIFY(!r.d->unchanged());
    r.d->fill(); // the right button's opening: the working settings
    QVERIFY(r.w<QLineEdit>(id::shutdownTime)->text().isEmpty());
    QVERIFY(r.d->unchanged());
}

void TestSettingsDialog::choosers()
{
    DialogRig r;
    r.w<QLineEdit>(id::alarmSound1)->setText(QStringLiteral("/kept.wav"));
    r.click(id::alarmSoundBrowse1); // cancelled
    QCOMPARE(r.w<QLineEdit>(id::alarmSound1)->text(), QStringLiteral("/kept.wav"));
    r.rig.choose.files = {QStringLiteral("/chosen.wav")};
    r.click(id::alarmSoundBrowse1);
    QCOMPARE(r.w<QLineEdit>(id::alarmSound1)->text(), QStringLiteral("/chosen.wav"));
    r.click(id::facePictureBrowse);
    const FileChoice sound = r.rig.choose.asked.first(), picture = r.rig.choose.asked.last();
    QCOMPARE(sound.title, QStringLiteral("サウンドファイルを開く"));
    QCOMPARE(sound.filters, QStringList{"AlarmSound (*.wav *.mid)"});
    QCOMPARE(picture.title, QStringLiteral("画像ファイルを開く"));
    QCOMPARE(picture.filters, QStringList({"Background Image (*.bmp *.gif *.jpg *.jpeg *.jfif *.png *.webp)",
                                           "Background Image (*.rle *.dib)", "Background Image (*.ico)"}));
    QCOMPARE(picture.folder, r.rig.appDir);
    // The swatch keeps its colour when the chooser is cancelled, clicked or not.
    const quint32 before = r.w<Swatch>(id::secondColour)->color();
    QTest::mouseClick(r.w(id::secondColour), Qt::LeftButton);
    r.click(id::secondColourPick);
    QCOMPARE(r.w<Swatch>(id::secondColour)->color(), before);
    // The real file chooser matches the patterns in any case.
    std::unique_ptr<QFileDialog> fd(QtChoosers::newFileDialog(picture));
    QVERIFY(!(fd->filter() & QDir::CaseSensitive));
    QCOMPARE(fd->nameFilters(), picture.filters);
}

void TestSettingsDialog::quitAsksOnlyWhenSomethingDiffers_data()
{
    using A = MessageBoxes::Answer;
    QTest::addColumn<QString>("change");
    QTest::addColumn<A>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("written");
    QTest::addColumn<bool>("quits");
    QTest::newRow("nothing") << "" << A::Yes << false << false << true;
    QTest::newRow("a field, No") << "field" << A::No << true << false << true;
    QTest::newRow("a field, Yes") << "field" << A::Yes << true << true << true;
    // Escape or the close box: the clock runs on, nothing saved.
    QTest::newRow("a field, closed") << "field" << A::Closed << true << false << false;
    QTest::newRow("the window moved") << "moved" << A::Yes << true << true << true;
    QTest::newRow("a sub-dialog's OK") << "sub" << A::Yes << true << true << true;
    QTest::newRow("a time that cannot ring, Yes") << "bad time" << A::Yes << true << true << true;
}

void TestSettingsDialog::quitAsksOnlyWhenSomethingDiffers()
{
    QFETCH(QString, change);
    QFETCH(MessageBoxes::Answer, answer);
    QFETCH(bool, asked);
    QFETCH(bool, written);
    QFETCH(bool, quits);
    DialogRig r({{"FormLeft", "1500"}, {"FormTop", "1500"}});
    if (change == "field")
        r.w<QLineEdit>(id::alarmTime1)->setText(QStringLiteral("07:00"));
    else if (change == "moved")
        r.rig.window.rect.moveTo(101, 100);
    else if (change == "sub")
        r.rig.clock.settings().halfHourChime = true;
    if (change == "bad time") {
        r.w<QLineEdit>(id::alarmTime1)->setText(QStringLiteral("7:3"));
        r.w<QLineEdit>(id::alarmTime2)->setText(QStringLiteral("7:30"));
    }
    r.rig.msg.answers = {answer};
    r.click(id::quitButton);
    QCOMPARE(r.rig.msg.asked, asked
                                  ? QStringList{"パラメータ または 時計の位置 が変更されています\r\n\r\n保存しますか？"}
                                  : QStringList{});
    QCOMPARE(r.rig.store.writes, written ? 1 : 0);
    QCOMPARE(r.host.quits, quits ? 1 : 0);
    if (change == "field" && written)
        QCOMPARE(r.rig.store.values.value("AlarmTime1"), QStringLiteral("07:00"));
    if (change == "bad time") // the saved time stays; the good one is saved
        QCOMPARE(r.rig.store.values.value("AlarmTime1") + r.rig.store.values.value("AlarmTime2"), "07:30");
}

void TestSettingsDialog::slideshowDialog()
{
    DialogRig r({{"SlideBmp", "True"}, {"SlideGrafix", "63"}});
    auto *s = r.open<SlideshowDialog>(id::slideshowButton, id::slideshowDialog);
    QVERIFY(s);
    QVERIFY(!r.d->isEnabled());
    auto format = [s](const char *name) { return s->findChild<QCheckBox *>(QString::fromLatin1(name)); };
    for (const char *name : {id::formatBmp, id::formatGif, id::formatJpeg, id::formatRle, id::formatDib, id::formatIco})
        QVERIFY(format(name)->isChecked());
    auto *list = s->findChild<QListWidget *>(id::slideIntervals);
    QCOMPARE(list->count(), 10);
    QCOMPARE(list->item(0)->text(), QStringLiteral("１分"));
    QCOMPARE(list->item(9)->text(), QStringLiteral("２時間"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(7)).center());
    QCOMPARE(s->findChild<QLineEdit *>(id::slideInterval)->text(), QStringLiteral("３０分"));
    // A mask stored before PNG and WebP came keeps its meaning: both off.
    QVERIFY(!format(id::formatPng)->isChecked());
    QVERIFY(!format(id::formatWebp)->isChecked());
    for (const char *name : {id::formatGif, id::formatRle, id::formatDib, id::formatIco})
        format(name)->setChecked(false);
    format(id::formatPng)->setChecked(true);
    format(id::formatWebp)->setChecked(true);
    // The root of the tree is "/" and stays "/".
    auto *tree = s->findChild<QTreeView *>(id::folderTree);
    tree->setCurrentIndex(static_cast<QFileSystemModel *>(tree->model())->index(QStringLiteral("/")));
    QCOMPARE(s->findChild<QLineEdit *>(id::slideshowFolder)->text(), QStringLiteral("/"));
    QVERIFY(!r.d->unchanged()); // the open dialog's fields count
    r.ok(s);
    const Settings &w = r.rig.clock.settings();
    QCOMPARE(w.slideInterval, QStringLiteral("３０分"));
    QCOMPARE(int(w.slideshowFormats), 5 + 64 + 128);
    QCOMPARE(w.slideshowFolder, QStringLiteral("/"));
    // CANCEL leaves all three.
    s = r.open<SlideshowDialog>(id::slideshowButton, id::slideshowDialog);
    s->findChild<QLineEdit *>(id::slideInterval)->setText(QStringLiteral("１分"));
    s->findChild<QPushButton *>(id::cancelButton)->click();
    QTRY_VERIFY(r.d->isEnabled());
    QCOMPARE(w.slideInterval, QStringLiteral("３０分"));
}

void TestSettingsDialog::sizeDialog()
{
    DialogRig r({{"Mag2Flag", "True"}, {"ClockSize", "240"}});
    r.rig.screen.workAreas = {QRect(0, 0, 1024, 738)}; // a 30 px panel
    auto *s = r.open<SizeDialog>(id::sizeButton, id::sizeDialog);
    QVERIFY(s);
    auto *size = s->findChild<QLineEdit *>(id::clockSize);
    QCOMPARE(size->text(), QStringLiteral("240"));
    auto *list = s->findChild<QListWidget *>(id::clockSizes);
    QCOMPARE(list->count(), 13); // 60 ... 720 on 768 px, and the screen
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(12)).center());
    QCOMPARE(size->text(), QStringLiteral("738")); // the screen less the panel
    // 59 sends the focus back, silently.
    s->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(s));
    size->setFocus();
    size->setText(QStringLiteral("59"));
    s->findChild<QPushButton *>(id::cancelButton)->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), size);
    QCOMPARE(r.rig.msg.beeps, 0);
    size->clear();
    s->findChild<QPushButton *>(id::okButton)->click(); // empty: stays open
    QVERIFY(s->isVisible());
    size->setText(QStringLiteral("100.5"));
    r.ok(s);
    QCOMPARE(r.rig.clock.settings().clockSize, 100);
    QCOMPARE(r.rig.window.rect.width(), 240); // reshaped only by the settings OK
}

void TestSettingsDialog::chimeDialog()
{
    DialogRig r;
    auto *c = r.open<ChimeDialog>(id::chimeButton, id::chimeDialog);
    QVERIFY(c);
    auto *half = c->findChild<QLineEdit *>(id::halfHourChimeFile);
    QVERIFY(!half->isEnabled() && !c->findChild<QPushButton *>(id::halfHourChimeBrowse)->isEnabled());
    c->findChild<QCheckBox *>(id::halfHourChime)->click();
    QVERIFY(half->isEnabled() && c->findChild<QPushButton *>(id::halfHourChimeBrowse)->isEnabled());
    r.rig.choose.files = {QStringLiteral("/s/half.mid")};
    c->findChild<QPushButton *>(id::halfHourChimeBrowse)->click();
    r.ok(c);
    const Settings &w = r.rig.clock.settings();
    QCOMPARE(w.halfHourChime, true);
    QCOMPARE(w.halfHourChimeFile, QStringLiteral("/s/half.mid"));
    QVERIFY(!r.d->subDialogOpen());
    // In force at once, though the settings dialog is then cancelled; not saved.
    r.click(id::cancelButton);
    QCOMPARE(w.halfHourChime, true);
    QCOMPARE(r.rig.store.writes, 0);
}

// Alarm 2's "詳細": what is stored, the day boxes toggled (1 Monday ... 7
// Sunday), whether once is ticked, the minutes typed (0: left), and what OK
// (Enter) leaves.
void TestSettingsDialog::alarmDialog_data()
{
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<QList<int>>("toggle");
    QTest::addColumn<bool>("once");
    QTest::addColumn<int>("snooze");
    QTest::addColumn<int>("ring");
    QTest::addColumn<QList<int>>("after"); // days, once, snooze, ring minutes
    QTest::newRow("keys absent: no Sunday, once, 3 and 15")
        << QStringList{} << QList<int>{7} << true << 3 << 15 << QList<int>{63, 1, 3, 15};
    QTest::newRow("weekdays all cleared: off")
        << QStringList{"AlarmDays2=31"} << QList<int>{1, 2, 3, 4, 5} << false << 0 << 0 << QList<int>{0, 0, 5, 10};
    // Shown as 60 and Monday; OK without a change keeps what was stored.
    QTest::newRow("hand-edited numbers kept") << QStringList{"AlarmDays2=129", "AlarmSnooze2=90"} << QList<int>{}
                                              << false << 0 << 0 << QList<int>{129, 0, 90, 10};
}

void TestSettingsDialog::alarmDialog()
{
    QFETCH(QStringList, stored);
    QFETCH(QList<int>, toggle);
    QFETCH(bool, once);
    QFETCH(int, snooze);
    QFETCH(int, ring);
    QFETCH(QList<int>, after);
    QMap<QString, QString> values;
    for (const QString &kv : stored)
        values[kv.section('=', 0, 0)] = kv.section('=', 1);
    DialogRig r(values);
    auto *a = r.open<AlarmDialog>(id::alarmDetail2, id::alarmDialog);
    QVERIFY(a);
    for (int d : toggle)
        a->findChild<QCheckBox *>(id::alarmDay + QString::number(d))->click();
    if (once)
        a->findChild<QCheckBox *>(id::alarmOnce)->click();
    if (snooze)
        a->findChild<QSpinBox *>(id::alarmSnooze)->setValue(snooze);
    if (ring)
        a->findChild<QSpinBox *>(id::alarmRingMinutes)->setValue(ring);
    QTest::keyClick(a->findChild<QSpinBox *>(id::alarmSnooze), Qt::Key_Enter);
    QTRY_VERIFY(r.d->isEnabled());
    const Settings &s = r.rig.clock.settings();
    QCOMPARE((QList<int>{s.alarmDays2, s.alarmOnce2, s.alarmSnooze2, s.alarmRingMinutes2}), after);
    QCOMPARE(s.alarmDays1, kEveryDay); // the other alarms stay
    QCOMPARE(s.alarmSnooze3, kSnoozeMinutesDefault);
}

// Alarm 2's volume and fade-in: loaded, tried with the unsaved fields, kept.
void TestSettingsDialog::alarmLevelAndTrial()
{
    DialogRig r({{"AlarmVolume2", "30"}, {"AlarmFadeIn2", "4"}});
    r.w<QLineEdit>(id::alarmSound2)->setText(QStringLiteral("/s/bell.mid")); // not saved yet
    auto *a = r.open<AlarmDialog>(id::alarmDetail2, id::alarmDialog);
    QVERIFY(a);
    auto *volume = a->findChild<QSpinBox *>(id::alarmVolume);
    auto *fade = a->findChild<QSpinBox *>(id::alarmFadeIn);
    auto *trial = a->findChild<QPushButton *>(id::alarmTrial);
    QCOMPARE(volume->value(), 30);
    QCOMPARE(fade->value(), 4);
    volume->setValue(60);
    fade->setValue(20);
    FakeSound &sound = r.host.trial;
    trial->click();
    QCOMPARE(sound.played, QStringList{"/s/bell.mid"});
    QCOMPARE(sound.levels.last(), (SoundLevel{60, 20000, 0}));
    QCOMPARE(sound.deviceTypes.last(), QStringLiteral("Sequencer"));
    QVERIFY(trial->isChecked());
    trial->click(); // again: it stops
    QVERIFY(!sound.playing);
    QVERIFY(!trial->isChecked());
    // A short sound repeats on up the rise, until the trial has had its time.
    trial->click();
    r.rig.time.mono += 3000;
    sound.finish();
    QTRY_COMPARE(sound.played.size(), 3);
    QCOMPARE(sound.levels.last().fadeDoneMs, 3000);
    r.rig.time.mono += AlarmDialog::kTrialMs;
    QTRY_VERIFY(!sound.playing);
    QVERIFY(!trial->isChecked());
    // No trial over a ringing alarm; one that begins ends the trial.
    trial->click();
    r.host.rings = true;
    QTRY_VERIFY(!trial->isEnabled());
    QVERIFY(!sound.playing);
    r.host.rings = false;
    QTRY_VERIFY(trial->isEnabled());
    trial->click();
    a->close(); // closed by any way: it stops
    QVERIFY(!sound.playing);
    QTRY_VERIFY(r.d->isEnabled());
    QCOMPARE(r.rig.clock.settings().alarmVolume2, 30); // closed, not taken
    a = r.open<AlarmDialog>(id::alarmDetail2, id::alarmDialog);
    a->findChild<QSpinBox *>(id::alarmVolume)->setValue(60);
    a->findChild<QSpinBox *>(id::alarmFadeIn)->setValue(20);
    r.ok(a);
    r.w<QLineEdit>(id::alarmSound2)->clear();
    r.click(id::okButton);
    QCOMPARE(r.rig.store.values.value("AlarmVolume2"), QStringLiteral("60"));
    QCOMPARE(r.rig.store.values.value("AlarmFadeIn2"), QStringLiteral("20"));
}

// Alarm 2's wake box: where the machine cannot be woken, why, beside it.
void TestSettingsDialog::alarmDialogWake_data()
{
    using A = WakeTimer::Availability;
    QTest::addColumn<A>("avail");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("click");
    QTest::addColumn<QString>("why"); // empty: nothing beside the box
    QTest::addColumn<bool>("after");
    QTest::newRow("ticked") << A::Available << "" << true << "" << true;
    QTest::newRow("no permission, kept") << A::NoPermission << "True" << false
                                         << text::wakeUnavailable(text::WakeNoPermission) << true;
    QTest::newRow("no wake clock, cleared")
        << A::NoWakeClock << "True" << true << text::wakeUnavailable(text::WakeNoClock) << false;
}

void TestSettingsDialog::alarmDialogWake()
{
    QFETCH(WakeTimer::Availability, avail);
    QFETCH(QString, stored);
    QFETCH(bool, click);
    QFETCH(QString, why);
    QFETCH(bool, after);
    DialogRig r(stored.isEmpty() ? QMap<QString, QString>{} : QMap<QString, QString>{{"AlarmWake2", stored}});
    r.rig.wake.avail = avail;
    auto *a = r.open<AlarmDialog>(id::alarmDetail2, id::alarmDialog);
    QVERIFY(a);
    auto *box = a->findChild<QCheckBox *>(id::alarmWake);
    auto *label = a->findChild<QLabel *>(id::alarmWakeState);
    QCOMPARE(label ? label->text() : QString(), why);
    if (label)
        QVERIFY(qAbs(label->geometry().center().y() - box->geometry().center().y()) < box->height() / 2);
    if (click)
        box->click();
    r.ok(a);
    QCOMPARE(r.rig.clock.settings().alarmWake2, after);
    QCOMPARE(r.rig.clock.settings().alarmWake1, false);
}

// Alarm 2, once on a weekday, its row's time changed, on 2026-05-01 before Golden Week: ticking
// "祝日は鳴らさない" says when it rings; a days-off entry that does not read
// keeps the dialog open and is named.
void TestSettingsDialog::alarmDialogRestDays()
{
    DialogRig r({{"AlarmTime2", "07:30"}, {"AlarmDays2", "31"}, {"AlarmOnce2", "True"}});
    r.rig.time.t = QDateTime(QDate(2026, 5, 1), QTime(12, 0));
    r.w<QLineEdit>(id::alarmTime2)->setText("8:15"); // as the row has it, not yet saved
    auto *a = r.open<AlarmDialog>(id::alarmDetail2, id::alarmDialog);
    QVERIFY(a);
    auto *skip = a->findChild<QCheckBox *>(id::alarmSkipHolidays);
    auto *note = a->findChild<QLabel *>(id::alarmRestNote);
    auto *daysOff = a->findChild<QLineEdit *>(id::daysOff);
    QVERIFY(!skip->isChecked());
    QVERIFY(note->isHidden());
    skip->click();
    QVERIFY(!note->isHidden());
    QVERIFY2(note->text().contains("05-07（木）08:15") && note->text().contains("05-06 振替休日"),
             qPrintable(note->text()));
    daysOff->setText(" 2026-05-07 , 2026-5-8 ");
    QVERIFY2(note->text().contains("05-08"), qPrintable(note->text())); // the good entry counts at once
    a->findChild<QPushButton *>(id::okButton)->click();
    QVERIFY(a->isVisible());
    QVERIFY2(r.rig.msg.shown.last().endsWith(text::CRLF + "2026-5-8"), qPrintable(r.rig.msg.shown.last()));
    daysOff->setText(" 2026-05-07 , 2026-05-08 ");
    r.ok(a);
    QCOMPARE(r.rig.clock.settings().alarmSkipHolidays2, true);
    QCOMPARE(r.rig.clock.settings().alarmSkipHolidays1, false);
    QCOMPARE(r.rig.clock.settings().daysOff, QStringLiteral("2026-05-07,2026-05-08"));
}

QTEST_MAIN(TestSettingsDialog)
#include "tst_settings_dialog.moc"
