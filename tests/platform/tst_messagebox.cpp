// SPDX-License-Identifier: GPL-3.0-or-later
// The clock's message boxes show every line whole, at any scale.

#include "platform/QtPlatform.h"
#include "resources/Texts.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTextLayout>
#include <QtTest>

#include <memory>

using namespace dv;

class TestMessageBox : public QObject {
    Q_OBJECT
private slots:
    void textIsNotCut_data();
    void textIsNotCut();
    void unansweredWaitEnds();
};

// A second start's box that nobody answers ends by itself (20 of them were
// left waiting, one process each): with the fault, this never returns.
void TestMessageBox::unansweredWaitEnds()
{
    QtMessageBoxes::informAndWait(text::AlreadyRunning, 200);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void TestMessageBox::textIsNotCut_data()
{
    QTest::addColumn<QString>("text");
    const QString br = text::CRLF;
    const QString longPath = QStringLiteral("/home/hanako/ピクチャ/壁紙/") + QString(240, QLatin1Char('x')) + ".jpg";
    QTest::newRow("board picture") << text::BoardPictureMissing + br + br + text::PathArrow
                                          + "/home/hanako/ピクチャ/壁紙/夕焼けの海.jpg";
    QTest::newRow("alarm sound") << text::AlarmSoundMissing1 + br + br + text::PathArrow + "/media/usb/a.wav";
    QTest::newRow("logind reason")
        << text::ShutdownFailed + br + br
               + "Failed to connect to socket /run/dbus/system_bus_socket: No such file or directory";
    QTest::newRow("path wider than the screen") << text::BoardPictureMissing + br + br + text::PathArrow + longPath;
    QTest::newRow("short, under a longer caption") << text::CannotShowPicture.toString();
    QTest::newRow("3,000 characters") << text::BoardPictureMissing + br + br + text::PathArrow + "/"
                                             + QString(3000, QLatin1Char('a'));
    QTest::newRow("32,000 characters, taller than the screen")
        << text::BoardPictureMissing + br + br + text::PathArrow + QString(32000, QLatin1Char('b'));
}

void TestMessageBox::textIsNotCut()
{
    QFETCH(QString, text);
    std::unique_ptr<QMessageBox> box(newMessageBox(QMessageBox::NoIcon, text, QMessageBox::Ok));
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box.get()));
    auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    QVERIFY(label);
    const QFontMetrics fm(label->font());
    const int room = label->contentsRect().width();
    bool wraps = false;
    for (const QString &line : text.split(text::CRLF))
        wraps |= fm.horizontalAdvance(line) > room;
    if (wraps) {
        // Only a line wider than most of the screen may wrap, and all its rows show.
        QVERIFY(label->wordWrap());
        // No row wider than the label: a word that cannot break would be cut.
        QTextLayout layout(label->text(), label->font());
        QTextOption wrap;
        wrap.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(wrap);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(room);
            QVERIFY2(line.naturalTextWidth() <= room, qPrintable(QString::number(line.naturalTextWidth())));
        }
        layout.endLayout();
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                 qPrintable(QStringLiteral("%1 > %2").arg(label->heightForWidth(label->width())).arg(label->height())));
        QVERIFY(fm.horizontalAdvance(text) > box->screen()->availableGeometry().width() / 2);
    }
    const QRect area = box->screen()->availableGeometry();
    QVERIFY(box->frameGeometry().width() <= area.width());
    // OK on the screen, however long the text: it scrolls instead.
    QVERIFY2(box->frameGeometry().height() <= area.height(), qPrintable(QString::number(box->height())));
    // The caption whole, beside the frame's icon and its three buttons.
    const QFontMetrics caption(box->font());
    QVERIFY2(box->width() >= caption.horizontalAdvance(text::AppTitle) + 6 * caption.height(),
             qPrintable(QString::number(box->width())));
    QCOMPARE(box->windowTitle(), text::AppTitle);
}

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
