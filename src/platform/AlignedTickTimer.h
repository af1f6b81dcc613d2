// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Platform.h"

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

namespace dv {

// Fires at the very start of each wall-clock second (and quarter, when asked):
// a timer on the real-time clock itself, which also fires at once when the
// system's time is set.
class AlignedTickTimer final : public QObject, public TickTimer {
    Q_OBJECT
public:
    explicit AlignedTickTimer(QObject *parent = nullptr);
    ~AlignedTickTimer() override;
    void setEnabled(bool on) override;
    bool isEnabled() const override { return m_enabled; }
    void setQuarters(bool on) override;
    void tickSoon() override;
signals:
    void tick();

private:
    void arm();
    void expired();
    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
    QTimer m_fallback; // where there is no such timer
    QTimer m_soon;
    bool m_enabled = false;
    bool m_quarters = false;
};

} // namespace dv
