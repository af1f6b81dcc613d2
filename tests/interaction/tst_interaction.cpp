// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fakes.h"
#include "interaction/AboutBox.h"
#include "interaction/PopupMenu.h"
#include "platform/ClockWindow.h"
#include "platform/QtPlatform.h"
#include "platform/SystemTray.h"
#include "resources/ObjectNames.h"
#include "resources/Product.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QMimeData>
#include <QSet>
#include <QTimer>
#include <QtTest>

using namespace dv;
using namespace dv::test;

class TestInteraction : public QObject {
    Q_OBJECT
private slots:
    void menuItemsInOrder();
    void placeChecks_data();
    void placeChecks();
    void menuClickDoesNotToggleTheMark();
    void corners_data();
    void corners();
    void monitors_data();
    void monitors();
    void outOfRangePlaceBecomesFree();
    void freeItemKeepsThePosition();
    void pinnedClockIgnoresTheLeftButton();
    void dragRecordsAndSaves_data();
    void dragRecordsAndSaves();
    void dragOnTransparentBoardRecaptures();
    void rightButtonAsksForSettings();
    void trayDispatch_data();
    void trayDispatch();
    void heldTrayIconIsMadeWhenLetGo();
    void unloadRemovesTheTrayIconFirst();
    void systemRepaint_data();
    void systemRepaint();
    void helpAndDateTime();
    void helpOpener_data();
    void helpOpener();
    void aboutBoxTexts();
    void windowTakesDroppedFiles();
    void dropIsCopyOrLink_data();
    void dropIsCopyOrLink();
};

void TestInteraction::menuItemsInOrder()
{
    PopupMenu m;
    // Each item as its name and caption; a separator as "-".
    auto items = [](QMenu *menu) {
        QStringList seen;
        for (QAction *a : menu->actions())
            seen << (a->isSeparator() ? QStringLiteral("-") : a->objectName() + QLatin1Char('|') + a->text());
        return seen;
    };
    auto item = [](const char *name, const char *caption) {
        return QString::fromLatin1(name) + QLatin1Char('|') + QString::fromUtf8(caption);
    };
    QCOMPARE(items(m.menu()),
             QStringList({item(id::settingsAction, "Dialvaneの設定"), item(id::helpAction, "Dialvaneのヘルプ"),
                          item(id::aboutAction, "Dialvaneについて"), "-", item(id::dateTimeAction, "日付と時刻の調整"),
                          "-", item(id::placeAction, "時計の位置"), "-", item(id::quitAction, "Dialvane終了")}));
    QCOMPARE(m.menu()->defaultAction()->objectName(), QString::fromLatin1(id::settingsAction)); // drawn bold
    QMenu *place = m.menu()->actions().at(6)->menu();
    QVERIFY(place);
    QCOMPARE(
        items(place),
        QStringList({item(id::placeFree, "位置を固定しない"), item(id::placeTopLeft, "常にデスクトップ左上"),
                     item(id::placeBottomLeft, "常にデスクトップ左下"), item(id::placeTopRight, "常にデスクトップ右上"),
                     item(id::placeBottomRight, "常にデスクトップ右下")}));
}

void TestInteraction::placeChecks_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("checked");
    for (int p = 0; p <= 4; ++p)
        QTest::addRow("%d", p) << p << p;
    QTest::newRow("7") << 7 << 0;
    QTest::newRow("255") << 255 << 0;
}

void TestInteraction::placeChecks()
{
    QFETCH(int, stored);
    QFETCH(int, checked);
    Rig rig;
    rig.store.values = {{"FormPlace", QString::number(stored)}};
    rig.clock.start(QString());
    QCOMPARE(int(rig.clock.settings().corner), checked);
    QCOMPARE(rig.ui.placeChecks, checked);

    PopupMenu m;
    m.setPlaceChecks(rig.ui.placeChecks);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(m.placeAction(i)->isChecked(), i == checked);
}

void TestInteraction::menuClickDoesNotToggleTheMark()
{
    PopupMenu m;
    int chosen = -1;
    QObject::connect(&m, &PopupMenu::placeChosen, [&](int p) { chosen = p; });
    m.setPlaceChecks(2);
    m.placeAction(2)->trigger(); // choosing the one in force again
    QCOMPARE(chosen, 2);
    QVERIFY(m.placeAction(2)->isChecked());
    m.placeAction(4)->trigger(); // the clock has not answered yet: the mark stays
    QCOMPARE(chosen, 4);
    QVERIFY(!m.placeAction(4)->isChecked());
    QVERIFY(m.placeAction(2)->isChecked());
}

