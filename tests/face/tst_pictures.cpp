// SPDX-License-Identifier: GPL-3.0-or-later
// The board picture: formats, the stretch, the slideshow folder, the capture
// that follows the window in front, and dropped files.

#include "Fakes.h"
#include "face/FacePainter.h"
#include "face/Slideshow.h"

#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QtTest>

using namespace dv;
using namespace dv::test;

namespace {
QString make(const QString &dir, const QString &name, QColor c = Qt::red)
{
    QImage img(32, 24, QImage::Format_RGB32);
    img.fill(c);
    const QString path = dir + QLatin1Char('/') + name;
    const QString suffix = name.section(QLatin1Char('.'), -1).toLower();
    // Qt writes BMP, JPEG and ICO; ImageMagick the GIF, the RLE-compressed BMP and PCX.
    if (suffix == "bmp" || suffix == "dib" || suffix == "jpg" || suffix == "ico" || suffix == "png") {
        img.save(path, suffix == "dib" ? "BMP" : suffix == "jpg" ? "JPEG" : suffix.toLatin1().toUpper().constData());
    } else {
        const QString type = suffix == "rle" ? "BMP3:" : suffix == "gif" ? "GIF:" : "PCX:";
        QProcess::execute("convert", {"-size", "32x24", "xc:" + c.name(), "-type", "Palette", "-compress",
                                      suffix == "rle" ? "RLE" : "None", type + path});
    }
    return path;
}
} // namespace

class TestPictures : public QObject {
    Q_OBJECT
private slots:
    void formats_data();
    void formats();
    void stretchedToTheFace();
    void decodedAtTheFaceSize_data();
    void decodedAtTheFaceSize();
    void refusedWhenItCannotBeShown_data();
    void refusedWhenItCannotBeShown();
    void slideshowFolder_data();
    void slideshowFolder();
    void undecodableSlideKeepsThePicture();
    void slideChangesOnceWhenDue();
    void undecodableStoredPictureShowsTheColour();
    void emptyFolderToldOnce();
    void captureFollowsTheWindowInFront_data();
    void captureFollowsTheWindowInFront();
    void liveUnderACompositor();
    void drops_data();
    void drops();

private:
    QTemporaryDir m_dir;
};

void TestPictures::formats_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("decodes");
    for (const char *n : {"a.bmp", "b.rle", "c.dib", "d.gif", "e.jpg", "f.ico", "h.png"})
        QTest::newRow(n) << QString::fromLatin1(n) << true;
    QTest::newRow("pcx") << "g.pcx" << false;
}

void TestPictures::formats()
{
    QFETCH(QString, name);
    QFETCH(bool, decodes);
    const QString path = make(m_dir.path(), name);
    QVERIFY(QFileInfo::exists(path));
    if (name.endsWith(".rle")) { // really run-length encoded
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(qFromLittleEndian<quint32>(f.read(34).constData() + 30), 1u); // BI_RLE8
    }
    Rig rig;
    QCOMPARE(rig.clock.face().loadPicture(path), decodes);
    if (decodes)
        QCOMPARE(QColor(rig.clock.face().picture().pixel(5, 5)).red() > 200, true);
}

void TestPictures::stretchedToTheFace()
{
    // 640 x 480, left half red, right half blue: squeezed into the square, not kept in proportion.
    QImage img(640, 480, QImage::Format_RGB32);
    img.fill(Qt::blue);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 320; ++x)
            img.setPixel(x, y, qRgb(255, 0, 0));
    const QString path = m_dir.filePath("wide.bmp");
    QVERIFY(img.save(path));
    Rig rig;
    rig.store.values = {{"BackImage", path}, {"DrawChar", "False"}, {"DrawFrameFlag", "False"}};
    rig.clock.start(QString());
    const Face f = rig.clock.face().build(rig.clock.settings(), 0, 0, 0, false);
    QCOMPARE(f.strokes.at(0), (Stroke{Stroke::Kind::Picture, 0, 0, 120, 120, 0, 0}));
    const QImage shown = paintFace(f);
    QCOMPARE(QColor(shown.pixel(10, 5)), QColor(Qt::red));
    QCOMPARE(QColor(shown.pixel(110, 114)), QColor(Qt::blue));
}

