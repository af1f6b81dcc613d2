// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fakes.h"
#include "face/FacePainter.h"
#include "face/Strokes.h"

#include <QPainter>
#include <QtTest>

using namespace dv;
using namespace dv::test;

namespace {
Settings base()
{
    Settings s = Settings::defaults(QStringLiteral("/x"));
    s.freeSize = true;
    return s;
}
Scale scaleFor(int size)
{
    return computeScale(size, true, 15.0, 15.0, 768);
}
QString strokeText(const Stroke &s)
{
    return QStringLiteral("(%1,%2)-(%3,%4) w%5").arg(s.x1).arg(s.y1).arg(s.x2).arg(s.y2).arg(s.width);
}
// Starts the clock at `size` px, magnified to it, with shadows and Roman or bar marks.
void startSized(Rig &rig, int size, bool roman = true)
{
    const QString pattern = roman ? "True" : "False";
    rig.store.values = {
        {"ClockSize", QString::number(size)}, {"Mag2Flag", "True"}, {"ShadowFlag", "True"}, {"CharPattern", pattern}};
    rig.clock.start(QString());
}
Face buildAt(Rig &rig, int h, int m, int sec)
{
    return rig.clock.face().build(rig.clock.settings(), h, m, sec);
}
} // namespace

class TestFace : public QObject {
    Q_OBJECT
private slots:
    void sizeTable_data();
    void sizeTable();
    void handTips_data();
    void handTips();
    void hourHandBeforeTwelve();
    void drawSecondOffLeavesOutTheSecondHand();
    void dialStrokes_data();
    void dialStrokes();
    void dots_data();
    void dots();
    void nothingWithoutDrawChar();
    void charPatternOneSelectsBars();
    void handEditedSizesStayDrawable_data();
    void handEditedSizesStayDrawable();
    void renderedPixels();
    void dotsAreFilled_data();
    void dotsAreFilled();
    void lineRows_data();
    void lineRows();
    void rendererMatchesAFullPaint_data();
    void rendererMatchesAFullPaint();
};

void TestFace::sizeTable_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<float>("mag");
    QTest::addColumn<int>("d");
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("org");
    QTest::addColumn<int>("ring");
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("minute");
    QTest::addColumn<int>("second");
    QTest::addColumn<int>("marks");
    QTest::addColumn<int>("serifs");
    QTest::addColumn<int>("shadow");
    QTest::newRow("60") << 60 << 0.5f << 60 << 900 << 30 << 3 << 2 << 1 << 1 << 1 << 1 << 2;
    QTest::newRow("100") << 100 << 0.8333333f << 100 << 1500 << 50 << 5 << 3 << 2 << 1 << 2 << 1 << 3;
    QTest::newRow("120") << 120 << 1.0f << 120 << 1800 << 60 << 7 << 3 << 2 << 1 << 2 << 1 << 3;
    QTest::newRow("150") << 150 << 1.25f << 150 << 2250 << 75 << 8 << 4 << 3 << 1 << 3 << 1 << 4;
    QTest::newRow("180") << 180 << 1.5f << 180 << 2700 << 90 << 10 << 5 << 3 << 2 << 3 << 2 << 5;
    QTest::newRow("240") << 240 << 2.0f << 240 << 3600 << 120 << 14 << 6 << 4 << 2 << 4 << 2 << 6;
    QTest::newRow("360") << 360 << 3.0f << 360 << 5400 << 180 << 21 << 9 << 6 << 3 << 6 << 3 << 9;
}

