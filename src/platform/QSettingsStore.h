// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings store on disk.

#include "settings/Settings.h"

namespace dv {

// QSettings in the native per-user format: on Linux the INI file
// $XDG_CONFIG_HOME/MOKU/DIALVANE.conf, keys in its General group.
class QSettingsStore final : public SettingsStore {
public:
    std::optional<QString> read(const QString &key) const override;
    // Never over a store that could not be read: that one is set aside first.
    bool writeAll(const QList<QPair<QString, QString>> &values) override;
    RemoveResult removeAll() override;
    QString location() const override;
    bool readable() const override;
    // A regular file too large to be read is renamed beside itself
    // (DIALVANE.conf.unreadable, then .unreadable.1 ...). A FIFO, a device or a
    // folder in its place is not ours to move.
    std::optional<QString> setAside() override;
    // Forty values at their longest (kPathChars and the like, each character
    // written as an escape at worst) stay well inside this.
    static constexpr qint64 kStoreLimit = 256 * 1024;
};

} // namespace dv