void TestPictures::decodedAtTheFaceSize_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("clockSize"); // set from the settings dialog after start-up
    QTest::addColumn<qreal>("ratio");   // device pixels per window pixel
    QTest::addColumn<QSize>("decoded");
    // A 48-megapixel camera picture: past the reader's limit read whole.
    QTest::newRow("48 MP JPEG, 120 px") << "camera.jpg" << 120 << 1.0 << QSize(120, 120);
    QTest::newRow("clock grown to 240 px") << "camera.jpg" << 240 << 1.0 << QSize(240, 240);
    QTest::newRow("ratio 2") << "camera.jpg" << 120 << 2.0 << QSize(240, 240);
    QTest::newRow("small picture as it is") << "small.png" << 240 << 1.0 << QSize(64, 48);
}

void TestPictures::decodedAtTheFaceSize()
{
    QFETCH(QString, file);
    QFETCH(int, clockSize);
    QFETCH(qreal, ratio);
    QFETCH(QSize, decoded);
    const QString path = m_dir.filePath(file);
    if (!QFile::exists(path)) {
        // Left half red, right half blue; a few hundred kB on disk.
        QImage img(file == "small.png" ? QSize(64, 48) : QSize(8000, 6000), QImage::Format_RGB888);
        img.fill(Qt::blue);
        QPainter(&img).fillRect(0, 0, img.width() / 2, img.height(), Qt::red);
        QVERIFY(img.save(path, nullptr, 50));
    }
    Rig rig;
    rig.window.ratio = ratio;
    rig.store.values = {{"BackImage", path},
                        {"Mag2Flag", "True"},
                        {"ClockSize", "120"},
                        {"DrawChar", "False"},
                        {"DrawFrameFlag", "False"}};
    rig.clock.start(QString());
    Settings edited = rig.clock.settings();
    edited.clockSize = clockSize;
    rig.clock.settingsOk(edited);
    QVERIFY(rig.msg.shown.isEmpty());
    const Face f = rig.clock.face().build(rig.clock.settings(), 0, 0, 0, false);
    QCOMPARE(f.picture.size(), decoded);
    const QImage shown = paintFace(f, ratio);
    QCOMPARE(shown.width(), qRound(clockSize * ratio));
    const QColor left = shown.pixelColor(shown.width() / 8, shown.height() / 2);
    const QColor right = shown.pixelColor(shown.width() * 7 / 8, shown.height() / 2);
    QVERIFY2(left.red() > 220 && left.blue() < 40 && right.blue() > 220 && right.red() < 40,
             qPrintable(left.name() + " " + right.name()));
}

void TestPictures::refusedWhenItCannotBeShown_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("withPath"); // the message names the file
    QTest::newRow("at start-up") << "start" << true;
    QTest::newRow("dropped") << "drop" << false;
    QTest::newRow("from the settings dialog") << "dialog" << true;
}

void TestPictures::refusedWhenItCannotBeShown()
{
    // A BMP header for 16000 x 16000 at 32 bits (1 GB): BMP does not shrink
    // as it reads, so it stays past the reader's limit.
    QFETCH(QString, how);
    QFETCH(bool, withPath);
    const QString huge = m_dir.filePath("huge.bmp");
    QByteArray bmp(54 + 64, '\0');
    uchar *b = reinterpret_cast<uchar *>(bmp.data());
    b[0] = 'B', b[1] = 'M';
    qToLittleEndian<quint32>(quint32(bmp.size()), b + 2);
    qToLittleEndian<quint32>(54, b + 10);
    qToLittleEndian<quint32>(40, b + 14);
    qToLittleEndian<qint32>(16000, b + 18);
    qToLittleEndian<qint32>(16000, b + 22);
    qToLittleEndian<quint16>(1, b + 26);
    qToLittleEndian<quint16>(32, b + 28);
    QFile f(huge);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bmp);
    f.close();
    QCOMPARE(QImageReader(huge).size(), QSize(16000, 16000));
    const QString old = make(m_dir.path(), "old.bmp", Qt::green);
    Rig rig;
    rig.store.values = {{"BackImage", how == "start" ? huge : old}};
    rig.clock.start(QString());
    if (how == "drop") {
        QVERIFY(!rig.clock.onFilesDropped({huge}));
    } else if (how == "dialog") {
        Settings edited = rig.clock.settings();
        edited.boardPicture = huge;
        rig.clock.settingsOk(edited);
    }
    const QString told = "この画像は表示できません";
    QCOMPARE(rig.msg.shown, QStringList{withPath ? told + "\r\n\r\n-> " + huge : told});
    // Never a blank board in its place: the old picture, or the board colour told of.
    const Face face = rig.clock.face().build(rig.clock.settings(), 0, 0, 0, false);
    const bool picture = !face.strokes.empty() && face.strokes.front().kind == Stroke::Kind::Picture;
    QCOMPARE(picture, how == "drop");
    // The name stays, for the file to come right; a refused drop leaves the old one.
    QCOMPARE(rig.clock.settings().boardPicture, how == "drop" ? old : huge);
}