void TestFace::sizeTable()
{
    QFETCH(int, size);
    QFETCH(float, mag);
    QFETCH(int, d);
    QFETCH(int, twips);
    QFETCH(int, org);
    QFETCH(int, ring);
    QFETCH(int, hour);
    QFETCH(int, minute);
    QFETCH(int, second);
    QFETCH(int, marks);
    QFETCH(int, serifs);
    QFETCH(int, shadow);

    // Through the clock itself: start-up sizes and shapes the window.
    Rig rig;
    startSized(rig, size);
    const Scale &sc = rig.clock.face().scale();
    QCOMPARE(sc.sizeFactor, float(size / 120.0));
    QCOMPARE(sc.factor, mag);
    QCOMPARE(sc.side, d);
    QCOMPARE(sc.widthTwips, twips);
    QCOMPARE(sc.heightTwips, twips);
    QCOMPARE(sc.centreX, org);
    QCOMPARE(sc.centreY, org);
    QCOMPARE(rig.window.rect.size(), QSize(d, d));
    QCOMPARE(rig.window.shapeD, d);

    rig.time.t = QDateTime(QDate(2026, 12, 7), QTime(10, 10, 40));
    rig.clock.onTick();
    const auto &s = rig.window.lastFace.strokes;
    // Roman with shadows: 2 x (13 + 8 + 8) dial strokes, the ring, 6 hand strokes.
    QCOMPARE(s.size(), size_t(58 + 1 + 6));
    QCOMPARE(s.at(0).width, marks);   // main numeral stroke (shadow pass)
    QCOMPARE(s.at(13).width, serifs); // serif bar
    QCOMPARE(s.at(21).width, marks);  // hour dot
    QCOMPARE(s.at(58).kind, Stroke::Kind::Ring);
    QCOMPARE(s.at(58).width, ring);
    QCOMPARE(s.at(59).width, hour);
    QCOMPARE(s.at(61).width, minute);
    QCOMPARE(s.at(63).width, second);
    for (int h = 0; h < 3; ++h) { // each hand's shadow straight below it
        const Stroke &sh = s.at(59 + 2 * h), &main = s.at(60 + 2 * h);
        QCOMPARE(sh.color, 0u);
        QCOMPARE(sh.x1, main.x1);
        QCOMPARE(sh.y1 - main.y1, shadow);
        QCOMPARE(sh.y2 - main.y2, shadow);
        QCOMPARE(sh.x2, main.x2);
        QCOMPARE(QPoint(main.x1, main.y1), QPoint(org, org));
    }
}

void TestFace::handTips_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QPoint>("hour");
    QTest::addColumn<QPoint>("minute");
    QTest::addColumn<QPoint>("second");
    QTest::newRow("0:00:00") << 120 << QTime(0, 0, 0) << QPoint(60, 25) << QPoint(60, 14) << QPoint(60, 9);
    QTest::newRow("12:00:00") << 120 << QTime(12, 0, 0) << QPoint(60, 25) << QPoint(60, 14) << QPoint(60, 9);
    QTest::newRow("3:00:15") << 120 << QTime(3, 0, 15) << QPoint(95, 60) << QPoint(60, 14) << QPoint(111, 60);
    QTest::newRow("6:00:30") << 120 << QTime(6, 0, 30) << QPoint(59, 95) << QPoint(60, 14) << QPoint(59, 111);
    QTest::newRow("9:00:45") << 120 << QTime(9, 0, 45) << QPoint(25, 59) << QPoint(60, 14) << QPoint(9, 59);
    QTest::newRow("10:10:40") << 120 << QTime(10, 10, 40) << QPoint(31, 39) << QPoint(99, 37) << QPoint(15, 85);
    QTest::newRow("18:30:30") << 120 << QTime(18, 30, 30) << QPoint(50, 93) << QPoint(59, 106) << QPoint(59, 111);
    QTest::newRow("23:59:59") << 120 << QTime(23, 59, 59) << QPoint(59, 25) << QPoint(55, 14) << QPoint(54, 9);
    QTest::newRow("10:10:40 x2") << 240 << QTime(10, 10, 40) << QPoint(62, 79) << QPoint(199, 74) << QPoint(31, 170);
}

