// SPDX-License-Identifier: GPL-3.0-or-later
// The clock in the user's language. CTest runs this under LANG=en_US.UTF-8,
// ja_JP.UTF-8 and C; DV_LANGUAGE says which language that run must see.

#include "Fakes.h"
#include "alarm/AlarmWindow.h"
#include "dialogs/SettingsDialog.h"
#include "dialogs/SubDialogs.h"
#include "face/Slideshow.h"
#include "interaction/AboutBox.h"
#include "interaction/PopupMenu.h"
#include "platform/QtPlatform.h"
#include "resources/Language.h"
#include "resources/ObjectNames.h"
#include "resources/Texts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpression>
#include <QtTest>

using namespace dv;
using namespace dv::test;

namespace {
bool japanese(const QString &s)
{
    // Kana, kanji, the CJK marks and the full- and half-width forms.
    static const QRegularExpression re(QStringLiteral("[\\x{3000}-\\x{30FF}\\x{3400}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    return s.contains(re);
}

// Every text of a window: its title, captions, list entries, fields and menus.
QStringList textsOf(QWidget *top)
{
    QStringList all{top->windowTitle()};
    QList<QWidget *> widgets = top->findChildren<QWidget *>();
    widgets.prepend(top);
    for (QWidget *w : widgets) {
        if (auto *l = qobject_cast<QLabel *>(w))
            all << l->text();
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            all << b->text();
        if (auto *g = qobject_cast<QGroupBox *>(w))
            all << g->title();
        if (auto *f = qobject_cast<QLineEdit *>(w))
            all << f->text();
        if (auto *list = qobject_cast<QListWidget *>(w))
            for (int i = 0; i < list->count(); ++i)
                all << list->item(i)->text();
        if (auto *m = qobject_cast<QMenu *>(w))
            for (const QAction *a : m->actions())
                all << a->text() << (a->menu() ? textsOf(a->menu()) : QStringList());
    }
    all.removeAll(QString());
    return all;
}

struct Host final : SettingsHost {
    void settingsAccepted(const Settings &) override { }
    void settingsClosed() override { }
    bool saveSettings() override { return true; }
    QPoint windowTwips() const override { return {}; }
    void quitClock() override { }
};
} // namespace

class TestLanguage : public QObject {
    Q_OBJECT
    const QString expected = qEnvironmentVariable("DV_LANGUAGE");
    bool english() const { return expected == QLatin1String("en"); }
    Translations language; // from the locale, as the program makes it

private slots:
    void chosenFromTheLocale() { QCOMPARE(language.language(), expected); }

    void choice_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("Japanese") << QStringLiteral("ja_JP") << QStringLiteral("ja");
        QTest::newRow("C") << QStringLiteral("C") << QStringLiteral("ja");
        QTest::newRow("US English") << QStringLiteral("en_US") << QStringLiteral("en");
        QTest::newRow("British English") << QStringLiteral("en_GB") << QStringLiteral("en");
        QTest::newRow("untranslated: English") << QStringLiteral("de_DE") << QStringLiteral("en");
        QTest::newRow("a third language") << QStringLiteral("pt_BR") << QStringLiteral("pt_BR");
    }
    void choice()
    {
        QFETCH(QString, locale);
        QFETCH(QString, chosen);
        QCOMPARE(chooseLanguage(QLocale(locale), {"en", "pt_BR"}), chosen);
    }

    // Every text of Texts.h, from the translation table: English under an
    // English locale, the Japanese source text otherwise. A Japanese text that
    // bypasses the table fails too.
    void everyText()
    {
        QFile file(QStringLiteral(DV_TEXTS_H));
        QVERIFY(file.open(QIODevice::ReadOnly));
        // The comments' example is no text.
        const QString header = QString::fromUtf8(file.readAll()).remove(QRegularExpression(QStringLiteral("//[^\n]*")));
        static const QRegularExpression marked(
            QStringLiteral("(?:QT_TRANSLATE_NOOP|translate)\\(\\s*\"dv::text\",\\s*((?:\"[^\"]*\"\\s*)+)"));
        static const QRegularExpression piece(QStringLiteral("\"([^\"]*)\""));
        int count = 0;
        for (const QRegularExpressionMatch &m : marked.globalMatch(header)) {
            QString source;
            for (const QRegularExpressionMatch &p : piece.globalMatch(m.captured(1)))
                source += p.captured(1);
            const int n = source.contains(QLatin1String("%n")) ? 2 : -1;
            const QString shown = QCoreApplication::translate(text::kContext, source.toUtf8().constData(), nullptr, n);
            if (english())
                QVERIFY2(!japanese(shown) && shown != source, qPrintable(source + " -> " + shown));
            else
                QCOMPARE(shown, QString(source).replace(QLatin1String("%n"), QLatin1String("2")));
            ++count;
        }
        QVERIFY2(count > 100, qPrintable(QString::number(count)));
        static const QRegularExpression plain(QStringLiteral("QStringLiteral\\(\\s*\"([^\"]*)\""));
        for (const QRegularExpressionMatch &m : plain.globalMatch(header))
            QVERIFY2(!japanese(m.captured(1)), qPrintable("not in the translation table: " + m.captured(1)));
    }

    // The windows as they are made: the settings dialog and its three
    // sub-dialogs, the menu, the About box, the stop window and a question.
    void windows()
    {
        Rig rig;
        Host host;
        rig.clock.start(QString());
        Settings &working = rig.clock.settings();
        SettingsDialog settings(rig.clock.parameters(), rig.platform, host);
        SlideshowDialog slideshow(working, rig.platform);
        SizeDialog size(working, rig.platform);
        size.addClockSize();
        ChimeDialog chime(working, rig.platform);
        PopupMenu menu;
        AboutBox about;
        AlarmWindow alarm;
        alarm.showAlarm({QStringLiteral("07:30"), QString(), QStringLiteral("07:30"), false});
        std::unique_ptr<QMessageBox> question(
            newMessageBox(QMessageBox::Question, text::ShutdownAsk, QMessageBox::Yes | QMessageBox::No));

        QStringList all;
        for (QWidget *w : std::initializer_list<QWidget *>{&settings, &slideshow, &size, &chime, menu.menu(), &about,
                                                           &alarm, question.get()})
            all << textsOf(w);
        QVERIFY(all.size() > 80);
        // In either language each dialog fits a 640 x 480 screen with its frame and a panel.
        for (QWidget *d : std::initializer_list<QWidget *>{&settings, &slideshow, &size, &chime}) {
            const QSize least = d->minimumSizeHint();
            QVERIFY2(least.width() <= 620 && least.height() <= 420,
                     qPrintable(d->objectName() + QStringLiteral(" %1x%2").arg(least.width()).arg(least.height())));
        }
        if (english()) {
            for (const QString &t : all)
                QVERIFY2(!japanese(t), qPrintable(t));
            QCOMPARE(question->button(QMessageBox::Yes)->text(), QStringLiteral("&Yes"));
        } else {
            QCOMPARE(settings.windowTitle(), QStringLiteral("時計の設定"));
            QVERIFY(question->button(QMessageBox::Yes)->text().startsWith(QStringLiteral("はい")));
        }

        // The slideshow interval is shown in the user's language and stored as its label.
        QCOMPARE(slideshow.findChild<QLineEdit *>(id::slideInterval)->text(),
                 english() ? QStringLiteral("5 minutes") : text::Slide5Min);
        auto *intervals = slideshow.findChild<QListWidget *>(id::slideIntervals);
        Q_EMIT intervals->itemClicked(intervals->item(9));
        Settings applied;
        slideshow.applyFields(applied);
        QCOMPARE(applied.slideInterval, text::Slide2Hours);
    }

    // The help page the menu opens is there, in the user's language.
    void helpPage()
    {
        const QString page = qEnvironmentVariable("DIALVANE_BUILD_DIR") + QLatin1Char('/') + text::HelpPage;
        QFile f(page);
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(page));
        QCOMPARE(f.readAll().contains("<html lang=\"ja\">"), !english());
    }
};

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
