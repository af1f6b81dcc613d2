// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The alarms' state between runs: a file of its own under $XDG_STATE_HOME
// (~/.local/state), never inside the settings store.

#include "platform/Platform.h"

namespace dv {

class XdgStateFile final : public StateFile {
public:
    XdgStateFile();
    std::optional<QByteArray> read(QString &problem) const override;
    bool write(const QByteArray &text) override;
    void remove() override;
    QString location() const override { return m_path; }

    // Far more than three alarms and their snoozes can need: anything larger is not ours.
    static constexpr qint64 kLimit = qint64{64} * 1024;

private:
    QString m_path;
};

} // namespace dv