void TestInteraction::corners_data()
{
    QTest::addColumn<int>("place");
    QTest::addColumn<QPoint>("pixels");
    QTest::newRow("top-left") << 1 << QPoint(0, 0);
    QTest::newRow("bottom-left") << 2 << QPoint(0, 648);
    QTest::newRow("top-right") << 3 << QPoint(904, 0);
    QTest::newRow("bottom-right") << 4 << QPoint(904, 648);
}

void TestInteraction::corners()
{
    QFETCH(int, place);
    QFETCH(QPoint, pixels);
    Rig rig;
    rig.store.values = {{"FormLeft", "3000"}, {"FormTop", "1500"}};
    rig.clock.start(QString());
    rig.clock.menuPlace(place);
    QVERIFY(!rig.window.shown); // until the next tick, asked for a quarter second on
    QCOMPARE(rig.timer.soon, 1);
    QCOMPARE(rig.window.rect.topLeft(), pixels);
    QCOMPARE(rig.clock.settings().leftTwips, pixels.x() * 15);
    QCOMPARE(rig.clock.settings().topTwips, pixels.y() * 15);
    QCOMPARE(rig.clock.placement().rect().right(), pixels.x() + 120);
    QCOMPARE(rig.ui.placeChecks, place);
    QCOMPARE(rig.store.values.value("FormPlace"), QString::number(place));
    QCOMPARE(rig.store.values.value("FormTop"), QString::number(pixels.y() * 15));
    rig.clock.onTick();
    QVERIFY(rig.window.shown);
    // Held there: moved away by someone else, back within a second.
    rig.window.rect.moveTo(500, 500);
    rig.run(1000);
    QCOMPARE(rig.window.rect.topLeft(), pixels);
}

void TestInteraction::monitors_data()
{
    // A 120 px clock. The first monitor 1024 x 768 at 0,0; the second 1280 x 1024
    // to its right. A 30 px panel (40 px at the sides) along one edge where work
    // areas are given; none: the whole monitors.
    QTest::addColumn<QList<QRect>>("monitors");
    QTest::addColumn<QList<QRect>>("workAreas");
    QTest::addColumn<QPoint>("stored");
    QTest::addColumn<int>("place");
    QTest::addColumn<QPoint>("shown");
    const QList<QRect> one{QRect(0, 0, 1024, 768)}, two{QRect(0, 0, 1024, 768), QRect(1024, 0, 1280, 1024)}, whole;
    QTest::newRow("kept on the second") << two << whole << QPoint(2000, 500) << 0 << QPoint(2000, 500);
    QTest::newRow("corner of the second") << two << whole << QPoint(1200, 100) << 4 << QPoint(2184, 904);
    QTest::newRow("corner of the first") << two << whole << QPoint(100, 100) << 3 << QPoint(904, 0);
    QTest::newRow("off both: nearest is the second") << two << whole << QPoint(3000, 200) << 0 << QPoint(2184, 200);
    QTest::newRow("off both: nearest is the first") << two << whole << QPoint(100, 900) << 0 << QPoint(100, 648);
    QTest::newRow("mostly off the edge") << two << whole << QPoint(2290, 300) << 0 << QPoint(2184, 300);
    QTest::newRow("panel below, bottom-right")
        << one << QList<QRect>{{0, 0, 1024, 738}} << QPoint(100, 100) << 4 << QPoint(904, 618);
    QTest::newRow("panel above, top-left")
        << one << QList<QRect>{{0, 30, 1024, 738}} << QPoint(100, 100) << 1 << QPoint(0, 30);
    QTest::newRow("panel left, bottom-left")
        << one << QList<QRect>{{40, 0, 984, 768}} << QPoint(100, 100) << 2 << QPoint(40, 648);
    QTest::newRow("panel right, top-right")
        << one << QList<QRect>{{0, 0, 984, 768}} << QPoint(100, 100) << 3 << QPoint(864, 0);
    QTest::newRow("start-up pull-back above the panel")
        << one << QList<QRect>{{0, 0, 1024, 738}} << QPoint(100, 740) << 0 << QPoint(100, 618);
    QTest::newRow("second monitor's panel, bottom-right")
        << two << QList<QRect>{{0, 0, 1024, 768}, {1024, 0, 1280, 994}} << QPoint(1200, 100) << 4 << QPoint(2184, 874);
    QTest::newRow("first monitor's panel, bottom-left")
        << two << QList<QRect>{{0, 0, 1024, 738}, {1024, 0, 1280, 1024}} << QPoint(100, 100) << 2 << QPoint(0, 618);
}

