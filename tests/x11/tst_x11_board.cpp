// SPDX-License-Identifier: GPL-3.0-or-later
// The see-through board and the clock's window states in a real X session
// (Xvfb, openbox, tint2 and the picom compositor, which the tests stop and start).

#include "XTools.h"

#include <QTemporaryDir>

using namespace dv::xt;

class TestX11Board : public QObject {
    Q_OBJECT
private slots:
    void init();
    void liveBoardFollowsAMovingWindow();
    void captureTakesOverWithoutACompositor();
    void staysOutOfTheTaskbar();
    void edgeIsSmoothUnderACompositor_data();
    void edgeIsSmoothUnderACompositor();

private:
    QTemporaryDir m_dir;
};

namespace {
const QColor kGreen(0, 192, 0), kMagenta(192, 0, 192);
const QPoint kClock(200, 200); // FormLeft=3000, FormTop=3000

bool compositor(const char *what)
{
    return QProcess::execute(qEnvironmentVariable("COMPOSITOR_CTL"), {QString::fromLatin1(what)}) == 0;
}

QString netWmState(const QString &win)
{
    return run("xprop", {"-id", win, "_NET_WM_STATE"});
}

bool offTaskbar(const QString &win)
{
    const QString state = netWmState(win);
    return state.contains("_NET_WM_STATE_SKIP_TASKBAR") && state.contains("_NET_WM_STATE_SKIP_PAGER");
}

QColor ring(const QImage &shot)
{
    return QColor(shot.pixel(kClock + QPoint(2, 60)));
}

// A window of one colour, `size` at `at`, shown by ImageMagick's viewer.
struct ColourWindow {
    QProcess proc;
    QString id;
    ColourWindow(const QString &dir, const QColor &c, QSize size, QPoint at)
    {
        // A name of its own: a window of an earlier test may not be gone yet.
        static int made = 0;
        const QString file = dir + QStringLiteral("/%1-%2.png").arg(c.name().mid(1)).arg(++made);
        QProcess::execute(
            "convert", {"-size", QStringLiteral("%1x%2").arg(size.width()).arg(size.height()), "xc:" + c.name(), file});
        proc.start("display", {"-geometry", QStringLiteral("+%1+%2").arg(at.x()).arg(at.y()), file});
        waitFor([&] {
            id = xdotool({"search", "--onlyvisible", "--name", QFileInfo(file).fileName()}).split('\n').value(0);
            return !id.isEmpty();
        });
    }
    void moveTo(QPoint p) { xdotool({"windowmove", id, QString::number(p.x()), QString::number(p.y())}); }
    ~ColourWindow()
    {
        proc.kill();
        proc.waitForFinished(3000);
    }
};
} // namespace

void TestX11Board::init()
{
    QVERIFY2(!qEnvironmentVariableIsEmpty("COMPOSITOR_CTL"), "run under with-x.sh --compositor");
    QVERIFY(compositor("start"));
}

void TestX11Board::liveBoardFollowsAMovingWindow()
{
    ColourWindow behind(m_dir.path(), kGreen, {500, 400}, {50, 50});
    ColourWindow moving(m_dir.path(), kMagenta, {300, 200}, {600, 450});
    ClockProcess clock;
    clock.writeSettings("FormLeft=3000\nFormTop=3000\nTransparent=True\nTopMost=True\nDrawChar=False\n");
    clock.start();
    const QString win = clock.clockWindow();
    QVERIFY(!win.isEmpty());
    QVERIFY(waitFor([&] { return windowInfo(win, "Depth") == "32"; }, 3000));
    QVERIFY(waitFor([&] { return boardShows(screenshot(), kClock, kGreen); }, 3000));
    // The window goes under the clock and away, twice: the board shows it at
    // once, and the clock never leaves the screen, not for a single shot.
    for (int round = 0; round < 2; ++round) {
        for (const auto &[to, colour] : {std::pair{QPoint(150, 150), kMagenta}, std::pair{QPoint(600, 450), kGreen}}) {
            moving.moveTo(to);
            QElapsedTimer t;
            t.start();
            QImage shot;
            int shots = 0;
            while (!boardShows(shot = screenshot(), kClock, colour) && t.elapsed() < 3000) {
                ++shots;
                QCOMPARE(ring(shot), QColor(Qt::black));
            }
            if (!boardShows(shot, kClock, colour))
                shot.save(QDir::temp().filePath("dialvane-live-board-fail.png"));
            QVERIFY2(boardShows(shot, kClock, colour), qPrintable(colour.name()));
            // One screenshot takes longer than a compositor's frame: the
            // first or second one after the move must show it.
            QVERIFY2(shots <= 1,
                     qPrintable(QString::number(shots) + " shots, " + QString::number(t.elapsed()) + " ms"));
            QCOMPARE(ring(shot), QColor(Qt::black));
            QCOMPARE(windowInfo(win, "Map State"), QStringLiteral("IsViewable"));
        }
    }
}

