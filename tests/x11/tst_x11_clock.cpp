// SPDX-License-Identifier: GPL-3.0-or-later
// The built program in a real X session (Xvfb, openbox, tint2).

#include "FileBytes.h"
#include "XTools.h"

#include <QTemporaryDir>

#include <csignal>

using namespace dv::xt;

class TestX11Clock : public QObject {
    Q_OBJECT
private slots:
    void appearsAtStoredPositionWithoutWriting_data();
    void appearsAtStoredPositionWithoutWriting();
    void windowIsCutToACircle();
    void dragMovesAndSaves_data();
    void dragMovesAndSaves();
    void trayMenuPinsToACorner();
    void settingsDialogChangesTheClock();
    void transparentBoardShowsTheWindowBehind();
    void desktopManners();
    void hidesUnderPointerAndKeys_data();
    void hidesUnderPointerAndKeys();
};

static QString storedValue(const QString &conf, const QString &key)
{
    QFile f(conf);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    for (const QString &line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n')))
        if (line.startsWith(key + QLatin1Char('=')))
            return line.mid(key.size() + 1);
    return QString();
}

void TestX11Clock::appearsAtStoredPositionWithoutWriting_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QPoint>("pos");
    QTest::newRow("empty store") << QString() << QPoint(0, 0);
    QTest::newRow("stored position") << "FormLeft=3000\nFormTop=1500\nClockSize=480\n" << QPoint(200, 100);
    // Off the screen on each side: back onto the work area (above tint2's 30 px
    // where a window manager publishes it). -1: against its right or bottom edge.
    QTest::newRow("off the left") << "FormLeft=-30000\nFormTop=1500\n" << QPoint(0, 100);
    QTest::newRow("off the top") << "FormLeft=3000\nFormTop=-30000\n" << QPoint(200, 0);
    QTest::newRow("off the right") << "FormLeft=99999\nFormTop=1500\n" << QPoint(-1, 100);
    QTest::newRow("off the bottom") << "FormLeft=3000\nFormTop=99999\n" << QPoint(200, -1);
}

void TestX11Clock::appearsAtStoredPositionWithoutWriting()
{
    QFETCH(QString, ini);
    QFETCH(QPoint, pos);
    const QSize free = workArea().isValid() ? workArea().size() : QSize(1024, 768);
    if (pos.x() < 0)
        pos.setX(free.width() - 120);
    if (pos.y() < 0)
        pos.setY(free.height() - 120);
    ClockProcess clock;
    if (!ini.isEmpty())
        clock.writeSettings(ini);
    clock.start();
    const QString win = clock.clockWindow();
    QVERIFY2(!win.isEmpty(), "no 120 x 120 clock window");
    QVERIFY(waitFor([&] { return geometry(win).topLeft() == pos; }, 3000));
    QCOMPARE(geometry(win), QRect(pos, QSize(120, 120)));
    // Nothing written over a few ticks: only time passing can show it.
    auto stored = [&] { return QString::fromUtf8(readFile(clock.confPath())); };
    const QString expected = ini.isEmpty() ? QStringLiteral("(none)") : QStringLiteral("[General]\n") + ini;
    QVERIFY2(holdsFor([&] { return stored() == expected; }, 2500), qPrintable(stored()));
}

void TestX11Clock::windowIsCutToACircle()
{
    ClockProcess clock;
    clock.writeSettings(QStringLiteral("FormLeft=3000\nFormTop=1500\nBoardColor=65280\n")); // green board
    clock.start();
    const QString win = clock.clockWindow();
    QVERIFY(!win.isEmpty());
    QVERIFY(waitFor([&] { return geometry(win).topLeft() == QPoint(200, 100); }, 3000));
    // Once the board is drawn, everything else is.
    QVERIFY(waitFor([&] { return QColor(screenshot().pixel(230, 190)) == QColor(Qt::green); }));
    const QImage shot = screenshot();
    QVERIFY(!shot.isNull());
    const QRgb desktop = qRgb(0x30, 0x60, 0xa0); // with-x.sh paints the root this colour
    // The corners of the 120 x 120 square show the desktop ...
    for (QPoint p : {QPoint(201, 101), QPoint(318, 101), QPoint(201, 218), QPoint(318, 218), QPoint(210, 110)})
        QCOMPARE(QColor(shot.pixel(p)), QColor(desktop));
    // ... the circle shows the face: the ring at the edge, the board inside.
    QCOMPARE(QColor(shot.pixel(260, 102)), QColor(Qt::black));
    QCOMPARE(QColor(shot.pixel(202, 160)), QColor(Qt::black));
    QCOMPARE(QColor(shot.pixel(230, 190)), QColor(Qt::green));
}