void TestInteraction::monitors()
{
    QFETCH(QList<QRect>, monitors);
    QFETCH(QList<QRect>, workAreas);
    QFETCH(QPoint, stored);
    QFETCH(int, place);
    QFETCH(QPoint, shown);
    Rig rig;
    rig.screen.monitors = monitors;
    rig.screen.workAreas = workAreas;
    rig.store.values = {{"FormLeft", QString::number(stored.x() * 15)},
                        {"FormTop", QString::number(stored.y() * 15)},
                        {"FormPlace", QString::number(place)}};
    rig.clock.start(QString());
    QCOMPARE(rig.window.rect.topLeft(), shown);
    QCOMPARE(rig.clock.settings().leftTwips, shown.x() * 15);
}

void TestInteraction::outOfRangePlaceBecomesFree()
{
    Rig rig;
    rig.clock.start(QString());
    rig.window.rect.moveTo(300, 200);
    rig.clock.settings().corner = Corner(7);
    rig.clock.holdPlace();
    QCOMPARE(int(rig.clock.settings().corner), 0);
    QCOMPARE(rig.ui.placeChecks, 0);
    QCOMPARE(rig.window.rect.topLeft(), QPoint(300, 200));
    QCOMPARE(rig.clock.settings().leftTwips, 4500);
}

void TestInteraction::freeItemKeepsThePosition()
{
    Rig rig;
    rig.store.values = {{"FormPlace", "3"}};
    rig.clock.start(QString());
    QCOMPARE(rig.window.rect.topLeft(), QPoint(904, 0));
    rig.clock.menuPlace(0);
    QVERIFY(rig.window.shown);
    QCOMPARE(rig.window.rect.topLeft(), QPoint(904, 0));
    QCOMPARE(rig.store.values.value("FormPlace"), QStringLiteral("0"));
    QCOMPARE(rig.store.values.value("FormLeft"), QStringLiteral("13560"));
}

void TestInteraction::pinnedClockIgnoresTheLeftButton()
{
    Rig rig;
    rig.store.values = {{"FormPlace", "4"}};
    rig.clock.start(QString());
    rig.window.dragTo = QPoint(10, 10);
    rig.clock.onMousePress(Qt::LeftButton);
    QCOMPARE(rig.log.count("drag"), 0);
    QCOMPARE(rig.log.count("store.write"), 0);
    QCOMPARE(rig.window.rect.topLeft(), QPoint(904, 648));
}

void TestInteraction::dragRecordsAndSaves_data()
{
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<int>("buttons");
    QTest::newRow("moved") << QPoint(333, 222) << int(Qt::LeftButton);
    QTest::newRow("ends where it began") << QPoint(-1, -1) << int(Qt::LeftButton);
    QTest::newRow("both buttons count as left") << QPoint(50, 60) << int(Qt::LeftButton | Qt::RightButton);
}

void TestInteraction::dragRecordsAndSaves()
{
    QFETCH(QPoint, to);
    QFETCH(int, buttons);
    Rig rig;
    rig.store.values = {{"FormLeft", "1500"}, {"FormTop", "3000"}};
    rig.clock.start(QString());
    rig.window.dragTo = to;
    rig.clock.onMousePress(Qt::MouseButtons(buttons));
    const QPoint at = to.x() >= 0 ? to : QPoint(100, 200);
    QCOMPARE(rig.log.count("drag"), 1);
    QCOMPARE(rig.log.count("store.write"), 1);
    QCOMPARE(rig.store.values.value("FormLeft"), QString::number(at.x() * 15));
    QCOMPARE(rig.store.values.value("FormTop"), QString::number(at.y() * 15));
    QCOMPARE(rig.clock.placement().rect().topLeft(), at);
    QVERIFY(rig.clock.parameters().saved() == rig.clock.settings());
    QCOMPARE(rig.ui.settingsOpened, 0);
}

