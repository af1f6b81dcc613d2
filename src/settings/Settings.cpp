#include "settings/Settings.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <charconv>
#include <cmath>
#include <limits>

namespace dv {

Settings Settings::defaults(const QString &appDir)
{
    Settings s;
    s.BmpDirectory = appDir;
    s.Jihou00File = appDir + QStringLiteral("/JIHOU.WAV");
    return s;
}

const std::array<SettingField, 40> &settingFields()
{
    using S = Settings;
    static const std::array<SettingField, 40> fields{{
        {"FormTop", &S::FormTop},
        {"FormLeft", &S::FormLeft},
        {"BackImage", &S::BackImage},
        {"DrawSecond", &S::DrawSecond},
        {"TopMost", &S::TopMost},
        {"Jihou", &S::Jihou},
        {"Transparent", &S::Transparent},
        {"ShadowFlag", &S::ShadowFlag},
        {"DrawChar", &S::DrawChar},
        {"SlideBmp", &S::SlideBmp},
        {"BmpDirectory", &S::BmpDirectory},
        {"SlideTime", &S::SlideTime},
        {"OnMouseToHide", &S::OnMouseToHide},
        {"Mag2Flag", &S::Mag2Flag},
        {"DrawFrameFlag", &S::DrawFrameFlag},
        {"ClockSize", &S::ClockSize},
        {"CharPattern", &S::CharPattern},
        {"FormPlace", &S::FormPlace},
        {"SlideGrafix", &S::SlideGrafix},
        {"Jihou00File", &S::Jihou00File},
        {"Jihou30File", &S::Jihou30File},
        {"Jihou30", &S::Jihou30},
        {"HourColor", &S::HourColor},
        {"MinuteColor", &S::MinuteColor},
        {"SecondColor", &S::SecondColor},
        {"CharColor", &S::CharColor},
        {"BoardColor", &S::BoardColor},
        {"FrameColor", &S::FrameColor},
        {"AlarmTime1", &S::AlarmTime1},
        {"AlarmTime2", &S::AlarmTime2},
        {"AlarmTime3", &S::AlarmTime3},
        {"AlarmSound1", &S::AlarmSound1},
        {"AlarmSound2", &S::AlarmSound2},
        {"AlarmSound3", &S::AlarmSound3},
        {"AlarmMessage1", &S::AlarmMessage1},
        {"AlarmMessage2", &S::AlarmMessage2},
        {"AlarmMessage3", &S::AlarmMessage3},
        {"ShutDownTime", &S::ShutDownTime},
        {"MustShutDown", &S::MustShutDown},
        {"OffsetTime", &S::OffsetTime},
    }};
    return fields;
}

QString boolText(StoredBool v)
{
    return v ? QStringLiteral("True") : QStringLiteral("False");
}

QString floatText(float v)
{
    // Shortest text that reads back as the same float: 0, 1.3, -0.45.
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return QString::fromLatin1(buf, int(r.ptr - buf));
}

static std::optional<double> parseNumber(const QString &text)
{
    bool ok = false;
    const double d = text.trimmed().toDouble(&ok); // C locale: the point is always "."
    if (!ok || !std::isfinite(d))
        return std::nullopt;
    return d;
}

std::optional<StoredBool> parseBool(const QString &text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return StoredTrue;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return StoredFalse;
    if (auto d = parseNumber(t))
        return *d != 0.0 ? StoredTrue : StoredFalse;
    return std::nullopt;
}

// Whole numbers may also come as decimals from a hand-edited store; they round
// halves to even, as the clock rounds the twips it stores.
static std::optional<double> parseWhole(const QString &text)
{
    auto d = parseNumber(text);
    if (!d)
        return std::nullopt;
    return std::nearbyint(*d);
}

std::optional<qint32> parseInt32(const QString &text)
{
    auto d = parseWhole(text);
    if (!d || *d < std::numeric_limits<qint32>::min() || *d > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(*d);
}

std::optional<quint8> parseByte(const QString &text)
{
    auto d = parseWhole(text);
    if (!d || *d < 0 || *d > 255)
        return std::nullopt;
    return quint8(*d);
}

std::optional<float> parseFloat(const QString &text)
{
    auto d = parseNumber(text);
    if (!d || std::fabs(*d) > std::numeric_limits<float>::max())
        return std::nullopt;
    return float(*d);
}

QString fieldText(const Settings &s, const SettingField &f)
{
    return std::visit(
        [&s](auto member) -> QString {
            using T = std::remove_cvref_t<decltype(s.*member)>;
            if constexpr (std::is_same_v<T, QString>)
                return s.*member;
            else if constexpr (std::is_same_v<T, StoredBool>)
                return boolText(s.*member);
            else if constexpr (std::is_same_v<T, float>)
                return floatText(s.*member);
            else
                return QString::number(s.*member);
        },
        f.member);
}

bool setFieldFromText(Settings &s, const SettingField &f, const QString &text)
{
    return std::visit(
        [&s, &text](auto member) -> bool {
            using T = std::remove_cvref_t<decltype(s.*member)>;
            std::optional<T> v;
            if constexpr (std::is_same_v<T, QString>)
                v = text;
            else if constexpr (std::is_same_v<T, StoredBool>)
                v = parseBool(text);
            else if constexpr (std::is_same_v<T, float>)
                v = parseFloat(text);
            else if constexpr (std::is_same_v<T, quint8>)
                v = parseByte(text);
            else
                v = parseInt32(text);
            if (!v)
                return false;
            s.*member = *v;
            return true;
        },
        f.member);
}

// ---- QSettings store ----

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

bool QSettingsStore::writeAll(const QList<QPair<QString, QString>> &values)
{
    // A FIFO or a device in its place is not ours to replace. A file too large
    // to be a store is: every value is written anew, and reading it to merge
    // would take seconds.
    const QFileInfo fi(confPath());
    if (fi.exists() && !fi.isFile())
        return false;
    if (!readable() && !QFile::remove(confPath()))
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

bool pathExists(const QString &path, PathKind kind)
{
    if (path.isEmpty() || path.contains(QLatin1Char('*')) || path.contains(QLatin1Char('?')))
        return false;
    const QFileInfo fi(path);
    if (!fi.exists())
        return false;
    // A file is a regular one: a FIFO or a device would block or never end when read.
    return kind == PathKind::Folder ? fi.isDir() : fi.isFile();
}

} // namespace dv