void TestX11Clock::dragMovesAndSaves_data()
{
    QTest::addColumn<int>("steps"); // pointer moves between press and release
    QTest::addColumn<int>("stepMs");
    QTest::addColumn<QPoint>("moved");
    QTest::addColumn<bool>("busy"); // the clock reads the press only after the release
    QTest::newRow("drag") << 10 << 30 << QPoint(300, 200) << false;
    QTest::newRow("flick") << 1 << 0 << QPoint(300, 200) << false;
    // A click without motion: the clock must not follow the pointer afterwards.
    QTest::newRow("quick click") << 0 << 0 << QPoint(0, 0) << false;
    QTest::newRow("click while busy") << 0 << 0 << QPoint(0, 0) << true;
    QTest::newRow("drag while busy") << 10 << 10 << QPoint(300, 200) << true;
}

void TestX11Clock::dragMovesAndSaves()
{
    QFETCH(int, steps);
    QFETCH(int, stepMs);
    QFETCH(QPoint, moved);
    QFETCH(bool, busy);
    ClockProcess clock;
    const QString win = clock.startAt100();
    QVERIFY2(!win.isEmpty(), "no clock at 100,100");
    xdotool({"mousemove", "160", "160"});
    if (busy)
        ::kill(pid_t(clock.proc.processId()), SIGSTOP);
    xdotool({"mousedown", "1"});
    for (int step = 1; step <= steps; ++step) {
        const QPoint at = QPoint(160, 160) + moved * step / steps;
        xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())});
        QThread::msleep(stepMs); // the pace of the hand: a drag, or a flick
    }
    xdotool({"mouseup", "1"});
    if (busy) {
        // The pointer moves on before the clock wakes and reads its queue.
        xdotool({"mousemove", "600", "500"});
        ::kill(pid_t(clock.proc.processId()), SIGCONT);
    }
    // Ends where the button went up, stored at once in twips.
    const QPoint to = QPoint(100, 100) + moved;
    QVERIFY2(waitFor([&] { return storedValue(clock.confPath(), "FormLeft") == QString::number(to.x() * 15); }, 5000),
             qPrintable(storedValue(clock.confPath(), "FormLeft") + " at " + QString::number(geometry(win).x())));
    QCOMPARE(storedValue(clock.confPath(), "FormTop"), QString::number(to.y() * 15));
    // The pointer goes on without the button: the clock stays.
    for (int step = 1; step <= 5; ++step) {
        xdotool({"mousemove", QString::number(600 + step * 20), QString::number(500 - step * 10)});
        QThread::msleep(40); // the pace of the hand
    }
    QVERIFY(holdsFor([&] { return geometry(win).topLeft() == to; }, 300));
}

void TestX11Clock::settingsDialogChangesTheClock()
{
    // Right button on the face, a board picture typed in, OK from the keyboard.
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("red.bmp"));
    QImage red(64, 64, QImage::Format_RGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(picture));
    ClockProcess clock;
    QVERIFY2(!clock.startAt100(QStringLiteral("DrawChar=False\n")).isEmpty(), "no clock at 100,100");
    QVERIFY2(!clock.openSettings({130, 190}).isEmpty(), "no settings dialog");
    xdotool({"type", "--delay", "5", picture});
    // Backwards from the picture field: the quit, start at login (ticked),
    // About, CANCEL, OK.
    xdotool({"key", "shift+Tab", "shift+Tab", "space"});
    for (int i = 0; i < 3; ++i)
        xdotool({"key", "shift+Tab"});
    xdotool({"key", "space"});
    QVERIFY(waitFor([&] { return storedValue(clock.confPath(), "BackImage") == picture; }, 5000));
    // The autostart entry, pointing at this program.
    QFile entry(clock.config.path() + QStringLiteral("/autostart/dialvane.desktop"));
    QVERIFY(entry.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(entry.readAll());
    QVERIFY2(text.contains(QStringLiteral("\nExec=") + QDir(qEnvironmentVariable("DIALVANE_BUILD_DIR")).absolutePath()
                           + QStringLiteral("/dialvane\n")),
             qPrintable(text));
    QVERIFY(waitFor([&] { return boardShows(screenshot(), QPoint(100, 100), Qt::red); }, 3000));
}

