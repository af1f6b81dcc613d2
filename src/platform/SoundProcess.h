// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Each sound plays in a player process of its own (dialvane-sound, beside the
// clock): the sound libraries and their decoders never load into the clock, so
// it stays small after its first chime, and a file that crashes a decoder takes
// only that player with it.

#include "platform/Platform.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTimer>

#include <sys/types.h>

class QSocketNotifier;

namespace dv {

// The player's name, installed beside the clock.
inline constexpr char kSoundPlayer[] = "dialvane-sound";

class SoundProcess final : public QObject, public SoundOutput {
    Q_OBJECT
public:
    explicit SoundProcess(const QString &playerPath, QObject *parent = nullptr);
    ~SoundProcess() override;

    // Starts the player and returns: its report comes later, and a player
    // slow to start (a big MIDI file's synthesiser) holds nothing up.
    bool play(const QString &file, const QString &deviceType, const SoundLevel &level) override;
    using SoundOutput::play;
    void stop() override;
    bool isPlaying() const override { return m_pid > 0; }
    bool isSilent() const override { return m_pid > 0 && m_begun && m_silent; }
    // The player has reported its start, and plays.
    bool hasBegun() const { return m_pid > 0 && m_begun; }
    bool endedAtOnce() const override { return m_endedAtOnce; }

    QString lastError() const { return m_error; }
    QString driver() const { return m_driver; }
    pid_t playerPid() const { return m_pid; }
    // From the call of play() to the first sample mixed, as the player saw it.
    qint64 msecsToFirstSample() const { return m_msecsToStart; }
    // How long a player may take to start, and to end past its sound's length,
    // before it counts as hung.
    // A sound longer than `longestMs` counts as that long.
    void setPatience(int startMs, int pastEndMs, qint64 longestMs = kLongestPlayMs);

    // The player's word is trusted this far: a report is one short line, a
    // play sends a few; a player that says more is broken and is ended.
    static constexpr int kLongestReport = 100;
    static constexpr int kMostReportBytes = 1024;
    // Our player plays no sound longer than this (and says so); one that
    // announces more is ended this long after its start, with its patience.
    static constexpr qint64 kLongestPlayMs = qint64{5} * 60 * 1000;
    // What a play's player writes to its standard error reaches the clock's
    // this far (synthesiser warnings ran to 111 KB a play), then one line
    // says how much more was dropped.
    static constexpr qint64 kMostMessageBytes = 4096;

signals:
    void finished(); // once per play, the stopped one excepted
    // The player has begun the current play: isSilent() now tells.
    void started();

private:
    bool readReports();
    bool takeLine(QByteArray &line);
    void onReport(const QByteArray &line);
    void onReadable();
    void passMessages(); // the player's standard error, as far as it may go
    void onHung();
    void endPlay(bool unplayable);
    void endPlayer();
    void reapEnded();

    QString m_playerPath;
    pid_t m_pid = 0;
    int m_fd = -1; // the player's reports
    QSocketNotifier *m_notifier = nullptr;
    int m_errFd = -1; // the player's standard error
    QSocketNotifier *m_errNotifier = nullptr;
    qint64 m_messageBytes = 0; // all this play's player has written there
    QByteArray m_reports;
    qint64 m_reportBytes = 0; // all this play's player has said
    bool m_closed = false;    // the player's end of the pipe is gone
    bool m_begun = false;     // it reported its start
    qint64 m_lengthMs = 0;    // the sound's length, as it reported
    QTimer m_watchdog;
    QTimer m_reaper;
    QList<pid_t> m_ended;     // killed players not yet reaped
    QElapsedTimer m_started;  // since play() was called
    QElapsedTimer m_sounding; // since the first sample
    qint64 m_msecsToStart = -1;
    int m_startPatienceMs = 4000;
    int m_pastEndPatienceMs = 5000;
    qint64 m_longestMs = kLongestPlayMs;
    bool m_silent = false;
    bool m_endedAtOnce = false;
    QString m_error;
    QString m_driver;
    quint64 m_play = 0; // number of the current play; older reports are stale
};

} // namespace dv
