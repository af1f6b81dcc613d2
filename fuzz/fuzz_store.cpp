// SPDX-License-Identifier: GPL-3.0-or-later
// The store's texts: whatever a hand-edited file holds loads, and what the
// clock then saves loads back to the very same settings.
#include "settings/Parameters.h"

#include <QMap>

#include <cstdlib>

namespace {
class MapStore final : public dv::SettingsStore {
public:
    QMap<QString, QString> values;
    std::optional<QString> read(const QString &key) const override
    {
        return values.contains(key) ? std::optional<QString>(values.value(key)) : std::nullopt;
    }
    bool writeAll(const QList<QPair<QString, QString>> &v) override
    {
        values.clear();
        for (const auto &[k, t] : v)
            values[k] = t;
        return true;
    }
    RemoveResult removeAll() override { return RemoveResult::Removed; }
    QString location() const override { return {}; }
    Condition condition() const override { return Condition::Fine; }
    std::optional<QString> setAside() override { return std::nullopt; }
    std::optional<QString> takeMovedAside() override { return std::nullopt; }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    MapStore store;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq > 0)
            store.values[line.left(eq)] = line.mid(eq + 1);
    }
    dv::Parameters first(store, QStringLiteral("/app"));
    first.load();
    if (!first.save())
        std::abort();
    dv::Parameters second(store, QStringLiteral("/app"));
    second.load();
    if (!(second.working() == first.working()))
        std::abort();
    return 0;
}
