// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SoundProcess.h"

#include <QFile>
#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
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

void SoundProcess::setPatience(int startMs, int pastEndMs, qint64 longestMs)
{
    m_startPatienceMs = startMs;
    m_pastEndPatienceMs = pastEndMs;
    m_longestMs = longestMs;
}

bool SoundProcess::play(const QString &file, const QString &deviceType, const SoundLevel &level)
{
    stop();
    m_error.clear();
    m_driver.clear();
    m_endedAtOnce = false;
    m_silent = false;
    m_begun = false;
    m_lengthMs = 0;
    m_msecsToStart = -1;
    m_started.start();

    int fds[2], errFds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        m_error = QStringLiteral("no pipe for the sound player");
        return false;
    }
    if (pipe2(errFds, O_CLOEXEC) != 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        m_error = QStringLiteral("no pipe for the sound player");
        return false;
    }
    // The player gets a clean start: its reports on standard output, nothing
    // else of the clock's (not its X connection), no blocked or ignored
    // signals, and a process group of its own, so that whatever it starts
    // ends with it.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errFds[1], STDERR_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t sigs;
    sigemptyset(&sigs);
    posix_spawnattr_setsigmask(&attr, &sigs);
    sigfillset(&sigs);
    posix_spawnattr_setsigdefault(&attr, &sigs);
    posix_spawnattr_setpgroup(&attr, 0);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);
    const QByteArray player = QFile::encodeName(m_playerPath), clock = QByteArray::number(getpid()),
                     device = deviceType.toUtf8(), path = QFile::encodeName(file);
    // The level only when it is not full and at once: a time signal's player
    // is started as it always was.
    const int volume = qBound(0, level.volume, 100), fadeMs = qMax(0, level.fadeInMs);
    const QByteArray levelArgs[] = {QByteArray::number(volume), QByteArray::number(fadeMs),
                                    QByteArray::number(qBound(0, level.fadeDoneMs, fadeMs))};
    const bool full = volume == 100 && qBound(0, level.fadeDoneMs, fadeMs) == fadeMs;
    char *const argv[] = {const_cast<char *>(player.constData()),
                          const_cast<char *>(clock.constData()),
                          const_cast<char *>(device.constData()),
                          const_cast<char *>(path.constData()),
                          full ? nullptr : const_cast<char *>(levelArgs[0].constData()),
                          const_cast<char *>(levelArgs[1].constData()),
                          const_cast<char *>(levelArgs[2].constData()),
                          nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, player.constData(), &actions, &attr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    ::close(fds[1]);
    ::close(errFds[1]);
    if (spawned != 0) {
        ::close(fds[0]);
        ::close(errFds[0]);
        m_error = QStringLiteral("cannot start the sound player %1: %2")
                      .arg(m_playerPath, QString::fromLocal8Bit(strerror(spawned)));
        return false;
    }
    m_pid = pid;
    m_fd = fds[0];
    fcntl(m_fd, F_SETFL, fcntl(m_fd, F_GETFL) | O_NONBLOCK);
    m_reports.clear();
    m_reportBytes = 0;
    m_closed = false;
    ++m_play;
    // Its first word, whether the sound plays and where, comes when it comes.
    m_watchdog.start(m_startPatienceMs);
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SoundProcess::onReadable);
    m_errFd = errFds[0];
    fcntl(m_errFd, F_SETFL, fcntl(m_errFd, F_GETFL) | O_NONBLOCK);
    m_messageBytes = 0;
    m_errNotifier = new QSocketNotifier(m_errFd, QSocketNotifier::Read, this);
    connect(m_errNotifier, &QSocketNotifier::activated, this, &SoundProcess::passMessages);
    return true;
}

void SoundProcess::passMessages()
{
    // A bounded helping each time: a player that floods its standard error
    // is read as fast as it writes, so the clock's own events come in between.
    char buf[65536];
    for (int i = 0; i < 16 && m_errFd >= 0; ++i) {
        const ssize_t n = ::read(m_errFd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0 || errno != EAGAIN)
                m_errNotifier->setEnabled(false); // its end is gone: nothing more comes
            return;
        }
        const qint64 pass = std::clamp<qint64>(kMostMessageBytes - m_messageBytes, 0, n);
        m_messageBytes += n;
        if (pass > 0)
            (void)!::write(STDERR_FILENO, buf, size_t(pass));
    }
}