void TestPictures::slideshowFolder_data()
{
    QTest::addColumn<int>("grafix");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("bmp") << 1 << QStringList{"1.bmp", "2.BMP", "3.Bmp"};
    QTest::newRow("bmp and gif") << 3 << QStringList{"1.bmp", "2.BMP", "3.Bmp", "4.gif", "5.GIF"};
    QTest::newRow("none selected") << 0 << QStringList{};
    // PNG has the bit after the six: a value stored before it keeps its files.
    QTest::newRow("png") << 64 << QStringList{"6.png", "7.PNG"};
    QTest::newRow("stored default, no png") << 7 << QStringList{"1.bmp", "2.BMP", "3.Bmp", "4.gif", "5.GIF"};
    QTest::newRow("all six stored, no png") << 63 << QStringList{"1.bmp", "2.BMP", "3.Bmp", "4.gif", "5.GIF"};
}

void TestPictures::slideshowFolder()
{
    QFETCH(int, grafix);
    QFETCH(QStringList, listed);
    QTemporaryDir dir;
    for (const char *n : {"1.bmp", "2.BMP", "3.Bmp", "4.gif", "5.GIF", "6.png", "7.PNG", "notes.txt", ".hidden.bmp"})
        make(dir.path(), QString::fromLatin1(n));
    QDir(dir.path()).mkdir("folder.bmp");
    QStringList got = bmpFileList(dir.path(), grafix);
    got.sort(Qt::CaseInsensitive);
    QCOMPARE(got, listed);
    // A pick loads one of them; none listed is reported with the folder.
    Rig rig;
    Settings &s = rig.clock.settings();
    s.slideshowFolder = dir.path();
    s.slideshowFormats = quint8(grafix);
    rig.clock.face().pickSlide(s);
    QCOMPARE(rig.clock.face().picture().isNull(), listed.isEmpty());
    QCOMPARE(rig.msg.shown, listed.isEmpty()
                                ? QStringList{"このフォルダには、画像ファイルがありません\r\n-> " + dir.path()}
                                : QStringList{});
}

