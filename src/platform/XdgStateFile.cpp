// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/XdgStateFile.h"

#include "resources/Product.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace dv {

XdgStateFile::XdgStateFile()
{
    // A relative XDG_STATE_HOME is to be ignored, as the base directory rules say.
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    m_path = base + QStringLiteral("/%1/%2.state").arg(QLatin1String(kOrganization), QLatin1String(kApplication));
}

std::optional<QByteArray> XdgStateFile::read(QString &problem) const
{
    const QFileInfo info(m_path);
    if (!info.exists() && !info.isSymLink())
        return std::nullopt;
    // A FIFO or a device would block the start, or never end.
    if (!info.isFile()) {
        problem = QStringLiteral("not a file");
        return std::nullopt;
    }
    if (info.size() > kLimit) {
        problem = QStringLiteral("larger than %1 bytes").arg(kLimit);
        return std::nullopt;
    }
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly)) {
        problem = f.errorString();
        return std::nullopt;
    }
    return f.read(kLimit + 1);
}

bool XdgStateFile::write(const QByteArray &text)
{
    QDir().mkpath(QFileInfo(m_path).path());
    QSaveFile f(m_path);
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size() && f.commit();
}

void XdgStateFile::remove()
{
    QFile::remove(m_path);
}

} // namespace dv