void TestX11Clock::transparentBoardShowsTheWindowBehind()
{
    QTemporaryDir dir;
    QProcess::execute("convert", {"-size", "500x400", "xc:#00c000", dir.filePath("green.png")});
    QProcess::execute("convert", {"-size", "300x200", "xc:#c000c0", dir.filePath("magenta.png")});
    const QColor green(0, 192, 0), magenta(192, 0, 192);
    auto at = [](QPoint p) { return QColor(screenshot().pixel(p)); };
    auto board = [](const QColor &c) { return boardShows(screenshot(), QPoint(200, 200), c); };
    const QPoint ring(200 + 2, 200 + 60);
    QProcess behind, front;
    behind.start("display", {"-geometry", "+50+50", dir.filePath("green.png")});
    QVERIFY(waitFor([&] { return at(QPoint(230, 260)) == green; }));
    ClockProcess clock;
    clock.writeSettings(QStringLiteral("FormLeft=3000\nFormTop=3000\nTransparent=True\nDrawChar=False\n"));
    clock.start();
    QVERIFY(!clock.clockWindow().isEmpty());
    QVERIFY(waitFor([&] { return at(ring) == QColor(Qt::black) && board(green); }, 3000));
    // A window comes in front of the clock: it stays in front, the clock behind it.
    front.start("display", {"-geometry", "+150+150", dir.filePath("magenta.png")});
    QVERIFY(waitFor([&] { return board(magenta) && at(ring) == magenta; }));
    // Through the captures it causes, the clock never comes in front of it.
    QVERIFY(holdsFor([&] { return at(ring) == magenta; }, 2500));
    // It moves away: the board shows what is behind again, never the clock's own face.
    const QString id = xdotool({"search", "--name", "magenta.png"}).split('\n').value(0);
    xdotool({"windowmove", id, "600", "450"});
    if (!waitFor([&] { return at(ring) == QColor(Qt::black) && board(green); }, 4000)) {
        screenshot().save(QDir::temp().filePath("dialvane-transparent-fail.png"));
        QFAIL(qPrintable("the board is not what is behind it: " + at(ring).name()));
    }
    for (QProcess *p : {&behind, &front}) {
        p->kill();
        p->waitForFinished(3000);
    }
}

void TestX11Clock::trayMenuPinsToACorner()
{
    ClockProcess clock;
    clock.start();
    const QString win = clock.clockWindow();
    QVERIFY(!win.isEmpty());
    // The tray icon: the clock's other small visible window, docked in tint2.
    QString icon;
    QVERIFY2(waitFor([&] {
                 for (const QString &w : windowsOf(clock.proc.processId()))
                     if (w != win && geometry(w).width() <= 48)
                         icon = w;
                 return !icon.isEmpty();
             }),
             "no tray icon");
    QVERIFY(geometry(icon).top() >= 768 - 30); // in the panel at the bottom
    const qsizetype before = windowsOf(clock.proc.processId()).size();
    xdotool({"mousemove", "--window", icon, "5", "5", "click", "3"});
    QVERIFY2(waitFor([&] { return windowsOf(clock.proc.processId()).size() > before; }, 3000), "the menu did not open");
    // Keyboard through the menu: 時計の位置 -> 常にデスクトップ右下.
    const qsizetype menu = windowsOf(clock.proc.processId()).size();
    xdotool({"key", "Down", "Down", "Down", "Down", "Down", "Right"});
    QVERIFY2(waitFor([&] { return windowsOf(clock.proc.processId()).size() > menu; }, 3000), "no place menu");
    xdotool({"key", "Down", "Down", "Down", "Down", "Return"});
    // Above the 30 px panel: the corner of the work area.
    QVERIFY(waitFor([&] { return geometry(win).topLeft() == QPoint(904, 618); }, 3000));
    QVERIFY(waitFor([&] { return storedValue(clock.confPath(), "FormPlace") == "4"; }, 3000));
    QCOMPARE(storedValue(clock.confPath(), "FormLeft"), QStringLiteral("13560"));
    QCOMPARE(storedValue(clock.confPath(), "FormTop"), QStringLiteral("9270"));
}