void TestFace::handTips()
{
    QFETCH(int, size);
    QFETCH(QTime, time);
    QFETCH(QPoint, hour);
    QFETCH(QPoint, minute);
    QFETCH(QPoint, second);
    Face f;
    appendHands(f, base(), scaleFor(size), time.hour(), time.minute(), time.second());
    QCOMPARE(f.strokes.size(), size_t(3));
    QCOMPARE(QPoint(f.strokes[0].x2, f.strokes[0].y2), hour);
    QCOMPARE(QPoint(f.strokes[1].x2, f.strokes[1].y2), minute);
    QCOMPARE(QPoint(f.strokes[2].x2, f.strokes[2].y2), second);
    for (const Stroke &st : f.strokes)
        QCOMPARE(QPoint(st.x1, st.y1), QPoint(size / 2, size / 2));
}

void TestFace::hourHandBeforeTwelve()
{
    // 23:59: half a degree left of twelve.
    QCOMPARE(handAngles(23, 59, 0).hour * 180.0 / 3.1415926535, 90.5);
}

void TestFace::drawSecondOffLeavesOutTheSecondHand()
{
    Rig rig;
    rig.store.values = {{"DrawSecond", "False"}, {"ShadowFlag", "True"}};
    rig.clock.start(QString());
    rig.time.t = QDateTime(QDate(2026, 12, 7), QTime(3, 0, 15));
    rig.clock.onTick();
    const auto &s = rig.window.lastFace.strokes;
    QCOMPARE(s.size(), size_t(26 + 1 + 4)); // no second hand, no second shadow
}

void TestFace::dialStrokes_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("roman");
    QTest::addColumn<bool>("ring");
    QTest::addColumn<bool>("shadow");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("stroke");
    QTest::newRow("bars: 12 left") << 120 << false << false << false << 0 << "(58,2)-(58,13) w2";
    QTest::newRow("bars: 12 right") << 120 << false << false << false << 1 << "(62,2)-(62,13) w2";
    QTest::newRow("bars: 3") << 120 << false << false << false << 2 << "(105,60)-(116,60) w2";
    QTest::newRow("bars: 6") << 120 << false << false << false << 3 << "(60,106)-(60,117) w2";
    QTest::newRow("bars: 9") << 120 << false << false << false << 4 << "(2,60)-(13,60) w2";
    QTest::newRow("ring bars: 12") << 120 << false << true << false << 0 << "(58,7)-(58,18) w2";
    QTest::newRow("ring bars: 3") << 120 << false << true << false << 2 << "(100,60)-(111,60) w2";
    QTest::newRow("ring bars: 6") << 120 << false << true << false << 3 << "(60,101)-(60,112) w2";
    QTest::newRow("ring bars: 9") << 120 << false << true << false << 4 << "(7,60)-(18,60) w2";
    QTest::newRow("bar shadow") << 120 << false << false << true << 0 << "(59,3)-(59,14) w2";
    QTest::newRow("roman x2: X falling shadow") << 240 << true << false << true << 0 << "(112,8)-(124,30) w4";
    QTest::newRow("roman x2: X falling") << 240 << true << false << true << 29 << "(110,6)-(122,28) w4";
    QTest::newRow("roman x0.5: row 1") << 60 << true << false << false << 0 << "(28,2)-(31,7) w1";
    QTest::newRow("roman: VI right stroke") << 120 << true << false << false << 8 << "(62,105)-(59,116) w2";
    QTest::newRow("roman: IX rising, ring") << 120 << true << true << false << 12 << "(18,54)-(12,65) w2";
    QTest::newRow("roman: XII top serif") << 120 << true << false << false << 13 << "(52,2)-(70,2) w1";
    QTest::newRow("roman: VI bottom serif, ring") << 120 << true << true << false << 18 << "(63,112)-(67,112) w1";
    QTest::newRow("roman: III bottom serif") << 120 << true << false << false << 16 << "(105,66)-(117,66) w1";
    QTest::newRow("roman x1.5: III first I") << 180 << true << false << false << 4 << "(161,81)-(161,98) w3";
}

