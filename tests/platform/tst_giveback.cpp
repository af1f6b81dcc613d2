// SPDX-License-Identifier: GPL-3.0-or-later
// What a closed window opened (its fonts) goes once it has stayed closed.

#include "platform/MemoryGiveBack.h"

#include <QFile>
#include <QLabel>
#include <QtTest>

using namespace dv;

namespace {
// Font files the process has open: each open font engine maps its file.
int fontFilesMapped()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) ? int(maps.readAll().count("/fonts/")) : -1;
}
} // namespace

class TestGiveBack : public QObject {
    Q_OBJECT
private slots:
    void windowsGoingLetFontsGo();
};

void TestGiveBack::windowsGoingLetFontsGo()
{
    QLabel clock(QStringLiteral("12"));
    MemoryGiveBack giveBack(&clock, 400);
    clock.show();
    clock.grab();
    auto box = std::make_unique<QLabel>(QStringLiteral("アラーム停止 Stop"));
    box->show();
    box->grab(); // drawn: its fonts are open
    QVERIFY(fontFilesMapped() > 0);

    // The clock's own window coming and going is no reason.
    clock.hide();
    clock.show();
    QTest::qWait(500);
    QCOMPARE(giveBack.released(), 0);

    // A window going, and another going before the wait is over: once, after the last.
    box->hide();
    QTest::qWait(250);
    QLabel other(QStringLiteral("x"));
    other.show();
    other.hide();
    box.reset();
    QTest::qWait(250);
    QCOMPARE(giveBack.released(), 0);
    QTRY_COMPARE(giveBack.released(), 1);
    QCOMPARE(fontFilesMapped(), 0);
}

QTEST_MAIN(TestGiveBack)
#include "tst_giveback.moc"