// With tint2 or without (--no-tray): the way in by the right button, the
// clock on every workspace and out of the taskbar and pager, never taking
// the focus, and its dialogs with the program's icon, a sub-dialog kept with
// the settings dialog.
void TestX11Clock::desktopManners()
{
    const bool tray = !xdotool({"search", "--class", "tint2"}).isEmpty();
    auto prop = [](const QString &win, const char *name) { return run("xprop", {"-id", win, name}); };
    QTemporaryDir dir;
    QProcess::execute("convert", {"-size", "200x100", "xc:#c0c000", dir.filePath("typing.png")});
    QProcess typing;
    typing.start("display", {"-geometry", "+600+100", dir.filePath("typing.png")});
    QString typingWin;
    QVERIFY(waitFor([&] {
        return !(typingWin = xdotool({"search", "--onlyvisible", "--name", "typing.png"})).isEmpty();
    }));
    const QString typedIn = typingWin.section('\n', 0, 0);
    xdotool({"windowactivate", "--sync", typedIn});
    QVERIFY(waitFor([&] { return activeWindow() == typedIn; }));

    ClockProcess clock;
    const QString win = clock.startAt100(QStringLiteral("Mag2Flag=True\nClockSize=120\n"));
    QVERIFY2(!win.isEmpty(), "no clock at 100,100");
    QVERIFY(prop(win, "_NET_WM_DESKTOP").endsWith(QStringLiteral("= 4294967295")));
    const QString state = prop(win, "_NET_WM_STATE");
    QVERIFY2(state.contains(QStringLiteral("_NET_WM_STATE_SKIP_TASKBAR")), qPrintable(state));
    QVERIFY2(state.contains(QStringLiteral("_NET_WM_STATE_SKIP_PAGER")), qPrintable(state));
    // No input model that takes the focus: sway gives the focus to any other at map.
    const QString protocols = prop(win, "WM_PROTOCOLS");
    QVERIFY2(protocols.contains("WM_DELETE_WINDOW") && !protocols.contains("WM_TAKE_FOCUS"), qPrintable(protocols));
    // A click on the face leaves the focus where the user was typing.
    xdotool({"mousemove", "160", "160", "click", "1"});
    QVERIFY(holdsFor([&] { return activeWindow() == typedIn; }, 500));

    // The right button: the settings with a tray, the menu (settings first) without.
    QString settings;
    if (tray) {
        settings = clock.openSettings({160, 160});
    } else {
        const qsizetype before = windowsOf(clock.proc.processId()).size();
        xdotool({"mousemove", "160", "160", "click", "3"});
        QVERIFY2(waitFor([&] { return windowsOf(clock.proc.processId()).size() > before; }, 3000), "no menu");
        QVERIFY(clock.settingsDialog().isEmpty());
        xdotool({"key", "Down", "Return"});
        QVERIFY(waitFor([&] { return !(settings = clock.settingsDialog()).isEmpty() && activeWindow() == settings; }));
    }
    QVERIFY2(!settings.isEmpty(), "no settings dialog");
    QVERIFY(prop(settings, "_NET_WM_ICON").contains(QStringLiteral("Icon (48 x 48)")));
    // It keeps its size: the window manager offers neither resizing nor maximising.
    QTRY_VERIFY(prop(settings, "_NET_WM_ALLOWED_ACTIONS").contains(QStringLiteral("_NET_WM_ACTION_MOVE")));
    QVERIFY(!prop(settings, "_NET_WM_ALLOWED_ACTIONS").contains(QStringLiteral("_NET_WM_ACTION_RESIZE")));
    QVERIFY(!prop(settings, "_NET_WM_ALLOWED_ACTIONS").contains(QStringLiteral("_NET_WM_ACTION_MAXIMIZE")));
    // The size dialog (Tab: picture, its button, slideshow box, free size box, size button).
    xdotool({"key", "Tab", "Tab", "Tab", "Tab", "space"});
    QString sub;
    QVERIFY2(waitFor([&] {
                 for (const QString &w : windowsOf(clock.proc.processId()))
                     if (w != settings && w != win && prop(w, "WM_TRANSIENT_FOR").contains(QStringLiteral("window id")))
                         sub = w;
                 return !sub.isEmpty();
             }),
             "no sub-dialog");
    QVERIFY2(prop(sub, "WM_TRANSIENT_FOR").endsWith(QString::number(settings.toULongLong(), 16)),
             qPrintable(prop(sub, "WM_TRANSIENT_FOR") + " for " + settings));
    QVERIFY(prop(sub, "_NET_WM_STATE").contains(QStringLiteral("_NET_WM_STATE_SKIP_TASKBAR")));
    QVERIFY(prop(sub, "_NET_WM_ICON").contains(QStringLiteral("Icon (48 x 48)")));
    // The settings dialog brought to the front keeps its sub-dialog above it.
    xdotool({"windowactivate", settings});
    QVERIFY(waitFor([&] { return activeWindow() == settings; }, 3000));
    const QStringList stack =
        run("xprop", {"-root", "_NET_CLIENT_LIST_STACKING"}).section(QLatin1Char('#'), 1).split(QLatin1Char(','));
    qsizetype settingsAt = -1, subAt = -1;
    for (qsizetype i = 0; i < stack.size(); ++i) {
        const quint64 id = stack[i].trimmed().toULongLong(nullptr, 16);
        if (id == settings.toULongLong())
            settingsAt = i;
        if (id == sub.toULongLong())
            subAt = i;
    }
    QVERIFY2(settingsAt >= 0 && subAt > settingsAt, qPrintable(stack.join(' ')));
    // A box asked from the settings dialog belongs to it as well: a missing
    // picture named in its field, told when the field is left.
    xdotool({"windowactivate", "--sync", sub});
    xdotool({"key", "Escape"});
    QVERIFY(waitFor([&] { return !windowsOf(clock.proc.processId()).contains(sub); }));
    const int left = windowInfo(settings, "Absolute upper-left X").toInt();
    const int top = windowInfo(settings, "Absolute upper-left Y").toInt();
    xdotool({"mousemove", QString::number(left + geometry(settings).width() * 6 / 10), QString::number(top + 15),
             "click", "1"});
    QVERIFY(waitFor([&] { return activeWindow() == settings; }, 3000));
    xdotool({"type", "/no/such/picture.bmp"});
    xdotool({"key", "Tab"});
    QString box;
    QVERIFY2(waitFor([&] {
                 for (const QString &w : windowsOf(clock.proc.processId()))
                     if (prop(w, "_NET_WM_NAME").contains(QStringLiteral("Ver.")))
                         box = w; // the boxes' caption
                 return !box.isEmpty();
             }),
             "no box");
    QVERIFY2(prop(box, "WM_TRANSIENT_FOR").endsWith(QString::number(settings.toULongLong(), 16)),
             qPrintable(prop(box, "WM_TRANSIENT_FOR") + " for " + settings));
    QVERIFY(prop(box, "_NET_WM_STATE").contains(QStringLiteral("_NET_WM_STATE_SKIP_TASKBAR")));
    typing.kill();
    typing.waitForFinished(3000);
}