void TestFace::dialStrokes()
{
    QFETCH(int, size);
    QFETCH(bool, roman);
    QFETCH(bool, ring);
    QFETCH(bool, shadow);
    QFETCH(int, index);
    QFETCH(QString, stroke);
    Settings s = base();
    s.frameRing = ring;
    s.shadows = shadow;
    s.marksColour = 0x123456;
    Face f;
    if (roman)
        appendTimeChar(f, s, scaleFor(size).factor);
    else
        appendTimePoint(f, s, scaleFor(size).factor);
    QCOMPARE(f.strokes.size(), size_t((roman ? 29 : 13) * (shadow ? 2 : 1)));
    const Stroke &st = f.strokes.at(size_t(index));
    QCOMPARE(st.kind, Stroke::Kind::Line);
    QCOMPARE(strokeText(st), stroke);
    const bool inShadowPass = shadow && index < (roman ? 29 : 13);
    QCOMPARE(st.color, inShadowPass ? 0u : 0x123456u);
}

void TestFace::dots_data()
{
    QTest::addColumn<bool>("ring");
    QTest::addColumn<int>("size");
    QTest::addColumn<QList<QPoint>>("centres");
    QTest::newRow("without ring") << false << 120 << QList<QPoint>{{88, 11},  {108, 32}, {107, 87}, {86, 107},
                                                                   {31, 108}, {11, 87},  {11, 31},  {32, 11}};
    QTest::newRow("with ring") << true << 120 << QList<QPoint>{{85, 16},  {103, 35}, {102, 84}, {83, 102},
                                                               {34, 103}, {16, 84},  {16, 34},  {35, 16}};
    QTest::newRow("with ring x2") << true << 240 << QList<QPoint>{{170, 32}, {206, 70}, {204, 168}, {166, 204},
                                                                  {68, 206}, {32, 168}, {32, 68},   {70, 32}};
}

void TestFace::dots()
{
    QFETCH(bool, ring);
    QFETCH(int, size);
    QFETCH(QList<QPoint>, centres);
    Settings s = base();
    s.frameRing = ring;
    for (bool roman : {false, true}) {
        Face f;
        if (roman)
            appendTimeChar(f, s, scaleFor(size).factor);
        else
            appendTimePoint(f, s, scaleFor(size).factor);
        const size_t first = roman ? 21 : 5;
        QCOMPARE(f.strokes.size(), first + 8);
        for (int i = 0; i < 8; ++i) {
            const Stroke &d = f.strokes.at(first + size_t(i));
            QCOMPARE(d.kind, Stroke::Kind::Dot);
            QCOMPARE(QPoint(d.x1, d.y1), centres.at(i));
            QCOMPARE(d.width, widthPx(2, scaleFor(size).factor));
        }
    }
}

void TestFace::nothingWithoutDrawChar()
{
    Settings s = base();
    s.hourMarks = false;
    s.shadows = true;
    for (StoredBool pattern : {StoredTrue, StoredFalse}) {
        s.romanNumerals = pattern;
        Face f;
        appendTimeChar(f, s, 1.0f);
        appendTimePoint(f, s, 1.0f);
        QVERIFY(f.strokes.empty());
    }
}

void TestFace::charPatternOneSelectsBars()
{
    Rig rig;
    rig.clock.start(QString());
    rig.clock.settings().romanNumerals = 1; // true to a test, but not True itself
    rig.time.t = QDateTime(QDate(2026, 12, 7), QTime(1, 2, 3));
    rig.clock.onTick();
    QCOMPARE(strokeText(rig.window.lastFace.strokes.at(0)), QStringLiteral("(58,7)-(58,18) w2"));
    QCOMPARE(rig.window.lastFace.strokes.size(), size_t(13 + 1 + 3));
    rig.clock.settings().romanNumerals = StoredTrue;
    rig.time.t = rig.time.t.addSecs(1);
    rig.clock.onTick();
    QCOMPARE(rig.window.lastFace.strokes.size(), size_t(29 + 1 + 3));
}