void TestPictures::undecodableSlideKeepsThePicture()
{
    QTemporaryDir dir;
    QFile junk(dir.filePath("broken.bmp"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("BM this is no picture");
    junk.close();
    Rig rig;
    rig.store.values = {{"BackImage", make(m_dir.path(), "kept.bmp", Qt::green)},
                        {"SlideBmp", "True"},
                        {"BmpDirectory", dir.path()},
                        {"SlideTime", "１分"}};
    rig.clock.start(QString());
    rig.time.t = QDateTime(QDate(2026, 12, 7), QTime(10, 0, 58));
    rig.run(5000); // across 10:01:01
    QCOMPARE(QColor(rig.window.lastFace.picture.pixel(3, 3)), QColor(Qt::green));
    QVERIFY(rig.msg.shown.isEmpty());
    QVERIFY(rig.timer.on);
}

// Over a simulated hour of five-minute slides: a new picture at second 1 of
// each fifth minute, once, and again at the next. The folder's one picture is
// given a new colour after each pick: a colour shown is a pick made.
void TestPictures::slideChangesOnceWhenDue()
{
    QTemporaryDir dir;
    int colour = 0;
    auto shade = [&colour] { return QColor::fromHsv(colour * 20 % 360, 255, 255).rgb(); };
    auto paint = [&] { make(dir.path(), "slide.bmp", QColor(shade())); };
    paint();
    Rig rig;
    rig.store.values = {{"SlideBmp", "True"}, {"BmpDirectory", dir.path()}, {"SlideTime", "５分"}};
    rig.clock.start(QString());
    rig.time.t = QDateTime(QDate(2026, 12, 7), QTime(10, 0, 30));
    QStringList picks;
    rig.run(3'600'000, [&] {
        if (rig.window.lastFace.picture.pixel(3, 3) != shade())
            return;
        picks << rig.time.t.time().toString("hh:mm:ss.zzz");
        ++colour;
        paint();
    });
    QStringList due;
    for (int m = 5; m <= 60; m += 5)
        due << QTime(10, 0).addSecs(m * 60 + 1).toString("hh:mm:ss.000");
    QVERIFY(!picks.isEmpty());
    picks.removeFirst(); // start-up's own pick
    QCOMPARE(picks, due);
}

void TestPictures::undecodableStoredPictureShowsTheColour()
{
    const QString broken = m_dir.filePath("broken.png");
    QFile junk(broken);
    QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write("PNG, but only in name") > 0);
    junk.close();
    Rig rig;
    rig.store.values = {{"BackImage", broken}, {"BoardColor", "255"}};
    rig.clock.start(QString());
    rig.time.t = QDateTime(QDate(2026, 12, 7), QTime(10, 0, 30));
    rig.run(3000);
    QCOMPARE(rig.msg.shown, QStringList{"この画像は表示できません\r\n\r\n-> " + broken});
    const QImage shown = paintFace(rig.window.lastFace);
    QCOMPARE(QColor(shown.pixel(80, 60)), QColor(Qt::red)); // stored as 0x00BBGGRR
    QCOMPARE(rig.clock.settings().boardPicture, broken);
}

void TestPictures::emptyFolderToldOnce()
{
    QTemporaryDir dir, other;
    Rig rig;
    rig.store.values = {{"SlideBmp", "True"}, {"BmpDirectory", dir.path()}, {"SlideTime", "１分"}};
    rig.clock.start(QString());
    rig.time.t = QDateTime(QDate(2026, 12, 7), QTime(10, 0, 30));
    auto toldOver3Minutes = [&] {
        rig.msg.shown.clear();
        rig.run(180000);
        return int(rig.msg.shown.size());
    };
    QCOMPARE(rig.msg.shown.size(), 1); // at start-up
    QCOMPARE(toldOver3Minutes(), 0);
    make(dir.path(), "notes.txt"); // still no picture, but the folder changed
    QCOMPARE(toldOver3Minutes(), 1);
    rig.clock.settings().slideshowFolder = other.path();
    QCOMPARE(toldOver3Minutes(), 1);
}

void TestPictures::captureFollowsTheWindowInFront_data()
{
    // Each second the window in front: an id (0 none, 1 the clock), where it
    // is; how the grabs come (steady, unsteady, or only our own face seen);
    // and whether that second captures.
    QTest::addColumn<QList<int>>("ids"); // below 0: window 8 in front, this one gone
    QTest::addColumn<QList<QRect>>("rects");
    QTest::addColumn<QString>("grabs");
    QTest::addColumn<QList<bool>>("captures");
    const QRect over(150, 150, 300, 200), moved(160, 150, 300, 200), away(600, 500, 100, 100);
    const QString steady = "steady", unsteady = "unsteady", ownFace = "own face";
    const QRect corner(0, 0, 205, 205); // over the clock's square, not its circle
    QTest::newRow("a window comes to the front over the clock")
        << QList<int>{7, 7, 7} << QList<QRect>{over, over, over} << steady << QList<bool>{true, false, false};
    QTest::newRow("moved once, still over: one capture")
        << QList<int>{7, 7, 7, 7} << QList<QRect>{over, moved, moved, moved} << steady
        << QList<bool>{true, true, false, false};
    QTest::newRow("a window elsewhere") << QList<int>{8} << QList<QRect>{away} << steady << QList<bool>{false};
    QTest::newRow("over a corner outside the circle")
        << QList<int>{8, 8} << QList<QRect>{corner, corner} << steady << QList<bool>{false, false};
    QTest::newRow("the clock itself") << QList<int>{1} << QList<QRect>{over} << steady << QList<bool>{false};
    QTest::newRow("moved off the clock") << QList<int>{7, 7, 7} << QList<QRect>{over, away, away} << steady
                                         << QList<bool>{true, true, false};
    QTest::newRow("moved into the corner")
        << QList<int>{7, 7, 7} << QList<QRect>{over, corner, corner} << steady << QList<bool>{true, true, false};
    // A window still painting: one more look a second later, and no third.
    QTest::newRow("unsteady: a second look") << QList<int>{7, 7, 7, 7} << QList<QRect>{over, over, over, over}
                                             << unsteady << QList<bool>{true, true, false, false};
    // A window behind that never repaints, so only our own face is seen: three more looks.
    QTest::newRow("only our own face seen") << QList<int>(7, 7) << QList<QRect>(7, over) << ownFace
                                            << QList<bool>{true, true, true, true, false, false, false};
    // Window 7 closes (id -7) while window 8, elsewhere, has the focus.
    QTest::newRow("the window behind closes") << QList<int>{7, 8, -7, -7} << QList<QRect>{over, away, away, away}
                                              << steady << QList<bool>{true, false, true, false};
}

void TestPictures::captureFollowsTheWindowInFront()
{
    QFETCH(QList<int>, ids);
    QFETCH(QList<QRect>, rects);
    QFETCH(QString, grabs);
    QFETCH(QList<bool>, captures);
    Rig rig;
    rig.store.values = {{"Transparent", "True"}, {"FormLeft", "3000"}, {"FormTop", "3000"}}; // at 200,200
    rig.clock.start(QString());
    if (grabs != "own face")
        rig.window.grab = QImage(120, 120, QImage::Format_RGB32);
    rig.window.steady = grabs == "steady";
    rig.time.t = QDateTime(QDate(2026, 12, 7), QTime(9, 0, 10, 500));
    rig.clock.onTick();
    for (int i = 0; i < ids.size(); ++i) {
        if (ids[i] < 0)
            rig.window.closed = {quint64(-ids[i])};
        rig.window.active = {quint64(ids[i] < 0 ? 8 : ids[i]), rects[i], ids[i] == 1};
        const int before = rig.window.grabs;
        rig.run(1000);
        QCOMPARE(rig.window.grabs - before, captures[i] ? 1 : 0);
    }
}

void TestPictures::liveUnderACompositor()
{
    // The board goes clear under a compositor, with no capture whatever the
    // windows do; it goes back to copies when the compositor stops, and back again.
    Rig rig;
    rig.store.values = {{"Transparent", "True"}, {"FormLeft", "3000"}, {"FormTop", "3000"}};
    rig.window.compositor = true;
    rig.window.grab = QImage(120, 120, QImage::Format_RGB32);
    rig.clock.start(QString());
    rig.time.t = QDateTime(QDate(2026, 12, 7), QTime(9, 0, 10, 500));
    auto board = [&] {
        const Face &f = rig.window.lastFace;
        const bool picture = !f.strokes.empty() && f.strokes.front().kind == Stroke::Kind::Picture;
        return QString(f.seeThrough ? "clear"
                       : picture    ? "picture"
                                    : "colour")
               + (rig.window.seeThrough ? "+window" : "");
    };
    for (const QRect &r : {QRect(150, 150, 300, 200), QRect(160, 150, 300, 200)}) {
        rig.window.active = {7, r, false};
        rig.run(1000);
        QCOMPARE(board(), QStringLiteral("clear+window"));
    }
    rig.clock.onSystemRepaint();
    rig.run(1000);
    QCOMPARE(rig.window.grabs, 0);
    QCOMPARE(rig.window.hides, 0);
    rig.window.compositor = false;
    rig.run(1000);
    QCOMPARE(board(), QStringLiteral("picture"));
    QCOMPARE(rig.window.grabs, 1);
    rig.window.compositor = true;
    rig.run(1000);
    QCOMPARE(board(), QStringLiteral("clear+window"));
    // A dropped picture is the board until the desktop is taken again.
    rig.clock.onFilesDropped({make(m_dir.path(), "dropped.png", Qt::blue)});
    rig.run(1000);
    QCOMPARE(board(), QStringLiteral("picture+window"));
}

void TestPictures::drops_data()
{
    QTest::addColumn<QStringList>("names"); // in the test folder; "-" a non-local drop
    QTest::addColumn<QString>("board");     // BackImage afterwards: "old" or the first name
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("oldFace"); // the board still shows the old (green) picture
    QTest::addColumn<bool>("taken");   // the drop is taken, not refused
    const QString none;                // no message
    QTest::newRow("gif in any case") << QStringList{"x.GiF"} << "x.GiF" << none << false << true;
    QTest::newRow("first of three") << QStringList{"a.bmp", "d.gif", "e.jpg"} << "a.bmp" << none << false << true;
    QTest::newRow("png") << QStringList{"p.Png"} << "p.Png" << none << false << true;
    QTest::newRow("jpeg") << QStringList{"y.JPEG"} << "y.JPEG" << none << false << true;
    QTest::newRow("jfif") << QStringList{"z.jfif"} << "z.jfif" << none << false << true;
    QTest::newRow("webp") << QStringList{"w.webp"} << "w.webp" << none << false << true;
    QTest::newRow("not a picture's name") << QStringList{"n.txt"} << "old" << none << true << false;
    // The settings keep the old picture, and so does the face.
    QTest::newRow("pcx cannot be shown") << QStringList{"g.pcx"} << "old"
                                         << "この画像は表示できません" << true << false;
    QTest::newRow("not a local file") << QStringList{"-"} << "old" << none << true << false;
    QTest::newRow("missing file") << QStringList{"gone.bmp"} << "gone.bmp" << none << true << true;
}

void TestPictures::drops()
{
    QFETCH(QStringList, names);
    QFETCH(QString, board);
    QFETCH(QString, message);
    QFETCH(bool, oldFace);
    QFETCH(bool, taken);
    for (const char *n : {"x.GiF", "a.bmp", "d.gif", "e.jpg", "g.pcx", "p.Png", "n.txt"})
        if (!QFile::exists(m_dir.filePath(n)))
            make(m_dir.path(), QString::fromLatin1(n), Qt::blue);
    QFile::copy(m_dir.filePath("e.jpg"), m_dir.filePath("y.JPEG"));
    QFile::copy(m_dir.filePath("e.jpg"), m_dir.filePath("z.jfif"));
    if (!QFile::exists(m_dir.filePath("w.webp"))) {
        QImage blue(32, 24, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        QVERIFY2(blue.save(m_dir.filePath("w.webp"), "WEBP", 100), "no WebP writer (qt6-image-formats-plugins)");
    }
    const QString old = make(m_dir.path(), "old.bmp", Qt::green);
    Rig rig;
    rig.store.values = {{"BackImage", old}};
    rig.clock.start(QString());
    rig.ui.pictureField = old;
    QStringList files;
    for (const QString &n : names)
        files << (n == "-" ? QString() : m_dir.filePath(n));
    QCOMPARE(rig.clock.onFilesDropped(files), taken);
    const QString expected = board == "old" ? old : m_dir.filePath(board);
    QCOMPARE(rig.clock.settings().boardPicture, expected);
    QCOMPARE(rig.ui.pictureField, expected);
    QCOMPARE(rig.msg.shown, message.isEmpty() ? QStringList{} : QStringList{message});
    const QImage picture = rig.clock.face().picture();
    QVERIFY(!picture.isNull());
    const QColor centre = picture.pixelColor(picture.width() / 2, picture.height() / 2);
    // JPEG and WebP come back near their colour, not at it.
    const bool green = centre.red() < 16 && centre.green() > 240 && centre.blue() < 16;
    QVERIFY2(green == oldFace, qPrintable(centre.name()));
    QCOMPARE(rig.store.writes, 0); // saved only with the settings
}

QTEST_GUILESS_MAIN(TestPictures)
#include "tst_pictures.moc"
