// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The local time for each second without the C library looking at the zone
// file each time: it would stat /etc/localtime at every reading. The file is
// looked at once a minute instead, and read again when it changed; the
// zone's own changes (summer time) need no look, its rules being loaded.

#include <QByteArray>
#include <QDateTime>

#include <limits>

namespace dv {

class LocalZone {
public:
    // `zoneFile` is the system's zone. A TZ the user set is left as it is:
    // the C library reads no file again for it anyway.
    explicit LocalZone(const QByteArray &zoneFile = QByteArrayLiteral("/etc/localtime"));
    LocalZone(const LocalZone &) = delete;
    LocalZone &operator=(const LocalZone &) = delete;
    ~LocalZone() = default;

    QDateTime at(qint64 msecsSinceEpoch);

private:
    struct FileId {
        qint64 dev = -1, ino = -1, size = -1, mtimeNs = -1;
        bool operator==(const FileId &) const = default;
    };
    static FileId idOf(const QByteArray &file);
    void reread();

    QByteArray m_file;
    bool m_kept = false;                                  // TZ names the file: it is read only when told
    qint64 m_minute = std::numeric_limits<qint64>::min(); // the minute the file was last looked at
    FileId m_seen;
};

} // namespace dv