void TestX11Clock::hidesUnderPointerAndKeys_data()
{
    QTest::addColumn<bool>("option");
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<bool>("warp"); // put there by a program, or moved there as a mouse does
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("hidden");
    QTest::newRow("Ctrl hides anywhere") << false << QPoint(700, 500) << true << "Control_L" << true;
    QTest::newRow("pointer moved over, option on") << true << QPoint(160, 160) << false << "" << true;
    QTest::newRow("pointer put over, option on") << true << QPoint(160, 160) << true << "" << true;
    QTest::newRow("pointer moved into a corner off the circle") << true << QPoint(103, 216) << false << "" << true;
    QTest::newRow("pointer put into a corner off the circle") << true << QPoint(103, 216) << true << "" << true;
    QTest::newRow("pointer over, option off") << false << QPoint(160, 160) << false << "" << false;
    QTest::newRow("Shift keeps it") << true << QPoint(160, 160) << false << "Shift_L" << false;
}

void TestX11Clock::hidesUnderPointerAndKeys()
{
    QFETCH(bool, option);
    QFETCH(QPoint, pointer);
    QFETCH(bool, warp);
    QFETCH(QString, key);
    QFETCH(bool, hidden);
    const QPoint away(700, 500);
    xdotool({"mousemove", QString::number(away.x()), QString::number(away.y())});
    ClockProcess clock;
    const QString win = clock.startAt100(QStringLiteral("OnMouseToHide=%1\n").arg(option ? "True" : "False"));
    QVERIFY2(!win.isEmpty(), "no clock at 100,100");
    auto visible = [&] { return windowsOf(clock.proc.processId(), QSize(120, 120)).contains(win); };
    QVERIFY(visible());
    // The server reports the key before the motion that follows it.
    if (!key.isEmpty())
        xdotool({"keydown", key});
    // A relative move goes through the server's input device, as a mouse's
    // does; an absolute one is a warp, which moves no device.
    auto moveTo = [&](QPoint to, QPoint from) {
        if (warp)
            xdotool({"mousemove", QString::number(to.x()), QString::number(to.y())});
        else
            xdotool(
                {"mousemove_relative", "--", QString::number(to.x() - from.x()), QString::number(to.y() - from.y())});
    };
    moveTo(pointer, away);
    // Within a tick or two: a loaded machine may be late with one.
    if (hidden)
        QVERIFY(waitFor([&] { return !visible(); }, 2500));
    else
        QVERIFY(holdsFor(visible, 800));
    if (!key.isEmpty())
        xdotool({"keyup", key});
    moveTo(away, pointer);
    QVERIFY(waitFor(visible, 2500)); // and back
}

QTEST_GUILESS_MAIN(TestX11Clock)
#include "tst_x11_clock.moc"