void TestFace::handEditedSizesStayDrawable_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("d");
    QTest::newRow("0") << 0 << kMinClockPx;
    QTest::newRow("negative") << -500 << kMinClockPx;
    QTest::newRow("10") << 10 << kMinClockPx;
    QTest::newRow("30") << 30 << 30;
    QTest::newRow("beyond the screen") << 100000 << 768;
}

void TestFace::handEditedSizesStayDrawable()
{
    QFETCH(int, size);
    QFETCH(int, d);
    Rig rig;
    startSized(rig, size);
    QCOMPARE(rig.clock.face().scale().sizeFactor, float(size / 120.0)); // still the stored value's
    QCOMPARE(rig.window.shapeD, d);
    QCOMPARE(rig.window.rect.size(), QSize(d, d));
    rig.time.t = rig.time.t.addSecs(1);
    rig.clock.onTick();
    for (const Stroke &s : rig.window.lastFace.strokes)
        QVERIFY2(s.width >= 1, qPrintable(strokeText(s)));
}

void TestFace::renderedPixels()
{
    Rig rig;
    rig.store.values = {{"BoardColor", QString::number(0x00FFFF)},   // yellow
                        {"FrameColor", QString::number(0xFF0000)},   // blue
                        {"SecondColor", QString::number(0x0000FF)}}; // red
    rig.clock.start(QString());
    const Face f = buildAt(rig, 3, 0, 15);
    const QImage img = paintFace(f, 1.0);
    QCOMPARE(img.size(), QSize(120, 120));
    QCOMPARE(QColor(img.pixel(111, 60)), QColor(Qt::red)); // second hand's tip
    QCOMPARE(QColor(img.pixel(0, 60)), QColor(Qt::blue));  // ring at the edge
    // 7 px wide from one pixel outside the window: x -1..5 inside the box.
    QCOMPARE(QColor(img.pixel(5, 60)), QColor(Qt::blue));
    QCOMPARE(QColor(img.pixel(60, 5)), QColor(Qt::blue));
    QCOMPARE(QColor(img.pixel(61, 9)), QColor(Qt::yellow));  // just inside it, between the bars
    QCOMPARE(QColor(img.pixel(40, 85)), QColor(Qt::yellow)); // board
    QCOMPARE(QColor(img.pixel(1, 1)), QColor(Qt::yellow));   // corner: outside the ring, cut off by the window
    QCOMPARE(QColor(img.pixel(58, 12)), QColor(Qt::black));  // the left bar at 12
}

void TestFace::dotsAreFilled_data()
{
    QTest::addColumn<int>("size");
    for (int size : {60, 120, 150, 180, 240, 360, 480})
        QTest::addRow("%d", size) << size;
}

