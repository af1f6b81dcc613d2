// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QSettingsStore.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace dv {

static const char *const kOrg = "MOKU";
static const char *const kApp = "DIALVANE";

// Where QSettings keeps the file, worked out without opening it.
static QString confPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/MOKU/DIALVANE.conf");
}

bool QSettingsStore::readable() const
{
    // Absent is fine (the defaults); anything but a regular file of sane size is not.
    const QFileInfo fi(confPath());
    return !fi.exists() || (fi.isFile() && fi.size() <= kStoreLimit);
}

std::optional<QString> QSettingsStore::read(const QString &key) const
{
    if (!readable())
        return std::nullopt;
    QSettings qs(QSettings::NativeFormat, QSettings::UserScope, kOrg, kApp);
    const QVariant v = qs.value(key);
    if (!v.isValid())
        return std::nullopt;
    // A hand-edited value with an unquoted comma reads back as a list.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QLatin1Char(','));
    return v.toString();
}

std::optional<QString> QSettingsStore::setAside()
{
    const QFileInfo fi(confPath());
    if (readable() || !fi.isFile())
        return std::nullopt;
    QString aside = confPath() + QStringLiteral(".unreadable");
    for (int n = 1; QFileInfo::exists(aside) && n < 100; ++n)
        aside = confPath() + QStringLiteral(".unreadable.%1").arg(n);
    if (!QFile::rename(confPath(), aside))
        return std::nullopt;
    return aside;
}

bool QSettingsStore::writeAll(const QList<QPair<QString, QString>> &values)
{
    // What could not be read is the user's still: it is set aside, not replaced.
    if (!readable())
        return false;
    QSettings qs(QSettings::NativeFormat, QSettings::UserScope, kOrg, kApp);
    if (!qs.isWritable())
        return false;
    for (const auto &[key, text] : values)
        qs.setValue(key, text);
    qs.sync(); // QSettings writes through a temporary file and renames it
    return qs.status() == QSettings::NoError;
}

SettingsStore::RemoveResult QSettingsStore::removeAll()
{
    const QFileInfo fi(confPath());
    if (fi.exists() && !fi.isFile())
        return RemoveResult::Failed;
    QSettings qs(QSettings::NativeFormat, QSettings::UserScope, kOrg, kApp);
    if (qs.allKeys().isEmpty())
        return RemoveResult::NothingStored;
    qs.clear();
    qs.sync();
    return qs.status() == QSettings::NoError ? RemoveResult::Removed : RemoveResult::Failed;
}

QString QSettingsStore::location() const
{
    return confPath();
}

} // namespace dv