void TestInteraction::dragOnTransparentBoardRecaptures()
{
    Rig rig;
    rig.store.values = {{"Transparent", "True"}};
    rig.clock.start(QString());
    rig.window.grab = QImage(120, 120, QImage::Format_RGB32);
    rig.window.grab.fill(Qt::green);
    const int grabs = rig.window.grabs;
    rig.log.events.clear();
    rig.window.dragTo = QPoint(40, 40);
    rig.clock.onMousePress(Qt::LeftButton);
    QCOMPARE(rig.window.grabs, grabs + 1);
    QCOMPARE(rig.log.events, QStringList({"drag", "timer.off", "timer.on", "store.write"}));
    QCOMPARE(rig.clock.face().picture().pixel(5, 5), QColor(Qt::green).rgb());
}

void TestInteraction::rightButtonAsksForSettings()
{
    Rig rig;
    rig.clock.start(QString());
    rig.clock.onMousePress(Qt::RightButton);
    QCOMPARE(rig.ui.settingsOpened, 1);
    QCOMPARE(rig.log.count("drag"), 0);
    // Without a tray the right button opens the menu instead.
    rig.tray.host = false;
    rig.clock.onMousePress(Qt::RightButton);
    QCOMPARE(rig.ui.settingsOpened, 1);
    QCOMPARE(rig.ui.menus, 1);
}

void TestInteraction::trayDispatch_data()
{
    QTest::addColumn<QSystemTrayIcon::ActivationReason>("reason");
    QTest::addColumn<int>("menus");
    QTest::addColumn<int>("timeSets");
    QTest::newRow("right button") << QSystemTrayIcon::Context << 1 << 0;
    QTest::newRow("left double-click") << QSystemTrayIcon::DoubleClick << 0 << 1;
    QTest::newRow("left click") << QSystemTrayIcon::Trigger << 0 << 0;
    QTest::newRow("middle click") << QSystemTrayIcon::MiddleClick << 0 << 0;
}

void TestInteraction::trayDispatch()
{
    QFETCH(QSystemTrayIcon::ActivationReason, reason);
    QFETCH(int, menus);
    QFETCH(int, timeSets);
    Rig rig;
    rig.clock.start(QString());
    rig.clock.trayActivated(SystemTray::eventFor(reason));
    QCOMPARE(rig.ui.menus, menus);
    QCOMPARE(rig.launcher.dateTimeOpened, timeSets);
}

void TestInteraction::heldTrayIconIsMadeWhenLetGo()
{
    SystemTray tray;
    tray.hold(true);
    tray.add(QStringLiteral("a"));
    tray.modify(QStringLiteral("b")); // the midnight tip before the icon exists
    QVERIFY(!tray.icon());
    tray.hold(false);
    QVERIFY(tray.icon());
    QCOMPARE(tray.icon()->toolTip(), QStringLiteral("b"));
    // Removed while held: nothing is made.
    tray.remove();
    tray.hold(true);
    tray.add(QStringLiteral("c"));
    tray.remove();
    tray.hold(false);
    QVERIFY(!tray.icon());
}

void TestInteraction::unloadRemovesTheTrayIconFirst()
{
    Rig rig;
    rig.clock.start(QString());
    rig.log.events.clear();
    rig.clock.quit();
    QCOMPARE(rig.log.events, QStringList({"unhook", "tray.remove", "quit"}));
    QVERIFY(!rig.tray.present);
    rig.clock.quit(); // the quit unloading the window again ends nothing twice
    QCOMPARE(rig.ui.quits, 1);
}

void TestInteraction::systemRepaint_data()
{
    QTest::addColumn<bool>("transparent");
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("grabs");
    QTest::newRow("plain board") << false << "system" << 0;
    QTest::newRow("transparent") << true << "system" << 1;
    // Nor one let through while the tick's capture grabs.
    QTest::newRow("inside a tick's grab") << true << "grab" << 1;
    // The expose our own show brings is not the system's request.
    QTest::newRow("just after our show") << true << "show+100" << 0;
    QTest::newRow("half a second after") << true << "show+600" << 1;
}

