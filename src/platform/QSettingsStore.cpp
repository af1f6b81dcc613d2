// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QSettingsStore.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dv {

static constexpr QLatin1String kOrg("MOKU");
static constexpr QLatin1String kApp("DIALVANE");

// Where QSettings keeps the file, worked out without opening it.
static QString confPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/MOKU/DIALVANE.conf");
}

// Anything at all at `path`, a dangling link included.
static bool taken(const QString &path)
{
    struct stat st { };
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

// Whether the text holds settings: one of our keys at least, or nothing at all.
static SettingsStore::Condition judge(const QByteArray &bytes)
{
    using C = SettingsStore::Condition;
    QSettings qs(confPath(), QSettings::IniFormat);
    bool ours = false;
    for (const SettingField &f : settingFields())
        ours = ours || qs.contains(QLatin1String(f.key));
    if (qs.status() == QSettings::NoError && (ours || bytes.trimmed().isEmpty()))
        return C::Fine;
    // A line the user broke by hand costs that line, not every setting.
    return ours ? C::Damaged : C::NotAStore;
}

SettingsStore::Condition QSettingsStore::condition() const
{
    const QByteArray path = QFile::encodeName(confPath());
    struct stat ls {
    }, st{};
    if (::lstat(path.constData(), &ls) != 0)
        return errno == ENOENT || errno == ENOTDIR ? Condition::Fine : Condition::NoPermission;
    const bool link = S_ISLNK(ls.st_mode);
    if (!link)
        st = ls;
    else if (::stat(path.constData(), &st) != 0)
        return errno == EACCES ? Condition::NoPermission : Condition::NotAStore; // dangling, or a loop
    if (!S_ISREG(st.st_mode))
        return link ? Condition::NotAStore : Condition::NotAFile;
    if (st.st_size > kStoreLimit)
        return Condition::NotAStore;

    QByteArray seen;
    for (const auto v : {qint64(link), qint64(ls.st_ino), qint64(st.st_dev), qint64(st.st_ino), qint64(st.st_size),
                         qint64(st.st_mtim.tv_sec), qint64(st.st_mtim.tv_nsec), qint64(st.st_ctim.tv_nsec)})
        seen.append(reinterpret_cast<const char *>(&v), sizeof v);
    if (seen == m_seen)
        return m_condition;

    // Opened as the user: a file of another user, or one made unreadable, is not ours to read.
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return Condition::NoPermission;
    QByteArray bytes(int(st.st_size), Qt::Uninitialized);
    qint64 got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n <= 0)
            break;
        got += n;
    }
    ::close(fd);
    bytes.truncate(got);
    m_condition = judge(bytes);
    m_seen = seen;
    return m_condition;
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
    const Condition c = condition();
    if (c != Condition::NotAStore && c != Condition::Damaged)
        return std::nullopt;
    QString aside = confPath() + QStringLiteral(".unreadable");
    for (int n = 1; taken(aside) && n < 100; ++n)
        aside = confPath() + QStringLiteral(".unreadable.%1").arg(n);
    if (taken(aside))
        return std::nullopt;
    if (c == Condition::Damaged) {
        // Read as far as it goes; the copy keeps the lines the next save drops.
        if (!QFile::copy(confPath(), aside))
            return std::nullopt;
        m_copied = true;
        return aside;
    }
    // The link itself when it is one: what it leads to stays untouched.
    if (::rename(QFile::encodeName(confPath()).constData(), QFile::encodeName(aside).constData()) != 0)
        return std::nullopt;
    return aside;
}

bool QSettingsStore::writeAll(const QList<QPair<QString, QString>> &values)
{
    // What holds no settings, or could not be read, is the user's still.
    const Condition c = condition();
    if (c != Condition::Fine && !(c == Condition::Damaged && m_copied))
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
    switch (condition()) {
    case Condition::NotAStore: return RemoveResult::NothingStored; // start-up sets it aside
    case Condition::NotAFile:
    case Condition::NoPermission: return RemoveResult::Failed;
    case Condition::Fine:
    case Condition::Damaged: break;
    }
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
