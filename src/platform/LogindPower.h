// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Power-off through logind on the system bus, word of a suspend and a resume
// from it, and its locks that hold a suspend back.

#include "platform/Platform.h"

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
    bool sleepHeldOff() const { return m_sleepLockFd >= 0; }
    // logind's delay lock on sleep: taken (asynchronously) or let go.
    void holdSleepDelay(bool on) override;
    bool holdsSleepDelay() const { return m_delayFd >= 0; }

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

private:
    void answer(bool ok, const QString &error);
    void powerOff();
    void sleepLockAnswered(int fd);
    void askSleepDelay();
    void dropSleepDelay();

    int m_sleepLockFd = -1;         // logind holds off sleep while it is open
    bool m_sleepLockWanted = false; // an alarm rings
    bool m_sleepLockAsking = false; // asked, no answer yet
    int m_delayFd = -1;             // the delay lock, while held
    bool m_delayWanted = false;     // held, or to be held when logind answers
    bool m_delayAsked = false;      // an Inhibit call is on its way
};

} // namespace dv