void TestInteraction::systemRepaint()
{
    QFETCH(bool, transparent);
    QFETCH(QString, from);
    QFETCH(int, grabs);
    Rig rig;
    rig.clock.start(QString());
    rig.clock.settings().transparentBoard = transparent;
    rig.window.grabs = 0;
    rig.log.events.clear();
    if (from.startsWith("show+")) {
        rig.clock.face().noteOwnShow();
        rig.time.t = rig.time.t.addMSecs(from.mid(5).toInt());
        rig.clock.onSystemRepaint();
    } else if (from == "grab") {
        rig.window.active = {7, QRect(0, 0, 300, 300), false}; // comes over the clock
        rig.window.duringGrab = [&] { rig.clock.onSystemRepaint(); };
        rig.time.t = rig.time.t.addSecs(1);
        rig.clock.onTick();
    } else {
        rig.clock.onSystemRepaint();
    }
    QCOMPARE(rig.window.grabs, grabs);
    if (from != "grab") // a tick's capture has the timer on
        QCOMPARE(rig.log.count("timer.off"), grabs);
    QVERIFY(rig.timer.on);
}

void TestInteraction::helpAndDateTime()
{
    Rig rig(QStringLiteral("/opt/dialvane"));
    rig.clock.openHelp();
    QCOMPARE(rig.launcher.opened, QStringList{"/opt/dialvane/DIALVANE.html"});
    rig.clock.openDateTimeSettings();
    QCOMPARE(rig.launcher.dateTimeOpened, 1);
    QVERIFY(rig.msg.shown.isEmpty());
    // Nothing to open them with: told, with the page's path.
    rig.launcher.works = false;
    rig.clock.openHelp();
    rig.clock.openDateTimeSettings();
    QCOMPARE(rig.msg.shown,
             QStringList({"ヘルプを開くプログラムが見付かりません。次のファイルを開いてください\r\n\r\n-> "
                          "/opt/dialvane/DIALVANE.html",
                          "日付と時刻を設定するプログラムが見付かりません"}));
}

void TestInteraction::helpOpener_data()
{
    QTest::addColumn<QByteArray>("script"); // what xdg-open does
    QTest::addColumn<bool>("opened");
    QTest::newRow("nothing registered") << QByteArray("exit 3") << false;
    QTest::newRow("a viewer took it") << QByteArray("exit 0") << true;
    QTest::newRow("a viewer runs on") << QByteArray("sleep 5") << true;
}

void TestInteraction::helpOpener()
{
    QFETCH(QByteArray, script);
    QFETCH(bool, opened);
    QTemporaryDir bin;
    QFile f(bin.filePath("xdg-open"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n" + script + "\n");
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit() + ":" + path);
    ProcessLauncher launcher;
    QElapsedTimer t;
    t.start();
    std::optional<bool> answer;
    int answers = 0;
    launcher.openFile("/opt/dialvane/DIALVANE.html", [&](bool ok) {
        answer = ok;
        ++answers;
    });
    QVERIFY(t.elapsed() < 100); // nothing waits for the opener
    QVERIFY(!answer);
    QTRY_VERIFY_WITH_TIMEOUT(answer.has_value(), 3000);
    QCOMPARE(*answer, opened);
    QTest::qWait(ProcessLauncher::kOpenerSettleMs + 200);
    QCOMPARE(answers, 1); // once, even when a viewer ends later
    qputenv("PATH", path);
}

void TestInteraction::aboutBoxTexts()
{
    AboutBox box;
    QCOMPARE(box.objectName(), QString::fromLatin1(id::aboutBox));
    QCOMPARE(box.windowTitle(), QStringLiteral("About Dialvane"));
    QCOMPARE(box.findChild<QLabel *>(id::aboutSubtitle)->text(), QStringLiteral("丸いアナログ時計"));
    QCOMPARE(box.findChild<QLabel *>(id::aboutName)->text(),
             QStringLiteral("Ｄｉａｌｖａｎｅ  Version ") + QLatin1String(kVersion));
    QCOMPARE(box.findChild<QLabel *>(id::aboutDate)->text(), QStringLiteral("1998/02/16"));
    QVERIFY(box.findChild<QLabel *>(id::aboutCopyright)->text().startsWith(QStringLiteral("Copyright © ")));
    QCOMPARE(box.findChild<QLabel *>(id::aboutLicence)->text(),
             QStringLiteral("ライセンス：GPL-3.0-or-later（全文は https://www.gnu.org/licenses/gpl-3.0.html）"));
    QCOMPARE(box.findChild<QLabel *>(id::aboutWarranty)->text(), QStringLiteral("このプログラムは無保証です。"));
    box.centre();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QVERIFY(qAbs(box.geometry().center().x() - screen.center().x()) <= 1);
}

void TestInteraction::windowTakesDroppedFiles()
{
    ClockWindow w;
    QStringList got;
    int drops = 0;
    bool shown = true; // what the clock makes of the picture
    QObject::connect(&w, &ClockWindow::filesDropped, [&](const QStringList &f, bool *taken) {
        got = f;
        ++drops;
        *taken = shown;
    });
    // Whether the source is told the drop was taken.
    auto drop = [&w](QMimeData *data) {
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &enter);
        bool taken = false;
        if (enter.isAccepted()) {
            QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&w, &dropped);
            taken = dropped.isAccepted() && dropped.dropAction() != Qt::IgnoreAction;
        }
        delete data;
        return taken;
    };
    auto filesDrop = [](const QList<QUrl> &urls) {
        auto *d = new QMimeData;
        d->setUrls(urls);
        return d;
    };
    QVERIFY(drop(filesDrop(
        {QUrl::fromLocalFile("/p/a.gif"), QUrl("https://example.invalid/b.gif"), QUrl::fromLocalFile("/p/c.bmp")})));
    QCOMPARE(got, QStringList({"/p/a.gif", QString(), "/p/c.bmp"}));
    auto *text = new QMimeData;
    text->setText("/p/a.gif"); // text, not a file
    QVERIFY(!drop(text));
    QVERIFY(!drop(filesDrop({QUrl::fromLocalFile("/p/notes.txt")}))); // no picture's name
    QCOMPARE(drops, 1);
    shown = false; // a picture the clock cannot show
    QVERIFY(!drop(filesDrop({QUrl::fromLocalFile("/p/broken.jpeg")})));
    QCOMPARE(drops, 2);
}

