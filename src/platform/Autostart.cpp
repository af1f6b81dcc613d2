// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace dv {

namespace {
// The desktop entry as the install puts it, should none be found beside the program.
const char *const kEntry = "[Desktop Entry]\n"
                           "Type=Application\n"
                           "Name=Dialvane\n"
                           "Comment=Round analog desktop clock\n"
                           "Exec=dialvane\n"
                           "Icon=dialvane\n"
                           "Terminal=false\n"
                           "Categories=Utility;Clock;\n";

// A path as one argument of a desktop entry's Exec line.
QString quotedArgument(const QString &path)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`=%");
    if (std::none_of(path.begin(), path.end(), [](QChar c) { return reserved.contains(c); }))
        return path;
    QString q;
    for (const QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            q += QLatin1Char('\\');
        q += c;
    }
    // A literal percent sign is doubled, inside quotes too.
    q.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return QLatin1Char('"') + q + QLatin1Char('"');
}
} // namespace

QString autostartPath()
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    // A relative XDG_CONFIG_HOME is no place to write to: only an absolute path counts.
    if (config.isEmpty() || QDir::isRelativePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/autostart/dialvane.desktop");
}

bool autostartOn()
{
    return QFileInfo(autostartPath()).isFile();
}

QString autostartEntry(const QString &entry, const QString &program)
{
    QStringList lines = entry.split(QLatin1Char('\n'));
    bool inMain = false;
    for (QString &line : lines) {
        if (line.startsWith(QLatin1Char('[')))
            inMain = line.trimmed() == QStringLiteral("[Desktop Entry]");
        else if (inMain && line.startsWith(QStringLiteral("Exec=")))
            line = QStringLiteral("Exec=") + quotedArgument(program);
    }
    return lines.join(QLatin1Char('\n'));
}

bool setAutostart(bool on, const QString &appDir, const QString &program)
{
    const QString path = autostartPath();
    if (!on)
        return !QFileInfo::exists(path) || QFile::remove(path);
    // Installed: <prefix>/lib[/<arch>]/dialvane with the entry in <prefix>/share;
    // built: beside the program.
    QString entry = QString::fromLatin1(kEntry);
    for (const QString &candidate : {appDir + QStringLiteral("/../../share/applications/dialvane.desktop"),
                                     appDir + QStringLiteral("/../../../share/applications/dialvane.desktop"),
                                     appDir + QStringLiteral("/dialvane.desktop")}) {
        QFile f(candidate);
        if (QFileInfo(candidate).isFile() && f.open(QIODevice::ReadOnly)) {
            entry = QString::fromUtf8(f.readAll());
            break;
        }
    }
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(autostartEntry(entry, program).toUtf8());
    return out.commit();
}

} // namespace dv
