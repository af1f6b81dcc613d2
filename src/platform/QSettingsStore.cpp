// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QSettingsStore.h"

#include "resources/Product.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dv {

// Where QSettings keeps the file, worked out without opening it.
static QString confPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/%1/%2.conf").arg(QLatin1String(kOrganization), QLatin1String(kApplication));
}

// Anything at all at `path`, a dangling link included.
static bool taken(const QString &path)
{
    struct stat st { };
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

// QSettings waits for its lock file without a bound: a folder in its place, or
// a fresh lock of another machine (a synced config folder), would hold the
// clock's thread for good or for half a minute. Asked first without waiting; a
// stale lock of this machine is cleared here as QSettings would clear it.
static bool lockFree()
{
    QLockFile lock(confPath() + QStringLiteral(".lock"));
    return lock.tryLock(0) || lock.error() != QLockFile::LockFailedError;
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
    // A byte more than the size says: a pseudo-file (/proc/self/environ) says 0
    // and holds text, that is no store of ours and no save can replace.
    QByteArray bytes(int(st.st_size) + 1, Qt::Uninitialized);
    qint64 got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n <= 0)
            break;
        got += n;
    }
    ::close(fd);
    bytes.truncate(got);
    m_condition = got > st.st_size ? Condition::NotAStore : judge(bytes);
    m_seen = seen;
    return m_condition;
}

std::optional<QString> QSettingsStore::read(const QString &key) const
{
    if (!readable())
        return std::nullopt;
    QSettings qs(QSettings::NativeFormat, QSettings::UserScope, QLatin1String(kOrganization),
                 QLatin1String(kApplication));
    const QVariant v = qs.value(key);
    if (!v.isValid())
        return std::nullopt;
    // A hand-edited value with an unquoted comma reads back as a list.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QLatin1Char(','));
    return v.toString();
}

// The first free name beside the store for what is kept aside.
static std::optional<QString> asideName()
{
    QString aside = confPath() + QStringLiteral(".unreadable");
    for (int n = 1; taken(aside) && n < 100; ++n)
        aside = confPath() + QStringLiteral(".unreadable.%1").arg(n);
    if (taken(aside))
        return std::nullopt;
    return aside;
}

std::optional<QString> QSettingsStore::setAside()
{
    const Condition c = condition();
    if (c != Condition::NotAStore && c != Condition::Damaged)
        return std::nullopt;
    const std::optional<QString> free = asideName();
    if (!free)
        return std::nullopt;
    const QString &aside = *free;
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

bool QSettingsStore::keepWithinLimit(QSettings &qs, const QList<QPair<QString, QString>> &values)
{
    QStringList others = qs.allKeys();
    others.removeIf([](const QString &key) {
        const auto &fields = settingFields();
        return std::any_of(fields.begin(), fields.end(),
                           [&key](const SettingField &f) { return key == QLatin1String(f.key); });
    });
    if (others.isEmpty())
        return true; // the clock's own keys at their longest stay well inside
    QTemporaryFile file(confPath() + QStringLiteral(".XXXXXX"));
    file.setAutoRemove(false);
    if (!file.open())
        return false;
    const QString trialPath = file.fileName();
    file.close();
    qint64 size = 0;
    {
        QSettings trial(trialPath, QSettings::IniFormat);
        for (const QString &key : qs.allKeys())
            trial.setValue(key, qs.value(key));
        for (const auto &[key, text] : values)
            trial.setValue(key, text);
        trial.sync();
        size = trial.status() == QSettings::NoError ? QFileInfo(trialPath).size() : -1;
    }
    if (size >= 0 && size <= kStoreLimit) {
        QFile::remove(trialPath);
        return true;
    }
    // The trial, the whole store as it would be, reads back as it was written.
    const std::optional<QString> aside = asideName();
    if (size < 0 || !aside
        || ::rename(QFile::encodeName(trialPath).constData(), QFile::encodeName(*aside).constData()) != 0) {
        QFile::remove(trialPath);
        return false;
    }
    for (const QString &key : others)
        qs.remove(key);
    m_movedAside = aside;
    return true;
}

bool QSettingsStore::writeAll(const QList<QPair<QString, QString>> &values)
{
    // What holds no settings, or could not be read, is the user's still.
    const Condition c = condition();
    if (c != Condition::Fine && !(c == Condition::Damaged && m_copied))
        return false;
    QSettings qs(QSettings::NativeFormat, QSettings::UserScope, QLatin1String(kOrganization),
                 QLatin1String(kApplication));
    if (!qs.isWritable() || !lockFree() || !keepWithinLimit(qs, values))
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
    QSettings qs(QSettings::NativeFormat, QSettings::UserScope, QLatin1String(kOrganization),
                 QLatin1String(kApplication));
    if (qs.allKeys().isEmpty())
        return RemoveResult::NothingStored;
    if (!lockFree())
        return RemoveResult::Failed;
    qs.clear();
    qs.sync();
    return qs.status() == QSettings::NoError ? RemoveResult::Removed : RemoveResult::Failed;
}

QString QSettingsStore::location() const
{
    return confPath();
}

} // namespace dv
