// SPDX-License-Identifier: GPL-3.0-or-later
// The real clock and its settings dialog under Xvfb, openbox and a tint2 panel:
// what the window manager and the panel make of them.

#include "XTools.h"

#include <QtTest>

using namespace dv::xt;

namespace {
// A window with its frame: border and caption.
QRect frameOf(const QString &win)
{
    const QStringList e = run(QStringLiteral("xprop"), {"-id", win, "_NET_FRAME_EXTENTS"})
                              .section(QLatin1Char('='), 1)
                              .split(QLatin1Char(','));
    // xwininfo, whose place is the client's own (xdotool's counts the frame twice).
    QMap<QString, int> v;
    for (const QString &line : run(QStringLiteral("xwininfo"), {"-id", win}).split(QLatin1Char('\n')))
        if (line.contains(QLatin1Char(':')))
            v[line.section(QLatin1Char(':'), 0, 0).trimmed()] = line.section(QLatin1Char(':'), 1).trimmed().toInt();
    const QRect g(v.value("Absolute upper-left X"), v.value("Absolute upper-left Y"), v.value("Width"),
                  v.value("Height"));
    if (e.size() < 4)
        return g;
    return g.adjusted(-e[0].toInt(), -e[2].toInt(), e[1].toInt(), e[3].toInt());
}
} // namespace

class TestX11Dialogs : public QObject {
    Q_OBJECT
private slots:
    void cornersKeepOffThePanel_data();
    void cornersKeepOffThePanel();
    void settingsDialogFitsTheWorkArea();
    void aboutBoxTakesTheKeyboard();
};

void TestX11Dialogs::cornersKeepOffThePanel_data()
{
    QTest::addColumn<int>("place");
    QTest::newRow("bottom-left") << 2;
    QTest::newRow("bottom-right") << 4;
    QTest::newRow("top-right") << 3;
}

void TestX11Dialogs::cornersKeepOffThePanel()
{
    QFETCH(int, place);
    const QRect area = workArea();
    QVERIFY2(area.isValid() && area.height() < 768, "no panel");
    ClockProcess clock;
    clock.writeSettings(QStringLiteral("FormPlace=%1\nMag2Flag=True\nClockSize=300\n").arg(place));
    clock.start();
    const QString win = clock.clockWindow(300);
    QVERIFY2(!win.isEmpty(), "no 300 x 300 clock window");
    // In its corner of the work area, 6 o'clock included.
    QVERIFY(waitFor(
        [&] {
            const QRect g = geometry(win);
            return area.contains(g) && (place < 3 ? g.left() == area.left() : g.right() == area.right())
                   && (place % 2 ? g.top() == area.top() : g.bottom() == area.bottom());
        },
        3000));
}

void TestX11Dialogs::settingsDialogFitsTheWorkArea()
{
    // Larger fonts scale the clock too: 144 DPI is 1.5 device pixels a pixel.
    const int dpi = qEnvironmentVariableIntValue("QT_FONT_DPI");
    const double scale = dpi > 0 ? dpi / 96.0 : 1.0;
    ClockProcess clock;
    QVERIFY2(!clock.startAt100({}, scale).isEmpty(), "no clock at 100,100");
    const int at = int(100 * scale);
    const QString dialog = clock.openSettings({at + 30, at + 30});
    QVERIFY2(!dialog.isEmpty(), "no settings dialog");
    // The window manager's frame round it.
    QVERIFY(waitFor([&] { return run("xprop", {"-id", dialog, "_NET_FRAME_EXTENTS"}).contains('='); }, 3000));
    const QRect area = workArea();
    QVERIFY2(area.contains(frameOf(dialog)), qPrintable(QStringLiteral("%1,%2 %3x%4 in %5x%6")
                                                            .arg(frameOf(dialog).x())
                                                            .arg(frameOf(dialog).y())
                                                            .arg(frameOf(dialog).width())
                                                            .arg(frameOf(dialog).height())
                                                            .arg(area.width())
                                                            .arg(area.height())));
}

void TestX11Dialogs::aboutBoxTakesTheKeyboard()
{
    ClockProcess clock;
    QVERIFY2(!clock.startAt100().isEmpty(), "no clock at 100,100");
    const QString dialog = clock.openSettings({130, 190});
    QVERIFY2(!dialog.isEmpty(), "no settings dialog");
    for (const char *key : {"Escape", "Return"}) {
        // Backwards from the picture field: the quit, start at login, About.
        xdotool({"key", "shift+Tab", "shift+Tab", "shift+Tab", "space"});
        QString about;
        QVERIFY2(waitFor(
                     [&] {
                         about = activeWindow();
                         return about != dialog && windowsOf(clock.proc.processId()).contains(about);
                     },
                     5000),
                 "the About box has no keyboard");
        xdotool({"key", key});
        QVERIFY2(waitFor([&] { return !windowsOf(clock.proc.processId()).contains(about); }, 5000), key);
        QVERIFY(waitFor([&] { return activeWindow() == dialog; }, 5000));
    }
}

QTEST_GUILESS_MAIN(TestX11Dialogs)
#include "tst_x11_dialogs.moc"