void TestFace::dotsAreFilled()
{
    QFETCH(int, size);
    Settings s = base();
    s.clockSize = size;
    s.frameRing = false;
    const Scale sc = scaleFor(size);
    Face f;
    f.clear(sc.side, 0xFFFFFF);
    appendTimePoint(f, s, sc.factor);
    const QImage img = paintFace(f, 1.0);
    int dots = 0;
    for (const Stroke &d : f.strokes) {
        if (d.kind != Stroke::Kind::Dot)
            continue;
        ++dots;
        // A solid centre, not a ring round a hole, and dark neighbours.
        QCOMPARE(QColor(img.pixel(d.x1, d.y1)), QColor(Qt::black));
        for (const QPoint &o : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
            QVERIFY(qGray(img.pixel(QPoint(d.x1, d.y1) + o)) < 64);
    }
    QCOMPARE(dots, 8);
}

void TestFace::lineRows_data()
{
    // A line across at y 20: the rows of device pixels from just above it, b
    // black and w white.
    QTest::addColumn<int>("width");
    QTest::addColumn<qreal>("dpr");
    QTest::addColumn<QString>("rows");
    QTest::newRow("1 px is one row") << 1 << 1.0 << "wbw";
    QTest::newRow("even widths put the extra row below") << 2 << 1.0 << "wbbw";
    QTest::newRow("1 px at 2x: two crisp rows") << 1 << 2.0 << "wbbw";
}

void TestFace::lineRows()
{
    QFETCH(int, width);
    QFETCH(qreal, dpr);
    QFETCH(QString, rows);
    Face f;
    f.clear(120, 0xFFFFFF);
    f.strokes.push_back({Stroke::Kind::Line, 20, 20, 100, 20, width, 0});
    const QImage img = paintFace(f, dpr);
    QCOMPARE(img.size(), QSize(120, 120) * dpr);
    QCOMPARE(img.devicePixelRatio(), dpr);
    QString seen;
    for (int y = qRound(20 * dpr) - 1; seen.size() < rows.size(); ++y) {
        const QColor c(img.pixel(qRound(60 * dpr), y));
        seen += c == Qt::black ? u'b' : c == Qt::white ? u'w' : u'?';
    }
    QCOMPARE(seen, rows);
}

void TestFace::rendererMatchesAFullPaint_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<qreal>("dpr");
    QTest::addColumn<bool>("roman");
    QTest::newRow("120, bars") << 120 << 1.0 << false;
    QTest::newRow("120, Roman") << 120 << 1.0 << true;
    QTest::newRow("60 at 2x") << 60 << 2.0 << true;
    QTest::newRow("150 at 1.25x") << 150 << 1.25 << false;
    QTest::newRow("700") << 700 << 1.0 << true;
}

void TestFace::rendererMatchesAFullPaint()
{
    // The running clock keeps the dial and paints again only round the hands;
    // every frame must still equal one painted from scratch.
    QFETCH(int, size);
    QFETCH(qreal, dpr);
    QFETCH(bool, roman);
    Rig rig;
    startSized(rig, size, roman);
    FaceRenderer r;
    const int side = rig.clock.face().scale().side;
    const int full = qRound(side * dpr) * qRound(side * dpr);
    // The window as the clock keeps it: each second, only the changed
    // pixels are composed and put there.
    QImage window;
    bool keptSame = true;
    auto show = [&](const Face &f) {
        const QRegion changed = r.render(f, dpr);
        if (window.isNull())
            window = QImage(r.rect().size(), QImage::Format_ARGB32_Premultiplied);
        QImage part = r.compose(changed.boundingRect());
        keptSame = keptSame && r.composeKept(changed.boundingRect()) == part; // the window's own way
        part.setDevicePixelRatio(1.0);                                        // device pixels, one for one
        QPainter p(&window);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        for (const QRect &c : changed)
            p.drawImage(c.topLeft(), part, c.translated(-changed.boundingRect().topLeft()));
        return changed;
    };
    QTime t(10, 9, 50);
    for (int i = 0; i < 75; ++i, t = t.addSecs(i < 70 ? 1 : 3599)) {
        const Face f = buildAt(rig, t.hour(), t.minute(), t.second());
        qint64 area = 0;
        for (const QRect &c : show(f))
            area += qint64(c.width()) * c.height();
        window.setDevicePixelRatio(dpr);
        QCOMPARE(window, paintFace(f, dpr));
        QCOMPARE(r.image(), window);
        window.setDevicePixelRatio(1.0);
        QVERIFY2(i == 0 ? area == full : area < full / 2, qPrintable(QString::number(area)));
        // The same face again changes nothing.
        QVERIFY(show(f).isEmpty());
    }
    QCOMPARE(r.fixedRepaints(), 1);
    QVERIFY(keptSame);
    rig.clock.settings().boardColour = 0x00FFFF;
    const Face yellow = buildAt(rig, 1, 2, 3);
    show(yellow);
    window.setDevicePixelRatio(dpr);
    QCOMPARE(window, paintFace(yellow, dpr));
    QCOMPARE(r.fixedRepaints(), 2);
}

QTEST_GUILESS_MAIN(TestFace)
#include "tst_face.moc"
