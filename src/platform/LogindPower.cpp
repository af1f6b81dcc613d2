// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LogindPower.h"

#include "resources/Texts.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>
#include <QMetaObject>

#include <fcntl.h>
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
    if (m_sleepLockFd >= 0)
        ::close(m_sleepLockFd);
    dropSleepDelay();
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
    m_delayWanted = on;
    if (on)
        askSleepDelay();
    else
        dropSleepDelay();
}

void LogindPower::askSleepDelay()
{
    if (m_delayFd >= 0 || m_delayAsked)
        return;
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return; // no logind: nothing holds a suspend back, nor needs to
    auto msg = QDBusMessage::createMethodCall(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                                              QString::fromLatin1(kManager), QStringLiteral("Inhibit"));
    msg << QStringLiteral("sleep") << QStringLiteral("Dialvane") << text::SleepDelayReason.toString()
        << QStringLiteral("delay");
    m_delayAsked = true;
    auto *w = new QDBusPendingCallWatcher(bus.asyncCall(msg), this);
    connect(w, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *call) {
        call->deleteLater();
        m_delayAsked = false;
        const QDBusPendingReply<QDBusUnixFileDescriptor> r = *call;
        // Refused, or let go meanwhile: the copy in the reply closes with it.
        if (r.isError() || !m_delayWanted || !r.value().isValid())
            return;
        // Our own copy, kept from the sound player and whatever else starts.
        m_delayFd = ::fcntl(r.value().fileDescriptor(), F_DUPFD_CLOEXEC, 0);
    });
}

void LogindPower::dropSleepDelay()
{
    // Closing the lock's descriptor is what lets the suspend go on.
    if (m_delayFd >= 0)
        ::close(m_delayFd);
    m_delayFd = -1;
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

namespace dv {

void LogindPower::holdOffSleep(bool hold)
{
    m_sleepLockWanted = hold;
    if (!hold) {
        if (m_sleepLockFd >= 0)
            ::close(m_sleepLockFd);
        m_sleepLockFd = -1;
        return;
    }
    if (m_sleepLockFd >= 0 || m_sleepLockAsking)
        return; // held, or on its way: the answer sees whether it is still wanted
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return; // no logind to ask: the alarm rings all the same
    auto msg = QDBusMessage::createMethodCall(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                                              QString::fromLatin1(kManager), QStringLiteral("Inhibit"));
    msg << QStringLiteral("sleep:idle") << QStringLiteral("Dialvane") << text::SleepHeldOff.toString()
        << QStringLiteral("block");
    m_sleepLockAsking = true;
    auto *w = new QDBusPendingCallWatcher(bus.asyncCall(msg), this);
    connect(w, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *call) {
        call->deleteLater();
        QDBusPendingReply<QDBusUnixFileDescriptor> r = *call;
        // Taken from the reply: no copy of it may keep the lock once let go.
        QDBusUnixFileDescriptor fd = r.isError() ? QDBusUnixFileDescriptor() : r.value();
        sleepLockAnswered(fd.isValid() ? fd.takeFileDescriptor() : -1);
    });
}

void LogindPower::sleepLockAnswered(int fd)
{
    m_sleepLockAsking = false;
    if (fd < 0)
        return; // refused or no logind: the alarm rings all the same
    if (!m_sleepLockWanted) {
        ::close(fd); // the ring ended before the answer came
        return;
    }
    if (m_sleepLockFd >= 0)
        ::close(m_sleepLockFd);
    m_sleepLockFd = fd;
}

} // namespace dv
