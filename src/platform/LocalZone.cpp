// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LocalZone.h"

#include <ctime>
#include <sys/stat.h>

namespace dv {

LocalZone::LocalZone(const QByteArray &zoneFile)
    : m_file(zoneFile)
{
    if (qEnvironmentVariableIsSet("TZ"))
        return;
    // With TZ naming the file, the C library reads it once and then only
    // when TZ changes; the same zone as with TZ unset.
    m_kept = true;
    m_seen = idOf(m_file);
    qputenv("TZ", ':' + m_file);
    tzset();
}

LocalZone::FileId LocalZone::idOf(const QByteArray &file)
{
    struct stat st { };
    if (stat(file.constData(), &st) != 0)
        return {};
    return {qint64(st.st_dev), qint64(st.st_ino), qint64(st.st_size),
            qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

void LocalZone::reread()
{
    // TZ set to another zone and back: the library then reads the file anew.
    qputenv("TZ", QByteArrayLiteral("UTC0"));
    tzset();
    qputenv("TZ", ':' + m_file);
    tzset();
}

QDateTime LocalZone::at(qint64 msecsSinceEpoch)
{
    const qint64 minute = msecsSinceEpoch >= 0 ? msecsSinceEpoch / 60000 : (msecsSinceEpoch - 59999) / 60000;
    if (m_kept && minute != m_minute) {
        // Also when the wall clock was set back into another minute.
        m_minute = minute;
        const FileId id = idOf(m_file);
        if (!(id == m_seen)) {
            m_seen = id;
            reread();
        }
    }
    return QDateTime::fromMSecsSinceEpoch(msecsSinceEpoch, Qt::LocalTime);
}

} // namespace dv
