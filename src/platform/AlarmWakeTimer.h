// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wake timer of a Linux kernel: a timerfd on the clock that runs on
// through a suspend and brings the machine back at its instant, where the
// process holds CAP_WAKE_ALARM and the machine has a clock that can wake it.

#include "platform/Platform.h"

#include <QObject>

class QSocketNotifier;

namespace dv {

class AlarmWakeTimer final : public QObject, public WakeTimer {
    Q_OBJECT
public:
    explicit AlarmWakeTimer(QObject *parent = nullptr);
    ~AlarmWakeTimer() override;
    AlarmWakeTimer(const AlarmWakeTimer &) = delete;
    AlarmWakeTimer &operator=(const AlarmWakeTimer &) = delete;

    Availability availability() const override { return m_availability; }
    bool arm(const QDateTime &at) override;
    void disarm() override;

    // Why a timer cannot be had, from the errno of its creation.
    static Availability availabilityFor(int error);

signals:
    void fired();    // the armed instant came
    void clockSet(); // the wall clock was set: the instant armed may be wrong

private:
    void onReadable();

    int m_fd = -1;
    Availability m_availability = Availability::NoWakeClock;
    QSocketNotifier *m_notifier = nullptr;
    bool m_told = false; // the user has been told once why it cannot arm
};

} // namespace dv
