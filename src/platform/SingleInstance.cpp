// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SingleInstance.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QMetaObject>
#include <QStandardPaths>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dv {

namespace {
const QString kInterface = QStringLiteral("jp.moku.Dialvane");
// A clock that does not answer within this is taken as none.
constexpr int kAskTimeoutMs = 3000;

// ":0.0" -> "_0_0": what a bus name element and a file name both allow.
QString displayKey(const QString &display)
{
    // By hand: a pattern would bring in the regular-expression engine, half a
    // megabyte resident, at every start.
    QString key = display;
    for (QChar &c : key) {
        const char16_t u = c.unicode();
        if (!((u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z')))
            c = u'_';
    }
    return key.isEmpty() ? QStringLiteral("none") : key;
}
} // namespace

SingleInstance::SingleInstance(const QString &display, QObject *parent)
    : QObject(parent)
    , m_busName(kInterface + QStringLiteral(".display") + displayKey(display))
    , m_lockName(QStringLiteral("/dialvane-") + displayKey(display) + QStringLiteral(".lock"))
{
}

SingleInstance::~SingleInstance()
{
    if (m_onBus)
        QDBusConnection::sessionBus().unregisterService(m_busName);
    if (m_lockFd >= 0)
        ::close(m_lockFd); // the lock goes with it
}

bool SingleInstance::claim()
{
    // Only a clock looks for its runtime folder: one that asks another need not.
    // One named that is no folder of this user's (a file, another user's, gone)
    // holds no lock: Qt would put it in a folder of its own under /tmp with
    // only a warning, where a clock started from the session never looks.
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    struct stat st { };
    const bool unusable = !runtime.isEmpty()
                          && (::stat(runtime.constData(), &st) != 0 || !S_ISDIR(st.st_mode)
                              || st.st_uid != ::geteuid());
    m_lockPath = (unusable ? QFile::decodeName(runtime)
                           : QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
                 + m_lockName;
    // The name first: a clock that holds it can be asked for its settings.
    if (!takeBusName())
        return false;
    if (unusable) {
        m_lockNotTaken = true; // run rather than refuse, but not in silence
        return true;
    }
    if (takeLock())
        return true;
    if (m_onBus) {
        QDBusConnection::sessionBus().unregisterService(m_busName);
        m_onBus = false;
    }
    return false;
}

bool SingleInstance::takeBusName()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return true; // no session bus: the lock alone decides
    bus.registerObject(QStringLiteral("/"), this, QDBusConnection::ExportScriptableSlots);
    // A clock that was just killed may hold the name a moment longer.
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (bus.interface()
                ->registerService(m_busName, QDBusConnectionInterface::DontQueueService,
                                  QDBusConnectionInterface::DontAllowReplacement)
                .value()
            == QDBusConnectionInterface::ServiceRegistered) {
            m_onBus = true;
            return true;
        }
        if (bus.interface()->isServiceRegistered(m_busName).value())
            return false;
        QThread::msleep(50);
    }
    return false;
}

bool SingleInstance::takeLock()
{
    // flock: the kernel lets go when the holder dies, however it dies. Never
    // through a link: that would create or lock whatever it leads to.
    m_lockFd = ::open(QFile::encodeName(m_lockPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK,
                      0600);
    struct stat st { };
    if (m_lockFd >= 0 && (::fstat(m_lockFd, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(m_lockFd);
        m_lockFd = -1;
    }
    if (m_lockFd < 0) {
        m_lockNotTaken = true; // run rather than refuse, but not in silence
        return true;
    }
    if (::flock(m_lockFd, LOCK_EX | LOCK_NB) == 0)
        return true;
    ::close(m_lockFd);
    m_lockFd = -1;
    return false;
}

void SingleInstance::keepFromStartingABus()
{
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    struct stat st { };
    if (!runtime.isEmpty() && ::stat(QFile::encodeName(runtime + QStringLiteral("/bus")).constData(), &st) == 0
        && S_ISSOCK(st.st_mode))
        return; // the library finds the user's bus there by itself
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}

bool SingleInstance::askRunningToOpenSettings()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    const auto call = QDBusMessage::createMethodCall(m_busName, QStringLiteral("/"), kInterface,
                                                     QStringLiteral("OpenSettings"));
    return bus.call(call, QDBus::Block, kAskTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

std::optional<QVariant> SingleInstance::askRunning(const QString &method) const
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return std::nullopt;
    const auto call = QDBusMessage::createMethodCall(m_busName, QStringLiteral("/"), kInterface, method);
    const QDBusMessage reply = bus.call(call, QDBus::Block, kAskTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    return reply.arguments().constFirst();
}

bool SingleInstance::Stop()
{
    return onStop && onStop();
}

bool SingleInstance::Snooze()
{
    return onSnooze && onSnooze();
}

QString SingleInstance::Next()
{
    return onNext ? onNext() : QString();
}

void SingleInstance::OpenSettings()
{
    // Answer the caller first; the dialog opens from the event loop.
    QMetaObject::invokeMethod(this, &SingleInstance::openSettingsRequested, Qt::QueuedConnection);
}

} // namespace dv
