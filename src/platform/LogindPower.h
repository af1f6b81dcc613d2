// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Power-off through logind on the system bus, and word of a resume from it.

#include "platform/Platform.h"

#include <QObject>

namespace dv {

class LogindPower final : public QObject, public PowerControl {
    Q_OBJECT
public:
    explicit LogindPower(QObject *parent = nullptr);
    ~LogindPower() override;
    void requestPowerOff() override;
    // A block lock on sleep and idle from logind while held; asked for
    // without waiting, let go by closing its descriptor.
    void holdOffSleep(bool hold) override;
    bool sleepHeldOff() const { return m_sleepLockFd >= 0; }

    // PowerOff waits while polkit may ask the user; D-Bus's 25 s would give up.
    static constexpr int kPowerOffTimeoutMs = 10 * 60 * 1000;

signals:
    // The answer to requestPowerOff(); ok false: `error` says why, in plain words.
    void done(bool ok, const QString &error);
    void resumed(); // the machine has woken from a suspend

private slots:
    void onPrepareForSleep(bool sleeping);

private:
    void answer(bool ok, const QString &error);
    void powerOff();
    void sleepLockAnswered(int fd);

    int m_sleepLockFd = -1;         // logind holds off sleep while it is open
    bool m_sleepLockWanted = false; // an alarm rings
    bool m_sleepLockAsking = false; // asked, no answer yet
};

} // namespace dv
