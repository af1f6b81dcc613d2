// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Power-off through logind on the system bus, word of a suspend and a resume
// from it, and its locks that hold a suspend back.

#include "platform/Platform.h"

#include <QDBusMessage>
#include <QObject>

namespace dv {

class LogindPower final : public QObject, public PowerControl {
    Q_OBJECT
public:
    explicit LogindPower(QObject *parent = nullptr);
    ~LogindPower() override;
    LogindPower(const LogindPower &) = delete;
    LogindPower &operator=(const LogindPower &) = delete;
    void requestPowerOff() override;
    // A block lock on sleep and idle from logind while held; asked for
    // without waiting, let go by closing its descriptor.
    void holdOffSleep(bool hold) override;
    bool sleepHeldOff() const { return m_block.fd >= 0; }
    // logind's delay lock on sleep: taken (asynchronously) or let go.
    void holdSleepDelay(bool on) override;
    bool holdsSleepDelay() const { return m_delay.fd >= 0; }

    // PowerOff waits while polkit may ask the user; D-Bus's 25 s would give up.
    static constexpr int kPowerOffTimeoutMs = 10 * 60 * 1000;

signals:
    // The answer to requestPowerOff(); ok false: `error` says why, in plain words.
    void done(bool ok, const QString &error);
    void resumed(); // the machine has woken from a suspend
    // It is about to sleep; a delay lock holds it until let go.
    void goingToSleep();

private slots:
    void onPrepareForSleep(bool sleeping);
    // logind's answers to the Inhibit calls, one pair for each lock.
    void blockAnswered(const QDBusMessage &reply) { taken(m_block, reply); }
    void blockRefused() { taken(m_block, QDBusMessage()); }
    void delayAnswered(const QDBusMessage &reply) { taken(m_delay, reply); }
    void delayRefused() { taken(m_delay, QDBusMessage()); }

private:
    void answer(bool ok, const QString &error);
    void powerOff();

    // One of logind's locks on sleep: held while its descriptor is open.
    struct InhibitLock {
        int fd = -1;
        bool wanted = false; // held, or to be held when logind answers
        bool asking = false; // an Inhibit call is on its way
    };
    void hold(InhibitLock &lock, bool on, const QString &what, const QString &why, const QString &mode);
    void taken(InhibitLock &lock, const QDBusMessage &reply);

    InhibitLock m_block; // no sleep while an alarm rings
    InhibitLock m_delay; // a suspend waits until the wake-up is armed
};

} // namespace dv