void TestX11Board::captureTakesOverWithoutACompositor()
{
    ColourWindow behind(m_dir.path(), kGreen, {500, 400}, {50, 50});
    ClockProcess clock;
    clock.writeSettings("FormLeft=3000\nFormTop=3000\nTransparent=True\nTopMost=True\nDrawChar=False\n");
    clock.start();
    QString win = clock.clockWindow();
    QVERIFY(waitFor([&] { return windowInfo(win, "Depth") == "32"; }, 3000));
    QVERIFY(compositor("stop"));
    // A new, opaque window, out of the taskbar too, whose board is a copy of what is behind.
    QVERIFY(waitFor([&] { return windowInfo(win = clock.clockWindow(), "Depth") == "24"; }, 3000));
    QVERIFY2(offTaskbar(win), qPrintable(netWmState(win)));
    QVERIFY(waitFor([&] { return boardShows(screenshot(), kClock, kGreen) && ring(screenshot()) == Qt::black; }, 3000));
    // A window that comes under the clock is copied, as it always was.
    ColourWindow moving(m_dir.path(), kMagenta, {300, 200}, {600, 450});
    xdotool({"windowactivate", "--sync", moving.id});
    moving.moveTo({150, 150});
    if (!waitFor([&] { return boardShows(screenshot(), kClock, kMagenta); }, 4000)) {
        screenshot().save(QDir::temp().filePath("dialvane-capture-fail.png"));
        QFAIL("the board does not show the window that came under the clock");
    }
    QVERIFY(compositor("start"));
    QVERIFY(waitFor([&] { return windowInfo(win = clock.clockWindow(), "Depth") == "32"; }, 3000));
    QVERIFY2(offTaskbar(win), qPrintable(netWmState(win)));
}

void TestX11Board::staysOutOfTheTaskbar()
{
    // Each state change keeps both hints: stays on top switched on and off in
    // the settings (a new native window each time), hidden under Ctrl and back.
    ClockProcess clock;
    QString win = clock.startAt100();
    QVERIFY2(!win.isEmpty(), "no clock at 100,100");
    QVERIFY(waitFor([&] { return offTaskbar(win); }, 3000));
    for (const bool above : {true, false}) {
        const QString dialog = clock.openSettings({130, 190});
        QVERIFY2(!dialog.isEmpty(), "no settings dialog");
        QVERIFY(waitFor([&] { return windowInfo(win, "Map State") != "IsViewable"; }, 3000));
        // Into the picture field, whatever had the focus when the dialog last closed.
        // xwininfo's place is the client's own, inside the frame.
        const int left = windowInfo(dialog, "Absolute upper-left X").toInt();
        const int top = windowInfo(dialog, "Absolute upper-left Y").toInt();
        xdotool({"mousemove", QString::number(left + geometry(dialog).width() * 6 / 10), QString::number(top + 15),
                 "click", "1"});
        // From the picture field to "常に最前面に表示", past the two unchecked
        // boxes whose buttons are off; then back round to OK, past the quit
        // and the start at login.
        xdotool({"key", "Tab", "Tab", "Tab", "Tab", "space"});
        for (int k = 0; k < 9; ++k)
            xdotool({"key", "shift+Tab"});
        xdotool({"key", "space"});
        // A window already gone has no state at all, which must not pass for "not above".
        QVERIFY(waitFor(
            [&] {
                const QString state = netWmState(win = clock.clockWindow());
                return state.contains("(ATOM)") && state.contains("_ABOVE") == above;
            },
            3000));
        QVERIFY2(offTaskbar(win), qPrintable(netWmState(win)));
    }
    xdotool({"keydown", "Control_L"});
    QVERIFY(waitFor([&] { return windowInfo(win, "Map State") != "IsViewable"; }, 2000));
    xdotool({"keyup", "Control_L"});
    QVERIFY(waitFor([&] { return !(win = clock.clockWindow()).isEmpty(); }, 2000));
    QVERIFY2(offTaskbar(win), qPrintable(netWmState(win)));
}

void TestX11Board::edgeIsSmoothUnderACompositor_data()
{
    QTest::addColumn<bool>("composited");
    QTest::newRow("under a compositor") << true;
    QTest::newRow("without one") << false;
}

void TestX11Board::edgeIsSmoothUnderACompositor()
{
    // A plain board: 32-bit with a smoothed edge under a compositor, the
    // 1-bit shape without one.
    QFETCH(bool, composited);
    if (!composited)
        QVERIFY(compositor("stop"));
    ClockProcess clock;
    clock.writeSettings("FormLeft=3000\nFormTop=3000\nDrawChar=False\nBoardColor=65280\nHourColor=0\n"
                        "MinuteColor=0\nSecondColor=0\nCharColor=0\nFrameColor=0\n");
    clock.start();
    const QString win = clock.clockWindow();
    QVERIFY(waitFor([&] { return windowInfo(clock.clockWindow(), "Depth") == (composited ? "32" : "24"); }, 3000));
    // Drawn: the board green round the centre.
    QVERIFY(waitFor([&] { return boardShows(screenshot(), kClock, Qt::green); }, 3000));
    const QImage shot = screenshot();
    // Everything on the face is black or green: a pixel with some blue that is
    // not the desktop's colour is the desktop showing through an edge pixel.
    const QColor desktop(shot.pixel(kClock)); // the square's corner, off the circle (picom paints its own root)
    int blended = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 120; ++x) {
            const QColor c(shot.pixel(kClock + QPoint(x, y)));
            blended += c.blue() > 0 && c != desktop;
        }
    if (composited)
        QVERIFY2(blended >= 100, qPrintable(QString::number(blended)));
    else
        QCOMPARE(blended, 0);
}

QTEST_GUILESS_MAIN(TestX11Board)
#include "tst_x11_board.moc"