bool SoundProcess::readReports()
{
    // All there is now, without waiting; false when the player said too much.
    char buf[512];
    for (;;) {
        const ssize_t n = ::read(m_fd, buf, sizeof buf);
        if (n > 0) {
            m_reportBytes += n;
            if (m_reportBytes > kMostReportBytes)
                return false;
            m_reports.append(buf, n);
            continue;
        }
        if (n == 0 || (errno != EAGAIN && errno != EINTR))
            m_closed = true;
        if (n < 0 && errno == EINTR)
            continue;
        return true;
    }
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
    const quint64 thisPlay = m_play;
    if (!readReports()) {
        m_error = QStringLiteral("the sound player said too much");
        endPlay(true);
        return;
    }
    QByteArray line;
    while (takeLine(line)) {
        if (line.size() >= kLongestReport) {
            m_error = QStringLiteral("the sound player said too much");
            endPlay(true);
            return;
        }
        onReport(line);
        if (thisPlay != m_play)
            return; // that report ended the play (and perhaps began the next)
    }
    if (m_reports.size() >= kLongestReport) {
        m_error = QStringLiteral("the sound player said too much");
        endPlay(true);
        return;
    }
    if (m_closed) {
        m_error = m_begun ? QStringLiteral("the sound player ended before its sound")
                          : QStringLiteral("the sound player ended without playing");
        endPlay(true);
    }
}

void SoundProcess::onReport(const QByteArray &line)
{
    if (m_begun) {
        // A sound judged by the length its player announced: one that ends in
        // well under half of it was cut short, a file that holds no sound.
        // The player's own count from its first sample, where it gives one:
        // a busy clock may read "started" and "ended" together.
        bool counted = false;
        const qint64 played = line.startsWith("ended ") ? line.mid(6).toLongLong(&counted) : 0;
        if (line == "ended" || counted)
            endPlay(m_lengthMs <= 0 || (counted ? played : m_sounding.elapsed()) * 2 < m_lengthMs);
        return; // anything else is dropped
    }
    if (!line.startsWith("started ")) {
        m_error = line.startsWith("error ") ? QString::fromUtf8(line.mid(6))
                                            : QStringLiteral("the sound player said: ") + QString::fromUtf8(line);
        endPlay(true);
        return;
    }
    m_begun = true;
    m_msecsToStart = m_started.elapsed();
    m_sounding.start();
    const QList<QByteArray> words = line.split(' ');
    m_lengthMs = qBound<qint64>(0, words.value(1).toLongLong(), m_longestMs);
    m_driver = QString::fromUtf8(words.value(2));
    m_silent = words.value(3) == "silent";
    m_watchdog.start(int(m_lengthMs) + m_pastEndPatienceMs);
    emit started();
}

void SoundProcess::onHung()
{
    m_error = m_begun ? QStringLiteral("the sound player did not end in time")
                      : QStringLiteral("the sound player did not start in time");
    endPlay(true);
}

void SoundProcess::endPlay(bool unplayable)
{
    endPlayer();
    m_endedAtOnce = unplayable;
    emit finished();
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
    if (m_errFd >= 0) {
        passMessages(); // what it wrote before its last report
        m_errNotifier->setEnabled(false);
        m_errNotifier->deleteLater();
        m_errNotifier = nullptr;
        ::close(m_errFd);
        m_errFd = -1;
        if (m_messageBytes > kMostMessageBytes) {
            const QByteArray dropped = QByteArrayLiteral("dialvane-sound: ")
                                       + QByteArray::number(m_messageBytes - kMostMessageBytes)
                                       + QByteArrayLiteral(" more bytes of its messages dropped\n");
            (void)!::write(STDERR_FILENO, dropped.constData(), size_t(dropped.size()));
        }
    }
    m_reports = QByteArray(); // its buffer goes with it
    if (m_pid > 0) {
        kill(-m_pid, SIGKILL); // the player's group: whatever it started too
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
