// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/Language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>

namespace dv {

namespace {
const QString kJapanese = QStringLiteral("ja");
const QString kEnglish = QStringLiteral("en");
// Where the build puts the translations, inside the program.
const QString kOwnFolder = QStringLiteral(":/i18n");
} // namespace

QString chooseLanguage(const QLocale &locale, const QStringList &translated)
{
    // As with gettext, a C locale keeps the program's own language whatever
    // LANGUAGE asks for.
    if (locale.language() == QLocale::C)
        return kJapanese;
    for (QString name : locale.uiLanguages()) {
        name.replace(QLatin1Char('-'), QLatin1Char('_'));
        for (const QString &candidate : {name, name.section(QLatin1Char('_'), 0, 0)}) {
            if (candidate == kJapanese || candidate == QLatin1String("C"))
                return kJapanese;
            if (translated.contains(candidate))
                return candidate;
        }
    }
    return translated.contains(kEnglish) ? kEnglish : kJapanese;
}

QStringList translatedLanguages()
{
    // Picked by hand: a name filter is a pattern, and patterns bring in the
    // regular-expression engine, half a megabyte resident, at every start.
    const QLatin1String prefix("dialvane_"), suffix(".qm");
    QStringList names;
    for (const QString &file : QDir(kOwnFolder).entryList(QDir::Files))
        if (file.size() > prefix.size() + suffix.size() && file.startsWith(prefix) && file.endsWith(suffix))
            names << file.mid(prefix.size()).chopped(suffix.size());
    return names;
}

Translations::Translations(const QLocale &locale)
    : m_language(chooseLanguage(locale, translatedLanguages()))
{
    if (m_language != kJapanese && m_own.load(kOwnFolder + QStringLiteral("/dialvane_") + m_language))
        QCoreApplication::installTranslator(&m_own);
    // Qt's own texts (はい / いいえ, the choosers) where its translations are installed.
    if (m_qt.load(QStringLiteral("qtbase_") + m_language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_qt);
}

Translations::~Translations()
{
    QCoreApplication::removeTranslator(&m_qt);
    QCoreApplication::removeTranslator(&m_own);
}

} // namespace dv