void TestInteraction::dropIsCopyOrLink_data()
{
    QTest::addColumn<Qt::DropActions>("offered");
    QTest::addColumn<Qt::DropAction>("proposed");
    QTest::addColumn<Qt::DropAction>("taken"); // IgnoreAction: refused
    const Qt::DropActions all = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    QTest::newRow("move proposed, copy offered") << all << Qt::MoveAction << Qt::CopyAction;
    QTest::newRow("move proposed, link offered")
        << (Qt::MoveAction | Qt::LinkAction) << Qt::MoveAction << Qt::LinkAction;
    QTest::newRow("link proposed") << all << Qt::LinkAction << Qt::LinkAction;
    QTest::newRow("only a move") << Qt::DropActions(Qt::MoveAction) << Qt::MoveAction << Qt::IgnoreAction;
}

void TestInteraction::dropIsCopyOrLink()
{
    QFETCH(Qt::DropActions, offered);
    QFETCH(Qt::DropAction, proposed);
    QFETCH(Qt::DropAction, taken);
    ClockWindow w;
    int drops = 0;
    QObject::connect(&w, &ClockWindow::filesDropped, [&](const QStringList &, bool *accept) { *accept = ++drops > 0; });
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/p/a.png")});
    // The keys that propose the action: Shift a move, Ctrl and Shift a link.
    const Qt::KeyboardModifiers keys = proposed == Qt::MoveAction ? Qt::ShiftModifier
                                                                  : Qt::ShiftModifier | Qt::ControlModifier;
    QDragEnterEvent enter(QPoint(5, 5), offered, &data, Qt::LeftButton, keys);
    QCOMPARE(enter.proposedAction(), proposed);
    QApplication::sendEvent(&w, &enter);
    QDropEvent dropped(QPointF(5, 5), offered, &data, Qt::LeftButton, keys);
    QApplication::sendEvent(&w, &dropped);
    for (QDropEvent *e : {static_cast<QDropEvent *>(&enter), &dropped}) {
        QCOMPARE(e->isAccepted(), taken != Qt::IgnoreAction);
        if (taken != Qt::IgnoreAction)
            QCOMPARE(e->dropAction(), taken);
    }
    QCOMPARE(drops, taken != Qt::IgnoreAction ? 1 : 0);
}

QTEST_MAIN(TestInteraction)
#include "tst_interaction.moc"
