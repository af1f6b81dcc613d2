// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LogindPower.h"

#include "resources/Texts.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>
#include <QMetaObject>

#include <unistd.h>

namespace dv {

static const char *const kService = "org.freedesktop.login1";
static const char *const kPath = "/org/freedesktop/login1";
static const char *const kManager = "org.freedesktop.login1.Manager";

LogindPower::LogindPower(QObject *parent)
    : QObject(parent)
{
    // A resume is heard of at once where logind says so; elsewhere the clock's
    // own look at the wall clock finds it at the next tick.
    QDBusConnection bus = QDBusConnection::systemBus();
    if (bus.isConnected())
        bus.connect(QString::fromLatin1(kService), QString::fromLatin1(kPath), QString::fromLatin1(kManager),
                    QStringLiteral("PrepareForSleep"), this, SLOT(onPrepareForSleep(bool)));
}

LogindPower::~LogindPower()
{
    for (const InhibitLock *lock : {&m_block, &m_delay})
        if (lock->fd >= 0)
            ::close(lock->fd);
}

void LogindPower::onPrepareForSleep(bool sleeping)
{
    if (sleeping)
        emit goingToSleep();
    else
        emit resumed();
}

void LogindPower::holdSleepDelay(bool on)
{
    hold(m_delay, on, QStringLiteral("sleep"), text::SleepDelayReason.toString(), QStringLiteral("delay"));
}

void LogindPower::holdOffSleep(bool on)
{
    hold(m_block, on, QStringLiteral("sleep:idle"), text::SleepHeldOff.toString(), QStringLiteral("block"));
}

void LogindPower::hold(InhibitLock &lock, bool on, const QString &what, const QString &why, const QString &mode)
{
    lock.wanted = on;
    if (!on) {
        // Closing the lock's descriptor is what lets a sleep go on.
        if (lock.fd >= 0)
            ::close(lock.fd);
        lock.fd = -1;
        return;
    }
    if (lock.fd >= 0 || lock.asking)
        return; // held, or on its way: the answer sees whether it is still wanted
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return; // no logind: nothing holds a sleep back, nor needs to
    auto msg = QDBusMessage::createMethodCall(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                                              QString::fromLatin1(kManager), QStringLiteral("Inhibit"));
    msg << what << QStringLiteral("Dialvane") << why << mode;
    lock.asking = true;
    // Answered straight to a slot, not through a watcher: the reply carries a
    // copy of the lock's descriptor for as long as it lives. A watcher let go
    // with deleteLater() from a start-up yield lives (and keeps that copy)
    // until the event loop ends, and the lock outlasts every suspend.
    const bool isDelay = &lock == &m_delay;
    if (!bus.callWithCallback(msg, this,
                              isDelay ? SLOT(delayAnswered(QDBusMessage)) : SLOT(blockAnswered(QDBusMessage)),
                              isDelay ? SLOT(delayRefused()) : SLOT(blockRefused())))
        lock.asking = false;
}

void LogindPower::taken(InhibitLock &lock, const QDBusMessage &reply)
{
    lock.asking = false;
    // Taken out of the reply, close-on-exec: the reply's own copy goes with
    // it as soon as this returns, and the sound player never holds the lock.
    QDBusUnixFileDescriptor given = reply.arguments().value(0).value<QDBusUnixFileDescriptor>();
    const int fd = given.isValid() ? given.takeFileDescriptor() : -1;
    if (fd < 0)
        return; // refused or no logind: the clock goes on all the same
    if (!lock.wanted)
        ::close(fd); // let go before the answer came
    else
        lock.fd = fd;
}

void LogindPower::answer(bool ok, const QString &error)
{
    // Always from the event loop: the caller may not be back in it yet.
    QMetaObject::invokeMethod(
        this, [this, ok, error] { emit done(ok, error); }, Qt::QueuedConnection);
}

void LogindPower::requestPowerOff()
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        answer(false, text::PowerNoBus + QLatin1Char('\n') + bus.lastError().message());
        return;
    }
    // Plain messages: QDBusInterface would block while it introspects.
    auto msg = QDBusMessage::createMethodCall(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                                              QString::fromLatin1(kManager), QStringLiteral("CanPowerOff"));
    auto *w = new QDBusPendingCallWatcher(bus.asyncCall(msg), this);
    connect(w, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *call) {
        call->deleteLater();
        QDBusPendingReply<QString> r = *call;
        if (r.isError()) {
            answer(false, text::PowerNoAnswer + QLatin1Char('\n') + r.error().message());
            return;
        }
        const QString can = r.value();
        if (can == QLatin1String("yes") || can == QLatin1String("challenge"))
            powerOff();
        else
            answer(false, text::PowerRefused + QStringLiteral(" (CanPowerOff: ") + can + QLatin1Char(')'));
    });
}

void LogindPower::powerOff()
{
    auto msg = QDBusMessage::createMethodCall(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                                              QString::fromLatin1(kManager), QStringLiteral("PowerOff"));
    msg << true; // interactive: polkit may ask
    auto *w = new QDBusPendingCallWatcher(QDBusConnection::systemBus().asyncCall(msg, kPowerOffTimeoutMs), this);
    connect(w, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *call) {
        call->deleteLater();
        const QDBusPendingReply<> r = *call;
        if (r.isError())
            answer(false, text::PowerRefused + QLatin1Char('\n') + r.error().message());
        else
            answer(true, QString());
    });
}

} // namespace dv
