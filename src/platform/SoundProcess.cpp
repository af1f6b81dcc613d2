// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SoundProcess.h"

#include <QFile>
#include <QMetaObject>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace dv {

SoundProcess::SoundProcess(const QString &playerPath, QObject *parent)
    : QObject(parent)
    , m_playerPath(playerPath)
{
    m_watchdog.setSingleShot(true);
    connect(&m_watchdog, &QTimer::timeout, this, &SoundProcess::onHung);
    m_reaper.setInterval(20);
    connect(&m_reaper, &QTimer::timeout, this, &SoundProcess::reapEnded);
}

SoundProcess::~SoundProcess()
{
    stop();
    for (pid_t pid : std::as_const(m_ended))
        waitpid(pid, nullptr, 0); // killed already: this is quick
}

void SoundProcess::setPatience(int startMs, int pastEndMs)
{
    m_startPatienceMs = startMs;
    m_pastEndPatienceMs = pastEndMs;
}

bool SoundProcess::play(const QString &file, const QString &deviceType)
{
    stop();
    m_error.clear();
    m_driver.clear();
    m_endedAtOnce = false;
    m_silent = false;
    m_msecsToStart = -1;
    m_started.start();

    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        m_error = QStringLiteral("no pipe for the sound player");
        return false;
    }
    // The player gets a clean start: its reports on standard output, nothing
    // else of the clock's (not its X connection), no blocked or ignored signals.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t sigs;
    sigemptyset(&sigs);
    posix_spawnattr_setsigmask(&attr, &sigs);
    sigfillset(&sigs);
    posix_spawnattr_setsigdefault(&attr, &sigs);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    const QByteArray player = QFile::encodeName(m_playerPath), clock = QByteArray::number(getpid()),
                     device = deviceType.toUtf8(), path = QFile::encodeName(file);
    char *const argv[] = {const_cast<char *>(player.constData()), const_cast<char *>(clock.constData()),
                          const_cast<char *>(device.constData()), const_cast<char *>(path.constData()), nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, player.constData(), &actions, &attr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    ::close(fds[1]);
    if (spawned != 0) {
        ::close(fds[0]);
        m_error = QStringLiteral("cannot start the sound player %1: %2")
                      .arg(m_playerPath, QString::fromLocal8Bit(strerror(spawned)));
        return false;
    }
    m_pid = pid;
    m_fd = fds[0];
    m_reports.clear();
    m_closed = false;
    const quint64 thisPlay = ++m_play;

    // Wait for the first word: whether the sound plays, and where.
    QByteArray line;
    QElapsedTimer waited;
    waited.start();
    while (!takeLine(line)) {
        const int left = m_startPatienceMs - int(waited.elapsed());
        if (m_closed || left <= 0 || !readReports(left)) {
            m_error = m_closed ? QStringLiteral("the sound player ended without playing")
                               : QStringLiteral("the sound player did not start in time");
            endPlayer();
            return false;
        }
    }
    if (!line.startsWith("started ")) {
        m_error = line.startsWith("error ") ? QString::fromUtf8(line.mid(6))
                                            : QStringLiteral("the sound player said: ") + QString::fromUtf8(line);
        endPlayer();
        return false;
    }
    m_msecsToStart = m_started.elapsed();
    m_sounding.start();
    const QList<QByteArray> words = line.split(' ');
    const qint64 lengthMs = words.value(1).toLongLong();
    m_driver = QString::fromUtf8(words.value(2));
    m_silent = words.value(3) == "silent";
    m_watchdog.start(int(qBound<qint64>(0, lengthMs, 24LL * 3600 * 1000)) + m_pastEndPatienceMs);
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SoundProcess::onReadable);
    if (!m_reports.isEmpty() || m_closed) // the end came with the start
        QMetaObject::invokeMethod(
            this,
            [this, thisPlay] {
                if (thisPlay == m_play && m_pid > 0)
                    onReadable();
            },
            Qt::QueuedConnection);
    return true;
}

bool SoundProcess::readReports(int waitMs)
{
    pollfd p{m_fd, POLLIN, 0};
    int ready;
    do
        ready = poll(&p, 1, waitMs);
    while (ready < 0 && errno == EINTR);
    if (ready <= 0)
        return false;
    char buf[512];
    const ssize_t n = ::read(m_fd, buf, sizeof buf);
    if (n > 0)
        m_reports.append(buf, n);
    else if (n == 0 || errno != EAGAIN)
        m_closed = true;
    return true;
}

bool SoundProcess::takeLine(QByteArray &line)
{
    const qsizetype end = m_reports.indexOf('\n');
    if (end < 0)
        return false;
    line = m_reports.left(end);
    m_reports.remove(0, end + 1);
    return true;
}

void SoundProcess::onReadable()
{
    if (m_pid <= 0)
        return;
    if (!m_closed)
        readReports(0);
    QByteArray line;
    while (takeLine(line)) {
        if (line == "ended") {
            // A file that holds no sound ends at once.
            endPlay(m_sounding.elapsed() < 250);
            return;
        }
    }
    if (m_closed) {
        m_error = QStringLiteral("the sound player ended before its sound");
        endPlay(true);
    }
}

void SoundProcess::onHung()
{
    m_error = QStringLiteral("the sound player did not end in time");
    endPlay(true);
}

void SoundProcess::endPlay(bool unplayable)
{
    endPlayer();
    m_endedAtOnce = unplayable;
    if (finished)
        finished();
}

void SoundProcess::stop()
{
    if (m_pid > 0)
        endPlayer();
}

void SoundProcess::endPlayer()
{
    ++m_play; // whatever report is still on its way is stale now
    m_watchdog.stop();
    if (m_notifier) {
        m_notifier->setEnabled(false);
        m_notifier->deleteLater(); // this may be its own signal
        m_notifier = nullptr;
    }
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        m_ended.append(m_pid);
        m_pid = 0;
    }
    reapEnded();
}

void SoundProcess::reapEnded()
{
    // A killed player takes a moment to go; collect it without waiting.
    m_ended.removeIf([](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
    if (m_ended.isEmpty())
        m_reaper.stop();
    else if (!m_reaper.isActive())
        m_reaper.start();
}

} // namespace dv
