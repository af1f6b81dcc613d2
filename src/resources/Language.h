// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The language the clock speaks, chosen once at start-up from the user's locale.

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTranslator>

namespace dv {

// Japanese, the program's own language, under a Japanese locale and under C or
// POSIX; otherwise the first of the user's languages that has a translation
// (`translated`, names as in "en" or "pt_BR"), and English when none has.
QString chooseLanguage(const QLocale &locale, const QStringList &translated);

// The languages the program carries a translation for.
QStringList translatedLanguages();

// Installs the program's translation and Qt's own (its buttons and choosers)
// for the user's language, for as long as it lives. Made before any widget.
class Translations {
public:
    explicit Translations(const QLocale &locale = QLocale::system());
    ~Translations();
    Translations(const Translations &) = delete;
    Translations &operator=(const Translations &) = delete;
    const QString &language() const { return m_language; }

private:
    QString m_language;
    QTranslator m_own;
    QTranslator m_qt;
};

} // namespace dv
