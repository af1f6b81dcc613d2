#pragma once
// WAV and standard MIDI files through SDL2_mixer, one at a time.

#include "platform/Platform.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <atomic>

struct _Mix_Music;

namespace dv {

enum class SoundKind { Unknown, Wave, Midi };
// The kind from the file's first bytes: "RIFF"...."WAVE" or "MThd".
SoundKind sniffSound(const QByteArray &head);
// A WAV's "fmt " chunk within `head` describes sound SDL can play: one to eight
// channels, a real rate, sane bits and block align. SDL divides by some of them.
bool wavHeaderSane(const QByteArray &head);
// A standard MIDI file holds at least one note to hear (a note-on of some velocity).
bool midiHasNotes(const QByteArray &file);

// MIDI files are small; one larger than this is played without a look at its notes.
inline constexpr qint64 kMidiCheckLimit = 4 * 1024 * 1024;

class SdlSound final : public QObject, public SoundOutput {
    Q_OBJECT
public:
    explicit SdlSound(QObject *parent = nullptr);
    ~SdlSound() override;

    bool play(const QString &file, const QString &deviceType) override;
    void stop() override;
    bool isPlaying() const override { return m_music != nullptr; }
    bool isSilent() const override { return m_music != nullptr && m_silent; }
    bool endedAtOnce() const override { return m_endedAtOnce; }

    QString lastError() const { return m_error; }
    QString driver() const { return m_driver; }

private:
    bool open();
    void close();
    void onFinished(quint64 play);
    static void musicFinishedHook();

    _Mix_Music *m_music = nullptr;
    bool m_open = false;
    QString m_error;
    QString m_driver;
    QByteArray m_chosenDriver; // SDL_AUDIODRIVER as the user set it, if at all
    bool m_driverChosen = false;
    bool m_silent = false; // this device is our stand-in for a missing one
    bool m_endedAtOnce = false;
    QElapsedTimer m_started;
    quint64 m_play = 0; // number of the current play; older ends are stale
};

} // namespace dv
