// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings store on disk.

#include "platform/Platform.h"
#include "settings/Settings.h"

#include <QByteArray>

#include <utility>

class QSettings;

namespace dv {

// QSettings in the native per-user format: on Linux the INI file
// $XDG_CONFIG_HOME/<organisation>/<application>.conf (resources/Product.h),
// keys in its General group.
class QSettingsStore final : public SettingsStore {
public:
    std::optional<QString> read(const QString &key) const override;
    // Never over anything but a store: what holds no settings is set aside
    // first, a damaged store copied first, an unreadable one left alone.
    bool writeAll(const QList<QPair<QString, QString>> &values) override;
    RemoveResult removeAll() override;
    QString location() const override;
    // A symbolic link counts as the store it leads to when that is a regular
    // file that reads as a store; a link to anything else holds no settings.
    Condition condition() const override;
    // Renames what holds no settings (a link: the link itself, never what it
    // leads to) beside the store: DIALVANE.conf.unreadable, then
    // .unreadable.1 ...; copies a damaged store there instead. A FIFO, a
    // device or a folder in its place is not ours to move.
    std::optional<QString> setAside() override;
    // Others' keys are written back escaped, up to four times their size.
    // When a trial of the whole store comes out over kStoreLimit, the trial is
    // kept whole beside the store (named as setAside names) and the store
    // keeps the clock's own keys only.
    std::optional<QString> takeMovedAside() override { return std::exchange(m_movedAside, std::nullopt); }
    // Forty values at their longest (kPathChars and the like, each character
    // written as an escape at worst) stay well inside this.
    static constexpr qint64 kStoreLimit = qint64{256} * 1024;

private:
    bool keepWithinLimit(QSettings &qs, const QList<QPair<QString, QString>> &values);
    std::optional<QString> m_movedAside;
    // The file's identity when `m_condition` was found; read() asks forty times.
    mutable QByteArray m_seen;
    mutable Condition m_condition = Condition::Fine;
    bool m_copied = false; // a damaged store has been copied aside
};

} // namespace dv
